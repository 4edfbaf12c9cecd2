// Start-up time of the program beside an empty window program: from
// CreateProcess until each one's main window is visible, run in alternating
// pairs; the medians, the median of the pair ratios, and the program's
// working set once it has started. Each program's phases (WinMain, window
// created, loaded, shown, first paint), as it traces them itself, are
// printed too: the median time of each from the process's creation. Exits 3, saying so, when the ratio is
// above the limit given. A second yardstick, when given, runs in every round
// too and is reported beside the first, for information only.
//
//   corvanta_startup_timing <pairs> <limit> <program.exe> <class> <title>
//                           <yardstick.exe> <class> <title>
//                           [<second yardstick.exe> <class> <title>]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
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
  std::printf("    %-14s", who);
  if (runs.empty() || runs.front().phases.empty()) std::printf(" (traced nothing)");
  for (const auto& phase : runs.empty() ? decltype(Run::phases){} : runs.front().phases)
    std::printf("  %s %.1f", phase.first.c_str(), median(times[phase.first]));
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 9 && argc != 12) {
    std::fprintf(stderr,
                 "usage: %s <pairs> <limit> <program> <class> <title> <yardstick> <class> <title> "
                 "[<second yardstick> <class> <title>]\n",
                 argv[0]);
    return 2;
  }
  const int pairs = std::max(1, std::atoi(argv[1]));
  const double limit = std::atof(argv[2]);
  const bool second = argc == 12;
  std::vector<double> program, yardstick, ratios, secondYardstick, secondRatios;
  std::vector<double> workingSets;
  std::vector<Run> ourRuns, emptyRuns, otherRuns;
  for (int pair = 0; pair < pairs; ++pair) {
    Run ours, empty, other;
    if (!startOnce(argv[6], argv[7], argv[8], empty) ||
        !startOnce(argv[3], argv[4], argv[5], ours) ||
        (second && !startOnce(argv[9], argv[10], argv[11], other))) {
      std::fprintf(stderr, "cannot start the programs\n");
      return 1;
    }
    program.push_back(ours.milliseconds);
    yardstick.push_back(empty.milliseconds);
    ratios.push_back(ours.milliseconds / empty.milliseconds);
    if (second) {
      secondYardstick.push_back(other.milliseconds);
      secondRatios.push_back(ours.milliseconds / other.milliseconds);
    }
    workingSets.push_back(static_cast<double>(ours.workingSet) / 1048576.0);
    ourRuns.push_back(ours);
    emptyRuns.push_back(empty);
    if (second) otherRuns.push_back(other);
  }
  const double ratio = median(ratios);
  std::printf("  program %.1f ms, empty window %.1f ms (medians of %d alternating pairs)\n",
              median(program), median(yardstick), pairs);
  std::printf("  ratio %.2f (median of the pairs' ratios; goal %.2f)\n", ratio, limit);
  if (second) {
    std::printf("  second yardstick %.1f ms: ratio %.2f (for information)\n",
                median(secondYardstick), median(secondRatios));
  }
  std::printf("  working set after start-up: %.1f MB\n", median(workingSets));
  std::printf("  phases, ms from the process's creation (medians):\n");
  printPhases("program", ourRuns);
  printPhases("empty window", emptyRuns);
  if (second) printPhases("themed empty", otherRuns);
  if (ratio > limit) {
    std::printf("  FAILED: start-up takes %.2f times the empty window, over the %.2f allowed\n",
                ratio, limit);
    return 3;
  }
  return 0;
}
