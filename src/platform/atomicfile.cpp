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

// The directory part of a path with its slash ("" for a bare name).
std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Follows symbolic links from path to the name that is no link (or does not exist yet), so that
// replacing that name keeps the links. Returns 0 or an errno value.
int FollowLinks(std::string path, std::string& target) {
  constexpr int kMaxLinks = 40;  // as the kernel's own limit of links in one lookup
  for (int hops = 0; hops <= kMaxLinks; ++hops) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      target = std::move(path);
      return 0;
    }
    std::vector<char> buf(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
    const ssize_t n = ::readlink(path.c_str(), buf.data(), buf.size());
    if (n < 0) return errno;
    if (static_cast<std::size_t>(n) >= buf.size()) return ENAMETOOLONG;  // changed meanwhile
    std::string link(buf.data(), static_cast<std::size_t>(n));
    path = !link.empty() && link[0] == '/' ? link : DirectoryOf(path) + link;
  }
  return ELOOP;
}

}  // namespace

TAtomicFile::TAtomicFile(std::string path) : path_(std::move(path)) {
  if (const int err = FollowLinks(path_, target_); err != 0) Fail(err);
  const std::string dir = DirectoryOf(target_);
  const std::string base = target_.substr(dir.size());
  if (base.empty()) Fail(EISDIR);
  struct stat st {};
  const bool exists = ::stat(target_.c_str(), &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) Fail(EISDIR);
  if (exists && !S_ISREG(st.st_mode)) {
    // A device or a pipe is written in place: renaming a file over it would replace it, and it
    // holds no earlier content to keep.
    fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd_ < 0) Fail(errno);
    return;
  }
  // A hidden name beside the target: the rename stays within one file system.
  std::string pattern = dir + "." + base + ".tmp-XXXXXX";
  std::vector<char> buf(pattern.begin(), pattern.end());
  buf.push_back('\0');
  fd_ = ::mkostemp(buf.data(), O_CLOEXEC);
  if (fd_ < 0) Fail(errno);
  temp_.assign(buf.data());
  const mode_t mode = exists ? (st.st_mode & 07777) : NewFileMode();
  if (::fchmod(fd_, mode) != 0) {
    // No destructor runs for a constructor that throws: clean up here.
    const int err = errno;
    ::close(fd_);
    ::unlink(temp_.c_str());
    Fail(err);
  }
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

void TAtomicFile::Sync() {
  if (fd_ < 0) Fail(EBADF);
  if (temp_.empty()) return;  // a device or pipe: nothing stored to force
  if (::fsync(fd_) != 0) Fail(errno);
}

void TAtomicFile::Commit() {
  if (fd_ < 0) Fail(EBADF);
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) Fail(errno);
  if (temp_.empty()) return;  // written in place
  if (::rename(temp_.c_str(), target_.c_str()) != 0) Fail(errno);
  temp_.clear();
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
  TAtomicFile file(path);
  file.Write(bytes);
  file.Commit();
}

}  // namespace kiv
