#include "services/textstream.h"

namespace kiv {

namespace {

// Escape byte of the line encoding: DLE, a control character no ordinary text contains.
constexpr char kEscape = '\x10';

}  // namespace

void WriteLnStream(std::ostream& Stream, std::string_view Line) {
  if (Line.find_first_of(std::string_view("\n\x10", 2)) == std::string_view::npos) {
    Stream.write(Line.data(), static_cast<std::streamsize>(Line.size()));
  } else {
    std::string encoded;
    encoded.reserve(Line.size() + 8);
    for (const char c : Line) {
      if (c == '\n') {
        encoded += kEscape;
        encoded += 'n';
      } else if (c == kEscape) {
        encoded += kEscape;
        encoded += kEscape;
      } else {
        encoded += c;
      }
    }
    Stream.write(encoded.data(), static_cast<std::streamsize>(encoded.size()));
  }
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
  if (line.find(kEscape) == std::string::npos) return line;
  std::string decoded;
  decoded.reserve(line.size());
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == kEscape && i + 1 < line.size() &&
        (line[i + 1] == 'n' || line[i + 1] == kEscape)) {
      decoded += line[i + 1] == 'n' ? '\n' : kEscape;
      ++i;
    } else {
      decoded += line[i];  // a stray escape byte from another writer stays as it is
    }
  }
  return decoded;
}

}  // namespace kiv
