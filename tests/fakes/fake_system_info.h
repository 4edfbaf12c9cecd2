// Scripted machine facts.
#pragma once

#include "platform/system_info_port.h"

namespace corvanta::testing {

class FakeSystemInfo final : public SystemInfoPort {
 public:
  SystemFacts facts{
      "DESK-7",     "ann",       4294967296ull,      6442450944ull, "5.1.2600 Service Pack 3",
      "Windows XP", "55274-640", "AT/AT COMPATIBLE", "06/23/99",    "ASUS - 1001"};
  std::string speed = std::string("2394 MHz\0\0\0", 11);
  int collected = 0;

  SystemFacts collect() override {
    ++collected;
    return facts;
  }
  std::string processorSpeed() override { return speed; }
};

}  // namespace corvanta::testing
