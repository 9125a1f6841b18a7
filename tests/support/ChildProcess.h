#pragma once

#include <optional>
#include <string>

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

// The user id of an account without privileges ("nobody" on Debian).
constexpr uid_t kUnprivilegedUid = 65534;

// Runs body (returning a std::string) in a child process and gives back what it returned. When
// this process is the superuser and uid is not 0, the child first becomes uid (group id the same,
// no supplementary groups), so that permissions bind it as they bind any user. Nothing when no
// child could be made, the switch failed, or the child died. Files the child must reach have to
// be open to uid.
template <typename Body> std::optional<std::string> RunInChild(Body body, uid_t uid = kUnprivilegedUid)
{
  int fds[2];
  if (::pipe(fds) != 0) return std::nullopt;
  const pid_t pid = ::fork();
  if (pid < 0) {
    ::close(fds[0]), ::close(fds[1]);
    return std::nullopt;
  }
  if (pid == 0) {
    ::close(fds[0]);
    const bool drop = ::geteuid() == 0 && uid != 0;
    if (drop && (::setgroups(0, nullptr) != 0 || ::setgid(uid) != 0 || ::setuid(uid) != 0)) ::_exit(2);
    const std::string answer = body();
    const bool sent = ::write(fds[1], answer.data(), answer.size()) == static_cast<ssize_t>(answer.size());
    ::_exit(sent ? 0 : 1); // no exit handlers: they belong to the parent
  }
  ::close(fds[1]);
  std::string answer;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fds[0], buffer, sizeof(buffer))) > 0;)
    answer.append(buffer, static_cast<size_t>(n));
  ::close(fds[0]);
  int status = 0;
  if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return std::nullopt;
  return answer;
}

} // namespace testsupport
