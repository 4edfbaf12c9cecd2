// The Fonts window, Fontsfrm: the screen's font families with a styled,
// sized preview, and the installation of a new TrueType font.
#pragma once

#include <string>

#include "ui/form.h"

namespace corvanta {

struct AppContext;

// The number at the start of `text` (digits up to the first character that
// cannot belong to one), 0 when there is none.
int leadingNumber(const std::string& text);

class FontsForm : public ui::Form {
 public:
  explicit FontsForm(AppContext& app);

  void Form_Load();
  void FillFontList();
  void lstSystemFonts_Click();
  void UpDown1_Change();
  void Check1_Click();    // strikeout
  void Check2_Click();    // bold
  void Check3_Click();    // italic
  void Command1_Click();  // install
  void Command2_Click();  // close

 private:
  // A box at 1 turns its attribute on, at 0 off; grey leaves it.
  void applyBox(const char* box, bool ui::FontSpec::*attribute);
  void showPreview();
  // Installs the file: copied under its own name, registered, loaded.
  // Returns what went wrong, or empty.
  std::string InstallFonts(const std::string& source);

  AppContext& app_;
  ui::FontSpec preview_;
};

}  // namespace corvanta
