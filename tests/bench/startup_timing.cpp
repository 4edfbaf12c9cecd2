// Start-up time of a program: from CreateProcess until its main window is
// visible, over several runs; the window is then closed and the process
// waited for.
//
//   corvanta_startup_timing <program.exe> <window class> <window title> [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <program.exe> <window class> <window title> [runs]\n", argv[0]);
    return 2;
  }
  const int runs = argc > 4 ? std::atoi(argv[4]) : 10;
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = std::string("\"") + argv[1] + "\"";
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
      std::fprintf(stderr, "cannot start %s\n", argv[1]);
      return 1;
    }
    HWND window = nullptr;
    while (!(window = FindWindowA(argv[2], argv[3])) || !IsWindowVisible(window)) Sleep(1);
    LARGE_INTEGER shown;
    QueryPerformanceCounter(&shown);
    times.push_back(1000.0 * static_cast<double>(shown.QuadPart - start.QuadPart) /
                    static_cast<double>(frequency.QuadPart));
    PostMessageA(window, WM_CLOSE, 0, 0);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  std::sort(times.begin(), times.end());
  std::printf("%s: median %.1f ms, best %.1f ms, worst %.1f ms over %d runs\n", argv[1],
              times[times.size() / 2], times.front(), times.back(), runs);
  return 0;
}
