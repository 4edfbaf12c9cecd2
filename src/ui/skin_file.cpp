#include "ui/skin_file.h"

#include <sstream>

#include "base/ansi_text.h"

namespace corvanta::ui {
namespace {

void readFont(const std::string& value, SkinStyle& style) {
  std::istringstream parts(value);
  std::string part;
  int field = 0;
  while (std::getline(parts, part, ',')) {
    part = trimBlanks(part);
    if (field == 0) {
      style.fontFace = part;
    } else if (equalsIgnoringCase(part, "bold")) {
      style.bold = true;
    } else if (!part.empty() && part.find_first_not_of("0123456789") == std::string::npos) {
      style.fontPoints = std::stoi(part);
    }
    ++field;
  }
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
  for (std::string line; std::getline(lines, line);) {
    const auto comment = line.find(';');
    line = trimBlanks(line.substr(0, comment));
    if (line.empty()) continue;
    if (line.front() == '[' && line.back() == ']') {
      current = &file.elements_[foldAnsiCase(trimBlanks(line.substr(1, line.size() - 2)))];
      continue;
    }
    const auto equals = line.find('=');
    if (!current || equals == std::string::npos) continue;
    const std::string key = foldAnsiCase(trimBlanks(line.substr(0, equals)));
    const std::string value = trimBlanks(line.substr(equals + 1));
    if (key == "FONT") {
      readFont(value, *current);
      continue;
    }
    const auto color = parseColor(value);
    if (!color) continue;
    if (key == "BACK")
      current->back = color;
    else if (key == "TEXT")
      current->text = color;
    else if (key == "FACE")
      current->face = color;
    else if (key == "BORDER")
      current->border = color;
    else if (key == "HOT")
      current->hot = color;
    else if (key == "BAND")
      current->band = color;
    else if (key == "BANDTEXT")
      current->bandText = color;
  }
  return file;
}

bool SkinFile::has(const std::string& element) const {
  return elements_.count(foldAnsiCase(element)) != 0;
}

SkinStyle SkinFile::style(const std::string& element) const {
  SkinStyle style;
  if (const auto found = elements_.find(foldAnsiCase(element)); found != elements_.end()) {
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
