// Whole-program timing under Wine or Windows: EnumRegistryValues over a real
// key of 10,000 mixed values, beside the same loop on the port and the same
// loop written straight on RegEnumValueA.
//
//   corvanta_enum_timing setup         make the key (once)
//   corvanta_enum_timing class|port|api [runs]
//   corvanta_enum_timing cleanup
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "bench/enum_workload.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/system_win32.h"
#include "registry/registry_routines.h"

namespace {

using namespace corvanta;
constexpr const char* kKey = "Software\\Corvanta Benchmark";

std::size_t apiLoop(SystemPort& system) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  std::vector<std::pair<std::string, std::string>> values;
  char name[260];
  Bytes data(4096);
  for (DWORD index = 0;; ++index) {
    DWORD nameLength = sizeof name;
    DWORD type = 0;
    DWORD dataLength = static_cast<DWORD>(data.size());
    LONG status =
        RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data.data(), &dataLength);
    if (status == ERROR_MORE_DATA) {
      data.resize(dataLength);
      nameLength = sizeof name;
      status =
          RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data.data(), &dataLength);
    }
    if (status != ERROR_SUCCESS) break;
    values.emplace_back(std::string(name, nameLength),
                        renderValueData(type, data.data(), dataLength, system));
  }
  RegCloseKey(key);
  return values.size();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "class";
  const int runs = argc > 2 ? std::atoi(argv[2]) : 20;
  Win32Registry registry;
  Win32System system;

  if (mode == "setup") {
    RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
    RegKey key = 0;
    registry.createKeyEx(kHkeyCurrentUser, kKey, "", 0, kKeyAllAccess, key, nullptr);
    bench::fillMixedValues(registry, key);
    registry.closeKey(key);
    return 0;
  }
  if (mode == "cleanup") return RegDeleteTreeA(HKEY_CURRENT_USER, kKey) == ERROR_SUCCESS ? 0 : 1;

  RegistryRoutines routines(registry, system);
  std::size_t count = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int run = 0; run < runs; ++run) {
    if (mode == "class") {
      count = routines.EnumRegistryValues(kHkeyCurrentUser, kKey).size();
    } else if (mode == "port") {
      count = bench::bareEnumValues(registry, system, kHkeyCurrentUser, kKey).size();
    } else {
      count = apiLoop(system);
    }
  }
  const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  std::printf("%s: %zu values, %.2f ms per enumeration over %d runs\n", mode.c_str(), count,
              spent.count() / runs, runs);
  return count == static_cast<std::size_t>(bench::kValueCount) ? 0 : 1;
}
