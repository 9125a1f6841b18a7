#include "platform/mac/system/StandardFolders.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <string>
#include <unistd.h>
#include <vector>

using namespace plugin::sys;

namespace {} // namespace

// The home is the override, else the user's own; tests point it away from the real one, while a
// plain run keeps the user's home.
TEST(StandardFolders, HomeComesFromTheOverrideThenTheUser)
{
  const passwd* entry = ::getpwuid(::getuid());
  ASSERT_TRUE(entry && entry->pw_dir && *entry->pw_dir);
  const std::string own = entry->pw_dir;
  EXPECT_EQ(HomeDirectory(), own);
  SetHomeDirectory("/tmp/set-home/");
  EXPECT_EQ(HomeDirectory(), "/tmp/set-home");
  EXPECT_EQ(FirstStandardFolder(SearchPathDirectory::Music, SearchPathDomain::User), "/tmp/set-home/Music");
  SetHomeDirectory("");
  EXPECT_EQ(HomeDirectory(), own);
  SetHomeDirectory("/tmp/set-home");
  SetHomeDirectory(nullptr);
  EXPECT_EQ(HomeDirectory(), own);
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
    std::string folder;
  } cases[] = {
      {D::Desktop, M::User, "/tmp/home/Desktop"},
      {D::Music, M::User, "/tmp/home/Music"},
      {D::Library, M::User, "/tmp/home/Library"},
      {D::ApplicationSupport, M::User, "/tmp/home/Library/Application Support"},
      {D::ApplicationSupport, M::Local, "/tmp/root/Library/Application Support"},
      {D::ApplicationSupport, M::System, "/tmp/root/System/Library/Application Support"},
      {D::Library, M::Local, "/tmp/root/Library"},
      {D::Desktop, M::Local, ""},
      {D::Music, M::System, ""},
  };
  SetHomeDirectory("/tmp/home");
  for (const auto& c : cases)
    EXPECT_EQ(FirstStandardFolder(c.directory, c.domain), c.folder)
        << int(c.directory) << " " << int(c.domain);
  SetHomeDirectory(nullptr);
  SetSystemRootDirectory(nullptr);
  EXPECT_EQ(SystemRootDirectory(), "/");
  EXPECT_EQ(GroupContainerDirectory(""), "");
}
