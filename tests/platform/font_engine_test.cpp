#include "platform/font_engine.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/errors.h"
#include "platform/font_freetype.h"
#include "platform/font_match.h"

namespace kiv {
namespace {

using namespace fontengine;

FontRequest Request(const std::string& family, int px, bool bold = false, bool italic = false) {
  FontRequest r;
  r.family = family;
  r.pixel_size = px;
  r.bold = bold;
  r.italic = italic;
  return r;
}

bool HasInk(const GlyphBitmap& g) {
  for (auto c : g.coverage)
    if (c != 0) return true;
  return false;
}

long InkSum(const GlyphBitmap& g) {
  long s = 0;
  for (auto c : g.coverage) s += c;
  return s;
}

// Mean column of the ink in the top and bottom quarter of a glyph.
double MeanColumn(const GlyphBitmap& g, int row0, int row1) {
  double sum = 0, weight = 0;
  for (int y = row0; y < row1; ++y)
    for (int x = 0; x < g.width; ++x) {
      sum += (x + 0.5) * g.coverage[y * g.width + x];
      weight += g.coverage[y * g.width + x];
    }
  return weight > 0 ? sum / weight : 0;
}

TEST(FontResolve, InstancesAreSharedPerRequest) {
  auto a = Resolve(Request("Arial", 11));
  auto b = Resolve(Request("Arial", 11));
  auto c = Resolve(Request("Arial", 12));
  EXPECT_EQ(a.get(), b.get());
  EXPECT_NE(a.get(), c.get());
  EXPECT_EQ(a->Height(), a->Ascent() + a->Descent());
}

TEST(FontResolve, FamiliesFindMetricCompatibleOrDefaultFaces) {
  // Where the metric-compatible family is installed, the classic name must find it.
  for (auto [asked, compatible] :
       {std::pair{"Arial", "Liberation Sans"}, std::pair{"Times New Roman", "Liberation Serif"},
        std::pair{"Courier New", "Liberation Mono"}}) {
    if (MatchFace(compatible, false, false).family != compatible) continue;
    EXPECT_EQ(Resolve(Request(asked, 11))->FamilyName(), compatible) << asked;
  }
  // Unknown names get the default sans face.
  EXPECT_EQ(Resolve(Request("No Such Family 123", 11))->FilePath(),
            Resolve(Request("sans-serif", 11))->FilePath());
  EXPECT_FALSE(Resolve(Request("Tahoma", 11))->FilePath().empty());
}

TEST(FontResolve, StyleFlagsFollowTheRequest) {
  auto regular = Resolve(Request("Arial", 11));
  auto bold = Resolve(Request("Arial", 11, true));
  auto italic = Resolve(Request("Arial", 11, false, true));
  EXPECT_FALSE(regular->IsBold());
  EXPECT_FALSE(regular->IsItalic());
  EXPECT_TRUE(bold->IsBold());
  EXPECT_TRUE(italic->IsItalic());
  EXPECT_GE(InkSum(bold->Glyph('H')), InkSum(regular->Glyph('H')));
}

TEST(FontResolve, NothingFoundRaisesAClearError) {
  FaceSearch nowhere;
  nowhere.use_fontconfig = false;
  nowhere.fallback_paths = {"/nonexistent/font.ttf"};
  try {
    FindFace("Arial", false, false, nowhere);
    FAIL() << "no error";
  } catch (const EPlatformError& e) {
    EXPECT_NE(std::string(e.what()).find("fonts-dejavu-core"), std::string::npos) << e.what();
  }
}

TEST(FontResolve, FallbackPathsAskForSyntheticStyles) {
  FaceSearch paths_only;
  paths_only.use_fontconfig = false;
  const FaceMatch m = FindFace("Arial", true, true, paths_only);
  EXPECT_FALSE(m.path.empty());
  EXPECT_TRUE(m.synthetic_bold);
  EXPECT_TRUE(m.synthetic_italic);
}

TEST(FontMetrics, EveryAsciiGlyphFitsTheCellAt6To72Pixels) {
  for (const char* family : {"Arial", "No Such Family 123"}) {
    for (bool bold : {false, true}) {
      for (int px = 6; px <= 72; ++px) {
        auto f = Resolve(Request(family, px, bold));
        for (char32_t c = 32; c < 127; ++c) {
          const GlyphBitmap& g = f->Glyph(c);
          if (g.height == 0) continue;
          ASSERT_LE(g.top, f->Ascent()) << family << " " << px << " px '" << char(c) << "'";
          ASSERT_LE(g.height - g.top, f->Descent()) << family << " " << px << " '" << char(c);
        }
      }
    }
  }
}

TEST(FontMetrics, DecorationLinesSitInsideTheCell) {
  for (int px : {6, 8, 11, 16, 24, 48}) {
    auto f = Resolve(Request("Arial", px));
    SCOPED_TRACE(px);
    EXPECT_GE(f->LineThickness(), 1);
    EXPECT_GE(f->UnderlinePosition(), 0);
    EXPECT_LE(f->UnderlinePosition() + f->LineThickness(), f->Descent());
    // The strike-out covers the middle of the x-height.
    const int x_top = f->Glyph('x').top;
    const int first = f->StrikeoutPosition();  // rows above the baseline
    const int last = first - f->LineThickness() + 1;
    EXPECT_LE(first, x_top);
    EXPECT_GE(last, 1);
    EXPECT_LE(std::abs((first + last) - x_top), f->LineThickness() + 1);
  }
}

TEST(FontMetrics, TextWidthIsTheSumOfGlyphAdvances) {
  auto f = Resolve(Request("Arial", 11));
  EXPECT_EQ(f->TextWidth(""), 0);
  int sum = 0;
  for (char c : std::string("Wavelength [nm]"))
    sum += f->Glyph(static_cast<unsigned char>(c)).advance;
  EXPECT_EQ(f->TextWidth("Wavelength [nm]"), sum);
  EXPECT_EQ(f->TextWidth("\xE2\x82\xAC"), f->Glyph(0x20AC).advance);
  EXPECT_EQ(f->TextWidth("\xFF"), f->Glyph(0xFFFD).advance);
}

TEST(FontGlyphs, MissingCharactersDrawTheReplacementBox) {
  auto f = Resolve(Request("Arial", 11));
  // Code points no installed text face has (a plane 15 private use, an unassigned one).
  const GlyphBitmap& a = f->Glyph(0xF0000);
  const GlyphBitmap& b = f->Glyph(0x2FFFD);
  EXPECT_EQ(&a, &b);
  EXPECT_TRUE(HasInk(a));
  EXPECT_GT(a.advance, 0);
  // Out-of-range values are missing too, not errors.
  EXPECT_EQ(&f->Glyph(0x7FFFFFFF), &a);
}

TEST(FontGlyphs, OneBitGlyphsHaveOnlyFullOrNoCoverage) {
  FontRequest r = Request("Arial", 11);
  r.antialias = false;
  auto f = Resolve(r);
  bool any_ink = false;
  for (char32_t c : U"Hello, µ€ 0.125") {
    for (auto v : f->Glyph(c).coverage) {
      ASSERT_TRUE(v == 0 || v == 255) << int(v);
      any_ink |= v == 255;
    }
  }
  EXPECT_TRUE(any_ink);
}

TEST(FontSynthesis, BoldGrowsStemsAndAdvancesOnePixelAtSmallSizes) {
  FaceSearch paths_only;
  paths_only.use_fontconfig = false;
  FaceMatch regular = FindFace("x", false, false, paths_only);
  FaceMatch bold = regular;
  bold.synthetic_bold = true;
  auto r = OpenFont(regular, 11, true);
  auto b = OpenFont(bold, 11, true);
  EXPECT_TRUE(b->IsBold());
  EXPECT_EQ(b->Glyph('m').advance, r->Glyph('m').advance + 1);
  EXPECT_GT(InkSum(b->Glyph('l')), InkSum(r->Glyph('l')));
  EXPECT_EQ(b->Glyph('l').left, r->Glyph('l').left);  // grows to the right
}

TEST(FontSynthesis, ItalicLeansToTheRight) {
  FaceSearch paths_only;
  paths_only.use_fontconfig = false;
  FaceMatch italic = FindFace("x", false, false, paths_only);
  italic.synthetic_italic = true;
  auto f = OpenFont(italic, 40, true);
  EXPECT_TRUE(f->IsItalic());
  const GlyphBitmap& l = f->Glyph('l');
  ASSERT_GT(l.height, 8);
  EXPECT_GT(MeanColumn(l, 0, l.height / 4), MeanColumn(l, l.height * 3 / 4, l.height) + 3);
}

TEST(FontSynthesis, UnreadableFileRaises) {
  FaceMatch bogus;
  bogus.path = "/nonexistent/font.ttf";
  EXPECT_THROW(OpenFont(bogus, 11, true), EPlatformError);
}

}  // namespace
}  // namespace kiv
