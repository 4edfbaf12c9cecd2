#include "core/changes/journaling_ports.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "base/text.h"
#include "registry/query_value.h"
#include "registry/registry_helpers.h"

namespace corvanta {
namespace {

constexpr std::uint32_t kViews = kKeyWow64_64Key | kKeyWow64_32Key;

// Records one change and makes it with `make`; a change that failed is
// struck from the record again.
template <class Make>
long recorded(ChangeJournal& journal, const Change& change, Make&& make) {
  if (!journal.record(change)) return kErrorJournalNotWritten;
  const long status = make();
  if (status != kErrorSuccess) journal.cancelLast();
  return status;
}

std::string joined(const std::string& parent, const std::string& subKey) {
  std::string path = subKey;
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path.empty() ? parent : parent + '\\' + path;
}

}  // namespace

JournalingRegistry::Place JournalingRegistry::placeOf(RegKey key) const {
  if (isPredefinedRoot(key)) return {rootName(key), 0};
  const auto found = places_.find(key);
  return found == places_.end() ? Place{} : found->second;
}

void JournalingRegistry::remember(RegKey parent, const std::string& subKey, std::uint32_t access,
                                  RegKey opened) {
  const Place above = placeOf(parent);
  if (above.name.empty()) return;
  places_[opened] = {joined(above.name, subKey),
                     (access & kViews) ? (access & kViews) : above.view};
}

long JournalingRegistry::openKeyEx(RegKey key, const std::string& subKey, std::uint32_t access,
                                   RegKey& result) {
  const long status = inner_.openKeyEx(key, subKey, access, result);
  if (status == kErrorSuccess) remember(key, subKey, access, result);
  return status;
}

long JournalingRegistry::createKey(RegKey key, const std::string& subKey, RegKey& result) {
  return createKeyEx(key, subKey, "", 0, kKeyAllAccess, result, nullptr);
}

long JournalingRegistry::createKeyEx(RegKey key, const std::string& subKey,
                                     const std::string& className, std::uint32_t options,
                                     std::uint32_t access, RegKey& result,
                                     std::uint32_t* disposition) {
  const Place parent = placeOf(key);
  if (!journal_.recording() || parent.name.empty()) {
    const long status =
        inner_.createKeyEx(key, subKey, className, options, access, result, disposition);
    if (status == kErrorSuccess) remember(key, subKey, access, result);
    return status;
  }
  // Every level the call will make is recorded first, top down, so that an
  // undo removes each again, bottom up.
  const std::uint32_t view = (access & kViews) ? (access & kViews) : parent.view;
  std::vector<Change> made;
  for (std::size_t end = 0; end != std::string::npos;) {
    end = subKey.find('\\', end + 1);
    const std::string level = subKey.substr(0, end);
    if (level.empty() || level.back() == '\\') continue;
    RegKey probe = 0;
    const long open =
        made.empty() ? inner_.openKeyEx(key, level, kKeyRead | view, probe) : kErrorFileNotFound;
    if (open == kErrorSuccess) {
      inner_.closeKey(probe);
    } else if (open == kErrorFileNotFound) {
      made.push_back(Change::keyChange(view, joined(parent.name, level), false, true));
    } else {
      break;  // cannot tell: the create below fails the same way, or makes nothing
    }
  }
  for (std::size_t i = 0; i < made.size(); ++i) {
    if (!journal_.record(made[i])) {
      while (i-- > 0) journal_.cancelLast();
      return kErrorJournalNotWritten;
    }
  }
  const long status =
      inner_.createKeyEx(key, subKey, className, options, access, result, disposition);
  if (status != kErrorSuccess) {
    for (std::size_t i = 0; i < made.size(); ++i) journal_.cancelLast();
    return status;
  }
  remember(key, subKey, access, result);
  return status;
}

// What the value holds now, read through a handle of its own: the caller's
// may have been opened for writing only. Nothing when that cannot be told.
std::optional<ValueState> JournalingRegistry::current(const Place& place,
                                                      const std::string& valueName) {
  const std::size_t slash = place.name.find('\\');
  const RegKey root = rootOf(place.name.substr(0, slash));
  RegKey key = 0;
  const long open =
      inner_.openKeyEx(root, slash == std::string::npos ? "" : place.name.substr(slash + 1),
                       kKeyQueryValue | place.view, key);
  if (open == kErrorFileNotFound) return ValueState{};
  if (open != kErrorSuccess) return std::nullopt;
  const ScopedRegKey held(inner_, key);
  return read(key, valueName);
}

std::optional<ValueState> JournalingRegistry::read(RegKey key, const std::string& valueName) {
  ValueState state;
  const long status = queryValue(inner_, key, valueName, state.type, state.data);
  if (status == kErrorFileNotFound) return ValueState{};
  if (status != kErrorSuccess) return std::nullopt;
  state.present = true;
  return state;
}

long JournalingRegistry::setValueEx(RegKey key, const std::string& valueName, std::uint32_t type,
                                    const std::uint8_t* data, std::uint32_t dataLength) {
  const Place place = placeOf(key);
  if (!journal_.recording() || place.name.empty())
    return inner_.setValueEx(key, valueName, type, data, dataLength);
  const auto before = current(place, valueName);
  if (!before) return kErrorJournalNotWritten;  // what it held cannot be told
  ValueState after{true, type, Bytes(data, data + dataLength)};
  // Writing back what is there changes nothing: nothing to see or undo.
  if (*before == after) return inner_.setValueEx(key, valueName, type, data, dataLength);
  const Change change = Change::value(place.view, place.name, valueName, *before, std::move(after));
  return recorded(journal_, change,
                  [&] { return inner_.setValueEx(key, valueName, type, data, dataLength); });
}

long JournalingRegistry::deleteValue(RegKey key, const std::string& valueName) {
  const Place place = placeOf(key);
  if (!journal_.recording() || place.name.empty()) return inner_.deleteValue(key, valueName);
  // Read through the handle it is deleted through, when that may read:
  // a repair deletes thousands of values, and opening each key again by its
  // name costs two calls more a value.
  auto before = read(key, valueName);
  if (!before) before = current(place, valueName);
  if (!before) return kErrorJournalNotWritten;
  const Change change = Change::value(place.view, place.name, valueName, *before, {});
  if (!change.before.present) return inner_.deleteValue(key, valueName);
  return recorded(journal_, change, [&] { return inner_.deleteValue(key, valueName); });
}

long JournalingRegistry::deleteKeyEx(RegKey key, const std::string& subKey, std::uint32_t view) {
  const Place place = placeOf(key);
  if (!journal_.recording() || place.name.empty()) return inner_.deleteKeyEx(key, subKey, view);
  const std::uint32_t keyView = view ? view : place.view;
  // A key goes with the values it still holds: each is recorded first. One
  // that has sub-keys cannot be deleted, and is left to fail as it would.
  RegKey opened = 0;
  if (inner_.openKeyEx(key, subKey, kKeyRead | keyView, opened) != kErrorSuccess)
    return inner_.deleteKeyEx(key, subKey, view);
  const ScopedRegKey held(inner_, opened);
  std::vector<char> name(kValueNameBytes);
  std::uint32_t length = kKeyNameBytes;
  if (inner_.enumKeyEx(opened, 0, name.data(), length) != kErrorNoMoreItems)
    return inner_.deleteKeyEx(key, subKey, view);
  const std::string full = joined(place.name, subKey);
  std::vector<Change> changes;
  for (std::uint32_t index = 0;; ++index) {
    length = kValueNameBytes;
    const long status =
        inner_.enumValue(opened, index, name.data(), length, nullptr, nullptr, nullptr);
    if (status == kErrorNoMoreItems) break;
    if (status != kErrorSuccess) return inner_.deleteKeyEx(key, subKey, view);
    const std::string valueName(name.data(), length);
    const auto before = read(opened, valueName);  // opened for reading already
    if (!before) return kErrorJournalNotWritten;
    changes.push_back(Change::value(keyView, full, valueName, *before, {}));
  }
  changes.push_back(Change::keyChange(keyView, full, true, false));
  for (const Change& change : changes) {
    if (!journal_.record(change)) return kErrorJournalNotWritten;
  }
  const long status = inner_.deleteKeyEx(key, subKey, view);
  if (status != kErrorSuccess) {
    for (std::size_t i = 0; i < changes.size(); ++i) journal_.cancelLast();
  }
  return status;
}

long JournalingRegistry::closeKey(RegKey key) {
  places_.erase(key);
  return inner_.closeKey(key);
}

std::optional<std::uint32_t> JournalingFiles::attributesOf(const std::string& path) {
  std::vector<FileEntry> found;
  if (inner_.findFiles(path, found) != kErrorSuccess || found.size() != 1) return std::nullopt;
  return found[0].attributes;
}

long JournalingFiles::setFileAttributes(const std::string& path, std::uint32_t attributes) {
  if (journal_.recording()) {
    if (const auto now = attributesOf(path)) originalAttributes_.emplace(foldCase(path), *now);
  }
  return inner_.setFileAttributes(path, attributes);
}

bool JournalingFiles::ours(const std::string& path) {
  const std::string own = journal_.ownFolder();
  return !own.empty() && path.size() >= own.size() &&
         equalsIgnoringCase(std::string_view(path).substr(0, own.size()), own);
}

long JournalingFiles::createDirectory(const std::string& path) {
  if (!journal_.recording() || ours(path)) return inner_.createDirectory(path);
  return recorded(journal_, Change::folderMade(path), [&] { return inner_.createDirectory(path); });
}

long JournalingFiles::removeDirectory(const std::string& path) {
  if (!journal_.recording() || ours(path)) return inner_.removeDirectory(path);
  return recorded(journal_, Change::folderRemoved(path),
                  [&] { return inner_.removeDirectory(path); });
}

long JournalingFiles::deleteFile(const std::string& path) {
  if (!journal_.recording()) return inner_.deleteFile(path);
  const auto kept = originalAttributes_.find(foldCase(path));
  const std::uint32_t attributes =
      kept != originalAttributes_.end() ? kept->second : attributesOf(path).value_or(0);
  const std::string folder = journal_.copiesFolder();
  if (folder.empty()) return kErrorJournalNotWritten;
  // Numbered copies, each under a name of its own: nothing is overwritten.
  std::string copy;
  long copied = kErrorFileExists;
  while (copied == kErrorFileExists) {
    copy = folder + '\\' + std::to_string(++copies_) + ".bak";
    copied = inner_.copyFile(path, copy, true);
  }
  if (copied != kErrorSuccess) return copied;
  return recorded(journal_, Change::file(path, copy, attributes),
                  [&] { return inner_.deleteFile(path); });
}

}  // namespace corvanta

namespace corvanta {
namespace {

ValueState number(std::uint32_t value) {
  return {true, kRegDword,
          Bytes{static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)}};
}

std::optional<std::uint32_t> numberOf(const ValueState& state) {
  if (!state.present || state.type != kRegDword || state.data.size() != 4) return std::nullopt;
  return static_cast<std::uint32_t>(dwordFromBytes(state.data.data(), 4));
}

ValueState text(const std::string& value) {
  Bytes data(value.begin(), value.end());
  data.push_back(0);
  return {true, kRegSz, std::move(data)};
}

template <class Value>
std::optional<ValueState> numberIf(const std::optional<Value>& value) {
  if (!value) return std::nullopt;
  return number(static_cast<std::uint32_t>(*value));
}

constexpr const char* kColourPrefix = "Colour ";

}  // namespace

std::optional<ValueState> readParameter(DesktopPort& desktop, const std::string& which) {
  if (which == "Font smoothing") return numberIf(desktop.fontSmoothing());
  if (which == "Mouse speed") return numberIf(desktop.mouseSpeed());
  if (which == "Keyboard speed") return numberIf(desktop.keyboardSpeed());
  if (which == "Keyboard delay") return numberIf(desktop.keyboardDelay());
  if (which == "Mouse buttons swapped") return number(desktop.mouseButtonSwap() ? 1 : 0);
  if (which == "Mouse trails") return numberIf(desktop.mouseTrails());
  if (which == "Double-click time")
    return number(static_cast<std::uint32_t>(desktop.doubleClickTime()));
  if (which == "Wallpaper") {
    const auto path = desktop.wallpaper();
    return path ? std::optional<ValueState>(text(*path)) : std::nullopt;
  }
  if (which.rfind(kColourPrefix, 0) == 0)
    return number(desktop.sysColor(std::atoi(which.c_str() + std::strlen(kColourPrefix))));
  return std::nullopt;
}

bool writeParameter(DesktopPort& desktop, const std::string& which, const ValueState& state) {
  if (which == "Wallpaper") {
    if (!state.present || state.type != kRegSz) return false;
    return desktop.setWallpaper(
        std::string(state.data.begin(),
                    state.data.begin() + static_cast<std::ptrdiff_t>(lengthWithoutTerminators(
                                             state.data.data(), state.data.size(), 1))));
  }
  const auto value = numberOf(state);
  if (!value) return false;
  const int n = static_cast<int>(*value);
  if (which == "Font smoothing") return desktop.setFontSmoothing(n != 0);
  if (which == "Mouse speed") return desktop.setMouseSpeed(n);
  if (which == "Keyboard speed") return desktop.setKeyboardSpeed(n);
  if (which == "Keyboard delay") return desktop.setKeyboardDelay(n);
  if (which == "Mouse buttons swapped") return desktop.setMouseButtonSwap(n != 0);
  if (which == "Mouse trails") return desktop.setMouseTrails(n);
  if (which == "Double-click time") return desktop.setDoubleClickTime(n);
  if (which.rfind(kColourPrefix, 0) == 0)
    return desktop.setSysColor(std::atoi(which.c_str() + std::strlen(kColourPrefix)), *value);
  return false;
}

bool JournalingDesktop::recorded(const std::string& which, const ValueState& after) {
  if (!journal_.recording()) return writeParameter(inner_, which, after);
  const auto before = readParameter(inner_, which);
  if (!before || !journal_.record(Change::parameter(which, *before, after))) return false;
  const bool set = writeParameter(inner_, which, after);
  if (!set) journal_.cancelLast();
  return set;
}

bool JournalingDesktop::setSysColor(int index, std::uint32_t color) {
  return recorded(kColourPrefix + std::to_string(index), number(color));
}
bool JournalingDesktop::setWallpaper(const std::string& path) {
  return recorded("Wallpaper", text(path));
}
bool JournalingDesktop::setFontSmoothing(bool on) {
  return recorded("Font smoothing", number(on ? 1 : 0));
}
bool JournalingDesktop::setMouseSpeed(int speed) {
  return recorded("Mouse speed", number(static_cast<std::uint32_t>(speed)));
}
bool JournalingDesktop::setKeyboardSpeed(int speed) {
  return recorded("Keyboard speed", number(static_cast<std::uint32_t>(speed)));
}
bool JournalingDesktop::setKeyboardDelay(int delay) {
  return recorded("Keyboard delay", number(static_cast<std::uint32_t>(delay)));
}
bool JournalingDesktop::setMouseButtonSwap(bool swapped) {
  return recorded("Mouse buttons swapped", number(swapped ? 1 : 0));
}
bool JournalingDesktop::setMouseTrails(int trails) {
  return recorded("Mouse trails", number(static_cast<std::uint32_t>(trails)));
}
bool JournalingDesktop::setDoubleClickTime(int milliseconds) {
  return recorded("Double-click time", number(static_cast<std::uint32_t>(milliseconds)));
}

}  // namespace corvanta
