#include "platform/bitmap.h"

#include <gtest/gtest.h>

#include "platform/errors.h"

namespace kiv {
namespace {

TEST(Bitmap, ResizeKeepsOverlapAndFillsWhite) {
  TBitmap b(2, 2);
  b.ScanLine(1)[1] = 0xFF123456u;
  b.SetSize(3, 3);
  EXPECT_EQ(b.ScanLine(1)[1], 0xFF123456u);
  EXPECT_EQ(b.ScanLine(2)[2], TBitmap::kFreshPixel);
  EXPECT_THROW(b.ScanLine(3), EPlatformError);
  EXPECT_THROW(b.ScanLine(-1), EPlatformError);
}

}  // namespace
}  // namespace kiv
