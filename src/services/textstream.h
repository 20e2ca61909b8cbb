// Text lines on byte streams: the long-text lines of chart data files are written and read
// back with these two functions.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace kiv {

// Writes Line and the line end CR LF. The text is written byte for byte (UTF-8 stays UTF-8),
// except that a line feed inside it, which would end the line early and shift every later line
// of a file, is written as the two bytes DLE (0x10) 'n', and a DLE byte of the text as two DLE
// bytes. Texts without line feeds and DLE bytes, so all ordinary text, appear unchanged.
void WriteLnStream(std::ostream& Stream, std::string_view Line);

// Reads the next line: the bytes up to the next line feed, without the line feed and without one
// carriage return before it, so lines ended by LF and by CR LF both read back; the two-byte
// sequences that WriteLnStream makes of a line feed and of a DLE byte are turned back into them.
// A last line without a line end is returned as well. Eof becomes true, and the result empty,
// when no line was left to read (or the stream is in a failed state); otherwise Eof is false.
// Every text survives WriteLnStream followed by ReadLnStream unchanged, also one with line
// breaks or ending in a carriage return.
std::string ReadLnStream(std::istream& Stream, bool& Eof);

}  // namespace kiv
