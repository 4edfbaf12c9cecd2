// Registry keys and values written as a Unicode registry file ("Windows
// Registry Editor Version 5.00", UTF-16LE with a byte-order mark), so that
// the registry editor's import gives back every key, and every value with
// its type and its bytes exactly, whatever alphabet their names use.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry_port.h"
#include "registry/value_data.h"

namespace corvanta {

// One value's line: "name"=... (@= for the default value). Strings that a
// quoted text gives back exactly are written quoted, a DWORD of four bytes
// as dword:, everything else as hex(type): bytes, string types (UTF-8 here)
// as the UTF-16 they are stored as.
// `name` must be exportable (regNameExportable).
std::string regValueLine(const std::string& name, std::uint32_t type, const Bytes& data);
// A registry file has no way to write a zero or a line break in a name: a
// value so named cannot be backed up, and so is never deleted.
bool regNameExportable(const std::string& name);
// Nor can it give back text whose last character is not a zero: importing
// it, Windows adds the terminator the data lacks. Such a value is kept too.
bool regDataExportable(std::uint32_t type, const Bytes& data);

class RegExport {
 public:
  explicit RegExport(RegistryPort& registry) : registry_(registry) {}

  // The key at `path` below `parent` (whose full name is `parentName`) and
  // everything below it. False, with nothing added, when any of it cannot
  // be read.
  // Every key below is opened in the view `viewFlag` names.
  bool addKeyTree(RegKey parent, const std::string& parentName, const std::string& path,
                  std::uint32_t viewFlag = 0);
  // Only the named values of that key (an empty path: `parent` itself).
  bool addValues(RegKey parent, const std::string& parentName, const std::string& path,
                 const std::vector<std::string>& names);
  // A value as it was read (by the enumeration that judged it), under the
  // key parentName\path; false, adding nothing, for a value no .reg line
  // can give back exactly.
  bool addValue(const std::string& parentName, const std::string& path, const std::string& name,
                std::uint32_t type, const Bytes& data);
  bool empty() const { return body_.empty(); }
  // The whole file's text (UTF-8), and the bytes to write for it.
  std::string text() const { return "Windows Registry Editor Version 5.00\r\n" + body_; }
  std::string fileBytes() const;

 private:
  bool writeTree(RegKey key, const std::string& fullName, std::uint32_t viewFlag, std::string& out);
  bool writeValue(RegKey key, const std::string& name, std::string& out);

  RegistryPort& registry_;
  std::string body_;
  std::string valuesKey_;  // the key the body's last lines are values of, if added as values
};

}  // namespace corvanta
