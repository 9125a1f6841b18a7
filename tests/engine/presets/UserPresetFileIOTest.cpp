#include "engine/presets/UserPresetFileIO.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <set>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/ChildProcess.h"
#include "support/FileSizeLimit.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

std::string Slurp(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Spit(const std::string& path, const std::string& content)
{
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

// Names in a folder, to catch temporary files left behind.
std::set<std::string> Listing(const std::string& dir)
{
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir))
    names.insert(e.path().filename().string());
  return names;
}

} // namespace

TEST(HomeFolder, PasswdEntryFirstThenHomeVariable)
{
  EXPECT_EQ(ChooseHomeFolder("/home/ann", "/elsewhere"), "/home/ann");
  EXPECT_EQ(ChooseHomeFolder(nullptr, "/elsewhere"), "/elsewhere");
  EXPECT_EQ(ChooseHomeFolder("", "/elsewhere"), "/elsewhere");
  EXPECT_EQ(ChooseHomeFolder(nullptr, nullptr), std::nullopt);
  EXPECT_EQ(ChooseHomeFolder(nullptr, ""), std::nullopt);
  EXPECT_EQ(ChooseHomeFolder("", ""), std::nullopt);
}

TEST(ExpandTildePath, ReplacesOnlyALeadingTilde)
{
  const passwd* entry = ::getpwuid(::getuid());
  ASSERT_NE(entry, nullptr);
  const std::string home = entry->pw_dir;
  ASSERT_EQ(HomeFolder(), home);

  EXPECT_EQ(ExpandTildePath("~/Library/x.json"), home + "/Library/x.json");
  EXPECT_EQ(ExpandTildePath("~/a~/b~"), home + "/a~/b~");
  EXPECT_EQ(ExpandTildePath("~"), home);
  EXPECT_EQ(ExpandTildePath("/abs/~/x"), "/abs/~/x");
  EXPECT_EQ(ExpandTildePath("rel~"), "rel~");
  EXPECT_EQ(ExpandTildePath(" ~/x"), " ~/x");
  EXPECT_EQ(ExpandTildePath(""), "");
  // A second lookup answers from the cache with the same text.
  EXPECT_EQ(ExpandTildePath("~/Library/x.json"), home + "/Library/x.json");
}

TEST(ReadFileToString, WholeFileOrPlaceholder)
{
  testsupport::TempFolder tmp;
  EXPECT_EQ(ReadFileToString(tmp / "missing.json"), "nada");

  Spit(tmp / "empty", "");
  EXPECT_EQ(ReadFileToString(tmp / "empty"), "");

  const std::string binary("a\0b\xff\n{}", 7);
  Spit(tmp / "binary", binary);
  EXPECT_EQ(ReadFileToString(tmp / "binary"), binary);

  Spit(tmp / "placeholder", "nada");
  EXPECT_EQ(ReadFileToString(tmp / "placeholder"), "nada");
}

TEST(ReadFileToString, NonRegularFilesCountAsMissing)
{
  testsupport::TempFolder tmp;
  fs::create_directory(tmp / "dir");
  EXPECT_EQ(ReadFileToString(tmp / "dir"), "nada");

  // A FIFO with no writer must neither block nor be read.
  ASSERT_EQ(::mkfifo((tmp / "fifo").c_str(), 0666), 0);
  EXPECT_EQ(ReadFileToString(tmp / "fifo"), "nada");

  EXPECT_EQ(ReadFileToString("/dev/zero"), "nada");
}

TEST(ReadFileToString, SizeLimit)
{
  testsupport::TempFolder tmp;
  const std::string atLimit(kMaxReadFileBytes, 'x');
  Spit(tmp / "limit", atLimit);
  EXPECT_EQ(ReadFileToString(tmp / "limit"), atLimit);

  Spit(tmp / "huge", atLimit + "y");
  EXPECT_EQ(ReadFileToString(tmp / "huge"), "nada");

  // A sparse file far beyond the limit is refused without reading it.
  const int fd = ::open((tmp / "sparse").c_str(), O_WRONLY | O_CREAT, 0666);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::ftruncate(fd, 1LL << 34), 0);
  ::close(fd);
  EXPECT_EQ(ReadFileToString(tmp / "sparse"), "nada");
}

TEST(WriteStringToFile, WritesReplacesAndReadsBack)
{
  testsupport::TempFolder tmp;
  const std::string path = tmp / "0 User Preset.json";
  ASSERT_TRUE(WriteStringToFile(path, "first, and rather long"));
  EXPECT_EQ(Slurp(path), "first, and rather long");
  ASSERT_TRUE(WriteStringToFile(path, "second"));
  EXPECT_EQ(ReadFileToString(path), "second");
  ASSERT_TRUE(WriteStringToFile(path, ""));
  EXPECT_EQ(ReadFileToString(path), "");
  EXPECT_TRUE(fs::is_regular_file(path));
  EXPECT_EQ(Listing(tmp.Path()), std::set<std::string>{"0 User Preset.json"});
}

TEST(WriteStringToFile, CreatesTheWholeFolderPath)
{
  testsupport::TempFolder tmp;
  const std::string path = tmp / "Library/Application Support/Quillmere/Kelmo Presets/3 User Preset.json";
  ASSERT_TRUE(WriteStringToFile(path, "{}"));
  EXPECT_EQ(Slurp(path), "{}");
  EXPECT_TRUE(fs::is_directory(tmp / "Library/Application Support/Quillmere"));
}

TEST(WriteStringToFile, FailsWithoutDamage)
{
  testsupport::TempFolder tmp;
  // A regular file where a folder should be: nothing can be created beneath it.
  Spit(tmp / "blocker", "keep");
  EXPECT_FALSE(WriteStringToFile(tmp / "blocker/Kelmo Presets/0 User Preset.json", "x"));
  EXPECT_FALSE(WriteStringToFile(tmp / "blocker/0 User Preset.json", "x"));
  EXPECT_EQ(Slurp(tmp / "blocker"), "keep");

  // A folder in place of the file stays a folder, with its content.
  fs::create_directories(tmp / "taken/inner");
  EXPECT_FALSE(WriteStringToFile(tmp / "taken", "x"));
  EXPECT_TRUE(fs::is_directory(tmp / "taken/inner"));

  // A path naming a folder rather than a file.
  EXPECT_FALSE(WriteStringToFile(tmp.Path() + "/", "x"));
  EXPECT_FALSE(WriteStringToFile("", "x"));

  // No temporary file is left behind by any of these.
  EXPECT_EQ(Listing(tmp.Path()), (std::set<std::string>{"blocker", "taken"}));
}

TEST(WriteStringToFile, FailedWriteKeepsTheEarlierFile)
{
  testsupport::TempFolder tmp;
  const std::string path = tmp / "slot.json";
  ASSERT_TRUE(WriteStringToFile(path, "old"));

  // A file size limit makes the write fail part-way, as a full disk would.
  bool written = true;
  {
    testsupport::FileSizeLimit limit(1000);
    ASSERT_TRUE(limit.Active());
    written = WriteStringToFile(path, std::string(5000, 'n'));
  }

  EXPECT_FALSE(written);
  fs::permissions(path, fs::perms::owner_read); // read-only: refused as well
  EXPECT_FALSE(WriteStringToFile(path, "new"));
  EXPECT_EQ(Slurp(path), "old");
  EXPECT_EQ(Listing(tmp.Path()), std::set<std::string>{"slot.json"});
}

TEST(DeleteFileAtPath, OnlyExistingFiles)
{
  testsupport::TempFolder tmp;
  Spit(tmp / "a.json", "x");
  EXPECT_TRUE(DeleteFileAtPath(tmp / "a.json"));
  EXPECT_FALSE(fs::exists(tmp / "a.json"));
  EXPECT_FALSE(DeleteFileAtPath(tmp / "a.json"));
  EXPECT_FALSE(DeleteFileAtPath(tmp / "never.json"));
  fs::create_directory(tmp / "dir");
  EXPECT_FALSE(DeleteFileAtPath(tmp / "dir"));
  EXPECT_TRUE(fs::is_directory(tmp / "dir"));
  EXPECT_FALSE(DeleteFileAtPath(""));
}

// Runs body in a child process under a user id that has no passwd entry; true when body returns
// true there. True without running it when such an id cannot be used.
template <typename Body> bool RunAsUserWithoutPasswdEntry(Body body)
{
  constexpr uid_t kUid = 54321;
  if (::getpwuid(kUid) != nullptr || ::getuid() != 0) return true;
  return testsupport::RunInChild([&] { return std::string(body() ? "passed" : "failed"); }, kUid) == "passed";
}

TEST(ExpandTildePath, FallsBackToHomeVariableWithoutPasswdEntry)
{
  if (::getuid() != 0) GTEST_SKIP() << "needs root to switch to a user without a passwd entry";
  testsupport::TempFolder tmp;
  fs::permissions(tmp.Path(), fs::perms::all);
  const std::string home = tmp / "home";
  const std::string key = "~/first-save-" + std::to_string(::getpid()) + "/Kelmo Presets/0 User Preset.json";

  EXPECT_TRUE(RunAsUserWithoutPasswdEntry([&] {
    ::setenv("HOME", home.c_str(), 1);
    // The whole folder tree under the home folder is made on the first save.
    return ExpandTildePath(key) == home + key.substr(1) && WriteStringToFile(key, "{}") &&
           ReadFileToString(key) == "{}";
  }));
  EXPECT_TRUE(fs::is_regular_file(home + key.substr(1)));

  EXPECT_TRUE(RunAsUserWithoutPasswdEntry([&] {
    ::unsetenv("HOME");
    // No home folder at all: nothing is read or written, and "~" is never taken literally.
    const std::string other = key + ".other";
    return ExpandTildePath(other).empty() && !WriteStringToFile(other, "x") &&
           ReadFileToString(other) == "nada" && !DeleteFileAtPath(other);
  }));
}
