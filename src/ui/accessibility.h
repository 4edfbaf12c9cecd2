// What a screen reader is told about a control, worked out from the form
// model so that it follows the language and the window's state.
#pragma once

#include <string>

#include "ui/control.h"

namespace corvanta::ui {

// A caption as read aloud: its access-key marks gone ("Check && Repair"
// reads "Check & Repair", "&Apply" reads "Apply"), its blanks single.
std::string plainCaption(const std::string& caption);

// The control's name: its own caption; for a control without one, the label
// before it in its frame, else its declared name, its tooltip or its
// frame's caption; a label the program fills (a count) is named by the
// label before it with its text. A name that two controls showing at once
// would share is told apart by the frame (or the label) it belongs to.
std::string accessibleName(const Control& control);

// The value a graph shows ("51 %"); empty for a control that has none.
std::string accessibleValue(const Control& control);

}  // namespace corvanta::ui
