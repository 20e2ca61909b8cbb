// Colours of the platform layer: the framework's 32-bit TColor (red in the low byte), named
// colours, system colours resolved through one table, and conversion to 32-bit BGRA pixels.
#pragma once

#include <cstdint>

namespace kiv {

// Red in the low byte, then green, then blue. Negative values name system colours
// (0xFF000000 | index), resolved by ColorToRGB.
using TColor = std::int32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clLtGray = clSilver;
inline constexpr TColor clDkGray = clGray;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// System colours: 0xFF000000 plus the system colour index.
inline constexpr TColor SystemColor(int index) {
  return static_cast<TColor>(0xFF000000u | static_cast<std::uint32_t>(index & 0xFF));
}
inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);
inline constexpr TColor clHotLight = SystemColor(26);
inline constexpr TColor clGradientActiveCaption = SystemColor(27);
inline constexpr TColor clGradientInactiveCaption = SystemColor(28);
inline constexpr TColor clMenuHighlight = SystemColor(29);
inline constexpr TColor clMenuBar = SystemColor(30);

inline constexpr int kSystemColorCount = 31;

// Resolves a system colour through the system colour table; other values are returned unchanged.
TColor ColorToRGB(TColor c);

// Replaces the table entry of a system colour (index 0..30); other indices are ignored.
void SetSystemColor(int index, TColor rgb);

constexpr std::uint8_t GetRValue(TColor c) {
  return static_cast<std::uint8_t>(c & 0xFF);
}
constexpr std::uint8_t GetGValue(TColor c) {
  return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
constexpr std::uint8_t GetBValue(TColor c) {
  return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}
constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// A pixel of a 32-bit bitmap as a 32-bit word: 0xAARRGGBB, i.e. the bytes B, G, R, A in memory.
using TPixel = std::uint32_t;

inline constexpr TPixel kOpaque = 0xFF000000u;

// An RGB colour (not a system colour) as an opaque pixel.
constexpr TPixel RGBToPixel(TColor rgb) {
  return kOpaque | (static_cast<TPixel>(GetRValue(rgb)) << 16) |
         (static_cast<TPixel>(GetGValue(rgb)) << 8) | GetBValue(rgb);
}
inline TPixel ColorToPixel(TColor c) {
  return RGBToPixel(ColorToRGB(c));
}
constexpr TColor PixelToColor(TPixel p) {
  return RGB(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
             static_cast<int>(p & 0xFF));
}

}  // namespace kiv
