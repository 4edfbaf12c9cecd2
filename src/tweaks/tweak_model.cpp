#include "tweaks/tweak_model.h"

#include "core/app_context.h"
#include "core/app_info.h"
#include "core/i18n/localizer.h"
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

void ApplyReport::tell(AppContext& app) const {
  if (failures_.empty()) return;
  std::string text = app.localizer.text("8057", "These settings could not be saved:");
  for (const auto& failure : failures_) text += "\r\n" + failure;
  app.dialogs.messageBox(text, kAppTitle, kMbIconError);
}

void AppliedState::remember(const ui::Control& control) {
  states_[control.name()] = {control.Value(), control.Text()};
}

bool AppliedState::changed(const ui::Control& control) const {
  const auto found = states_.find(control.name());
  return found == states_.end() || found->second != std::pair{control.Value(), control.Text()};
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
                 ApplyReport& report, AppliedState* state) {
  for (const Tweak& tweak : tweaks) {
    const ui::Control& control = form.control(tweak.control);
    if (state && !state->changed(control)) continue;
    const std::size_t failedBefore = report.failures().size();
    report.write(tweak.path, [&] { writeOne(shell, control, tweak.type, tweak.path); });
    if (tweak.defaultUserPath) {
      report.write(tweak.defaultUserPath,
                   [&] { writeOne(shell, control, tweak.type, tweak.defaultUserPath); });
    }
    // A write that failed stays pending: the next Apply tries it again.
    if (state && report.failures().size() == failedBefore) state->remember(control);
  }
}

}  // namespace corvanta
