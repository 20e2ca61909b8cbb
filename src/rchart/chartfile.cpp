#include "rchart/chartfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sstream>

#include "platform/atomicfile.h"
#include "services/textstream.h"

namespace kiv::chartfile {

namespace {

bool PaddingClear(const TrcChartItem& it) {
  return (it.Pad49[0] | it.Pad49[1] | it.Pad49[2] | it.Pad62[0] | it.Pad62[1] | it.Pad86[0] |
          it.Pad86[1] | it.Pad101[0] | it.Pad101[1] | it.Pad101[2]) == 0;
}

// Writes n records starting at slot first, from the container's memory where their padding is
// clear (always, for records made by the chart) and through a cleaned copy otherwise.
void WriteRecords(TAtomicFile& f, const TRcItemContainer& c, int first, int n) {
  const int end = first + n;
  for (int i = first; i < end;) {
    const int stop = std::min(c.ContiguousEnd(i), end);
    int run = i;
    while (run < stop && PaddingClear(c[run])) ++run;
    if (run > i) f.Write(&c[i], static_cast<std::size_t>(run - i) * sizeof(TrcChartItem));
    if (run < stop) {
      TrcChartItem clean = c[run];
      ClearPadding(clean);
      f.Write(&clean, sizeof clean);
      ++run;
    }
    i = run;
  }
}

// Reads exactly size bytes; false on an error or a premature end.
bool ReadFully(int fd, void* data, std::size_t size) {
  auto* p = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t n = ::read(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

TrcChartItem MakeHeader(std::string_view marker, int items, int lines) {
  TrcChartItem h;
  ClearChartItem(h);
  const std::size_t len = std::min<std::size_t>(marker.size(), TItemText::kMaxChars);
  h.Text.Length = static_cast<std::uint8_t>(len);
  std::memcpy(h.Text.Chars, marker.data(), len);
  h.LWid = -2;
  h.Param1 = items;
  h.Param2 = lines;
  return h;
}

bool IsHeaderOf(const TrcChartItem& header, std::string_view marker) {
  return header.LWid < 0 && header.Text.Length == marker.size() &&
         std::memcmp(header.Text.Chars, marker.data(), marker.size()) == 0;
}

bool IsStorableRecord(const TrcChartItem& item) {
  return item.ItemKind < kNumItemKinds && item.ItemKind != tkEverything &&
         item.ItemKind != tkNotMoveTo && (item.Layer == 1 || item.Layer == 2) &&
         item.CoordMode <= cmXWorldYScreen;
}

void ClearPadding(TrcChartItem& item) {
  std::memset(item.Pad49, 0, sizeof item.Pad49);
  std::memset(item.Pad62, 0, sizeof item.Pad62);
  std::memset(item.Pad86, 0, sizeof item.Pad86);
  std::memset(item.Pad101, 0, sizeof item.Pad101);
}

void WriteChartFile(const std::string& path, std::string_view marker, const TRcItemContainer& c,
                    int count, const TLongTextArray& table, int lines) {
  count = std::clamp(count, 0, c.Size());
  lines = std::clamp(lines, 0, kMaxLongTexts);
  TAtomicFile f(path);
  const TrcChartItem header = MakeHeader(marker, count, lines);
  f.Write(&header, sizeof header);
  WriteRecords(f, c, 0, count);
  std::ostringstream text;
  for (int j = 0; j < lines; ++j) WriteLnStream(text, table[static_cast<std::size_t>(j)]);
  f.Write(text.view());
  f.Commit();
}

// ---------------------------------------------------------------------------------------------
// Reading

TChartFileReader::~TChartFileReader() {
  if (fd_ >= 0) ::close(fd_);
}

int TChartFileReader::Open(const std::string& path, std::string_view marker) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return kUnreadable;
  // Only a regular file tells its size, which is checked against the header's counts before
  // anything is allocated.
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) return kUnreadable;
  size_ = st.st_size;
  TrcChartItem header;
  if (!ReadFully(fd_, &header, sizeof header)) return kUnreadable;
  if (!IsHeaderOf(header, marker) || header.Param1 < 0 || header.Param2 < 0) return kWrongContents;
  items_ = header.Param1;
  lines_ = header.Param2;
  return 0;
}

int TChartFileReader::ReadItems(TRcItemContainer& c, int first,
                                const std::function<void(TrcChartItem&)>& visit) {
  if (fd_ < 0) return kUnreadable;
  if ((size_ - kRecordBytes) / kRecordBytes < items_) return kUnreadable;
  const int old_size = c.Size();
  const auto restore = [&](int result) {
    c.Resize(first);
    c.Resize(old_size);  // slots from first on come back zeroed
    return result;
  };
  try {
    if (static_cast<long long>(first) + items_ > TRcItemContainer::kMaxSlots) return kUnreadable;
    c.Resize(first + items_);
  } catch (...) {
    return kUnreadable;
  }
  const int end = first + items_;
  for (int i = first; i < end;) {
    const int stop = std::min(c.ContiguousEnd(i), end);
    if (!ReadFully(fd_, &c[i], static_cast<std::size_t>(stop - i) * sizeof(TrcChartItem)))
      return restore(kUnreadable);
    for (; i < stop; ++i) {
      TrcChartItem& it = c[i];
      if (!IsStorableRecord(it)) return restore(kWrongContents);
      ClearPadding(it);
      visit(it);
    }
  }
  return 0;
}

std::vector<std::string> TChartFileReader::ReadLines(int max) {
  std::vector<std::string> lines;
  if (fd_ < 0 || max <= 0) return lines;
  // Only as much of the file as the wanted lines take is read.
  std::string bytes;
  char chunk[65536];
  int ends = 0;
  while (ends < max) {
    const ssize_t n = ::read(fd_, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    const std::string_view got(chunk, static_cast<std::size_t>(n));
    for (std::size_t p = got.find('\n'); p != std::string_view::npos && ends < max;
         p = got.find('\n', p + 1)) {
      ++ends;
    }
    bytes.append(got);
  }
  std::istringstream in(std::move(bytes));
  for (int j = 0; j < max; ++j) {
    bool eof = false;
    std::string line = ReadLnStream(in, eof);
    if (eof) break;
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace kiv::chartfile
