// Captions that never hide part of their text: a caption wider than its
// control makes the control wider, as far as the container and the next
// control on its line allow, by no more than the overflow; what still does
// not fit ends in an ellipsis ("...") and shows whole in a tooltip. A label
// tall enough for more lines keeps wrapping.
#pragma once

#include <windows.h>

#include <string>

namespace corvanta::ui::win32 {

// The window's rectangle in its parent's client coordinates.
RECT boundsInParent(HWND window);

// The text's extent in the window's own font, "&" prefixes as the control
// draws them: one line, or wrapped to `wrapWidth` when it is above 0.
SIZE captionExtent(HWND window, const std::string& text, int wrapWidth = 0);

// Room the control's kind takes beside its text (a check box's box).
int captionMargin(HWND window);

struct CaptionFit {
  bool fits = true;     // the whole text shows
  std::string toolTip;  // the full text, when it does not
};

// Fits the caption of a label, check box, option button or push button to
// its window as above.
CaptionFit fitCaption(HWND window, const std::string& text);

}  // namespace corvanta::ui::win32
