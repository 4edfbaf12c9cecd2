#include "registry/registry_helpers.h"

#include <array>
#include <exception>
#include <utility>

#include "base/text.h"
#include "base/app_title.h"
#include "base/resume.h"
#include "platform/dialogs_port.h"
#include "registry/script_shell.h"

namespace corvanta {
namespace {

// Query, set, create sub-key, enumerate sub-keys, notify, create link: the
// rights a value delete needs, without the standard ones.
constexpr std::uint32_t kDeleteValueAccess = 0x3F;

constexpr std::array<std::pair<RegKey, const char*>, 5> kRootNames{{
    {kHkeyClassesRoot, "HKEY_CLASSES_ROOT"},
    {kHkeyCurrentUser, "HKEY_CURRENT_USER"},
    {kHkeyLocalMachine, "HKEY_LOCAL_MACHINE"},
    {kHkeyUsers, "HKEY_USERS"},
    {kHkeyCurrentConfig, "HKEY_CURRENT_CONFIG"},
}};

}  // namespace

std::string rootName(RegKey root) {
  for (const auto& [key, name] : kRootNames) {
    if (key == root) return name;
  }
  return {};
}

RegKey rootOf(std::string_view name) {
  for (const auto& [key, root] : kRootNames) {
    if (equalsIgnoringCase(name, root)) return key;
  }
  return 0;
}

long DeleteRegistryKey(RegistryPort& registry, RegKey root, const std::string& subKey) {
  return registry.deleteKey(root, subKey);
}

long DeleteRegistryValue(RegistryPort& registry, RegKey root, const std::string& subKey,
                         const std::string& valueName) {
  RegKey opened = 0;
  const long status = registry.openKeyEx(root, subKey, kDeleteValueAccess, opened);
  if (status != kErrorSuccess) return status;
  const ScopedRegKey key(registry, opened);
  return registry.deleteValue(key.get(), valueName);
}

std::int32_t CreateSubKey(RegistryPort& registry, DialogsPort& dialogs, RegKey root,
                          const std::string& keyPath, const std::string& subKeyName,
                          const std::string& failure) {
  const std::string path = trimSpaces(subKeyName).empty() ? keyPath : keyPath + '\\' + subKeyName;
  ScopedRegKey key;
  try {
    RegKey created = 0;
    const long status = registry.createKey(root, path, created);
    if (status == kErrorSuccess) key = ScopedRegKey(registry, created);
    return static_cast<std::int32_t>(status);  // a Win32 status fits
  } catch (const std::exception& error) {
    key.reset();
    dialogs.messageBox(failure + "\r\n" + error.what(), kAppTitle, kMbIconError);
    return 1;
  }
}

std::string ReadShellRegistryValue(ScriptShell& shell, const std::string& path) {
  std::string text;
  resumeNext([&] { text = shell.RegRead(path).toText(); });
  return text.empty() ? "Error" : text;
}

}  // namespace corvanta
