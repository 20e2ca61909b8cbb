#include <gtest/gtest.h>

#include "control_probe.h"
#include "platform/errors.h"
#include "platform/forms.h"
#include "platform/offscreen_host.h"

namespace kiv {
namespace {

using test::TProbe;
using Log = std::vector<std::string>;

class Keys : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetBounds(0, 0, 200, 100);
    first.SetTabStop(true);
    second.SetTabStop(true);
    host.Show(form);
  }
  TOffscreenHost host;
  TForm form{nullptr};
  TProbe first{nullptr, &form, Bounds(0, 0, 50, 50)};
  TProbe second{nullptr, &form, Bounds(60, 0, 50, 50)};
};

TEST_F(Keys, KeysGoToTheFocusedControl) {
  std::uint16_t seen = 0;
  char typed = 0;
  second.OnKeyDown = [&](TObject*, std::uint16_t& key, TShiftState) { seen = key; };
  second.OnKeyPress = [&](TObject*, char& key) { typed = key; };
  second.SetFocus();
  EXPECT_TRUE(second.Focused());
  EXPECT_EQ(form.ActiveControl(), &second);
  host.KeyDown('A');
  host.KeyPress('a');
  EXPECT_EQ(seen, 'A');
  EXPECT_EQ(typed, 'a');
  EXPECT_TRUE(first.Log.empty());
}

TEST_F(Keys, ArrowKeysMoveTheFocusUnlessTheControlAsksForThem) {
  first.SetFocus();
  host.KeyDown(VK_RIGHT);
  EXPECT_TRUE(first.Log.empty());
  EXPECT_TRUE(second.Focused());

  first.DlgCode = DLGC_WANTARROWS | DLGC_WANTTAB;
  EXPECT_EQ(first.Perform(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTTAB);
  first.SetFocus();
  host.KeyDown(VK_RIGHT);
  host.KeyDown(VK_TAB);
  EXPECT_EQ(first.Log, (Log{"key 39", "key 9"}));
  EXPECT_TRUE(first.Focused());
}

TEST_F(Keys, TabCyclesThroughTabStopsAndShiftTabGoesBack) {
  first.SetFocus();
  host.KeyDown(VK_TAB);
  EXPECT_TRUE(second.Focused());
  host.KeyDown(VK_TAB);
  EXPECT_TRUE(first.Focused());
  host.KeyDown(VK_TAB, {ssShift});
  EXPECT_TRUE(second.Focused());
}

TEST_F(Keys, FocusChangesFireEnterAndExit) {
  Log events;
  first.OnEnter = [&](TObject*) { events.push_back("enter first"); };
  first.OnExit = [&](TObject*) { events.push_back("exit first"); };
  second.OnEnter = [&](TObject*) { events.push_back("enter second"); };
  first.SetFocus();
  second.SetFocus();
  EXPECT_EQ(events, (Log{"enter first", "exit first", "enter second"}));
}

TEST_F(Keys, HiddenControlsCannotTakeTheFocus) {
  second.Hide();
  EXPECT_FALSE(second.CanFocus());
  EXPECT_THROW(second.SetFocus(), EPlatformError);
}

}  // namespace
}  // namespace kiv
