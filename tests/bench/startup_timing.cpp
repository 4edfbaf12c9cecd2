// Start-up time of the program beside yardstick programs: from CreateProcess
// until each one's main window is visible, run in alternating rounds; the
// medians, the median of the rounds' ratios, and the program's working set
// once it has started. Each program's phases (WinMain, window created,
// loaded, shown, first paint), as it traces them itself, are printed too:
// the median time of each from the process's creation. The first yardstick
// decides: exits 3, saying so, when the ratio to it is above the limit
// given. Further yardsticks run in every round too and are reported beside
// it, for information only.
//
// With --wallpaper, the program starts with that picture file as the
// desktop wallpaper, as most users' desktops have one (the program's Visual
// page previews it); the value before is put back at the end.
//
//   corvanta_startup_timing [--wallpaper <picture>] <pairs> <limit> <program.exe> <class> <title>
//                           <yardstick.exe> <class> <title> <name>
//                           [<yardstick.exe> <class> <title> <name> ...]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Run {
  double milliseconds = 0;
  SIZE_T workingSet = 0;
  std::vector<std::pair<std::string, double>> phases;  // in the order traced, ms
};

// The phases the program traced into `file`: "<phase>\t<microseconds>" lines.
std::vector<std::pair<std::string, double>> readPhases(const char* file) {
  std::vector<std::pair<std::string, double>> phases;
  if (FILE* in = std::fopen(file, "r")) {
    char name[64];
    unsigned long long micro = 0;
    while (std::fscanf(in, "%63[^\t]\t%llu\n", name, &micro) == 2)
      phases.emplace_back(name, static_cast<double>(micro) / 1000.0);
    std::fclose(in);
  }
  return phases;
}

bool startOnce(const char* program, const char* windowClass, const char* title, Run& run) {
  LARGE_INTEGER frequency, start, shown;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string command = std::string("\"") + program + "\"";
  char trace[MAX_PATH];
  GetTempPathA(MAX_PATH, trace);
  std::strcat(trace, "corvanta-startup-trace.txt");
  DeleteFileA(trace);
  SetEnvironmentVariableA("CORVANTA_STARTUP_TRACE", trace);
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  HWND window = nullptr;
  while (!(window = FindWindowA(windowClass, title)) || !IsWindowVisible(window)) Sleep(1);
  QueryPerformanceCounter(&shown);
  run.milliseconds = 1000.0 * static_cast<double>(shown.QuadPart - start.QuadPart) /
                     static_cast<double>(frequency.QuadPart);
  Sleep(300);  // let it settle, as a user would see it
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) {
    run.workingSet = memory.WorkingSetSize;
  }
  PostMessageW(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(process.hProcess, INFINITE);
  run.phases = readPhases(trace);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// The desktop's wallpaper value set for as long as this lives.
class WallpaperValue {
 public:
  explicit WallpaperValue(const char* picture) {
    DWORD size = sizeof before_;
    had_ = RegGetValueA(HKEY_CURRENT_USER, kKey, "Wallpaper", RRF_RT_REG_SZ, nullptr, before_,
                        &size) == ERROR_SUCCESS;
    set(picture);
  }
  ~WallpaperValue() {
    if (had_) {
      set(before_);
    } else {
      RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, "Wallpaper");
    }
  }
  WallpaperValue(const WallpaperValue&) = delete;
  WallpaperValue& operator=(const WallpaperValue&) = delete;

 private:
  static constexpr const char* kKey = "Control Panel\\Desktop";
  static void set(const char* picture) {
    RegSetKeyValueA(HKEY_CURRENT_USER, kKey, "Wallpaper", REG_SZ, picture,
                    static_cast<DWORD>(std::strlen(picture) + 1));
  }
  char before_[MAX_PATH] = {};
  bool had_ = false;
};

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Each phase's median over the runs, in the order the first run traced them.
void printPhases(const char* who, const std::vector<Run>& runs) {
  std::map<std::string, std::vector<double>> times;
  for (const Run& run : runs) {
    for (const auto& [phase, ms] : run.phases) times[phase].push_back(ms);
  }
  std::printf("    %-16s", who);
  if (runs.empty() || runs.front().phases.empty()) std::printf(" (traced nothing)");
  for (const auto& phase : runs.empty() ? decltype(Run::phases){} : runs.front().phases)
    std::printf("  %s %.1f", phase.first.c_str(), median(times[phase.first]));
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  std::unique_ptr<WallpaperValue> wallpaper;
  if (argc > 2 && std::strcmp(argv[1], "--wallpaper") == 0) {
    wallpaper = std::make_unique<WallpaperValue>(argv[2]);
    argv[2] = argv[0];
    argv += 2;
    argc -= 2;
  }
  // The program, then yardsticks of four arguments each: exe, class, title
  // and the name to print. The first yardstick decides the verdict.
  if (argc < 10 || (argc - 6) % 4 != 0) {
    std::fprintf(stderr,
                 "usage: %s <pairs> <limit> <program> <class> <title> "
                 "<yardstick> <class> <title> <name> [<yardstick> <class> <title> <name> ...]\n",
                 argv[0]);
    return 2;
  }
  const int pairs = std::max(1, std::atoi(argv[1]));
  const double limit = std::atof(argv[2]);
  struct Yardstick {
    char** args;  // exe, class, title, name
    std::vector<Run> runs;
    std::vector<double> ms, ratios, toFirst;  // toFirst: its time over the first yardstick's
  };
  std::vector<Yardstick> yardsticks;
  for (int at = 6; at < argc; at += 4) yardsticks.push_back({argv + at, {}, {}, {}, {}});
  std::vector<Run> ourRuns;
  std::vector<double> program, workingSets;
  for (int round = 0; round < pairs; ++round) {
    Run ours;
    std::vector<Run> theirs(yardsticks.size());
    bool started = startOnce(yardsticks[0].args[0], yardsticks[0].args[1], yardsticks[0].args[2],
                             theirs[0]) &&
                   startOnce(argv[3], argv[4], argv[5], ours);
    for (std::size_t i = 1; started && i < yardsticks.size(); ++i) {
      started = startOnce(yardsticks[i].args[0], yardsticks[i].args[1], yardsticks[i].args[2],
                          theirs[i]);
    }
    if (!started) {
      std::fprintf(stderr, "cannot start the programs\n");
      return 1;
    }
    program.push_back(ours.milliseconds);
    workingSets.push_back(static_cast<double>(ours.workingSet) / 1048576.0);
    ourRuns.push_back(ours);
    for (std::size_t i = 0; i < yardsticks.size(); ++i) {
      yardsticks[i].ms.push_back(theirs[i].milliseconds);
      yardsticks[i].ratios.push_back(ours.milliseconds / theirs[i].milliseconds);
      yardsticks[i].toFirst.push_back(theirs[i].milliseconds / theirs[0].milliseconds);
      yardsticks[i].runs.push_back(theirs[i]);
    }
  }
  const double ratio = median(yardsticks[0].ratios);
  std::printf("  program %.1f ms, %s %.1f ms (medians of %d alternating rounds)\n",
              median(program), yardsticks[0].args[3], median(yardsticks[0].ms), pairs);
  std::printf("  ratio %.2f (median of the rounds' ratios; goal %.2f)\n", ratio, limit);
  for (std::size_t i = 1; i < yardsticks.size(); ++i) {
    std::printf("  %s %.1f ms (%.2f times the %s): program's ratio to it %.2f (for information)\n",
                yardsticks[i].args[3], median(yardsticks[i].ms), median(yardsticks[i].toFirst),
                yardsticks[0].args[3], median(yardsticks[i].ratios));
  }
  std::printf("  working set after start-up: %.1f MB\n", median(workingSets));
  std::printf("  phases, ms from the process's creation (medians):\n");
  printPhases("program", ourRuns);
  for (const Yardstick& yardstick : yardsticks) printPhases(yardstick.args[3], yardstick.runs);
  if (ratio > limit) {
    std::printf("  FAILED: start-up takes %.2f times the %s, over the %.2f allowed\n", ratio,
                yardsticks[0].args[3], limit);
    return 3;
  }
  return 0;
}
