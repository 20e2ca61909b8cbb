#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <set>
#include <string>

#include "pixel_util.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/font_engine.h"
#include "text_util.h"

namespace kiv {
namespace {

using testing::Clear;
using testing::FindInk;
using testing::Ink;
using testing::SamePixels;

constexpr TPixel kWhite = 0xFFFFFFFFu;
constexpr TPixel kBlackPx = 0xFF000000u;

// A white bitmap whose canvas draws black text without a background.
struct Page {
  TBitmap bmp;
  TCanvas& c;
  explicit Page(int w = 200, int h = 60) : bmp(w, h), c(bmp.Canvas()) {
    Clear(bmp, kWhite);
    c.Font().SetColor(clBlack);
    c.Brush().SetStyle(bsClear);
  }
  Ink InkOf() const { return FindInk(bmp, kWhite); }
};

// ---------------------------------------------------------------------------------------------
// Metrics

TEST(TextMetrics, DefaultFontIsArialEightPointElevenPixels) {
  TFont font;
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.PixelSize(), 11);
  const auto& f = font.Instance();
  EXPECT_FALSE(f.FilePath().empty());
  EXPECT_GT(f.Ascent(), 0);
  EXPECT_GT(f.Descent(), 0);
  EXPECT_GE(f.Height(), 11);
  EXPECT_LE(f.Height(), 16);
}

TEST(TextMetrics, HeightIsTheSameForEveryText) {
  Page p;
  const auto& f = p.c.Font().Instance();
  for (const char* s : {"", "x", "gjpqy|", "\xC3\x89\xC3\x85", "\xE4\xB8\xAD"})
    EXPECT_EQ(p.c.TextHeight(s), f.Ascent() + f.Descent()) << s;
}

TEST(TextMetrics, WidthAddsUpOverConcatenation) {
  Page p;
  EXPECT_EQ(p.c.TextWidth(""), 0);
  const std::string parts[] = {"Frequency",    " [Hz]",        "\xC2\xB5V", "\xE2\x82\xAC",
                               "12.5\xC2\xB0", "\xE4\xB8\xAD", "\xFF\xFE"};
  for (const auto& a : parts)
    for (const auto& b : parts)
      EXPECT_EQ(p.c.TextWidth(a + b), p.c.TextWidth(a) + p.c.TextWidth(b)) << a << "|" << b;
  EXPECT_EQ(p.c.TextExtent("Hz"), (TSize{p.c.TextWidth("Hz"), p.c.TextHeight("Hz")}));
}

// ---------------------------------------------------------------------------------------------
// Placement

TEST(TextPlacement, InkStaysInsideTheCellAtTheTopLeft) {
  // Accented capitals may reach above the cell, as in the classic fonts; ASCII never does. A
  // glyph may overhang its advance by a pixel at the right end, as on classic devices.
  for (const char* s : {"Hello, World 123", "gjpqy|()[]{}", "@Q_$%&/\\`~^"}) {
    Page p;
    p.c.TextOut(20, 15, s);
    const Ink ink = p.InkOf();
    ASSERT_GT(ink.count, 0) << s;
    const TRect cell(20, 15, 20 + p.c.TextWidth(s) + 1, 15 + p.c.TextHeight(s));
    EXPECT_EQ(ink.box.Intersect(cell), ink.box) << s;
  }
}

// Where alignment flags put the text: the ink moves by exactly the cell offset.
TEST(TextPlacement, AlignmentFlagsMoveTheCell) {
  Page ref;
  // An odd width shows that the centre offset is width / 2 truncated.
  std::string text = "Amplitude";
  while (ref.c.TextWidth(text) % 2 == 0) text += "i";
  ref.c.TextOut(100, 30, text);
  const TRect r = ref.InkOf().box;
  const auto& f = ref.c.Font().Instance();
  const int w = ref.c.TextWidth(text);
  struct Case {
    unsigned align;
    int dx, dy;
  } cases[] = {{TA_RIGHT, -w, 0},
               {TA_CENTER, -(w / 2), 0},
               {TA_BOTTOM, 0, -f.Height()},
               {TA_BASELINE, 0, -f.Ascent()},
               {TA_CENTER | TA_BASELINE, -(w / 2), -f.Ascent()},
               {TA_RIGHT | TA_BOTTOM, -w, -f.Height()}};
  for (const Case& k : cases) {
    Page p;
    p.c.SetTextAlign(k.align);
    p.c.TextOut(100, 30, text);
    const TRect got = p.InkOf().box;
    EXPECT_EQ(got, TRect(r.Left + k.dx, r.Top + k.dy, r.Right + k.dx, r.Bottom + k.dy))
        << "align " << k.align;
  }
}

TEST(TextPlacement, UpdateCpWritesAtThePenAndMovesIt) {
  Page joined, pieces;
  joined.c.TextOut(10, 20, "Freq [Hz]");
  pieces.c.MoveTo(10, 20);
  pieces.c.SetTextAlign(TA_UPDATECP);
  pieces.c.TextOut(500, 500, "Freq");  // X and Y are ignored
  EXPECT_EQ(pieces.c.PenPos(), TPoint(10 + pieces.c.TextWidth("Freq"), 20));
  pieces.c.TextOut(0, 0, " [Hz]");
  EXPECT_TRUE(SamePixels(joined.bmp, pieces.bmp));

  // Right-aligned text grows leftwards from the pen.
  Page right;
  right.c.MoveTo(150, 20);
  right.c.SetTextAlign(TA_UPDATECP | TA_RIGHT);
  right.c.TextOut(0, 0, "dB");
  EXPECT_EQ(right.c.PenPos(), TPoint(150 - right.c.TextWidth("dB"), 20));
  EXPECT_LE(right.InkOf().box.Right, 150);
}

// ---------------------------------------------------------------------------------------------
// Background, colour and quality

TEST(TextBackground, SolidBrushFillsExactlyTheCell) {
  Page p;
  p.c.Brush().SetStyle(bsSolid);
  p.c.Brush().SetColor(clYellow);
  p.c.TextOut(30, 10, "Label 42");
  const TRect cell(30, 10, 30 + p.c.TextWidth("Label 42"), 10 + p.c.TextHeight("Label 42"));
  EXPECT_EQ(p.InkOf().box, cell);
  int yellow = 0;
  for (int y = cell.Top; y < cell.Bottom; ++y)
    for (int x = cell.Left; x < cell.Right; ++x) {
      const TPixel px = p.bmp.ScanLine(y)[x];
      ASSERT_NE(px, kWhite) << x << "," << y;
      yellow += px == ColorToPixel(clYellow);
    }
  EXPECT_GT(yellow, cell.Width() * cell.Height() / 2);
}

TEST(TextBackground, ClearBrushLeavesTheBackground) {
  Page white;
  Page blue;
  Clear(blue.bmp, ColorToPixel(clBlue));
  white.c.TextOut(5, 5, "Hello 123");
  blue.c.TextOut(5, 5, "Hello 123");
  for (int y = 0; y < white.bmp.Height(); ++y) {
    for (int x = 0; x < white.bmp.Width(); ++x) {
      if (white.bmp.ScanLine(y)[x] != kWhite) continue;
      ASSERT_EQ(blue.bmp.ScanLine(y)[x], ColorToPixel(clBlue)) << x << "," << y;
    }
  }
  EXPECT_GT(white.InkOf().count, 0);
}

TEST(TextColour, FullCoverageGetsTheTextColourAndEdgesBlend) {
  Page p;
  p.c.Font().SetColor(clRed);
  p.c.Font().SetSize(14);
  p.c.TextOut(10, 5, "H");
  const auto& f = p.c.Font().Instance();
  const fontengine::GlyphBitmap& g = f.Glyph('H');
  const int left = 10 + g.left, top = 5 + f.Ascent() - g.top;
  int full = 0, partial = 0;
  for (int y = 0; y < g.height; ++y) {
    for (int x = 0; x < g.width; ++x) {
      const int a = g.coverage[y * g.width + x];
      const TPixel px = p.bmp.ScanLine(top + y)[left + x];
      if (a == 255) {
        ASSERT_EQ(px, ColorToPixel(clRed));
        ++full;
      } else if (a == 0) {
        ASSERT_EQ(px, kWhite);
      } else {
        // Red over white: red stays full, green and blue fall together by the coverage.
        ASSERT_EQ(px & 0xFFFF0000u, 0xFFFF0000u);
        ASSERT_EQ((px >> 8) & 0xFF, px & 0xFF);
        ASSERT_NEAR(static_cast<int>(px & 0xFF), 255 - a, 1);
        ++partial;
      }
    }
  }
  EXPECT_GT(full, 10);
  EXPECT_GT(partial, 0);
  EXPECT_EQ(p.InkOf().count, full + partial);
}

TEST(TextQuality, NonAntialiasedTextHasOnlyTwoColours) {
  Page p;
  p.c.Font().SetQuality(fqNonAntialiased);
  p.c.Font().SetColor(clNavy);
  p.c.TextOut(5, 5, "Quality 0.5 \xC2\xB5m W");
  std::set<TPixel> colours;
  for (int y = 0; y < p.bmp.Height(); ++y)
    for (int x = 0; x < p.bmp.Width(); ++x) colours.insert(p.bmp.ScanLine(y)[x]);
  EXPECT_EQ(colours, (std::set<TPixel>{kWhite, ColorToPixel(clNavy)}));
}

// ---------------------------------------------------------------------------------------------
// Style and size

long Darkness(const TBitmap& b) {
  long sum = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) sum += 255 - (b.ScanLine(y)[x] & 0xFF);
  return sum;
}

TEST(TextStyle, BoldIsWiderOrDarker) {
  Page regular, bold;
  bold.c.Font().SetStyle({fsBold});
  regular.c.TextOut(5, 5, "Temperature");
  bold.c.TextOut(5, 5, "Temperature");
  EXPECT_TRUE(bold.c.TextWidth("Temperature") > regular.c.TextWidth("Temperature") ||
              Darkness(bold.bmp) > Darkness(regular.bmp));
  EXPECT_GT(Darkness(bold.bmp), Darkness(regular.bmp));
}

TEST(TextStyle, DoubleResolutionDoublesTheSize) {
  Page screen(400, 100), print(400, 100);
  print.c.Font().SetPixelsPerInch(192);
  EXPECT_EQ(print.c.Font().PixelSize(), 21);
  const double h = print.c.TextHeight("A") / double(screen.c.TextHeight("A"));
  const double w = print.c.TextWidth("Pressure") / double(screen.c.TextWidth("Pressure"));
  EXPECT_NEAR(h, 2.0, 0.3);
  EXPECT_NEAR(w, 2.0, 0.3);
  screen.c.TextOut(0, 0, "H");
  print.c.TextOut(0, 0, "H");
  EXPECT_NEAR(print.InkOf().box.Height() / double(screen.InkOf().box.Height()), 2.0, 0.3);
}

// ---------------------------------------------------------------------------------------------
// Clipping

TEST(TextClip, EdgesShowTheVisiblePartOfTheSameText) {
  Page whole(120, 50), cut(120, 50);
  whole.c.TextOut(30, 20, "Clipped text");
  cut.c.TextOut(30 - 37, 20 - 26, "Clipped text");
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 120; ++x) {
      const bool inside = x + 37 < 120 && y + 26 < 50;
      const TPixel want = inside ? whole.bmp.ScanLine(y + 26)[x + 37] : kWhite;
      ASSERT_EQ(cut.bmp.ScanLine(y)[x], want) << x << "," << y;
    }
  EXPECT_GT(cut.InkOf().count, 0);
}

TEST(TextClip, TextFarOutsideDrawsNothing) {
  Page p(50, 20);
  p.c.Brush().SetStyle(bsSolid);
  p.c.Brush().SetColor(clRed);
  const std::string long_text(10000, 'W');
  for (TPoint at : {TPoint(-1000000, 5), TPoint(5, -100000), TPoint(100000, 5), TPoint(5, 100000),
                    TPoint(INT_MAX, INT_MAX), TPoint(INT_MIN, INT_MIN), TPoint(INT_MAX - 3, 0)}) {
    p.c.TextOut(at.X, at.Y, "Far away");
    p.c.TextOut(at.X, at.Y, long_text);
  }
  for (unsigned align : {TA_RIGHT, TA_CENTER, TA_BOTTOM, TA_BASELINE}) {
    p.c.SetTextAlign(align);
    p.c.TextOut(INT_MIN, INT_MIN, long_text);
  }
  EXPECT_EQ(p.InkOf().count, 0);
}

TEST(TextClip, TextRectClipsToItsRectangle) {
  Page whole, clipped;
  whole.c.Brush().SetStyle(bsSolid);
  whole.c.Brush().SetColor(clAqua);
  clipped.c.Brush().SetStyle(bsSolid);
  clipped.c.Brush().SetColor(clAqua);
  const TRect r(20, 12, 60, 20);
  whole.c.TextOut(10, 8, "Rectangle clip");
  clipped.c.TextRect(r, 10, 8, "Rectangle clip");
  for (int y = 0; y < whole.bmp.Height(); ++y)
    for (int x = 0; x < whole.bmp.Width(); ++x) {
      const TPixel want = r.Contains(x, y) ? whole.bmp.ScanLine(y)[x] : kWhite;
      ASSERT_EQ(clipped.bmp.ScanLine(y)[x], want) << x << "," << y;
    }
}

TEST(TextClip, CanvasClipRectAppliesToText) {
  Page p;
  p.c.SetClipRect(TRect(0, 0, 40, 60));
  p.c.TextOut(10, 10, "Wide label text");
  const Ink ink = p.InkOf();
  EXPECT_GT(ink.count, 0);
  EXPECT_LE(ink.box.Right, 40);
}

// ---------------------------------------------------------------------------------------------
// Underline and strike-out

// The rows text with a decoration has in full text colour across the whole cell width.
std::set<int> FullRows(TFontStyles style, int* baseline) {
  Page p;
  p.c.Font().SetStyle(style);
  p.c.TextOut(10, 10, "ex ex");
  *baseline = 10 + p.c.Font().Instance().Ascent();
  const int w = p.c.TextWidth("ex ex");
  std::set<int> rows;
  for (int y = 0; y < p.bmp.Height(); ++y) {
    bool full = true;
    for (int x = 10; x < 10 + w; ++x) full &= p.bmp.ScanLine(y)[x] == kBlackPx;
    if (full) rows.insert(y);
  }
  EXPECT_EQ(p.InkOf().box.Left, 10);
  return rows;
}

TEST(TextDecoration, UnderlineAndStrikeOutRows) {
  int baseline = 0;
  const auto& f = TFont().Instance();
  EXPECT_TRUE(FullRows({}, &baseline).empty());
  std::set<int> under, strike;
  for (int i = 0; i < f.LineThickness(); ++i) {
    under.insert(baseline + f.UnderlinePosition() + i);
    strike.insert(baseline - f.StrikeoutPosition() + i);
  }
  EXPECT_EQ(FullRows({fsUnderline}, &baseline), under);
  EXPECT_EQ(FullRows({fsStrikeOut}, &baseline), strike);
  std::set<int> both = under;
  both.insert(strike.begin(), strike.end());
  EXPECT_EQ(FullRows({fsUnderline, fsStrikeOut}, &baseline), both);
}

// ---------------------------------------------------------------------------------------------
// Unicode

TEST(TextUnicode, MultiByteCharactersRenderSomething) {
  for (const char* s :
       {"\xC2\xB5", "\xC2\xB0", "\xE2\x82\xAC", "\xE4\xB8\xAD", "\xF0\x9F\x98\x80"}) {
    Page p;
    p.c.TextOut(5, 5, s);
    EXPECT_GT(p.InkOf().count, 0) << s;
    EXPECT_GT(p.c.TextWidth(s), 0) << s;
  }
}

TEST(TextUnicode, InvalidUtf8NeverCrashes) {
  std::mt19937 rng(1234);
  Page p(100, 30);
  p.c.Brush().SetStyle(bsSolid);
  for (int i = 0; i < 300; ++i) {
    std::string s(rng() % 24, '\0');
    for (char& ch : s) ch = static_cast<char>(rng() & 0xFF);
    const int w = p.c.TextWidth(s);
    EXPECT_GE(w, 0);
    p.c.TextOut(static_cast<int>(rng() % 120) - 10, static_cast<int>(rng() % 40) - 5, s);
  }
  // Each bad byte is one replacement character.
  EXPECT_EQ(p.c.TextWidth("\xE2\x82"), 2 * p.c.TextWidth("\xEF\xBF\xBD"));
}

}  // namespace
}  // namespace kiv
