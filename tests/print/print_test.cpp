// Printing: vector PDF files that render like the screen picture, and clear errors for printers
// that are not there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/errors.h"
#include "platform/printer.h"
#include "rchart/customrchart.h"

namespace kiv {
namespace {

namespace fs = std::filesystem;

std::string Shell(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
  }
  return out;
}

// The value of a "Name:   value" line of pdfinfo.
std::string Field(const std::string& info, const std::string& name) {
  const std::size_t at = info.find(name + ":");
  if (at == std::string::npos) return "";
  const std::size_t start = info.find_first_not_of(' ', at + name.size() + 1);
  return info.substr(start, info.find('\n', start) - start);
}

bool HavePoppler() {
  return std::system("command -v pdftoppm >/dev/null 2>&1 && command -v pdffonts >/dev/null") == 0;
}

// The printer is a process-wide object: every test leaves it printing to memory.
struct PrinterScope {
  ~PrinterScope() {
    if (Printer().Printing()) Printer().Abort();
    Printer().SetTargetMemory();
  }
};

fs::path OutDir() {
  fs::path d = fs::path(KIV_TEST_OUT_DIR) / "print";
  fs::create_directories(d);
  return d;
}

// The first page of a PDF rendered at the printer's resolution.
TBitmap Render(const fs::path& pdf, int ppi) {
  const fs::path stem = OutDir() / "render";
  Shell("pdftoppm -r " + std::to_string(ppi) + " -singlefile -png '" + pdf.string() + "' '" +
        stem.string() + "'");
  TBitmap b;
  b.LoadFromFile(stem.string() + ".png");
  return b;
}

// Pixels of A (the raster picture) that no pixel of B within one pixel resembles: anti-aliasing
// may soften an edge or move it by a pixel, but not lose or shift a shape. Counted over the
// rectangle of A placed at (Dx, Dy) in B.
int Unmatched(const TBitmap& A, const TBitmap& B, int Dx, int Dy) {
  auto dist = [](TPixel p, TPixel q) {
    return std::abs(static_cast<int>((p >> 16) & 0xFF) - static_cast<int>((q >> 16) & 0xFF)) +
           std::abs(static_cast<int>((p >> 8) & 0xFF) - static_cast<int>((q >> 8) & 0xFF)) +
           std::abs(static_cast<int>(p & 0xFF) - static_cast<int>(q & 0xFF));
  };
  int bad = 0;
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x) {
      int best = 1 << 30;
      for (int v = -1; v <= 1; ++v)
        for (int u = -1; u <= 1; ++u) {
          const int bx = x + Dx + u, by = y + Dy + v;
          if (bx < 0 || by < 0 || bx >= B.Width() || by >= B.Height()) continue;
          best = std::min(best, dist(A.ScanLine(y)[x], B.ScanLine(by)[bx]));
        }
      if (best > 160) ++bad;
    }
  return bad;
}

void SampleChart(TCustomRChart& c) {
  c.SetBounds(0, 0, 480, 320);
  c.SetStandardLayout(rcl_X2Both_Y2Both);
  c.SetCaption("Printed chart");
  c.Scale1X().SetCaption("t [s]");
  c.SetRange(1, 0, -1.2, 10, 1.2);
  c.SetGridStyle(gsDotLines);
  c.SetChartColor(RGB(235, 245, 255));
  c.SetDataColor(clNavy);
  c.SetLineWidth(2);
  for (int i = 0; i <= 400; ++i) {
    const double t = i * 0.025, y = std::exp(-0.2 * t) * std::sin(3 * t);
    if (i == 0)
      c.MoveTo(t, y);
    else
      c.DrawTo(t, y);
  }
  c.SetDataColor(clRed);
  for (int i = 0; i <= 10; ++i)
    c.MarkAt(static_cast<double>(i), 0.5 * std::cos(i * 0.7), std::uint8_t{4});
  c.AddTextLabel(6, 0.9, clGreen, "peak");
}

TEST(PdfPrinting, AChartBecomesAVectorPdfThatRendersLikeItsBitmap) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
  PrinterScope scope;
  TCustomRChart chart(nullptr);
  SampleChart(chart);
  const fs::path pdf = OutDir() / "chart.pdf";
  fs::remove(pdf);
  Printer().SetTargetFile(pdf.string());
  Printer().Title = "Printed chart";
  chart.PrintIt(1, false);  // one pixel of the picture per printer pixel, half an inch in

  const std::string info = Shell("pdfinfo '" + pdf.string() + "'");
  EXPECT_EQ(Field(info, "Pages"), "1");
  EXPECT_EQ(Field(info, "Page size"), "595.2 x 841.92 pts (A4)");
  EXPECT_EQ(Field(info, "Title"), "Printed chart");
  // Shapes and texts stay vector: no image, every font embedded.
  EXPECT_EQ(Shell("pdfimages -list '" + pdf.string() + "' | tail -n +3"), "");
  const std::string fonts = Shell("pdffonts '" + pdf.string() + "' | tail -n +3");
  EXPECT_FALSE(fonts.empty());
  std::istringstream lines(fonts);
  for (std::string line; std::getline(lines, line);)
    EXPECT_NE(line.find(" yes "), std::string::npos) << "not embedded: " << line;
  // Nothing is left beside the file.
  for (const auto& e : fs::directory_iterator(OutDir()))
    EXPECT_EQ(e.path().string().find("chart.pdf."), std::string::npos) << e.path();

  TBitmap page = Render(pdf, Printer().PixelsPerInch());
  ASSERT_EQ(page.Width(), Printer().PageWidth());
  TBitmap picture;
  chart.CopyToBitmap(picture, false);
  const int m = Printer().PixelsPerInch() / 2;
  const int total = picture.Width() * picture.Height();
  EXPECT_LT(Unmatched(picture, page, m, m), total / 200);
  // The measure does notice a picture two pixels off its place.
  EXPECT_GT(Unmatched(picture, page, m + 2, m), total / 100);
}

// Every kind of figure, recorded once, rendered through the PDF and drawn by the raster canvas.
TEST(PdfPrinting, FiguresOnThePageMatchTheRasterPage) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler-utils is not installed";
  PrinterScope scope;
  const fs::path pdf = OutDir() / "figures.pdf";
  Printer().SetTargetFile(pdf.string());
  Printer().BeginDoc();
  TCanvas& c = Printer().Canvas();
  c.Pen().SetColor(clNavy);
  c.MoveTo(20, 20);
  c.LineTo(300, 20);
  c.LineTo(300, 120);
  c.LineTo(40, 200);
  c.Pen().SetStyle(psDash);
  c.MoveTo(20, 230);
  c.LineTo(400, 230);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(5);
  c.Pen().SetColor(clMaroon);
  c.MoveTo(330, 30);
  c.LineTo(480, 180);
  c.Pen().SetWidth(1);
  c.Pen().SetColor(clBlack);
  c.Brush().SetColor(clYellow);
  c.Rectangle(40, 260, 200, 360);
  c.Ellipse(220, 260, 400, 380);
  c.Arc(420, 260, 560, 380, 560, 320, 420, 320);  // the upper half
  const TPoint star[] = {{600, 40}, {640, 160}, {540, 80}, {660, 80}, {560, 160}};
  c.Brush().SetColor(clLime);
  c.Polygon(star);
  c.Brush().SetColor(clAqua);
  c.FillRect(TRect(600, 200, 700, 260));
  c.Brush().SetStyle(bsClear);
  c.Font().SetName("Arial");
  c.Font().SetSize(14);
  c.Font().SetColor(clBlue);
  c.TextOut(40, 400, "Figures and text: 0.123 µV");
  c.Font().SetStyle({fsBold, fsUnderline});
  c.TextOut(40, 440, "Bold, underlined");
  Printer().EndDoc();

  const TBitmap& raster = Printer().Pages().at(0);
  const TBitmap area = [&] {
    TBitmap a(720, 480);
    for (int y = 0; y < a.Height(); ++y)
      std::copy(raster.ScanLine(y), raster.ScanLine(y) + a.Width(), a.ScanLine(y));
    return a;
  }();
  const TBitmap page = Render(pdf, Printer().PixelsPerInch());
  EXPECT_LT(Unmatched(area, page, 0, 0), area.Width() * area.Height() / 400);
}

TEST(PdfPrinting, AFileThatCannotBeWrittenIsAnErrorAndClosesTheDocument) {
  PrinterScope scope;
  Printer().SetTargetFile((OutDir() / "no-such-dir" / "chart.pdf").string());
  Printer().BeginDoc();
  Printer().Canvas().Rectangle(10, 10, 100, 100);
  try {
    Printer().EndDoc();
    ADD_FAILURE() << "no error";
  } catch (const EPlatformError& e) {
    EXPECT_NE(std::string(e.what()).find("cannot write"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(Printer().Printing());
  EXPECT_THROW(Printer().SetTargetFile(""), EPlatformError);
}

TEST(PdfPrinting, HugeScalesAndPositionsSaturateInsteadOfOverflowing) {
  PrinterScope scope;
  TCustomRChart chart(nullptr);
  SampleChart(chart);
  Printer().BeginDoc();
  int x = INT_MAX - 5, y = INT_MIN + 5;
  chart.CopyToOpenPrinter(x, y, 1e300, false);  // far off the page: nothing visible, no overflow
  EXPECT_EQ(x, INT_MAX / 2 + 1000000);
  EXPECT_EQ(y, INT_MIN / 2 + 1000000);
  Printer().EndDoc();
  EXPECT_EQ(Printer().Pages().at(0).ScanLine(10)[10], 0xFFFFFFFFu);
}

TEST(CupsPrinting, AMissingPrinterIsAClearErrorBeforeAnythingIsDrawn) {
  PrinterScope scope;
  TCustomRChart chart(nullptr);
  SampleChart(chart);
  Printer().SetTargetPrinter("kiv-no-such-printer");
  try {
    chart.PrintIt(1, false);
    ADD_FAILURE() << "printing to a missing printer succeeded";
  } catch (const EPlatformError& e) {
    const std::string m = e.what();
    EXPECT_TRUE(m == "Printer \"kiv-no-such-printer\" is not installed" ||
                m == "No printer is installed")
        << m;
  }
  EXPECT_FALSE(Printer().Printing());
  if (TPrinter::Printers().empty()) {
    Printer().SetTargetPrinter();  // the default printer
    try {
      chart.PrintIt(1, false);
      ADD_FAILURE() << "printing without any printer succeeded";
    } catch (const EPlatformError& e) {
      EXPECT_STREQ(e.what(), "No printer is installed");
    }
  }
}

}  // namespace
}  // namespace kiv
