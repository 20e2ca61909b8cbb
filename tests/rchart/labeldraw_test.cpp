// Drawing of the chart's text labels: anchors by attachment, alignment of multi-line captions,
// the box of each mode with its shadow, and label 1 on top.
#include <gtest/gtest.h>

#include "render_util.h"

namespace kiv {
namespace {

using testing::At;
using testing::Call;
using testing::DrawChart;
using testing::RecordingCanvas;

// Text metrics in a label's font.
class LabelFont {
 public:
  explicit LabelFont(const TFont& f) : bmp_(1, 1) { bmp_.Canvas().Font().Assign(f); }
  int H() { return bmp_.Canvas().TextHeight("x"); }
  int W(const std::string& s) { return bmp_.Canvas().TextWidth(s); }

 private:
  TBitmap bmp_;
};

TTextLabel& Label(DrawChart& ch, int ix, const std::string& caption, double x, double y,
                  TTxtLblMode mode) {
  TTextLabel& lb = ch.TextLabels(ix);
  lb.SetCaption(caption);
  lb.SetPosX(x);
  lb.SetPosY(y);
  lb.SetAttachToData(taNone);
  lb.SetMode(mode);
  lb.SetVisible(true);
  lb.SetAlignment(taLeftJustify);
  lb.SetVerticalAlignment(vaTop);
  lb.SetColorBorder(clRed);
  lb.SetColorBkg(clYellow);
  lb.SetColorShadow(clGray);
  return lb;
}

std::vector<Call> Draw(DrawChart& ch) {
  RecordingCanvas rc;
  ch.RenderTextLabels(rc, 0, 0);
  return rc.calls;
}

TEST(TextLabels, ShadowedBoxBesideItsShadowAndTextAtTheAnchor) {
  DrawChart ch;
  Label(ch, 1, "Peak", 60, 40, tlmShadowed);  // control pixels: data pixel (50, 30)
  LabelFont f(ch.TextLabels(1).Font());
  const int w = f.W("Peak"), h = f.H();
  const auto calls = Draw(ch);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].kind, "rect");
  EXPECT_EQ(calls[0].rect, TRect(49, 31, 50 + w + 7, 30 + h + 5));
  EXPECT_EQ(calls[0].pen, clGray);
  EXPECT_EQ(calls[0].brush, clGray);
  EXPECT_EQ(calls[1].rect, TRect(46, 28, 50 + w + 4, 30 + h + 2));
  EXPECT_EQ(calls[1].pen, clRed);
  EXPECT_EQ(calls[1].brush, clYellow);
  EXPECT_EQ(calls[2].kind, "text");
  EXPECT_EQ(calls[2].points[0], TPoint(50, 30));
}

TEST(TextLabels, BoxOfEachMode) {
  DrawChart ch;
  TTextLabel& lb = Label(ch, 1, "Box", 60, 40, tlmPlain);
  LabelFont f(lb.Font());
  const int w = f.W("Box"), h = f.H();
  auto calls = Draw(ch);
  ASSERT_EQ(calls.size(), 2u);  // the box in the background colour, the text
  EXPECT_EQ(calls[0].pen, clYellow);
  lb.SetTransparent(true);
  calls = Draw(ch);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].brush_style, bsClear);
  lb.SetMode(tlmFramed);  // the frame stays, the inside is left alone
  calls = Draw(ch);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].pen, clRed);
  EXPECT_EQ(calls[0].brush_style, bsClear);
  lb.SetTransparent(false);
  lb.SetMode(tlmUnderlined);
  calls = Draw(ch);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].pen, clYellow);
  EXPECT_EQ(calls[1].kind, "line");
  EXPECT_EQ(calls[1].points, (std::vector<TPoint>{{50, 30 + h}, {50 + w, 30 + h}}));
  EXPECT_EQ(calls[1].pen, clRed);
}

TEST(TextLabels, AlignmentOfMultiLineCaptions) {
  DrawChart ch;
  TTextLabel& lb = Label(ch, 1, "wide line\nab", 110, 90, tlmFramed);
  LabelFont f(lb.Font());
  const int w = f.W("wide line"), w1 = f.W("ab"), h = f.H();
  lb.SetAlignment(taRightJustify);
  lb.SetVerticalAlignment(vaBottom);
  auto calls = Draw(ch);
  ASSERT_EQ(calls.size(), 3u);
  // Anchor (100, 80) at the bottom right of the text.
  EXPECT_EQ(calls[0].rect, TRect(100 - w - 4, 80 - 2 * h - 2, 104, 82));
  EXPECT_EQ(calls[1].points[0], TPoint(100 - w, 80 - 2 * h));
  EXPECT_EQ(calls[2].points[0], TPoint(100 - w1, 80 - h));
  lb.SetAlignment(taCenter);
  lb.SetVerticalAlignment(vaCenter);
  calls = Draw(ch);
  EXPECT_EQ(calls[1].points[0], TPoint(100 - w / 2, 80 - h));
  EXPECT_EQ(calls[2].points[0], TPoint(100 - w / 2 + (w - w1) / 2, 80));
}

TEST(TextLabels, AttachmentToWorldCoordinates) {
  DrawChart ch;  // world = data pixels on layer 1
  TTextLabel& lb = Label(ch, 1, "x", 30, 45, tlmFramed);
  lb.SetAttachToData(taXY);
  EXPECT_EQ(Draw(ch).back().points[0], TPoint(30, 45));
  lb.SetAttachToData(taX);  // y is a control pixel
  EXPECT_EQ(Draw(ch).back().points[0], TPoint(30, 35));
  lb.SetAttachToData(taY);
  EXPECT_EQ(Draw(ch).back().points[0], TPoint(20, 45));
  lb.SetLayer(2);
  ch.SetRange(2, 0.0L, 0.0L, 1.99L, 1.49L);
  lb.SetPosX(1.0);
  lb.SetPosY(1.0);
  lb.SetAttachToData(taXY);
  EXPECT_EQ(Draw(ch).back().points[0], TPoint(100, 49));
}

TEST(TextLabels, LabelOneIsOnTopAndHiddenLabelsAreSkipped) {
  DrawChart ch;
  Label(ch, 2, "two", 60, 40, tlmPlain).SetColorBkg(clBlue);
  Label(ch, 1, "one", 62, 42, tlmPlain);
  TBitmap b(DrawChart::kW, DrawChart::kH);
  ch.RenderTextLabels(b.Canvas(), 0, 0);
  EXPECT_EQ(At(b, 50, 31), clYellow);  // label 1's box covers label 2's
  EXPECT_EQ(At(b, 47, 29), clBlue);
  ch.TextLabels(2).SetVisible(false);
  ch.TextLabels(1).SetMode(tlmNone);
  EXPECT_TRUE(Draw(ch).empty());
  ch.TextLabels(2).SetVisible(true);
  ch.SetLayerVisible(1, false);
  EXPECT_TRUE(Draw(ch).empty());
}

}  // namespace
}  // namespace kiv
