#include "tweaks/tweak_model.h"

#include "app/app_info.h"
#include "platform/dialogs_port.h"
#include "registry/script_shell.h"
#include "ui/form.h"

namespace corvanta {
namespace {

void writeOne(ScriptShell& shell, const ui::Control& control, TweakType type,
              const std::string& path) {
  if (type == TweakType::Dword) {
    shell.RegWrite(path, std::int64_t{control.Value()}, "REG_DWORD");
  } else {
    shell.RegWrite(path, control.Text());
  }
}

}  // namespace

void ApplyReport::tell(DialogsPort& dialogs) const {
  if (failures_.empty()) return;
  std::string text = "These settings could not be saved:";
  for (const auto& failure : failures_) text += "\r\n" + failure;
  dialogs.messageBox(text, kAppTitle, kMbIconError);
}

void readTweaks(ui::Form& form, ScriptShell& shell, std::span<const Tweak> tweaks) {
  for (const Tweak& tweak : tweaks) {
    ui::Control& control = form.control(tweak.control);
    resumeNext([&] {
      const ShellValue stored = shell.RegRead(tweak.path);
      if (tweak.type == TweakType::Dword) {
        control.setValue(stored.toInt16());
      } else {
        control.setText(stored.toText());
      }
    });
  }
}

void writeTweaks(const ui::Form& form, ScriptShell& shell, std::span<const Tweak> tweaks,
                 ApplyReport& report) {
  for (const Tweak& tweak : tweaks) {
    const ui::Control& control = form.control(tweak.control);
    report.write(tweak.path, [&] { writeOne(shell, control, tweak.type, tweak.path); });
    if (tweak.defaultUserPath) {
      report.write(tweak.defaultUserPath,
                   [&] { writeOne(shell, control, tweak.type, tweak.defaultUserPath); });
    }
  }
}

}  // namespace corvanta
