// Worked examples of how the chart's items are drawn: the pen, brush and font each kind sets or
// leaves as the item before it left them, monochrome output element by element, the hooks and
// what they see, the order of the containers and of the render events, and the background area
// of each mode at its exact pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compose_probe.h"
#include "render_util.h"

namespace kiv {
namespace {

using testing::At;
using testing::DrawChart;
using testing::OfKind;

// Drawing calls with the pen, brush and font they were made with.
using Op = testing::Call;
using OpCanvas = testing::RecordingCanvas;

std::vector<Op> Ops(DrawChart& ch, bool blk_white = false) {
  OpCanvas c;
  ch.PrepareRenderState(c, 0, 0);
  ch.RenderContainers(c, 0, 0, blk_white, 0);
  return c.calls;
}

// The data area's background as the composition paints it.
class AreaChart : public DrawChart {
 public:
  using TCustomRChart::InitGraf;
};

// --- Pens and brushes per kind

TEST(AuditItemPens, LinesCursorsAndPolylinesUseColourStyleWidthAndFill) {
  DrawChart ch;
  ch.SetDataColor(clRed);
  ch.SetFillColor(clYellow);
  ch.SetPenStyle(psDash);
  ch.SetLineWidth(3);
  ch.Line(10.0, 10.0, 50.0, 10.0);
  ch.MoveTo(10.0, 20.0);
  ch.DrawTo(50.0, 20.0);
  ch.SetAnnoMode(true);
  ch.CursorVert(30.0);
  const auto ops = Ops(ch);
  int seen = 0;
  for (const Op& o : ops) {
    if (o.kind != "line" && o.kind != "polyline") continue;
    ++seen;
    EXPECT_EQ(o.pen, clRed) << o.kind;
    EXPECT_EQ(o.pen_style, psDash) << o.kind;
    EXPECT_EQ(o.pen_width, 3) << o.kind;
    EXPECT_EQ(o.brush, clYellow) << o.kind;
  }
  EXPECT_EQ(seen, 3);
}

TEST(AuditItemPens, FilledShapesFollowTransparencyAndFramesFillWithTheirFillColour) {
  DrawChart ch;
  ch.SetDataColor(clRed);
  ch.SetFillColor(clYellow);
  ch.SetPenStyle(psDot);
  ch.Rectangle(10.0, 10.0, 20.0, 20.0);
  ch.Ellipse(50.0, 50.0, 5.0, 5.0);
  ch.SetTransparentItems(true);
  ch.Rectangle(30.0, 10.0, 40.0, 20.0);
  ch.Ellipse(80.0, 50.0, 5.0, 5.0);
  ch.SetFillColor(clLime);
  ch.RectFrame(60.0, 60.0, 90.0, 90.0, rbNone, clGray, clWhite);
  const auto ops = Ops(ch);
  const auto rects = OfKind(ops, "rect");
  const auto ellipses = OfKind(ops, "ellipse");
  ASSERT_EQ(rects.size(), 3u);
  ASSERT_EQ(ellipses.size(), 2u);
  for (int k = 0; k < 2; ++k) {
    const TBrushStyle want = k == 0 ? bsSolid : bsClear;
    for (const Op& o : {rects[k], ellipses[k]}) {
      EXPECT_EQ(o.pen, clRed);
      EXPECT_EQ(o.brush, clYellow);
      EXPECT_EQ(o.pen_style, psDot);
      EXPECT_EQ(o.brush_style, want) << o.kind << k;
    }
  }
  // The frame: pen and brush its fill colour, pen style of the item, and the brush style the
  // transparent ellipse before it left.
  EXPECT_EQ(rects[2].pen, clLime);
  EXPECT_EQ(rects[2].brush, clLime);
  EXPECT_EQ(rects[2].pen_style, psDot);
  EXPECT_EQ(rects[2].brush_style, bsClear);
  EXPECT_EQ(rects[2].rect, TRect(60, 60, 90, 90));  // (L, T)-(R, B) as it is
  EXPECT_EQ(rects[2].pen_width, 1);                 // frames are stored with width 1
}

TEST(AuditItemPens, BarsKeepTheBrushStyleTheItemBeforeLeft) {
  for (const bool transp : {false, true}) {
    DrawChart ch;
    ch.SetTransparentItems(transp);
    ch.SetFillColor(clAqua);
    ch.Rectangle(1.0, 1.0, 3.0, 3.0);
    ch.SetDataColor(clBlue);
    ch.SetFillColor(clFuchsia);
    ch.SetTransparentItems(false);
    ch.Bar3D(50.0, 100.0, 70.0, 60.0, 10, 45);
    const auto ops = Ops(ch);
    int n = 0;
    for (std::size_t i = 1; i < ops.size(); ++i) {
      const Op& o = ops[i];
      if (o.kind != "polygon" && o.kind != "rect") continue;
      ++n;
      EXPECT_EQ(o.pen, clBlue);
      EXPECT_EQ(o.brush, clFuchsia);
      EXPECT_EQ(o.brush_style, transp ? bsClear : bsSolid) << o.kind;
    }
    EXPECT_EQ(n, 3);  // top face, side face, front
  }
}

TEST(AuditItemPens, ArcsSetOnlyThePenColour) {
  DrawChart ch;
  ch.SetDataColor(clRed);
  ch.SetFillColor(clYellow);
  ch.SetPenStyle(psDashDot);
  ch.Line(0.0, 0.0, 5.0, 0.0);
  ch.SetDataColor(clBlue);
  ch.SetFillColor(clLime);
  ch.SetPenStyle(psSolid);
  ch.Arc(100.0, 75.0, 20.0, 10.0, 0.0, 1.5);
  const auto arcs = OfKind(Ops(ch), "arc");
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_EQ(arcs[0].pen, clBlue);
  EXPECT_EQ(arcs[0].pen_style, psDashDot);  // left by the line
  EXPECT_EQ(arcs[0].brush, clYellow);       // likewise
}

TEST(AuditItemPens, ArrowsFillTheirHeadsUnlessTransparent) {
  for (const bool transp : {false, true}) {
    DrawChart ch;
    ch.SetDataColor(clNavy);
    ch.SetFillColor(clOlive);
    ch.SetPenStyle(psDash);
    ch.SetTransparentItems(transp);
    ch.Arrow(10.0, 50.0, 100.0, 50.0, 8);
    const auto ops = Ops(ch);
    for (const Op& o : ops) {
      EXPECT_EQ(o.pen, clNavy) << o.kind;
      EXPECT_EQ(o.brush, clOlive) << o.kind;
      EXPECT_EQ(o.pen_style, psDash) << o.kind;
      EXPECT_EQ(o.brush_style, transp ? bsClear : bsSolid) << o.kind;
    }
    EXPECT_EQ(OfKind(ops, "polygon").size(), transp ? 0u : 1u);
    EXPECT_EQ(OfKind(ops, "line").size(), transp ? 3u : 1u);
  }
}

TEST(AuditItemPens, MarksDrawWithTheirPenAndTheBrushLeftBefore) {
  DrawChart ch;
  ch.SetDataColor(clGreen);
  ch.SetFillColor(clYellow);
  ch.Rectangle(1.0, 1.0, 3.0, 3.0);  // brush yellow, solid
  ch.SetDataColor(clRed);
  ch.SetFillColor(clBlue);
  ch.MarkAt(100.0, 75.0, 11);  // a filled square
  const auto ops = Ops(ch);
  bool pen_seen = false, brush_seen = false;
  for (std::size_t i = 1; i < ops.size(); ++i) {
    const Op& o = ops[i];
    if (o.kind == "fillrect" || (o.kind == "rect" && o.pen_style == psClear)) {
      brush_seen = true;
      EXPECT_EQ(o.brush, clYellow);
    } else if (o.kind == "line" || o.kind == "polyline" || o.kind == "rect") {
      pen_seen = true;
      EXPECT_EQ(o.pen, clRed);
    }
  }
  EXPECT_TRUE(pen_seen);
  EXPECT_TRUE(brush_seen);
}

TEST(AuditItemPens, ErrorBarsSetPenStyleAndBrush) {
  DrawChart ch;
  ch.SetDataColor(clMaroon);
  ch.SetPenStyle(psDot);
  ch.SetFillColor(clTeal);
  ch.MarkErrorBar(100.0, 75.0, 10.0, 20.0, orVertical, 0);
  // The handler sets the fill the stored item is drawn with.
  ch.OnBeforeRenderChartItem = [](TObject*, TrcChartItem& it, int, bool) { it.FillColor = clTeal; };
  const auto lines = OfKind(Ops(ch), "line");
  ASSERT_GE(lines.size(), 4u);
  for (const Op& o : lines) {
    EXPECT_EQ(o.pen, clMaroon);
    EXPECT_EQ(o.pen_style, psDot);
    EXPECT_EQ(o.brush, clTeal);
  }
}

TEST(AuditItemPens, WidthChangesForEveryKindButTexts) {
  DrawChart ch;
  ch.SetLineWidth(4);
  ch.Line(0.0, 0.0, 10.0, 0.0);
  ch.SetLineWidth(2);
  ch.Text(50.0, 50.0, 8, "t");  // its width field is its long-text number
  ch.SetTextBkStyle(tbSolid);
  ch.Text(50.0, 80.0, 8, "a\nb");
  ch.SetLineWidth(6);
  ch.Line(0.0, 100.0, 10.0, 100.0);
  const auto ops = Ops(ch);
  const auto lines = OfKind(ops, "line");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].pen_width, 4);
  EXPECT_EQ(lines[1].pen_width, 6);
  const auto box = OfKind(ops, "rect");
  ASSERT_EQ(box.size(), 1u);
  EXPECT_EQ(box[0].pen_width, 4);  // the width the first line set
}

TEST(AuditItemPens, AWidthChangeEndsThePolylineWhereItStands) {
  DrawChart ch;
  ch.MoveTo(10.0, 10.0);
  ch.DrawTo(50.0, 10.0);
  ch.DrawTo(50.0, 40.0);
  ch.SetLineWidth(3);
  ch.DrawTo(90.0, 40.0);
  const auto polys = OfKind(Ops(ch), "polyline");
  ASSERT_EQ(polys.size(), 2u);
  EXPECT_EQ(polys[0].points, (std::vector<TPoint>{{10, 10}, {50, 10}, {50, 40}}));
  EXPECT_EQ(polys[0].pen_width, 1);
  EXPECT_EQ(polys[1].points, (std::vector<TPoint>{{50, 40}, {90, 40}}));
  EXPECT_EQ(polys[1].pen_width, 3);
}

// --- Monochrome output

TEST(AuditMonochrome, EachElementTakesBlackSilverOrWhite) {
  DrawChart ch;
  ch.SetDataColor(clRed);
  ch.SetFillColor(clYellow);
  ch.Line(0.0, 0.0, 10.0, 0.0);                                     // brush stays the fill
  ch.RectFrame(20.0, 20.0, 40.0, 40.0, rbLowered, clBlue, clLime);  // edges keep their colours
  ch.Bar3D(60.0, 100.0, 80.0, 60.0, 10, 45);
  ch.Arrow(100.0, 10.0, 150.0, 10.0, 6);
  ch.Ellipse(150.0, 100.0, 10.0, 10.0);
  ch.MoveTo(0.0, 140.0);
  ch.DrawTo(100.0, 140.0);
  const auto ops = Ops(ch, true);
  ASSERT_FALSE(ops.empty());
  // The first line, then the frame's rectangle and its four edges.
  EXPECT_EQ(ops[0].kind, "line");
  EXPECT_EQ(ops[0].pen, clBlack);
  EXPECT_EQ(ops[0].brush, clYellow);
  EXPECT_EQ(ops[1].kind, "rect");
  EXPECT_EQ(ops[1].pen, clSilver);
  EXPECT_EQ(ops[1].brush, clSilver);
  std::vector<TColor> edges;
  for (std::size_t i = 2; i < 6; ++i) edges.push_back(ops[i].pen);
  EXPECT_EQ(edges, (std::vector<TColor>{clBlue, clBlue, clLime, clLime}));
  for (std::size_t i = 6; i < ops.size(); ++i) {
    const Op& o = ops[i];
    EXPECT_EQ(o.pen, clBlack) << i << o.kind;
    if (o.kind == "polyline")
      EXPECT_EQ(o.brush, clYellow);
    else
      EXPECT_EQ(o.brush, clSilver) << i << o.kind;
  }
}

// --- Texts

TEST(AuditTexts, FontNameAndStyleFromTheTextFontSizeFromTheItemColourFromThePen) {
  DrawChart ch;
  ch.TextFont().SetName("DejaVu Serif");
  ch.TextFont().SetStyle(TFontStyles{fsBold, fsItalic});
  ch.TextFont().SetColor(clBlue);  // not used: the item's colour is
  ch.TextFont().SetSize(30);       // not used: the item's size is
  ch.SetDataColor(clRed);
  ch.SetFillColor(clYellow);
  ch.Text(50.0, 50.0, 14, "first");
  ch.SetTextBkStyle(tbSolid);
  ch.SetDataColor(clGreen);
  ch.Text(50.0, 90.0, 9, "second");
  const auto texts = OfKind(Ops(ch), "text");
  ASSERT_EQ(texts.size(), 2u);
  for (const Op& t : texts) {
    EXPECT_EQ(t.font_name, "DejaVu Serif");
    EXPECT_EQ(t.font_style, (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(t.brush, clYellow);
  }
  EXPECT_EQ(texts[0].font_size, 14);
  EXPECT_EQ(texts[0].font, clRed);
  EXPECT_EQ(texts[0].brush_style, bsClear);
  EXPECT_EQ(texts[1].font_size, 9);
  EXPECT_EQ(texts[1].font, clGreen);
  EXPECT_EQ(texts[1].brush_style, bsSolid);
}

TEST(AuditTexts, MultiLineTextsWithoutBackgroundDrawNoBox) {
  DrawChart ch;
  ch.SetTextAlignment(taRightJustify);
  ch.Text(150.0, 60.0, 10, "wide line\nx");
  OpCanvas probe;
  const auto ops = Ops(ch);
  EXPECT_TRUE(OfKind(ops, "rect").empty());
  const auto texts = OfKind(ops, "text");
  ASSERT_EQ(texts.size(), 2u);
  // Measured with the font the item draws with.
  probe.Font().Assign(ch.TextFont());
  probe.Font().SetSize(10);
  const int w = probe.TextWidth("wide line"), wx = probe.TextWidth("x");
  const int h = probe.TextHeight("wide line\nx") + 1;
  const int px = 150 - w, py = 60 - h / 2;
  EXPECT_EQ(texts[0].points[0], TPoint(px, py));
  EXPECT_EQ(texts[1].points[0], TPoint(px + w - wx, py + h));
  EXPECT_EQ(texts[1].text, "x");
}

TEST(AuditTexts, TheTextHookSeesWhatTheItemHookLeftAndItsContainer) {
  DrawChart ch;
  ch.Text(20.0, 20.0, 8, "data");
  ch.SetAnnoMode(true);
  ch.Line(0, 0, 5, 5);
  ch.Text(20, 60, 8, "anno");
  std::vector<std::string> seen;
  ch.OnBeforeRenderChartItem = [](TObject*, TrcChartItem& it, int, bool anno) {
    if (anno && it.ItemKind == tkText) it.Text.Chars[0] = 'A';
  };
  ch.OnBeforeRenderText = [&](TObject*, std::string& text, int index, bool anno) {
    seen.push_back(text + ":" + std::to_string(index) + (anno ? "a" : "d"));
    text += "!";
  };
  const auto texts = OfKind(Ops(ch), "text");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(seen, (std::vector<std::string>{"data:0d", "Anno:1a"}));
  EXPECT_EQ(texts[1].text, "Anno!");
  EXPECT_EQ(ch.GetAnnoItem(1).Text.Chars[0], 'a');  // the store is unchanged
}

// --- Hooks and order

TEST(AuditOrder, AnnotationEventsFollowTheDrawingOrderWithTheirContainerIndex) {
  DrawChart ch;
  ch.Line(0.0, 0.0, 10.0, 10.0);
  ch.SetAnnoMode(true);
  ch.Text(50, 50, 8, "t");
  ch.Line(0, 0, 10, 10);
  ch.SetClassDefault(9);
  ch.Rectangle(1, 1, 4, 4);  // hidden class: no event
  ch.SetClassDefault(0);
  ch.Rectangle(40, 40, 80, 60);
  ch.SetAnnoClassVisible(9, false);
  std::vector<std::pair<int, bool>> seen;
  ch.OnBeforeRenderChartItem = [&](TObject*, TrcChartItem&, int i, bool a) {
    seen.push_back({i, a});
  };
  ch.SetAnnoTextOnTop(true);
  Ops(ch);
  EXPECT_EQ(seen, (std::vector<std::pair<int, bool>>{{0, false}, {1, true}, {3, true}, {0, true}}));
  seen.clear();
  ch.SetAnnoTextOnTop(false);
  ch.SetAnnoBelowChart(true);
  Ops(ch);
  EXPECT_EQ(seen, (std::vector<std::pair<int, bool>>{{0, true}, {1, true}, {3, true}, {0, false}}));
}

TEST(AuditOrder, TheItemHookMayMoveAnItemToAnotherLayerOrKind) {
  DrawChart ch;
  ch.SetRange(2, 0.0L, 0.0L, 19.9L, 14.9L);  // layer 2: ten pixels per unit, y upwards
  ch.SetDataColor(clRed);
  ch.Line(10.0, 10.0, 10.0, 10.0);
  ch.OnBeforeRenderChartItem = [](TObject*, TrcChartItem& it, int, bool) {
    it.Layer = 2;
    it.ItemKind = tkRect;
    it.x2 = 2.0;
    it.y2 = 2.0;
    it.FillColor = clRed;
  };
  const TBitmap b = ch.Render();
  // Layer 2 maps x = 10 to pixel 100 and y = 10 to pixel 149 - 100 = 49; (2, 2) to (20, 129).
  EXPECT_EQ(At(b, 20, 49), clRed);
  EXPECT_EQ(At(b, 100, 129), clRed);
  EXPECT_EQ(At(b, 101, 129), clWhite);
  EXPECT_EQ(At(b, 19, 49), clWhite);
}

TEST(AuditOrder, RenderEventsBracketTheItemsAndTheFrameComesLast) {
  ComposeChart c;
  c.SetBounds(0, 0, 300, 200);
  c.SetMarginLeft(20);
  c.SetMarginTop(15);
  c.SetMarginRight(20);
  c.SetMarginBottom(25);
  c.SetRange(1, 0, 0, 10, 10);
  c.SetChartColor(clWhite);
  c.SetChartFrameColor(clBlack);
  c.SetDataColor(clRed);
  c.SetFillColor(clRed);
  c.Rectangle(0.0, 0.0, 10.0, 10.0);  // covers the whole data area
  std::vector<std::string> order;
  c.OnBeforeRenderData = [&](TObject*, TCanvas& cv, int top, int left) {
    EXPECT_EQ(top, 15);
    EXPECT_EQ(left, 20);
    cv.SetPixels(50, 50, clLime);  // under the items
    order.push_back("before");
  };
  c.OnBeforeRenderChartItem = [&](TObject*, TrcChartItem&, int, bool) { order.push_back("item"); };
  c.OnDataRendered = [&](TObject*, TCanvas& cv, int, int) {
    cv.SetPixels(50, 60, clLime);  // over the items
    cv.SetPixels(0, 0, clLime);    // under the frame
    order.push_back("after");
  };
  TBitmap da;
  c.CopyToBitmapDAOnly(da, false);
  EXPECT_EQ(order, (std::vector<std::string>{"before", "item", "after"}));
  EXPECT_EQ(PixelAt(da, 50, 50), clRed);
  EXPECT_EQ(PixelAt(da, 50, 60), clLime);
  EXPECT_EQ(PixelAt(da, 0, 0), clBlack);
}

// --- Background areas

TEST(AuditBackgroundArea, AreaEdgesAreThoseOfTheFilledRectangles) {
  // World = data-bitmap pixels: xl = 20, xr = 50, yt = 30, yb = 80.
  const struct {
    TBGAreaMode mode;
    TRect fills[4];
  } cases[] = {
      {bamLeft, {TRect(0, 0, 20, 150)}},     {bamRight, {TRect(50, 0, 200, 150)}},
      {bamTop, {TRect(0, 0, 200, 30)}},      {bamBottom, {TRect(0, 80, 200, 150)}},
      {bamVStripe, {TRect(20, 0, 50, 150)}}, {bamHStripe, {TRect(0, 30, 200, 80)}},
      {bamRect, {TRect(20, 30, 50, 80)}},
  };
  for (const auto& k : cases) {
    AreaChart ch;
    ch.SetChartColor(clWhite);
    TBakGndImg& g = ch.BackGroundImg();
    g.SetAreaLeft(20);
    g.SetAreaRight(50);
    g.SetAreaTop(30);
    g.SetAreaBottom(80);
    g.SetAreaColor(clAqua);
    g.SetAreaMode(k.mode);
    TBitmap b(DrawChart::kW, DrawChart::kH);
    ch.InitGraf(b.Canvas(), 0, 0, DrawChart::kW, DrawChart::kH);
    const TRect& r = k.fills[0];
    for (const TPoint p : {TPoint(r.Left, r.Top), TPoint(r.Right - 1, r.Bottom - 1)})
      EXPECT_EQ(At(b, p.X, p.Y), clAqua) << k.mode << " " << p.X << "," << p.Y;
    int inked = 0;
    for (int y = 0; y < DrawChart::kH; ++y)
      for (int x = 0; x < DrawChart::kW; ++x) inked += At(b, x, y) == clAqua;
    EXPECT_EQ(inked, (r.Right - r.Left) * (r.Bottom - r.Top)) << k.mode;
  }
}

TEST(AuditBackgroundArea, TheAreaFollowsTheActiveLayer) {
  AreaChart ch;
  ch.SetChartColor(clWhite);
  ch.SetRange(2, 0.0L, 0.0L, 19.9L, 14.9L);  // ten pixels per unit, y upwards
  TBakGndImg& g = ch.BackGroundImg();
  g.SetAreaLeft(2);
  g.SetAreaRight(5);
  g.SetAreaTop(10);
  g.SetAreaBottom(5);
  g.SetAreaColor(clAqua);
  g.SetAreaMode(bamRect);
  ch.SetActiveLayer(2);
  TBitmap b(DrawChart::kW, DrawChart::kH);
  ch.InitGraf(b.Canvas(), 0, 0, DrawChart::kW, DrawChart::kH);
  // x 2..5 -> pixels 20..50; y 10..5 -> pixels 49..99.
  EXPECT_EQ(At(b, 20, 49), clAqua);
  EXPECT_EQ(At(b, 49, 98), clAqua);
  EXPECT_EQ(At(b, 50, 60), clWhite);
  EXPECT_EQ(At(b, 30, 99), clWhite);
  EXPECT_EQ(At(b, 19, 60), clWhite);
  EXPECT_EQ(At(b, 30, 48), clWhite);
}

}  // namespace
}  // namespace kiv
