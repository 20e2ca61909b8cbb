// Runs a piece of a test in a child process under a file size limit, so that a write fails the
// way it does on a full disk without filling one (and also when the tests run as root).
#pragma once

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <exception>
#include <functional>
#include <string>

namespace kiv::testing {

// What ran in the child: whether it ended normally, and the message of the exception it raised
// ("" when it raised none).
struct ChildResult {
  bool exited = false;
  std::string error;
};

// Runs body in a forked child whose files cannot grow beyond limit bytes. Growing one beyond
// makes the write fail with EFBIG (the signal that would end the process is ignored).
inline ChildResult RunWithFileSizeLimit(rlim_t limit, const std::function<void()>& body) {
  int fds[2];
  if (::pipe(fds) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit rl{limit, limit};
    ::setrlimit(RLIMIT_FSIZE, &rl);
    std::string error;
    try {
      body();
    } catch (const std::exception& e) {
      error = e.what();
      if (error.empty()) error = "(an exception without a message)";
    }
    const char* p = error.data();
    std::size_t left = error.size();
    while (left > 0) {
      const ssize_t n = ::write(fds[1], p, left);
      if (n <= 0) break;
      p += n;
      left -= static_cast<std::size_t>(n);
    }
    ::_exit(0);
  }
  ::close(fds[1]);
  ChildResult result;
  char buf[512];
  ssize_t n;
  while ((n = ::read(fds[0], buf, sizeof buf)) > 0)
    result.error.append(buf, static_cast<std::size_t>(n));
  ::close(fds[0]);
  int status = 0;
  if (pid > 0 && ::waitpid(pid, &status, 0) == pid)
    result.exited = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return result;
}

}  // namespace kiv::testing
