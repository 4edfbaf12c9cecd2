// The program's conversations with the user that Windows draws for it:
// message boxes and the common dialogs. A dialog the user cancels gives
// nothing back, so no caller can mistake a cancel for a choice.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvanta {

// MessageBox flags and results the program uses.
inline constexpr std::uint32_t kMbOk = 0x00;
inline constexpr std::uint32_t kMbYesNo = 0x04;
inline constexpr std::uint32_t kMbIconQuestion = 0x20;
inline constexpr std::uint32_t kMbIconError = 0x10;
inline constexpr std::uint32_t kMbIconInformation = 0x40;
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;

struct OpenFileRequest {
  std::string title;
  // Pairs of description and pattern separated by "|", as in
  // "Bitmaps (*.bmp)|*.bmp|All files (*.*)|*.*".
  std::string filter;
  std::string initialFolder;
  std::string fileName;  // shown at first; empty for none
};

class DialogsPort {
 public:
  virtual ~DialogsPort() = default;

  // A modal message box; returns the button pressed.
  virtual int messageBox(const std::string& text, const std::string& title,
                         std::uint32_t flags) = 0;
  // The file chosen, or nothing when the user cancelled.
  virtual std::optional<std::string> openFile(const OpenFileRequest& request) = 0;
  // The colour chosen (0x00BBGGRR), or nothing when the user cancelled.
  virtual std::optional<std::uint32_t> chooseColor(std::uint32_t initial) = 0;
  // The folder chosen, without a trailing backslash unless it is a drive's
  // root, or nothing when the user cancelled.
  virtual std::optional<std::string> browseForFolder(const std::string& title) = 0;
};

}  // namespace corvanta
