// Vector PDF files of recorded pages: each page replays through a cairo PDF surface, with the
// faces of its texts embedded.
#pragma once

#include <string>
#include <vector>

#include "platform/metafile.h"

namespace kiv::print {

// Writes the pages (their sizes in pixels at Ppi pixels per inch) to a PDF file with the given
// title. The file is written beside Path under a temporary name and renamed over Path only when
// it is complete, so Path never holds half a document. Raises EPlatformError "cannot write
// <path>: <reason>".
void WritePdf(const std::string& Path, const std::vector<TMetafile>& Pages, int Ppi,
              const std::string& Title);

}  // namespace kiv::print
