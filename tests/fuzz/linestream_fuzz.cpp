// Fuzz target for the line streams: the lines read from any bytes, written again and read back,
// come out unchanged and as many; and any texts (the input cut at NUL bytes) survive writing and
// reading back, line breaks, carriage returns and escape bytes included.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "services/textstream.h"

namespace {

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "linestream_fuzz: %s\n", what);
    std::abort();
  }
}

std::vector<std::string> ReadAll(const std::string& bytes) {
  std::istringstream in(bytes);
  std::vector<std::string> lines;
  bool eof = false;
  for (;;) {
    std::string line = kiv::ReadLnStream(in, eof);
    if (eof) {
      Require(line.empty(), "a line returned with Eof set");
      break;
    }
    lines.push_back(std::move(line));
    Require(lines.size() <= bytes.size(), "more lines than bytes");
  }
  return lines;
}

std::string WriteAll(const std::vector<std::string>& lines) {
  std::ostringstream out;
  for (const std::string& l : lines) kiv::WriteLnStream(out, l);
  return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);

  const std::vector<std::string> read = ReadAll(bytes);
  Require(ReadAll(WriteAll(read)) == read, "lines read from bytes changed in a round trip");

  std::vector<std::string> texts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t cut = bytes.find('\0', start);
    texts.push_back(bytes.substr(start, cut == std::string::npos ? cut : cut - start));
    if (cut == std::string::npos) break;
    start = cut + 1;
  }
  const std::string written = WriteAll(texts);
  Require(ReadAll(written) == texts, "texts changed in a round trip");
  // Ordinary text (no line feed, no escape byte) is written byte for byte.
  for (const std::string& t : texts) {
    if (t.find_first_of(std::string_view("\n\x10", 2)) != std::string::npos) continue;
    std::ostringstream one;
    kiv::WriteLnStream(one, t);
    Require(one.str() == t + "\r\n", "ordinary text not written as it is");
  }
  return 0;
}
