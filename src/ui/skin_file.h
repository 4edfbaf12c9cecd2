// The skin file, our own small text format: one section per skin element,
// each giving colours (#RRGGBB) and a font. Elements a file does not name
// take the "Form" element's look, or plain system colours without one.
//
//   [Form]
//   back = #EEF2F7
//   text = #1B2B3C
//   font = Tahoma, 8
//   band = #2F5F8F        ; the title band of a main window
//
// Keys: back, text, face (button face), border, hot (pointer over), band,
// bandText, font ("face, points" with an optional ", bold").
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvanta::ui {

using Rgb = std::uint32_t;  // 0x00RRGGBB

struct SkinStyle {
  std::optional<Rgb> back;
  std::optional<Rgb> text;
  std::optional<Rgb> face;
  std::optional<Rgb> border;
  std::optional<Rgb> hot;
  std::optional<Rgb> band;
  std::optional<Rgb> bandText;
  std::string fontFace;
  int fontPoints = 0;
  bool bold = false;
};

class SkinFile {
 public:
  // How many skipped lines are kept to be shown, and how much of each: a
  // file of megabytes of junk is told about in a few lines, not repeated.
  static constexpr std::size_t kListedSkippedLines = 3;
  static constexpr std::size_t kListedLineBytes = 200;

  // Parses a skin file's text. Lines it cannot read are skipped, counted and
  // the first few listed: a skin is decoration and never stops a window
  // opening.
  static SkinFile parse(const std::string& text);
  std::size_t skippedCount() const { return skippedCount_; }
  // "line N: <text>" for the first kListedSkippedLines lines skipped, in file
  // order, the text cut to kListedLineBytes (at a character's start) and
  // "..." where it was cut.
  const std::vector<std::string>& skippedLines() const { return skipped_; }

  // The element's style, with what it leaves open taken from "Form".
  SkinStyle style(const std::string& element) const;
  bool has(const std::string& element) const;

 private:
  std::map<std::string, SkinStyle> elements_;  // by folded name
  std::vector<std::string> skipped_;
  std::size_t skippedCount_ = 0;
};

std::optional<Rgb> parseColor(const std::string& text);

}  // namespace corvanta::ui
