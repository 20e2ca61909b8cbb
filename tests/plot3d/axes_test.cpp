#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "probe.h"

namespace kiv {
namespace {

using namespace plot3d;

struct Tick {
  TP3ScaleKind axis;
  std::string text;
  TPoint at;
};

std::vector<Tick> Ticks(TPlot3D& p) {
  std::vector<Tick> ticks;
  p.OnBeforeDrawScaleLabel = [&](TObject*, TCanvas&, TP3ScaleKind kind, std::string& text, int x,
                                 int y) {
    ticks.push_back({kind, text, TPoint(x, y)});
  };
  p.PictureBitmap(false);
  return ticks;
}

// Seen straight from above, the x axis runs along the box edge from corner 2 (175, 400) to
// corner 6 (475, 400) and the y axis from corner 6 (475, 100) down to (475, 400); ticks are
// spaced by CalcScalePars and placed linearly along the edge.
TEST(Plot3DAxes, TicksAlongTheBoxEdges) {
  TPlot3D p(nullptr);
  p.SetViewAngles(0, 0);
  p.SetVisibleZCoords(false);
  std::vector<std::string> xs, ys;
  std::vector<TPoint> xAt, yAt;
  for (const Tick& t : Ticks(p)) {
    (t.axis == p3skX ? xs : ys).push_back(t.text);
    (t.axis == p3skX ? xAt : yAt).push_back(t.at);
  }
  EXPECT_EQ(xs, (std::vector<std::string>{"-1.0", "-0.5", "0.0", "0.5", "1.0"}));
  EXPECT_EQ(xAt, (std::vector<TPoint>{{175, 400}, {250, 400}, {325, 400}, {400, 400}, {475, 400}}));
  EXPECT_EQ(yAt.front(), TPoint(475, 100));
  EXPECT_EQ(yAt.back(), TPoint(475, 400));
  // The handler's text is the one written: an empty text leaves the ticks unlabelled.
  TPlot3D q(nullptr);
  q.SetViewAngles(0, 0);
  q.OnBeforeDrawScaleLabel = [](TObject*, TCanvas&, TP3ScaleKind, std::string& t, int, int) {
    t.clear();
  };
  q.SetCaptionX("");
  q.SetCaptionY("");
  q.SetCaptionZ("");
  p.OnBeforeDrawScaleLabel = nullptr;
  p.SetCaptionX("");
  p.SetCaptionY("");
  p.SetCaptionZ("");
  p.SetVisibleZCoords(true);
  EXPECT_FALSE(test::SamePixels(p.PictureBitmap(false), q.PictureBitmap(false)));
  q.OnBeforeDrawScaleLabel = nullptr;
  EXPECT_TRUE(test::SamePixels(p.PictureBitmap(false), q.PictureBitmap(false)));
}

TEST(Plot3DAxes, LabelTexts) {
  struct Case {
    double lo, hi;
    int decimals;
    std::string first, second;
  } cases[] = {
      {0, 1, -2, "0.00", "0.20"},              // automatic: 2 - Round(ln 1 / 2.5) decimals
      {0, 400, -2, "0", "100"},                // automatic for 100 and more: none
      {1e-10, 1e7, -2, "0.0", "2000000"},      // a tick within 1e-14 of the range is zero
      {0, 1e15, 12, "0.0", "20000000000000"},  // zero on a wide range; cut to 14
      {0, 1, 0, "0", "0"},
  };
  for (const Case& c : cases) {
    TPlot3D p(nullptr);
    p.SetVisibleYCoords(false);
    p.SetVisibleZCoords(false);
    p.SetRangeXLow(c.lo);
    p.SetRangeXHigh(c.hi);
    p.SetDecPlaceX(c.decimals);
    const std::vector<Tick> ticks = Ticks(p);
    ASSERT_GE(ticks.size(), 2u) << c.hi;
    EXPECT_EQ(ticks[0].text, c.first) << c.lo << ".." << c.hi;
    EXPECT_EQ(ticks[1].text, c.second) << c.lo << ".." << c.hi;
    for (const Tick& t : ticks) EXPECT_LE(t.text.size(), 14u);
  }
}

}  // namespace
}  // namespace kiv
