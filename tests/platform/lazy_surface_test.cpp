// Lazy surfaces: a control that may never be shown gets its pixels only when something asks for
// them, and from then on behaves as every other control.
#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/controls.h"
#include "platform/errors.h"

namespace kiv {
namespace {

TEST(LazySurface, PixelsComeWhenAskedForAndFollowTheBounds) {
  TCustomControl c(nullptr);
  c.SetLazySurface(true);
  c.SetBounds(0, 0, 300, 200);
  const TBitmap* s = c.Surface();
  EXPECT_EQ(s->Width(), 300);
  EXPECT_EQ(s->Height(), 200);
  c.Canvas().SetPixels(5, 5, clRed);
  c.SetBounds(0, 0, 320, 210);
  EXPECT_EQ(c.Surface()->Width(), 320);
  EXPECT_EQ(c.Canvas().Pixels(5, 5), clRed);  // kept over the resize, as for every control
}

TEST(LazySurface, SizeErrorsWaitUntilThePixelsAreNeeded) {
  TCustomControl eager(nullptr);
  EXPECT_THROW(eager.SetBounds(0, 0, 1 << 20, 1 << 20), EPlatformError);
  TCustomControl lazy(nullptr);
  lazy.SetLazySurface(true);
  EXPECT_NO_THROW(lazy.SetBounds(0, 0, 1 << 20, 1 << 20));
  EXPECT_THROW(lazy.Canvas(), EPlatformError);
  lazy.SetBounds(0, 0, 10, 10);
  EXPECT_EQ(lazy.Canvas().Pixels(9, 9), clWhite);
  // Turning it off gives the pixels at once.
  TCustomControl later(nullptr);
  later.SetLazySurface(true);
  later.SetBounds(0, 0, 40, 30);
  later.SetLazySurface(false);
  EXPECT_EQ(later.Surface()->Width(), 40);
}

}  // namespace
}  // namespace kiv
