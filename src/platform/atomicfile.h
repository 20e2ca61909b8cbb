// TAtomicFile: writes a file under a temporary name in the target's directory and renames it over
// the target once complete, so that a failed or interrupted save never leaves half a file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kiv {

// Usage: TAtomicFile f(path); f.Write(...); ... f.Commit();
// Every failure raises EPlatformError "cannot write <path>: <reason>". Until Commit succeeds the
// target is untouched; a writer destroyed without Commit removes its temporary file. The new
// file gets the permissions an existing target had, else those a newly created file would get.
// A path that is a symbolic link (or a chain of them) writes the file the link leads to and
// keeps the link. A device or a pipe (no regular file) is written in place.
class TAtomicFile {
 public:
  explicit TAtomicFile(std::string path);
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;
  ~TAtomicFile();

  void Write(const void* data, std::size_t size);
  void Write(std::string_view text) { Write(text.data(), text.size()); }
  // Forces the written bytes to the storage device (for documents whose loss would hurt).
  void Sync();
  // Closes the temporary file and renames it to the target.
  void Commit();

  const std::string& Path() const { return path_; }

 private:
  [[noreturn]] void Fail(int err);
  std::string path_;    // as given, for messages
  std::string target_;  // the file that is replaced: path_ with symbolic links followed
  std::string temp_;
  int fd_ = -1;
};

// Writes bytes as the whole content of the file at path through a TAtomicFile.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace kiv
