#include "framework/files/ReplaceFileContents.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using plugin::ReplaceFileContents;

namespace {

std::string Slurp(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool Write(const std::string& path, const std::string& text)
{
  return ReplaceFileContents(path.c_str(), text.data(), text.size());
}

struct stat Lstat(const std::string& path)
{
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st;
}

// Runs body in a child process under an unprivileged user id; true when it returns true there.
// Needs root to switch (the caller skips otherwise).
template <typename Body> bool AsOtherUser(uid_t uid, Body body)
{
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::setgid(uid) != 0 || ::setuid(uid) != 0) ::_exit(2);
    ::_exit(body() ? 0 : 1);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

TEST(ReplaceFileContents, CreatesAndReplacesLeavingNoTemporaryFile)
{
  testsupport::TempFolder tmp;
  const std::string path = tmp / "a.fxp";
  const mode_t mask = ::umask(022);
  ASSERT_TRUE(Write(path, "first, and rather long"));
  ::umask(mask);
  EXPECT_EQ(Lstat(path).st_mode & 07777, 0644u); // 0666 less the umask, as a plain open makes it
  ASSERT_TRUE(Write(path, "second"));
  EXPECT_EQ(Slurp(path), "second");
  ASSERT_TRUE(ReplaceFileContents(path.c_str(), nullptr, 0));
  EXPECT_EQ(Slurp(path), "");
  EXPECT_EQ(tmp.Entries(), std::vector<std::string>{"a.fxp"});
}

TEST(ReplaceFileContents, SymbolicLinksAreWrittenThrough)
{
  testsupport::TempFolder tmp;
  ASSERT_EQ(::mkdir((tmp / "real").c_str(), 0755), 0);
  const std::string target = tmp.WriteFile("real/preset.json", "old");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  // A relative link, and a link to that link by its absolute path.
  ASSERT_EQ(::symlink("real/preset.json", (tmp / "rel").c_str()), 0);
  ASSERT_EQ(::symlink((tmp / "rel").c_str(), (tmp / "abs").c_str()), 0);
  for (const char* name : {"rel", "abs"}) {
    SCOPED_TRACE(name);
    const std::string text = std::string("through ") + name;
    ASSERT_TRUE(Write(tmp / name, text));
    EXPECT_EQ(Slurp(target), text);
    EXPECT_TRUE(S_ISLNK(Lstat(tmp / "rel").st_mode));
    EXPECT_TRUE(S_ISLNK(Lstat(tmp / "abs").st_mode));
    EXPECT_EQ(Lstat(target).st_mode & 07777, 0640u);
  }
  // A dangling link makes its target, as opening through it does.
  ASSERT_EQ(::symlink("real/new.json", (tmp / "dangling").c_str()), 0);
  ASSERT_TRUE(Write(tmp / "dangling", "made"));
  EXPECT_TRUE(S_ISLNK(Lstat(tmp / "dangling").st_mode));
  EXPECT_EQ(Slurp(tmp / "real/new.json"), "made");
  // A read-only target is refused through its link too, and kept.
  ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
  EXPECT_FALSE(Write(tmp / "rel", "refused"));
  EXPECT_EQ(Slurp(target), "through abs");
  // Temporary files went beside the target and are gone.
  EXPECT_EQ(tmp.Entries(), (std::vector<std::string>{"abs", "dangling", "real", "rel"}));
}

TEST(ReplaceFileContents, RefusesWhatIsNoRegularFile)
{
  testsupport::TempFolder tmp;
  ASSERT_EQ(::mkdir((tmp / "dir").c_str(), 0755), 0);
  ASSERT_EQ(::mkfifo((tmp / "fifo").c_str(), 0666), 0);
  ASSERT_EQ(::symlink("loop2", (tmp / "loop1").c_str()), 0);
  ASSERT_EQ(::symlink("loop1", (tmp / "loop2").c_str()), 0);
  ASSERT_EQ(::symlink("/dev/null", (tmp / "null").c_str()), 0);
  for (const std::string& path : {tmp / "dir", tmp / "dir/", tmp / "fifo", tmp / "loop1", tmp / "null",
                                  tmp / "missing/x", std::string()})
    EXPECT_FALSE(Write(path, "x")) << path;
  EXPECT_FALSE(ReplaceFileContents(nullptr, "x", 1));
  EXPECT_FALSE(ReplaceFileContents((tmp / "data").c_str(), nullptr, 1));
  EXPECT_TRUE(S_ISFIFO(Lstat(tmp / "fifo").st_mode));
  EXPECT_EQ(tmp.Entries(), (std::vector<std::string>{"dir", "fifo", "loop1", "loop2", "null"}));
}

TEST(ReplaceFileContents, OtherUsersFilesAsTheirOpenWouldTreatThem)
{
  if (::getuid() != 0) GTEST_SKIP() << "needs root to switch users and give files away";
  constexpr uid_t kUser = 54321;
  testsupport::TempFolder tmp;
  ASSERT_EQ(::chmod(tmp.Path().c_str(), 0777), 0);

  // Root writing a user's file: the file stays the user's.
  const std::string owned = tmp.WriteFile("owned.json", "old");
  ASSERT_EQ(::chown(owned.c_str(), kUser, kUser), 0);
  ASSERT_EQ(::chmod(owned.c_str(), 0640), 0);
  ASSERT_TRUE(Write(owned, "by root"));
  EXPECT_EQ(Lstat(owned).st_uid, kUser);
  EXPECT_EQ(Lstat(owned).st_gid, kUser);
  EXPECT_EQ(Lstat(owned).st_mode & 07777, 0640u);

  // A user cannot write root's file that is not writable for others: refused, kept.
  const std::string roots = tmp.WriteFile("roots.json", "root's");
  ASSERT_EQ(::chmod(roots.c_str(), 0644), 0);
  EXPECT_TRUE(AsOtherUser(kUser, [&] { return !Write(roots, "user's"); }));
  EXPECT_EQ(Slurp(roots), "root's");

  // A file the user may write in a folder that takes no new file: written in place.
  ASSERT_EQ(::mkdir((tmp / "closed").c_str(), 0555), 0);
  const std::string inClosed = tmp.WriteFile("closed/slot.json", "old");
  ASSERT_EQ(::chown(inClosed.c_str(), kUser, kUser), 0);
  EXPECT_TRUE(AsOtherUser(kUser, [&] { return Write(inClosed, "new"); }));
  EXPECT_EQ(Slurp(inClosed), "new");
  EXPECT_EQ(Lstat(inClosed).st_uid, kUser);

  // A file of root's the user may write (world-writable): written, and still root's.
  const std::string shared = tmp.WriteFile("shared.json", "old");
  ASSERT_EQ(::chmod(shared.c_str(), 0666), 0);
  EXPECT_TRUE(AsOtherUser(kUser, [&] { return Write(shared, "new"); }));
  EXPECT_EQ(Slurp(shared), "new");
  EXPECT_EQ(Lstat(shared).st_uid, 0u);
  EXPECT_EQ(Lstat(shared).st_mode & 07777, 0666u);
}
