// The recording canvas: a replayed metafile paints the same pixels as drawing directly, and the
// SVG output describes the same figures.
#include "platform/metafile.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "pixel_util.h"
#include "platform/bitmap.h"
#include "platform/imageio.h"

namespace kiv {
namespace {

using testing::SamePixels;

// A drawing that exercises every recorded primitive and state change.
void Drawing(TCanvas& c, const TBitmap& sprite) {
  c.Pen().SetColor(clNavy);
  c.MoveTo(3, 3);
  c.LineTo(60, 10);
  c.Pen().SetStyle(psDashDot);
  c.LineTo(20, 50);  // continues the dash pattern
  c.LineTo(70, 55);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(3);
  const std::vector<TPoint> path = {{5, 70}, {30, 60}, {55, 75}, {80, 62}};
  c.Polyline(path);
  c.Pen().SetWidth(1);
  c.Brush().SetColor(clYellow);
  c.Rectangle(10, 15, 40, 35);
  c.Ellipse(45, 20, 78, 45);
  c.Arc(5, 5, 75, 75, 75, 40, 40, 0);
  const std::vector<TPoint> tri = {{50, 50}, {78, 58}, {60, 78}};
  c.Brush().SetStyle(bsDiagCross);
  c.Polygon(tri);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clLime);
  c.FillRect(TRect(2, 72, 12, 78));
  c.SetPixels(79, 0, clRed);
  c.SetClipRect(TRect(20, 20, 60, 60));
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clWhite);
  c.Rectangle(15, 15, 65, 65);
  c.ResetClipRect();
  c.Pen().SetMode(pmCopy);
  c.StretchDraw(TRect(62, 2, 78, 18), sprite);
}

TBitmap Sprite() {
  TBitmap s(4, 4);
  s.Canvas().Brush().SetColor(clFuchsia);
  s.Canvas().Ellipse(0, 0, 4, 4);
  return s;
}

TEST(Metafile, ReplayPaintsTheSamePixelsAsDirectDrawing) {
  const TBitmap sprite = Sprite();
  TBitmap direct(80, 80);
  Drawing(direct.Canvas(), sprite);

  TMetafile mf(80, 80);
  TMetafileCanvas rec(mf);
  Drawing(rec, sprite);
  EXPECT_GT(mf.CommandCount(), 10u);
  TBitmap replayed(80, 80);
  mf.Replay(replayed.Canvas());
  EXPECT_TRUE(SamePixels(direct, replayed));
}

TEST(Metafile, ReplayShiftsThePicture) {
  TMetafile mf(10, 10);
  TMetafileCanvas rec(mf);
  rec.Rectangle(0, 0, 4, 4);
  TBitmap b(12, 12);
  mf.Replay(b.Canvas(), 5, 6);
  EXPECT_EQ(testing::InkBounds(b), TRect(5, 6, 9, 10));
}

TEST(Metafile, PixelsCannotBeReadBack) {
  TMetafile mf(10, 10);
  TMetafileCanvas rec(mf);
  rec.SetPixels(1, 1, clRed);
  EXPECT_EQ(rec.Pixels(1, 1), clNone);
}

TEST(Metafile, SvgDescribesTheFigures) {
  TMetafile mf(80, 80);
  TMetafileCanvas rec(mf);
  Drawing(rec, Sprite());
  const std::string svg = mf.ToSvg();
  EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"80\" height=\"80\""),
            std::string::npos);
  // The connected lines of one style merge into one polyline; the dashed pair into another.
  EXPECT_NE(svg.find("<polyline points=\"3.5,3.5 60.5,10.5\""), std::string::npos);
  EXPECT_NE(svg.find("stroke-dasharray=\"9 6 3 6\""), std::string::npos);
  EXPECT_NE(svg.find("<rect x=\"10.5\" y=\"15.5\" width=\"29\" height=\"19\" fill=\"#ffff00\""),
            std::string::npos);
  EXPECT_NE(svg.find("<ellipse"), std::string::npos);
  EXPECT_NE(svg.find("<path d=\"M"), std::string::npos);
  EXPECT_NE(svg.find("fill-rule=\"evenodd\""), std::string::npos);
  EXPECT_NE(svg.find("clip-path=\"url(#c1)\""), std::string::npos);
  EXPECT_NE(svg.find("data:image/png;base64,"), std::string::npos);
  std::size_t open = 0, close = 0;
  for (std::size_t p = 0; (p = svg.find("<g", p)) != std::string::npos; ++p) ++open;
  for (std::size_t p = 0; (p = svg.find("</g>", p)) != std::string::npos; ++p) ++close;
  EXPECT_EQ(open, close);
  EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

// The picture embedded in the first image of an SVG text.
imageio::Image EmbeddedImage(const std::string& svg) {
  const std::string mark = "data:image/png;base64,";
  const std::size_t from = svg.find(mark) + mark.size();
  const std::size_t to = svg.find('"', from);
  std::vector<std::uint8_t> bytes;
  std::uint32_t acc = 0;
  int bits = 0;
  for (std::size_t i = from; i < to && svg[i] != '='; ++i) {
    const char ch = svg[i];
    const int v = ch >= 'A' && ch <= 'Z'   ? ch - 'A'
                  : ch >= 'a' && ch <= 'z' ? ch - 'a' + 26
                  : ch >= '0' && ch <= '9' ? ch - '0' + 52
                  : ch == '+'              ? 62
                                           : 63;
    acc = (acc << 6) | static_cast<std::uint32_t>(v);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      bytes.push_back(static_cast<std::uint8_t>(acc >> bits));
    }
  }
  return imageio::DecodeImage(bytes, "embedded image");
}

TEST(Metafile, SvgImagesAreMirroredLikeThePixels) {
  TBitmap sprite(3, 2);
  sprite.Canvas().SetPixels(0, 0, clRed);
  sprite.Canvas().SetPixels(2, 1, clBlue);
  const struct {
    TRect dest, src;
    TColor top_left;
  } cases[] = {{TRect(0, 0, 3, 2), TRect(0, 0, 3, 2), clRed},
               {TRect(3, 0, 0, 2), TRect(0, 0, 3, 2), clWhite},  // left to right
               {TRect(0, 2, 3, 0), TRect(0, 0, 3, 2), clWhite},  // upside down
               {TRect(3, 2, 0, 0), TRect(0, 0, 3, 2), clBlue},   // both
               {TRect(3, 2, 0, 0), TRect(3, 2, 0, 0), clRed}};   // mirrored twice
  for (const auto& k : cases) {
    TMetafile mf(3, 2);
    {
      TMetafileCanvas rec(mf);
      rec.CopyRect(k.dest, sprite.Canvas(), k.src);
    }
    TBitmap replayed(3, 2);
    mf.Replay(replayed.Canvas());
    ASSERT_EQ(replayed.Canvas().Pixels(0, 0), k.top_left);
    const imageio::Image img = EmbeddedImage(mf.ToSvg());
    ASSERT_EQ(img.width, 3);
    ASSERT_EQ(img.height, 2);
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x)
        EXPECT_EQ(img.pixels[static_cast<std::size_t>(y * 3 + x)] & 0xFFFFFFu,
                  replayed.ScanLine(y)[x] & 0xFFFFFFu)
            << x << "," << y;
  }
}

// The elements of an SVG text with their attributes, in order.
struct Element {
  std::string name;
  std::map<std::string, std::string> attrs;
  double Num(const std::string& a) const { return std::strtod(attrs.at(a).c_str(), nullptr); }
};

std::vector<Element> Elements(const std::string& svg) {
  static const std::regex tag(R"(<([a-zA-Z]+)([^>]*)>)");
  static const std::regex attr(R"re(([a-zA-Z:-]+)="([^"]*)")re");
  std::vector<Element> out;
  for (std::sregex_iterator t(svg.begin(), svg.end(), tag), end; t != end; ++t) {
    Element e{(*t)[1], {}};
    const std::string body = (*t)[2];
    for (std::sregex_iterator a(body.begin(), body.end(), attr); a != end; ++a)
      e.attrs[(*a)[1]] = (*a)[2];
    out.push_back(std::move(e));
  }
  return out;
}

// Figures far outside a 100 x 50 picture or across the whole int range: every number written is
// a finite number, every size is positive, rectangles are cut back to a little beyond the picture
// and still cover what shows of them.
TEST(MetafileSvg, FiguresAcrossTheIntRangeKeepTheirNumbersInRange) {
  struct Case {
    const char* what;
    std::function<void(TCanvas&)> draw;
    std::vector<std::string> elements;  // what is written, in order
    TRect covers;                       // what the first element must cover (empty: nothing)
  };
  const TBitmap sprite = Sprite();
  const Case cases[] = {
      {"outlined rectangle",
       [](TCanvas& c) { c.Rectangle(INT_MIN, 10, INT_MAX, 20); },
       {"rect"},
       TRect(0, 10, 100, 20)},
      {"rectangle without a pen",
       [](TCanvas& c) {
         c.Pen().SetStyle(psClear);
         c.Rectangle(INT_MIN + 1, INT_MIN, INT_MAX, INT_MAX);
       },
       {"rect"},
       TRect(0, 0, 100, 50)},
      {"filled rectangle",
       [](TCanvas& c) { c.FillRect(TRect(INT_MIN, -3, INT_MAX, 60)); },
       {"rect"},
       TRect(0, 0, 100, 50)},
      {"frame",
       [](TCanvas& c) { c.FrameRect(TRect(-20, INT_MIN, 120, INT_MAX)); },
       {"rect"},
       TRect(-20, 0, 120, 50)},
      {"rectangle beyond the right end",
       [](TCanvas& c) { c.Rectangle(INT_MAX - 64, 0, INT_MAX, 9); },
       {},
       TRect()},
      {"ellipse",
       [](TCanvas& c) { c.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX); },
       {"ellipse"},
       TRect()},
      {"arc",
       [](TCanvas& c) { c.Arc(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 9, 0); },
       {"path"},
       TRect()},
      {"pixel at the far corner",
       [](TCanvas& c) { c.SetPixels(INT_MAX, INT_MAX, clRed); },
       {},
       TRect()},
      {"text with a background below the range",
       [](TCanvas& c) { c.TextOut(10, INT_MAX - 3, "label"); },
       {},
       TRect()},
      {"text with a background left of the range",
       [](TCanvas& c) { c.TextOut(INT_MIN, 10, "label"); },
       {},
       TRect()},
      {"stretched picture",
       [&](TCanvas& c) { c.StretchDraw(TRect(INT_MIN, 0, INT_MAX, 50), sprite); },
       {"image"},
       TRect()},
      {"picture at the far end", [&](TCanvas& c) { c.Draw(INT_MAX - 1, 0, sprite); }, {}, TRect()},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    TMetafile mf(100, 50);
    {
      TMetafileCanvas rec(mf);
      k.draw(rec);
    }
    std::vector<std::string> names;
    std::vector<Element> figures;
    for (const Element& e : Elements(mf.ToSvg())) {
      if (e.name == "svg" || e.name == "g") continue;
      names.push_back(e.name);
      figures.push_back(e);
      for (const char* a : {"x", "y", "width", "height", "cx", "cy", "rx", "ry"}) {
        if (!e.attrs.count(a)) continue;
        const double v = e.Num(a);
        EXPECT_TRUE(std::isfinite(v)) << e.name << " " << a << "=" << e.attrs.at(a);
        if (a[0] == 'w' || a[0] == 'h' || a[0] == 'r') {
          EXPECT_GE(v, 0) << e.name << " " << a << "=" << e.attrs.at(a);
        }
        if (e.name == "rect") {
          EXPECT_LT(std::fabs(v), 1e4) << a << "=" << e.attrs.at(a);
        }
      }
    }
    EXPECT_EQ(names, k.elements);
    if (!k.covers.IsEmpty() && !figures.empty()) {
      const Element& r = figures.front();
      // Outlines run through pixel centres, half a pixel inside.
      EXPECT_LE(r.Num("x"), k.covers.Left + 0.5);
      EXPECT_LE(r.Num("y"), k.covers.Top + 0.5);
      EXPECT_GE(r.Num("x") + r.Num("width"), k.covers.Right - 1);
      EXPECT_GE(r.Num("y") + r.Num("height"), k.covers.Bottom - 1);
    }
  }
}

TEST(Metafile, ReplayShiftedBeyondTheIntRangeDrawsNothing) {
  TMetafile mf(100, 50);
  {
    TMetafileCanvas rec(mf);
    rec.Brush().SetColor(clBlack);
    rec.FillRect(TRect(-50, 5, 50, 15));
    rec.Rectangle(-40, 20, 40, 30);
    rec.MoveTo(-60, 35);
    rec.LineTo(60, 35);
    rec.SetPixels(0, 40, clBlack);
    rec.TextOut(-20, 40, "text");
  }
  const TBitmap white = testing::WhiteBitmap(100, 50);
  for (const TPoint shift : {TPoint(INT_MAX - 10, 0), TPoint(INT_MIN + 10, 0),
                             TPoint(0, INT_MAX - 10), TPoint(INT_MIN, INT_MIN)}) {
    SCOPED_TRACE(std::to_string(shift.X) + ", " + std::to_string(shift.Y));
    TBitmap b = testing::WhiteBitmap(100, 50);
    mf.Replay(b.Canvas(), shift.X, shift.Y);
    EXPECT_TRUE(SamePixels(white, b));
  }
}

// The text content of the first text element.
std::string SvgText(const std::string& svg) {
  const std::string open = "xml:space=\"preserve\">";
  const std::size_t from = svg.find(open) + open.size();
  return svg.substr(from, svg.find("</text>", from) - from);
}

// Invalid UTF-8 is written as U+FFFD, one for each byte the text decoder rejects, so that the
// vector picture shows what the bitmap shows.
TEST(MetafileSvg, InvalidUtf8BecomesReplacementCharacters) {
  const std::string R = "\xEF\xBF\xBD";  // U+FFFD
  const struct {
    const char* what;
    std::string text, written;
    bool same_glyphs;  // the bitmap draws the written text as the given one
  } cases[] = {
      {"markup", "a<b>&\"c\"", "a&lt;b&gt;&amp;&quot;c&quot;", false},
      {"valid multi-byte", "\xC2\xB5V \xE2\x82\xAC \xF0\x9F\x98\x80",
       "\xC2\xB5V \xE2\x82\xAC \xF0\x9F\x98\x80", true},
      {"stray continuation byte", "a\x80z", "a" + R + "z", true},
      {"lead byte at the end", "ab\xC3", "ab" + R, true},
      {"cut three-byte sequence", "\xE2\x82x", R + R + "x", true},
      {"overlong form", "\xC0\xAF", R + R, true},
      {"surrogate", "\xED\xA0\x80", R + R + R, true},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", R + R + R + R, true},
      {"Latin-1 byte",
       "Gr\xFC\xDF"
       "e",
       "Gr" + R + R + "e", true},
      {"non-character", "x\xEF\xBF\xBEy", "x" + R + "y", false},
      {"control characters",
       "a\x01"
       "b\tc",
       "ab\tc", false},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.what);
    TMetafile mf(200, 30);
    {
      TMetafileCanvas rec(mf);
      rec.TextOut(2, 2, k.text);
    }
    EXPECT_EQ(SvgText(mf.ToSvg()), k.written);
    if (k.same_glyphs) {
      TBitmap given = testing::WhiteBitmap(200, 30), written = testing::WhiteBitmap(200, 30);
      given.Canvas().TextOut(2, 2, k.text);
      written.Canvas().TextOut(2, 2, k.written);
      EXPECT_TRUE(SamePixels(given, written));
    }
  }
}

}  // namespace
}  // namespace kiv
