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
#include "platform/file_port.h"
#include "platform/registry_port.h"

namespace corvanta {

// What a call returns when the journal could not hold the change it was
// about to make (ERROR_WRITE_FAULT): nothing was changed.
inline constexpr long kErrorJournalNotWritten = 29;

// "HKEY_LOCAL_MACHINE" for its root handle, "" for any other.
std::string rootName(RegKey root);
RegKey rootOf(const std::string& name);

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
  long deleteKey(RegKey key, const std::string& subKey) override { return deleteKeyEx(key, subKey, 0); }
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
  // Records one change and makes it with `make`; a failed change is struck
  // from the record again.
  template <class Make>
  long recorded(const Change& change, Make&& make);

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
  long createDirectory(const std::string& path) override { return inner_.createDirectory(path); }
  long removeDirectory(const std::string& path) override { return inner_.removeDirectory(path); }
  // The attributes a file had before a group changed them are kept, for
  // its deletion's record.
  long setFileAttributes(const std::string& path, std::uint32_t attributes) override;
  // A file deleted in a group is first copied into the journal's folder.
  long deleteFile(const std::string& path) override;
  long copyFile(const std::string& from, const std::string& to, bool failIfExists) override {
    return inner_.copyFile(from, to, failIfExists);
  }
  long readFile(const std::string& path, std::string& bytes) override {
    return inner_.readFile(path, bytes);
  }
  long createNewFile(const std::string& path, const std::string& bytes) override {
    return inner_.createNewFile(path, bytes);
  }

 private:
  std::optional<std::uint32_t> attributesOf(const std::string& path);

  FilePort& inner_;
  ChangeJournal& journal_;
  int copies_ = 0;
  std::map<std::string, std::uint32_t> originalAttributes_;  // by folded path
};

}  // namespace corvanta
