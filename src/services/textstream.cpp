#include "services/textstream.h"

namespace kiv {

void WriteLnStream(std::ostream& Stream, std::string_view Line) {
  Stream.write(Line.data(), static_cast<std::streamsize>(Line.size()));
  Stream.write("\r\n", 2);
}

std::string ReadLnStream(std::istream& Stream, bool& Eof) {
  std::string line;
  if (!Stream.good() || !std::getline(Stream, line)) {
    Eof = true;
    return {};
  }
  Eof = false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace kiv
