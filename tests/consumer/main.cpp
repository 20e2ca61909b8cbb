// Draws a small picture with the installed library, through its one header, and writes it as
// PNG.
#include <kivchart.h>

#include <cstdio>

int main(int argc, char** argv) {
  kiv::TBitmap bmp(64, 32);
  kiv::TCanvas& c = bmp.Canvas();
  c.Brush().SetColor(kiv::clYellow);
  c.Ellipse(4, 4, 60, 28);
  if (c.Pixels(32, 16) != kiv::clYellow) return 1;
  if (argc > 1) bmp.SaveToFile(argv[1]);
  std::puts("consumer ok");
  return 0;
}
