// Chart files: the binary file of one item container (a header record, the item records as held
// in memory, then the container's long texts as text lines) and the checks a file must pass.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "rchart/chartitem.h"
#include "rchart/itemcontainer.h"

namespace kiv::chartfile {

// Layout: header (104 bytes) | n item records (104 bytes each) | m lines (WriteLnStream). The
// header is a fresh item (ClearChartItem) with LWid -2, the marker in the text field, n in
// Param1 and m in Param2. Little-endian; padding bytes are written as zeros.
inline constexpr std::string_view kDataMarker = "[DATAFORMAT]";
inline constexpr std::string_view kAnnoMarker = "[ANNOFORMAT]";
inline constexpr long long kRecordBytes = sizeof(TrcChartItem);

// Results of reading, as the chart's load operations return them.
inline constexpr int kUnreadable = -1;     // cannot be opened or read, or shorter than it says
inline constexpr int kWrongContents = -2;  // another kind of file, or contents no chart can hold

TrcChartItem MakeHeader(std::string_view marker, int items, int lines);
// A header of the marker's kind: the marker in the text field and a negative LWid.
bool IsHeaderOf(const TrcChartItem& header, std::string_view marker);
// Whether a record may enter a container: a kind that can be stored (tkNone included, the query
// selectors and values beyond the kinds not), layer 1 or 2, a known coordinate mode. Anything
// else in a record is drawn safely whatever its value.
bool IsStorableRecord(const TrcChartItem& item);
// Sets the padding bytes of a record to zero.
void ClearPadding(TrcChartItem& item);

// Writes a whole chart file: the first `count` records of c and long texts 1..lines of table,
// through a temporary file renamed over `path` at the end. Raises EPlatformError.
void WriteChartFile(const std::string& path, std::string_view marker, const TRcItemContainer& c,
                    int count, const TLongTextArray& table, int lines);

// Reads a chart file step by step; never raises.
class TChartFileReader {
 public:
  TChartFileReader() = default;
  TChartFileReader(const TChartFileReader&) = delete;
  TChartFileReader& operator=(const TChartFileReader&) = delete;
  ~TChartFileReader();

  // Opens the file and reads its header: 0, kUnreadable (also for a file shorter than a
  // header), or kWrongContents (another marker, LWid not negative, negative counts).
  int Open(const std::string& path, std::string_view marker);
  int Items() const { return items_; }  // n and m of the header
  int Lines() const { return lines_; }

  // Reads the n records into slots first .. first + n - 1, after resizing c to exactly
  // first + n slots; each record is checked (IsStorableRecord), its padding cleared, and then
  // handed to visit. Returns 0, kUnreadable (the file is shorter than its header says, which is
  // found before anything is resized, or a read fails) or kWrongContents (a record that cannot
  // be stored). On failure c has its former size again and no slot below first was touched.
  int ReadItems(TRcItemContainer& c, int first, const std::function<void(TrcChartItem&)>& visit);
  // The next lines after the records (ReadLnStream), at most max; fewer when the file ends.
  std::vector<std::string> ReadLines(int max);

 private:
  int fd_ = -1;
  long long size_ = 0;
  int items_ = 0;
  int lines_ = 0;
};

}  // namespace kiv::chartfile
