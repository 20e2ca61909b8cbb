#include "rchart/itemdescription.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string_view>

#include "services/stringutil.h"

namespace kiv {

namespace {

// By kind value; the selectors and tkNone have no name here.
constexpr std::array<std::string_view, kNumItemKinds> kKindNames = {"",
                                                                    "tkMarkAt",
                                                                    "tkLine",
                                                                    "tkLineTo",
                                                                    "tkRect",
                                                                    "tkRectFrame",
                                                                    "tk3DBar",
                                                                    "tkText",
                                                                    "tkMoveTo",
                                                                    "tkEllipse",
                                                                    "",
                                                                    "",
                                                                    "tkMoveRelPix",
                                                                    "tkLineRelPix",
                                                                    "tkArrow",
                                                                    "tkDoubleArrow",
                                                                    "tkTextOfs",
                                                                    "tkRectRelPix",
                                                                    "tkMarkEBar",
                                                                    "tkLineOffs",
                                                                    "tkArc",
                                                                    "tkLineRelPixOrig",
                                                                    "tkCursorVert",
                                                                    "tkCursorHoriz"};

constexpr std::string_view kEol = "\r\n";

// Joins texts (appending avoids a spurious overlap warning that GCC gives for chains of +).
std::string Cat(std::initializer_list<std::string_view> parts) {
  std::string s;
  for (std::string_view p : parts) s += p;
  return s;
}

std::string Sig(double v) {
  return SigDigStr(v, 10, 5, true);
}

std::string Hex(std::uint32_t v, int digits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", digits, static_cast<unsigned>(v));
  return buf;
}

std::string Hex8(std::int32_t v) {
  return Hex(static_cast<std::uint32_t>(v), 8);
}

std::string Pair(double a, double b) {
  return Cat({"[", Sig(a), "/", Sig(b), "]"});
}

// Collects the parts; every part but a leading kind line starts with a line break.
class Lines {
 public:
  void First(std::string_view s) { text_ += s; }
  void Add(std::string_view s) {
    text_ += kEol;
    text_ += s;
  }
  std::string Take() { return std::move(text_); }

 private:
  std::string text_;
};

void KindLines(const TrcChartItem& it, Lines& out) {
  const std::string linewidth = Cat({"linewidth: ", std::to_string(it.LWid)});
  const std::string endpoint = Cat({" endpoint: ", Pair(it.x2, it.y2)});
  const std::string corner = Cat({"   corner: ", Pair(it.x2, it.y2)});
  const std::string fillcolor = Cat({"fillcolor: ", Hex8(it.FillColor)});
  const std::string transp = Cat({"  transp.: ", BoolToStr(it.Transp != 0, false)});
  const std::string halfaxes = Cat({" halfaxes: ", Sig(it.x2), " ", Sig(it.y2)});
  switch (it.ItemKind) {
    case tkMarkAt:
      out.Add(Cat({" marktype: ", std::to_string(it.Param3)}));
      break;
    case tkLine:
      out.Add(linewidth);
      out.Add(endpoint);
      break;
    case tkRect:
      out.Add(linewidth);
      out.Add(corner);
      out.Add(fillcolor);
      out.Add(transp);
      break;
    case tkRectFrame: {
      out.Add(linewidth);
      out.Add(corner);
      out.Add(fillcolor);
      static constexpr std::array<std::string_view, 4> kFrames = {"rbLowered", "rbRaised",
                                                                  "rbEmbossed", "rbEngraved"};
      if (it.FrameStyle >= 2 && it.FrameStyle <= 5)
        out.Add(Cat({"frametype: ", kFrames[it.FrameStyle - 2]}));
      out.Add(Cat({"shadowcol: ", Hex8(it.ShadowColor)}));
      out.Add(Cat({"hilitecol: ", Hex8(it.HiLightColor)}));
      break;
    }
    case tk3DBar:
      out.Add(linewidth);
      out.Add(endpoint);
      out.Add(fillcolor);
      out.Add(Cat({"    depth: ", std::to_string(it.Param2)}));
      out.Add(Cat({"    angle: ", std::to_string(it.Param1)}));
      break;
    case tkText:
    case tkTextOfs: {
      const int len = it.Text.Length > TItemText::kMaxChars ? TItemText::kMaxChars : it.Text.Length;
      const std::string_view chars(it.Text.Chars, static_cast<std::size_t>(len));
      out.Add(
          Cat({"     text: \"", ReduceStringToAZ09(chars), "\"", it.LWid > 0 ? " (abbrev.)" : ""}));
      out.Add(Cat({"     size: ", std::to_string(it.Param1)}));
      out.Add(Cat({"    align: ", std::to_string(it.Param3)}));
      if (it.ItemKind == tkTextOfs) {
        out.Add(Cat({" offset x: '", SigDigStr(it.x2, 10, 0, true), "'"}));
        out.Add(Cat({" offset y: '", SigDigStr(it.y2, 10, 0, true), "'"}));
      }
      break;
    }
    case tkEllipse:
      out.Add(linewidth);
      out.Add(halfaxes);
      out.Add(fillcolor);
      out.Add(transp);
      break;
    case tkArrow:
    case tkDoubleArrow:
      out.Add(linewidth);
      out.Add(Cat({"    arrow: ", Pair(it.x2, it.y2)}));
      out.Add(fillcolor);
      out.Add(transp);
      out.Add(Cat({" headsize: ", std::to_string(it.Param1)}));
      break;
    case tkRectRelPix:
      out.Add(linewidth);
      out.Add(Cat({"    dx/dy: ", std::to_string(it.Param1), "/", std::to_string(it.Param2)}));
      out.Add(fillcolor);
      out.Add(transp);
      break;
    case tkMarkEBar:
      out.Add(linewidth);
      out.Add(Cat({"   errors: ", Pair(it.x2, it.y2)}));
      out.Add(Cat({" marktype: ", std::to_string(it.Param3)}));
      out.Add(Cat({"direction: ", std::to_string(it.Param1)}));
      break;
    case tkLineOffs:
      out.Add(linewidth);
      out.Add(endpoint);
      out.Add(Cat({"   offset: ", Pair(it.Param1, it.Param2)}));
      break;
    case tkArc:
      out.Add(linewidth);
      out.Add(halfaxes);
      out.Add(Cat({"   angles: ", SigDigStr(it.Param1 / 1e8, 10, 8, true), " ",
                   SigDigStr(it.Param2 / 1e8, 10, 8, true)}));
      break;
    case tkLineRelPixOrig:
      out.Add(linewidth);
      out.Add(
          Cat({"    dx/dy: ", SigDigStr(it.x2, 10, 0, true), "/", SigDigStr(it.y2, 10, 0, true)}));
      break;
    default:
      break;
  }
}

}  // namespace

std::string ItemDescription(const TrcChartItem& Item, int Flags) {
  Lines out;
  if (Flags & 1) {
    const std::string_view name =
        Item.ItemKind < kNumItemKinds ? kKindNames[Item.ItemKind] : std::string_view();
    out.First(Cat({"elemtype: ", name}));
  }
  if (Flags & 2) {
    const bool screen = Item.CoordMode == cmAllScreen || Item.CoordMode == cmScreenMainWorldSec;
    const std::string_view s = screen ? " (screen coords)" : "";
    std::string first;
    switch (Item.ItemKind) {
      case tkCursorVert:
        first = Cat({" position: [", Sig(Item.x), "]"});
        break;
      case tkCursorHoriz:
        first = Cat({" position: [", Sig(Item.y), "]"});
        break;
      case tkEllipse:
        first = Cat({"   center: ", Pair(Item.x, Item.y)});
        break;
      default:
        first = Cat({" startpnt: ", Pair(Item.x, Item.y)});
        break;
    }
    out.Add(Cat({first, s}));
    out.Add(Cat({" endpoint: ", Pair(Item.x2, Item.y2)}));
  }
  if (Flags & 8) out.Add(Cat({"      tag: ", Hex8(Item.Tag)}));
  if (Flags & 4) {
    out.Add(Cat({"    color: ", Hex8(Item.Color)}));
    out.Add(Cat({" penstyle: ", Hex(Item.PenStyle, 2)}));
  }
  if (Flags & 16) out.Add(Cat({" classnum: ", std::to_string(Item.ItemClass)}));
  if (Flags == -1) KindLines(Item, out);
  return out.Take();
}

}  // namespace kiv
