#include "platform/mac/system/StandardFolders.h"

#include "support/ui/ScopedSystemFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace plugin::sys;

namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv
{
public:
  ScopedEnv(const char* name, const char* value) : mName(name)
  {
    if (const char* old = std::getenv(name)) mOld = old, mHadOld = true;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~ScopedEnv()
  {
    if (mHadOld)
      ::setenv(mName, mOld.c_str(), 1);
    else
      ::unsetenv(mName);
  }

private:
  const char* mName;
  std::string mOld;
  bool mHadOld = false;
};

} // namespace

TEST(StandardFolders, HomeOverrideWinsOverEnvironmentAndIsRemovable)
{
  ScopedEnv env(kHomeDirectoryEnv, "/env/home/");
  EXPECT_EQ(HomeDirectory(), "/env/home");
  SetHomeDirectory("/set/home//");
  EXPECT_EQ(HomeDirectory(), "/set/home");
  SetHomeDirectory("");
  EXPECT_EQ(HomeDirectory(), "/env/home");
  SetHomeDirectory(nullptr);
  EXPECT_EQ(HomeDirectory(), "/env/home");
}

TEST(StandardFolders, DefaultHomeIsTheUsersWhenNothingOverridesIt)
{
  ScopedEnv env(kHomeDirectoryEnv, nullptr);
  const std::string home = HomeDirectory();
  EXPECT_FALSE(home.empty());
  EXPECT_NE(home.back(), '/');
}

TEST(StandardFolders, SearchPathsOfEveryDomain)
{
  ScopedSystemFolders folders;
  const std::string& h = folders.Home();
  const std::string& r = folders.Root();
  struct Case
  {
    SearchPathDirectory dir;
    SearchPathDomain domain;
    bool expand;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {SearchPathDirectory::Desktop, SearchPathDomain::User, true, {h + "/Desktop"}},
      {SearchPathDirectory::Desktop, SearchPathDomain::User, false, {"~/Desktop"}},
      {SearchPathDirectory::Music, SearchPathDomain::User, true, {h + "/Music"}},
      {SearchPathDirectory::Library, SearchPathDomain::User, true, {h + "/Library"}},
      {SearchPathDirectory::ApplicationSupport,
       SearchPathDomain::User,
       true,
       {h + "/Library/Application Support"}},
      {SearchPathDirectory::ApplicationSupport,
       SearchPathDomain::User,
       false,
       {"~/Library/Application Support"}},
      {SearchPathDirectory::Library, SearchPathDomain::Local, true, {r + "/Library"}},
      {SearchPathDirectory::ApplicationSupport,
       SearchPathDomain::Local,
       true,
       {r + "/Library/Application Support"}},
      {SearchPathDirectory::Library, SearchPathDomain::System, true, {r + "/System/Library"}},
      {SearchPathDirectory::ApplicationSupport,
       SearchPathDomain::System,
       false,
       {r + "/System/Library/Application Support"}},
      {SearchPathDirectory::Desktop, SearchPathDomain::Local, true, {}},
      {SearchPathDirectory::Music, SearchPathDomain::System, true, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SearchPathForDirectoriesInDomains(c.dir, c.domain, c.expand), c.expected)
        << static_cast<int>(c.dir) << "/" << static_cast<int>(c.domain);
  EXPECT_EQ(FirstStandardFolder(SearchPathDirectory::Music, SearchPathDomain::User), h + "/Music");
  EXPECT_EQ(FirstStandardFolder(SearchPathDirectory::Music, SearchPathDomain::Local), "");
}

TEST(StandardFolders, RootDefaultsToTheFileSystemRoot)
{
  SetSystemRootDirectory(nullptr);
  EXPECT_EQ(SystemRootDirectory(), "/");
  EXPECT_EQ(FirstStandardFolder(SearchPathDirectory::Library, SearchPathDomain::Local), "/Library");
}

TEST(StandardFolders, GroupContainerAndProcessName)
{
  ScopedSystemFolders folders;
  EXPECT_EQ(GroupContainerDirectory("group.q.kelmo"),
            folders.Home() + "/Library/Group Containers/group.q.kelmo");
  EXPECT_EQ(GroupContainerDirectory(""), "");
  EXPECT_EQ(GroupContainerDirectory(nullptr), "");

  const std::string real = ProcessName();
  EXPECT_EQ(real, "macsystem_tests");
  SetProcessName("Host XPC Service");
  EXPECT_EQ(ProcessName(), "Host XPC Service");
  SetProcessName(nullptr);
  EXPECT_EQ(ProcessName(), real);
}
