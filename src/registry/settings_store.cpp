#include "registry/settings_store.h"

#include <optional>
#include <string_view>

#include "base/text.h"
#include "platform/file_port.h"
#include "registry/query_value.h"
#include "registry/registry_error.h"

namespace corvanta {
namespace {

// A section's file holds one "key=value" line a setting, in UTF-8; a
// value's backslashes and line breaks are escaped (escapedLine), so that a
// list kept in one setting (the ignored entries, one a line) stays one line.

// Where `key`'s line starts in `text` and where it ends (after its line
// break); nothing when the section holds no such key. Keys match without
// regard to case, as the registry's value names do.
std::optional<std::pair<std::size_t, std::size_t>> keyLine(const std::string& text,
                                                           const std::string& key) {
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    const std::string_view line(text.data() + start, end - start);
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos &&
        equalsIgnoringCase(std::string(line.substr(0, equals)), key))
      return std::make_pair(start, end);
    start = end;
  }
  return std::nullopt;
}

}  // namespace

std::string settingsKeyPath(const std::string& application, const std::string& section) {
  return "Software\\VB and VBA Program Settings\\" + application + '\\' + section;
}

std::string SettingsStore::GetSetting(const std::string& application, const std::string& section,
                                      const std::string& key, const std::string& fallback) {
  if (files_) {
    std::string text;
    if (files_->readFile(sectionFile(application, section), text) != kErrorSuccess) return fallback;
    const auto line = keyLine(text, key);
    if (!line) return fallback;
    std::string_view value(text.data() + line->first, line->second - line->first);
    value.remove_prefix(value.find('=') + 1);
    while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.remove_suffix(1);
    return unescapedLine(value);
  }
  ScopedRegKey opened;
  if (openOrBorrow(*registry_, kHkeyCurrentUser, settingsKeyPath(application, section),
                   kKeyQueryValue, opened) != kErrorSuccess) {
    return fallback;
  }
  std::uint32_t type = 0;
  Bytes data;
  if (queryValue(*registry_, opened.get(), key, type, data) != kErrorSuccess) return fallback;
  if (type != kRegSz && type != kRegExpandSz) return fallback;
  std::string text(data.begin(), data.end());
  return trimAtNull(text);
}

void SettingsStore::SaveSetting(const std::string& application, const std::string& section,
                                const std::string& key, const std::string& value) {
  if (application.empty() || section.empty() || key.empty()) {
    throw RegistryError(kErrorInvalidParameter,
                        "A setting needs an application, a section and a key.");
  }
  long status = kErrorSuccess;
  if (files_) {
    const std::string file = sectionFile(application, section);
    std::string text;
    status = files_->readFile(file, text);
    if (status == kErrorFileNotFound || status == kErrorPathNotFound) {
      text.clear();
      status = makeFolderTree(*files_, file.substr(0, file.rfind('\\'))) ? kErrorSuccess
                                                                         : kErrorPathNotFound;
    }
    if (status == kErrorSuccess) {
      const std::string line = key + '=' + escapedLine(value) + "\r\n";
      if (const auto at = keyLine(text, key)) {
        text.replace(at->first, at->second - at->first, line);
      } else {
        if (!text.empty() && text.back() != '\n') text += "\r\n";
        text += line;
      }
      status = files_->replaceFile(file, text);
    }
  } else {
    status = saveInRegistry(application, section, key, value);
  }
  if (status != kErrorSuccess) {
    throw RegistryError(status,
                        "Cannot save the setting " + application + '\\' + section + '\\' + key);
  }
}

std::string SettingsStore::sectionFile(const std::string& application,
                                       const std::string& section) const {
  return folder_ + '\\' + application + '\\' + section + ".ini";
}

long SettingsStore::saveInRegistry(const std::string& application, const std::string& section,
                                   const std::string& key, const std::string& value) {
  RegKey created = 0;
  long status = registry_->createKeyEx(kHkeyCurrentUser, settingsKeyPath(application, section), "",
                                      0, kKeySetValue, created, nullptr);
  if (status == kErrorSuccess) {
    const ScopedRegKey opened(*registry_, created);
    const std::string stored = value + '\0';
    status = registry_->setValueEx(opened.get(), key, kRegSz,
                                   reinterpret_cast<const std::uint8_t*>(stored.data()),
                                   static_cast<std::uint32_t>(stored.size()));
  }
  return status;
}

}  // namespace corvanta
