#include "framework/files/ReplaceFileContents.h"

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
