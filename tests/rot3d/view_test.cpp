#include <gtest/gtest.h>

#include <malloc.h>
#include <sys/resource.h>

#include <cmath>
#include <numbers>

#include "platform/offscreen_host.h"
#include "probe.h"

namespace kiv {
namespace {

using namespace rot3d;
using test::At;
using test::TRot3DProbe;

using M3 = std::array<std::array<double, 3>, 3>;
M3 Mul(const M3& a, const M3& b) {
  M3 m{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) m[i][j] += a[i][k] * b[k][j];
  return m;
}
M3 Rx(double d) {
  const double a = d * std::numbers::pi / 180;
  return {{{1, 0, 0}, {0, std::cos(a), -std::sin(a)}, {0, std::sin(a), std::cos(a)}}};
}
M3 Ry(double d) {
  const double a = d * std::numbers::pi / 180;
  return {{{std::cos(a), 0, std::sin(a)}, {0, 1, 0}, {-std::sin(a), 0, std::cos(a)}}};
}
M3 Rz(double d) {
  const double a = d * std::numbers::pi / 180;
  return {{{std::cos(a), -std::sin(a), 0}, {std::sin(a), std::cos(a), 0}, {0, 0, 1}}};
}

void ExpectMatrix(const TRot3D& r, const M3& m, bool swapped, const char* what) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) {
      const int col = swapped && j < 2 ? 1 - j : j;
      EXPECT_EQ(r.GetRotMat(i + 1, col + 1), std::nearbyint(1000 * m[i][j]) / 1000)
          << what << " (" << i + 1 << "," << j + 1 << ")";
    }
}

// Two axes: Rx(a) Rz(c); three axes: Rz(c) Ry(b) Rx(a); each element rounded to thousandths,
// the first two columns swapped for right-handed axes.
TEST(Rot3DView, RotationMatricesForGivenAngles) {
  TRot3D r(nullptr);
  ExpectMatrix(r, Mul(Rx(110), Rz(210)), false, "default");
  EXPECT_EQ(r.GetRotMat(1, 1), -0.866);
  EXPECT_EQ(r.GetRotMat(0, 1), 0);
  EXPECT_EQ(r.GetRotMat(1, 4), 0);
  r.SetAxDir(adRightHanded);
  ExpectMatrix(r, Mul(Rx(110), Rz(210)), true, "right-handed");
  r.SetMouseRot3Axes(true);
  ExpectMatrix(r, Mul(Rz(210), Mul(Ry(150), Rx(110))), true, "3 axes right-handed");
  r.SetAxDir(adLeftHanded);
  r.SetViewAngles(30, -45, 400);
  ExpectMatrix(r, Mul(Rz(400), Mul(Ry(-45), Rx(30))), false, "3 axes");
}

// Projection divides by the divisor truncating toward zero: -7000 / 5000 is -1, not -2.
TEST(Rot3DView, ProjectionTruncatesTowardZero) {
  TRot3DProbe r(nullptr);
  r.Plain();
  r.MarkAt(-7, 12, 0, 0);  // one-pixel marks
  r.MarkAt(7, -3, 0, 0);
  r.MakeVisible();
  const TBitmap b = r.PictureBitmap(false);
  EXPECT_EQ(At(b, 225 - 1, 150 + 2), clBlack);
  EXPECT_EQ(At(b, 225 + 1, 150), clBlack);
  double dist = 0;
  EXPECT_EQ(r.FindNearestItemScreen(224, 152, tkEverything, dist), 0);
  EXPECT_EQ(dist, 0);
}

TEST(Rot3DView, MakeVisibleCentresAndScales) {
  TRot3DProbe r(nullptr);
  r.MarkAt(0, 5, 1, 1);
  r.MarkAt(10, 5, 1, 1);
  r.MakeVisible();
  ASSERT_EQ(r.NRotObj, 2);
  EXPECT_EQ(r.FRotDataX[0], -500);
  EXPECT_EQ(r.FRotDataX[1], 500);
  EXPECT_EQ(r.FRotDataY[0], 0);
  EXPECT_EQ(r.OriginX(), 5);
  EXPECT_EQ(r.ScaleFactX(), 100);
  EXPECT_EQ(r.ScaleFactY(), 1);  // no extent
  EXPECT_EQ(r.FRotProp[0] >> 24, 3u);
  // A line makes two objects; its second point counts for the extent, only its first for the
  // mean (which divides by the object count).
  r.SetIsoMetric(true);  // runs MakeVisible
  r.Line(0, 0, 0, 0, 20, 4);
  r.MakeVisible();
  ASSERT_EQ(r.NRotObj, 4);
  EXPECT_DOUBLE_EQ(r.OriginX(), 10.0 / 4);
  EXPECT_DOUBLE_EQ(r.OriginY(), 10.0 / 4);
  EXPECT_EQ(r.ScaleFactX(), 50);  // 1000 / 20, the largest extent decides
  EXPECT_EQ(r.ScaleFactZ(), 50);
  EXPECT_EQ(r.FRotDataY[3], static_cast<int>(std::lround((20 - 2.5) * 50)));
  EXPECT_EQ(r.FRotProp[2] >> 24, 1u);
  EXPECT_EQ(r.FRotProp[3] >> 24, 2u);
  // Without automatic scale and origin the stored ones are used.
  r.SetAutoOrigin(false);
  r.SetOrigins(1, 2, 3);
  r.SetAutoScale(false);
  r.SetScaleFactors(2, 3, 4);
  r.MakeVisible();
  EXPECT_EQ(r.FRotDataX[1], (10 - 1) * 2);  // IsoMetric: all from ScaleFactX
  EXPECT_EQ(r.FRotDataY[1], (5 - 2) * 2);
  EXPECT_EQ(r.ScaleFactY(), 2);  // the scales used are written back
  r.SetIsoMetric(false);
  EXPECT_EQ(r.FRotDataY[1], (5 - 2) * 2);
  r.SetScaleFactors(2, 3, 4);
  r.MakeVisible();
  EXPECT_EQ(r.FRotDataY[1], (5 - 2) * 3);
  EXPECT_EQ(r.FRotDataZ[3], (4 - 3) * 4);
}

TEST(Rot3DView, ASingleItemGetsScaleOne) {
  TRot3DProbe r(nullptr);
  r.MarkAt(3, 3, 3, 1);
  r.MakeVisible();
  EXPECT_EQ(r.ScaleFactX(), 1);
  EXPECT_EQ(r.ScaleFactZ(), 1);
  EXPECT_EQ(r.FRotDataX[0], 0);
}

TEST(Rot3DView, RepaintsOnlyWithSomethingToShow) {
  TOffscreenHost host;
  TRot3D r(nullptr);
  host.Show(r);
  host.ResetCounts();
  r.MakeVisible();  // no items
  r.SetViewAngles(110, 150, 210);
  EXPECT_EQ(host.PaintCount(r), 0);
  r.SetBoundBoxStyle(bbNone);
  r.SetShowAxes(false);
  r.MarkAt(0, 0, 0, 12);
  r.MakeVisible();
  const TBitmap shown = host.Snapshot(r);
  EXPECT_EQ(At(shown, 225, 150), clBlack);
  r.Clear();  // the old objects stay until the next MakeVisible
  r.Repaint();
  EXPECT_EQ(At(host.Snapshot(r), 225, 150), clBlack);
  r.MarkAt(1, 1, 1, 1);
  r.SetColorData(clRed);
  r.MarkAt(2, 1, 1, 1);
  r.MakeVisible();
  EXPECT_EQ(At(host.Snapshot(r), 225, 150), clWhite);
}

TEST(Rot3DView, LimitedSettings) {
  TRot3D r(nullptr);
  EXPECT_EQ(r.Width(), 450);
  EXPECT_EQ(r.Height(), 300);
  EXPECT_EQ(r.ViewAngleY(), 150);
  EXPECT_DOUBLE_EQ(r.Magnification(), 0.8);
  r.SetMagnification(0.05);
  EXPECT_DOUBLE_EQ(r.Magnification(), 0.1);  // divisor 40000
  r.SetMagnification(10);
  EXPECT_DOUBLE_EQ(r.Magnification(), 5.0);  // divisor 800
  EXPECT_EQ(r.BoundBoxSize(), 800);
  r.SetBoundBoxSize(801);
  EXPECT_EQ(r.BoundBoxSize(), 800);
  r.SetBoundBoxSize(9000);
  EXPECT_EQ(r.BoundBoxSize(), 4000);
  r.SetAxSize(-5);
  EXPECT_EQ(r.AxSize(), 0);
  r.SetCentX(-5);
  r.SetCentY(1000);
  EXPECT_EQ(r.CentX(), 0);
  EXPECT_EQ(r.CentY(), 300);
  r.SetLineWidth(0);
  EXPECT_EQ(r.LineWidth(), 1);
  EXPECT_EQ(r.ColorCubeFaceHigh(), 15658734);
  EXPECT_EQ(r.TextMarkSize(), 8);
  EXPECT_TRUE(r.AutoOrigin());
  EXPECT_FALSE(r.IsoMetric());
}

// The rotation objects of many lines need far more memory than the process may have: the
// chart reports it and keeps what it showed.
TEST(Rot3DView, InsufficientMemoryIsReported) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves the address space itself";
#else
  // Large blocks come straight from the system and go back to it, so that memory freed while
  // the items grew cannot serve the objects.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  TRot3DProbe r(nullptr);
  r.SetName("Cloud");
  r.MarkAt(1, 2, 3, 1);
  r.MarkAt(2, 2, 3, 1);
  r.MakeVisible();
  for (int i = 0; i < 400000; ++i) r.Line(i, 0, 0, i, 1, 1);  // 8e5 objects, 18 MB
  rlimit saved{};
  getrlimit(RLIMIT_AS, &saved);
  long pages = 0;
  {
    FILE* f = std::fopen("/proc/self/statm", "r");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fscanf(f, "%ld", &pages), 1);
    std::fclose(f);
  }
  rlimit tight = saved;
  tight.rlim_cur = static_cast<rlim_t>(pages) * 4096 + (8 << 20);  // 8 MB to spare
  ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
  std::string message;
  try {
    r.MakeVisible();
  } catch (const EKIVRot3DError& e) {
    message = e.what();
  }
  setrlimit(RLIMIT_AS, &saved);
  EXPECT_EQ(message, "Component \"Cloud\": insufficient memory");
  EXPECT_EQ(r.NRotObj, 2);
#endif
}

}  // namespace
}  // namespace kiv
