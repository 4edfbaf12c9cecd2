// Single registry operations the rest of the program calls by name: deleting
// a key or value (the health repairs), creating a key with a message on a
// run-time error, and reading one value as text through the shell object.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/registry_port.h"

namespace corvanta {

class DialogsPort;
class ScriptShell;

// "HKEY_LOCAL_MACHINE" for its root handle, "" for any other.
std::string rootName(RegKey root);
// The root handle a full root name (any case) stands for; 0 for none.
RegKey rootOf(std::string_view name);

// RegDeleteKeyA's status: 0 when deleted, 5 when the key has sub-keys.
long DeleteRegistryKey(RegistryPort& registry, RegKey root, const std::string& subKey);

// The open's status when the key cannot be opened, else the delete's.
long DeleteRegistryValue(RegistryPort& registry, RegKey root, const std::string& subKey,
                         const std::string& valueName);

// Creates (or opens) keyPath\subKeyName, or keyPath itself when the sub-key
// name is blank. Returns the create's status, or 1 after a run-time error,
// which is also shown to the user: `failure`, then the error. The words are
// the caller's, in the user's language; this layer knows no languages.
inline constexpr const char* kCreateSubKeyFailure = "Cannot Create Sub Key !!";
std::int32_t CreateSubKey(RegistryPort& registry, DialogsPort& dialogs, RegKey root,
                          const std::string& keyPath, const std::string& subKeyName,
                          const std::string& failure = kCreateSubKeyFailure);

// The value at a script-host path as text, or "Error" when it cannot be read
// or is empty.
std::string ReadShellRegistryValue(ScriptShell& shell, const std::string& path);

}  // namespace corvanta
