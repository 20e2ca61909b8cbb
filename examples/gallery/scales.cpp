// The scale gallery: horizontal and vertical scales of every kind (linear, logarithmic, elapsed
// time, calendar levels from seconds to years, user texts, inscriptions, captions, framed and
// transparent), each painted by a TScale onto one picture.
#include <functional>
#include <string>

#include "gallery.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/datetime.h"
#include "scale/scale.h"

namespace {

using namespace kiv;

// 15 March 2023, 00:00.
constexpr double kDay = 45000;
constexpr int kVerticalHeight = 330;

// Paints one scale at (x, y) of the picture; setup configures it after the common defaults.
void Paint(TCanvas& c, int x, int y, int w, int h, const std::function<void(TScale&)>& setup) {
  TScale s(nullptr);
  s.SetBounds(0, 0, w, h);
  s.SetColorBackGnd(RGB(248, 248, 240));
  s.SetFrameStyle(rbLowered);
  setup(s);
  s.UseForeignCanvas(&c, x, y);
  s.ForcePaint();
}

// A horizontal scale with ticks above its base line and the description as its caption below.
void Horizontal(TCanvas& c, int x, int y, const std::string& caption,
                const std::function<void(TScale&)>& setup) {
  Paint(c, x, y, 470, 66, [&](TScale& s) {
    s.SetScaleType(sctLabelsAbove);
    s.SetMarginBottom(22);
    // End labels are centred on the end ticks: room for half the widest ("-00:00:02.500") inside
    // the frame.
    s.SetMarginLeft(44);
    s.SetMarginRight(44);
    s.SetCaption(caption);
    s.SetCaptionAnchor(uaSclTopLft);
    s.SetCaptionAlignment(taLeftJustify);
    s.SetCaptionPosX(-36);
    s.SetCaptionPosY(5);
    setup(s);
  });
}

void Vertical(TCanvas& c, int x, int y, TScaleType type, const std::string& caption,
              const std::function<void(TScale&)>& setup) {
  Paint(c, x, y, 112, kVerticalHeight, [&](TScale& s) {
    s.SetScaleType(type);
    s.SetMarginTop(40);
    s.SetMarginBottom(16);
    if (type == sctLabelsLeft)
      s.SetMarginRight(16);
    else
      s.SetMarginLeft(16);
    s.SetCaption(caption);
    s.SetCaptionAnchor(uaSclTopLft);
    s.SetCaptionAlignment(type == sctLabelsLeft ? taRightJustify : taLeftJustify);
    s.SetCaptionPosX(type == sctLabelsLeft ? 8 : -8);
    s.SetCaptionPosY(-34);
    setup(s);
  });
}

void Title(TCanvas& c, int x, int y, const std::string& text) {
  c.Brush().SetStyle(bsClear);
  c.Font().SetSize(12);
  c.Font().SetStyle({fsBold});
  c.Font().SetColor(clNavy);
  c.TextOut(x, y, text);
  c.Font().SetStyle({});
  c.Font().SetSize(8);
  c.Font().SetColor(clBlack);
  c.Brush().SetStyle(bsSolid);
}

}  // namespace

KIV_GALLERY(scales) {
  const int W = 1190;
  const int H = 1320;
  TBitmap bmp(W, H);
  TCanvas& c = bmp.Canvas();
  c.Brush().SetColor(clWhite);
  c.FillRect(TRect(0, 0, W, H));
  Title(c, 10, 8, "TScale: numeric, logarithmic, elapsed-time and calendar scales");

  int y = 40;
  const int step = 72;
  Horizontal(c, 10, y, "linear 0..100, MinTicks 3, minor ticks", [](TScale&) {});
  Horizontal(c, 10, y += step, "linear -1..1, MinTicks 10, no minor ticks", [](TScale& s) {
    s.SetRange(-1, 1);
    s.SetMinTicks(10);
    s.SetShortTicks(false);
  });
  Horizontal(c, 10, y += step, "logarithmic 1..1e6, sparse: decades only", [](TScale& s) {
    s.SetRange(1, 1e6);
    s.SetLogarithmic(true);
  });
  Horizontal(c, 10, y += step, "logarithmic 0.01..100, MinTicks 6: 1, 2, 5 labelled",
             [](TScale& s) {
               s.SetRange(0.01, 100);
               s.SetLogarithmic(true);
               s.SetMinTicks(6);
             });
  Horizontal(c, 10, y += step, "logarithmic 1e-3..1e5, DecPlaces -3: decade exponents",
             [](TScale& s) {
               s.SetRange(1e-3, 1e5);
               s.SetLogarithmic(true);
               s.SetDecPlaces(-3);
             });
  Horizontal(c, 10, y += step, "tiny range 0..1e-5: exponential labels",
             [](TScale& s) { s.SetRange(0, 1e-5); });
  Horizontal(c, 10, y += step, "elapsed time 0..3600 s, MinTicks 4", [](TScale& s) {
    s.SetRange(0, 3600);
    s.SetMinTicks(4);
    s.SetLabelType(fgtTime);
  });
  Horizontal(c, 10, y += step, "elapsed time -0.2..0.2 s: milliseconds", [](TScale& s) {
    s.SetRange(-0.2, 0.2);
    s.SetMinTicks(4);
    s.SetLabelType(fgtTime);
  });
  Horizontal(c, 10, y += step, "user texts Mon|Tue|Wed|Thu|Fri", [](TScale& s) {
    s.SetRange(0, 4);
    s.SetMinTicks(4);
    s.SetShortTicks(false);
    s.SetLabelType(fgtUserText);
    s.SetUserTickText("Mon|Tue|Wed|Thu|Fri");
  });
  Horizontal(c, 10, y += step, "inscription \"& V\", reversed range 50..-50", [](TScale& s) {
    s.SetRange(50, -50);
    s.SetScaleInscript("& V");
  });
  Horizontal(c, 10, y += step, "inscription \"$\", DecPlaces 0, frame rbRaised", [](TScale& s) {
    s.SetRange(0, 2000);
    s.SetScaleInscript("$");
    s.SetDecPlaces(0);
    s.SetFrameStyle(rbRaised);
  });
  // A transparent scale on a coloured band, with its caption centred under the strip. Drawn
  // straight onto the picture, it places its strip by its margins (the offset moves it across).
  {
    const int top = y += step;
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(RGB(210, 230, 255));
    c.FillRect(TRect(10, top, 480, top + 66));
    Paint(c, 0, top, 480, 66, [](TScale& s) {
      s.SetTransparent(true);
      s.SetScaleType(sctLabelsBelow);
      s.SetMarginTop(8);
      s.SetMarginLeft(34);
      s.SetMarginRight(24);
      s.SetRange(-40, 120);
      s.SetColorScale(clNavy);
      s.SetCaption("transparent, labels below, caption centred: temperature / °C");
      s.SetCaptionAnchor(uaSclCenter);
      s.SetCaptionPosX(0);
      s.SetCaptionPosY(34);
    });
  }
  Horizontal(c, 10, y += step, "date/time 110 s: seconds level, am/pm", [](TScale& s) {
    s.SetLabelType(fgtDateTime);
    s.SetRange(kDay + 0.5, kDay + 0.5 + 110 / 86400.0);
    s.SetMinTicks(2);
    s.DateFormat().SetTimeFormat(tfAmPm);
  });
  Horizontal(c, 10, y += step, "date/time 0.4 days: hours, date at the first tick", [](TScale& s) {
    s.SetLabelType(fgtDateTime);
    s.SetRange(kDay + 0.3, kDay + 0.7);
    s.SetMinTicks(4);
  });
  Horizontal(c, 10, y += step, "date/time 2 hours: minutes, hour letter, date every tick",
             [](TScale& s) {
               s.SetLabelType(fgtDateTime);
               s.SetRange(kDay + 23 / 24.0, kDay + 25 / 24.0);
               s.SetMinTicks(4);
               s.DateFormat().SetTimeFormat(tfHourLetter);
               s.DateFormat().SetDateForTime(dftEveryTick);
               s.DateFormat().SetYearLength(ylNone);
             });

  // Second column: calendar levels from days to years and a sub-second range.
  int y2 = 40;
  const int x2 = 500;
  Horizontal(c, x2, y2, "date/time 30 days: days level, weekly majors", [](TScale& s) {
    s.SetLabelType(fgtDateTime);
    s.SetRange(kDay, kDay + 30);
    s.SetMinTicks(4);
  });
  Horizontal(c, x2, y2 += step, "date/time 80 days: two-week majors, year-month-day",
             [](TScale& s) {
               s.SetLabelType(fgtDateTime);
               s.SetRange(kDay, kDay + 80);
               s.SetMinTicks(3);
               s.DateFormat().SetDAteOrder(doYearMonthDay);
               s.DateFormat().SetMonthName(false);
               s.DateFormat().SetDateSeparator('/');
             });
  Horizontal(c, x2, y2 += step, "date/time 1000 days: months level", [](TScale& s) {
    s.SetLabelType(fgtDateTime);
    s.SetRange(kDay, kDay + 1000);
    s.SetMinTicks(4);
  });
  Horizontal(c, x2, y2 += step, "date/time 200 days: monthly ticks, two-digit years",
             [](TScale& s) {
               s.SetLabelType(fgtDateTime);
               s.SetRange(kDay, kDay + 200);
               s.SetMinTicks(4);
               s.DateFormat().SetYearLength(ylTwoDigits);
             });
  Horizontal(c, x2, y2 += step, "date/time 30 years: years level", [](TScale& s) {
    s.SetLabelType(fgtDateTime);
    s.SetRange(EncodeDate(1995, 6, 1), EncodeDate(2025, 6, 1));
    s.SetMinTicks(4);
  });
  Horizontal(c, x2, y2 += step, "date/time up to 31 December 9999", [](TScale& s) {
    s.SetLabelType(fgtDateTime);
    s.SetRange(2000000, 2990000);
    s.SetMinTicks(3);
  });
  // The two messages are written under the base line, so these captions go above it.
  Horizontal(c, x2, y2 += step, "date/time under a second per interval (horizontal)",
             [](TScale& s) {
               s.SetLabelType(fgtDateTime);
               s.SetRange(kDay, kDay + 4e-5);
               s.SetMinTicks(4);
               s.SetCaptionPosY(-38);
             });
  Horizontal(c, x2, y2 += step, "date/time with a reversed range", [](TScale& s) {
    s.SetLabelType(fgtDateTime);
    s.SetRange(kDay + 1, kDay);
    s.SetCaptionPosY(-38);
  });

  // Vertical scales.
  const int vy = y2 + step + 10;
  int vx = x2;
  Vertical(c, vx, vy, sctLabelsLeft, "linear", [](TScale& s) { s.SetRange(-5, 25); });
  Vertical(c, vx += 118, vy, sctLabelsRight, "log 0.1..1e4", [](TScale& s) {
    s.SetRange(0.1, 1e4);
    s.SetLogarithmic(true);
    s.SetMinTicks(7);
  });
  Vertical(c, vx += 118, vy, sctLabelsLeft, "time", [](TScale& s) {
    s.SetRange(0, 5400);
    s.SetMinTicks(6);
    s.SetLabelType(fgtTime);
  });
  Vertical(c, vx += 118, vy, sctLabelsRight, "hours", [](TScale& s) {
    s.SetLabelType(fgtDateTime);
    s.SetRange(kDay + 0.8, kDay + 1.3);
    s.SetMinTicks(4);
    s.DateFormat().SetYearLength(ylNone);
  });
  Vertical(c, vx += 118, vy, sctLabelsRight, "centisecs", [](TScale& s) {
    s.SetLabelType(fgtDateTime);
    s.SetRange(kDay, kDay + 4e-5);
    s.SetMinTicks(4);
    s.DateFormat().SetDateForTime(dftNever);
  });
  const int vy2 = vy + kVerticalHeight + 10;
  vx = x2;
  Vertical(c, vx, vy2, sctLabelsRight, "user text", [](TScale& s) {
    s.SetRange(0, 4);
    s.SetMinTicks(4);
    s.SetLabelType(fgtUserText);
    s.SetUserTickText("low|||high|max");
  });
  Vertical(c, vx += 118, vy2, sctLabelsLeft, "inscript", [](TScale& s) {
    s.SetRange(0, 1);
    s.SetScaleInscript("& mA");
  });
  Vertical(c, vx += 118, vy2, sctLabelsRight, "invalid", [](TScale& s) {
    s.SetLabelType(fgtDateTime);
    s.SetRange(kDay, kDay - 1);
  });
  Vertical(c, vx += 118, vy2, sctLabelsRight, "< 1 s", [](TScale& s) {
    s.SetLabelType(fgtDateTime);
    s.SetRange(kDay, kDay + 3e-7);
  });
  {
    const int x = vx += 118;
    c.Brush().SetStyle(bsSolid);  // the scale before left the brush clear
    c.Brush().SetColor(RGB(255, 236, 200));
    c.FillRect(TRect(x, vy2, x + 112, vy2 + kVerticalHeight));
    Paint(c, x, 0, 112, vy2 + kVerticalHeight, [&](TScale& s) {
      s.SetTransparent(true);
      s.SetScaleType(sctLabelsLeft);
      s.SetMarginTop(vy2 + 40);
      s.SetMarginBottom(16);
      s.SetMarginRight(30);
      s.SetRange(100, 0);
      s.SetColorScale(clMaroon);
      s.SetCaption("transparent");
      s.SetCaptionAlignment(taRightJustify);
      s.SetCaptionPosX(20);
      s.SetCaptionPosY(-34);
    });
  }
  bmp.SaveToFile((dir / "scales.png").string());
}
