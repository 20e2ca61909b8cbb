// Item descriptions: the exact lines each flag and each kind contribute.
#include "rchart/itemdescription.h"

#include <gtest/gtest.h>

#include <string>

namespace kiv {
namespace {

TrcChartItem Item(TrcItem kind, double x, double y, double x2, double y2) {
  TrcChartItem it;
  ClearChartItem(it);
  it.ItemKind = kind;
  it.x = x;
  it.y = y;
  it.x2 = x2;
  it.y2 = y2;
  return it;
}

TEST(ItemDescription, FlagsChooseThePartsAndOnlyTheKindLineStartsWithoutABreak) {
  const TrcChartItem line = Item(tkLine, 0, 0, 1, 2);
  EXPECT_EQ(ItemDescription(line, 3),
            "elemtype: tkLine\r\n"
            " startpnt: [   0.00000/   0.00000]\r\n"
            " endpoint: [   1.00000/   2.00000]");
  EXPECT_EQ(ItemDescription(line, 0), "");
  EXPECT_EQ(ItemDescription(line, 16), "\r\n classnum: 0");

  TrcChartItem cursor = Item(tkCursorVert, 12, 99, 0, 0);
  cursor.CoordMode = cmAllScreen;
  EXPECT_EQ(ItemDescription(cursor, 2),
            "\r\n position: [  12.00000] (screen coords)\r\n endpoint: [   0.00000/   0.00000]");
  cursor.ItemKind = tkCursorHoriz;
  cursor.CoordMode = cmWorldMainScreenSec;  // the main point is world: no suffix
  EXPECT_EQ(ItemDescription(cursor, 2),
            "\r\n position: [  99.00000]\r\n endpoint: [   0.00000/   0.00000]");
  TrcChartItem ellipse = Item(tkEllipse, -1.5, 2, 3, 4);
  EXPECT_EQ(ItemDescription(ellipse, 2),
            "\r\n   center: [  -1.50000/   2.00000]\r\n endpoint: [   3.00000/   4.00000]");
  EXPECT_EQ(ItemDescription(Item(tkEverything, 0, 0, 0, 0), 1), "elemtype: ");
  EXPECT_EQ(ItemDescription(Item(tkLineto, 0, 0, 0, 0), 1), "elemtype: tkLineTo");
}

TEST(ItemDescription, AllFlagsAddTheLinesOfTheKind) {
  TrcChartItem frame = Item(tkRectFrame, 1, 2, 3, 4);
  frame.Color = 255;
  frame.PenStyle = psDot;
  frame.Tag = -1;
  frame.LWid = 1;
  frame.ItemClass = 7;
  frame.FrameStyle = rbRaised;
  frame.FillColor = 0xC0C0C0;
  EXPECT_EQ(ItemDescription(frame, -1),
            "elemtype: tkRectFrame\r\n"
            " startpnt: [   1.00000/   2.00000]\r\n"
            " endpoint: [   3.00000/   4.00000]\r\n"
            "      tag: FFFFFFFF\r\n"
            "    color: 000000FF\r\n"
            " penstyle: 02\r\n"
            " classnum: 7\r\n"
            "linewidth: 1\r\n"
            "   corner: [   3.00000/   4.00000]\r\n"
            "fillcolor: 00C0C0C0\r\n"
            "frametype: rbRaised\r\n"
            "shadowcol: 00808080\r\n"
            "hilitecol: 00FFFFFF");

  TrcChartItem text = Item(tkTextOfs, 5, 6, 3, -4.5);
  StoreItemText(text.Text, "Hello, World! 123");  // 15 characters kept
  text.LWid = 2;
  text.Param1 = 12;
  text.Param3 = 2;
  text.CoordMode = cmScreenMainWorldSec;
  EXPECT_EQ(ItemDescription(text, -1),
            "elemtype: tkTextOfs\r\n"
            " startpnt: [   5.00000/   6.00000] (screen coords)\r\n"
            " endpoint: [   3.00000/  -4.50000]\r\n"
            "      tag: 00000000\r\n"
            "    color: 00000000\r\n"
            " penstyle: 00\r\n"
            " classnum: 0\r\n"
            "     text: \"HelloWorld1\" (abbrev.)\r\n"
            "     size: 12\r\n"
            "    align: 2\r\n"
            " offset x: '         3'\r\n"
            " offset y: '        -4'");

  // Only the kind lines after the common part, for the remaining kinds.
  const auto tail = [](const TrcChartItem& it) {
    const std::string all = ItemDescription(it, -1);
    const std::size_t cls = all.find(" classnum: ");
    return all.substr(all.find("\r\n", cls) + 2);
  };
  TrcChartItem arc = Item(tkArc, 0, 0, 2.5, 1);
  arc.LWid = 3;
  arc.Param1 = 12345678;
  arc.Param2 = -314159265;
  EXPECT_EQ(tail(arc),
            "linewidth: 3\r\n halfaxes:    2.50000    1.00000\r\n"
            "   angles: 0.12345678 -3.14159265");
  TrcChartItem bar = Item(tk3DBar, 0, 0, 1, 1);
  bar.Param1 = 30;
  bar.Param2 = 8;
  bar.Transp = 1;
  EXPECT_EQ(tail(bar),
            "linewidth: 0\r\n endpoint: [   1.00000/   1.00000]\r\nfillcolor: 00FFFFFF\r\n"
            "    depth: 8\r\n    angle: 30");
  TrcChartItem ebar = Item(tkMarkEBar, 0, 0, 0.5, 0.25);
  ebar.Param1 = 1;
  ebar.Param3 = 4;
  EXPECT_EQ(tail(ebar),
            "linewidth: 0\r\n   errors: [   0.50000/   0.25000]\r\n marktype: 4\r\ndirection: 1");
  EXPECT_EQ(tail(Item(tkLineRelPixOrig, 0, 0, 7.5, -2)),
            "linewidth: 0\r\n    dx/dy:          8/        -2");
  TrcChartItem relrect = Item(tkRectRelPix, 0, 0, 0, 0);
  relrect.Param1 = 5;
  relrect.Param2 = 6;
  EXPECT_EQ(tail(relrect), "linewidth: 0\r\n    dx/dy: 5/6\r\nfillcolor: 00FFFFFF\r\n  transp.: 0");
  EXPECT_EQ(ItemDescription(Item(tkMoveTo, 0, 0, 0, 0), -1).find("linewidth"), std::string::npos);
}

}  // namespace
}  // namespace kiv
