// The Smith chart component: its defaults, the layer-1 range properties, CenterChart and
// crosshair 1, and the diagram: labels by level and place, and the circles and arcs against the
// loci of constant resistance and reactance, with their gaps and colours.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "compose_probe.h"
#include "rchart/smithchart.h"
#include "services/rounding.h"

namespace kiv {
namespace {

class ProbeSmith : public TSmithChart {
 public:
  ProbeSmith() : TSmithChart(nullptr) {}
  using TSmithChart::InitGraf;
  void Repaint() override { ++repaints; }
  int repaints = 0;
};

// A chart whose data area is size + 1 pixels square with margins of 10 and x range -1..1, so
// that the unit circle is exactly `size` pixels wide.
void UnitCircleOf(TSmithChart& c, int size) {
  c.SetBounds(0, 0, size + 20, size + 20);
  c.SetMarginLeft(10);
  c.SetMarginRight(10);
  c.SetMarginTop(10);
  c.SetMarginBottom(10);
  c.SetRange(-1, -1, 1, 1);
}

TEST(SmithChart, DefaultsAndReset) {
  ProbeSmith c;
  EXPECT_TRUE(c.Isometric());
  EXPECT_EQ(c.GridStyle(), gsPoints);
  EXPECT_EQ(c.GridDx(), 0);
  EXPECT_EQ(c.GridDy(), 0);
  EXPECT_EQ(c.GridColorDark(), 10987431);
  for (int L = 1; L <= 2; ++L) {
    EXPECT_FALSE(c.ScalePropsX(L).Visible());
    EXPECT_FALSE(c.ScalePropsY(L).Visible());
  }
  // x -1.2..1.2 on the 211 x 141 pixel data area; y keeps units equal, centred on 0.
  EXPECT_EQ(c.RangeXLow(), -1.2);
  EXPECT_EQ(c.RangeXHigh(), 1.2);
  EXPECT_NEAR(c.RangeYHigh(), 1.2 * 141 / 211, 1e-12);
  EXPECT_NEAR(c.RangeYLow(), -c.RangeYHigh(), 1e-12);
  EXPECT_TRUE(c.SuppressPaint());

  c.SetIsometric(false);
  c.SetGridColorDark(clRed);
  c.Scale1X().SetVisible(true);
  c.ResetComp();
  EXPECT_TRUE(c.Isometric());
  EXPECT_EQ(c.GridColorDark(), 10987431);
  EXPECT_FALSE(c.Scale1X().Visible());
  EXPECT_EQ(c.RangeXLow(), -1.2);
}

TEST(SmithChart, RangePropertiesKeepTheViewIsometric) {
  ProbeSmith c;
  UnitCircleOf(c, 400);  // square data area: y extent = x extent
  c.SetSuppressPaint(false);
  c.repaints = 0;
  c.SetRangeXLow(-3);  // x -3..1, y recentred on 0 with extent 4
  EXPECT_EQ(c.RangeXLow(), -3);
  EXPECT_NEAR(c.RangeYLow(), -2, 1e-12);
  EXPECT_NEAR(c.RangeYHigh(), 2, 1e-12);
  EXPECT_EQ(c.repaints, 1);
  c.SetRangeYLow(1);  // centre (1 + 2) / 2, extent still 4
  EXPECT_NEAR(c.RangeYLow(), -0.5, 1e-12);
  EXPECT_NEAR(c.RangeYHigh(), 3.5, 1e-12);
  c.SetRangeXHigh(3);
  EXPECT_NEAR(c.RangeYHigh() - c.RangeYLow(), 6, 1e-12);
  // After a pan CenterChart gives the same extents about the origin.
  c.SetRange(0.3, 0.1, 1.5, 0.9);
  c.CenterChart();
  EXPECT_NEAR(c.RangeXLow(), -0.6, 1e-12);
  EXPECT_NEAR(c.RangeXHigh(), 0.6, 1e-12);
  EXPECT_NEAR(c.RangeYLow(), -0.6, 1e-12);
  EXPECT_NEAR(c.RangeYHigh(), 0.6, 1e-12);
  // Colours repaint only when they change.
  c.repaints = 0;
  c.SetDiagramColor(16312552);
  c.SetGridColorLight(clSilver);
  EXPECT_EQ(c.repaints, 1);
  // Layer-1 transformation through the chart's forms.
  int px, py;
  c.R2M(0, 0, px, py);
  double gr, gi;
  c.M2R(px, py, gr, gi);
  EXPECT_NEAR(gr, 0, 1.2 / 400);
  EXPECT_NEAR(gi, 0, 1.2 / 400);
}

TEST(SmithChart, CrossHairOneInReflectionCoordinates) {
  ProbeSmith c;
  UnitCircleOf(c, 200);
  c.SetSuppressPaint(false);
  c.CrossHairSetup(clBlue, chBoth, psSolid, 2);
  EXPECT_EQ(c.CrossHair1().Color(), clBlue);
  EXPECT_EQ(c.CrossHair1().Mode(), chBoth);
  EXPECT_EQ(c.CrossHair1().LineWid(), 2);
  // Moving it draws the crosshairs again over the last picture.
  const auto before = c.SurfaceChangeCount();
  c.CrossHairSetPos(0.25, -0.5);
  EXPECT_EQ(c.CrossHairPosX(), 0.25);
  EXPECT_EQ(c.CrossHairPosY(), -0.5);
  EXPECT_GT(c.SurfaceChangeCount(), before);
  // Writing one coordinate only stores it.
  const auto stored = c.SurfaceChangeCount();
  c.repaints = 0;
  c.SetCrossHairPosX(0.75);
  c.SetCrossHairPosY(0.1);
  EXPECT_EQ(c.CrossHair1().PosX(), 0.75);
  EXPECT_EQ(c.CrossHairPosY(), 0.1);
  EXPECT_EQ(c.SurfaceChangeCount(), stored);
  EXPECT_EQ(c.repaints, 0);
  // The chart's numbered forms reach the other crosshairs.
  c.CrossHairSetPos(3, 0.5, 0.5);
  EXPECT_EQ(c.CrossHairPosX(3), 0.5);
}

// Texts of the diagram in drawing order: reactance labels (upper, lower) by table order, then
// resistance labels.
std::vector<std::string> DiagramTexts(int size) {
  ProbeSmith c;
  UnitCircleOf(c, size);
  TTextRecorder rec(size + 1, size + 1);
  c.InitGraf(rec, 0, 0, size + 1, size + 1);
  std::vector<std::string> texts;
  for (const auto& t : rec.texts) texts.push_back(t.text);
  return texts;
}

std::string Join(const std::vector<std::string>& v) {
  std::string s;
  for (const auto& t : v) s += (s.empty() ? "" : " ") + t;
  return s;
}

TEST(SmithDiagram, LabelsFollowTheUnitCirclesWidth) {
  const std::string level1 = "0.2 -0.2 0.5 -0.5 1 -1 2 -2 10 -10 5 -5 0 0.2 0.5 1 2 10 5";
  EXPECT_EQ(Join(DiagramTexts(300)), level1);
  EXPECT_EQ(Join(DiagramTexts(301)),
            "0.2 -0.2 0.5 -0.5 0.7 -0.7 1 -1 1.5 -1.5 2 -2 10 -10 5 -5 0 0.2 0.5 0.7 1 1.5 2 10 "
            "5");
  EXPECT_EQ(DiagramTexts(500).size(), 25u);
  EXPECT_EQ(DiagramTexts(501).size(), 40u);  // adds 0.1, 0.3, 0.4, 1.2, 3
  EXPECT_EQ(DiagramTexts(751).size(), 49u);  // adds 2.5, 4, 7
  EXPECT_EQ(DiagramTexts(900).size(), 49u);
  EXPECT_EQ(Join(DiagramTexts(901)),
            "0.1 -0.1 0.2 -0.2 0.3 -0.3 0.4 -0.4 0.5 -0.5 0.6 -0.6 0.7 -0.7 0.8 -0.8 0.9 -0.9 1 -1 "
            "1.2 -1.2 1.5 -1.5 2 -2 2.5 -2.5 3 -3 4 -4 7 -7 10 -10 5 -5 "
            "0 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0.9 1 1.2 1.5 2 2.5 3 4 7 10 5");
}

TEST(SmithDiagram, LabelAnchors) {
  ProbeSmith c;
  UnitCircleOf(c, 1000);  // centre O at data pixel (500, 500), 500 pixels per unit
  TTextRecorder rec(1001, 1001);
  c.InitGraf(rec, 0, 0, 1001, 1001);
  TBitmap probe(1, 1);
  probe.Canvas().Font().Assign(c.Font());
  auto find = [&](const std::string& text, int nth) {
    for (const auto& t : rec.texts)
      if (t.text == text && nth-- == 0) return TPoint(t.x, t.y);
    return TPoint(-1, -1);
  };
  auto centred = [&](const std::string& text, int x, int y) {
    const int w = probe.Canvas().TextWidth(text), h = probe.Canvas().TextHeight(text);
    return TPoint(x - w / 2, y - h / 2);
  };
  // x = 1 meets the unit circle straight above O at (500, 0): its label 10 pixels higher.
  EXPECT_EQ(find("1", 0), centred("1", 500, -10));
  EXPECT_EQ(find("-1", 0), centred("-1", 500, 1010));
  // x = 2 meets it at (0.6, 0.8), pixel (800, 100): moved by (6, -8).
  EXPECT_EQ(find("2", 0), centred("2", 806, 92));
  // The resistance label 1 sits on the real axis at the centre (the reactance 1 came first).
  EXPECT_EQ(find("1", 1), centred("1", 500, 500));
  // r = 3 crosses the axis at 0.5: column 750.
  EXPECT_EQ(find("3", 1), centred("3", 750, 500));
}

// The diagram tables, written out from the design.
constexpr double kR[] = {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9,
                         1, 1.2, 1.5, 2,   2.5, 3,   4,   7,   10,  5};
constexpr double kA[] = {3.142, 0.829, 0.578, 0.957, 1.019, 0.42,  1.14, 0.801, 1.248, 1.296,
                         0.395, 0.834, 0.921, 1.073, 0.673, 1.036, 0.92, 1.35,  3.142, 3.142};
constexpr double kE[] = {0.2,  0.33,  0.498, 0.18, 0.819, 0.15,  0.133, 0.48, 0.084, 1.0,
                         0.45, 0.645, 0.625, 0.81, 0.558, 0.669, 0.7,   1.0,  0.95};
constexpr bool kDark[] = {1, 0, 1, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 1, 1};

// A canvas without pixels that keeps the arcs drawn on it with the pen colour.
class TArcRecorder final : public TNullCanvas {
 public:
  struct Arc {
    TRect box;
    TPoint start, end;
    TColor color;
  };
  TArcRecorder() : TNullCanvas(1001, 1001) {}
  std::vector<Arc> arcs;

 protected:
  void DoArc(const TRect& box, TPoint s, TPoint e) override {
    arcs.push_back({box, s, e, Pen().Color()});
  }
};

// The arcs' boxes against the impedance loci (a resistance circle spans from R + j0 to the open
// circuit; a reactance circle touches the real axis at the open circuit and meets the unit
// circle at jX) and their gaps: the directions the arcs start and end in.
TEST(SmithDiagram, ArcsSpanTheirLociAndLeaveTheirGaps) {
  ProbeSmith c;
  UnitCircleOf(c, 1000);  // O at (500, 500), 500 pixels per unit
  TArcRecorder rec;
  c.InitGraf(rec, 0, 0, 1001, 1001);
  ASSERT_EQ(rec.arcs.size(), 20u + 2 * 19u);
  auto px = [](double g) { return 500 + 500 * g; };
  auto direction = [](const TRect& box, TPoint p) {  // angle seen from the box centre, y up
    return std::atan2((box.Top + box.Bottom) / 2.0 - p.Y, p.X - (box.Left + box.Right) / 2.0);
  };
  for (int k = 0; k < 20; ++k) {
    const auto& a = rec.arcs[static_cast<std::size_t>(k)];
    EXPECT_NEAR(a.box.Left, px(CalcReflectionReal(kR[k], 0)), 0.5) << "r " << kR[k];
    EXPECT_EQ(a.box.Right, 1000) << "r " << kR[k];
    EXPECT_NEAR(a.box.Bottom - a.box.Top, a.box.Right - a.box.Left, 1);
    EXPECT_EQ(a.color, kDark[k] ? c.GridColorDark() : c.GridColorLight());
    if (kA[k] < 3.14) {
      EXPECT_NEAR(direction(a.box, a.start), kA[k], 0.01) << "r " << kR[k];
      EXPECT_NEAR(direction(a.box, a.end), -kA[k], 0.01) << "r " << kR[k];
    }
  }
  for (int k = 0; k < 19; ++k) {
    const double X = kR[k + 1];
    const auto& up = rec.arcs[20 + 2 * static_cast<std::size_t>(k)];
    const auto& down = rec.arcs[21 + 2 * static_cast<std::size_t>(k)];
    EXPECT_EQ(up.box.Bottom, 500) << "x " << X;  // touches the real axis
    EXPECT_EQ(down.box.Top, 500) << "x " << X;
    EXPECT_EQ(up.start, TPoint(RoundToInt(px(CalcReflectionReal(0, X))),
                               RoundToInt(1000 - px(CalcReflectionImag(0, X)))))
        << "x " << X;
    EXPECT_EQ(up.end, TPoint(RoundToInt(px(kE[k])), 500));
    EXPECT_EQ(down.start, up.end);
    EXPECT_EQ(down.end.X, up.start.X);
    EXPECT_EQ(down.end.Y, 1000 - up.start.Y);
    EXPECT_EQ(up.color, kDark[k + 1] ? c.GridColorDark() : c.GridColorLight());
  }
}

}  // namespace
}  // namespace kiv
