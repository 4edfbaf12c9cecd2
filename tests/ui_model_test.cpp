// The form model's own rules: what a control accepts, what it tells its
// observer, and the life of windows in the collection.
#include <gtest/gtest.h>

#include "fakes/fake_ui.h"
#include "ui/accessibility.h"
#include "ui/form.h"
#include "ui/forms.h"

namespace corvanta::ui {
namespace {

struct Recorder final : FormObserver {
  std::vector<std::pair<std::string, Property>> changes;
  int formChanges = 0;
  void controlChanged(Control& control, Property property) override {
    changes.emplace_back(control.name(), property);
  }
  void formChanged(Form&, FormProperty) override { ++formChanges; }
};

TEST(Control, CheckBoxesTakeZeroOneOrTwoAndNothingElse) {
  Form form("f", "F", 100, 100);
  Control& box = form.add(ControlKind::CheckBox, "chk");
  box.setValue(kGrayed);
  EXPECT_EQ(kGrayed, box.Value());
  EXPECT_THROW(box.setValue(3), InvalidProperty);
  EXPECT_THROW(box.setValue(-1), InvalidProperty);
  EXPECT_EQ(kGrayed, box.Value());
}

TEST(Control, AProgressBarRefusesAnEmptyRangeAndAPositionOutsideIt) {
  Form form("f", "F", 100, 100);
  Control& bar = form.add(ControlKind::ProgressBar, "bar");
  bar.setMax(200);
  EXPECT_THROW(bar.setMax(0), InvalidProperty);
  EXPECT_THROW(bar.setMin(200), InvalidProperty);
  EXPECT_THROW(bar.setValue(201), InvalidProperty);
  EXPECT_THROW(bar.setValue(-1), InvalidProperty);
  bar.setValue(200);
  EXPECT_EQ(200, bar.Value());
  EXPECT_EQ(0, bar.Min());
  EXPECT_EQ(200, bar.Max());
}

TEST(Control, ATrackBarKeepsItsPositionInsideItsRange) {
  Form form("f", "F", 100, 100);
  Control& slider = form.add(ControlKind::TrackBar, "slider").range(300, 1000);
  slider.setValue(5000);
  EXPECT_EQ(1000, slider.Value());
  slider.setMax(600);
  EXPECT_EQ(600, slider.Value());
  slider.setValue(0);
  EXPECT_EQ(300, slider.Value());
}

TEST(Control, OptionButtonsExcludeEachOtherWithinTheirContainer) {
  Form form("f", "F", 100, 100);
  Control& frame = form.add(ControlKind::Frame, "frame");
  Control& a = form.add(ControlKind::OptionButton, "a").in(frame);
  Control& b = form.add(ControlKind::OptionButton, "b").in(frame);
  Control& elsewhere = form.add(ControlKind::OptionButton, "c");
  a.setValue(1);
  elsewhere.setValue(1);
  b.valueFromUser(1);
  EXPECT_EQ(0, a.Value());
  EXPECT_EQ(1, b.Value());
  EXPECT_EQ(1, elsewhere.Value());
}

TEST(Control, PropertiesAKindDoesNotHaveRaise) {
  Form form("f", "F", 100, 100);
  EXPECT_THROW(form.add(ControlKind::TextBox, "txt").setCaption("x"), InvalidProperty);
  EXPECT_THROW(form.add(ControlKind::Label, "lbl").setValue(1), InvalidProperty);
  EXPECT_THROW(form.add(ControlKind::Button, "cmd").AddItem("x"), InvalidProperty);
  EXPECT_THROW(form.control("nothing"), std::logic_error);
}

TEST(Control, ListsKeepTheirSelectionAcrossChanges) {
  Form form("f", "F", 100, 100);
  Control& combo =
      form.add(ControlKind::ComboBox, "combo").withStyle({.dropDownList = true, .sorted = true});
  combo.AddItem("beta");
  combo.AddItem("Alpha");
  combo.setListIndex(1);
  EXPECT_EQ("beta", combo.Text());
  combo.AddItem("aardvark");
  EXPECT_EQ(2, combo.ListIndex());
  EXPECT_EQ((std::vector<std::string>{"aardvark", "Alpha", "beta"}), combo.items());
  combo.setText("ALPHA");
  EXPECT_EQ(1, combo.ListIndex());
  EXPECT_THROW(combo.setText("gamma"), InvalidProperty)
      << "a choose-only list shows only its items";
  EXPECT_THROW(combo.setListIndex(3), InvalidProperty);
  combo.RemoveItem(0);
  EXPECT_EQ(0, combo.ListIndex());
  combo.RemoveItem(0);
  EXPECT_EQ(-1, combo.ListIndex());

  Control& editable = form.add(ControlKind::ComboBox, "edit");
  editable.setText("Choose");
  EXPECT_EQ("Choose", editable.Text());
}

TEST(Control, TheObserverHearsOfRealChangesOnlyAndUserInputIsNotEchoed) {
  Form form("f", "F", 100, 100);
  Control& box = form.add(ControlKind::CheckBox, "chk");
  Recorder recorder;
  form.setObserver(&recorder);
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  box.setValue(1);
  box.setValue(1);
  box.setVisible(true);
  box.valueFromUser(0);
  form.setHeight(100);
  form.setHeight(200);
  EXPECT_EQ((std::vector<std::pair<std::string, Property>>{{"chk", Property::Value}}),
            recorder.changes);
  EXPECT_EQ(1, clicks) << "only the user's click raises the event";
  EXPECT_EQ(1, recorder.formChanges);
}

TEST(Forms, LoadsOnceShowsModallyAndUnloadsWithTheirHandlers) {
  testing::FakeWindowSystem windows;
  Forms forms(windows);
  Form owner("owner", "O", 100, 100);
  Form dialog("dialog", "D", 100, 100);
  int loads = 0;
  int unloads = 0;
  // The language comes first, once, before the window is made.
  forms.onLoading = [&](Form& loading) { windows.log.push_back("language " + loading.name()); };
  dialog.onLoad = [&] {
    ++loads;
    windows.log.push_back("load dialog");
  };
  dialog.onUnload = [&] { ++unloads; };
  forms.Show(owner);
  forms.Load(dialog);
  forms.Load(dialog);
  EXPECT_EQ(1, loads);
  windows.whileModal = [&](Form& shown) { EXPECT_EQ(&dialog, &shown); };
  forms.ShowModal(dialog, owner);
  EXPECT_EQ(1, unloads);
  EXPECT_FALSE(forms.isLoaded(dialog));
  EXPECT_EQ(
      (std::vector<std::string>{"language owner", "create owner", "show owner", "language dialog",
                                "create dialog", "load dialog", "modal dialog", "destroy dialog"}),
      windows.log);
}

// The work a window leaves until it has shown must have run before any of
// the user's input reaches a handler, whichever comes first, and only once.
TEST(Forms, AWindowsShownWorkRunsOnceAfterItShowsOrBeforeTheFirstInput) {
  for (const bool inputFirst : {false, true}) {
    testing::FakeWindowSystem windows;
    Forms forms(windows);
    Form form("f", "F", 100, 100);
    Control& button = form.add(ControlKind::Button, "cmd");
    std::vector<std::string> events;
    form.onShown = [&] { events.push_back("shown"); };
    button.onClick = [&] { events.push_back("click"); };
    forms.Load(form);
    EXPECT_TRUE(events.empty()) << "loading is not showing";
    if (inputFirst) button.click();
    forms.Show(form);
    button.click();
    form.reportShown();
    EXPECT_EQ((std::vector<std::string>{"shown", "click"}),
              std::vector(events.begin(), events.begin() + 2))
        << (inputFirst ? "input before the window system said it had shown" : "shown first");
    EXPECT_EQ(1, std::count(events.begin(), events.end(), "shown"));
  }
}

TEST(Forms, EndingInALoadHandlerLeavesNoWindowAndLoadsNoMore) {
  testing::FakeWindowSystem windows;
  Forms forms(windows);
  Form first("first", "1", 100, 100);
  Form second("second", "2", 100, 100);
  first.onLoad = [&] { forms.End(); };
  forms.Show(first);
  forms.Show(second);
  EXPECT_TRUE(forms.loaded().empty());
  EXPECT_EQ((std::vector<std::string>{"create first", "destroy first"}), windows.log);
}

// What a screen reader calls each control of a window laid out like the
// program's: labels before fields, counts after their labels, repeated
// buttons in frames and on lines of their own.
TEST(Accessibility, ControlsAreNamedByCaptionLabelOrFrameAndRepeatsAreToldApart) {
  Form form("f", "Health", 100, 100);
  int index = 0;
  for (const char* caption : {"Help &files", "Shared"}) {
    Control& frame = form.add(ControlKind::Frame, "frame", index).caption(caption);
    form.add(ControlKind::Button, "check", index).caption("Check && Repair").in(frame);
    form.add(ControlKind::ProgressBar, "bar", index).in(frame);
    form.add(ControlKind::Label, "errorsCaption", index).caption("Errors :").in(frame);
    form.add(ControlKind::Label, "errors", index++).in(frame).setCaption("3");
  }
  form.add(ControlKind::SkinLabel, "rate").caption("Repeat Rate");
  form.add(ControlKind::Label, "value");  // filled as the program runs
  form.add(ControlKind::TrackBar, "slider");
  for (const char* field : {"Source editor", "Download folder"}) {
    form.add(ControlKind::SkinLabel, std::string(field) + " label").caption(field);
    form.add(ControlKind::TextBox, std::string(field) + " box");
    form.add(ControlKind::Button, std::string(field) + " browse").caption("Browse");
  }
  form.add(ControlKind::Button, "apply").caption("Apply");
  form.add(ControlKind::Button, "apply2").caption("Apply");
  form.add(ControlKind::Button, "expander").caption("System >>").setExpanded(false);
  form.add(ControlKind::Button, "dots").caption("...").named("Choose wallpaper");
  form.add(ControlKind::ListView, "list");
  Control& hiddenPage = form.add(ControlKind::Frame, "page").caption("Other page").hidden();
  form.add(ControlKind::Button, "other").caption("Browse").in(hiddenPage);

  const struct {
    const char* control;
    int index;
    const char* name;
  } kNames[] = {
      {"check", 0, "Check & Repair: Help files"},
      {"check", 1, "Check & Repair: Shared"},
      {"bar", 0, "Help files"},
      {"errors", 1, "Shared: Errors 3"},
      {"slider", -1, "Repeat Rate"},
      {"Source editor box", -1, "Source editor"},
      {"Source editor browse", -1, "Browse: Source editor"},
      {"Download folder browse", -1, "Browse: Download folder"},
      {"apply", -1, "Apply"},
      {"apply2", -1, "Apply (2)"},
      {"expander", -1, "System"},
      {"dots", -1, "Choose wallpaper"},
      {"list", -1, "Health"},
  };
  for (const auto& each : kNames) {
    EXPECT_EQ(each.name, accessibleName(form.control(each.control, each.index))) << each.control;
  }
}

}  // namespace
}  // namespace corvanta::ui
