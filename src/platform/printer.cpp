#include "platform/printer.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "platform/errors.h"
#include "platform/print/cups_queue.h"
#include "platform/print/pdf_writer.h"

namespace kiv {

TPrinter& Printer() {
  static TPrinter printer;
  return printer;
}

TPrinter::TPrinter() = default;
TPrinter::~TPrinter() = default;

void TPrinter::SetPageSize(int Width, int Height) {
  width_ = std::clamp(Width, 1, 20000);
  height_ = std::clamp(Height, 1, 20000);
}

void TPrinter::SetPixelsPerInch(int Ppi) {
  ppi_ = std::clamp(Ppi, 30, 1200);
}

void TPrinter::SetTargetMemory() {
  target_ = ptMemory;
  target_name_.clear();
}

void TPrinter::SetTargetFile(const std::string& Path) {
  if (Path.empty()) throw EPlatformError("The printer needs a file name");
  target_ = ptPdfFile;
  target_name_ = Path;
}

void TPrinter::SetTargetPrinter(const std::string& Name) {
  target_ = ptPrinter;
  target_name_ = Name;
}

std::vector<std::string> TPrinter::Printers() {
  return print::PrinterNames();
}

void TPrinter::FreshPage() {
  canvas_.reset();
  page_.Clear();
  page_.SetSize(width_, height_);
  canvas_ = std::make_unique<TMetafileCanvas>(page_);
  canvas_->SetIsPrinter(true);
  canvas_->SetPixelsPerInch(ppi_);
  canvas_->Font().SetPixelsPerInch(ppi_);
}

void TPrinter::ClosePage() {
  canvas_.reset();
  TMetafile done;
  done.Assign(page_);
  pending_.push_back(std::move(done));
  page_.Clear();
}

void TPrinter::BeginDoc() {
  if (printing_) throw EPlatformError("Printing in progress");
  // A missing queue is reported before anything is drawn.
  if (target_ == ptPrinter) queue_ = print::ResolvePrinter(target_name_);
  pending_.clear();
  FreshPage();
  printing_ = true;
}

void TPrinter::NewPage() {
  if (!printing_) return;
  ClosePage();
  FreshPage();
}

void TPrinter::EndDoc() {
  if (!printing_) return;
  ClosePage();
  pages_ = std::move(pending_);
  pending_.clear();
  bitmaps_.clear();
  bitmaps_ready_ = false;
  printing_ = false;
  const std::string title = Title.empty() ? "kivchart" : Title;
  if (target_ == ptPdfFile) {
    print::WritePdf(target_name_, pages_, ppi_, title);
  } else if (target_ == ptPrinter) {
    const char* tmp = std::getenv("TMPDIR");
    const std::string file = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") +
                             "/kivchart-print-" + std::to_string(::getpid()) + ".pdf";
    try {
      print::WritePdf(file, pages_, ppi_, title);
      last_job_ = print::SubmitPdf(queue_, file, title);
    } catch (...) {
      ::unlink(file.c_str());
      throw;
    }
    ::unlink(file.c_str());
  }
}

void TPrinter::Abort() {
  pending_.clear();
  canvas_.reset();
  page_.Clear();
  printing_ = false;
}

TCanvas& TPrinter::Canvas() {
  if (!printing_) throw EPlatformError("Printer is not printing");
  return *canvas_;
}

const std::vector<TBitmap>& TPrinter::Pages() const {
  if (!bitmaps_ready_) {
    bitmaps_.clear();
    for (const TMetafile& page : pages_) {
      TBitmap b(page.Width(), page.Height());  // new pixels are white
      b.Canvas().SetIsPrinter(true);
      b.Canvas().SetPixelsPerInch(ppi_);
      page.Replay(b.Canvas());
      bitmaps_.push_back(std::move(b));
    }
    bitmaps_ready_ = true;
  }
  return bitmaps_;
}

}  // namespace kiv
