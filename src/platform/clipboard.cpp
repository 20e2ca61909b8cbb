#include "platform/clipboard.h"

#include "platform/application.h"
#include "platform/host.h"

namespace kiv {

TClipboard& Clipboard() {
  static TClipboard clipboard;
  return clipboard;
}

void TClipboard::SetAsText(const std::string& Text) {
  text_ = Text;
  last_ = TClipboardFormat::Text;
  if (THost* host = Application().Host()) host->ClipboardSetText(Text);
}

std::string TClipboard::AsText() const {
  if (const THost* host = Application().Host()) return host->ClipboardText();
  return text_;
}

void TClipboard::Assign(const TBitmap& Bitmap) {
  bitmap_ = Bitmap;
  last_ = TClipboardFormat::Bitmap;
  if (THost* host = Application().Host()) host->ClipboardSetBitmap(Bitmap);
}

void TClipboard::SetSvg(const std::string& Svg) {
  svg_ = Svg;
  last_ = TClipboardFormat::Svg;
  if (THost* host = Application().Host()) host->ClipboardSetSvg(Svg);
}

}  // namespace kiv
