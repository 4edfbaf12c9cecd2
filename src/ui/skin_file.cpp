#include "ui/skin_file.h"

#include <charconv>
#include <sstream>

#include "base/text.h"

namespace corvanta::ui {
namespace {

// Sizes a window could show; anything else is a typing slip in the file.
constexpr int kLargestFontPoints = 72;

// Reads "face, points[, bold]"; false, leaving the style untouched, when a
// part cannot be read.
bool readFont(const std::string& value, SkinStyle& style) {
  SkinStyle read = style;
  std::istringstream parts(value);
  std::string part;
  int field = 0;
  while (std::getline(parts, part, ',')) {
    part = trimBlanks(part);
    if (field == 0) {
      if (part.empty()) return false;
      read.fontFace = part;
    } else if (equalsIgnoringCase(part, "bold")) {
      read.bold = true;
    } else {
      int points = 0;
      const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), points);
      if (error != std::errc() || end != part.data() + part.size() || points < 1 ||
          points > kLargestFontPoints)
        return false;
      read.fontPoints = points;
    }
    ++field;
  }
  style = read;
  return true;
}

using ColourField = std::optional<Rgb> SkinStyle::*;

// The colour a key sets, or null for a key that is not a colour.
ColourField colourField(const std::string& key) {
  static const std::map<std::string, ColourField> kFields = {
      {"BACK", &SkinStyle::back},   {"TEXT", &SkinStyle::text}, {"FACE", &SkinStyle::face},
      {"BORDER", &SkinStyle::border}, {"HOT", &SkinStyle::hot},   {"BAND", &SkinStyle::band},
      {"BANDTEXT", &SkinStyle::bandText}};
  const auto found = kFields.find(key);
  return found == kFields.end() ? nullptr : found->second;
}

// At most `bytes` of `text`, ending before a character rather than inside
// one, and "..." when something was cut.
std::string listedText(const std::string& text, std::size_t bytes) {
  if (text.size() <= bytes) return text;
  std::size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end) + "...";
}

template <class T>
void inherit(std::optional<T>& field, const std::optional<T>& from) {
  if (!field) field = from;
}

}  // namespace

std::optional<Rgb> parseColor(const std::string& text) {
  const std::string value = trimBlanks(text);
  if (value.size() != 7 || value[0] != '#') return std::nullopt;
  if (value.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
    return std::nullopt;
  return static_cast<Rgb>(std::stoul(value.substr(1), nullptr, 16));
}

SkinFile SkinFile::parse(const std::string& text) {
  SkinFile file;
  SkinStyle* current = nullptr;
  std::istringstream lines(text);
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    const auto comment = line.find(';');
    line = trimBlanks(line.substr(0, comment));
    if (line.empty()) continue;
    if (line.front() == '[' && line.back() == ']') {
      current = &file.elements_[foldCase(trimBlanks(line.substr(1, line.size() - 2)))];
      continue;
    }
    const auto equals = line.find('=');
    bool read = false;
    if (current && equals != std::string::npos) {
      const std::string key = foldCase(trimBlanks(line.substr(0, equals)));
      const std::string value = trimBlanks(line.substr(equals + 1));
      if (key == "FONT") {
        read = readFont(value, *current);
      } else if (const auto field = colourField(key)) {
        const auto color = parseColor(value);
        if (color) (*current).*field = color;
        read = color.has_value();
      }
    }
    if (!read && file.skippedCount_++ < kListedSkippedLines) {
      file.skipped_.push_back("line " + std::to_string(number) + ": " +
                              listedText(line, kListedLineBytes));
    }
  }
  return file;
}

bool SkinFile::has(const std::string& element) const {
  return elements_.count(foldCase(element)) != 0;
}

SkinStyle SkinFile::style(const std::string& element) const {
  SkinStyle style;
  if (const auto found = elements_.find(foldCase(element)); found != elements_.end()) {
    style = found->second;
  }
  if (const auto form = elements_.find("FORM"); form != elements_.end()) {
    const SkinStyle& base = form->second;
    inherit(style.back, base.back);
    inherit(style.text, base.text);
    inherit(style.face, base.face);
    inherit(style.border, base.border);
    inherit(style.hot, base.hot);
    if (style.fontFace.empty()) {
      style.fontFace = base.fontFace;
      if (style.fontPoints == 0) style.fontPoints = base.fontPoints;
    }
  }
  return style;
}

}  // namespace corvanta::ui
