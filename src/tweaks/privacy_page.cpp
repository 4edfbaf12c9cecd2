#include "tweaks/privacy_page.h"

#include <array>
#include <string>

#include "core/app_context.h"
#include "core/changes/change_journal.h"
#include "core/i18n/localizer.h"
#include "registry/registry_helpers.h"
#include "registry/script_shell.h"
#include "tweaks/tweak_model.h"

namespace corvanta {
namespace {

using ui::ControlKind;

constexpr const char* kTypedUrls = "Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr const char* kDisableRegistryTools =
    "HKEY_CURRENT_"
    "USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System\\DisableRegistryTools";

constexpr std::array<ui::ControlRow, 3> kControls = {{
    {ControlKind::CheckBox,
     "disableregchk",
     "Disable Registry editor tools",
     "5004",
     {120, 420, 6255, 285}},
    {ControlKind::CheckBox,
     "ieclearh",
     "Clear Internet Explorer Typed URL History",
     "5003",
     {120, 840, 6255, 285}},
    {ControlKind::Button, "applyprivacy", "Apply", "1016", {5160, 3300, 1215, 375}},
}};

}  // namespace

void PrivacyPage::declare(ui::Control& frame) {
  form_.addAll(kControls, &frame);
  control("applyprivacy").asDefault();
  control("applyprivacy").onClick = [this] { applyprivacy_Click(); };
}

void PrivacyPage::applyprivacy_Click() {
  const ChangeScope changes(app_.journal, "Privacy");
  ApplyReport report;
  if (ticked("ieclearh")) {
    // Deleting the key takes its values with it; the key is then made again,
    // empty, for the browser to find.
    const long deleted = DeleteRegistryKey(app_.registry, kHkeyCurrentUser, kTypedUrls);
    if (deleted != kErrorSuccess && deleted != kErrorFileNotFound) {
      report.failed(app_.localizer.text("8088", "%1 (the history could not be cleared)",
                                        {std::string("HKEY_CURRENT_USER\\") + kTypedUrls}));
    }
    if (CreateSubKey(app_.registry, app_.dialogs, kHkeyCurrentUser, kTypedUrls, "",
                     app_.localizer.text("8086", kCreateSubKeyFailure)) != kErrorSuccess) {
      report.failed(std::string("HKEY_CURRENT_USER\\") + kTypedUrls);
    }
  }
  ScriptShell shell(app_.registry, app_.shortcuts);
  const bool disable = ticked("disableregchk");
  report.write(kDisableRegistryTools, [&] {
    shell.RegWrite(kDisableRegistryTools, std::int64_t{disable ? 1 : 0}, "REG_DWORD");
  });
  report.tell(app_);
}

}  // namespace corvanta
