// An in-memory registry with the semantics of the Windows one: names compared
// without regard to case (code page 1252), sub-keys enumerated in name order
// and values in creation order, the buffer rules of the Reg* calls, a key
// with sub-keys that RegDeleteKeyA refuses, and data kept byte for byte as
// written; on a 64-bit system (one with HKLM\SOFTWARE\Wow6432Node) the two
// views of HKLM\SOFTWARE as a program of either bitness sees them. Tests
// arrange it directly, inject faults and watch the calls.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry_port.h"
#include "registry/value_data.h"

namespace corvanta::testing {

enum class RegistryOp {
  OpenKey,
  CreateKey,
  CreateKeyEx,
  EnumKey,
  EnumValue,
  QueryValue,
  SetValue,
  DeleteKey,
  DeleteValue,
  Connect,
  CloseKey,
};

struct StoredValue {
  std::string name;
  std::uint32_t type = 0;
  Bytes data;
};

class FakeRegistry final : public RegistryPort {
 public:
  FakeRegistry();
  ~FakeRegistry() override;

  // --- the port ---
  long openKeyEx(RegKey key, const std::string& subKey, std::uint32_t access,
                 RegKey& result) override;
  long createKey(RegKey key, const std::string& subKey, RegKey& result) override;
  long createKeyEx(RegKey key, const std::string& subKey, const std::string& className,
                   std::uint32_t options, std::uint32_t access, RegKey& result,
                   std::uint32_t* disposition) override;
  long enumKeyEx(RegKey key, std::uint32_t index, char* name, std::uint32_t& nameLength) override;
  long enumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t& nameLength,
                 std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataLength) override;
  long queryValueEx(RegKey key, const std::string& valueName, std::uint32_t* type,
                    std::uint8_t* data, std::uint32_t* dataLength) override;
  long setValueEx(RegKey key, const std::string& valueName, std::uint32_t type,
                  const std::uint8_t* data, std::uint32_t dataLength) override;
  long deleteKey(RegKey key, const std::string& subKey) override;
  long deleteKeyEx(RegKey key, const std::string& subKey, std::uint32_t view) override;
  long deleteValue(RegKey key, const std::string& valueName) override;
  long connectRegistry(const std::string& machineName, RegKey key, RegKey& result) override;
  long closeKey(RegKey key) override;

  // --- arranging and inspecting, outside the counted calls ---
  void addKey(RegKey root, const std::string& path);
  void putValue(RegKey root, const std::string& path, const std::string& name, std::uint32_t type,
                Bytes data);
  // A REG_SZ with its terminator, as the system writes strings.
  void putString(RegKey root, const std::string& path, const std::string& name,
                 const std::string& text);
  void putDword(RegKey root, const std::string& path, const std::string& name,
                std::uint32_t number);
  void removeValue(RegKey root, const std::string& path, const std::string& name);
  bool hasKey(RegKey root, const std::string& path) const;
  std::optional<StoredValue> value(RegKey root, const std::string& path,
                                   const std::string& name) const;
  std::size_t valueCount(RegKey root, const std::string& path) const;
  // Opening it with any write right, writing in it, creating below it or
  // deleting it is then refused with access denied.
  void markReadOnly(RegKey root, const std::string& path);
  // The running program is 32-bit on 64-bit Windows: a key below
  // HKLM\SOFTWARE that it opens, creates or deletes without the 64-bit view
  // flag is the one below SOFTWARE\Wow6432Node (as with the 32-bit flag,
  // which any program may give), the whole path counted, so a child opened
  // through a handle of the 64-bit view without the flag lands there too.
  void runAsThirtyTwoBitProgram(bool yes = true) { thirtyTwoBitProgram_ = yes; }
  // The name connectRegistry accepts besides the empty one.
  void setComputerName(std::string name) { computerName_ = std::move(name); }

  // --- fault injection ---
  // The `n`th port call from now (1 = the next one) fails with `status`.
  void failCall(int n, long status);
  // Every call that addresses the key at `path`, or a key below it, fails
  // with `status` (closing excepted).
  void failPath(RegKey root, const std::string& path, long status);
  void clearFaults();
  // Runs at the start of every port call, before any fault: lets a test
  // change the registry between two calls of the code under test.
  std::function<void(RegistryOp)> beforeCall;

  // --- watching ---
  int calls(RegistryOp op) const;
  int totalCalls() const { return totalCalls_; }
  std::size_t openHandles() const { return handles_.size(); }
  // The access asked for by the latest openKeyEx.
  std::uint32_t lastOpenAccess() const { return lastOpenAccess_; }

 private:
  struct Key;
  struct Handle {
    std::shared_ptr<Key> key;
    std::uint32_t access = 0;
  };

  // Where a sub-key path below a key lands in the view an access asks for.
  struct Target {
    std::shared_ptr<Key> from;
    std::string path;
  };
  Target inView(const std::shared_ptr<Key>& from, const std::string& subKey,
                std::uint32_t access) const;
  long enter(RegistryOp op, RegKey key, Handle*& handle);
  long enterPath(RegistryOp op, RegKey key, const std::string& subKey, std::uint32_t access,
                 Handle*& handle, Target& target);
  long begin(RegistryOp op);
  long pathFault(RegistryOp op, const Key* addressed, const std::string& subKey = {});
  long resolve(RegKey key, Handle*& handle);
  std::shared_ptr<Key> rootKey(RegKey root) const;
  std::shared_ptr<Key> find(const std::shared_ptr<Key>& from, const std::string& path,
                            long& status) const;
  std::shared_ptr<Key> make(const std::shared_ptr<Key>& from, const std::string& path);
  RegKey newHandle(std::shared_ptr<Key> key, std::uint32_t access);
  long create(RegistryOp op, RegKey key, const std::string& subKey, std::uint32_t access,
              RegKey& result, std::uint32_t* disposition);
  StoredValue* findValue(Key& key, const std::string& name) const;

  std::map<RegKey, std::shared_ptr<Key>> roots_;
  std::map<RegKey, Handle> handles_;
  Handle rootHandle_;  // what a predefined root resolves to, with every right
  RegKey nextHandle_ = 0x00010000;
  std::string computerName_ = "CORVANTA-TEST";
  bool thirtyTwoBitProgram_ = false;

  struct PathFault {
    RegKey root;
    std::string foldedPath;
    long status;
  };
  std::vector<PathFault> pathFaults_;
  std::map<int, long> callFaults_;  // absolute call number -> status
  std::map<RegistryOp, int> calls_;
  int totalCalls_ = 0;
  std::uint32_t lastOpenAccess_ = 0;
};

}  // namespace corvanta::testing
