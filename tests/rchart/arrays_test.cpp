// Whole-array item creation against the per-point calls: the same display lists, byte for byte,
// with the same accounting, in every state a container can be in.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "probe_chart.h"
#include "rchart/errors.h"

namespace kiv {
namespace {

struct Points {
  std::vector<double> x, y;
  std::vector<TColor> colors;
};

Points RandomPoints(int n, unsigned seed) {
  std::mt19937 rng(seed);
  std::normal_distribution<double> v(0, 100);
  Points p;
  for (int i = 0; i < n; ++i) {
    p.x.push_back(v(rng));
    // Missing and far-out values are stored unchecked, as by the single calls.
    p.y.push_back(i % 97 == 13 ? std::nan("") : (i % 89 == 5 ? INFINITY : v(rng)));
    p.colors.push_back(static_cast<TColor>(rng() & 0xFFFFFF));
  }
  return p;
}

// Expects two charts to hold the same items, record for record (padding included), with the
// same counts, accounting and per-kind counters.
void ExpectSameStore(const ProbeChart& a, const ProbeChart& b, const std::string& what) {
  ASSERT_EQ(a.NumItems(), b.NumItems()) << what;
  ASSERT_EQ(a.NumAnnos(), b.NumAnnos()) << what;
  EXPECT_EQ(a.NumAllocData(), b.NumAllocData()) << what;
  EXPECT_EQ(a.NumAllocAnno(), b.NumAllocAnno()) << what;
  EXPECT_EQ(a.DataSlots(), b.DataSlots()) << what;
  EXPECT_EQ(a.AnnoSlots(), b.AnnoSlots()) << what;
  for (int k = 0; k < kNumItemKinds; ++k)
    EXPECT_EQ(a.GetItemCount(static_cast<TrcItem>(k)), b.GetItemCount(static_cast<TrcItem>(k)))
        << what << ", kind " << k;
  for (int i = 0; i < a.NumItems(); ++i) {
    const TrcChartItem ia = a.GetChartItem(i), ib = b.GetChartItem(i);
    ASSERT_EQ(std::memcmp(&ia, &ib, sizeof ia), 0) << what << ", data item " << i;
  }
  for (int i = 0; i < a.NumAnnos(); ++i) {
    const TrcChartItem ia = a.GetAnnoItem(i), ib = b.GetAnnoItem(i);
    ASSERT_EQ(std::memcmp(&ia, &ib, sizeof ia), 0) << what << ", annotation " << i;
  }
}

// Chart states the calls may meet: fresh, odd growth steps part-way through a container, slots
// left holding an old item after clearing (fields the calls do not set must stay as they are),
// annotation mode, every drawing attribute changed, the second layer.
const struct State {
  const char* name;
  std::function<void(ProbeChart&)> prepare;
} kStates[] = {
    {"fresh", [](ProbeChart&) {}},
    {"odd growth step",
     [](ProbeChart& c) {
       c.SetAllocSize(7);
       for (int i = 0; i < 10; ++i) c.MarkAt(1.0 * i, 2.0, 3);
     }},
    {"slot kept by clearing",
     [](ProbeChart& c) {
       c.SetTextBkStyle(tbSolid);
       c.Text(1.0, 2.0, 12, "an old text item");
       c.Arc(0, 0, 1, 1, 0.5, 1.5);
       c.ClearGraf();
     }},
    {"annotations",
     [](ProbeChart& c) {
       c.SetAllocSize(3);
       c.SetAnnoMode(true);
       c.Rectangle(0.0, 0.0, 1.0, 1.0);
     }},
    {"attributes and layer 2",
     [](ProbeChart& c) {
       c.SetDataColor(clRed);
       c.SetFillColor(clAqua);
       c.SetLineWidth(3);
       c.SetPenStyle(psDashDot);
       c.SetClassDefault(17);
       c.SetDataTag(-5);
       c.SetActiveLayer(2);
       c.DrawTo(5.0, 5.0);
     }},
};

TEST(WholeArrays, PolylinesAndMarksStoreWhatThePerPointCallsStore) {
  for (const State& st : kStates) {
    for (int n : {1, 2, 999, 2500}) {
      const Points p = RandomPoints(n, static_cast<unsigned>(n));
      for (int variant = 0; variant < 4; ++variant) {
        const bool marks = variant >= 2, coloured = variant % 2 == 1;
        ProbeChart single, whole;
        st.prepare(single);
        st.prepare(whole);
        const TColor before = single.DataColor();
        for (int i = 0; i < n; ++i) {
          if (coloured) single.SetDataColor(p.colors[static_cast<std::size_t>(i)]);
          const double x = p.x[static_cast<std::size_t>(i)], y = p.y[static_cast<std::size_t>(i)];
          if (marks)
            single.MarkAt(x, y, 7);
          else if (i == 0)
            single.MoveTo(x, y);
          else
            single.DrawTo(x, y);
        }
        single.SetDataColor(before);
        if (marks && coloured)
          whole.Marks(p.x, p.y, 7, p.colors);
        else if (marks)
          whole.Marks(p.x, p.y, 7);
        else if (coloured)
          whole.Polyline(p.x, p.y, p.colors);
        else
          whole.Polyline(p.x, p.y);
        const std::string what = std::string(st.name) + ", " + std::to_string(n) +
                                 " points, variant " + std::to_string(variant);
        ExpectSameStore(single, whole, what);
        EXPECT_EQ(whole.DataColor(), before) << what;
        // Sharing charts hear of a whole array once.
        EXPECT_LE(whole.shared_updates, single.shared_updates) << what;
        // Further single calls go on exactly alike.
        single.DrawTo(1.5, 2.5);
        whole.DrawTo(1.5, 2.5);
        ExpectSameStore(single, whole, what + ", then one more point");
      }
    }
  }
}

// Large arrays fill full blocks; a chart made after another one was dropped takes that chart's
// blocks with their old records, which whole records replace.
TEST(WholeArrays, LargeArraysIntoBlocksOfADroppedChart) {
  const Points p = RandomPoints(TRcItemContainer::kBlockItems + 5000, 3);
  const auto drop_a_full_chart = [] {
    ProbeChart old;
    old.SetTextBkStyle(tbSolid);
    for (int i = 0; i < 2 * TRcItemContainer::kBlockItems; ++i) old.Text(1.0, 2.0, 9, "old");
  };
  ProbeChart single, whole;
  drop_a_full_chart();
  single.MoveTo(p.x[0], p.y[0]);
  for (std::size_t i = 1; i < p.x.size(); ++i) single.DrawTo(p.x[i], p.y[i]);
  drop_a_full_chart();
  whole.Polyline(p.x, p.y);
  ExpectSameStore(single, whole, "after a dropped chart");
  TRcItemContainer::ReleaseKeptBlocks();
}

TEST(WholeArrays, BadArraysAppendNothing) {
  ProbeChart chart;
  chart.MoveTo(0.0, 0.0);
  const std::vector<double> three = {1, 2, 3}, two = {1, 2};
  const std::vector<TColor> colours = {clRed, clBlue};
  const auto expect_error = [&](const std::function<void()>& call, const std::string& text) {
    try {
      call();
      ADD_FAILURE() << "no error for " << text;
    } catch (const EKIVRChartError& e) {
      EXPECT_EQ(std::string(e.what()), text);
    }
    EXPECT_EQ(chart.NumItems(), 1) << text;
  };
  expect_error([&] { chart.Polyline(three, two); }, "Polyline: x and y differ in length (3 and 2)");
  expect_error([&] { chart.Marks(two, three, 2); }, "Marks: x and y differ in length (2 and 3)");
  expect_error([&] { chart.Polyline(three, three, colours); }, "Polyline: 2 colours for 3 points");
  // Empty arrays are no error and append nothing.
  chart.Polyline({}, {});
  chart.Marks({}, {}, 2, {});
  EXPECT_EQ(chart.NumItems(), 1);
}

}  // namespace
}  // namespace kiv
