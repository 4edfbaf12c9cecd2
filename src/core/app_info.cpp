#include "core/app_info.h"

#include "platform/system_port.h"

namespace corvanta {

std::string AppFolder(SystemPort& system) {
  std::string path = system.moduleFileName();
  const auto separator = path.find_last_of("\\/");
  path.erase(separator == std::string::npos ? 0 : separator);
  return path;
}

}  // namespace corvanta
