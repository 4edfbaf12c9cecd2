// Shared components: entries of the shared-file reference list whose file
// is missing are deleted; the counts of the others are not touched.
#include "base/resume.h"
#include "core/app_context.h"
#include "health/health_checks.h"
#include "health/registry_scope.h"
#include "registry/registry_helpers.h"

namespace corvanta {
namespace {

constexpr const char* kSharedDlls = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";

struct Entry {
  std::size_t scope;
  RegistryValue value;  // as enumerated: its name is the file
};

}  // namespace

void SharedComponentsCheck(HealthRun& run) {
  CheckProgress& display = run.progress;
  std::vector<Entry> shrlst2, shrlst4;
  display.clearCounts();

  const auto scopes = machineScopes(run.app.registry, kSharedDlls);
  for (std::size_t scope = 0; scope < scopes.size(); ++scope) {
    resumeNext([&] {
      for (const RegistryValue& value :
           run.routines.EnumRegistryValues(scopes[scope].key.get(), "")) {
        shrlst2.push_back({scope, value});
      }
    });
  }
  display.setMaximumFor(shrlst2.size());
  for (std::size_t i = 0; i < shrlst2.size(); ++i) {
    display.setPosition(i);
    if (!run.isPresent(shrlst2[i].value.name, scopes[shrlst2[i].scope]))
      shrlst4.push_back(std::move(shrlst2[i]));
  }
  const auto finding = [&](const Entry& entry) {
    return valueFinding(scopes[entry.scope], "", entry.value.name, entry.value.name,
                        "file missing");
  };
  display.setErrors(run.settle(shrlst4, finding));

  std::vector<HealthRun::ValueEntry> values;
  for (const Entry& entry : shrlst4)
    values.push_back({&scopes[entry.scope], "", entry.value.name, &entry.value});
  run.repairValues(values);
}

}  // namespace corvanta
