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

using Entry = ScopedEntry;

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
        shrlst2.push_back({scope, value.name});
      }
    });
  }
  display.setMaximumFor(shrlst2.size());
  for (std::size_t i = 0; i < shrlst2.size(); ++i) {
    display.setPosition(i);
    if (!run.isPresent(shrlst2[i].name, scopes[shrlst2[i].scope])) shrlst4.push_back(shrlst2[i]);
  }
  const auto finding = [&](const Entry& entry) {
    return valueFinding(scopes[entry.scope], "", entry.name, entry.name, "file missing");
  };
  display.setErrors(run.settle(shrlst4, finding));

  if (!run.backUpValues(scopes, shrlst4)) {
    display.setRepaired(0);
    return;
  }
  display.setMaximumFor(shrlst4.size());
  std::size_t deleted = 0;
  // From the last found to the first: a key's values go fastest from its
  // end (deleting from its front, Wine moves every value after each).
  for (std::size_t done = 0; done < shrlst4.size(); ++done) {
    display.setPosition(done);
    const std::size_t i = shrlst4.size() - 1 - done;
    const RegistryScope& scope = scopes[shrlst4[i].scope];
    if (run.deleteValue(scope.key.get(), "", shrlst4[i].name,
                        scope.name + " : " + shrlst4[i].name)) {
      ++deleted;
      run.markRepaired(finding(shrlst4[i]));
    }
  }
  display.setRepaired(deleted);
  run.tellKept();
}

}  // namespace corvanta
