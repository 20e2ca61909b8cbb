#include "platform/print/pdf_writer.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/errors.h"
#include "platform/print/cairo_canvas.h"

namespace kiv::print {

namespace {

struct Sink {
  int fd = -1;
  int error = 0;
};

cairo_status_t WriteChunk(void* closure, const unsigned char* data, unsigned int length) {
  auto* sink = static_cast<Sink*>(closure);
  while (length > 0) {
    const ssize_t n = ::write(sink->fd, data, length);
    if (n < 0) {
      if (errno == EINTR) continue;
      sink->error = errno;
      return CAIRO_STATUS_WRITE_ERROR;
    }
    data += n;
    length -= static_cast<unsigned int>(n);
  }
  return CAIRO_STATUS_SUCCESS;
}

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
  throw EPlatformError("cannot write " + path + ": " + reason);
}

// The pages through a PDF surface into the open file; returns the first error, or an empty
// text.
std::string Render(Sink& sink, const std::vector<TMetafile>& pages, int ppi,
                   const std::string& title) {
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
  if (sink.error != 0) return std::strerror(sink.error);
  if (status != CAIRO_STATUS_SUCCESS) return cairo_status_to_string(status);
  return "";
}

}  // namespace

void WritePdf(const std::string& Path, const std::vector<TMetafile>& Pages, int Ppi,
              const std::string& Title) {
  if (Pages.empty()) Fail(Path, "the document has no pages");
  if (Ppi <= 0) Fail(Path, "invalid resolution");
  std::string temp = Path + ".XXXXXX";
  Sink sink;
  sink.fd = ::mkstemp(temp.data());
  if (sink.fd < 0) Fail(Path, std::strerror(errno));
  std::string error;
  try {
    error = Render(sink, Pages, Ppi, Title);
  } catch (...) {
    ::close(sink.fd);
    ::unlink(temp.c_str());
    throw;
  }
  if (error.empty() && ::fsync(sink.fd) != 0) error = std::strerror(errno);
  if (::close(sink.fd) != 0 && error.empty()) error = std::strerror(errno);
  // mkstemp makes the file private; a document gets the usual permissions.
  if (error.empty()) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(temp.c_str(), 0666 & ~mask);
  }
  if (error.empty() && std::rename(temp.c_str(), Path.c_str()) != 0) error = std::strerror(errno);
  if (!error.empty()) {
    ::unlink(temp.c_str());
    Fail(Path, error);
  }
}

}  // namespace kiv::print
