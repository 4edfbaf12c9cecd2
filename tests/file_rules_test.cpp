// The file rules against the in-memory file system.
#include <gtest/gtest.h>

#include "contract/file_contract.h"
#include "fakes/fake_files.h"

namespace corvanta::testing {
namespace {

TEST(FileRules, HoldForTheInMemoryFileSystem) {
  FakeFiles files;
  files.addFolder("C:\\Scratch");
  checkFileRules(files, "C:\\Scratch", [&](const std::string& path) {
    files.addFolder(path, kFileAttributeDirectory | kFileAttributeHidden);
  });
}

}  // namespace
}  // namespace corvanta::testing
