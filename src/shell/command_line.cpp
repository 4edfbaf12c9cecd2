#include "shell/command_line.h"

#include <algorithm>
#include <cctype>

#include "base/text.h"
#include "core/app_context.h"
#include "core/changes/change_journal.h"
#include "core/changes/undo.h"
#include "core/policies.h"
#include "core/restore_points.h"
#include "health/health_checks.h"
#include "health/health_report.h"
#include "platform/drive_port.h"
#include "platform/file_port.h"
#include "platform/system_port.h"
#include "shell/settings_profile.h"

namespace corvanta {
namespace {

using Print = std::function<void(const std::string&)>;

// "/Health" and "--health" are both "health"; anything else is no switch.
std::optional<std::string> switchName(const std::string& arg) {
  std::string name;
  if (arg.size() > 2 && arg.compare(0, 2, "--") == 0)
    name = arg.substr(2);
  else if (arg.size() > 1 && arg[0] == '/')
    name = arg.substr(1);
  else
    return std::nullopt;
  for (char& c : name) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
  return name;
}

// "C:" or "C:\" as "C:"; nothing for anything else.
std::optional<std::string> driveOf(const std::string& text) {
  if ((text.size() != 2 && !(text.size() == 3 && text[2] == '\\')) || text[1] != ':')
    return std::nullopt;
  const char letter = static_cast<char>(text[0] >= 'a' && text[0] <= 'z' ? text[0] - 32 : text[0]);
  if (letter < 'A' || letter > 'Z') return std::nullopt;
  return std::string{letter, ':'};
}

// Writes the whole file, over an earlier one of that name: the earlier one
// stays whole until the new one is.
bool writeWholeFile(FilePort& files, const std::string& path, const std::string& bytes) {
  return files.replaceFile(path, bytes) == kErrorSuccess;
}

// Whether a file can be written at `path` (its folder takes a new file, and
// an earlier file there is neither a folder nor read-only), asked before a
// repair so that a report that cannot be written stops the run before it
// changes anything. The trial file beside it is removed again.
bool canWriteAt(FilePort& files, const std::string& path) {
  std::vector<FileEntry> found;
  const long existing = files.findFiles(path, found);
  if (existing == kErrorSuccess &&
      (found.size() != 1 ||
       (found[0].attributes & (kFileAttributeDirectory | kFileAttributeReadOnly))))
    return false;
  if (existing != kErrorSuccess && existing != kErrorFileNotFound) return false;
  for (int attempt = 1; attempt <= 9; ++attempt) {
    const std::string trial = path + ".trial" + std::to_string(attempt);
    const long made = files.createNewFile(trial, "");
    if (made == kErrorFileExists) continue;  // not ours: left alone
    return made == kErrorSuccess && files.deleteFile(trial) == kErrorSuccess;
  }
  return false;
}

// One line for what the journal recorded of a change.
std::string whatWasWritten(const Change& change) {
  switch (change.kind) {
    case Change::Kind::Value:
    case Change::Kind::Parameter:
      return describe(change) + ": " + describe(change.before) + " -> " + describe(change.after);
    case Change::Kind::Key:
      return (change.after.present ? "key made: " : "key deleted: ") + describe(change);
    case Change::Kind::File:
      if (!change.before.present) return "folder made: " + describe(change);
      return (change.copy.empty() ? "folder removed: " : "file deleted: ") + describe(change);
  }
  return describe(change);
}

// What the restore point asked for came to, as printed and reported.
std::string restorePointLine(const RestorePointScope& scope, bool wanted) {
  if (const auto outcome = scope.outcome()) return describe(*outcome);
  return wanted ? "no restore point asked for: nothing was changed"
                : "no restore point asked for (/no-restore-point)";
}

// The line the console shows for it.
std::string restorePointPrinted(const std::string& line) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(line[0]))) + line.substr(1);
}

// Why the organisation's policy refuses what the command asks; nothing when
// it allows it.
std::optional<std::string> refusedByPolicy(AppContext& app, const CommandLine& command) {
  using Action = CommandLine::Action;
  const Policies policies = readPolicies(app.registry);
  const auto refusal = [](const char* what, const char* policy) {
    return std::string(what) + " is turned off by your organisation (policy " + policy +
           "). Nothing was done.";
  };
  const bool changes = (command.action == Action::Health && command.repair) ||
                       command.action == Action::ImportSettings ||
                       command.action == Action::UndoAll;
  if (changes && !command.restorePoint && policies.requireRestorePoint)
    return refusal("Going without a restore point", kPolicyRequireRestorePoint);
  switch (command.action) {
    case Action::Health:
      if (policies.pageDisabled("health")) return refusal("System Health", kPolicyDisabledPages);
      if (command.repair && policies.disableRepairs)
        return refusal("Repairing", kPolicyDisableRepairs);
      // A repair must be reviewed in the window first.
      if (command.repair && policies.forceReview)
        return refusal("Repairing without review", kPolicyForceReview);
      break;
    case Action::UndoLast:
    case Action::UndoAll:
      if (policies.disableUndo) return refusal("Undo", kPolicyDisableUndo);
      break;
    default:
      break;
  }
  return std::nullopt;
}

int runHealth(AppContext& app, const CommandLine& command, const Print& print) {
  if (!command.drive.empty()) {
    const DriveType type = app.drives.driveType(command.drive + "\\");
    if (type == DriveType::NoRootDirectory || type == DriveType::Unknown) {
      print("There is no drive " + command.drive + " on this computer.");
      return kExitUsage;
    }
  }
  if (!command.report.empty() && !canWriteAt(app.files, command.report)) {
    print("The report cannot be written to " + command.report + ". Nothing was done.");
    return kExitCannotWrite;
  }
  if (command.repair && !app.system.hasAdministratorRights()) {
    for (const HealthCheck* check : command.checks) {
      if (!check->machineWide) continue;
      print(std::string("Repairing ") + check->name +
            " needs administrator rights: run Corvanta from an elevated prompt. Nothing was done.");
      return kExitNeedsAdmin;
    }
  }
  // No window: the checks report to no one while they run.
  CheckProgress quiet;
  std::vector<Finding> findings;
  const std::string drive =
      command.drive.empty() ? app.system.windowsDirectory().substr(0, 2) : command.drive;
  // A report repairs nothing, and so records nothing.
  const ChooseRepairs reportOnly = [](std::vector<Finding>& found, IgnoreList&) {
    for (Finding& finding : found) finding.chosen = false;
  };
  const bool restorePointWanted = command.repair && command.restorePoint;
  const RestorePointScope restorePoint(app, "before System Health repairs", restorePointWanted);
  for (const HealthCheck* check : command.checks) {
    CheckOutcome outcome =
        runHealthCheck(app, quiet, *check, drive, command.repair ? nullptr : reportOnly);
    print(std::string(check->name) + ": " + std::to_string(outcome.found) + " found" +
          (command.repair ? ", " + std::to_string(outcome.repaired) + " repaired" : ""));
    for (Finding& finding : outcome.findings) findings.push_back(std::move(finding));
  }
  const std::string restorePointText = restorePointLine(restorePoint, command.restorePoint);
  if (command.repair) print(restorePointPrinted(restorePointText));
  int code = findings.empty() ? kExitSuccess : command.repair ? kExitRepaired : kExitFindings;
  for (const Finding& finding : findings) {
    if (command.repair && !finding.repaired) {
      print("not repaired: " + finding.entry());
      code = kExitRepairsFailed;
    }
  }
  if (!command.report.empty()) {
    const std::string text =
        healthReport(findings, reportFormatFor(command.report), command.repair, restorePointText);
    if (!writeWholeFile(app.files, command.report, text)) {
      print("The report could not be written to " + command.report + ".");
      return kExitCannotWrite;
    }
    print("Report: " + command.report);
  }
  return code;
}

int runUndo(AppContext& app, bool all, bool restorePointWanted, const Print& print) {
  // Nobody is there to ask: a value something else changed since is kept.
  Undo undo(app.registry, app.files, app.desktop, app.journal,
            [](const Change&, const ValueState&) { return false; });
  UndoOutcome outcome;
  if (all) {
    const RestorePointScope restorePoint(app, "before Undo all", restorePointWanted);
    outcome = undo.all();
    print(restorePointPrinted(restorePointLine(restorePoint, restorePointWanted)));
  } else {
    const std::optional<ChangeGroup> last = app.journal.newestInEffect();
    if (!last) {
      print("Nothing to undo.");
      return kExitSuccess;
    }
    print("Undoing " + last->time + " " + last->source + ".");
    outcome = undo.group(*last);
  }
  for (const std::string& kept : outcome.skipped) print("changed since, kept: " + kept);
  for (const std::string& failed : outcome.failed) print("could not be undone: " + failed);
  return outcome.failed.empty() ? kExitSuccess : kExitRepairsFailed;
}

int runImport(AppContext& app, const CommandLine& command, const Print& print) {
  const std::string& file = command.file;
  std::string text;
  if (app.files.readFile(file, text) != kErrorSuccess) {
    print("The settings file " + file + " cannot be read. Nothing was applied.");
    return kExitBadInput;
  }
  const RestorePointScope restorePoint(app, "before a settings import", command.restorePoint);
  const ImportOutcome outcome = importSettings(app, text);
  if (outcome.refusedByPolicy) {
    print(file + ", " + outcome.refused + ". Nothing was applied.");
    return kExitPolicy;
  }
  if (!outcome.refused.empty()) {
    print(file + ", " + outcome.refused + ". Nothing was applied.");
    return kExitBadInput;
  }
  print(restorePointPrinted(restorePointLine(restorePoint, command.restorePoint)));
  if (outcome.journalRefused)
    print("The changes journal could not be written: what it could not record was not changed.");
  for (const Change& change : outcome.written) print("set: " + whatWasWritten(change));
  for (const std::string& setting : outcome.notApplied) print("not applied: " + setting);
  if (outcome.written.empty() && outcome.notApplied.empty())
    print("Every setting already was as the file says.");
  return outcome.notApplied.empty() ? kExitSuccess : kExitRepairsFailed;
}

}  // namespace

std::variant<CommandLine, std::string> parseCommandLine(const std::vector<std::string>& args) {
  CommandLine command;
  std::optional<CommandLine::Action> action;
  bool checksGiven = false;
  bool healthOnly = false;  // a switch that belongs to /health was given
  const auto setAction = [&](CommandLine::Action chosen) {
    const bool second = action.has_value();
    action = chosen;
    return !second;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const auto name = switchName(args[i]);
    if (!name) return "Not a switch: " + args[i] + " (see /help).";
    // The argument a switch takes; missing when the next is another switch.
    const auto argument = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size() || switchName(args[i + 1])) return std::nullopt;
      return args[++i];
    };
    using Action = CommandLine::Action;
    static const std::pair<const char*, Action> kActions[] = {
        {"health", Action::Health},         {"export-settings", Action::ExportSettings},
        {"import-settings", Action::ImportSettings}, {"undo-last", Action::UndoLast},
        {"undo-all", Action::UndoAll},       {"help", Action::Help},
        {"?", Action::Help},                 {"version", Action::Version},
    };
    const auto known = std::find_if(std::begin(kActions), std::end(kActions),
                                    [&](const auto& each) { return *name == each.first; });
    if (known != std::end(kActions)) {
      if (!setAction(known->second)) return "Only one of /health, /export-settings, /import-settings, /undo-last, /undo-all, /help and /version at a time.";
      if (known->second == Action::ExportSettings || known->second == Action::ImportSettings) {
        const auto file = argument();
        if (!file) return args[i] + " needs a file name.";
        command.file = *file;
      }
      continue;
    }
    if (*name != "no-restore-point") healthOnly = true;
    if (*name == "repair") {
      command.repair = true;
    } else if (*name == "checks") {
      const auto list = argument();
      if (!list) return "/checks needs a list of checks, such as removal,shortcuts.";
      checksGiven = true;
      for (std::size_t at = 0; at <= list->size();) {
        std::size_t end = list->find(',', at);
        if (end == std::string::npos) end = list->size();
        const std::string id = trimSpaces(list->substr(at, end - at));
        const HealthCheck* check = findHealthCheck(id);
        if (!check)
          return "No check is called \"" + id +
                 "\": removal, apppaths, shortcuts, histories, help, shared.";
        if (std::find(command.checks.begin(), command.checks.end(), check) == command.checks.end())
          command.checks.push_back(check);
        at = end + 1;
      }
    } else if (*name == "drive") {
      const auto drive = argument();
      if (!drive) return "/drive needs a drive, such as C:.";
      const auto letter = driveOf(*drive);
      if (!letter) return "Not a drive: " + *drive + " (give it as C:).";
      command.drive = *letter;
    } else if (*name == "no-restore-point") {
      command.restorePoint = false;
    } else if (*name == "report") {
      const auto file = argument();
      if (!file) return "/report needs a file name.";
      command.report = *file;
    } else {
      return "Unknown switch: " + args[i] + " (see /help).";
    }
  }
  if (!action) return "Say what to do: /health, /export-settings, /import-settings, /undo-last, /undo-all, /help or /version.";
  if (!command.restorePoint && *action != CommandLine::Action::Health &&
      *action != CommandLine::Action::ImportSettings && *action != CommandLine::Action::UndoAll)
    return "/no-restore-point goes with /health /repair, /import-settings and /undo-all only.";
  if (healthOnly && *action != CommandLine::Action::Health)
    return "/checks, /drive, /repair and /report go with /health only.";
  command.action = *action;
  if (command.action == CommandLine::Action::Health && !checksGiven) {
    for (const HealthCheck& check : kHealthChecks) command.checks.push_back(&check);
  }
  return command;
}

std::string usageText() {
  return
      "Usage: corvanta [switch ...]      (without switches: the window)\r\n"
      "\r\n"
      "  /health [/checks LIST] [/drive X:] [/repair] [/report FILE]\r\n"
      "      Runs the System Health checks. LIST: removal, apppaths, shortcuts,\r\n"
      "      histories, help, shared, comma-separated (all by default). /drive: the\r\n"
      "      drive the shortcut check walks (the system drive by default). Without\r\n"
      "      /repair nothing is changed. /report writes the findings: JSON when FILE\r\n"
      "      ends in .json, CSV otherwise, UTF-8. Half a UTF-16 pair alone in a name\r\n"
      "      is written \\ud800 (its number) in JSON, U+FFFD in CSV. Ignored entries\r\n"
      "      are left out.\r\n"
      "  /export-settings FILE   the tweak pages' settings, as an INI file\r\n"
      "  /import-settings FILE   applies such a file as the pages' Apply would\r\n"
      "  /undo-last              undoes the newest change still in effect\r\n"
      "  /undo-all               undoes every change still in effect\r\n"
      "  /no-restore-point       with /health /repair, /import-settings or /undo-all:\r\n"
      "      no restore point is asked of Windows first (by default one is, before\r\n"
      "      the first change; its outcome is printed and, with /report, reported)\r\n"
      "  /help, /version\r\n"
      "\r\n"
      "Switches may also be written --health and so on, in any case.\r\n"
      "\r\n"
      "Exit codes:\r\n"
      "   0  success; /health found nothing\r\n"
      "   1  /health found broken entries (nothing was changed)\r\n"
      "   2  /health /repair repaired every one\r\n"
      "   3  some repairs, undos or settings were not done (each is named)\r\n"
      "   4  administrator rights are needed (nothing was done)\r\n"
      "   5  not allowed by your organisation's policy (nothing was done)\r\n"
      "  64  usage error: unknown switch or check name, missing argument\r\n"
      "  65  bad input file: unreadable, malformed, unknown key or value (nothing applied)\r\n"
      "  70  Corvanta itself failed (the message says where)\r\n"
      "  74  the report or exported file could not be written\r\n";
}

int runCommandLine(AppContext& app, const std::vector<std::string>& args, const Print& print) {
  const auto parsed = parseCommandLine(args);
  if (const auto* error = std::get_if<std::string>(&parsed)) {
    print(*error);
    return kExitUsage;
  }
  const CommandLine& command = std::get<CommandLine>(parsed);
  if (const auto refusal = refusedByPolicy(app, command)) {
    print(*refusal);
    return kExitPolicy;
  }
  switch (command.action) {
    case CommandLine::Action::Health:
      return runHealth(app, command, print);
    case CommandLine::Action::ExportSettings:
      if (!writeWholeFile(app.files, command.file, exportSettings(app))) {
        print("The settings could not be written to " + command.file + ".");
        return kExitCannotWrite;
      }
      print("Settings written to " + command.file + ".");
      return kExitSuccess;
    case CommandLine::Action::ImportSettings:
      return runImport(app, command, print);
    case CommandLine::Action::UndoLast:
      return runUndo(app, false, false, print);
    case CommandLine::Action::UndoAll:
      return runUndo(app, true, command.restorePoint, print);
    case CommandLine::Action::Help:
      print(usageText());
      return kExitSuccess;
    case CommandLine::Action::Version: {
      FileVersion version;
      app.system.moduleVersion(version);
      print(std::string("Corvanta ") + std::to_string(version.major) + '.' +
            std::to_string(version.minor) + '.' + std::to_string(version.build) + '.' +
            std::to_string(version.revision));
      return kExitSuccess;
    }
  }
  return kExitUsage;
}

}  // namespace corvanta
