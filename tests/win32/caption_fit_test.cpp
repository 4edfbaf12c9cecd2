// Every text of every window of the program, in every shipped language, at
// the screen resolution this prefix has (96 dpi, and 120 in the run
// tools/test makes for it): each caption shows whole, or ends in an ellipsis
// with its full text in a tooltip; each title, caption, column and tab that
// has a language ID shows that language file's text for it; and in Russian
// and Chinese no text shows as it does in English but names, numbers, paths
// and units. And every window, told it has moved to a monitor of half as
// many dots per inch again and back, lays itself out for each: its controls
// where their twips put them, its fonts scaled, its captions still whole.
// And each opens inside the work area, and one made smaller than its design
// scrolls to what it cannot show.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "appearance/fonts_form.h"
#include "appearance/syscolors_form.h"
#include "base/profile_text.h"
#include "fakes/app_harness.h"
#include "health/health_checks.h"
#include "health/health_form.h"
#include "health/review_form.h"
#include "monitor/process_form.h"
#include "platform/win32/wide_text.h"
#include "registry/script_shell.h"
#include "shell/about_form.h"
#include "shell/changes_form.h"
#include "shell/main_form.h"
#include "ui/win32/caption_fit.h"
#include "ui/win32/form_window.h"
#include "ui/win32/skin_engine.h"
#include "ui/win32/win32_window_system.h"
#include "win32/running_program.h"

namespace corvanta {
namespace {

const char* const kLanguages[] = {"English", "German",  "French",   "Spanish",   "Italian",
                                  "Portuguese", "Dutch", "Polish", "Czech", "Russian",
                                  "Ukrainian",  "Greek", "Turkish", "Chinese Simplified"};

bool checked(ui::ControlKind kind) {
  using ui::ControlKind;
  return kind == ControlKind::Label || kind == ControlKind::SkinLabel ||
         kind == ControlKind::CheckBox || kind == ControlKind::OptionButton ||
         kind == ControlKind::Button;
}

BOOL CALLBACK findToolTips(HWND window, LPARAM found) {
  auto& search = *reinterpret_cast<std::pair<HWND, HWND>*>(found);
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  if (lstrcmpiA(className, TOOLTIPS_CLASSA) == 0 && GetWindow(window, GW_OWNER) == search.first) {
    search.second = window;
    return FALSE;
  }
  return TRUE;
}

std::string toolTipOf(HWND form, HWND control) {
  std::pair<HWND, HWND> search{form, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), findToolTips, reinterpret_cast<LPARAM>(&search));
  if (!search.second) return {};
  wchar_t text[512] = {};
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text;
  SendMessageW(search.second, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&tool));
  return narrow(text);
}

// The sibling a captioned control has grown over (one that starts right of
// it and covers some of it), or null.
HWND overlapped(HWND window) {
  const RECT own = ui::win32::boundsInParent(window);
  for (HWND sibling = GetWindow(window, GW_HWNDFIRST); sibling;
       sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    const RECT other = ui::win32::boundsInParent(sibling);
    RECT common{};
    const bool container = GetWindow(sibling, GW_CHILD) != nullptr;  // a frame it sits in
    if (sibling != window && !container && other.left > own.left &&
        IntersectRect(&common, &own, &other))
      return sibling;
  }
  return nullptr;
}

// What is wrong with the window's captions, one line each.
void checkCaptions(const ui::Form& form, const std::string& where,
                   std::vector<std::string>& wrong) {
  const auto formWindow = reinterpret_cast<HWND>(form.handle());
  for (const auto& control : form.controls()) {
    const auto window = reinterpret_cast<HWND>(control->handle());
    if (!window || !checked(control->kind()) || control->Caption().empty()) continue;
    const std::string& caption = control->Caption();
    if (const HWND under = overlapped(window)) {
      wchar_t text[64] = {};
      GetClassNameW(under, text, 64);
      wrong.push_back(where + " " + control->name() + " \"" + caption + "\" covers a " +
                      narrow(text));
    }
    RECT client{};
    GetClientRect(window, &client);
    const SIZE line = ui::win32::captionExtent(window, caption);
    const bool wraps = (control->kind() == ui::ControlKind::Label ||
                        control->kind() == ui::ControlKind::SkinLabel) &&
                       client.bottom >= 2 * line.cy;
    const bool whole =
        wraps ? ui::win32::captionExtent(window, caption, client.right).cy <= client.bottom
              : line.cx + ui::win32::captionMargin(window) <= client.right;
    if (whole) continue;
    const bool ellipsis = !(control->kind() == ui::ControlKind::CheckBox ||
                            control->kind() == ui::ControlKind::OptionButton) &&
                          !wraps;
    if (ellipsis && toolTipOf(formWindow, window) == caption) {
      std::printf("  ellipsis and tooltip: %s %s \"%s\"\n", where.c_str(), control->name().c_str(),
                  caption.c_str());
      continue;
    }
    wrong.push_back(where + " " + control->name() + " \"" + caption + "\": needs " +
                    std::to_string(line.cx + ui::win32::captionMargin(window)) + " of " +
                    std::to_string(client.right) + " pixels");
  }
}

// The texts a window shows, by where they show ("frmchanges groups 0 1").
using Shown = std::map<std::string, std::string>;

// Controls that show the machine's own names (fonts, drives, processes,
// languages by their own names, entries the user ignored): the same in
// every language.
bool showsData(const ui::Control& control) {
  for (const char* name :
       {"combolng", "lstSystemFonts", "Drive1", "ODrive", "ignorelist", "info"}) {
    if (control.name() == name) return true;
  }
  return control.kind() == ui::ControlKind::TextBox;
}

void collectTexts(const ui::Form& form, Shown& shown) {
  shown[form.name() + " title"] = form.Caption();
  for (const auto& control : form.controls()) {
    if (showsData(*control)) continue;
    const std::string at =
        form.name() + " " + control->name() +
        (control->index() >= 0 ? "(" + std::to_string(control->index()) + ")" : "");
    if (control->hasCaption()) shown[at] = control->Caption();
    if (control->kind() == ui::ControlKind::ComboBox) shown[at + " text"] = control->Text();
    if (!control->ToolTipText().empty()) shown[at + " tip"] = control->ToolTipText();
    for (std::size_t i = 0; i < control->items().size(); ++i)
      shown[at + " item " + std::to_string(i)] = control->items()[i];
    for (std::size_t i = 0; i < control->columns().size(); ++i)
      shown[at + " column " + std::to_string(i)] = control->columns()[i].caption;
    for (std::size_t row = 0; row < control->rows().size(); ++row) {
      for (std::size_t cell = 0; cell < control->rows()[row].size(); ++cell)
        shown[at + " " + std::to_string(row) + " " + std::to_string(cell)] =
            control->rows()[row][cell];
    }
    for (std::size_t i = 0; i < control->tabs().size(); ++i)
      shown[at + " tab " + std::to_string(i)] = control->tabs()[i];
  }
}

// What may show in another language as in English: the product's name,
// numbers, paths and addresses, units, and a resolution's "x".
bool sameInEveryLanguage(const std::string& text) {
  std::string rest;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    const std::string word = text.substr(at, end - at);
    const bool path = word.find_first_of("\\/@") != std::string::npos;
    const bool unit = word == "KB" || word == "MB" || word == "GB" || word == "TB";
    if (!path && !unit && word != "Corvanta") rest += word;
    at = end + 1;
  }
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const bool times = rest[i] == 'x' && i > 0 && i + 1 < rest.size() &&
                       std::isdigit(static_cast<unsigned char>(rest[i - 1])) &&
                       std::isdigit(static_cast<unsigned char>(rest[i + 1]));
    if (std::isalpha(static_cast<unsigned char>(rest[i])) && !times) return false;
  }
  return true;
}

// Each tagged title, caption, column and tab shows the language file's text
// for its ID.
void checkTags(const ui::Form& form, const ProfileText& file, const std::string& where,
               std::vector<std::string>& wrong) {
  const auto expect = [&](const std::string& what, const std::string& tag,
                          const std::string& shown) {
    // The frames tagged "0" were designed with no text for it.
    if (tag.empty() || tag == "0") return;
    const auto text = file.value("Corvanta", trimSpaces(tag));
    if (!text || *text != shown)
      wrong.push_back(where + " " + what + " shows \"" + shown + "\", not its text for " + tag);
  };
  expect("title", form.Tag(), form.Caption());
  for (const auto& control : form.controls()) {
    if (control->hasCaption()) expect(control->name(), control->Tag(), control->Caption());
    for (const ui::ListColumn& column : control->columns())
      expect(control->name() + " column", column.tag, column.caption);
    for (std::size_t tab = 0; tab < control->tabTags().size(); ++tab)
      expect(control->name() + " tab", control->tabTags()[tab], control->tabs()[tab]);
  }
}

// The skin's own buttons on the main window's top strip: the texts of
// 8007-8009, each whole.
void checkTopStrip(const ui::Form& main, const ProfileText& file, const std::string& where,
                   std::vector<std::string>& wrong, Shown& shown) {
  std::vector<std::string> expected;
  for (const char* id : {"8007", "8008", "8009"})
    expected.push_back(file.value("Corvanta", id).value_or("?"));
  std::vector<std::string> found;
  const auto formWindow = reinterpret_cast<HWND>(main.handle());
  for (HWND child = GetWindow(formWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const bool modelled = std::any_of(
        main.controls().begin(), main.controls().end(),
        [&](const auto& control) { return reinterpret_cast<HWND>(control->handle()) == child; });
    if (modelled) continue;
    wchar_t text[64] = {};
    GetWindowTextW(child, text, 64);
    const std::string caption = narrow(text);
    RECT client{};
    GetClientRect(child, &client);
    if (ui::win32::captionExtent(child, caption).cx + 8 > client.right)
      wrong.push_back(where + " top strip \"" + caption + "\" is cut");
    shown[main.name() + " strip " + std::to_string(found.size())] = caption;
    found.push_back(caption);
  }
  std::sort(expected.begin(), expected.end());
  std::sort(found.begin(), found.end());
  if (found != expected) wrong.push_back(where + " top strip is not the texts of 8007-8009");
}

// Shows every page and tab of the main window, so that every control of it
// is made.
void showEveryPage(MainForm& main, ui::Forms& forms) {
  main.control("syscmd").click();
  for (const char* page :
       {"Command4", "Command5", "Command6", "Command1", "Command2", "Command7", "cpucmd"}) {
    main.control(page).click();
    for (const char* strip : {"TabStrip1", "ExpTab"}) {
      auto& tabs = main.control(strip);
      for (int tab = 1; tab <= static_cast<int>(tabs.tabs().size()); ++tab) {
        tabs.selectedTabFromUser(tab);
      }
    }
  }
  forms.DoEvents();
}

// The windows opened over the main window, the review list with a finding.
struct WindowsOverMain {
  explicit WindowsOverMain(AppContext& app)
      : health(app), processes(app), fonts(app), colors(app), about(app), changes(app),
        review(app, kHealthChecks[5], found, ignored) {}
  std::vector<ui::Form*> all() {
    return {&health, &processes, &fonts, &colors, &about, &changes, &review};
  }

  std::vector<Finding> found = [] {
    std::vector<Finding> one(1);
    one[0].kind = Finding::Kind::Value;
    one[0].key = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
    one[0].value = one[0].target = "C:\\Old\\gone.dll";
    one[0].view = "both";
    one[0].reason = "file missing";
    return one;
  }();
  IgnoreList ignored;
  HealthForm health;
  ProcessForm processes;
  FontsForm fonts;
  SystemColorsForm colors;
  AboutForm about;
  ChangesForm changes;
  ReviewForm review;
};

TEST(CaptionFit, EveryTextOfEveryWindowIsItsLanguagesAndShowsWhole) {
  std::vector<std::string> wrong;
  Shown english;
  for (const char* language : kLanguages) {
    testing::AppHarness harness;
    for (const char* shipped : kLanguages) {
      harness.files.addFile(harness.languageFile(shipped),
                            testing::readSourceFile(std::string("languages/") + shipped + ".ini"));
    }
    harness.storeLanguage(language);
    const ProfileText file(testing::readSourceFile(std::string("languages/") + language + ".ini"));
    // A change for the Changes window to list: its page, and what was there.
    {
      const ChangeScope scope(harness.journal, "Visual");
      ScriptShell shell(harness.journaledRegistry, harness.shortcuts);
      shell.RegWrite("HKCU\\Software\\Corvanta\\7", std::int64_t{1}, "REG_DWORD");
    }
    ui::win32::Win32WindowSystem windows;
    ui::win32::SkinEngine skin{harness.desktop};
    windows.setSkinPainter(&skin);
    ui::Forms forms(windows);
    translateEveryWindow(forms, harness.localizer);
    Shown shown;
    AppContext app =
        harness.contextWith({.forms = &forms,
                             .skin = &skin,
                             .appFolder = std::string(CORVANTA_SOURCE_DIR) + "/assets"});
    {
      MainForm main(app);
      forms.Show(main);
      // Before the expander's click turns its ">>" round.
      checkTags(main, file, std::string(language) + " mainform", wrong);
      showEveryPage(main, forms);
      checkCaptions(main, std::string(language) + " mainform", wrong);
      checkTopStrip(main, file, std::string(language) + " mainform", wrong, shown);
      collectTexts(main, shown);
      WindowsOverMain over(app);
      for (ui::Form* window : over.all()) {
        forms.Show(*window);
        forms.DoEvents();
        checkCaptions(*window, std::string(language) + " " + window->name(), wrong);
        checkTags(*window, file, std::string(language) + " " + window->name(), wrong);
        collectTexts(*window, shown);
        forms.Unload(*window);
      }
      forms.Unload(main);
    }
    if (std::string(language) == "English") english = shown;
    if (std::string(language) != "Russian" && std::string(language) != "Chinese Simplified")
      continue;
    for (const auto& [where, text] : shown) {
      const auto before = english.find(where);
      if (before != english.end() && before->second == text && !sameInEveryLanguage(text))
        wrong.push_back(std::string(language) + " " + where + " \"" + text + "\" is English");
    }
  }
  for (const std::string& line : wrong) ADD_FAILURE() << line;
}

// Sends a window what Windows sends it when it moves to a monitor of `dpi`
// dots per inch: the new resolution, and its rectangle scaled about its
// top left corner.
RECT moveToDpi(HWND window, int from, int dpi) {
  RECT now{};
  GetWindowRect(window, &now);
  const RECT suggested{now.left, now.top, now.left + MulDiv(now.right - now.left, dpi, from),
                       now.top + MulDiv(now.bottom - now.top, dpi, from)};
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  return suggested;
}

int fontHeight(HWND window) {
  LOGFONTW face{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof face, &face);
  return std::abs(face.lfHeight);
}

// What is out of place in the window at `dpi`: each control's rectangle is
// its designed twips at `dpi` (±1 pixel), its font `dpi` / `from` of the
// height it had at `from`.
void checkLayout(const ui::Form& form, int from, int dpi, const std::map<HWND, int>& fonts,
                 const std::string& where, std::vector<std::string>& wrong) {
  const auto formWindow = reinterpret_cast<HWND>(form.handle());
  const int inset = ui::win32::FormWindow::fromHandle(formWindow)->topInset();
  const auto off = [](int actual, int expected) { return std::abs(actual - expected) > 1; };
  const auto scaled = [&](int twips) { return MulDiv(twips, dpi, 1440); };
  for (const auto& control : form.controls()) {
    const auto window = reinterpret_cast<HWND>(control->handle());
    if (!window) continue;
    const ui::Geometry& g = control->geometry();
    const RECT at = ui::win32::boundsInParent(window);
    wchar_t kind[32] = {};
    GetClassNameW(window, kind, 32);
    // A combo box is as tall as its edit field, a list box a whole number
    // of its lines; a caption's control is as wide as fitting made it
    // (checkCaptions judges that).
    const bool ownHeight = _wcsnicmp(kind, L"ComboBox", 8) == 0 || lstrcmpiW(kind, L"ListBox") == 0;
    const int width = at.right - at.left;
    if (off(at.left, scaled(g.left)) ||
        off(at.top, scaled(g.top) + (control->parent() ? 0 : inset)) ||
        (!checked(control->kind()) && off(width, scaled(g.width))) ||
        (!ownHeight && off(at.bottom - at.top, scaled(g.height)))) {
      wrong.push_back(where + " " + control->name() + " is " + std::to_string(at.left) + "," +
                      std::to_string(at.top) + " " + std::to_string(width) + "x" +
                      std::to_string(at.bottom - at.top) + ", not " +
                      std::to_string(scaled(g.left)) + "," + std::to_string(scaled(g.top)) + " " +
                      std::to_string(scaled(g.width)) + "x" + std::to_string(scaled(g.height)));
    }
    const auto before = fonts.find(window);
    if (before != fonts.end() && off(fontHeight(window), MulDiv(before->second, dpi, from))) {
      wrong.push_back(where + " " + control->name() + "'s font is " +
                      std::to_string(fontHeight(window)) + " pixels high");
    }
  }
}

// The program in one language, on real windows with the real skin.
struct ProgramIn {
  explicit ProgramIn(const std::string& language) {
    harness.files.addFile(harness.languageFile(language),
                          testing::readSourceFile("languages/" + language + ".ini"));
    harness.storeLanguage(language);
    windows.setSkinPainter(&skin);
    translateEveryWindow(forms, harness.localizer);
  }
  testing::AppHarness harness;
  ui::win32::Win32WindowSystem windows;
  ui::win32::SkinEngine skin{harness.desktop};
  ui::Forms forms{windows};
  AppContext app = harness.contextWith(
      {.forms = &forms, .skin = &skin, .appFolder = std::string(CORVANTA_SOURCE_DIR) + "/assets"});
};

TEST(CaptionFit, EveryWindowIsLaidOutAgainForTheDotsPerInchOfTheMonitorItMovesTo) {
  std::vector<std::string> wrong;
  for (const char* language : {"English", "Russian", "Chinese Simplified"}) {
  ProgramIn program(language);
  const ProfileText file(testing::readSourceFile(std::string("languages/") + language + ".ini"));
  ui::Forms& forms = program.forms;
  MainForm main(program.app);
  forms.Show(main);
  showEveryPage(main, forms);
  WindowsOverMain over(program.app);
  std::vector<ui::Form*> every = over.all();
  every.insert(every.begin(), &main);
  Shown shown;
  for (ui::Form* window : every) {
    if (window != &main) forms.Show(*window);
    forms.DoEvents();
    const auto hwnd = reinterpret_cast<HWND>(window->handle());
    const int start = ui::win32::FormWindow::fromHandle(hwnd)->dpi();
    std::map<HWND, int> fonts;
    for (const auto& control : window->controls()) {
      if (const auto made = reinterpret_cast<HWND>(control->handle())) fonts[made] = fontHeight(made);
    }
    int now = start;
    // 96 dpi to 120, 144, 192 and back (or as much more from another).
    for (const int dpi : {start * 5 / 4, start * 3 / 2, start * 2, start}) {
      const std::string where =
          std::string(language) + " " + window->name() + " at " + std::to_string(dpi) + " dpi";
      const RECT suggested = moveToDpi(hwnd, now, dpi);
      now = dpi;
      forms.DoEvents();
      // As large as suggested (scaled from whole pixels, so ±1), unless
      // larger than Windows lets a window be on this screen.
      RECT taken{};
      GetWindowRect(hwnd, &taken);
      const auto offSide = [](LONG size, LONG wanted, int most) {
        return std::abs(size - std::min<LONG>(wanted, most)) > 1;
      };
      if (taken.left != suggested.left || taken.top != suggested.top ||
          offSide(taken.right - taken.left, suggested.right - suggested.left,
                  GetSystemMetrics(SM_CXMAXTRACK)) ||
          offSide(taken.bottom - taken.top, suggested.bottom - suggested.top,
                  GetSystemMetrics(SM_CYMAXTRACK)))
        wrong.push_back(where + ": not the rectangle suggested");
      checkLayout(*window, start, dpi, fonts, where, wrong);
      checkCaptions(*window, where, wrong);
      if (window == &main) checkTopStrip(main, file, where, wrong, shown);
    }
    if (window != &main) forms.Unload(*window);
  }
  forms.Unload(main);
  }
  for (const std::string& line : wrong) ADD_FAILURE() << line;
}

// Where each of the window's own controls shows, in its client coordinates:
// a region, when it has one, hides what is outside it.
std::vector<RECT> shownControls(const ui::Form& form) {
  const auto formWindow = reinterpret_cast<HWND>(form.handle());
  std::vector<RECT> shown;
  for (const auto& control : form.controls()) {
    const auto window = reinterpret_cast<HWND>(control->handle());
    if (!window || control->parent() || !IsWindowVisible(window)) continue;
    RECT at{};
    GetWindowRect(window, &at);
    MapWindowPoints(nullptr, formWindow, reinterpret_cast<POINT*>(&at), 2);
    RECT region{};
    const int clipped = GetWindowRgnBox(window, &region);
    if (clipped == NULLREGION) continue;
    if (clipped != ERROR) at.top += region.top;
    shown.push_back(at);
  }
  return shown;
}

// The bottom right corner of the lowest and of the rightmost control.
POINT farthestControl(const ui::Form& form) {
  POINT reach{0, 0};
  for (const RECT& at : shownControls(form))
    reach = {std::max(reach.x, at.right), std::max(reach.y, at.bottom)};
  return reach;
}

// The highest point any of them shows at.
LONG highestShown(const ui::Form& form) {
  LONG highest = LONG_MAX;
  for (const RECT& at : shownControls(form)) highest = std::min(highest, at.top);
  return highest;
}

// Each list view's width and the sum of its columns' widths.
std::vector<std::pair<int, int>> listWidths(const ui::Form& form) {
  std::vector<std::pair<int, int>> widths;
  for (const auto& control : form.controls()) {
    if (control->kind() != ui::ControlKind::ListView) continue;
    const auto list = reinterpret_cast<HWND>(control->handle());
    RECT at{};
    GetWindowRect(list, &at);
    int columns = 0;
    for (std::size_t column = 0; column < control->columns().size(); ++column)
      columns += ListView_GetColumnWidth(list, static_cast<int>(column));
    widths.emplace_back(at.right - at.left, columns);
  }
  return widths;
}

TEST(CaptionFit, EveryWindowFitsTheWorkAreaAndScrollsToWhatItCannotShow) {
  ProgramIn program("English");
  ui::Forms& forms = program.forms;
  MainForm main(program.app);
  forms.Show(main);
  main.control("cpucmd").click();  // the tallest page
  WindowsOverMain over(program.app);
  std::vector<ui::Form*> every = over.all();
  every.insert(every.begin(), &main);
  for (ui::Form* window : every) {
    if (window != &main) forms.Show(*window);
    forms.DoEvents();
    const auto hwnd = reinterpret_cast<HWND>(window->handle());
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT at{};
    GetWindowRect(hwnd, &at);
    RECT inside{};
    IntersectRect(&inside, &at, &monitor.rcWork);
    EXPECT_TRUE(EqualRect(&inside, &at)) << window->name() << " is not inside the work area";
    if (!window->resizable()) {
      if (window != &main) forms.Unload(*window);
      continue;
    }
    // Made half as large: what is out of sight is reached by scrolling to
    // the end, and by the Tab key, control after control.
    SetWindowPos(hwnd, nullptr, 0, 0, (at.right - at.left) / 2, (at.bottom - at.top) / 2,
                 SWP_NOMOVE | SWP_NOZORDER);
    forms.DoEvents();
    RECT client{};
    GetClientRect(hwnd, &client);
    const POINT before = farthestControl(*window);
    EXPECT_TRUE(before.x > client.right || before.y > client.bottom) << window->name();
    SendMessageW(hwnd, WM_HSCROLL, SB_BOTTOM, 0);
    SendMessageW(hwnd, WM_VSCROLL, SB_BOTTOM, 0);
    const POINT after = farthestControl(*window);
    EXPECT_TRUE(after.x <= client.right && after.y <= client.bottom)
        << window->name() << " scrolled to the end still reaches " << after.x << "," << after.y
        << " past " << client.right << "," << client.bottom;
    if (const int strip = ui::win32::FormWindow::fromHandle(hwnd)->topInset(); strip > 0) {
      EXPECT_GE(highestShown(*window), strip)
          << window->name() << " shows a control over its strip";
    }
    SendMessageW(hwnd, WM_HSCROLL, SB_TOP, 0);
    SendMessageW(hwnd, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(before.x, farthestControl(*window).x) << window->name() << " back at the start";
    EXPECT_EQ(before.y, farthestControl(*window).y) << window->name() << " back at the start";
    auto* formWindow = ui::win32::FormWindow::fromHandle(hwnd);
    for (int tab = 0; tab < 20; ++tab) {
      MSG key{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
      if (!formWindow->dialogKey(key)) break;
      RECT focused{};
      GetWindowRect(GetFocus(), &focused);
      MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&focused), 2);
      RECT shown{};
      IntersectRect(&shown, &focused, &client);
      EXPECT_TRUE(EqualRect(&shown, &focused) || focused.right - focused.left > client.right ||
                  focused.bottom - focused.top > client.bottom)
          << window->name() << ": the focus (\"" << testing::textOf(GetFocus())
          << "\") is out of sight after " << tab + 1 << " Tabs";
    }
    if (window->growable()) {
      // Made larger than its design, it keeps its margins: what is at its
      // right and bottom edges follows them, and its lists share what they
      // gained among their columns.
      SetWindowPos(hwnd, nullptr, 0, 0, at.right - at.left, at.bottom - at.top,
                   SWP_NOMOVE | SWP_NOZORDER);
      GetClientRect(hwnd, &client);
      const POINT designed = farthestControl(*window);
      const auto lists = listWidths(*window);
      SetWindowPos(hwnd, nullptr, 0, 0, at.right - at.left + 200, at.bottom - at.top + 100,
                   SWP_NOMOVE | SWP_NOZORDER);
      RECT larger{};
      GetClientRect(hwnd, &larger);
      const POINT grown = farthestControl(*window);
      EXPECT_EQ(client.right - designed.x, larger.right - grown.x) << window->name();
      EXPECT_EQ(client.bottom - designed.y, larger.bottom - grown.y) << window->name();
      // Windows keeps a window within the screen: it may grow by less.
      const LONG gain = larger.right - client.right;
      EXPECT_GT(gain, 0) << window->name();
      const auto widened = listWidths(*window);
      for (std::size_t list = 0; list < lists.size(); ++list) {
        EXPECT_EQ(lists[list].first + gain, widened[list].first) << window->name();
        EXPECT_NEAR(lists[list].second + gain, widened[list].second, 3) << window->name();
      }
    }
    if (window != &main) forms.Unload(*window);
  }
  forms.Unload(main);
}

}  // namespace
}  // namespace corvanta
