// Whole-program timing under Wine or Windows of the changes journal, beside
// the bare writes of the same lines:
//
//   corvanta_journal_timing journal N   one group of N value changes recorded
//                                       through the journal (Win32 files)
//   corvanta_journal_timing reopen N    the same lines, the folder made and
//                                       the file opened, appended to and
//                                       closed once a line
//   corvanta_journal_timing bare N      the same lines through one handle
//   corvanta_journal_timing next N      with N groups in the journal, the
//                                       time to record one more
//   corvanta_journal_timing newest N    ... to find the newest group still in
//                                       effect, as /undo-last does
//   corvanta_journal_timing groups N    ... to read every group, as the
//                                       Changes window does
//
// Each prints its milliseconds, then the process's peak working set in
// kilobytes; the journal lives in a scratch folder that is removed again.
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/changes/change_journal.h"
#include "platform/file_port.h"
#include "core/program_folders.h"
#include "platform/shell_port.h"
#include "platform/win32/file_win32.h"
#include "platform/win32/system_win32.h"
#include "platform/win32/wide_text.h"
#include "win32/scratch_folder.h"

namespace {

using namespace corvanta;

// The ports the journal asks: where application data lives, and the time.
struct ScratchShell final : ShellPort {
  explicit ScratchShell(std::string folder) : folder_(std::move(folder)) {}
  std::intptr_t shellExecute(std::uintptr_t, const std::string&, const std::string&,
                             const std::string&, int) override {
    return 0;
  }
  std::string userAppDataFolder() override { return folder_; }
  std::string localAppDataFolder() override { return folder_; }
  std::intptr_t runElevated(std::uintptr_t, const std::string&) override { return 0; }
  std::uint32_t formatDrive(std::uintptr_t, std::uint32_t) override { return kShFormatError; }
  std::int32_t emptyRecycleBin(std::uintptr_t) override { return 0; }
  void updateRecycleBinIcon() override {}

 private:
  std::string folder_;
};

Change change(int i) {
  const std::string name = "C:\\Program Files\\Benchmark\\component-" + std::to_string(i) + ".dll";
  return Change::value(
      0, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls", name,
      {true, 4, {1, 0, 0, 0}}, {});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s journal|reopen|bare|next|compact|newest|list|groups N\n", argv[0]);
    return 2;
  }
  const std::string mode = argv[1];
  const int count = std::atoi(argv[2]);
  testing::ScratchFolder scratch;
  Win32Files files;
  ScratchShell shell(scratch.path());
  Win32System system;
  ProgramFolders folders(shell);
  // "next" times the next group's number read from the tail, so it keeps
  // the journal from compacting; "compact" times the group that does.
  JournalLimits limits;
  if (mode != "compact") limits.archiveBytes = UINT64_MAX;
  ChangeJournal journal(files, folders, system, limits);
  const std::string log = scratch.path() + "\\Corvanta\\changes.log";
  // A line as the journal writes it, for the two bare ways.
  const std::string line =
      "#00000000\tV\t1\t0\tHKEY_LOCAL_"
      "MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls"
      "\tC:\\Program Files\\Benchmark\\component-1234.dll\t4:01000000\t-\r\n";
  const bool prepared = mode == "next" || mode == "compact" || mode == "newest" ||
                        mode == "groups" || mode == "list";
  if (prepared) {
    // N groups of one change each, as an earlier version wrote them.
    std::string text;
    for (int group = 1; group <= count; ++group) {
      const std::string id = std::to_string(group);
      text += "G\t" + id + "\t2026-01-01 10:00:00\tBenchmark\t0\r\n" + "V\t" + id +
              line.substr(line.find("\t0\t"));
    }
    makeFolderTree(files, log.substr(0, log.rfind('\\')));
    files.appendToFile(log, text);
  }
  const auto start = std::chrono::steady_clock::now();
  if (mode == "journal" || mode == "next" || mode == "compact") {
    const ChangeScope scope(journal, "Benchmark");
    for (int i = 0; i < (mode == "journal" ? count : 1); ++i) journal.record(change(i));
  } else if (mode == "newest") {
    if (!journal.newestInEffect()) std::fprintf(stderr, "no group found\n");
  } else if (mode == "groups") {
    if (journal.groups().size() != static_cast<std::size_t>(count))
      std::fprintf(stderr, "groups missing\n");
  } else if (mode == "list") {
    if (journal.summaries().size() != static_cast<std::size_t>(count))
      std::fprintf(stderr, "groups missing\n");
  } else if (mode == "reopen") {
    for (int i = 0; i < count; ++i) {
      makeFolderTree(files, log.substr(0, log.rfind('\\')));
      files.appendToFile(log, line);
    }
  } else if (mode == "bare") {
    makeFolderTree(files, log.substr(0, log.rfind('\\')));
    const HANDLE file = CreateFileW(wide(log).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    for (int i = 0; i < count; ++i)
      WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
  } else {
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
  }
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  std::printf("%lld\n", static_cast<long long>(ms));
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory))
    std::printf("%llu\n", static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024));
  return 0;
}
