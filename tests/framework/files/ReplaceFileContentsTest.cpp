#include "framework/files/ReplaceFileContents.h"

#include "support/ChildProcess.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>
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

} // namespace

TEST(ReplaceFileContents, ExistingFilesKeepLinksPermissionsAndOwner)
{
  testsupport::TempFolder tmp;
  ASSERT_EQ(::mkdir((tmp / "real").c_str(), 0755), 0);
  const std::string target = tmp.WriteFile("real/preset.json", "old");
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  const bool root = ::getuid() == 0; // only the superuser can give a file away
  ASSERT_TRUE(!root || ::chown(target.c_str(), 54321, 54321) == 0);
  ASSERT_EQ(::symlink("real/preset.json", (tmp / "link").c_str()), 0);
  const std::string shared = tmp.WriteFile("shared.fxp", "old");
  ASSERT_EQ(::link(shared.c_str(), (tmp / "other name").c_str()), 0);

  // Written through the link, which stays a link; the target keeps its permissions and owner.
  ASSERT_TRUE(Write(tmp / "link", "new"));
  EXPECT_EQ(Slurp(target), "new");
  EXPECT_TRUE(S_ISLNK(Lstat(tmp / "link").st_mode));
  EXPECT_EQ(Lstat(target).st_mode & 07777, 0640u);
  EXPECT_EQ(Lstat(target).st_uid, root ? 54321u : ::getuid());
  // Hard links stay one file.
  ASSERT_TRUE(Write(shared, "new"));
  EXPECT_EQ(Slurp(tmp / "other name"), "new");
  // No write bit at all (read-only even for the superuser): refused, through the link too; kept.
  ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
  EXPECT_FALSE(Write(tmp / "link", "refused"));
  EXPECT_EQ(Slurp(target), "new");
  // A new file gets 0666 less the umask, as a plain open gives it.
  const mode_t mask = ::umask(022);
  ASSERT_TRUE(Write(tmp / "new.fxp", ""));
  ::umask(mask);
  EXPECT_EQ(Lstat(tmp / "new.fxp").st_mode & 07777, 0644u);
  // No temporary file is left.
  EXPECT_EQ(tmp.Entries(), (std::vector<std::string>{"link", "new.fxp", "other name", "real", "shared.fxp"}));
}

TEST(ReplaceFileContents, RefusesWhatIsNoRegularFile)
{
  testsupport::TempFolder tmp;
  ASSERT_EQ(::mkfifo((tmp / "fifo").c_str(), 0666), 0);
  ASSERT_EQ(::symlink("loop", (tmp / "loop").c_str()), 0);
  for (const std::string& path :
       {tmp.Path(), tmp / "fifo", tmp / "loop", tmp / "x/", tmp / "missing/x", std::string()})
    EXPECT_FALSE(Write(path, "x")) << path;
  EXPECT_FALSE(ReplaceFileContents(nullptr, "x", 1));
  EXPECT_TRUE(S_ISFIFO(Lstat(tmp / "fifo").st_mode));
  EXPECT_EQ(tmp.Entries(), (std::vector<std::string>{"fifo", "loop"}));
}

// The cases written in place, run by a user whom permissions bind (a child that dropped the
// superuser's rights, when we have them). Each write succeeds, then a write stopped part-way (a
// file size limit stands in for a full disk) puts the old content back, unless the file could not
// be read first. No temporary file stays, and the owner is kept.
TEST(ReplaceFileContents, InPlaceWritesPutTheOldContentBack)
{
  const bool root = ::geteuid() == 0;
  const uid_t user = root ? testsupport::kUnprivilegedUid : ::geteuid();
  struct Case
  {
    const char* what;
    mode_t folderMode, fileMode;
    bool linked, givenAway; // a second hard link; the file owned by the superuser, not the user
    const char* after;      // the file after the failed write
  };
  const Case cases[] = {{"hard links", 0777, 0644, true, false, "new"},
                        {"folder takes no new file", 0555, 0644, false, false, "new"},
                        {"unreadable", 0777, 0222, true, false, "1000 bytes"},
                        {"owner cannot be given", 0777, 0666, false, true, "new"}};
  for (const Case& c : cases) {
    if (c.givenAway && !root) GTEST_SKIP() << "only the superuser can make a file owned by another user";
    testsupport::TempFolder tmp;
    const std::string path = tmp.WriteFile("slot", "old");
    ASSERT_TRUE(!c.linked || ::link(path.c_str(), (tmp / "other").c_str()) == 0);
    const uid_t owner = c.givenAway ? 0 : user;
    ASSERT_TRUE(!root ||
                (::chown(path.c_str(), owner, owner) == 0 && ::chown(tmp.Path().c_str(), user, user) == 0));
    ASSERT_TRUE(::chmod(path.c_str(), c.fileMode) == 0 && ::chmod(tmp.Path().c_str(), c.folderMode) == 0);

    const auto answer = testsupport::RunInChild(
        [&] {
          const bool written = Write(path, "new");
          bool failed = true;
          {
            testsupport::FileSizeLimit limit(1000);
            failed = limit.Active() && !Write(path, std::string(5000, 'n'));
          }
          return std::to_string(written) + std::to_string(failed);
        },
        user);
    ASSERT_TRUE(::chmod(path.c_str(), 0644) == 0 && ::chmod(tmp.Path().c_str(), 0755) == 0);
    const std::string content = Slurp(path);
    EXPECT_EQ(answer.value_or("no child"), "11") << c.what;
    EXPECT_EQ(content.size() > 3 ? std::to_string(content.size()) + " bytes" : content, c.after) << c.what;
    EXPECT_EQ(Lstat(path).st_uid, owner) << c.what;
    const std::vector<std::string> names =
        c.linked ? std::vector<std::string>{"other", "slot"} : std::vector<std::string>{"slot"};
    EXPECT_EQ(tmp.Entries(), names) << c.what;
  }
}
