#include "base/text.h"

#include <tuple>

namespace corvanta {
namespace {

bool isSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The length of the sequence `lead` starts and the bits it carries; 0 for a
// byte that starts none.
int sequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Windows-1252's 0x80-0x9F block; the five holes keep their byte value, as
// Windows maps them.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

}  // namespace

char32_t nextCodePoint(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const int length = sequenceLength(lead);
  if (length <= 1 || at + length > text.size()) {
    ++at;
    return lead;
  }
  char32_t c = lead & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if ((next & 0xC0) != 0x80) {
      ++at;
      return lead;
    }
    c = (c << 6) | (next & 0x3F);
  }
  // Overlong forms and code points past U+10FFFF are not sequences.
  if ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF))) {
    ++at;
    return lead;
  }
  at += length;
  return c;
}

void appendCodePoint(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::u16string utf16FromUtf8(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = at;
    char32_t c = nextCodePoint(text, at);
    // A byte that starts no sequence comes from no name Windows gave us; it
    // becomes the replacement character rather than a guess.
    if (at == start + 1 && c >= 0x80) c = 0xFFFD;
    if (c >= 0x10000) {
      c -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (c >> 10));
      out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::string utf8FromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    appendCodePoint(out, c);
  }
  return out;
}

bool isValidUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = at;
    const char32_t c = nextCodePoint(text, at);
    if ((at == start + 1 && c >= 0x80) || isSurrogate(c)) return false;
  }
  return true;
}

std::string utf8FromStoredText(std::string_view bytes) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (bytes.substr(0, kBom.size()) == kBom) return std::string(bytes.substr(kBom.size()));
  if (isValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (const char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    appendCodePoint(out, b >= 0x80 && b < 0xA0 ? kWindows1252High[b - 0x80] : b);
  }
  return out;
}

char16_t foldCase(char16_t c) {
  // Blocks where capital and small letters alternate; the capital comes
  // first, on an even or an odd unit.
  auto pairs = [c](char16_t first, char16_t last, bool upperEven) -> char16_t {
    if (c < first || c > last) return 0;
    return (c % 2 == 0) == upperEven ? c : static_cast<char16_t>(c - 1);
  };
  if (c < 0x80) return c >= 'a' && c <= 'z' ? static_cast<char16_t>(c - 0x20) : c;
  if (c >= 0xE0 && c <= 0xFE) return c == 0xF7 ? c : static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return 0x178;
  if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
  for (const auto& [first, last, upperEven] :
       {std::tuple<char16_t, char16_t, bool>{0x100, 0x137, true},
        {0x139, 0x148, false},
        {0x14A, 0x177, true},
        {0x179, 0x17E, false},
        {0x460, 0x481, true},
        {0x48A, 0x4BF, true},
        {0x4C1, 0x4CE, false},
        {0x4D0, 0x52F, true},
        {0x1E00, 0x1E95, true},
        {0x1EA0, 0x1EFF, true}}) {
    if (const char16_t folded = pairs(first, last, upperEven)) return folded;
  }
  if ((c >= 0x3B1 && c <= 0x3C1) || (c >= 0x3C3 && c <= 0x3CB)) return c - 0x20;
  if (c == 0x3C2) return 0x3A3;  // final sigma
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (c == 0x4CF) return 0x4C0;
  if (c >= 0x561 && c <= 0x586) return c - 0x30;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
  return c;
}

std::string foldCase(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = at;
    const char32_t c = nextCodePoint(text, at);
    if (c < 0x80) {
      folded += static_cast<char>(foldCase(static_cast<char16_t>(c)));
    } else if (at == start + 1 || c >= 0x10000) {
      folded.append(text.substr(start, at - start));
    } else {
      appendCodePoint(folded, foldCase(static_cast<char16_t>(c)));
    }
  }
  return folded;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const char32_t x = nextCodePoint(a, i);
    const char32_t y = nextCodePoint(b, j);
    if (x == y) continue;
    if (x >= 0x10000 || y >= 0x10000) return false;
    if (foldCase(static_cast<char16_t>(x)) != foldCase(static_cast<char16_t>(y))) return false;
  }
  return i == a.size() && j == b.size();
}

namespace {

DisplayCollation displayCollation = nullptr;

std::string trimAny(std::string_view text, std::string_view blanks) {
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(blanks);
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

void setDisplayCollation(DisplayCollation collation) { displayCollation = collation; }

bool displayOrder(std::string_view a, std::string_view b) {
  if (displayCollation) return displayCollation(a, b) < 0;
  return foldCase(a) < foldCase(b);
}

std::string trimSpaces(std::string_view text) { return trimAny(text, " "); }
std::string trimBlanks(std::string_view text) { return trimAny(text, " \t\r"); }

std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> values) {
  std::string text;
  text.reserve(pattern.size());
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    const char mark = at + 1 < pattern.size() && pattern[at] == '%' ? pattern[at + 1] : '\0';
    const auto value = static_cast<std::size_t>(mark - '1');
    if (mark >= '1' && mark <= '9' && value < values.size()) {
      text += values.begin()[value];
    } else if (mark == 'n') {
      text += "\r\n";
    } else if (mark == '%') {
      text += '%';
    } else {
      text += pattern[at];
      continue;
    }
    ++at;
  }
  return text;
}

std::string escapedLine(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string unescapedLine(std::string_view text) {
  // Most texts hold no escape and are taken whole.
  if (text.find('\\') == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      const char next = text[++i];
      c = next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    }
    out += c;
  }
  return out;
}

}  // namespace corvanta
