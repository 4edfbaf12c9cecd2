// Skinning a window: the three calls every window's load makes, and
// SkinForm, which gives each control the skin element of its kind.
#pragma once

#include <string>

namespace corvanta {
namespace ui {
class Form;
class Skin;
}  // namespace ui

// Gives every control of the window, in the window's order, the skin element
// its kind calls for, as a property the window's controls are drawn with
// whenever they are made; kinds the skin has no element for are passed over.
void SkinForm(ui::Form& form);

// LoadSkinFile (the app folder's "winaquas.skn"), ApplySkinElement with the
// window and `element` ("Form" for the main window, "SmallForm" for the
// others), then SkinForm.
void skinWindow(ui::Form& form, ui::Skin& skin, const std::string& appFolder,
                const std::string& element);

}  // namespace corvanta
