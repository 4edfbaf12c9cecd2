#include "fakes/fake_registry.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "base/text.h"

namespace corvanta::testing {
namespace {

constexpr std::uint32_t kDelete = 0x00010000;
constexpr std::uint32_t kWriteDac = 0x00040000;
constexpr std::uint32_t kWriteOwner = 0x00080000;
constexpr std::uint32_t kWriteRights =
    kKeySetValue | kKeyCreateSubKey | kKeyCreateLink | kDelete | kWriteDac | kWriteOwner;

std::vector<std::string> components(const std::string& path) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    const auto end = std::min(path.find('\\', start), path.size());
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string foldedJoin(const std::string& base, const std::string& path) {
  std::string joined = base;
  for (const auto& part : components(path)) {
    if (!joined.empty()) joined += '\\';
    joined += foldCase(part);
  }
  return joined;
}

}  // namespace

struct FakeRegistry::Key {
  std::string name;
  std::string foldedName;
  std::string foldedPath;  // below the root; empty for the root itself
  RegKey root = 0;
  Key* parent = nullptr;
  std::vector<std::shared_ptr<Key>> children;               // in folded-name order
  std::vector<StoredValue> values;                          // in creation order
  std::unordered_map<std::string, std::size_t> valueIndex;  // folded name -> position
  bool deleted = false;
  bool readOnly = false;

  // Sets a value, adding it after the others when it is new.
  void store(const std::string& valueName, std::uint32_t type, Bytes data) {
    const auto found = valueIndex.find(foldCase(valueName));
    if (found != valueIndex.end()) {
      values[found->second].type = type;
      values[found->second].data = std::move(data);
      return;
    }
    valueIndex.emplace(foldCase(valueName), values.size());
    values.push_back({valueName, type, std::move(data)});
  }

  // Removes a value; false when there is none of that name.
  bool erase(const std::string& valueName) {
    const auto found = valueIndex.find(foldCase(valueName));
    if (found == valueIndex.end()) return false;
    const std::size_t position = found->second;
    values.erase(values.begin() + static_cast<std::ptrdiff_t>(position));
    valueIndex.erase(found);
    for (auto& [folded, at] : valueIndex) {
      if (at > position) --at;
    }
    return true;
  }

  std::shared_ptr<Key> child(const std::string& folded) const {
    const auto at =
        std::lower_bound(children.begin(), children.end(), folded,
                         [](const auto& c, const std::string& f) { return c->foldedName < f; });
    return at != children.end() && (*at)->foldedName == folded ? *at : nullptr;
  }
};

FakeRegistry::FakeRegistry() {
  for (RegKey root = kHkeyClassesRoot; root <= kHkeyDynData; ++root) {
    auto key = std::make_shared<Key>();
    key->root = root;
    roots_[root] = key;
  }
}

FakeRegistry::~FakeRegistry() = default;

// --- plumbing ---

long FakeRegistry::pathFault(RegistryOp op, const Key* addressed, const std::string& subKey) {
  if (!addressed || op == RegistryOp::CloseKey) return kErrorSuccess;
  const std::string path = foldedJoin(addressed->foldedPath, subKey);
  for (const auto& fault : pathFaults_) {
    if (fault.root != addressed->root) continue;
    if (path == fault.foldedPath || fault.foldedPath.empty() ||
        path.rfind(fault.foldedPath + '\\', 0) == 0) {
      return fault.status;
    }
  }
  return kErrorSuccess;
}

// Counts the call, runs the test's hook and any call-number fault. Returns
// the injected status, or 0.
long FakeRegistry::begin(RegistryOp op) {
  ++totalCalls_;
  ++calls_[op];
  if (beforeCall) beforeCall(op);
  const auto fault = callFaults_.find(totalCalls_);
  if (fault == callFaults_.end()) return kErrorSuccess;
  const long injected = fault->second;
  callFaults_.erase(fault);
  return injected;
}

// Every call that works on a key starts here: counted, hooked, and failed
// if a fault is injected for this call or for the key it reaches.
long FakeRegistry::enter(RegistryOp op, RegKey key, Handle*& handle) {
  long status = begin(op);
  if (status == kErrorSuccess) status = resolve(key, handle);
  if (status == kErrorSuccess) status = pathFault(op, handle->key.get());
  return status;
}

// Like enter, for a call that names a key by a path below `key`: the fault
// and the key are those of where the path lands in the view asked for.
long FakeRegistry::enterPath(RegistryOp op, RegKey key, const std::string& subKey,
                             std::uint32_t access, Handle*& handle, Target& target) {
  long status = begin(op);
  if (status == kErrorSuccess) status = resolve(key, handle);
  if (status != kErrorSuccess) return status;
  target = inView(handle->key, subKey, access);
  return pathFault(op, target.from.get(), target.path);
}

FakeRegistry::Target FakeRegistry::inView(const std::shared_ptr<Key>& from,
                                          const std::string& subKey, std::uint32_t access) const {
  const bool thirtyTwo = (access & kKeyWow64_32Key) ||
                         (thirtyTwoBitProgram_ && !(access & kKeyWow64_64Key));
  long status = 0;
  // An empty path opens the handle's own key again, in whichever view.
  if (!thirtyTwo || from->root != kHkeyLocalMachine || subKey.empty() || subKey.front() == '\\' ||
      !find(rootKey(kHkeyLocalMachine), "software\\wow6432node", status))
    return {from, subKey};
  std::vector<std::string> parts = components(from->foldedPath);
  for (std::string& part : components(subKey)) parts.push_back(std::move(part));
  if (parts.size() < 2 || !equalsIgnoringCase(parts[0], "SOFTWARE") ||
      equalsIgnoringCase(parts[1], "Wow6432Node"))
    return {from, subKey};
  std::string redirected = "SOFTWARE\\Wow6432Node";
  for (std::size_t at = 1; at < parts.size(); ++at) redirected += '\\' + parts[at];
  return {rootKey(kHkeyLocalMachine), redirected};
}

long FakeRegistry::resolve(RegKey key, Handle*& handle) {
  if (isPredefinedRoot(key)) {
    rootHandle_ = {rootKey(key), kKeyAllAccess};
    handle = &rootHandle_;
    return kErrorSuccess;
  }
  const auto found = handles_.find(key);
  if (found == handles_.end()) return kErrorInvalidHandle;
  if (found->second.key->deleted) return kErrorKeyDeleted;
  handle = &found->second;
  return kErrorSuccess;
}

std::shared_ptr<FakeRegistry::Key> FakeRegistry::rootKey(RegKey root) const {
  return roots_.at(root);
}

std::shared_ptr<FakeRegistry::Key> FakeRegistry::find(const std::shared_ptr<Key>& from,
                                                      const std::string& path, long& status) const {
  if (!path.empty() && path.front() == '\\') {
    status = kErrorBadPathname;
    return nullptr;
  }
  std::shared_ptr<Key> key = from;
  for (const auto& part : components(path)) {
    key = key->child(foldCase(part));
    if (!key) {
      status = kErrorFileNotFound;
      return nullptr;
    }
  }
  status = kErrorSuccess;
  return key;
}

std::shared_ptr<FakeRegistry::Key> FakeRegistry::make(const std::shared_ptr<Key>& from,
                                                      const std::string& path) {
  std::shared_ptr<Key> key = from;
  for (const auto& part : components(path)) {
    const std::string folded = foldCase(part);
    auto next = key->child(folded);
    if (!next) {
      next = std::make_shared<Key>();
      next->name = part;
      next->foldedName = folded;
      next->foldedPath = key->foldedPath.empty() ? folded : key->foldedPath + '\\' + folded;
      next->root = key->root;
      next->parent = key.get();
      const auto at =
          std::lower_bound(key->children.begin(), key->children.end(), folded,
                           [](const auto& c, const std::string& f) { return c->foldedName < f; });
      key->children.insert(at, next);
    }
    key = next;
  }
  return key;
}

RegKey FakeRegistry::newHandle(std::shared_ptr<Key> key, std::uint32_t access) {
  const RegKey handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = {std::move(key), access};
  return handle;
}

StoredValue* FakeRegistry::findValue(Key& key, const std::string& name) const {
  const auto found = key.valueIndex.find(foldCase(name));
  return found == key.valueIndex.end() ? nullptr : &key.values[found->second];
}

// --- the port ---

long FakeRegistry::openKeyEx(RegKey key, const std::string& subKey, std::uint32_t access,
                             RegKey& result) {
  lastOpenAccess_ = access;
  Handle* handle = nullptr;
  Target where;
  long status = enterPath(RegistryOp::OpenKey, key, subKey, access, handle, where);
  if (status != kErrorSuccess) return status;
  auto target = find(where.from, where.path, status);
  if (!target) return status;
  if (target->readOnly && (access & kWriteRights)) return kErrorAccessDenied;
  result = newHandle(target, access);
  return kErrorSuccess;
}

long FakeRegistry::create(RegistryOp op, RegKey key, const std::string& subKey,
                          std::uint32_t access, RegKey& result, std::uint32_t* disposition) {
  Handle* handle = nullptr;
  Target where;
  long status = enterPath(op, key, subKey, access, handle, where);
  if (status != kErrorSuccess) return status;
  if (!subKey.empty() && subKey.front() == '\\') return kErrorBadPathname;

  // Creating needs the right to create below the first missing key's parent.
  std::shared_ptr<Key> existing = where.from;
  bool complete = true;
  for (const auto& part : components(where.path)) {
    auto next = existing->child(foldCase(part));
    if (!next) {
      const bool viaHandle = existing == handle->key;
      if (existing->readOnly || (viaHandle && !(handle->access & kKeyCreateSubKey))) {
        return kErrorAccessDenied;
      }
      complete = false;
      break;
    }
    existing = next;
  }
  if (complete && existing->readOnly) {
    // RegCreateKeyA asks for what it may have; RegCreateKeyExA for exactly
    // what its caller asked.
    if (op == RegistryOp::CreateKey) {
      access = kKeyRead;
    } else if (access & kWriteRights) {
      return kErrorAccessDenied;
    }
  }
  result = newHandle(make(where.from, where.path), access);
  if (disposition) *disposition = complete ? kRegOpenedExistingKey : kRegCreatedNewKey;
  return kErrorSuccess;
}

long FakeRegistry::createKey(RegKey key, const std::string& subKey, RegKey& result) {
  return create(RegistryOp::CreateKey, key, subKey, kKeyAllAccess, result, nullptr);
}

long FakeRegistry::createKeyEx(RegKey key, const std::string& subKey, const std::string&,
                               std::uint32_t, std::uint32_t access, RegKey& result,
                               std::uint32_t* disposition) {
  return create(RegistryOp::CreateKeyEx, key, subKey, access, result, disposition);
}

long FakeRegistry::enumKeyEx(RegKey key, std::uint32_t index, char* name,
                             std::uint32_t& nameLength) {
  Handle* handle = nullptr;
  long status = enter(RegistryOp::EnumKey, key, handle);
  if (status != kErrorSuccess) return status;
  if (!(handle->access & kKeyEnumerateSubKeys)) return kErrorAccessDenied;
  const auto& children = handle->key->children;
  if (index >= children.size()) return kErrorNoMoreItems;
  const std::string& childName = children[index]->name;
  if (childName.size() + 1 > nameLength) return kErrorMoreData;
  std::memcpy(name, childName.c_str(), childName.size() + 1);
  nameLength = static_cast<std::uint32_t>(childName.size());
  return kErrorSuccess;
}

long FakeRegistry::enumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t& nameLength,
                             std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataLength) {
  Handle* handle = nullptr;
  long status = enter(RegistryOp::EnumValue, key, handle);
  if (status != kErrorSuccess) return status;
  if (!(handle->access & kKeyQueryValue)) return kErrorAccessDenied;
  const auto& values = handle->key->values;
  if (index >= values.size()) return kErrorNoMoreItems;
  const StoredValue& stored = values[index];
  const auto size = static_cast<std::uint32_t>(stored.data.size());
  if (data && !dataLength) return kErrorInvalidParameter;
  // Type and needed size are reported even when a buffer is short; the name
  // is written only on success.
  if (type) *type = stored.type;
  if (stored.name.size() + 1 > nameLength || (data && *dataLength < size)) {
    if (dataLength) *dataLength = size;
    return kErrorMoreData;
  }
  if (data) std::copy(stored.data.begin(), stored.data.end(), data);
  if (dataLength) *dataLength = size;
  std::memcpy(name, stored.name.c_str(), stored.name.size() + 1);
  nameLength = static_cast<std::uint32_t>(stored.name.size());
  return kErrorSuccess;
}

long FakeRegistry::queryValueEx(RegKey key, const std::string& valueName, std::uint32_t* type,
                                std::uint8_t* data, std::uint32_t* dataLength) {
  Handle* handle = nullptr;
  long status = enter(RegistryOp::QueryValue, key, handle);
  if (status != kErrorSuccess) return status;
  if (!(handle->access & kKeyQueryValue)) return kErrorAccessDenied;
  const StoredValue* stored = findValue(*handle->key, valueName);
  if (!stored) return kErrorFileNotFound;
  if (data && !dataLength) return kErrorInvalidParameter;
  const auto size = static_cast<std::uint32_t>(stored->data.size());
  if (type) *type = stored->type;
  if (data && *dataLength < size) {
    *dataLength = size;
    return kErrorMoreData;
  }
  if (data) std::copy(stored->data.begin(), stored->data.end(), data);
  if (dataLength) *dataLength = size;
  return kErrorSuccess;
}

long FakeRegistry::setValueEx(RegKey key, const std::string& valueName, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t dataLength) {
  Handle* handle = nullptr;
  long status = enter(RegistryOp::SetValue, key, handle);
  if (status != kErrorSuccess) return status;
  if (!(handle->access & kKeySetValue) || handle->key->readOnly) return kErrorAccessDenied;
  if (!data && dataLength > 0) return kErrorInvalidParameter;
  handle->key->store(valueName, type, Bytes(data, data + dataLength));
  return kErrorSuccess;
}

long FakeRegistry::deleteKey(RegKey key, const std::string& subKey) {
  return deleteKeyEx(key, subKey, 0);  // the program's own view
}

long FakeRegistry::deleteKeyEx(RegKey key, const std::string& subKey, std::uint32_t view) {
  Handle* handle = nullptr;
  Target where;
  long status = enterPath(RegistryOp::DeleteKey, key, subKey, view, handle, where);
  if (status != kErrorSuccess) return status;
  auto target = find(where.from, where.path, status);
  if (!target) return status;
  if (!target->parent || !target->children.empty() || target->readOnly) return kErrorAccessDenied;
  auto& siblings = target->parent->children;
  siblings.erase(std::find(siblings.begin(), siblings.end(), target));
  target->parent = nullptr;
  target->deleted = true;
  return kErrorSuccess;
}

long FakeRegistry::deleteValue(RegKey key, const std::string& valueName) {
  Handle* handle = nullptr;
  long status = enter(RegistryOp::DeleteValue, key, handle);
  if (status != kErrorSuccess) return status;
  if (!(handle->access & kKeySetValue) || handle->key->readOnly) return kErrorAccessDenied;
  return handle->key->erase(valueName) ? kErrorSuccess : kErrorFileNotFound;
}

long FakeRegistry::connectRegistry(const std::string& machineName, RegKey key, RegKey& result) {
  if (const long injected = begin(RegistryOp::Connect)) return injected;
  std::string machine = machineName;
  if (machine.rfind("\\\\", 0) == 0) machine.erase(0, 2);
  if (!machine.empty() && !equalsIgnoringCase(machine, computerName_)) return kErrorBadNetPath;
  if (!isPredefinedRoot(key)) return kErrorInvalidHandle;
  result = newHandle(rootKey(key), kKeyAllAccess);
  return kErrorSuccess;
}

long FakeRegistry::closeKey(RegKey key) {
  if (const long injected = begin(RegistryOp::CloseKey)) return injected;
  if (isPredefinedRoot(key)) return kErrorSuccess;
  return handles_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

// --- arranging and inspecting ---

void FakeRegistry::addKey(RegKey root, const std::string& path) { make(rootKey(root), path); }

void FakeRegistry::putValue(RegKey root, const std::string& path, const std::string& name,
                            std::uint32_t type, Bytes data) {
  make(rootKey(root), path)->store(name, type, std::move(data));
}

void FakeRegistry::putString(RegKey root, const std::string& path, const std::string& name,
                             const std::string& text) {
  Bytes data(text.begin(), text.end());
  data.push_back(0);
  putValue(root, path, name, kRegSz, std::move(data));
}

void FakeRegistry::putDword(RegKey root, const std::string& path, const std::string& name,
                            std::uint32_t number) {
  putValue(root, path, name, kRegDword,
           {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
            static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)});
}

void FakeRegistry::removeValue(RegKey root, const std::string& path, const std::string& name) {
  long status = 0;
  if (const auto key = find(rootKey(root), path, status)) key->erase(name);
}

bool FakeRegistry::hasKey(RegKey root, const std::string& path) const {
  long status = 0;
  return find(rootKey(root), path, status) != nullptr;
}

std::optional<StoredValue> FakeRegistry::value(RegKey root, const std::string& path,
                                               const std::string& name) const {
  long status = 0;
  const auto key = find(rootKey(root), path, status);
  if (!key) return std::nullopt;
  const StoredValue* stored = findValue(*key, name);
  return stored ? std::optional<StoredValue>(*stored) : std::nullopt;
}

std::size_t FakeRegistry::valueCount(RegKey root, const std::string& path) const {
  long status = 0;
  const auto key = find(rootKey(root), path, status);
  return key ? key->values.size() : 0;
}

void FakeRegistry::markReadOnly(RegKey root, const std::string& path) {
  make(rootKey(root), path)->readOnly = true;
}

void FakeRegistry::failCall(int n, long status) { callFaults_[totalCalls_ + n] = status; }

void FakeRegistry::failPath(RegKey root, const std::string& path, long status) {
  pathFaults_.push_back({root, foldedJoin("", path), status});
}

void FakeRegistry::clearFaults() {
  pathFaults_.clear();
  callFaults_.clear();
}

int FakeRegistry::calls(RegistryOp op) const {
  const auto found = calls_.find(op);
  return found == calls_.end() ? 0 : found->second;
}

}  // namespace corvanta::testing
