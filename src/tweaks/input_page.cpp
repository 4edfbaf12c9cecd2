// Geometry is in twips, inside the page frame Inputframe.
#include "tweaks/input_page.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/resume.h"
#include "core/app_context.h"
#include "core/app_info.h"
#include "core/changes/change_journal.h"
#include "core/i18n/localizer.h"
#include "platform/desktop_port.h"
#include "platform/dialogs_port.h"
#include "platform/shell_port.h"
#include "registry/script_shell.h"
#include "registry/settings_store.h"

namespace corvanta {
namespace {

using ui::ControlKind;

constexpr const char* kSettingsApp = "Halvorn utilities";
constexpr int kTrailImages = 5;
// What emptying an already empty Recycle Bin may answer.
constexpr std::int32_t kUnexpected = static_cast<std::int32_t>(0x8000FFFF);
constexpr std::int32_t kSFalse = 1;

constexpr std::array<ui::ControlRow, 4> kKeyboard = {{
    {ControlKind::SkinLabel, "RSkinLabel", "Repeat Rate", "3023", {120, 300, 3015, 255}},
    {ControlKind::TrackBar, "Repeatslider", nullptr, nullptr, {120, 600, 3015, 375}},
    {ControlKind::SkinLabel, "DSkinLabel", "Repeat Delay", "3024", {120, 1080, 3015, 255}},
    {ControlKind::TrackBar, "Delayslider", nullptr, nullptr, {120, 1380, 3015, 375}},
}};

constexpr std::array<ui::ControlRow, 6> kMouse = {{
    {ControlKind::SkinLabel,
     "MouseSkinLabel",
     "Mouse Pointer Speed",
     "3021",
     {120, 300, 3015, 255}},
    {ControlKind::TrackBar, "SpeedSlider", nullptr, nullptr, {120, 600, 3015, 375}},
    {ControlKind::SkinLabel,
     "SpeedSkinLabel",
     "Double click speed",
     "7017 ",
     {120, 1080, 3015, 255}},
    {ControlKind::TrackBar, "DoubleSlider", nullptr, nullptr, {120, 1380, 3015, 375}},
    {ControlKind::CheckBox, "swapm", "Swap mouse buttons", "5009", {120, 1920, 3015, 285}},
    {ControlKind::CheckBox, "trails", "Show pointer trails", "5010", {120, 2280, 3015, 285}},
}};

struct Slider {
  const char* name;
  int minimum;
  int maximum;
};
constexpr std::array<Slider, 4> kSliders = {{{"Repeatslider", 0, 31},
                                             {"Delayslider", 0, 3},
                                             {"SpeedSlider", 1, 20},
                                             {"DoubleSlider", 2, 9}}};

// The double-click slider runs 2-9, from 900 ms down to 200 ms.
int doubleClickTime(int slider) { return 1100 - 100 * slider; }
int sliderFor(int milliseconds) { return std::clamp((1100 - milliseconds + 50) / 100, 2, 9); }

// The controls Apply sets the desktop from.
constexpr std::array<const char*, 6> kApplied = {"SpeedSlider",  "Repeatslider", "Delayslider",
                                                 "DoubleSlider", "swapm",        "trails"};

}  // namespace

void InputPage::declare(ui::Control& frame) {
  auto& keyboard = form_.add(ControlKind::Frame, "KeyboardFrame")
                       .caption("Keyboard")
                       .tag("2004")
                       .at(240, 360, 3255, 1815)
                       .in(frame);
  form_.addAll(kKeyboard, &keyboard);
  auto& mouse = form_.add(ControlKind::Frame, "MouseFrame")
                    .caption("Mouse")
                    .tag("2003")
                    .at(3600, 360, 3255, 2775)
                    .in(frame);
  form_.addAll(kMouse, &mouse);
  auto& recycleFrame =
      form_.add(ControlKind::Frame, "RecycleFrame").tag("0").at(240, 2280, 3255, 855).in(frame);
  form_.add(ControlKind::CheckBox, "recycle")
      .caption("Empty Recycle Bin")
      .tag("5008")
      .at(120, 360, 3015, 285)
      .in(recycleFrame);
  form_.add(ControlKind::Button, "inputcmd")
      .caption("Apply")
      .tag("1016")
      .at(5640, 4200, 1215, 375)
      .in(frame)
      .asDefault();
  for (const Slider& slider : kSliders) {
    control(slider.name).range(slider.minimum, slider.maximum).steps(1, 5, 1);
  }
  control("DoubleSlider").setValue(2);
  control("inputcmd").onClick = [this] { inputcmd_Click(); };
}

void InputPage::load(ScriptShell& shell) {
  const auto readInto = [&](const char* slider, const char* path) {
    resumeNext([&] { control(slider).setValue(shell.RegRead(path).toInt32()); });
  };
  readInto("SpeedSlider", "HKCU\\Control Panel\\mouse\\MouseSensitivity");
  readInto("Repeatslider", "HKCU\\Control Panel\\Keyboard\\KeyboardSpeed");
  readInto("Delayslider", "HKCU\\Control Panel\\Keyboard\\KeyboardDelay");
  resumeNext([&] {
    control("swapm").setValue(
        shell.RegRead("HKEY_CURRENT_USER\\Control Panel\\Mouse\\SwapMouseButtons").toInt16());
  });
  // Trails and the double-click speed as Windows has them now, so that
  // Apply does not put back what another program or the user changed since.
  if (const auto trails = app_.desktop.mouseTrails()) {
    control("trails").setValue(*trails > 1 ? ui::kChecked : ui::kUnchecked);
  }
  resumeNext([&] { control("DoubleSlider").setValue(sliderFor(app_.desktop.doubleClickTime())); });
  for (const char* name : kApplied) applied_.remember(control(name));
}

void InputPage::inputcmd_Click() {
  const ChangeScope changes(app_.journal, "Input");
  // 1. The Recycle Bin first; a failure other than "already empty" is told,
  // and the rest still runs.
  if (ticked("recycle")) {
    const std::int32_t result = app_.shell.emptyRecycleBin(form_.handle());
    if (result < 0 && result != kUnexpected && result != kSFalse) {
      app_.dialogs.messageBox(
          app_.localizer.text("8060", "The Recycle Bin could not be emptied (error %1).",
                              {std::to_string(result)}),
          kAppTitle, kMbOk | kMbIconError);
    }
    app_.shell.updateRecycleBinIcon();
  }
  // 2-9, each on its own and only when the user moved its control; what
  // could not be set is named in one message, and tried again next time.
  DesktopPort& desktop = app_.desktop;
  ApplyReport report;
  // `what` names the setting in a failure: its language ID and English.
  const auto apply = [&](const char* name, std::pair<const char*, const char*> what, auto&& set) {
    const ui::Control& changed = control(name);
    if (!applied_.changed(changed)) return;
    bool done = false;
    resumeNext([&] { done = set(); });
    if (done) {
      applied_.remember(changed);
    } else {
      report.failed(app_.localizer.text(what.first, what.second));
    }
  };
  apply("SpeedSlider", {"8061", "Mouse pointer speed"},
        [&] { return desktop.setMouseSpeed(control("SpeedSlider").Value()); });
  apply("Repeatslider", {"8062", "Keyboard repeat rate"},
        [&] { return desktop.setKeyboardSpeed(control("Repeatslider").Value()); });
  apply("Delayslider", {"8063", "Keyboard repeat delay"},
        [&] { return desktop.setKeyboardDelay(control("Delayslider").Value()); });
  apply("DoubleSlider", {"8064", "Double-click speed"}, [&] {
    const int doubleClick = doubleClickTime(control("DoubleSlider").Value());
    ScriptShell shell(app_.registry, app_.shortcuts);
    shell.RegWrite("HKEY_CURRENT_USER\\Control Panel\\Mouse\\DoubleClickSpeed",
                   static_cast<std::int64_t>(doubleClick));
    return desktop.setDoubleClickTime(doubleClick);
  });
  const bool swap = ticked("swapm");
  apply("swapm", {"8065", "Swap mouse buttons"}, [&] {
    const bool set = desktop.setMouseButtonSwap(swap);
    app_.settings.SaveSetting(kSettingsApp, "mouse", "swap", swap ? "1" : "0");
    return set;
  });
  const bool trails = ticked("trails");
  apply("trails", {"8066", "Pointer trails"}, [&] {
    const bool set = desktop.setMouseTrails(trails ? kTrailImages : 0);
    app_.settings.SaveSetting(kSettingsApp, "mouse", "trails", trails ? "1" : "0");
    return set;
  });
  report.tell(app_);
}

}  // namespace corvanta
