#include <map>

#include "base/resume.h"
#include "core/app_context.h"
#include "core/app_info.h"
#include "core/changes/change_journal.h"
#include "core/i18n/localizer.h"
#include "core/log/error_log.h"
#include "health/health_checks.h"
#include "health/registry_scope.h"
#include "health/repair_backup.h"
#include "platform/dialogs_port.h"
#include "platform/system_port.h"
#include "registry/query_value.h"
#include "registry/registry_helpers.h"

namespace corvanta {
namespace {

// Query, set, enumerate and delete values: what deleting a value asks.
constexpr std::uint32_t kDeleteAccess = 0x3F;

}  // namespace

const std::array<HealthCheck, 6> kHealthChecks = {{
    {"removal", "Software removal entries", "8120", RemovalCheck, true},
    {"apppaths", "Application paths", "8121", AppPathsCheck, true},
    {"shortcuts", "Orphan shortcuts", "8122", OrphanShortcutsCheck, false},
    {"histories", "Histories", "8123", HistoriesCheck, false},
    {"help", "Help files", "8124", HelpFilesCheck, true},
    {"shared", "Shared components", "8125", SharedComponentsCheck, true},
}};

const HealthCheck* findHealthCheck(const std::string& id) {
  for (const HealthCheck& check : kHealthChecks) {
    if (equalsIgnoringCase(id, check.id)) return &check;
  }
  return nullptr;
}

std::string viewName(ScopeView view) {
  switch (view) {
    case ScopeView::Only:
      return {};
    case ScopeView::Native:
      return "64-bit";
    case ScopeView::Wow32:
      return "32-bit";
    case ScopeView::Shared:
      return "both";
  }
  return {};
}

std::string shownName(AppContext& app, const HealthCheck& check) {
  return app.localizer.LookupText(check.nameId, check.name);
}

Finding keyFinding(const RegistryScope& scope, const std::string& name, std::string target,
                   std::string reason) {
  Finding finding;
  finding.kind = Finding::Kind::Key;
  finding.key = scope.name + '\\' + name;
  finding.view = viewName(scope.view);
  finding.target = std::move(target);
  finding.reason = std::move(reason);
  return finding;
}

Finding valueFinding(const RegistryScope& scope, const std::string& subKey, std::string value,
                     std::string target, std::string reason) {
  Finding finding = keyFinding(scope, subKey, std::move(target), std::move(reason));
  finding.kind = Finding::Kind::Value;
  if (subKey.empty()) finding.key = scope.name;
  finding.value = std::move(value);
  return finding;
}

HealthRun::HealthRun(AppContext& context, CheckProgress& watcher, const HealthCheck& which)
    : app(context),
      progress(watcher),
      routines(context.registry, context.system),
      presence(context.files, context.drives),
      check(which),
      ignored(IgnoreList::load(context.settings)),
      windowsFolder_(context.system.windowsDirectory()) {}

CheckOutcome runHealthCheck(AppContext& app, CheckProgress& progress, const HealthCheck& check,
                            const std::string& drive, ChooseRepairs choose) {
  const ChangeScope changes(app.journal, check.name);
  HealthRun run(app, progress, check);
  run.drive = drive;
  run.choose = std::move(choose);
  check.run(run);
  return std::move(run.outcome);
}

ChangeJournal& HealthRun::journal() { return app.journal; }

void HealthRun::chooseAmong(std::vector<Finding>& found) {
  if (!choose || found.empty()) return;
  const std::vector<std::string> before = ignored.entries();
  choose(found, ignored);
  if (ignored.entries() != before) resumeNext([&] { ignored.save(app.settings); });
}

void HealthRun::markRepaired(const Finding& finding) {
  const auto at = findingAt_.find(finding.entry());
  if (at == findingAt_.end()) return;
  outcome.findings[at->second].repaired = true;
  outcome.findings[at->second].backup = backupWritten;
}

bool HealthRun::backUpRegistry(const std::function<bool(RegExport&)>& gather) {
  RepairBackup backup(app, check.name);
  if (gather(backup.registry()) && backup.writeRegistry()) {
    backupWritten = backup.location();
    return true;
  }
  backup.tellFailure();
  return false;
}

void HealthRun::repairKeyTrees(const std::vector<RegistryScope>& scopes,
                               std::vector<ScopedEntry>& keys) {
  const auto shownAs = [&](const ScopedEntry& key) {
    return scopes[key.scope].name + '\\' + key.name;
  };
  repair(
      keys,
      [&](std::vector<ScopedEntry>& chosen) {
        return backUpEach(
            chosen,
            [&](RegExport& out, const ScopedEntry& key) {
              const RegistryScope& scope = scopes[key.scope];
              return out.addKeyTree(scope.key.get(), scope.name, key.name, scope.viewFlag);
            },
            shownAs);
      },
      [&](const ScopedEntry& key) {
        return deleteKeyTree(scopes[key.scope], key.name, shownAs(key));
      },
      [&](const ScopedEntry& key) { return keyFinding(scopes[key.scope], key.name, "", ""); },
      false);
}

void HealthRun::repairValues(std::vector<ValueEntry>& values) {
  // Each scope's own key opened once to delete its values through, with
  // the view it was opened in.
  std::map<const RegistryScope*, ScopedRegKey> writable;
  const auto shownAs = [](const ValueEntry& value) {
    return value.scope->name + (value.subKey.empty() ? "" : '\\' + value.subKey) + " : " +
           value.name;
  };
  repair(
      values,
      [&](std::vector<ValueEntry>& chosen) {
        return backUpEach(
            chosen,
            [](RegExport& out, const ValueEntry& value) {
              return value.seen ? out.addValue(value.scope->name, value.subKey, value.name,
                                               value.seen->type, value.seen->raw)
                                : out.addValues(value.scope->key.get(), value.scope->name,
                                                value.subKey, {value.name});
            },
            shownAs);
      },
      [&](const ValueEntry& value) {
        RegKey through = 0;
        if (value.subKey.empty()) {
          auto [opened, made] = writable.try_emplace(value.scope);
          RegKey key = 0;
          if (made &&
              app.registry.openKeyEx(value.scope->key.get(), "",
                                     kDeleteAccess | value.scope->viewFlag, key) == kErrorSuccess)
            opened->second = ScopedRegKey(app.registry, key);
          through = opened->second.get();
        }
        return deleteValue(value.scope->key.get(), value.subKey, value.name, shownAs(value),
                           through);
      },
      [](const ValueEntry& value) {
        return valueFinding(*value.scope, value.subKey, value.name, "", "");
      },
      true);
}

void HealthRun::forEachSubKey(
    const std::vector<RegistryScope>& scopes,
    const std::function<void(const RegistryScope&, const ScopedEntry&)>& judge) {
  const std::vector<ScopedEntry> keys = subKeysOf(app.registry, scopes);
  progress.setMaximumFor(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    progress.setPosition(i);
    judge(scopes[keys[i].scope], keys[i]);
  }
}

void HealthRun::keptWithoutBackup(const std::string& shownAs) {
  kept.push_back(app.localizer.text("8134", "%1 (no backup could hold it)", {shownAs}));
}

void HealthRun::showStatus(const std::string& text, bool force) {
  constexpr auto kInterval = std::chrono::milliseconds(40);
  const auto now = std::chrono::steady_clock::now();
  if (!force && now - statusShown_ < kInterval) return;
  statusShown_ = now;
  progress.showStatus(text);
}

bool HealthRun::isPresent(const std::string& path, const RegistryScope& scope) {
  for (const std::string& reading : pathReadings(path, scope.view, windowsFolder_)) {
    if (presence.IsPresent(reading)) return true;
  }
  return false;
}

bool HealthRun::deleteKeyTree(const RegistryScope& scope, const std::string& path,
                              const std::string& shownAs) {
  const RegKey root = scope.key.get();
  if (DeleteKeyTree(app.registry, progress, root, path, scope.viewFlag) == kErrorSuccess)
    return true;
  // Only "not found" shows it gone: a key that can no longer be opened for
  // another reason may well still be there.
  RegKey still = 0;
  const long status = app.registry.openKeyEx(root, path, kKeyRead | scope.viewFlag, still);
  if (status == kErrorSuccess) app.registry.closeKey(still);
  if (status == kErrorFileNotFound) return true;
  kept.push_back(app.localizer.text("8133", "%1 (could not be deleted)", {shownAs}));
  return false;
}

bool HealthRun::deleteValue(RegKey key, const std::string& subKey, const std::string& name,
                            const std::string& shownAs, RegKey writable) {
  const long deleted = writable ? app.registry.deleteValue(writable, name)
                                : DeleteRegistryValue(app.registry, key, subKey, name);
  if (deleted == kErrorSuccess) return true;
  RegKey opened = 0;
  const long status = app.registry.openKeyEx(key, subKey, kKeyRead, opened);
  if (status == kErrorFileNotFound) return true;
  if (status == kErrorSuccess) {
    const ScopedRegKey holder(app.registry, opened);
    std::uint32_t type = 0;
    Bytes data;
    if (queryValue(app.registry, holder.get(), name, type, data) == kErrorFileNotFound) return true;
  }
  kept.push_back(app.localizer.text("8133", "%1 (could not be deleted)", {shownAs}));
  return false;
}

void HealthRun::tellKept() {
  const std::vector<std::string> names = std::move(kept);
  kept.clear();
  if (names.empty()) return;
  outcome.kept.insert(outcome.kept.end(), names.begin(), names.end());
  ErrorLog log = programLog(app);
  for (const std::string& name : names) log.LogError(0, "kept: " + name, "System Health", check.name);
  app.dialogs.messageBox(app.localizer.text("8130", "Found broken but left in place (%1):%n%2",
                                            {std::to_string(names.size()), namesShown(names)}),
                         shownName(app, check), kMbOk | kMbIconInformation);
}

}  // namespace corvanta
