#include "platform/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <vector>

#include "platform/errors.h"

namespace kiv {

namespace {

// The permissions of a new file: 0666 less the process's umask (which can only be read by
// setting it, so it is set back at once).
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

TAtomicFile::TAtomicFile(std::string path) : path_(std::move(path)) {
  const std::size_t slash = path_.rfind('/');
  const std::string dir = slash == std::string::npos ? std::string() : path_.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? path_ : path_.substr(slash + 1);
  if (base.empty()) Fail(EISDIR);
  // A hidden name beside the target: the rename stays within one file system.
  std::string pattern = dir + "." + base + ".tmp-XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  fd_ = ::mkostemp(buf.data(), O_CLOEXEC);
  if (fd_ < 0) Fail(errno);
  temp_.assign(buf.data());
  struct stat st {};
  const mode_t mode = ::stat(path_.c_str(), &st) == 0 ? (st.st_mode & 07777) : NewFileMode();
  if (::fchmod(fd_, mode) != 0) Fail(errno);
}

TAtomicFile::~TAtomicFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

void TAtomicFile::Fail(int err) {
  throw EPlatformError("cannot write " + path_ + ": " + std::generic_category().message(err));
}

void TAtomicFile::Write(const void* data, std::size_t size) {
  if (fd_ < 0) Fail(EBADF);
  const auto* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd_, p, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail(errno);
    }
    p += n;
    size -= static_cast<std::size_t>(n);
  }
}

void TAtomicFile::Commit() {
  if (fd_ < 0) Fail(EBADF);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) Fail(errno);
  if (::rename(temp_.c_str(), path_.c_str()) != 0) Fail(errno);
  temp_.clear();
}

}  // namespace kiv
