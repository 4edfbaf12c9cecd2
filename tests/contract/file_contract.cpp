#include "contract/file_contract.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace corvanta::testing {

void checkFileRules(FilePort& files, const std::string& root,
                    const std::function<void(const std::string&)>& hide) {
  const std::string panel = root + "\\Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}";
  const std::string hidden = root + "\\Settings.{21EC2020-3AEA-1069-A2DD-08002B30309D}";
  std::vector<FileEntry> found{{"untouched", 0}};

  EXPECT_EQ(2, files.findFiles(root + "\\*", found)) << "an empty folder matches nothing";
  EXPECT_EQ(kErrorPathNotFound, files.findFiles(root + "\\missing\\*", found));
  EXPECT_EQ("untouched", found[0].name) << "a failed search leaves its output alone";

  EXPECT_EQ(0, files.createDirectory(panel));
  EXPECT_EQ(kErrorAlreadyExists, files.createDirectory(panel));
  EXPECT_EQ(kErrorPathNotFound, files.createDirectory(root + "\\missing\\deeper"));
  EXPECT_EQ(0, files.createDirectory(hidden));
  hide(hidden);
  EXPECT_EQ(0, files.appendToFile(root + "\\notes.txt", "x"));
  EXPECT_EQ(kErrorPathNotFound, files.appendToFile(root + "\\missing\\notes.txt", "x"));
  // Whether anything is there: one path (a file, a hidden folder), a
  // folder's entries, a wildcard.
  for (const auto& [pattern, status] : std::vector<std::pair<std::string, long>>{
           {root + "\\NOTES.txt", 0},
           {hidden, 0},
           {root + "\\gone.txt", kErrorFileNotFound},
           {root + "\\missing\\notes.txt", kErrorPathNotFound},
           {panel + "\\*", kErrorFileNotFound},
           {root + "\\*.TXT", 0},
           {root + "\\n?tes.txt", 0},
           {root + "\\*.dll", kErrorFileNotFound}})
    EXPECT_EQ(status, files.anyMatch(pattern)) << pattern;

  found.clear();
  ASSERT_EQ(0, files.findFiles(root + "\\*.{21ec2020-3aea-1069-a2dd-08002b30309d}", found));
  ASSERT_EQ(2u, found.size());
  std::sort(found.begin(), found.end(),
            [](const FileEntry& a, const FileEntry& b) { return a.name < b.name; });
  EXPECT_EQ("Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}", found[0].name);
  EXPECT_TRUE(found[0].attributes & kFileAttributeDirectory);
  EXPECT_FALSE(found[0].attributes & kFileAttributeHidden);
  EXPECT_TRUE(found[1].attributes & kFileAttributeHidden) << "hidden entries are found too";

  EXPECT_EQ(0, files.appendToFile(panel + "\\inside.txt", "x"));
  EXPECT_EQ(kErrorDirNotEmpty, files.removeDirectory(panel));
  EXPECT_EQ(2, files.removeDirectory(root + "\\nothing here"));
  EXPECT_NE(0, files.removeDirectory(root + "\\notes.txt")) << "a file is not a folder";
  EXPECT_EQ(0, files.removeDirectory(hidden));
  found.clear();
  ASSERT_EQ(0, files.findFiles(root + "\\*.{21EC2020-3AEA-1069-A2DD-08002B30309D}", found));
  EXPECT_EQ(1u, found.size());

  // Names in any alphabet, an emoji (a surrogate pair) among them, come back
  // exactly, and match without regard to case.
  const std::string folder = root + "\\Łódź 日本";
  const std::string file = "Жук 😀.txt";
  ASSERT_EQ(0, files.createDirectory(folder));
  ASSERT_EQ(0, files.createNewFile(folder + "\\" + file, "Ж"));
  found.clear();
  ASSERT_EQ(0, files.findFiles(root + "\\ŁÓDŹ 日本\\ЖУК*", found));
  ASSERT_EQ(1u, found.size());
  EXPECT_EQ(file, found[0].name);
  std::string bytes;
  EXPECT_EQ(0, files.readFile(folder + "\\жук 😀.TXT", bytes));
  EXPECT_EQ("Ж", bytes);
  EXPECT_EQ(0, files.copyFile(folder + "\\" + file, folder + "\\Ελληνικά.txt", true));
  EXPECT_EQ(0, files.anyMatch(folder + "\\ελληνικά.txt"));
  EXPECT_EQ(0, files.deleteFile(folder + "\\" + file));
  EXPECT_EQ(0, files.deleteFile(folder + "\\Ελληνικά.txt"));
  EXPECT_EQ(0, files.removeDirectory(folder));

  // A file replaced whole, an earlier one of that name included, leaves
  // nothing beside it; into a folder that is not there, nothing is made.
  const std::string report = root + "\\report.json";
  EXPECT_EQ(0, files.replaceFile(report, "first"));
  EXPECT_EQ(0, files.replaceFile(report, "second"));
  EXPECT_EQ(0, files.readFile(report, bytes));
  EXPECT_EQ("second", bytes);
  found.clear();
  EXPECT_EQ(0, files.findFiles(report + "*", found));
  EXPECT_EQ(1u, found.size()) << "no file left beside it";
  EXPECT_EQ(kErrorPathNotFound, files.replaceFile(root + "\\missing\\report.json", "x"));

  // A folder moved whole to a new name; a name taken is left alone.
  const std::string moving = root + "\\moving";
  ASSERT_EQ(0, files.createDirectory(moving));
  ASSERT_EQ(0, files.createNewFile(moving + "\\inside.txt", "in"));
  EXPECT_EQ(0, files.moveFile(moving, root + "\\moved"));
  EXPECT_EQ(0, files.readFile(root + "\\moved\\inside.txt", bytes));
  EXPECT_EQ("in", bytes);
  EXPECT_EQ(kErrorFileNotFound, files.anyMatch(moving));
  EXPECT_EQ(183, files.moveFile(report, root + "\\moved")) << "ERROR_ALREADY_EXISTS";
  EXPECT_EQ(0, files.deleteFile(root + "\\moved\\inside.txt"));
  EXPECT_EQ(0, files.removeDirectory(root + "\\moved"));

  // The journal's lock: the file made when missing, read and added to
  // through any holder's handle; a reader is let in while it is held, a
  // second holder's lock is not, until the first lets go.
  const std::string journal = root + "\\changes.log";
  std::unique_ptr<SharedFile> first, second;
  ASSERT_EQ(0, files.openShared(journal, first));
  ASSERT_EQ(0, files.openShared(journal, second));
  EXPECT_EQ(0u, first->size());
  ASSERT_EQ(0, first->lock());
  EXPECT_EQ(0, first->append("abc\r\n"));
  EXPECT_EQ(0, second->append("de")) << "an append does not need the lock";
  std::string tail;
  EXPECT_EQ(0, first->readAt(3, 10, tail));
  EXPECT_EQ("\r\nde", tail);
  EXPECT_EQ(0, files.readFile(journal, bytes));
  EXPECT_EQ("abc\r\nde", bytes) << "readers are let in";
  EXPECT_EQ(33, second->lock()) << "a second holder waits, then is refused (ERROR_LOCK_VIOLATION)";
  first->unlock();
  // Rewritten in place by a holder under the lock: every holder reads the
  // new content and appends after it.
  ASSERT_EQ(0, second->lock());
  EXPECT_EQ(0, second->rewrite("new\r\n"));
  second->unlock();
  EXPECT_EQ(5u, first->size());
  EXPECT_EQ(0, first->append("more"));
  EXPECT_EQ(0, files.readFile(journal, bytes));
  EXPECT_EQ("new\r\nmore", bytes);
  first.reset();
  EXPECT_EQ(9u, second->size());

  // Names Windows refuses are refused, whatever the call.
  for (const char* bad : {"a?b.txt", "a<b", "a|b", "a\"b", "a>b\\c"}) {
    const std::string path = root + "\\" + bad;
    EXPECT_EQ(kErrorInvalidName, files.appendToFile(path, "x")) << bad;
    EXPECT_EQ(kErrorInvalidName, files.createDirectory(path)) << bad;
    EXPECT_EQ(kErrorInvalidName, files.deleteFile(path)) << bad;
  }
}

}  // namespace corvanta::testing
