// Helpers of the window tests: a second X client that looks at and pokes the windows the host
// under test shows, running other programs while the host keeps serving its events, and a
// sample chart.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "rchart/customrchart.h"

typedef struct _XDisplay Display;

namespace kiv {

class TX11Host;

namespace test {

// Whether an X server answers at $DISPLAY (scripts/test starts Xvfb for the window tests).
bool HaveDisplay();

// Skips the test when no X server is there.
#define KIV_NEED_DISPLAY()         \
  if (!::kiv::test::HaveDisplay()) \
  GTEST_SKIP() << "no X display; scripts/test runs these under Xvfb"

// A separate connection to the server: what another program sees and does.
class TOtherClient {
 public:
  TOtherClient();
  ~TOtherClient();
  Display* Dpy() const { return dpy_; }
  // The window's pixels as the server holds them.
  TBitmap Capture(unsigned long Window);
  // Synthetic input through XTest, at window coordinates of Window.
  void MovePointer(unsigned long Window, int X, int Y);
  void Button(unsigned int Button, bool Press);
  void Key(unsigned long KeySym, bool Press);
  void Resize(unsigned long Window, int W, int H);
  // The first viewable window titled Title, 0 when there is none.
  unsigned long FindWindow(const std::string& Title);

 private:
  Display* dpy_;
};

// Processes the host's messages until Done() holds or Timeout passes; returns Done().
bool PumpUntil(TX11Host& Host, const std::function<bool()>& Done,
               std::chrono::milliseconds Timeout = std::chrono::milliseconds(3000));

// Runs a shell command, its output into a file, while the host keeps processing messages (the
// command may ask the host for the clipboard); returns the exit status (-1: timed out).
int RunWhilePumping(TX11Host& Host, const std::string& Command, std::string& Output);

// A chart with axes, caption, lines, marks and a text label.
void SampleChart(TCustomRChart& Chart, int W, int H);

// The first pixel where two pictures differ, as "(x, y): a vs b", or "" when equal.
std::string FirstDifference(const TBitmap& A, const TBitmap& B);

}  // namespace test
}  // namespace kiv
