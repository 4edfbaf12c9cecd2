// Geometry is in twips, as designed.
#include "appearance/syscolors_form.h"

#include <array>

#include "core/app_context.h"
#include "core/changes/change_journal.h"
#include "core/i18n/localizer.h"
#include "core/skin_form.h"
#include "platform/desktop_port.h"
#include "platform/dialogs_port.h"
#include "ui/forms.h"

namespace corvanta {
namespace {

using ui::ControlKind;

struct Element {
  const char* text;
  const char* id;  // its language ID
  int index;       // the system colour it sets
};

constexpr std::array<Element, 13> kElements = {{
    {"Active Window Caption", "8400", 2},
    {"Inactive Window Caption", "8401", 3},
    {"Active Window Caption Text", "8402", 9},
    {"Inactive Window Caption Text", "8403", 19},
    {"Active Window Border", "8404", 10},
    {"Inactive Window Border", "8405", 11},
    {"Gray Text (Disabled)", "8406", 17},
    {"Button Caption", "8407", 18},
    {"Highlight", "8408", 13},
    {"Highlight Text", "8409", 14},
    {"Menu", "8410", 4},
    {"Menu Text", "8411", 7},
    {"Background", "8412", 1},
}};

constexpr std::array<ui::ControlRow, 7> kControls = {{
    {ControlKind::SkinLabel, "SkinLabel1", "Item", "3027", {120, 120, 2895, 255}},
    {ControlKind::ListBox, "List1", nullptr, nullptr, {120, 420, 2895, 3015}},
    {ControlKind::SkinLabel, "SkinLabel2", "Colors", "3028", {3240, 120, 1935, 255}},
    {ControlKind::Picture, "Picture1", nullptr, nullptr, {3240, 420, 1935, 1095}},
    {ControlKind::Button, "Command2", "Choose Color", "1025", {3240, 1680, 1935, 375}},
    {ControlKind::Button, "Command1", "Apply", "1016", {3240, 2160, 1935, 375}},
    {ControlKind::Button, "Command3", "Close", "1018", {3240, 3060, 1935, 375}},
}};

}  // namespace

SystemColorsForm::SystemColorsForm(AppContext& app)
    : ui::Form("syscolors", "Colors", 5460, 4050), app_(app) {
  setTag("7012");
  addAll(kControls);
  control("Command1").asDefault();
  control("Command3").asCancel();
  setHelpTopic("system-colours.html");
  onLoad = [this] { Form_Load(); };
  control("List1").onClick = [this] { List1_Click(); };
  control("Command2").onClick = [this] { Command2_Click(); };
  control("Command1").onClick = [this] { Command1_Click(); };
  control("Command3").onClick = [this] { Command3_Click(); };
}

void SystemColorsForm::Form_Load() {
  skinWindow(*this, app_.skin, app_.appFolder, "SmallForm");
  std::vector<std::string> texts;
  for (const Element& element : kElements)
    texts.push_back(app_.localizer.LookupText(element.id, element.text));
  control("List1").setItems(std::move(texts));
}

void SystemColorsForm::List1_Click() {
  const int row = control("List1").ListIndex();
  if (row < 0 || row >= static_cast<int>(kElements.size())) return;
  selectedElement_ = kElements[static_cast<std::size_t>(row)].index;
  control("Picture1").setBackColor(app_.desktop.sysColor(selectedElement_));
}

void SystemColorsForm::Command2_Click() {
  if (const auto chosen = app_.dialogs.chooseColor(color_)) color_ = *chosen;
  control("Picture1").setBackColor(color_);
}

void SystemColorsForm::Command1_Click() {
  const ChangeScope changes(app_.journal, "System colours");
  app_.desktop.setSysColor(selectedElement_, color_);
}

void SystemColorsForm::Command3_Click() { app_.forms.Unload(*this); }

}  // namespace corvanta
