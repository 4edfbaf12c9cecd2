// Scripted performance data and processes for the monitoring page.
#pragma once

#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/performance_port.h"
#include "platform/process_port.h"

namespace corvanta::testing {

// Answers each query with the next scripted block (the last one again when
// the script runs out), honouring the caller's buffer size as the registry
// does: a block that does not fit is 234.
class FakePerformanceData final : public PerformanceDataPort {
 public:
  std::deque<std::vector<std::uint8_t>> blocks;
  int moreDataAnswers = 0;  // the next queries answered 234 whatever the size
  long failure = 0;         // a status every query fails with
  int queries = 0;
  std::vector<std::string> asked;

  long queryPerformanceData(const std::string& objects, std::uint8_t* data,
                            std::uint32_t& size) override {
    ++queries;
    asked.push_back(objects);
    if (failure) return failure;
    if (moreDataAnswers > 0) {
      --moreDataAnswers;
      return 234;
    }
    if (blocks.empty()) return 2;
    const std::vector<std::uint8_t>& block = blocks.front();
    if (block.size() > size) return 234;
    if (!block.empty()) std::memcpy(data, block.data(), block.size());
    size = static_cast<std::uint32_t>(block.size());
    if (blocks.size() > 1) blocks.pop_front();
    return 0;
  }
};

class FakeProcesses final : public ProcessPort {
 public:
  std::vector<ProcessEntry> running;
  bool snapshotFails = false;
  std::uint32_t self = 4242;
  std::map<std::uint32_t, bool> critical;  // what the system says, where it says
  std::vector<std::uint32_t> denied;       // OpenProcess refused (5)
  std::vector<std::uint32_t> terminated;
  std::uint32_t error = 0;
  int snapshots = 0;
  // What happens between the list's last look and the opening of a process.
  std::function<void()> beforeOpen;

  bool snapshot(std::vector<ProcessEntry>& processes) override {
    ++snapshots;
    if (snapshotFails) return false;
    processes = running;
    return true;
  }
  std::uint32_t currentProcessId() override { return self; }
  std::optional<bool> isCritical(std::uint32_t id) override {
    const auto found = critical.find(id);
    if (found == critical.end()) return std::nullopt;
    return found->second;
  }
  std::uintptr_t openProcess(std::uint32_t, std::uint32_t id) override {
    if (beforeOpen) beforeOpen();
    for (const std::uint32_t refused : denied) {
      if (refused == id) {
        error = 5;
        return 0;
      }
    }
    return id + 0x10000;
  }
  bool getExitCode(std::uintptr_t process, std::uint32_t& code) override {
    if (!process) return fail(6);
    code = 259;
    return true;
  }
  std::optional<std::uint64_t> creationTime(std::uintptr_t process) override {
    const auto id = static_cast<std::uint32_t>(process - 0x10000);
    for (const ProcessEntry& entry : running) {
      if (entry.id == id) return entry.created;
    }
    return std::nullopt;
  }
  bool terminate(std::uintptr_t process, std::uint32_t) override {
    if (!process) return fail(6);
    const auto id = static_cast<std::uint32_t>(process - 0x10000);
    terminated.push_back(id);
    std::erase_if(running, [&](const ProcessEntry& entry) { return entry.id == id; });
    return true;
  }
  bool closeHandle(std::uintptr_t handle) override { return handle ? true : fail(6); }
  std::uint32_t lastError() override { return error; }

 private:
  bool fail(std::uint32_t code) {
    error = code;
    return false;
  }
};

}  // namespace corvanta::testing
