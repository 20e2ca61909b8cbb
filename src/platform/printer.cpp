#include "platform/printer.h"

#include <algorithm>

#include "platform/errors.h"

namespace kiv {

TPrinter& Printer() {
  static TPrinter printer;
  return printer;
}

TPrinter::TPrinter() = default;

void TPrinter::SetPageSize(int Width, int Height) {
  width_ = std::clamp(Width, 1, 20000);
  height_ = std::clamp(Height, 1, 20000);
}

void TPrinter::SetPixelsPerInch(int Ppi) {
  ppi_ = std::clamp(Ppi, 30, 1200);
}

void TPrinter::FreshPage() {
  page_.SetSize(0, 0);
  page_.SetSize(width_, height_);  // new pixels are white
  TCanvas& c = page_.Canvas();
  c.SetIsPrinter(true);
  c.SetPixelsPerInch(ppi_);
  c.Font().SetPixelsPerInch(ppi_);
}

void TPrinter::BeginDoc() {
  if (printing_) throw EPlatformError("Printing in progress");
  pending_.clear();
  FreshPage();
  printing_ = true;
}

void TPrinter::NewPage() {
  if (!printing_) return;
  pending_.push_back(page_);
  FreshPage();
}

void TPrinter::EndDoc() {
  if (!printing_) return;
  pending_.push_back(page_);
  pages_ = std::move(pending_);
  pending_.clear();
  page_.SetSize(0, 0);
  printing_ = false;
}

void TPrinter::Abort() {
  pending_.clear();
  page_.SetSize(0, 0);
  printing_ = false;
}

TCanvas& TPrinter::Canvas() {
  if (!printing_) throw EPlatformError("Printer is not printing");
  return page_.Canvas();
}

}  // namespace kiv
