// Where Wine and Windows are known to differ (enumeration order of values,
// the name buffer after a short data buffer, rights needed to create below a
// read-only handle), these cases pin only what both promise.
#include "contract/registry_contract.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "base/text.h"
#include "registry/value_data.h"

namespace corvanta::testing {

void RegistryContract::SetUp() { registry_ = GetParam().make(); }
void RegistryContract::TearDown() { registry_.reset(); }

std::string RegistryContract::path(const std::string& below) const {
  return below.empty() ? registry_->scratch : registry_->scratch + '\\' + below;
}

ScopedRegKey RegistryContract::create(const std::string& below) {
  RegKey key = 0;
  EXPECT_EQ(kErrorSuccess,
            port().createKeyEx(registry_->root, path(below), "", 0, kKeyAllAccess, key, nullptr));
  return ScopedRegKey(port(), key);
}

ScopedRegKey RegistryContract::open(const std::string& below, std::uint32_t access) {
  RegKey key = 0;
  EXPECT_EQ(kErrorSuccess, port().openKeyEx(registry_->root, path(below), access, key));
  return ScopedRegKey(port(), key);
}

std::string contractTargetName(const ::testing::TestParamInfo<ContractTarget>& info) {
  return info.param.name;
}

void PrintTo(const ContractTarget& target, std::ostream* out) { *out << target.name; }

namespace {

long put(RegistryPort& port, const ScopedRegKey& key, const std::string& name, std::uint32_t type,
         const Bytes& data) {
  return port.setValueEx(key.get(), name, type, data.data(),
                         static_cast<std::uint32_t>(data.size()));
}

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

struct ReadBack {
  long status = -1;
  std::uint32_t type = 0;
  Bytes data;
};

ReadBack query(RegistryPort& port, const ScopedRegKey& key, const std::string& name) {
  ReadBack read;
  std::uint32_t length = 0;
  read.status = port.queryValueEx(key.get(), name, nullptr, nullptr, &length);
  if (read.status != kErrorSuccess) return read;
  read.data.resize(length);
  read.status = port.queryValueEx(key.get(), name, &read.type, read.data.data(), &length);
  read.data.resize(length);
  return read;
}

std::vector<std::string> subKeyNames(RegistryPort& port, const ScopedRegKey& key) {
  std::vector<std::string> names;
  for (std::uint32_t index = 0; index < 100; ++index) {
    char name[260];
    std::uint32_t length = sizeof name;
    const long status = port.enumKeyEx(key.get(), index, name, length);
    if (status == kErrorNoMoreItems) break;
    EXPECT_EQ(kErrorSuccess, status);
    EXPECT_EQ(std::string(name).size(), length) << "length excludes the terminator";
    names.emplace_back(name, length);
  }
  return names;
}

std::set<std::string> folded(const std::vector<std::string>& names) {
  std::set<std::string> result;
  for (const auto& name : names) result.insert(foldCase(name));
  return result;
}

}  // namespace

TEST_P(RegistryContract, OpeningAMissingKeyFailsAndHandsOutNoHandle) {
  RegKey key = 0x1234;
  EXPECT_EQ(kErrorFileNotFound, port().openKeyEx(registry_->root, path("missing"), kKeyRead, key));
  EXPECT_EQ(0x1234u, key);
  EXPECT_EQ(kErrorFileNotFound,
            port().openKeyEx(registry_->root, path("missing\\deeper"), kKeyRead, key));
}

// Regression: the real port once read the new handle before the call had
// filled it in, and handed out 0 for every key it opened.
TEST_P(RegistryContract, EveryWayOfOpeningHandsOutAHandleToThatKey) {
  {
    const auto key = create("k");
    ASSERT_EQ(kErrorSuccess, put(port(), key, "v", kRegDword, {7, 0, 0, 0}));
  }
  RegKey opened = 0;
  ASSERT_EQ(kErrorSuccess, port().openKeyEx(registry_->root, path("k"), kKeyRead, opened));
  EXPECT_EQ(Bytes({7, 0, 0, 0}), query(port(), ScopedRegKey(port(), opened), "v").data);
  ASSERT_EQ(kErrorSuccess, port().createKey(registry_->root, path("k"), opened));
  EXPECT_EQ(Bytes({7, 0, 0, 0}), query(port(), ScopedRegKey(port(), opened), "v").data);
  RegKey connected = 0;
  ASSERT_EQ(kErrorSuccess, port().connectRegistry("", registry_->root, connected));
  const ScopedRegKey connection(port(), connected);
  ASSERT_EQ(kErrorSuccess, port().openKeyEx(connection.get(), path("k"), kKeyRead, opened));
  EXPECT_EQ(Bytes({7, 0, 0, 0}), query(port(), ScopedRegKey(port(), opened), "v").data);
}

TEST_P(RegistryContract, CreatingReportsWhetherTheKeyIsNewAndMakesEveryLevel) {
  RegKey key = 0;
  std::uint32_t disposition = 0;
  ASSERT_EQ(kErrorSuccess, port().createKeyEx(registry_->root, path("a\\b\\c"), "", 0,
                                              kKeyAllAccess, key, &disposition));
  EXPECT_EQ(kRegCreatedNewKey, disposition);
  port().closeKey(key);
  ASSERT_EQ(kErrorSuccess, port().createKeyEx(registry_->root, path("A\\B"), "", 0, kKeyAllAccess,
                                              key, &disposition));
  EXPECT_EQ(kRegOpenedExistingKey, disposition);
  port().closeKey(key);
  ASSERT_EQ(kErrorSuccess, port().createKey(registry_->root, path("a\\b\\d"), key));
  port().closeKey(key);
  EXPECT_EQ((std::set<std::string>{"C", "D"}), folded(subKeyNames(port(), open("a\\b", kKeyRead))));
}

// Names from several alphabets, an emoji (a surrogate pair) and a lone
// surrogate, as the wide API stores them.
const std::pair<const char*, const char*> kNamesAndOtherCase[] = {
    {"Alpha", "ALPHA"},
    {"café", "CAFÉ"},
    {"łódź", "ŁÓDŹ"},
    {"жук", "ЖУК"},
    {"日本😀", "日本😀"},
    {"x\xED\xA0\x80", "X\xED\xA0\x80"}};

TEST_P(RegistryContract, NamesInEveryAlphabetRoundTripAndMatchWithoutRegardToCase) {
  std::set<std::string> written;
  const auto scratch = create();
  for (const auto& [name, other] : kNamesAndOtherCase) {
    create(name);
    written.insert(name);
    RegKey key = 0;
    EXPECT_EQ(kErrorSuccess, port().openKeyEx(registry_->root, path(other), kKeyRead, key))
        << other;
    port().closeKey(key);
    ASSERT_EQ(kErrorSuccess, put(port(), scratch, name, kRegSz, bytesOf(std::string(name) + '\0')));
    const ReadBack read = query(port(), scratch, other);
    EXPECT_EQ(kErrorSuccess, read.status) << other;
    EXPECT_EQ(bytesOf(std::string(name) + '\0'), read.data) << name;
  }
  const auto names = subKeyNames(port(), open("", kKeyRead));
  EXPECT_EQ(written, std::set<std::string>(names.begin(), names.end()));
}

TEST_P(RegistryContract, APathMayNotStartWithABackslashButMayEndWithOne) {
  create("k");
  RegKey key = 0;
  EXPECT_EQ(kErrorBadPathname, port().openKeyEx(registry_->root, "\\" + path("k"), kKeyRead, key));
  EXPECT_EQ(kErrorBadPathname, port().createKeyEx(registry_->root, "\\" + path("k2"), "", 0,
                                                  kKeyAllAccess, key, nullptr));
  EXPECT_EQ(kErrorSuccess, port().openKeyEx(registry_->root, path("k\\"), kKeyRead, key));
  port().closeKey(key);
}

TEST_P(RegistryContract, SubKeysAreEnumeratedOnceEachThenNoMoreItems) {
  create("b");
  create("A");
  create("cé");
  EXPECT_EQ((std::set<std::string>{"A", "B", "CÉ"}),
            folded(subKeyNames(port(), open("", kKeyRead))));

  const auto key = open("", kKeyRead);
  char name[260];
  std::uint32_t length = 1;  // too short for any of them
  EXPECT_EQ(kErrorMoreData, port().enumKeyEx(key.get(), 0, name, length));
  length = sizeof name;
  EXPECT_EQ(kErrorNoMoreItems, port().enumKeyEx(key.get(), 3, name, length));
}

TEST_P(RegistryContract, ValuesAreEnumeratedWithNameTypeAndExactData) {
  const auto key = create();
  const std::map<std::string, std::pair<std::uint32_t, Bytes>> expected{
      {"", {kRegSz, bytesOf(std::string("d\0", 2))}},
      {"bin", {kRegBinary, {0x00, 0x0A, 0xFF, 0x80}}},
      {"dw", {kRegDword, {0x78, 0x56, 0x34, 0x12}}},
      {"multi", {kRegMultiSz, bytesOf(std::string("one\0two\0\0", 9))}},
      {"empty", {kRegBinary, {}}},
  };
  for (const auto& [name, value] : expected) {
    ASSERT_EQ(kErrorSuccess, put(port(), key, name, value.first, value.second)) << name;
  }

  std::map<std::string, std::pair<std::uint32_t, Bytes>> seen;
  for (std::uint32_t index = 0;; ++index) {
    ASSERT_LT(index, 10u);
    char name[260];
    std::uint32_t nameLength = sizeof name;
    std::uint32_t type = 0;
    Bytes data(4096);
    std::uint32_t dataLength = 4096;
    const long status =
        port().enumValue(key.get(), index, name, nameLength, &type, data.data(), &dataLength);
    if (status == kErrorNoMoreItems) break;
    ASSERT_EQ(kErrorSuccess, status);
    EXPECT_EQ(std::string(name).size(), nameLength);
    data.resize(dataLength);
    seen[std::string(name, nameLength)] = {type, data};
  }
  EXPECT_EQ(expected, seen);
}

TEST_P(RegistryContract, AShortDataBufferReportsTheTypeAndTheLengthNeeded) {
  const auto key = create();
  Bytes big(5000);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
  ASSERT_EQ(kErrorSuccess, put(port(), key, "big", kRegBinary, big));

  char name[260];
  std::uint32_t nameLength = sizeof name;
  std::uint32_t type = 0;
  Bytes data(4096);
  std::uint32_t dataLength = 4096;
  EXPECT_EQ(kErrorMoreData,
            port().enumValue(key.get(), 0, name, nameLength, &type, data.data(), &dataLength));
  EXPECT_EQ(kRegBinary, type);
  EXPECT_EQ(5000u, dataLength);

  data.resize(dataLength);
  nameLength = sizeof name;
  ASSERT_EQ(kErrorSuccess,
            port().enumValue(key.get(), 0, name, nameLength, &type, data.data(), &dataLength));
  EXPECT_EQ(big, data);
  EXPECT_EQ("big", std::string(name, nameLength));

  // No data buffer at all: just the size.
  nameLength = sizeof name;
  dataLength = 0;
  EXPECT_EQ(kErrorSuccess,
            port().enumValue(key.get(), 0, name, nameLength, &type, nullptr, &dataLength));
  EXPECT_EQ(5000u, dataLength);
}

TEST_P(RegistryContract, QueryingAValueFollowsTheSameBufferRules) {
  const auto key = create();
  ASSERT_EQ(kErrorSuccess, put(port(), key, "s", kRegSz, bytesOf(std::string("été") + '\0')));
  std::uint32_t type = 0;
  std::uint32_t length = 0;
  EXPECT_EQ(kErrorFileNotFound, port().queryValueEx(key.get(), "missing", &type, nullptr, &length));
  EXPECT_EQ(kErrorSuccess, port().queryValueEx(key.get(), "s", nullptr, nullptr, &length));
  EXPECT_EQ(6u, length);
  std::uint8_t small[2];
  length = sizeof small;
  EXPECT_EQ(kErrorMoreData, port().queryValueEx(key.get(), "s", &type, small, &length));
  EXPECT_EQ(6u, length);
  EXPECT_EQ(kRegSz, type);
  const ReadBack read = query(port(), key, "S");
  EXPECT_EQ(kErrorSuccess, read.status);
  EXPECT_EQ(bytesOf(std::string("été") + '\0'), read.data);
}

TEST_P(RegistryContract, AStringWrittenWithoutTerminatorKeepsEveryCharacter) {
  const auto key = create();
  ASSERT_EQ(kErrorSuccess, put(port(), key, "s", kRegSz, bytesOf("abc")));
  const ReadBack read = query(port(), key, "s");
  ASSERT_EQ(kErrorSuccess, read.status);
  // The system may add the terminator the writer left out, never more.
  ASSERT_GE(read.data.size(), 3u);
  ASSERT_LE(read.data.size(), 4u);
  EXPECT_EQ(bytesOf("abc"), Bytes(read.data.begin(), read.data.begin() + 3));
  if (read.data.size() == 4) {
    EXPECT_EQ(0, read.data[3]);
  }

  ASSERT_EQ(kErrorSuccess, put(port(), key, "zero", kRegSz, {}));
  EXPECT_TRUE(query(port(), key, "zero").data.empty());
}

TEST_P(RegistryContract, AHandleAllowsOnlyWhatItWasOpenedFor) {
  {
    const auto key = create();
    ASSERT_EQ(kErrorSuccess, put(port(), key, "v", kRegDword, {1, 0, 0, 0}));
  }
  const auto reading = open("", kKeyRead);
  EXPECT_EQ(kErrorAccessDenied, put(port(), reading, "v", kRegDword, {2, 0, 0, 0}));
  EXPECT_EQ(kErrorAccessDenied, port().deleteValue(reading.get(), "v"));

  const auto writing = open("", kKeyWrite);
  std::uint32_t length = 0;
  EXPECT_EQ(kErrorAccessDenied, port().queryValueEx(writing.get(), "v", nullptr, nullptr, &length));
  char name[260];
  std::uint32_t nameLength = sizeof name;
  EXPECT_EQ(kErrorAccessDenied,
            port().enumValue(writing.get(), 0, name, nameLength, nullptr, nullptr, nullptr));
  EXPECT_EQ(Bytes({1, 0, 0, 0}), query(port(), reading, "v").data);
}

TEST_P(RegistryContract, OnlyAKeyWithoutSubKeysCanBeDeleted) {
  create("parent\\child");
  const auto scratch = open("", kKeyAllAccess);
  EXPECT_EQ(kErrorAccessDenied, port().deleteKey(scratch.get(), "parent"));
  EXPECT_EQ(kErrorFileNotFound, port().deleteKey(scratch.get(), "nothing"));

  auto child = open("parent\\child", kKeyAllAccess);
  EXPECT_EQ(kErrorSuccess, port().deleteKey(scratch.get(), "PARENT\\CHILD"));
  EXPECT_EQ(kErrorSuccess, port().deleteKey(scratch.get(), "parent"));
  RegKey key = 0;
  EXPECT_EQ(kErrorFileNotFound, port().openKeyEx(registry_->root, path("parent"), kKeyRead, key));

  // A handle that outlived its key refuses everything but closing.
  EXPECT_EQ(kErrorKeyDeleted, put(port(), child, "v", kRegDword, {1, 0, 0, 0}));
  char name[260];
  std::uint32_t nameLength = sizeof name;
  EXPECT_EQ(kErrorKeyDeleted, port().enumKeyEx(child.get(), 0, name, nameLength));
  EXPECT_EQ(kErrorSuccess, child.reset());
}

TEST_P(RegistryContract, DeletingAValueRemovesJustThatValue) {
  const auto key = create();
  ASSERT_EQ(kErrorSuccess, put(port(), key, "keep", kRegDword, {1, 0, 0, 0}));
  ASSERT_EQ(kErrorSuccess, put(port(), key, "drop", kRegDword, {2, 0, 0, 0}));
  EXPECT_EQ(kErrorFileNotFound, port().deleteValue(key.get(), "missing"));
  EXPECT_EQ(kErrorSuccess, port().deleteValue(key.get(), "DROP"));
  EXPECT_EQ(kErrorFileNotFound, query(port(), key, "drop").status);
  EXPECT_EQ(kErrorSuccess, query(port(), key, "keep").status);
}

TEST_P(RegistryContract, ConnectingToThisMachineGivesAUsableRoot) {
  create("there");
  RegKey connected = 0;
  ASSERT_EQ(kErrorSuccess, port().connectRegistry("", registry_->root, connected));
  RegKey key = 0;
  EXPECT_EQ(kErrorSuccess, port().openKeyEx(connected, path("there"), kKeyRead, key));
  EXPECT_EQ(kErrorSuccess, port().closeKey(key));
  EXPECT_EQ(kErrorSuccess, port().closeKey(connected));

  RegKey remote = 0x1234;
  EXPECT_NE(kErrorSuccess,
            port().connectRegistry("\\\\no-such-host.invalid", kHkeyLocalMachine, remote));
  EXPECT_EQ(0x1234u, remote);
}

TEST_P(RegistryContract, ClosingAcceptsRootsAndRefusesUnknownHandles) {
  EXPECT_EQ(kErrorSuccess, port().closeKey(kHkeyCurrentUser));
  RegKey key = 0;
  ASSERT_EQ(kErrorSuccess, port().openKeyEx(registry_->root, path(""), kKeyRead, key));
  EXPECT_EQ(kErrorSuccess, port().closeKey(key));
  EXPECT_EQ(kErrorInvalidHandle, port().closeKey(key));
  EXPECT_EQ(kErrorInvalidHandle, port().closeKey(0x12345678));
}

// A 64-bit build that widened a root such as 0x80000001 without extending
// its sign handed the system an invalid handle for every root.
TEST_P(RegistryContract, EveryPredefinedRootOpensAndAnswersThroughItsHandle) {
  for (const RegKey root : {kHkeyClassesRoot, kHkeyCurrentUser, kHkeyLocalMachine, kHkeyUsers}) {
    SCOPED_TRACE(root);
    EXPECT_EQ(kErrorFileNotFound, port().queryValueEx(root, "no such value here", nullptr,
                                                      nullptr, nullptr));
    RegKey opened = 0;
    ASSERT_EQ(kErrorSuccess, port().openKeyEx(root, "", kKeyRead, opened));
    EXPECT_EQ(kErrorFileNotFound, port().queryValueEx(opened, "no such value here", nullptr,
                                                      nullptr, nullptr));
    EXPECT_EQ(kErrorSuccess, port().closeKey(opened));
  }
}

TEST_P(RegistryContract, AKeyWithTenThousandValuesEnumeratesEveryOne) {
  const auto key = create();
  constexpr std::uint32_t kCount = 10000;
  for (std::uint32_t i = 0; i < kCount; ++i) {
    const std::string name = "value" + std::to_string(i);
    ASSERT_EQ(kErrorSuccess,
              put(port(), key, name, kRegDword,
                  {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8), 0, 0}));
  }
  std::set<std::string> seen;
  for (std::uint32_t index = 0;; ++index) {
    ASSERT_LE(index, kCount);
    char name[260];
    std::uint32_t nameLength = sizeof name;
    std::uint8_t data[4];
    std::uint32_t dataLength = sizeof data;
    const long status =
        port().enumValue(key.get(), index, name, nameLength, nullptr, data, &dataLength);
    if (status == kErrorNoMoreItems) break;
    ASSERT_EQ(kErrorSuccess, status);
    const std::string text(name, nameLength);
    EXPECT_EQ(std::stoul(text.substr(5)), data[0] + (data[1] << 8u)) << text;
    seen.insert(text);
  }
  EXPECT_EQ(kCount, seen.size());
}

}  // namespace corvanta::testing
