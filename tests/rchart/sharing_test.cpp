// Charts that show one owner's data: joining, refusals, the state every change hands around,
// leaving with the items, destruction in any order, and the repaint of the group.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>

#include "platform/application.h"
#include "platform/bitmap.h"
#include "platform/offscreen_host.h"
#include "probe_chart.h"

namespace kiv {
namespace {

class Sharing : public ::testing::Test {
 protected:
  void SetUp() override { Application().SetHost(&host); }
  std::vector<std::string> Messages() const { return host.Messages(); }
  TOffscreenHost host;
};

void ExpectSameData(const TCustomRChart& a, const TCustomRChart& b) {
  ASSERT_EQ(a.NumItems(), b.NumItems());
  for (int k = 0; k < kNumItemKinds; ++k)
    EXPECT_EQ(a.ItemCount(TrcItem(k)), b.ItemCount(TrcItem(k)));
  for (int i = 0; i < a.NumItems(); ++i) {
    EXPECT_EQ(a.GetChartItem(i).x, b.GetChartItem(i).x);
    EXPECT_EQ(a.GetChartItem(i).ItemKind, b.GetChartItem(i).ItemKind);
  }
}

TEST_F(Sharing, UsersAttachToTheOwnerAndEveryChangeReachesTheWholeGroup) {
  ProbeChart c1, c2, c3, c4;
  c1.MarkAt(1.0, 1.0, 3);
  c2.DrawTo(9.0, 9.0);  // its own items are given up when it joins
  c2.SetUseDataOf(&c1);
  c3.SetUseDataOf(&c1);
  c4.SetUseDataOf(&c2);  // redirected to c2's owner
  EXPECT_EQ(c4.UseDataOf(), &c1);
  EXPECT_EQ(c1.DataUsersNum(), 3);
  EXPECT_EQ(c1.DataUsers(1), &c2);
  EXPECT_EQ(c1.DataUsers(3), &c4);
  EXPECT_EQ(c2.NumItems(), 1);
  EXPECT_EQ(c2.ItemCount(tkMarkAt), 1);  // the counters come along at once
  EXPECT_EQ(c2.ItemCount(tkLineto), 0);

  c2.DrawTo(2.0, 2.0);
  c3.Line(0.0, 0.0, 3.0, 3.0);
  c1.MoveTo(4.0, 4.0);
  c4.RemoveItem(0);
  for (const TCustomRChart* c : {&c2, &c3, &c4}) ExpectSameData(c1, *c);
  EXPECT_EQ(c1.NumItems(), 3);
  EXPECT_EQ(c3.ItemCount(tkMarkAt), 0);
  EXPECT_EQ(c3.ItemCount(tkLine), 1);

  // Large appends by a user grow the one container for all (never below the group's count).
  c3.SetAllocSize(7);
  for (int i = 0; i < 3000; ++i) c3.DrawTo(double(i), 1.0);
  c1.SetAllocSize(1);
  c1.MarkAt(5.0, 5.0, 1);
  ExpectSameData(c1, c2);
  EXPECT_EQ(c2.GetChartItem(3003).ItemKind, tkMarkAt);

  c1.ClearGraf();
  for (const TCustomRChart* c : {&c2, &c3, &c4}) EXPECT_EQ(c->NumItems(), 0);
  c2.DrawTo(1.0, 1.0);
  EXPECT_EQ(c4.GetChartItem(0).ItemKind, tkLineto);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Sharing, RefusalsShowTheirMessageAndChangeNothing) {
  ProbeChart owner, other;
  std::array<ProbeChart, 5> users;
  owner.MarkAt(1.0, 1.0, 0);

  owner.SetUseDataOf(&owner);
  for (int i = 0; i < 4; ++i) users[i].SetUseDataOf(&owner);
  users[4].DrawTo(7.0, 7.0);
  users[4].SetUseDataOf(&users[2]);  // a fifth user of the same owner
  owner.SetUseDataOf(&other);        // an owner cannot use foreign data
  users[1].SetUseDataOf(&users[3]);  // another user of the own owner: nothing to do

  EXPECT_EQ(Messages(), (std::vector<std::string>{
                            "RChart: Cannot share data with myself",
                            "RChart: Max. number of data shares exceeded",
                            "RChart: Cannot use foreign data. Other RCharts are using my own data.",
                        }));
  EXPECT_EQ(users[4].UseDataOf(), nullptr);
  EXPECT_EQ(users[4].NumItems(), 1);
  EXPECT_EQ(users[4].GetChartItem(0).ItemKind, tkLineto);
  EXPECT_EQ(owner.UseDataOf(), nullptr);
  EXPECT_EQ(owner.DataUsersNum(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(owner.DataUsers(i + 1), &users[i]);
}

TEST_F(Sharing, ALeavingChartKeepsWhatItShowedAndTheGroupGoesOnWithoutIt) {
  ProbeChart c1, c2, c3;
  c1.MarkAt(1.0, 1.0, 0);
  c2.SetUseDataOf(&c1);
  c3.SetUseDataOf(&c1);
  c2.SetUseDataOf(nullptr);
  EXPECT_EQ(c1.DataUsersNum(), 1);
  EXPECT_EQ(c1.DataUsers(1), &c3);
  ExpectSameData(c1, c2);

  c1.DrawTo(2.0, 2.0);
  c2.ClearGraf();
  EXPECT_EQ(c3.NumItems(), 2);
  EXPECT_EQ(c2.NumItems(), 0);
  EXPECT_EQ(c1.ItemCount(tkMarkAt), 1);

  // The owner becomes independent when its last user leaves, and may then use another chart.
  c3.SetUseDataOf(nullptr);
  EXPECT_EQ(c1.DataUsersNum(), 0);
  c1.SetUseDataOf(&c2);
  EXPECT_EQ(c1.NumItems(), 0);
  EXPECT_TRUE(Messages().empty());

  // A reset takes a chart out of its group too.
  c3.SetUseDataOf(&c2);
  c2.ResetComp();
  EXPECT_EQ(c2.DataUsersNum(), 0);
  EXPECT_EQ(c1.UseDataOf(), nullptr);
  EXPECT_EQ(c3.UseDataOf(), nullptr);
  c1.MarkAt(3.0, 3.0, 0);
  EXPECT_EQ(c3.NumItems(), 0);
}

// Every order of destroying an owner and two users leaves the others sound; the sanitizer
// build would report any pointer to a destroyed chart.
TEST_F(Sharing, DestroyingTheChartsOfAGroupInAnyOrderLeavesNoDanglingLink) {
  std::array<int, 3> order{0, 1, 2};
  do {
    std::array<std::unique_ptr<ProbeChart>, 3> c;
    for (auto& p : c) p = std::make_unique<ProbeChart>();
    for (int i = 0; i < 10; ++i) c[0]->DrawTo(double(i), double(i));
    for (int u = 1; u < 3; ++u) c[u]->SetUseDataOf(c[0].get());
    for (int step = 0; step < 3; ++step) {
      c[static_cast<std::size_t>(order[step])].reset();
      int alive = 0;
      for (auto& p : c) {
        if (!p) continue;
        ++alive;
        // Each survivor still has the items and can change them without reaching the others.
        ASSERT_GE(p->NumItems(), 10);
        p->DrawTo(1.0, 1.0);
        p->ShowGraf();
        EXPECT_LE(p->DataUsersNum(), 2);
        EXPECT_TRUE(p->UseDataOf() == nullptr || p->UseDataOf() == c[0].get());
      }
      EXPECT_EQ(alive, 2 - step);
    }
  } while (std::next_permutation(order.begin(), order.end()));
}

TEST_F(Sharing, ReleasedUsersNoLongerShareWithEachOther) {
  auto owner = std::make_unique<ProbeChart>();
  ProbeChart u1, u2;
  for (int i = 0; i < 3; ++i) owner->MarkAt(1.0, 1.0, 0);
  u1.SetUseDataOf(owner.get());
  u2.SetUseDataOf(owner.get());
  owner.reset();
  u1.ClearGraf();  // must not pull the items from under u2
  EXPECT_EQ(u2.NumItems(), 3);
  EXPECT_EQ(u2.GetChartItem(2).ItemKind, tkMarkAt);
  u2.DrawTo(2.0, 2.0);
  EXPECT_EQ(u1.NumItems(), 0);
}

TEST_F(Sharing, ShowGrafRepaintsTheOtherChartsOfTheGroup) {
  ProbeChart c1, c2, c3, lone;
  c2.SetUseDataOf(&c1);
  c3.SetUseDataOf(&c1);
  for (ProbeChart* c : {&c1, &c2, &c3, &lone}) c->repaints = 0;
  c2.ShowGraf();
  EXPECT_EQ(c1.repaints, 1);
  EXPECT_EQ(c2.repaints, 0);  // its own picture is the ShowGraf's business
  EXPECT_EQ(c3.repaints, 1);
  EXPECT_EQ(lone.repaints, 0);
  c1.ShowGraf();
  EXPECT_EQ(c2.repaints, 1);
  EXPECT_EQ(c3.repaints, 2);
  c3.SetAutoRedraw(false);  // StyleChanged repaints only with AutoRedraw
  c1.ShowGraf();
  EXPECT_EQ(c3.repaints, 2);
}

// Two charts of a group with their own ranges and colours draw the same items.
TEST_F(Sharing, ChartsOfAGroupPaintTheSameItems) {
  TCustomRChart owner(nullptr), user(nullptr);
  for (TCustomRChart* c : {&owner, &user}) {
    c->SetBounds(0, 0, 200, 160);
    c->SetRange(1, 0, 0, 10, 10);
  }
  user.SetUseDataOf(&owner);
  user.SetDataColor(clRed);
  for (int i = 0; i <= 10; ++i) user.DrawTo(double(i), double(i * i) / 10);
  owner.MarkAt(5.0, 5.0, 2);
  user.SetChartColor(clYellow);
  TBitmap a, b;
  owner.CopyToBitmapDAOnly(a, false);
  user.CopyToBitmapDAOnly(b, false);
  ASSERT_EQ(a.Width(), b.Width());
  int differing = 0, inked = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const bool ia = a.Canvas().Pixels(x, y) != clWhite;
      const bool ib = b.Canvas().Pixels(x, y) != clYellow;
      differing += ia != ib;
      inked += ia;
    }
  }
  EXPECT_EQ(differing, 0);
  EXPECT_GT(inked, 100);
}

}  // namespace
}  // namespace kiv
