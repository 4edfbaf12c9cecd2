// The command line: the System Health checks, the settings of the tweak
// pages and undo, run without a window through the same code the windows
// use, for administrators' scripts. Every outcome is an exit code.
#pragma once

#include <functional>
#include <string>
#include <variant>
#include <vector>

namespace corvanta {

struct AppContext;
struct HealthCheck;

enum ExitCode : int {
  kExitSuccess = 0,         // done; a health run found nothing
  kExitFindings = 1,        // a health run without /repair found broken entries
  kExitRepaired = 2,        // /repair repaired every one of them
  kExitRepairsFailed = 3,   // some repairs (or undos) failed: each is named
  kExitNeedsAdmin = 4,      // administrator rights are needed: nothing was done
  kExitPolicy = 5,          // not allowed by the organisation's policy: nothing was done
  kExitUsage = 64,          // an unknown switch or check, a missing argument
  kExitBadInput = 65,       // an input file unreadable, malformed, or naming what is not there
  kExitInternal = 70,       // the program itself failed: the message says where
  kExitCannotWrite = 74,    // the report or the exported file could not be written
};

struct CommandLine {
  enum class Action { Health, ExportSettings, ImportSettings, UndoLast, UndoAll, Help, Version };
  Action action = Action::Help;
  std::vector<const HealthCheck*> checks;  // /health: all six unless /checks names some
  std::string drive;                       // /drive, as "X:"; empty: the system drive
  bool repair = false;
  std::string report;  // /report FILE
  std::string file;    // /export-settings and /import-settings
  bool restorePoint = true;  // off with /no-restore-point
};

// The command line's arguments (the program's name left out) read, or a
// one-line message saying what is wrong with them.
std::variant<CommandLine, std::string> parseCommandLine(const std::vector<std::string>& args);

// Runs what the arguments ask and returns the exit code; each line meant for
// the console goes to `print`.
int runCommandLine(AppContext& app, const std::vector<std::string>& args,
                   const std::function<void(const std::string&)>& print);

// What /help prints.
std::string usageText();

}  // namespace corvanta
