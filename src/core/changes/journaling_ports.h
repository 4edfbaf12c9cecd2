// The registry and the file system as the windows change them: each write
// or delete made while a change group is open is first recorded in the
// journal with what was there, then passed on. Reads, and everything done
// outside a group (the program's own settings, say), pass straight through.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/changes/change_journal.h"
#include "platform/desktop_port.h"
#include "platform/file_port.h"
#include "platform/registry_port.h"

namespace corvanta {

// What a call returns when the journal could not hold the change it was
// about to make (ERROR_WRITE_FAULT): nothing was changed.
inline constexpr long kErrorJournalNotWritten = 29;

class JournalingRegistry final : public RegistryPort {
 public:
  JournalingRegistry(RegistryPort& inner, ChangeJournal& journal)
      : inner_(inner), journal_(journal) {}

  long openKeyEx(RegKey key, const std::string& subKey, std::uint32_t access,
                 RegKey& result) override;
  long createKey(RegKey key, const std::string& subKey, RegKey& result) override;
  long createKeyEx(RegKey key, const std::string& subKey, const std::string& className,
                   std::uint32_t options, std::uint32_t access, RegKey& result,
                   std::uint32_t* disposition) override;
  long enumKeyEx(RegKey key, std::uint32_t index, char* name, std::uint32_t& nameLength) override {
    return inner_.enumKeyEx(key, index, name, nameLength);
  }
  long enumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t& nameLength,
                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataLength) override {
    return inner_.enumValue(key, index, name, nameLength, type, data, dataLength);
  }
  long queryValueEx(RegKey key, const std::string& valueName, std::uint32_t* type,
                    std::uint8_t* data, std::uint32_t* dataLength) override {
    return inner_.queryValueEx(key, valueName, type, data, dataLength);
  }
  long setValueEx(RegKey key, const std::string& valueName, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t dataLength) override;
  long deleteKey(RegKey key, const std::string& subKey) override {
    return deleteKeyEx(key, subKey, 0);
  }
  long deleteKeyEx(RegKey key, const std::string& subKey, std::uint32_t view) override;
  long deleteValue(RegKey key, const std::string& valueName) override;
  long connectRegistry(const std::string& machineName, RegKey key, RegKey& result) override {
    return inner_.connectRegistry(machineName, key, result);
  }
  long closeKey(RegKey key) override;

 private:
  struct Place {
    std::string name;  // full, from the root's name
    std::uint32_t view = 0;
  };
  Place placeOf(RegKey key) const;
  void remember(RegKey parent, const std::string& subKey, std::uint32_t access, RegKey opened);
  std::optional<ValueState> current(const Place& place, const std::string& valueName);
  std::optional<ValueState> read(RegKey key, const std::string& valueName);

  RegistryPort& inner_;
  ChangeJournal& journal_;
  std::map<RegKey, Place> places_;
};

class JournalingFiles final : public FilePort {
 public:
  JournalingFiles(FilePort& inner, ChangeJournal& journal) : inner_(inner), journal_(journal) {}

  long appendToFile(const std::string& path, const std::string& bytes) override {
    return inner_.appendToFile(path, bytes);
  }
  long findFiles(const std::string& pattern, std::vector<FileEntry>& found) override {
    return inner_.findFiles(pattern, found);
  }
  long anyMatch(const std::string& pattern) override { return inner_.anyMatch(pattern); }
  // A folder made in a group, outside the program's own, is recorded.
  long createDirectory(const std::string& path) override;
  long removeDirectory(const std::string& path) override;
  // The attributes a file had before a group changed them are kept, for
  // its deletion's record.
  long setFileAttributes(const std::string& path, std::uint32_t attributes) override;
  // A file deleted in a group is first copied into the journal's folder.
  long deleteFile(const std::string& path) override;
  long copyFile(const std::string& from, const std::string& to, bool failIfExists) override {
    return inner_.copyFile(from, to, failIfExists);
  }
  // Only the program's own files are moved while a group is open: a move
  // elsewhere would be a change the journal cannot record.
  long moveFile(const std::string& from, const std::string& to) override {
    if (journal_.recording() && !(ours(from) && ours(to))) return kErrorJournalNotWritten;
    return inner_.moveFile(from, to);
  }
  long readFile(const std::string& path, std::string& bytes) override {
    return inner_.readFile(path, bytes);
  }
  long createNewFile(const std::string& path, const std::string& bytes) override {
    return inner_.createNewFile(path, bytes);
  }
  long replaceFile(const std::string& path, const std::string& bytes) override {
    return inner_.replaceFile(path, bytes);
  }
  long openShared(const std::string& path, std::unique_ptr<SharedFile>& file) override {
    return inner_.openShared(path, file);
  }

 private:
  std::optional<std::uint32_t> attributesOf(const std::string& path);
  bool ours(const std::string& path);

  FilePort& inner_;
  ChangeJournal& journal_;
  int copies_ = 0;
  std::map<std::string, std::uint32_t> originalAttributes_;  // by folded path
};

// A desktop parameter by the name the journal gives it ("Mouse speed",
// "Colour 1", "Wallpaper"), read and set as its setter would.
std::optional<ValueState> readParameter(DesktopPort& desktop, const std::string& which);
bool writeParameter(DesktopPort& desktop, const std::string& which, const ValueState& state);

// The desktop's stored parameters, each setter recorded with what the
// parameter held; a parameter Windows will not tell is not changed.
class JournalingDesktop final : public DesktopPort {
 public:
  JournalingDesktop(DesktopPort& inner, ChangeJournal& journal)
      : inner_(inner), journal_(journal) {}

  std::uint32_t sysColor(int index) override { return inner_.sysColor(index); }
  bool setSysColor(int index, std::uint32_t color) override;
  std::optional<bool> fontSmoothing() override { return inner_.fontSmoothing(); }
  std::optional<int> mouseTrails() override { return inner_.mouseTrails(); }
  int doubleClickTime() override { return inner_.doubleClickTime(); }
  std::optional<int> mouseSpeed() override { return inner_.mouseSpeed(); }
  std::optional<int> keyboardSpeed() override { return inner_.keyboardSpeed(); }
  std::optional<int> keyboardDelay() override { return inner_.keyboardDelay(); }
  bool mouseButtonSwap() override { return inner_.mouseButtonSwap(); }
  std::optional<std::string> wallpaper() override { return inner_.wallpaper(); }
  bool highContrast() override { return inner_.highContrast(); }
  bool appsUseDarkTheme() override { return inner_.appsUseDarkTheme(); }
  bool setWallpaper(const std::string& path) override;
  bool setFontSmoothing(bool on) override;
  bool setMouseSpeed(int speed) override;
  bool setKeyboardSpeed(int speed) override;
  bool setKeyboardDelay(int delay) override;
  bool setMouseButtonSwap(bool swapped) override;
  bool setMouseTrails(int trails) override;
  bool setDoubleClickTime(int milliseconds) override;
  long changeResolution(int width, int height) override {
    return inner_.changeResolution(width, height);  // for this session only: nothing stored
  }
  std::vector<std::string> fontFamilies() override { return inner_.fontFamilies(); }
  int addFontResource(const std::string& path) override { return inner_.addFontResource(path); }
  bool removeFontResource(const std::string& path) override {
    return inner_.removeFontResource(path);
  }
  void broadcastFontChange() override { inner_.broadcastFontChange(); }
  long convertToBitmap(const std::string& source, const std::string& target) override {
    return inner_.convertToBitmap(source, target);
  }

 private:
  bool recorded(const std::string& which, const ValueState& after);

  DesktopPort& inner_;
  ChangeJournal& journal_;
};

}  // namespace corvanta
