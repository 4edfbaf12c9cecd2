// The program's one text type is UTF-8 in std::string. Windows speaks UTF-16;
// the Win32 halves convert at their edge with the two functions below, which
// carry any sequence of UTF-16 units through UTF-8 and back unchanged: a
// lone surrogate (which file and registry names may hold) takes the three
// bytes UTF-8 would give it, so a name read is always the name written back.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace corvanta {

std::u16string utf16FromUtf8(std::string_view text);
std::string utf8FromUtf16(std::u16string_view text);

// Whether `text` is well-formed UTF-8 (no surrogate, no overlong form).
bool isValidUtf8(std::string_view text);
// Text from a file earlier versions may have written in the Western code
// page (Windows-1252): with a UTF-8 byte-order mark or well-formed UTF-8,
// as it is (without the mark); else converted from Windows-1252.
std::string utf8FromStoredText(std::string_view bytes);

// The next code point of `text` from `at`, moving `at` past it. A byte that
// starts no sequence is returned as itself (so nothing is ever skipped).
char32_t nextCodePoint(std::string_view text, std::size_t& at);
void appendCodePoint(std::string& out, char32_t codePoint);

// Upper-case folding as Windows compares registry and file names: one
// UTF-16 unit to one, the letters of the Latin, Greek, Cyrillic and
// Armenian alphabets and the full-width Latin ones; everything else, sharp
// s and the Turkish dotless i among them, is its own fold.
char16_t foldCase(char16_t unit);
std::string foldCase(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The order of lists a person reads (fonts, processes, drives, languages):
// the user's locale's, once the program has set the collation Windows
// gives it; until then (and on the host) by folded code point.
using DisplayCollation = int (*)(std::string_view, std::string_view);  // <0, 0, >0
void setDisplayCollation(DisplayCollation collation);
bool displayOrder(std::string_view a, std::string_view b);

// Removes leading and trailing blanks (spaces only, as the program's
// trimming always did; tabs are kept).
std::string trimSpaces(std::string_view text);
// Removes leading and trailing spaces, tabs and carriage returns, as INI-style
// files are read.
std::string trimBlanks(std::string_view text);

// A text kept on one line of a file (a journal field, a setting): its
// backslashes, tabs and line breaks as "\\", "\t", "\r" and "\n"; and back.
std::string escapedLine(std::string_view text);
std::string unescapedLine(std::string_view text);

// A text of the language files with its blanks filled, as Windows' messages
// mark them: "%1" to "%9" the values in order, "%n" a line break (CR LF),
// "%%" one percent sign. A value is put in as it is, never read for marks
// of its own; a mark without a value, or any other "%", stays as written.
std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> values);

}  // namespace corvanta
