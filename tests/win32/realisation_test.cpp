// Each control kind once against real Windows controls: made from the model,
// changed through the model, then worked by "the user" (keys and clicks sent
// to the real control), and the model read back.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ui/forms.h"
#include "ui/win32/form_window.h"
#include "ui/win32/win32_window_system.h"

namespace corvanta::ui::win32 {
namespace {

HWND hwndOf(const Control& control) { return reinterpret_cast<HWND>(control.handle()); }

std::string textOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

LRESULT send(const Control& control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(hwndOf(control), message, wParam, lParam);
}

// Answers the run-time error box the form window shows.
void CALLBACK closeErrorBox(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (HWND box = FindWindowA("#32770", "Realisation")) PostMessageW(box, WM_COMMAND, IDOK, 0);
}

void pressKey(HWND window, WPARAM key) {
  SendMessageW(window, WM_KEYDOWN, key, 0);
  SendMessageW(window, WM_KEYUP, key, 0xC0000000);
}

class RealisationTest : public ::testing::Test {
 protected:
  void show() { forms.Show(form); }
  void TearDown() override { forms.Unload(form); }

  Win32WindowSystem windows;
  Forms forms{windows};
  Form form{"test", "Realisation", 9000, 6000};
  int clicks = 0;
  int changes = 0;
};

TEST_F(RealisationTest, PushButtonShowsItsCaptionAndReportsPresses) {
  Control& button = form.add(ControlKind::Button, "cmd").caption("&Apply").at(120, 120, 1200, 375);
  button.onClick = [&] { ++clicks; };
  show();
  EXPECT_EQ("&Apply", textOf(hwndOf(button)));
  send(button, BM_CLICK);
  EXPECT_EQ(1, clicks);
  button.setCaption("Close");
  EXPECT_EQ("Close", textOf(hwndOf(button)));
  button.setEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(hwndOf(button)));
}

TEST_F(RealisationTest, CheckBoxShowsGreyAndAClickTicksOrClearsIt) {
  Control& box = form.add(ControlKind::CheckBox, "chk")
                     .caption("Remove the Run command")
                     .at(120, 120, 3000, 285);
  box.onClick = [&] { ++clicks; };
  show();
  box.setValue(kGrayed);
  EXPECT_EQ(BST_INDETERMINATE, send(box, BM_GETCHECK));
  send(box, BM_CLICK);
  EXPECT_EQ(kChecked, box.Value());
  EXPECT_EQ(BST_CHECKED, send(box, BM_GETCHECK));
  send(box, BM_CLICK);
  EXPECT_EQ(kUnchecked, box.Value());
  EXPECT_EQ(2, clicks);
}

TEST_F(RealisationTest, OptionButtonsInAFrameExcludeEachOther) {
  Control& frame = form.add(ControlKind::Frame, "frame").caption("Choice").at(120, 120, 3000, 1500);
  Control& first =
      form.add(ControlKind::OptionButton, "one").caption("One").at(120, 300, 2000, 285).in(frame);
  Control& second =
      form.add(ControlKind::OptionButton, "two").caption("Two").at(120, 700, 2000, 285).in(frame);
  show();
  first.setValue(1);
  send(second, BM_CLICK);
  EXPECT_EQ(0, first.Value());
  EXPECT_EQ(1, second.Value());
  EXPECT_EQ(BST_UNCHECKED, send(first, BM_GETCHECK));
  EXPECT_EQ(BST_CHECKED, send(second, BM_GETCHECK));
}

TEST_F(RealisationTest, FramesCarryTheirCaptionAndHideOrDisableWhatTheyHold) {
  Control& frame =
      form.add(ControlKind::Frame, "frame").caption("Keyboard").at(120, 120, 3000, 1500);
  Control& inside =
      form.add(ControlKind::Label, "lbl").caption("Repeat Rate").at(120, 300, 2000, 285).in(frame);
  show();
  EXPECT_EQ("Keyboard", textOf(hwndOf(frame)));
  EXPECT_EQ(nullptr, FormWindow::fromHandle(hwndOf(frame)));  // its user data is its own
  EXPECT_TRUE(IsWindowVisible(hwndOf(inside)));
  frame.setVisible(false);
  EXPECT_FALSE(IsWindowVisible(hwndOf(inside)));
  frame.setVisible(true);
  frame.setEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(GetParent(hwndOf(inside))));
  inside.setCaption("Repeat Delay");
  EXPECT_EQ("Repeat Delay", textOf(hwndOf(inside)));
}

TEST_F(RealisationTest, AFrameDrawnIntoAControlsDcLeavesThatDcsFont) {
  // What a themed check box does to draw its parent's background under it.
  Control& frame = form.add(ControlKind::Frame, "frame").caption("Memory").at(120, 120, 3000, 1500);
  show();
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT own = CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  HGDIOBJ before = SelectObject(dc, own);
  SendMessageW(hwndOf(frame), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  EXPECT_EQ(own, GetCurrentObject(dc, OBJ_FONT));
  SelectObject(dc, before);
  DeleteObject(own);
  DeleteDC(dc);
}

TEST_F(RealisationTest, ControlsArePlacedByTheirTwipsAtTheScreensResolution) {
  Control& label = form.add(ControlKind::SkinLabel, "lbl").caption("x").at(1440, 720, 2880, 360);
  show();
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  RECT bounds;
  GetWindowRect(hwndOf(label), &bounds);
  MapWindowPoints(nullptr, reinterpret_cast<HWND>(form.handle()), reinterpret_cast<POINT*>(&bounds),
                  2);
  EXPECT_EQ(dpi, bounds.left);
  EXPECT_EQ(dpi / 2, bounds.top);
  EXPECT_EQ(dpi * 2, bounds.right - bounds.left);
  label.setTop(1440);
  GetWindowRect(hwndOf(label), &bounds);
  MapWindowPoints(nullptr, reinterpret_cast<HWND>(form.handle()), reinterpret_cast<POINT*>(&bounds),
                  2);
  EXPECT_EQ(dpi, bounds.top);
  form.setHeight(2880);
  GetWindowRect(reinterpret_cast<HWND>(form.handle()), &bounds);
  EXPECT_EQ(dpi * 2, bounds.bottom - bounds.top);
}

TEST_F(RealisationTest, TextBoxesTakeTheModelsTextAndReportTyping) {
  Control& text = form.add(ControlKind::TextBox, "txt").at(120, 120, 3000, 315);
  Control& locked = form.add(ControlKind::TextBox, "ro")
                        .at(120, 600, 3000, 900)
                        .withStyle({.multiLine = true, .readOnly = true});
  text.onChange = [&] { ++changes; };
  show();
  text.setText("about:blank");
  EXPECT_EQ("about:blank", textOf(hwndOf(text)));
  EXPECT_EQ(0, changes) << "the program's own change is not the user's";
  send(text, EM_SETSEL, 11, 11);  // the caret to the end, as a click there would
  send(text, WM_CHAR, 'x');
  EXPECT_EQ("about:blankx", text.Text());
  EXPECT_EQ(1, changes);
  EXPECT_TRUE(GetWindowLongA(hwndOf(locked), GWL_STYLE) & ES_READONLY);
  EXPECT_TRUE(GetWindowLongA(hwndOf(locked), GWL_STYLE) & ES_MULTILINE);
}

TEST_F(RealisationTest, ComboBoxesListTheModelsItemsAndReportTheUsersChoice) {
  Control& list = form.add(ControlKind::ComboBox, "cbo")
                      .at(120, 120, 3000, 315)
                      .withStyle({.dropDownList = true});
  Control& editable = form.add(ControlKind::ComboBox, "edit").at(120, 600, 3000, 315);
  Control& drives = form.add(ControlKind::DriveList, "Drive1").at(120, 1080, 3000, 315);
  list.onClick = [&] { ++clicks; };
  show();
  for (const char* item : {"100", "200", "300"}) list.AddItem(item);
  list.setListIndex(0);
  EXPECT_EQ(3, send(list, CB_GETCOUNT));
  EXPECT_EQ(0, send(list, CB_GETCURSEL));
  pressKey(hwndOf(list), VK_DOWN);
  EXPECT_EQ(1, list.ListIndex());
  EXPECT_EQ("200", list.Text());
  EXPECT_EQ(1, clicks);

  editable.setText("Choose");
  EXPECT_EQ("Choose", textOf(hwndOf(editable)));
  drives.AddItem("c: []");
  drives.setListIndex(0);
  EXPECT_EQ(0, send(drives, CB_GETCURSEL));
}

TEST_F(RealisationTest, ImageCombosAndListBoxesFollowTheModelAndTheKeyboard) {
  Control& image = form.add(ControlKind::ImageCombo, "combolng").at(120, 120, 3000, 330);
  Control& list = form.add(ControlKind::ListBox, "lst").at(120, 600, 3000, 1200);
  show();
  image.AddItem("English");
  image.AddItem(
      "Fran\xE7"
      "ais");
  image.setListIndex(0);
  EXPECT_EQ(2, send(image, CB_GETCOUNT));
  EXPECT_EQ(0, send(image, CB_GETCURSEL));
  HWND inner = reinterpret_cast<HWND>(send(image, CBEM_GETCOMBOCONTROL));
  pressKey(inner, VK_DOWN);
  EXPECT_EQ(1, image.ListIndex());
  EXPECT_EQ(
      "Fran\xE7"
      "ais",
      image.Text());

  list.AddItem("a");
  list.AddItem("b");
  SetFocus(hwndOf(list));
  pressKey(hwndOf(list), VK_DOWN);
  pressKey(hwndOf(list), VK_DOWN);
  EXPECT_EQ(1, list.ListIndex());
  list.RemoveItem(0);
  EXPECT_EQ(1, send(list, LB_GETCOUNT));
}

// Rows put in the list, or (many rows) handed over as it draws them.
TEST_F(RealisationTest, ListViewsShowColumnsAndRowsAndReportTheSelectedRow) {
  Control& few = form.add(ControlKind::ListView, "few").at(120, 120, 6000, 1500);
  Control& many = form.add(ControlKind::ListView, "many")
                      .at(120, 1800, 6000, 1500)
                      .withStyle({.manyRows = true});
  show();
  for (Control* view : {&few, &many}) {
    view->setColumns({{"Name", 2400}, {"Process ID", 1200}});
    view->setRows({{"explorer.exe", "1204"}, {"corvanta.exe", "2288"}});
    EXPECT_EQ(2, send(*view, LVM_GETITEMCOUNT)) << view->name();
    char cell[64] = {};
    LVITEMA item{};
    item.iSubItem = 1;
    item.pszText = cell;
    item.cchTextMax = sizeof cell;
    send(*view, LVM_GETITEMTEXTA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ("2288", cell) << view->name();
    LVITEMA select{};
    select.stateMask = LVIS_SELECTED;
    select.state = LVIS_SELECTED;
    send(*view, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&select));
    EXPECT_EQ(1, view->ListIndex()) << view->name();
    view->setListIndex(0);
    EXPECT_EQ(LVIS_SELECTED, send(*view, LVM_GETITEMSTATE, 0, LVIS_SELECTED)) << view->name();
  }
}

// The rows the native list shows, each with its tick ("+" ticked).
std::vector<std::string> shownRows(const Control& view) {
  std::vector<std::string> rows;
  for (int row = 0; row < send(view, LVM_GETITEMCOUNT); ++row) {
    char cell[64] = {};
    LVITEMA item{};
    item.pszText = cell;
    item.cchTextMax = sizeof cell;
    send(view, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    const auto state = send(view, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    rows.push_back((state == INDEXTOSTATEIMAGEMASK(2) ? "+" : "") + std::string(cell));
  }
  return rows;
}

// Rows put in, taken out and ticks set, counted on their way to the list.
std::map<UINT, int> listCalls;
WNDPROC listProcedure = nullptr;
LRESULT CALLBACK countingList(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == LVM_SETITEMSTATE &&
      (reinterpret_cast<const LVITEMW*>(lParam)->stateMask & LVIS_STATEIMAGEMASK))
    ++listCalls[message];
  if (message == LVM_INSERTITEMW || message == LVM_DELETEITEM || message == LVM_DELETEALLITEMS)
    ++listCalls[message];
  return CallWindowProcW(listProcedure, window, message, wParam, lParam);
}

TEST_F(RealisationTest, AListViewFilledAgainChangesOnlyTheRowsThatDifferAndKeepsEachTick) {
  Control& view = form.add(ControlKind::ListView, "lvw").at(120, 120, 6000, 3000);
  view.withStyle({.tickBoxes = true}).setColumns({{"Entry", 2400}});
  show();
  const std::vector<std::string> start{"a", "b", "c", "d", "e"};
  const auto rowsOf = [](const std::vector<std::string>& names) {
    std::vector<std::vector<std::string>> rows;
    for (const auto& name : names) rows.push_back({name});
    return rows;
  };
  const auto ticksOf = [](const std::vector<std::string>& names) {
    std::vector<bool> ticks;
    for (const auto& name : names) ticks.push_back(name != "b" && name != "x");
    return ticks;
  };
  struct Case {
    const char* what;
    std::vector<std::string> rows;
    int inserted, deleted;
  };
  for (const Case& refill : std::vector<Case>{{"one out of the middle", {"a", "b", "d", "e"}, 0, 1},
                                              {"the first out", {"b", "c", "d", "e"}, 0, 1},
                                              {"the last out", {"a", "b", "c", "d"}, 0, 1},
                                              {"one in", {"a", "b", "x", "c", "d", "e"}, 1, 0},
                                              {"the same", start, 0, 0},
                                              {"all new", {"x", "y"}, 2, 5}}) {
    view.setRows(rowsOf(start), ticksOf(start));
    listCalls.clear();
    listProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwndOf(view), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&countingList)));
    view.setRows(rowsOf(refill.rows), ticksOf(refill.rows));
    SetWindowLongPtrW(hwndOf(view), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProcedure));
    std::vector<std::string> expected;
    for (const auto& name : refill.rows)
      expected.push_back((name != "b" && name != "x" ? "+" : "") + name);
    EXPECT_EQ(expected, shownRows(view)) << refill.what;
    EXPECT_EQ(refill.inserted, listCalls[LVM_INSERTITEMW]) << refill.what;
    EXPECT_EQ(refill.deleted,
              listCalls[LVM_DELETEITEM] +
                  (listCalls[LVM_DELETEALLITEMS] ? static_cast<int>(start.size()) : 0))
        << refill.what;
    EXPECT_LE(listCalls[LVM_SETITEMSTATE], refill.inserted)
        << refill.what << ": ticks only for rows put in";
  }
}

TEST_F(RealisationTest, TrackBarsTakeRangeAndStepsAndReportMoves) {
  Control& slider = form.add(ControlKind::TrackBar, "SpeedSlider")
                        .at(120, 120, 3000, 450)
                        .range(300, 1000)
                        .steps(100, 100, 100);
  slider.onChange = [&] { ++changes; };
  show();
  slider.setValue(500);
  EXPECT_EQ(500, send(slider, TBM_GETPOS));
  EXPECT_EQ(1000, send(slider, TBM_GETRANGEMAX));
  SetFocus(hwndOf(slider));
  pressKey(hwndOf(slider), VK_RIGHT);
  EXPECT_EQ(600, slider.Value());
  EXPECT_GE(changes, 1);
}

TEST_F(RealisationTest, ProgressBarsRefuseBadRangesWithoutChangingWhatTheyShow) {
  Control& bar = form.add(ControlKind::ProgressBar, "bar").at(120, 120, 3000, 285);
  show();
  bar.setMax(400);
  bar.setValue(300);
  EXPECT_EQ(300, send(bar, PBM_GETPOS));
  EXPECT_THROW(bar.setMax(0), InvalidProperty);
  EXPECT_THROW(bar.setValue(401), InvalidProperty);
  EXPECT_EQ(400, send(bar, PBM_GETRANGE, FALSE));
  EXPECT_EQ(300, send(bar, PBM_GETPOS));
}

TEST_F(RealisationTest, TabStripsShowTheirTabsAndReportTheUsersTab) {
  Control& strip = form.add(ControlKind::TabStrip, "TabStrip1").at(120, 120, 6000, 3000);
  strip.onClick = [&] { ++clicks; };
  strip.setTabs({"Visual Options", "Start Menu", "Desktop"});
  show();
  EXPECT_EQ(3, send(strip, TCM_GETITEMCOUNT));
  EXPECT_EQ(0, send(strip, TCM_GETCURSEL));
  SetFocus(hwndOf(strip));
  pressKey(hwndOf(strip), VK_RIGHT);
  EXPECT_EQ(2, strip.SelectedTab());
  EXPECT_EQ(1, clicks);
  strip.setSelectedTab(3);
  EXPECT_EQ(2, send(strip, TCM_GETCURSEL));
}

TEST_F(RealisationTest, UpDownsFollowTheModelAndTheArrows) {
  Control& arrows = form.add(ControlKind::UpDown, "ud")
                        .at(120, 120, 255, 315)
                        .range(0, 10)
                        .withStyle({.vertical = true});
  show();
  arrows.setValue(4);
  EXPECT_EQ(4, send(arrows, UDM_GETPOS32));
  RECT area;
  GetClientRect(hwndOf(arrows), &area);
  const LPARAM upper = MAKELPARAM(area.right / 2, area.bottom / 4);
  send(arrows, WM_LBUTTONDOWN, MK_LBUTTON, upper);
  send(arrows, WM_LBUTTONUP, 0, upper);
  EXPECT_EQ(5, arrows.Value());
}

// A picture larger than its box is kept only as large as it shows, its
// proportions kept; a smaller one at its own size; a box grown past it
// shows it anew at the larger size.
TEST_F(RealisationTest, PictureBoxesShowBitmapJpegAndGifFilesAtTheSizeTheyShow) {
  Control& picture = form.add(ControlKind::Picture, "pic").at(120, 120, 3000, 2000);  // 200 x 133
  show();
  EXPECT_EQ(0, send(picture, STM_GETIMAGE, IMAGE_BITMAP));
  const auto shownSize = [&] {
    BITMAP shape{};
    GetObjectW(reinterpret_cast<HBITMAP>(send(picture, STM_GETIMAGE, IMAGE_BITMAP)), sizeof shape,
               &shape);
    return std::pair(shape.bmWidth, shape.bmHeight);
  };
  const struct {
    const char* file;
    std::pair<long, long> size;
  } kCases[] = {{"/assets/Splash.spl", {200, 104}},  // 420 x 220
                {"/tests/data/lake.jpg", {64, 48}},
                {"/tests/data/meadow.gif", {64, 48}}};
  for (const auto& each : kCases) {
    picture.setPicturePath(std::string(CORVANTA_SOURCE_DIR) + each.file);
    EXPECT_EQ(each.size, shownSize()) << each.file;
  }
  picture.setPicturePath(std::string(CORVANTA_SOURCE_DIR) + "/assets/Splash.spl");
  picture.setGeometry({120, 120, 9000, 4500});  // 600 x 300
  EXPECT_EQ(std::pair(420L, 220L), shownSize()) << "never larger than its own size";
  picture.setPicturePath("C:\\no such picture.bmp");
  EXPECT_EQ(0, send(picture, STM_GETIMAGE, IMAGE_BITMAP));
}

TEST_F(RealisationTest, TimersTickWhileEnabled) {
  Timer& timer = form.addTimer("Timer1", 10);
  int ticks = 0;
  timer.onTick = [&] { ++ticks; };
  show();
  form.setTimerEnabled(timer, true);
  for (int wait = 0; wait < 200 && ticks < 2; ++wait) {
    Sleep(5);
    forms.DoEvents();
  }
  EXPECT_GE(ticks, 2);
  form.setTimerEnabled(timer, false);
  const int stopped = ticks;
  for (int wait = 0; wait < 10; ++wait) {
    Sleep(5);
    forms.DoEvents();
  }
  EXPECT_EQ(stopped, ticks);
}

TEST_F(RealisationTest, AModalWindowBlocksItsOwnerUntilItIsClosed) {
  show();
  Form dialog("dlg", "Dialog", 3000, 2000);
  bool ownerDisabled = false;
  Timer& closer = dialog.addTimer("close", 20);
  closer.enabled = true;
  closer.onTick = [&] {
    ownerDisabled = !IsWindowEnabled(reinterpret_cast<HWND>(form.handle()));
    PostMessageW(reinterpret_cast<HWND>(dialog.handle()), WM_CLOSE, 0, 0);
  };
  forms.ShowModal(dialog, form);
  EXPECT_TRUE(ownerDisabled);
  EXPECT_FALSE(forms.isLoaded(dialog));
  EXPECT_TRUE(IsWindowEnabled(reinterpret_cast<HWND>(form.handle())));
}

// Alt and a caption's marked letter, as the dialog manager takes them: a
// button is pressed, a label gives the focus to the field after it, inside
// frames too.
TEST_F(RealisationTest, AccessKeysPressButtonsAndFocusTheFieldAfterALabel) {
  Control& frame =
      form.add(ControlKind::Frame, "frame").caption("Explorer").at(120, 120, 6000, 2000);
  form.add(ControlKind::SkinLabel, "lbl").caption("&Home page").at(120, 300, 2000, 255).in(frame);
  Control& field = form.add(ControlKind::TextBox, "txt").at(2200, 300, 3000, 315).in(frame);
  Control& button =
      form.add(ControlKind::Button, "cmd").caption("&Apply").at(120, 900, 1200, 375).in(frame);
  button.onClick = [&] { ++clicks; };
  show();
  const auto altKey = [&](wchar_t letter) {
    PostMessageW(GetFocus(), WM_SYSCHAR, letter, 1 << 29);
    forms.DoEvents();
  };
  altKey(L'a');
  EXPECT_EQ(1, clicks);
  altKey(L'h');
  EXPECT_EQ(hwndOf(field), GetFocus());
}

TEST_F(RealisationTest, AnErrorEscapingAHandlerDoesNotCrossTheWindowProcedure) {
  Control& button = form.add(ControlKind::Button, "cmd").caption("Boom").at(120, 120, 1200, 375);
  button.onClick = [&] {
    ++clicks;
    throw InvalidProperty("raised on purpose");
  };
  show();
  // The error is shown in a message box; close it from a timer.
  SetTimer(nullptr, 0, 50, closeErrorBox);
  send(button, BM_CLICK);
  EXPECT_EQ(1, clicks);
  EXPECT_TRUE(IsWindow(hwndOf(button)));
}

}  // namespace
}  // namespace corvanta::ui::win32
