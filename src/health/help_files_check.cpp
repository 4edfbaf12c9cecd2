// Help files: registrations of compiled HTML help and of classic help whose
// file is missing are deleted from their own list. Each registration is a
// value named by the file, holding its folder.
#include "base/resume.h"
#include "core/app_context.h"
#include "health/health_checks.h"
#include "health/registry_scope.h"
#include "registry/registry_helpers.h"

namespace corvanta {
namespace {

struct HelpList {
  const char* marker;
  const char* key;
};
constexpr HelpList kHtmlHelp{"HTML|", "Software\\Microsoft\\Windows\\HTML Help"};
constexpr HelpList kClassicHelp{"HELP|", "Software\\Microsoft\\Windows\\Help"};

// The list a registration belongs to, its key, folder and value name kept
// apart: the repair finds its list by the marker it was found under, never
// by a word in the folder, and deletes the value name whole.
struct Entry {
  const HelpList* list;
  std::size_t scope;
  std::string folder;
  RegistryValue value;  // as enumerated
};

struct ListScopes {
  const HelpList* list;
  std::vector<RegistryScope> scopes;
};

}  // namespace

void HelpFilesCheck(HealthRun& run) {
  CheckProgress& display = run.progress;
  std::vector<Entry> hlplst2;
  display.clearCounts();

  std::vector<ListScopes> lists;
  for (const HelpList* list : {&kHtmlHelp, &kClassicHelp}) {
    lists.push_back({list, machineScopes(run.app.registry, list->key)});
  }
  for (const ListScopes& list : lists) {
    for (std::size_t scope = 0; scope < list.scopes.size(); ++scope) {
      ValueList values;
      resumeNext(
          [&] { values = run.routines.EnumRegistryValues(list.scopes[scope].key.get(), ""); });
      for (const RegistryValue& value : values) {
        std::string folder = value.data;
        if (folder.empty() || folder.back() != '\\') folder += '\\';
        if (!run.isPresent(folder + value.name, list.scopes[scope])) {
          hlplst2.push_back({list.list, scope, folder, value});
        }
      }
    }
  }
  const auto scopeOf = [&](const Entry& entry) -> const RegistryScope& {
    return lists[entry.list == &kHtmlHelp ? 0 : 1].scopes[entry.scope];
  };
  const auto finding = [&](const Entry& entry) {
    return valueFinding(scopeOf(entry), "", entry.value.name, entry.folder + entry.value.name,
                        "help file missing");
  };
  display.setErrors(run.settle(hlplst2, finding));

  // The compiled HTML help's registrations were found first, the classic
  // ones after.
  std::vector<HealthRun::ValueEntry> values;
  for (const Entry& entry : hlplst2)
    values.push_back({&scopeOf(entry), "", entry.value.name, &entry.value});
  run.repairValues(values);
}

}  // namespace corvanta
