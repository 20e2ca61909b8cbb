#include "platform/print/pdf_writer.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <string>

#include "platform/atomicfile.h"
#include "platform/errors.h"
#include "platform/print/cairo_canvas.h"

namespace kiv::print {

namespace {

// The file the PDF surface writes into; an error of the file (with its reason) is kept here,
// since no exception may cross cairo's C frames.
struct Sink {
  TAtomicFile* file = nullptr;
  std::string error;
};

cairo_status_t WriteChunk(void* closure, const unsigned char* data, unsigned int length) {
  auto* sink = static_cast<Sink*>(closure);
  if (!sink->error.empty()) return CAIRO_STATUS_WRITE_ERROR;
  try {
    sink->file->Write(data, length);
  } catch (const EPlatformError& e) {
    sink->error = e.what();
    return CAIRO_STATUS_WRITE_ERROR;
  }
  return CAIRO_STATUS_SUCCESS;
}

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
  throw EPlatformError("cannot write " + path + ": " + reason);
}

// The pages through a PDF surface into the open file; the first error is left in the sink.
void Render(Sink& sink, const std::vector<TMetafile>& pages, int ppi, const std::string& title) {
  const double pt = 72.0 / ppi;
  cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(
      WriteChunk, &sink, pages[0].Width() * pt, pages[0].Height() * pt);
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, title.c_str());
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "kivchart");
  cairo_t* cr = cairo_create(surface);
  for (const TMetafile& page : pages) {
    cairo_pdf_surface_set_size(surface, page.Width() * pt, page.Height() * pt);
    cairo_save(cr);
    cairo_scale(cr, pt, pt);
    {
      TCairoCanvas canvas(cr, page.Width(), page.Height());
      canvas.SetIsPrinter(true);
      canvas.SetPixelsPerInch(ppi);
      page.Replay(canvas);
    }
    cairo_restore(cr);
    cairo_show_page(cr);
  }
  cairo_status_t status = cairo_status(cr);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS && sink.error.empty())
    sink.error = "cannot write " + sink.file->Path() + ": " + cairo_status_to_string(status);
}

}  // namespace

void WritePdf(const std::string& Path, const std::vector<TMetafile>& Pages, int Ppi,
              const std::string& Title) {
  if (Pages.empty()) Fail(Path, "the document has no pages");
  if (Ppi <= 0) Fail(Path, "invalid resolution");
  TAtomicFile file(Path);
  Sink sink;
  sink.file = &file;
  Render(sink, Pages, Ppi, Title);
  if (!sink.error.empty()) throw EPlatformError(sink.error);
  file.Sync();
  file.Commit();
}

}  // namespace kiv::print
