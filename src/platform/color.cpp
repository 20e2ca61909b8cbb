#include "platform/color.h"

#include <array>

namespace kiv {
namespace {

constexpr TColor FromHex(std::uint32_t rrggbb) {
  return RGB(static_cast<int>(rrggbb >> 16), static_cast<int>(rrggbb >> 8),
             static_cast<int>(rrggbb));
}

// The look of a current desktop: light grey faces, white highlights, mid-grey shadows.
std::array<TColor, kSystemColorCount> g_system_colors = {
    FromHex(0xC8C8C8),  // scroll bar
    FromHex(0x000000),  // desktop background
    FromHex(0x99B4D1),  // active caption
    FromHex(0xBFCDDB),  // inactive caption
    FromHex(0xF0F0F0),  // menu
    FromHex(0xFFFFFF),  // window
    FromHex(0x646464),  // window frame
    FromHex(0x000000),  // menu text
    FromHex(0x000000),  // window text
    FromHex(0x000000),  // caption text
    FromHex(0xB4B4B4),  // active border
    FromHex(0xF4F7FC),  // inactive border
    FromHex(0xABABAB),  // application workspace
    FromHex(0x0078D7),  // highlight
    FromHex(0xFFFFFF),  // highlight text
    FromHex(0xF0F0F0),  // button face
    FromHex(0xA0A0A0),  // button shadow
    FromHex(0x6D6D6D),  // grey text
    FromHex(0x000000),  // button text
    FromHex(0x000000),  // inactive caption text
    FromHex(0xFFFFFF),  // button highlight
    FromHex(0x696969),  // 3D dark shadow
    FromHex(0xE3E3E3),  // 3D light
    FromHex(0x000000),  // info text
    FromHex(0xFFFFE1),  // info background
    FromHex(0x000000),  // (unused)
    FromHex(0x0066CC),  // hot light
    FromHex(0xB9D1EA),  // gradient active caption
    FromHex(0xD7E4F2),  // gradient inactive caption
    FromHex(0x3399FF),  // menu highlight
    FromHex(0xF0F0F0),  // menu bar
};

}  // namespace

TColor ColorToRGB(TColor c) {
  if (c >= 0) return c;
  const int index = c & 0xFF;
  if (index < kSystemColorCount) return g_system_colors[static_cast<std::size_t>(index)];
  return clBlack;
}

void SetSystemColor(int index, TColor rgb) {
  if (index < 0 || index >= kSystemColorCount) return;
  g_system_colors[static_cast<std::size_t>(index)] = rgb & 0xFFFFFF;
}

}  // namespace kiv
