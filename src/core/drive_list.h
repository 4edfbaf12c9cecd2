// A drive list as the program shows it: every drive as "c:", with its label
// where a drive of that kind answers at once (never a floppy or CD drive,
// which would spin up or ask for a disk).
#pragma once

#include <string>

namespace corvanta {

class DrivePort;
namespace ui {
class Control;
}

// Fills `list` and selects the drive `selected` ("c:"), or the first; with
// `labels` false, the letters alone (the labels can follow, once the window
// is up: some drives take a while to tell theirs).
void fillDriveList(ui::Control& list, DrivePort& drives, const std::string& selected,
                   bool labels = true);

}  // namespace corvanta
