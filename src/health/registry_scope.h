// The keys the registry checks work below, and the tree delete they share.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/registry_port.h"

namespace corvanta {

class RegistryRoutines;
namespace ui {
class Forms;
}

// One key a check reads and repairs below, open for the length of the run,
// with its full name as a backup file writes it.
struct RegistryScope {
  ScopedRegKey key;
  std::string name;  // "HKEY_LOCAL_MACHINE\SOFTWARE\..."
};

// HKEY_LOCAL_MACHINE\<path> (a path below SOFTWARE) as every program on this
// system sees it. On 64-bit Windows that is two keys, the native one and its
// 32-bit counterpart under SOFTWARE\Wow6432Node, both opened through the
// 64-bit view so that either build of the program finds the same two; each
// entry is then judged once, in the key that holds it. A key that does not
// exist is left out.
std::vector<RegistryScope> machineScopes(RegistryPort& registry, const std::string& path);
// HKEY_CURRENT_USER\<path>: one key, whichever the view.
std::vector<RegistryScope> userScopes(RegistryPort& registry, const std::string& path);

// An entry a check found: a key or value name below one of its scopes.
struct ScopedEntry {
  std::size_t scope;
  std::string name;
};

// Every sub-key of each scope, scope by scope, in the registry's order.
std::vector<ScopedEntry> subKeysOf(RegistryPort& registry,
                                   const std::vector<RegistryScope>& scopes);

// The names of the sub-keys of the open key, in the order the registry gives
// them; nothing when they cannot all be read.
std::optional<std::vector<std::string>> subKeyNames(RegistryPort& registry, RegKey key);

// Deletes the key at `path` below `root` with every key and value below it:
// depth first, each value on its own (letting the window's events run
// before each), then the key. A step that fails is passed over.
void DeleteKeyTree(RegistryRoutines& routines, RegistryPort& registry, ui::Forms& forms,
                   RegKey root, const std::string& path);

}  // namespace corvanta
