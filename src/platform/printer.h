// TPrinter: the printing device the components print to. There is no print spooler here: a
// document is a series of page bitmaps at the printer's resolution, kept for the program.
#pragma once

#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace kiv {

// Typical use: Printer().BeginDoc(); draw on Printer().Canvas(); NewPage(); ...; EndDoc();
// then save Printer().Pages(). The page canvas reports IsPrinter and the printer's
// PixelsPerInch, so fonts come out at their size in points.
class TPrinter {
 public:
  TPrinter();
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;

  // Page size in device pixels and the resolution: A4 at 150 pixels per inch by default.
  int PageWidth() const { return width_; }
  int PageHeight() const { return height_; }
  int PixelsPerInch() const { return ppi_; }
  // Sizes are clamped to 1..20000, resolutions to 30..1200. Takes effect with the next document.
  void SetPageSize(int Width, int Height);
  void SetPixelsPerInch(int Ppi);
  std::string Title;

  bool Printing() const { return printing_; }
  // Starts a document with one white page; raises EPlatformError "Printing in progress" when a
  // document is open.
  void BeginDoc();
  // Finishes the current page and starts a white one; does nothing without an open document.
  void NewPage();
  // Finishes the document: its pages become Pages().
  void EndDoc();
  // Drops the open document.
  void Abort();
  // The current page, 1-based; 0 without an open document.
  int PageNumber() const { return printing_ ? static_cast<int>(pending_.size()) + 1 : 0; }
  // The canvas of the current page; raises EPlatformError "Printer is not printing" without an
  // open document.
  TCanvas& Canvas();
  // The pages of the last finished document.
  const std::vector<TBitmap>& Pages() const { return pages_; }

 private:
  void FreshPage();

  int width_ = 1240;
  int height_ = 1754;
  int ppi_ = 150;
  bool printing_ = false;
  TBitmap page_;
  std::vector<TBitmap> pending_;
  std::vector<TBitmap> pages_;
};

TPrinter& Printer();

}  // namespace kiv
