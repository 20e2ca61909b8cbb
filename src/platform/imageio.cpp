// File access and format detection for the image codecs; the codecs themselves live in bmp.cpp
// and png.cpp and work on bytes in memory.
#include "platform/imageio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <system_error>

#include "platform/atomicfile.h"
#include "platform/errors.h"
#include "platform/image_codecs.h"

namespace kiv::imageio {

namespace {

// No picture within the reader limits needs a larger file (2^28 pixels of 4 bytes plus headers),
// so bigger files are refused before anything is allocated.
constexpr long long kMaxFileBytes = (1LL << 30) + (1LL << 20);

std::string ErrnoText(int err) {
  return std::generic_category().message(err);
}

// Closes a file descriptor when the reading function is left.
class FileHandle {
 public:
  explicit FileHandle(int fd) : fd_(fd) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  FileHandle file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) throw EPlatformError("cannot open " + path + ": " + ErrnoText(errno));
  struct stat st {};
  if (::fstat(file.get(), &st) != 0)
    throw EPlatformError("cannot read " + path + ": " + ErrnoText(errno));
  if (!S_ISREG(st.st_mode)) throw EPlatformError("cannot read " + path + ": not a regular file");
  if (st.st_size > kMaxFileBytes) throw EPlatformError(path + ": file too large for an image");
  std::vector<std::uint8_t> bytes;
  try {
    bytes.resize(static_cast<std::size_t>(st.st_size));
  } catch (const std::bad_alloc&) {
    throw EPlatformError("cannot read " + path + ": out of memory");
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(file.get(), bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw EPlatformError("cannot read " + path + ": " + ErrnoText(errno));
    }
    if (n == 0) break;  // the file shrank while being read; decode what is there
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

// Written under a temporary name and renamed over the target when complete: a failed write
// leaves an earlier file of that name as it was.
void WriteWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  TAtomicFile file(path);
  file.Write(bytes.data(), bytes.size());
  file.Commit();
}

// Encoder errors do not know the file name; this puts it in front.
template <typename Encode>
std::vector<std::uint8_t> EncodeForFile(const std::string& path, Encode encode) {
  try {
    return encode();
  } catch (const EPlatformError& e) {
    throw EPlatformError("cannot write " + path + ": " + e.what());
  }
}

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

}  // namespace

namespace detail {

void Fail(const std::string& name, const std::string& problem) {
  throw EPlatformError(name + ": " + problem);
}

void CheckReadSize(long long width, long long height, const std::string& name) {
  if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels)
    Fail(name, "image too large (" + std::to_string(width) + " x " + std::to_string(height) +
                   " pixels; the limit is " + std::to_string(kMaxSide) + " per side and " +
                   std::to_string(kMaxPixels) + " pixels)");
}

Image AllocateImage(int width, int height, const std::string& name) {
  Image img;
  try {
    img.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                      0xFFFFFFFFu);
  } catch (const std::bad_alloc&) {
    Fail(name,
         "out of memory for " + std::to_string(width) + " x " + std::to_string(height) + " pixels");
  }
  img.width = width;
  img.height = height;
  return img;
}

bool IsBmp(std::span<const std::uint8_t> data) {
  return data.size() >= 2 && data[0] == 'B' && data[1] == 'M';
}

bool IsPng(std::span<const std::uint8_t> data) {
  return data.size() >= sizeof kPngSignature &&
         std::equal(std::begin(kPngSignature), std::end(kPngSignature), data.begin());
}

bool IsPngSignaturePrefix(std::span<const std::uint8_t> data) {
  return !data.empty() && data.size() < sizeof kPngSignature &&
         std::equal(data.begin(), data.end(), std::begin(kPngSignature));
}

}  // namespace detail

Image DecodeImage(std::span<const std::uint8_t> data, const std::string& name) {
  const std::string& label = name.empty() ? std::string("image data") : name;
  if (data.empty()) detail::Fail(label, "empty file");
  if (detail::IsBmp(data)) return detail::DecodeBmp(data, label);
  if (detail::IsPng(data)) return detail::DecodePng(data, label);
  if (detail::IsPngSignaturePrefix(data)) detail::Fail(label, "truncated PNG file (signature)");
  detail::Fail(label, "unsupported image format (neither BMP nor PNG)");
}

Image ReadImageFile(const std::string& path) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  return DecodeImage(bytes, path);
}

void WriteBmp(const std::string& path, const TPixel* pixels, int width, int height) {
  WriteWholeFile(path, EncodeForFile(path, [&] { return EncodeBmp(pixels, width, height); }));
}

void WritePng(const std::string& path, const TPixel* pixels, int width, int height, int level) {
  WriteWholeFile(path,
                 EncodeForFile(path, [&] { return EncodePng(pixels, width, height, level); }));
}

}  // namespace kiv::imageio
