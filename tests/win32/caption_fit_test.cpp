// Every caption of every window of the program, in every shipped language,
// at the screen resolution this prefix has (96 dpi, and 120 in the run
// tools/test makes for it): each shows whole, or ends in an ellipsis with its
// full text in a tooltip.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "appearance/fonts_form.h"
#include "appearance/syscolors_form.h"
#include "fakes/app_harness.h"
#include "health/health_form.h"
#include "health/review_form.h"
#include "monitor/process_form.h"
#include "shell/changes_form.h"
#include "platform/win32/wide_text.h"
#include "shell/about_form.h"
#include "shell/main_form.h"
#include "ui/win32/caption_fit.h"
#include "ui/win32/skin_engine.h"
#include "ui/win32/win32_window_system.h"

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

TEST(CaptionFit, EveryCaptionOfEveryWindowShowsWholeInEveryLanguage) {
  std::vector<std::string> wrong;
  for (const char* language : kLanguages) {
    testing::AppHarness harness;
    for (const char* shipped : kLanguages) {
      harness.files.addFile(harness.languageFile(shipped),
                            testing::readSourceFile(std::string("languages/") + shipped + ".ini"));
    }
    harness.storeLanguage(language);
    ui::win32::Win32WindowSystem windows;
    ui::win32::SkinEngine skin;
    windows.setSkinPainter(&skin);
    ui::Forms forms(windows);
    AppContext app =
        harness.contextWith({.forms = &forms,
                             .skin = &skin,
                             .appFolder = std::string(CORVANTA_SOURCE_DIR) + "/assets"});
    {
      MainForm main(app);
      forms.Show(main);
      // Every page and tab, so that every control is made and measured.
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
      checkCaptions(main, std::string(language) + " mainform", wrong);
      HealthForm health(app);
      ProcessForm processes(app);
      FontsForm fonts(app);
      SystemColorsForm colors(app);
      AboutForm about(app);
      ChangesForm changes(app);
      std::vector<Finding> found(1);
      IgnoreList ignored;
      ReviewForm review(app, "Shared components", found, ignored);
      for (ui::Form* window : std::initializer_list<ui::Form*>{&health, &processes, &fonts, &colors,
                                                               &about, &changes, &review}) {
        forms.Show(*window);
        forms.DoEvents();
        checkCaptions(*window, std::string(language) + " " + window->name(), wrong);
        forms.Unload(*window);
      }
      forms.Unload(main);
    }
  }
  for (const std::string& line : wrong) ADD_FAILURE() << line;
}

}  // namespace
}  // namespace corvanta
