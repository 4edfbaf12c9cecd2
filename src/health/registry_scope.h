// The keys the registry checks work below, and the tree delete they share.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/registry_port.h"

namespace corvanta {

class CheckProgress;
class SystemPort;

// Whose entries a scope holds. On 64-bit Windows a 32-bit program sees
// other folders than a 64-bit one: System32 is SysWOW64 to it, and
// %ProgramFiles% is "Program Files (x86)". An entry means what it means to
// the programs of its own view.
enum class ScopeView {
  Only,    // a system with one view
  Native,  // the 64-bit programs' key on 64-bit Windows
  Wow32,   // the 32-bit programs' key (below Wow6432Node)
  Shared,  // one key both views see: its entries may be either's
};

// One key a check reads and repairs below, open for the length of the run,
// with its full name as a backup file writes it.
struct RegistryScope {
  ScopedRegKey key;
  std::string name;  // "HKEY_LOCAL_MACHINE\SOFTWARE\..."
  ScopeView view = ScopeView::Only;
  // The view flag every open, export and delete below the key repeats: a
  // child opened without it may be the other view's key of the same name.
  std::uint32_t viewFlag = 0;
};

// The full paths `path` may stand for to the programs of `view`, each of
// which is looked for: for a 32-bit program's entry, its System32 is the
// Windows folder's SysWOW64; in a shared key, both. `windowsFolder` is
// "C:\WINDOWS" or the like.
std::vector<std::string> pathReadings(const std::string& path, ScopeView view,
                                      const std::string& windowsFolder);

// A REG_EXPAND_SZ text as the programs of `view` expand it: %ProgramFiles%
// and %CommonProgramFiles% name their own folders for each bitness, every
// other variable as the system has it; in a shared key, once for each
// bitness. Nothing when a variable is not set (the text cannot be read, and
// its entry is kept).
std::optional<std::vector<std::string>> expandForView(const std::string& text, ScopeView view,
                                                      SystemPort& system);

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

// The names of the sub-keys, or of the values, of the open key, in the
// order the registry gives them; nothing when they cannot all be read.
std::optional<std::vector<std::string>> subKeyNames(RegistryPort& registry, RegKey key);
std::optional<std::vector<std::string>> valueNames(RegistryPort& registry, RegKey key);

// Deletes the key at `path` below `parent` with every key and value below
// it, each in the view `viewFlag` names: depth first, each value on its own
// (letting the user's input run before each), then the key. A step that
// fails is passed over; the status of deleting the key itself is returned.
long DeleteKeyTree(RegistryPort& registry, CheckProgress& progress, RegKey parent,
                   const std::string& path, std::uint32_t viewFlag);

}  // namespace corvanta
