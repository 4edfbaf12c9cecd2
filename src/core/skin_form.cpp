#include "core/skin_form.h"

#include "ui/form.h"
#include "ui/skin.h"

namespace corvanta {
namespace {

std::string elementFor(const ui::Control& control) {
  switch (control.kind()) {
    case ui::ControlKind::Button:
      if (control.name() == "syscmd") return "system";
      if (control.name() == "cpucmd") return "cpu";
      return "Button";
    case ui::ControlKind::SkinLabel:
      return "Label";
    case ui::ControlKind::Frame:
      return "frame";
    case ui::ControlKind::CheckBox:
      return "check";
    case ui::ControlKind::OptionButton:
      return "radio";
    case ui::ControlKind::TabStrip:
      return "Tab";
    default:
      return {};
  }
}

}  // namespace

void SkinForm(ui::Form& form) {
  for (const auto& control : form.controls()) {
    const std::string element = elementFor(*control);
    if (!element.empty()) control->setSkinElement(element);
  }
}

void skinWindow(ui::Form& form, ui::Skin& skin, const std::string& appFolder,
                const std::string& element) {
  skin.LoadSkinFile(appFolder + "\\winaquas.skn");
  skin.ApplySkinElement(form.handle(), element);
  SkinForm(form);
}

}  // namespace corvanta
