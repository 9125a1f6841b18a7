#include "platform/mac/system/StandardFolders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <string>
#include <unistd.h>
#include <vector>

using namespace plugin::sys;

namespace {

// Sets or clears an environment variable for one scope and puts the old value back after.
class ScopedEnv
{
public:
  ScopedEnv(const char* name, const char* value) : mName(name)
  {
    if (const char* old = std::getenv(name)) mOld = old;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~ScopedEnv()
  {
    if (mOld)
      ::setenv(mName, mOld->c_str(), 1);
    else
      ::unsetenv(mName);
  }

private:
  const char* mName;
  std::optional<std::string> mOld;
};

} // namespace

// The home is the override, else $KELMO_HOME, else the user's own; tests point it away from the
// real one, while a plain run keeps the user's home.
TEST(StandardFolders, HomeComesFromTheOverrideThenTheEnvironmentThenTheUser)
{
  const passwd* entry = ::getpwuid(::getuid());
  ASSERT_TRUE(entry && entry->pw_dir && *entry->pw_dir);
  const std::string own = entry->pw_dir;
  {
    ScopedEnv unset(kHomeDirectoryEnv, nullptr);
    EXPECT_EQ(HomeDirectory(), own);
    ScopedEnv empty(kHomeDirectoryEnv, "");
    EXPECT_EQ(HomeDirectory(), own);
  }
  ScopedEnv env(kHomeDirectoryEnv, "/tmp/env-home//");
  EXPECT_EQ(HomeDirectory(), "/tmp/env-home");
  SetHomeDirectory("/tmp/set-home/");
  EXPECT_EQ(HomeDirectory(), "/tmp/set-home");
  EXPECT_EQ(FirstStandardFolder(SearchPathDirectory::Music, SearchPathDomain::User), "/tmp/set-home/Music");
  SetHomeDirectory("");
  EXPECT_EQ(HomeDirectory(), "/tmp/env-home");
  SetHomeDirectory(nullptr);
  EXPECT_EQ(HomeDirectory(), "/tmp/env-home");
}

TEST(StandardFolders, FoldersOfEachDomain)
{
  SetSystemRootDirectory("/tmp/root");
  using D = SearchPathDirectory;
  using M = SearchPathDomain;
  const struct
  {
    D directory;
    M domain;
    std::vector<std::string> folders; // unexpanded
  } cases[] = {
      {D::Desktop, M::User, {"~/Desktop"}},
      {D::Music, M::User, {"~/Music"}},
      {D::Library, M::User, {"~/Library"}},
      {D::ApplicationSupport, M::User, {"~/Library/Application Support"}},
      {D::ApplicationSupport, M::Local, {"/tmp/root/Library/Application Support"}},
      {D::ApplicationSupport, M::System, {"/tmp/root/System/Library/Application Support"}},
      {D::Library, M::Local, {"/tmp/root/Library"}},
      {D::Desktop, M::Local, {}},
      {D::Music, M::System, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SearchPathForDirectoriesInDomains(c.directory, c.domain, false), c.folders)
        << int(c.directory) << " " << int(c.domain);
  EXPECT_EQ(FirstStandardFolder(D::Music, M::System), "");
  SetSystemRootDirectory(nullptr);
  EXPECT_EQ(SystemRootDirectory(), "/");
  EXPECT_EQ(GroupContainerDirectory(""), "");
}
