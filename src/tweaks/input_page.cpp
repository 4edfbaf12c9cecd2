// Geometry is in twips, inside the page frame Inputframe.
#include "tweaks/input_page.h"

#include <array>

#include "app/app_context.h"
#include "app/app_info.h"
#include "base/resume.h"
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

int doubleClickTime(int slider) { return 1100 - 100 * slider; }

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
      .in(frame);
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
  resumeNext([&] {
    control("trails").setValue(
        std::stoi(app_.settings.GetSetting(kSettingsApp, "mouse", "trails")));
  });
}

void InputPage::inputcmd_Click() {
  // 1. The Recycle Bin first; a failure other than "already empty" is told,
  // and the rest still runs.
  if (ticked("recycle")) {
    const std::int32_t result = app_.shell.emptyRecycleBin(form_.handle());
    if (result < 0 && result != kUnexpected && result != kSFalse) {
      app_.dialogs.messageBox(
          "The Recycle Bin could not be emptied (error " + std::to_string(result) + ").", kAppTitle,
          kMbOk | kMbIconError);
    }
    app_.shell.updateRecycleBinIcon();
  }
  // 2-9, each on its own.
  DesktopPort& desktop = app_.desktop;
  const int doubleClick = doubleClickTime(control("DoubleSlider").Value());
  resumeNext([&] { desktop.setMouseSpeed(control("SpeedSlider").Value()); });
  resumeNext([&] { desktop.setKeyboardSpeed(control("Repeatslider").Value()); });
  resumeNext([&] { desktop.setKeyboardDelay(control("Delayslider").Value()); });
  resumeNext([&] {
    ScriptShell shell(app_.registry, app_.shortcuts);
    shell.RegWrite("HKEY_CURRENT_USER\\Control Panel\\Mouse\\DoubleClickSpeed",
                   static_cast<std::int64_t>(doubleClick));
  });
  resumeNext([&] { desktop.setDoubleClickTime(doubleClick); });
  const bool swap = ticked("swapm");
  resumeNext([&] { desktop.setMouseButtonSwap(swap); });
  resumeNext([&] { app_.settings.SaveSetting(kSettingsApp, "mouse", "swap", swap ? "1" : "0"); });
  const bool trails = ticked("trails");
  resumeNext([&] { desktop.setMouseTrails(trails ? kTrailImages : 0); });
  resumeNext(
      [&] { app_.settings.SaveSetting(kSettingsApp, "mouse", "trails", trails ? "1" : "0"); });
}

}  // namespace corvanta
