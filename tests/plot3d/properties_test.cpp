#include <gtest/gtest.h>

#include "platform/offscreen_host.h"
#include "probe.h"

namespace kiv {
namespace {

using namespace plot3d;

TEST(Plot3DProperties, Defaults) {
  TPlot3D p(nullptr);
  EXPECT_EQ(p.Width(), 650);
  EXPECT_EQ(p.Height(), 500);
  EXPECT_EQ(p.ViewAngleX(), 60);
  EXPECT_EQ(p.ViewAngleZ(), 15);
  EXPECT_EQ(p.Magnification(), 1.0);
  EXPECT_EQ(p.ScaleFactX(), 1.0);
  EXPECT_EQ(p.ScaleFactZ(), 1.0);
  EXPECT_EQ(p.CentX(), 325);
  EXPECT_EQ(p.CentY(), 250);
  EXPECT_TRUE(p.AutoCenter());
  EXPECT_EQ(p.RangeXLow(), -1);
  EXPECT_EQ(p.RangeZHigh(), 1);
  EXPECT_EQ(p.MinTickX(), 3);
  EXPECT_EQ(p.DecPlaceX(), 1);
  EXPECT_EQ(p.DecPlaceY(), 1);
  EXPECT_EQ(p.DecPlaceZ(), -2);
  EXPECT_EQ(p.CaptionX(), "X");
  EXPECT_EQ(p.CaptionZ(), "Z");
  EXPECT_EQ(p.LabDistX(), 40);
  EXPECT_EQ(p.LabDistZ(), 20);
  EXPECT_EQ(p.ColorXCoords(), 0x0000FF);
  EXPECT_EQ(p.ColorYCoords(), 0xFF0000);
  EXPECT_EQ(p.ColorZCoords(), clBlack);
  EXPECT_EQ(p.ColorCodingMode(), ccmTwoColors);
  EXPECT_EQ(p.ColorLow(), clBlack);
  EXPECT_EQ(p.ColorMid(), 0xFF0000);
  EXPECT_EQ(p.ColorHigh(), 0x00FFFF);
  EXPECT_EQ(p.ColorScaleLow(), 0);
  EXPECT_EQ(p.ColorScaleHigh(), 100);
  EXPECT_FALSE(p.ColorCodeAvg());
  EXPECT_EQ(p.MeshKind(), mkMesh);
  EXPECT_TRUE(p.MeshVisible());
  EXPECT_EQ(static_cast<int>(p.BoundBoxStyle()), 2);
  EXPECT_EQ(p.ColorCubeFrame(), 4210752);
  EXPECT_EQ(p.ColorCubeHidLin(), 11579568);
  EXPECT_EQ(p.ColorCubeFaceLow(), 12632256);
  EXPECT_EQ(p.ColorCubeFaceHigh(), 16707310);
  EXPECT_EQ(p.ColorBakGnd(), clWhite);
  EXPECT_EQ(static_cast<int>(p.FrameStyle()), 2);
  EXPECT_EQ(static_cast<int>(p.ColorScheme()), 1);
  EXPECT_EQ(static_cast<int>(p.MouseAction()), 12);
  EXPECT_FALSE(p.SuppressPaint());
}

TEST(Plot3DProperties, SettingsAreLimited) {
  TPlot3D p(nullptr);
  p.SetMagnification(10);
  EXPECT_EQ(p.Magnification(), 5.0);
  p.SetMagnification(0.01);
  EXPECT_EQ(p.Magnification(), 0.1);
  p.SetMinTickX(1);
  p.SetMinTickZ(30);
  EXPECT_EQ(p.MinTickX(), 2);
  EXPECT_EQ(p.MinTickZ(), 20);
  p.SetDecPlaceY(-5);
  p.SetDecPlaceZ(20);
  EXPECT_EQ(p.DecPlaceY(), -2);
  EXPECT_EQ(p.DecPlaceZ(), 12);
  p.SetColorScaleHigh(-5);  // below the low end: ignored
  p.SetColorScaleLow(100);  // not below the high end: ignored
  EXPECT_EQ(p.ColorScaleLow(), 0);
  EXPECT_EQ(p.ColorScaleHigh(), 100);
  p.SetRangeZLow(1);  // equal to the high end
  EXPECT_EQ(p.RangeZLow(), 0);
  p.SetRangeXHigh(-1);
  EXPECT_EQ(p.RangeXHigh(), 0);
  p.SetRange(0, 0, 1, 2, 3, 4);
  EXPECT_EQ(p.RangeXLow(), -0.5);
  EXPECT_EQ(p.RangeXHigh(), 0.5);
  EXPECT_EQ(p.RangeYHigh(), 2);

  p.SetAutoCenter(false);
  p.SetCentX(5000);
  p.SetCentY(-9000);
  EXPECT_EQ(p.CentX(), 1300);
  EXPECT_EQ(p.CentY(), -500);
  p.SetAutoCenter(true);  // switching on re-centres
  EXPECT_EQ(p.CentX(), 325);
  p.SetCentX(10);  // only re-centres
  EXPECT_EQ(p.CentX(), 325);
  p.SetBounds(0, 0, 300, 200);  // a resize re-centres
  EXPECT_EQ(p.CentX(), 150);
  EXPECT_EQ(p.CentY(), 100);
}

TEST(Plot3DProperties, AutoScaleResetAndColorScheme) {
  TPlot3D p(nullptr);
  p.GridMat.Resize(10, 20);
  p.GridMat.SetVal(1, 1, -2);
  p.GridMat.SetVal(3, 4, 6);  // data extent 8, z range 2
  p.AutoScale();
  EXPECT_EQ(p.ScaleFactX(), 2);
  EXPECT_EQ(p.ScaleFactY(), 1);
  EXPECT_EQ(p.ScaleFactZ(), 0.25);
  p.GridMat.Fill(3);  // constant data
  p.AutoScale();
  EXPECT_EQ(p.ScaleFactZ(), 1);
  p.SetViewAngles(10, 20);
  p.SetMagnification(2);
  p.Reset();
  EXPECT_EQ(p.ViewAngleX(), 66);
  EXPECT_EQ(p.ViewAngleZ(), 135);
  EXPECT_EQ(p.Magnification(), 1);
  EXPECT_EQ(p.ScaleFactX(), 1);
  p.Clear();
  double lo = 1, hi = 1;
  p.GridMat.MinMax(lo, hi);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 0);
}

// Setters paint once when the value changes the picture; unchanged values and suppressed
// painting paint nothing.
TEST(Plot3DProperties, RepaintRules) {
  TOffscreenHost host;
  TPlot3D p(nullptr);
  host.Show(p);
  host.ResetCounts();
  p.SetViewAngles(60, 15);  // the current view
  p.SetMeshKind(mkMesh);
  p.SetCaptionX("X");
  p.SetAutoCenter(true);
  EXPECT_EQ(host.PaintCount(p), 0);
  p.SetViewAngles(20, 30);
  EXPECT_EQ(host.PaintCount(p), 1);
  p.SetSuppressPaint(true);
  p.SetMagnification(2);
  p.GridMat.Resize(5, 5);
  EXPECT_EQ(host.PaintCount(p), 1);
  p.SetSuppressPaint(false);
  EXPECT_EQ(host.PaintCount(p), 2);
  p.GridMat.SetVal(2, 2, 1);  // data changes wait for the application's repaint
  EXPECT_EQ(host.PaintCount(p), 2);
}

}  // namespace
}  // namespace kiv
