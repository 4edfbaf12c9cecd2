// Every window of the program as a keyboard user and a screen reader meet
// it, as real windows: the main window on each of its pages, and each window
// opened over it. A window opens with a control focused; Tab goes once
// through every control that takes the focus, in reading order; F1 asks for
// the help of the page the focus is on; Enter presses the default button;
// Escape closes a window that has a Close or Cancel, and the focus goes back
// to the control that opened it. Every control the focus reaches has a name
// of its own, read as a screen reader reads it.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "appearance/fonts_form.h"
#include "appearance/syscolors_form.h"
#include "fakes/app_harness.h"
#include "health/health_checks.h"
#include "health/health_form.h"
#include "health/review_form.h"
#include "monitor/process_form.h"
#include "shell/about_form.h"
#include "shell/changes_form.h"
#include "shell/main_form.h"
#include "ui/win32/skin_engine.h"
#include "ui/win32/win32_window_system.h"
#include "win32/running_program.h"

namespace corvanta {
namespace {

using testing::childWithText;

const IID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

HWND hwndOf(const ui::Control& control) { return reinterpret_cast<HWND>(control.handle()); }

// The program as its one process holds it: fakes behind the ports, real
// windows, the real skin (whose band holds About, Changes and help), the
// navigation open.
struct Program {
  Program() {
    windows.setSkinPainter(&skin);
    forms.onHelp = [this](const std::string& topic) { help.push_back(topic); };
    forms.Show(main);
    main.control("syscmd").click();
    forms.DoEvents();
    found[0].key =
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\gone.exe";
    found[0].reason = "file missing";
  }
  ~Program() { forms.End(); }

  testing::AppHarness harness;
  ui::win32::Win32WindowSystem windows;
  ui::win32::SkinEngine skin{harness.desktop};
  ui::Forms forms{windows};
  AppContext app = harness.contextWith({.forms = &forms, .skin = &skin});
  MainForm main{app};
  std::vector<std::string> help;
  std::vector<Finding> found = std::vector<Finding>(1);
  IgnoreList ignored;
};

struct Window {
  const char* name;  // a page of the main window, or a window opened over it
  const char* from;  // the page the window is opened from, or null
  // Makes the window opened over the main window; null for a page.
  std::function<std::unique_ptr<ui::Form>(Program&)> make;
  const char* opener;         // the text of the control that opens it
  const char* defaultButton;  // null for none
  const char* help;
};

template <class Form>
std::function<std::unique_ptr<ui::Form>(Program&)> make() {
  return [](Program& program) { return std::make_unique<Form>(program.app); };
}

const std::vector<Window>& windows() {
  static const std::vector<Window> kWindows = {
      {"Visual Options", nullptr, nullptr, nullptr, "applyvisualcmd", "visual-options.html"},
      {"Start Menu", nullptr, nullptr, nullptr, "applymenu", "start-menu.html"},
      {"Desktop", nullptr, nullptr, nullptr, "applydesktop", "desktop.html"},
      {"Explorer Options", nullptr, nullptr, nullptr, "applycmd", "explorer-options.html"},
      {"Privacy", nullptr, nullptr, nullptr, "applyprivacy", "privacy.html"},
      {"Drives", nullptr, nullptr, nullptr, nullptr, "drives.html"},
      {"Input", nullptr, nullptr, nullptr, "inputcmd", "input.html"},
      {"System Information", nullptr, nullptr, nullptr, nullptr, "system-information.html"},
      {"Language", nullptr, nullptr, nullptr, "Applylangcmd", "language.html"},
      {"Monitoring", nullptr, nullptr, nullptr, nullptr, "monitoring.html"},
      {"About", nullptr, make<AboutForm>(), "About", "cmdOK", "about.html"},
      {"Changes", nullptr, make<ChangesForm>(), "Changes", "closecmd", "changes.html"},
      {"Fonts", "Visual Options", make<FontsForm>(), "Fonts", "Command2", "fonts.html"},
      {"Colours", "Visual Options", make<SystemColorsForm>(), "System Colors", "Command1",
       "system-colours.html"},
      {"System Health", nullptr, make<HealthForm>(), "System Health", "checkcmd",
       "system-health.html"},
      {"Review", nullptr,
       [](Program& program) {
         return std::make_unique<ReviewForm>(program.app, kHealthChecks[1], program.found,
                                             program.ignored);
       },
       nullptr, "repaircmd", "system-health.html#review"},
      {"Process manager", "Monitoring", make<ProcessForm>(), "Tasks", "Command1",
       "process-manager.html"},
  };
  return kWindows;
}

// Controls of those windows and the names a screen reader must read for
// them; null for any name but none (a text another branch may reword).
const struct {
  const char* window;
  const char* control;
  const char* name;
} kNames[] = {
    {"Visual Options", "wallpapercmd", "Choose wallpaper"},
    {"Visual Options", "Image1", nullptr},
    {"Visual Options", "syscmd", "System"},
    {"Visual Options", "TabStrip1", "Visual Options"},
    {"Start Menu", "mdelaycombo", "Show menu Delay"},
    {"Explorer Options", "browse3cmd", "Browse: Source code editor"},
    {"Explorer Options", "browsecmd", "Browse: Change download directory"},
    {"Explorer Options", "browse2cmd", "Browse: Change toolbar background wallpaper"},
    {"Drives", "Drive1", "Drive"},
    {"Drives", "freebar", "Free"},
    {"Drives", "usedbar", "Used"},
    {"Input", "Repeatslider", "Repeat Rate"},
    {"Input", "Delayslider", "Repeat Delay"},
    {"Input", "SpeedSlider", "Mouse Pointer Speed"},
    {"Input", "DoubleSlider", "Double click speed"},
    {"System Information", "txtComputerName", "Computer Name"},
    {"Language", "combolng", "Select your language"},
    {"Monitoring", "Slider1", "Zoom"},
    {"Monitoring", "Slider2", "Speed"},
    {"Monitoring", "ProgressBar1", "Free Physical Memory"},
    {"Monitoring", "ProgressBar2", "Used memory"},
    {"Monitoring", "cpuhist", "Processor usage"},
    {"Changes", "groups", "Groups of changes"},
    {"Fonts", "Label1", "Sample text"},
    {"Colours", "List1", "Item"},
    {"Colours", "Picture1", "Colors"},
    {"System Health", "check5cmd", "Check & Repair: Help files"},
    {"System Health", "HelpProgressBar", "Help files"},
    {"System Health", "ODrive", "Orphan Shortcuts"},
    {"System Health", "e5label", "Help files: Total Errors Found"},
};

// Puts the main window on one of its pages, as its buttons and tabs do.
void showPage(MainForm& main, const std::string& page) {
  const struct {
    const char* page;
    const char* button;
    const char* strip;
    int tab;
  } kPages[] = {
      {"Visual Options", "Command4", "TabStrip1", 1},
      {"Start Menu", "Command4", "TabStrip1", 2},
      {"Desktop", "Command4", "TabStrip1", 3},
      {"Explorer Options", "Command1", "ExpTab", 1},
      {"Privacy", "Command1", "ExpTab", 2},
      {"Drives", "Command5", nullptr, 0},
      {"Input", "Command6", nullptr, 0},
      {"System Information", "Command2", nullptr, 0},
      {"Language", "Command7", nullptr, 0},
      {"Monitoring", "cpucmd", nullptr, 0},
  };
  for (const auto& each : kPages) {
    if (page != each.page) continue;
    main.control(each.button).click();
    if (!each.strip) continue;
    main.control(each.strip).setSelectedTab(each.tab);
    main.control(each.strip).click();
  }
}

// The window as the test has it open: its form, and the window opened.
struct Opened {
  ui::Form& form;
  std::unique_ptr<ui::Form> window;
  HWND opener = nullptr;
  HWND hwnd() const { return reinterpret_cast<HWND>(form.handle()); }
};

Opened open(Program& program, const Window& each) {
  showPage(program.main, each.make ? (each.from ? each.from : "") : each.name);
  program.forms.DoEvents();
  const HWND main = reinterpret_cast<HWND>(program.main.handle());
  HWND opener = each.opener ? childWithText(main, each.opener, true) : nullptr;
  if (opener) SetFocus(opener);
  if (!each.make) return {program.main, nullptr, nullptr};
  auto window = each.make(program);
  program.forms.Load(*window, &program.main);
  program.forms.Show(*window);
  program.forms.DoEvents();
  ui::Form& form = *window;
  return {form, std::move(window), opener};
}

void close(Program& program, Opened& opened) {
  if (opened.window && program.forms.isLoaded(*opened.window)) program.forms.Unload(*opened.window);
  program.forms.DoEvents();
}

void press(Program& program, WPARAM key) {
  const HWND focus = GetFocus();
  PostMessageW(focus, WM_KEYDOWN, key, 1);
  PostMessageW(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
  program.forms.DoEvents();
}

// What Tab must reach, found as any program would: every shown, enabled
// tab stop placed on the window or in one of its frames.
struct StopWalk {
  HWND root;
  std::vector<HWND> stops;
};

BOOL CALLBACK addStop(HWND child, LPARAM data) {
  auto& walk = *reinterpret_cast<StopWalk*>(data);
  const HWND parent = GetParent(child);
  const bool placed =
      parent == walk.root || (GetWindowLongW(parent, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
  bool enabled = true;
  for (HWND level = child; level != walk.root; level = GetParent(level))
    enabled = enabled && IsWindowEnabled(level);
  if (placed && enabled && IsWindowVisible(child) &&
      (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP))
    walk.stops.push_back(child);
  return TRUE;
}

std::vector<HWND> tabStops(HWND window) {
  StopWalk walk{window, {}};
  EnumChildWindows(window, addStop, reinterpret_cast<LPARAM>(&walk));
  return walk.stops;
}

HWND stopHolding(HWND focus, const std::vector<HWND>& stops) {
  for (HWND level = focus; level; level = GetParent(level)) {
    if (std::find(stops.begin(), stops.end(), level) != stops.end()) return level;
  }
  return nullptr;
}

std::string describe(HWND window) {
  return testing::textOf(window) + " (" + std::to_string(reinterpret_cast<std::uintptr_t>(window)) +
         ")";
}

// Why going from `a` to `b` reads backwards, or empty. They are compared
// where they part: as the two children of the innermost frame holding both.
// The next one may not stand wholly above, nor wholly to the left on the
// same line, nor round the one before it (a tab strip after its page).
std::string backwards(HWND a, HWND b, HWND root) {
  std::vector<HWND> upFromA;
  for (HWND level = a; level; level = level == root ? nullptr : GetParent(level))
    upFromA.push_back(level);
  HWND sideB = b;
  HWND common = b;
  while (std::find(upFromA.begin(), upFromA.end(), common) == upFromA.end()) {
    sideB = common;
    common = GetParent(common);
  }
  const HWND sideA = *(std::find(upFromA.begin(), upFromA.end(), common) - 1);
  RECT first, next;
  GetWindowRect(sideA, &first);
  GetWindowRect(sideB, &next);
  const int slack = 2;
  if (next.bottom <= first.top + slack) return "goes up";
  const bool sameLine = next.top < first.bottom - slack && first.top < next.bottom - slack;
  if (sameLine && next.right <= first.left + slack) return "goes left";
  if (next.left <= first.left && next.top <= first.top && next.right >= first.right &&
      next.bottom >= first.bottom)
    return "goes out to what holds it";
  return {};
}

std::string modelName(const ui::Form& form, HWND window) {
  for (const auto& control : form.controls()) {
    if (hwndOf(*control) == window) return control->name();
  }
  return {};
}

TEST(Keyboard, EveryWindowOpensFocusedTabsInReadingOrderAndTakesEnterEscapeAndF1) {
  Program program;
  for (const Window& each : windows()) {
    SCOPED_TRACE(each.name);
    Opened opened = open(program, each);
    const HWND window = opened.hwnd();
    const std::vector<HWND> stops = tabStops(window);
    ASSERT_FALSE(stops.empty());
    const HWND first = stopHolding(GetFocus(), stops);
    ASSERT_NE(nullptr, first) << "no control has the focus";

    // Tab: each stop once, in reading order, then round to the first.
    std::vector<HWND> reached{first};
    for (std::size_t step = 1; step <= stops.size(); ++step) {
      press(program, VK_TAB);
      reached.push_back(stopHolding(GetFocus(), stops));
    }
    EXPECT_EQ(first, reached.back()) << "Tab goes round";
    reached.pop_back();
    EXPECT_EQ(std::set<HWND>(stops.begin(), stops.end()),
              std::set<HWND>(reached.begin(), reached.end()));
    EXPECT_EQ(stops.size(), reached.size());
    for (std::size_t step = 1; step < reached.size(); ++step) {
      if (!reached[step - 1] || !reached[step]) continue;
      const std::string wrong = backwards(reached[step - 1], reached[step], window);
      EXPECT_EQ("", wrong) << describe(reached[step - 1]) << " to " << describe(reached[step]);
    }

    // F1 and Enter on the last control that is no button (on the page, in
    // the main window): the help of its page, and the default button.
    HWND field = nullptr;
    for (const HWND stop : reached) {
      const std::string name = modelName(opened.form, stop);
      if (!name.empty() && opened.form.control(name).kind() != ui::ControlKind::Button)
        field = stop;
    }
    if (!field && each.defaultButton) field = hwndOf(opened.form.control(each.defaultButton));
    SetFocus(field);
    program.help.clear();
    press(program, VK_F1);
    EXPECT_EQ(std::vector<std::string>{each.help}, program.help);

    std::vector<std::string> pressed;
    std::map<ui::Control*, std::function<void()>> handlers;
    for (const auto& control : opened.form.controls()) {
      if (control->kind() != ui::ControlKind::Button) continue;
      handlers[control.get()] = control->onClick;
      control->onClick = [&pressed, name = control->name()] { pressed.push_back(name); };
    }
    press(program, VK_RETURN);
    for (auto& [control, handler] : handlers) control->onClick = handler;
    EXPECT_EQ(each.defaultButton ? std::vector<std::string>{each.defaultButton}
                                 : std::vector<std::string>{},
              pressed);

    // Escape closes what has a Close or Cancel; the focus goes back.
    press(program, VK_ESCAPE);
    const bool closes = each.make != nullptr;  // every window but the main one
    EXPECT_EQ(!closes, program.forms.isLoaded(opened.form));
    if (closes && opened.opener) {
      EXPECT_EQ(opened.opener, GetFocus()) << "the focus goes back";
    }
    close(program, opened);
  }
}

// The name, role, value or state a screen reader is given for a control.
class Accessible {
 public:
  explicit Accessible(HWND window) {
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                               reinterpret_cast<void**>(&object_));
  }
  ~Accessible() {
    if (object_) object_->Release();
  }
  std::string text(HRESULT (STDMETHODCALLTYPE IAccessible::*question)(VARIANT, BSTR*)) const {
    BSTR answer = nullptr;
    if (!object_ || FAILED((object_->*question)(self(), &answer)) || !answer) return {};
    std::string text = narrow(answer, SysStringLen(answer));
    SysFreeString(answer);
    return text;
  }
  long number(HRESULT (STDMETHODCALLTYPE IAccessible::*question)(VARIANT, VARIANT*)) const {
    VARIANT answer{};
    if (!object_ || FAILED((object_->*question)(self(), &answer)) || answer.vt != VT_I4) return -1;
    return answer.lVal;
  }

 private:
  static VARIANT self() {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
  }
  IAccessible* object_ = nullptr;
};

std::string nameOf(HWND window) { return Accessible(window).text(&IAccessible::get_accName); }

TEST(ScreenReader, EveryControlTheFocusReachesHasANameOfItsOwn) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  {
    Program program;
    for (const Window& each : windows()) {
      SCOPED_TRACE(each.name);
      Opened opened = open(program, each);
      std::map<std::string, HWND> named;
      for (const HWND stop : tabStops(opened.hwnd())) {
        const std::string name = nameOf(stop);
        EXPECT_NE("", name) << describe(stop);
        const auto [kept, unique] = named.emplace(name, stop);
        EXPECT_TRUE(unique) << describe(stop) << " and " << describe(kept->second) << ": " << name;
      }
      for (const auto& spot : kNames) {
        if (std::string(spot.window) != each.name) continue;
        const std::string read = nameOf(hwndOf(opened.form.control(spot.control)));
        EXPECT_EQ(spot.name ? spot.name : read, read) << spot.control;
        EXPECT_NE("", read) << spot.control;
      }
      close(program, opened);
    }

    // The processor graph reads as a progress bar with its newest value; the
    // expander tells whether the navigation is open.
    ui::Control& graph = program.main.control("cpuhist");
    graph.NewValue(51);
    const Accessible reader(hwndOf(graph));
    EXPECT_EQ(ROLE_SYSTEM_PROGRESSBAR, reader.number(&IAccessible::get_accRole));
    EXPECT_EQ("51 %", reader.text(&IAccessible::get_accValue));
    const HWND expander = hwndOf(program.main.control("syscmd"));
    EXPECT_TRUE(Accessible(expander).number(&IAccessible::get_accState) & STATE_SYSTEM_EXPANDED);
    program.main.control("syscmd").click();
    EXPECT_TRUE(Accessible(expander).number(&IAccessible::get_accState) & STATE_SYSTEM_COLLAPSED);
    EXPECT_EQ("System", nameOf(expander));
  }
  CoUninitialize();
}

}  // namespace
}  // namespace corvanta
