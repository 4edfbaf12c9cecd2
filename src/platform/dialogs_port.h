// The program's conversations with the user that Windows draws for it.
#pragma once

#include <cstdint>
#include <string>

namespace corvanta {

// MessageBox flags and results the program uses.
inline constexpr std::uint32_t kMbOk = 0x00;
inline constexpr std::uint32_t kMbIconError = 0x10;
inline constexpr int kIdOk = 1;

class DialogsPort {
 public:
  virtual ~DialogsPort() = default;

  // A modal message box; returns the button pressed.
  virtual int messageBox(const std::string& text, const std::string& title,
                         std::uint32_t flags) = 0;
};

}  // namespace corvanta
