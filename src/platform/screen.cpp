#include "platform/screen.h"

#include <cmath>

#include "platform/application.h"
#include "platform/canvas.h"
#include "platform/host.h"

namespace kiv {

namespace {
constexpr TSize kDefaultScreen{1920, 1080};

TSize ScreenSize() {
  if (const THost* host = Application().Host()) return host->ScreenSize();
  return kDefaultScreen;
}
}  // namespace

TScreen& Screen() {
  static TScreen screen;
  return screen;
}

void TScreen::SetCursor(TCursor v) {
  if (v == cursor_) return;
  cursor_ = v;
  if (THost* host = Application().Host()) host->CursorChanged();
}

TCursorImage TScreen::Cursors(TCursor Index) const {
  const auto it = cursors_.find(Index);
  if (it != cursors_.end()) return it->second;
  return StandardCursorImage(Index);
}

void TScreen::SetCursors(TCursor Index, const TCursorImage& Image) {
  cursors_[Index] = Image;
  if (THost* host = Application().Host()) host->CursorChanged();
}

int TScreen::Width() const {
  return ScreenSize().cx;
}
int TScreen::Height() const {
  return ScreenSize().cy;
}

int GetDeviceCaps(const TCanvas& Canvas, int Index) {
  switch (Index) {
    case HORZRES:
      return Screen().Width();
    case VERTRES:
      return Screen().Height();
    case BITSPIXEL:
      return 32;
    case ASPECTX:
      return Screen().AspectX();
    case ASPECTY:
      return Screen().AspectY();
    case ASPECTXY:
      return static_cast<int>(std::lround(std::hypot(Screen().AspectX(), Screen().AspectY())));
    case LOGPIXELSX:
    case LOGPIXELSY:
      return Canvas.PixelsPerInch();
    default:
      return 0;
  }
}

}  // namespace kiv
