// System Restore as the tests arrange it: each request recorded with how
// many registry writes had been made when it came, and answered as told.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_registry.h"
#include "platform/restore_point_port.h"

namespace corvanta::testing {

class FakeRestorePoints final : public RestorePointPort {
 public:
  explicit FakeRestorePoints(FakeRegistry& registry) : registry_(registry) {}

  struct Request {
    std::string description;
    int writesBefore = 0;  // registry writes made before it was asked for
  };
  std::vector<Request> requests;
  std::vector<std::int64_t> ended;
  // The answer; nothing: no System Restore here.
  std::optional<RestorePointReply> reply = RestorePointReply{true, 0, 7};

  // Values set or deleted and keys deleted. (Making a key is left out: the
  // program opens keys it writes in by making them, and a key it makes new
  // is journaled, and so asked for, first.)
  int writes() const {
    return registry_.calls(RegistryOp::SetValue) + registry_.calls(RegistryOp::DeleteKey) +
           registry_.calls(RegistryOp::DeleteValue);
  }
  std::optional<RestorePointReply> begin(const std::string& description) override {
    requests.push_back({description, writes()});
    return reply;
  }
  void end(std::int64_t sequence) override { ended.push_back(sequence); }

 private:
  FakeRegistry& registry_;
};

}  // namespace corvanta::testing
