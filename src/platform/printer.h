// TPrinter: the printing device the components print to. A document is recorded page by page
// and, when it ends, goes to the printer's target: kept in memory, written as a vector PDF file,
// or spooled to a CUPS printer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/metafile.h"

namespace kiv {

// Where a finished document goes.
enum TPrinterTarget : std::uint8_t {
  ptMemory,   // kept for the program: Pages() and Documents() (the default)
  ptPdfFile,  // a vector PDF file
  ptPrinter   // a CUPS print queue
};

// Typical use: Printer().SetTargetFile("chart.pdf"); Printer().BeginDoc(); draw on
// Printer().Canvas(); NewPage(); ...; EndDoc(). The page canvas records vector shapes, reports
// IsPrinter and the printer's PixelsPerInch, so fonts come out at their size in points.
class TPrinter {
 public:
  TPrinter();
  ~TPrinter();
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

  // --- The target of the next documents.
  TPrinterTarget Target() const { return target_; }
  // The PDF file or the queue name ("" for the default queue).
  const std::string& TargetName() const { return target_name_; }
  void SetTargetMemory();
  // Every document replaces the file Path, which is complete or untouched, never half written.
  void SetTargetFile(const std::string& Path);
  // Every document is spooled to the CUPS queue Name, or to the default queue when Name is
  // empty. Whether the queue exists is checked by BeginDoc.
  void SetTargetPrinter(const std::string& Name = "");
  // The installed print queues.
  static std::vector<std::string> Printers();

  bool Printing() const { return printing_; }
  // Starts a document with one white page. Raises EPlatformError "Printing in progress" when a
  // document is open, and for a printer target when the queue is missing ("No printer is
  // installed", "Printer \"Name\" is not installed", ...).
  void BeginDoc();
  // Finishes the current page and starts a white one; does nothing without an open document.
  void NewPage();
  // Finishes the document and hands it to the target. The document is closed even when that
  // fails; the failure raises EPlatformError (a file that cannot be written, a queue that
  // refuses the job).
  void EndDoc();
  // Drops the open document.
  void Abort();
  // The current page, 1-based; 0 without an open document.
  int PageNumber() const { return printing_ ? static_cast<int>(pending_.size()) + 1 : 0; }
  // The canvas of the current page; raises EPlatformError "Printer is not printing" without an
  // open document.
  TCanvas& Canvas();
  // The pages of the last finished document as recorded, and drawn at the page size (white
  // paper); both are kept whatever the target.
  const std::vector<TMetafile>& Documents() const { return pages_; }
  const std::vector<TBitmap>& Pages() const;
  // The job number CUPS gave the last document spooled to a printer.
  int LastJob() const { return last_job_; }

 private:
  void FreshPage();
  void ClosePage();

  int width_ = 1240;
  int height_ = 1754;
  int ppi_ = 150;
  TPrinterTarget target_ = ptMemory;
  std::string target_name_;
  std::string queue_;  // the queue resolved by BeginDoc
  bool printing_ = false;
  TMetafile page_;
  std::unique_ptr<TMetafileCanvas> canvas_;
  std::vector<TMetafile> pending_;
  std::vector<TMetafile> pages_;
  mutable std::vector<TBitmap> bitmaps_;
  mutable bool bitmaps_ready_ = false;
  int last_job_ = 0;
};

TPrinter& Printer();

}  // namespace kiv
