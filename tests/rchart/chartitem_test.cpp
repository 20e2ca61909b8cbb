#include "rchart/chartitem.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace kiv {
namespace {

std::array<std::uint8_t, 104> BytesOf(const TrcChartItem& item) {
  std::array<std::uint8_t, 104> b{};
  std::memcpy(b.data(), &item, sizeof item);
  return b;
}

std::int32_t I32At(const std::array<std::uint8_t, 104>& b, int pos) {
  return static_cast<std::int32_t>(b[pos] | (b[pos + 1] << 8) | (b[pos + 2] << 16) |
                                   (static_cast<std::uint32_t>(b[pos + 3]) << 24));
}

TEST(ChartItemRecord, KindsAndModesHaveTheirFileOrdinals) {
  EXPECT_EQ(sizeof(TrcItem), 1u);
  EXPECT_EQ(tkNone, 0);
  EXPECT_EQ(tkText, 7);
  EXPECT_EQ(tkEverything, 10);
  EXPECT_EQ(tkNotMoveTo, 11);
  EXPECT_EQ(tkMarkEBar, 18);
  EXPECT_EQ(tkCursorHoriz, 23);
  EXPECT_EQ(kNumItemKinds, 24);
  EXPECT_EQ(cmAllWorld, 0);
  EXPECT_EQ(cmXWorldYScreen, 5);
  EXPECT_EQ(tbSolid, 1);
}

TEST(ChartItemRecord, IsStoredAsLittleEndianBytesAtFixedPositions) {
  TrcChartItem item;
  item.x = 1.0;    // 3F F0 00 .. 00
  item.y2 = -2.0;  // C0 00 00 .. 00
  item.Color = 0x00112233;
  item.FillColor = 0x00445566;
  item.ShadowColor = 0x00778899;
  item.HiLightColor = 0x00AABBCC;
  item.PenStyle = psDashDot;
  item.Tag = -2;
  item.LWid = 7;
  item.ItemClass = 200;
  item.ItemKind = tkArc;
  item.Layer = 2;
  item.Transp = 1;
  item.FrameStyle = rbEngraved;
  ASSERT_TRUE(StoreItemText(item.Text, "Abc"));
  item.Param1 = 314159265;
  item.Param2 = -1;
  item.Param3 = 0x01020304;
  item.CoordMode = cmXScreenYWorld;

  const auto b = BytesOf(item);
  EXPECT_EQ(b[6], 0xF0);
  EXPECT_EQ(b[7], 0x3F);
  EXPECT_EQ(b[31], 0xC0);
  EXPECT_EQ(I32At(b, 32), 0x00112233);
  EXPECT_EQ(b[32], 0x33);  // red in the first byte
  EXPECT_EQ(I32At(b, 36), 0x00445566);
  EXPECT_EQ(I32At(b, 40), 0x00778899);
  EXPECT_EQ(I32At(b, 44), 0x00AABBCC);
  EXPECT_EQ(b[48], psDashDot);
  EXPECT_EQ(I32At(b, 52), -2);
  EXPECT_EQ(I32At(b, 56), 7);
  EXPECT_EQ(b[60], 200);
  EXPECT_EQ(b[61], 20);
  EXPECT_EQ(I32At(b, 64), 2);
  EXPECT_EQ(b[68], 1);
  EXPECT_EQ(b[69], rbEngraved);
  EXPECT_EQ(b[70], 3);  // length byte, then the characters
  EXPECT_EQ(b[71], 'A');
  EXPECT_EQ(b[73], 'c');
  EXPECT_EQ(b[74], 0);
  EXPECT_EQ(I32At(b, 88), 314159265);
  EXPECT_EQ(I32At(b, 92), -1);
  EXPECT_EQ(b[96], 0x04);
  EXPECT_EQ(b[99], 0x01);
  EXPECT_EQ(b[100], cmXScreenYWorld);
  // Padding stays zero.
  for (int pos : {49, 50, 51, 62, 63, 86, 87, 101, 102, 103}) EXPECT_EQ(b[pos], 0) << pos;
}

TEST(ChartItemRecord, DefaultConstructedRecordIsAllZero) {
  const auto b = BytesOf(TrcChartItem{});
  for (std::size_t i = 0; i < b.size(); ++i) EXPECT_EQ(b[i], 0) << i;
}

TEST(ChartItemRecord, ClearChartItemGivesTheFreshItem) {
  TrcChartItem item;
  item.x = 5;
  item.Tag = 9;
  item.ItemKind = tkLine;
  item.Pad62[0] = 0xEE;
  StoreItemText(item.Text, "left over");
  ClearChartItem(item);
  EXPECT_EQ(item.x, 0.0);
  EXPECT_EQ(item.y2, 0.0);
  EXPECT_EQ(item.Color, 0);
  EXPECT_EQ(item.FillColor, 16777215);
  EXPECT_EQ(item.ShadowColor, 8421504);
  EXPECT_EQ(item.HiLightColor, 16777215);
  EXPECT_EQ(item.PenStyle, psSolid);
  EXPECT_EQ(item.Tag, 0);
  EXPECT_EQ(item.LWid, 0);
  EXPECT_EQ(item.ItemClass, 0);
  EXPECT_EQ(item.ItemKind, tkNone);
  EXPECT_EQ(item.Layer, 1);
  EXPECT_EQ(item.Transp, 0);
  EXPECT_EQ(item.FrameStyle, 0);
  EXPECT_EQ(item.Text.Length, 0);
  EXPECT_EQ(item.Param1 | item.Param2 | item.Param3, 0);
  EXPECT_EQ(item.CoordMode, cmAllWorld);
  EXPECT_EQ(item.Pad62[0], 0);
}

TEST(ChartItemRecord, SecondaryPointKindsAreThoseWithTwoPoints) {
  for (TrcItem k : {tkLine, tkRect, tkRectFrame, tk3DBar, tkEllipse, tkArrow, tkDoubleArrow,
                    tkLineOffs, tkArc}) {
    EXPECT_TRUE(HasSecondaryPoint(k)) << int(k);
  }
  for (TrcItem k : {tkMarkAt, tkLineto, tkText, tkMoveTo, tkTextOfs, tkMarkEBar, tkRectRelPix,
                    tkLineRelPixOrig, tkCursorVert, tkCursorHoriz}) {
    EXPECT_FALSE(HasSecondaryPoint(k)) << int(k);
  }
}

// --- The 8-bit text field.

TEST(ItemText, Latin1TextsUpTo15CharactersFitExactly) {
  TItemText t;
  EXPECT_TRUE(StoreItemText(t, "fifteen chars!!"));
  EXPECT_EQ(t.Length, 15);
  EXPECT_EQ(ItemTextToUtf8(t), "fifteen chars!!");

  EXPECT_TRUE(StoreItemText(t, "Größe 5 µm"));  // ö, ß, µ are Latin-1: one byte each
  EXPECT_EQ(t.Length, 10);
  EXPECT_EQ(static_cast<unsigned char>(t.Chars[2]), 0xF6);
  EXPECT_EQ(ItemTextToUtf8(t), "Größe 5 µm");

  EXPECT_TRUE(StoreItemText(t, ""));
  EXPECT_EQ(t.Length, 0);
}

TEST(ItemText, LongerTextsKeepTheirFirst15Characters) {
  TItemText t;
  EXPECT_FALSE(StoreItemText(t, "sixteen chars!!!"));
  EXPECT_EQ(ItemTextToUtf8(t), "sixteen chars!!");
  // Characters are code points, not bytes: 16 two-byte characters keep 15.
  std::string umlauts;
  for (int i = 0; i < 16; ++i) umlauts += "ä";
  EXPECT_FALSE(StoreItemText(t, umlauts));
  EXPECT_EQ(t.Length, 15);
  EXPECT_EQ(ItemTextToUtf8(t), umlauts.substr(0, 30));
}

TEST(ItemText, CharactersBeyondLatin1BecomeQuestionMarks) {
  TItemText t;
  EXPECT_FALSE(StoreItemText(t, "Ω = 5 €"));
  EXPECT_EQ(ItemTextToUtf8(t), "? = 5 ?");
  EXPECT_FALSE(StoreItemText(t, "\xF0\x9F\x98\x80!"));  // an emoji: one character
  EXPECT_EQ(ItemTextToUtf8(t), "?!");
}

TEST(ItemText, InvalidUtf8BytesCountAsOneCharacterEach) {
  TItemText t;
  EXPECT_FALSE(StoreItemText(t,
                             "a\xFF"
                             "b\xC3"));  // a stray byte and a truncated sequence
  EXPECT_EQ(ItemTextToUtf8(t), "a?b?");
  EXPECT_FALSE(StoreItemText(t, "\xC0\xAF"));  // overlong encoding of '/'
  EXPECT_EQ(ItemTextToUtf8(t), "??");
  EXPECT_FALSE(StoreItemText(t, "\xED\xA0\x80"));  // a surrogate
  EXPECT_EQ(ItemTextToUtf8(t), "???");
  EXPECT_EQ(Utf8CharCount("a\xFF"
                          "b\xC3"),
            4);
  EXPECT_EQ(Utf8CharCount("Größe"), 5);
}

TEST(ItemText, LengthByteAbove15IsReadAs15) {
  TItemText t;
  StoreItemText(t, "0123456789abcde");
  t.Length = 200;  // as a damaged file could hold
  EXPECT_EQ(ItemTextToUtf8(t), "0123456789abcde");
}

}  // namespace
}  // namespace kiv
