#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "probe.h"
#include "services/canvasutil.h"

namespace kiv {
namespace {

using namespace rot3d;
using test::At;
using test::TRot3DProbe;

bool Same(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.ScanLine(y)[x] != b.ScanLine(y)[x]) return false;
  return true;
}

// Mark numbers 200..209 are the digits, drawn in the control's face at TextMarkSize points.
TEST(Rot3DDraw, CharacterMarks) {
  for (auto [mark, text] : {std::pair{200, "0"}, {209, "9"}, {65, "A"}}) {
    TRot3DProbe r(nullptr);
    r.Plain();
    r.SetColorData(clBlue);
    r.SetTextMarkSize(20);
    r.MarkAt(0, 0, 0, static_cast<std::uint8_t>(mark));
    r.MakeVisible();
    TBitmap expected(450, 300);
    TCanvas& c = expected.Canvas();
    c.Font().SetName(r.Font().Name());
    SetCanvasFontSizeScaled(c, 20);
    c.Font().SetColor(clBlue);
    c.Brush().SetStyle(bsClear);
    const TSize ext = c.TextExtent(text);
    c.TextOut(225 - ext.cx / 2, 150 - ext.cy / 2, text);
    EXPECT_TRUE(Same(r.PictureBitmap(false), expected)) << mark;
  }
}

TEST(Rot3DDraw, LabelRequestsPlaceTextsByTheirAlignment) {
  TRot3DProbe r(nullptr);
  r.Plain();
  r.MarkAt(-50, 0, 0, 0);
  r.Moveto(0, 0, 0);  // no label request for moves
  r.MarkAt(50, 0, 0, 0);
  r.MakeVisible();
  std::vector<int> asked;
  r.OnLblRequest = [&](TObject*, int obj, std::string& text, int& dx, int& dy, TAlignment& ha,
                       TVerticalAlignment& va, TFont& font) {
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(TPoint(dx, dy), TPoint(0, 0));
    EXPECT_EQ(ha, taCenter);
    EXPECT_EQ(va, vaCenter);
    asked.push_back(obj);
    text.assign(1, 'W');
    font.SetSize(14);
    font.SetColor(clRed);
    dy = 20;
    ha = obj == 0 ? taRightJustify : taLeftJustify;
    va = obj == 0 ? vaBottom : vaTop;
  };
  const TBitmap b = r.PictureBitmap(false);
  EXPECT_EQ(asked, (std::vector<int>{0, 2}));
  // Mark 0 at (215, 150): the text ends at column 215 with its bottom at row 170; mark 2 at
  // (235, 150): the text starts at column 235 with its top at row 170.
  auto redIn = [&](int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += At(b, x, y) == clRed;
    return n;
  };
  EXPECT_GT(redIn(195, 150, 215, 170), 10);
  EXPECT_EQ(redIn(215, 100, 235, 200), 0);
  EXPECT_EQ(redIn(150, 170, 215, 200), 0);
  EXPECT_GT(redIn(235, 170, 260, 195), 10);
  EXPECT_EQ(redIn(235, 100, 300, 170), 0);
}

// Straight from above (all angles 0) the corner with the smallest depth is 0; its faces are
// the bottom face (depth sum -4000: the brightest) and two faces seen edge-on.
TEST(Rot3DDraw, BoxFacesAroundTheCornerWithTheSmallestDepth) {
  TRot3D r(nullptr);
  r.SetViewAngles(0, 0, 0);
  r.SetShowAxes(false);
  TBitmap b = r.PictureBitmap(false);
  EXPECT_EQ(At(b, 225 + 40, 150 + 30), TColor{0xEEEEEE});
  EXPECT_EQ(At(b, 225 - 80, 150 + 30), TColor{0x404040});  // front edge from corner 0
  EXPECT_EQ(At(b, 225 + 80, 150 + 30), TColor{0xB0B0B0});  // hidden edge from corner 7
  EXPECT_EQ(At(b, 225 + 81, 150 + 30), clWhite);
  r.SetBoundBoxStyle(bbOutline);
  b = r.PictureBitmap(false);
  EXPECT_EQ(At(b, 225 + 40, 150 + 30), clWhite);
  r.SetViewAngles(0, 90, 0);
  r.SetMouseRot3Axes(true);  // about y by 90: the x+ face is the brightest
  r.SetBoundBoxStyle(bbFaced);
  b = r.PictureBitmap(false);
  EXPECT_EQ(At(b, 225 + 40, 150 + 30), TColor{0xEEEEEE});
}

// Marks of one kind and colour are stamped into the rows; a label handler makes every mark go
// through the canvas. Both give the same pixels, with lines, widths, colours and far-out
// points mixed in.
TEST(Rot3DDraw, StampedMarksEqualCanvasMarks) {
  std::mt19937 rng(9);
  std::uniform_real_distribution<double> u(-1, 1);
  std::uniform_int_distribution<int> mark(0, 60), kind(0, 9), color(0, 2);
  TRot3D r(nullptr);
  r.SetBoundBoxStyle(bbOutline);
  r.SetAutoScale(false);
  r.SetScaleFactors(400, 400, 400);
  for (int i = 0; i < 3000; ++i) {
    r.SetColorData(color(rng) == 0 ? clRed : clNavy);
    const int k = kind(rng);
    const double f = k == 9 ? 500 : 1;  // now and then far outside
    if (k < 6) {
      r.MarkAt(u(rng) * f, u(rng), u(rng), static_cast<std::uint8_t>(mark(rng)));
    } else if (k < 8) {
      r.SetLineWidth(k == 6 ? 1 : 3);
      r.Drawto(u(rng) * f, u(rng), u(rng));
    } else {
      r.Moveto(u(rng), u(rng), u(rng) * f);
    }
  }
  r.MakeVisible();
  const TBitmap stamped = r.PictureBitmap(true);
  r.OnLblRequest = [](TObject*, int, std::string&, int&, int&, TAlignment&, TVerticalAlignment&,
                      TFont&) {};
  EXPECT_TRUE(Same(stamped, r.PictureBitmap(true)));
  // Black and white: every object black on white.
  const TBitmap bw = r.PictureBitmap(true, true);
  for (int y = 0; y < bw.Height(); ++y)
    for (int x = 0; x < bw.Width(); ++x) ASSERT_NE(At(bw, x, y), clRed) << x << "," << y;
  EXPECT_EQ(At(bw, 3, 3), clWhite);
}

TEST(Rot3DDraw, OutputMethods) {
  TRot3D r(nullptr);
  r.MarkAt(0, 0, 0, 12);
  r.MakeVisible();
  r.CopyToClipboard(false);
  EXPECT_TRUE(Same(Clipboard().Bitmap(), r.PictureBitmap(false)));
  r.CopyToClipboardWMF(true);
  EXPECT_NE(Clipboard().Svg().find("<svg"), std::string::npos);
  EXPECT_NE(Clipboard().Svg().find("polygon"), std::string::npos);  // the box faces
  const std::string png = std::string(KIV_TEST_OUT_DIR) + "/rot3d.png";
  r.CopyToBMP(png, true);
  TBitmap read;
  read.LoadFromFile(png);
  EXPECT_TRUE(Same(read, r.PictureBitmap(true)));
  EXPECT_NE(At(read, 0, 0), At(r.PictureBitmap(false), 0, 0));  // the frame
}

}  // namespace
}  // namespace kiv
