// The constructors of the control kinds, by family (the classes live in
// their .cpp files).
#pragma once

#include <memory>

#include "ui/win32/control_window.h"

namespace corvanta::ui::win32 {

std::unique_ptr<ControlWindow> makePushButton(Control& model);
std::unique_ptr<ControlWindow> makeCheckButton(Control& model);  // check box, option button
std::unique_ptr<ControlWindow> makeLabel(Control& model);        // label, skin label
std::unique_ptr<ControlWindow> makePicture(Control& model);
std::unique_ptr<ControlWindow> makeFrame(Control& model);
std::unique_ptr<ControlWindow> makeTextBox(Control& model);
std::unique_ptr<ControlWindow> makeComboBox(Control& model);  // combo box, drive list
std::unique_ptr<ControlWindow> makeImageCombo(Control& model);
std::unique_ptr<ControlWindow> makeListBox(Control& model);
std::unique_ptr<ControlWindow> makeListView(Control& model);
std::unique_ptr<ControlWindow> makeTrackBar(Control& model);
std::unique_ptr<ControlWindow> makeProgressBar(Control& model);
std::unique_ptr<ControlWindow> makeTabStrip(Control& model);
std::unique_ptr<ControlWindow> makeUpDown(Control& model);
std::unique_ptr<ControlWindow> makeHistogram(Control& model);

}  // namespace corvanta::ui::win32
