// Histories: remembered file paths of the open and save dialogs whose file
// is missing are deleted; the other values, the list's order included, stay.
#include "base/resume.h"
#include "core/app_context.h"
#include "health/health_checks.h"
#include "health/registry_scope.h"
#include "registry/registry_helpers.h"

namespace corvanta {
namespace {

constexpr const char* kOpenSaveMru =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU";

// Sub-key and value name kept apart, so that a name holding a backslash is
// deleted whole.
struct Entry {
  std::string subKey;
  RegistryValue value;  // as enumerated: its name, the path judged, and its bytes
};

}  // namespace

void HistoriesCheck(HealthRun& run) {
  CheckProgress& display = run.progress;
  std::vector<std::string> hislst1;
  std::vector<Entry> hislst4;
  display.clearCounts();

  const auto scopes = userScopes(run.app.registry, kOpenSaveMru);
  if (scopes.empty()) {
    display.setErrors(0);
    display.setRepaired(0);
    return;
  }
  const RegistryScope& scope = scopes.front();
  resumeNext([&] {
    for (const std::string& name : run.routines.EnumRegistryKeys(scope.key.get(), "")) {
      hislst1.push_back(name);
    }
  });
  display.setMaximumFor(hislst1.size());
  for (std::size_t i = 0; i < hislst1.size(); ++i) {
    display.setPosition(i);
    ValueList values;
    resumeNext([&] { values = run.routines.EnumRegistryValues(scope.key.get(), hislst1[i]); });
    for (const RegistryValue& value : values) {
      if (value.data.find(":\\") != std::string::npos && !run.presence.IsPresent(value.data)) {
        hislst4.push_back({hislst1[i], value});
      }
    }
  }
  const auto finding = [&](const Entry& entry) {
    return valueFinding(scope, entry.subKey, entry.value.name, entry.value.data, "file missing");
  };
  display.setErrors(run.settle(hislst4, finding));

  std::vector<HealthRun::ValueEntry> values;
  for (const Entry& entry : hislst4)
    values.push_back({&scope, entry.subKey, entry.value.name, &entry.value});
  run.repairValues(values);
}

}  // namespace corvanta
