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
class TAtomicFile {
 public:
  explicit TAtomicFile(std::string path);
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;
  ~TAtomicFile();

  void Write(const void* data, std::size_t size);
  void Write(std::string_view text) { Write(text.data(), text.size()); }
  // Closes the temporary file and renames it to the target.
  void Commit();

  const std::string& Path() const { return path_; }

 private:
  [[noreturn]] void Fail(int err);
  std::string path_;
  std::string temp_;
  int fd_ = -1;
};

}  // namespace kiv
