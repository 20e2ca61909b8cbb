// TClipboard: what the components' copy methods write to. It hands text, bitmaps and SVG
// pictures to the active host; without a host it keeps them in the process.
#pragma once

#include <cstdint>
#include <string>

#include "platform/bitmap.h"

namespace kiv {

enum class TClipboardFormat : std::uint8_t { None, Text, Bitmap, Svg };

class TClipboard {
 public:
  void SetAsText(const std::string& Text);
  // The host's clipboard text, or the last text set here when there is no host.
  std::string AsText() const;
  void Assign(const TBitmap& Bitmap);
  void SetSvg(const std::string& Svg);
  // What was put on the clipboard last through this object.
  TClipboardFormat LastFormat() const { return last_; }
  // The last bitmap and SVG picture set here (kept also when a host took them).
  const TBitmap& Bitmap() const { return bitmap_; }
  const std::string& Svg() const { return svg_; }

 private:
  TClipboardFormat last_ = TClipboardFormat::None;
  std::string text_;
  TBitmap bitmap_;
  std::string svg_;
};

TClipboard& Clipboard();

}  // namespace kiv
