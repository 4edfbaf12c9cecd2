#include "core/drive_list.h"

#include <vector>

#include "base/text.h"
#include "platform/drive_port.h"
#include "platform/win32_status.h"
#include "ui/control.h"

namespace corvanta {

void fillDriveList(ui::Control& list, DrivePort& drives, const std::string& selected, bool labels) {
  std::vector<std::string> items;
  int chosen = 0;
  for (const std::string& root : drives.logicalDrives()) {
    std::string item = root.substr(0, 2);
    if (equalsIgnoringCase(item, selected)) chosen = static_cast<int>(items.size());
    const DriveType type = labels ? drives.driveType(root) : DriveType::Unknown;
    std::string label;
    if ((type == DriveType::Fixed || type == DriveType::RamDisk) &&
        drives.volumeLabel(root, label) == kErrorSuccess && !label.empty()) {
      item += " [" + label + "]";
    }
    items.push_back(std::move(item));
  }
  const bool any = !items.empty();
  list.setItems(std::move(items));
  if (any) list.setListIndex(chosen);
}

}  // namespace corvanta
