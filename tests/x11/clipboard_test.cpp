// The system clipboard between this program and another X client (xclip): pictures, vector
// pictures and text in both directions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "platform/application.h"
#include "platform/clipboard.h"
#include "platform/imageio.h"
#include "platform/x11/x11_host.h"
#include "x11_util.h"

namespace kiv {
namespace {

using test::RunWhilePumping;

bool HaveXclip() {
  return std::system("command -v xclip >/dev/null 2>&1") == 0;
}

TBitmap Decode(const std::string& bytes) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const imageio::Image img = imageio::DecodeImage({p, bytes.size()}, "clipboard");
  TBitmap b(img.width, img.height);
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x)
      b.ScanLine(y)[x] = img.pixels[static_cast<std::size_t>(y) * img.width + x];
  return b;
}

struct HostScope {
  HostScope() { Application().SetHost(&host); }
  ~HostScope() { Application().SetHost(nullptr); }
  TX11Host host;
};

TEST(X11Clipboard, AnotherClientPastesTheChartAsPngBmpAndSvg) {
  KIV_NEED_DISPLAY();
  if (!HaveXclip()) GTEST_SKIP() << "xclip is not installed";
  HostScope s;
  TCustomRChart chart(nullptr);
  test::SampleChart(chart, 800, 600);  // the BMP (1.9 MB) goes in increments
  TBitmap expected;
  chart.CopyToBitmap(expected, false);
  chart.CopyToClipboard(false);

  std::string out;
  ASSERT_EQ(RunWhilePumping(s.host, "xclip -o -selection clipboard -t TARGETS", out), 0);
  EXPECT_NE(out.find("image/png"), std::string::npos) << out;
  EXPECT_NE(out.find("image/bmp"), std::string::npos) << out;
  for (const char* type : {"image/png", "image/bmp"}) {
    SCOPED_TRACE(type);
    ASSERT_EQ(RunWhilePumping(s.host, std::string("xclip -o -selection clipboard -t ") + type, out),
              0);
    EXPECT_EQ(test::FirstDifference(Decode(out), expected), "");
  }

  chart.CopyToClipboardWMF(false);
  ASSERT_EQ(RunWhilePumping(s.host, "xclip -o -selection clipboard -t image/svg+xml", out), 0);
  EXPECT_EQ(out, chart.ToSvg(false));
  // The picture was replaced: nobody is offered the bitmap any more.
  EXPECT_NE(RunWhilePumping(s.host, "xclip -o -selection clipboard -t image/png", out), 0);
}

TEST(X11Clipboard, TextGoesBothWays) {
  KIV_NEED_DISPLAY();
  if (!HaveXclip()) GTEST_SKIP() << "xclip is not installed";
  HostScope s;
  const std::string ours = "x = 1.5 \xC2\xB5m\ny = 2";  // UTF-8, two lines
  Clipboard().SetAsText(ours);
  std::string out;
  for (const char* type : {"UTF8_STRING", "text/plain"}) {
    ASSERT_EQ(RunWhilePumping(s.host, std::string("xclip -o -selection clipboard -t ") + type, out),
              0);
    EXPECT_EQ(out, ours) << type;
  }
  EXPECT_EQ(Clipboard().AsText(), ours);

  // Another program takes the clipboard; reading asks it.
  ASSERT_EQ(RunWhilePumping(s.host,
                            // xclip serves the selection from a child of its own
                            "printf 'from xclip \\303\\251' | xclip -i -selection clipboard "
                            "-loops 1",
                            out),
            0);
  std::string got;
  test::PumpUntil(s.host, [&] {
    got = Clipboard().AsText();
    return got == "from xclip \xC3\xA9";
  });
  EXPECT_EQ(got, "from xclip \xC3\xA9");
}

}  // namespace
}  // namespace kiv
