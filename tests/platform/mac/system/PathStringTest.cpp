#include "platform/mac/system/PathString.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace plugin::sys;

namespace {

struct PathCase
{
  const char* op;
  std::function<std::string()> call;
  std::string expected;
};

} // namespace

TEST(PathString, ComponentsExtensionsAndTilde)
{
  const PathCase cases[] = {
      {"last", [] { return LastPathComponent("/a/b.ttf"); }, "b.ttf"},
      {"last trailing", [] { return LastPathComponent("/a/b/"); }, "b"},
      {"last root", [] { return LastPathComponent("/"); }, "/"},
      {"last bare", [] { return LastPathComponent("b"); }, "b"},
      {"last empty", [] { return LastPathComponent(""); }, ""},
      {"delete last", [] { return DeletingLastPathComponent("/a/b.ttf"); }, "/a"},
      {"delete last doubled", [] { return DeletingLastPathComponent("/a//b//"); }, "/a"},
      {"delete last top", [] { return DeletingLastPathComponent("/a"); }, "/"},
      {"delete last bare", [] { return DeletingLastPathComponent("b"); }, ""},
      {"delete last root", [] { return DeletingLastPathComponent("/"); }, "/"},
      {"append", [] { return AppendingPathComponent("/a", "b"); }, "/a/b"},
      {"append no doubled separator", [] { return AppendingPathComponent("/a/", "/b/"); }, "/a/b"},
      {"append to root", [] { return AppendingPathComponent("/", "b"); }, "/b"},
      {"append to empty", [] { return AppendingPathComponent("", "b"); }, "b"},
      {"append empty", [] { return AppendingPathComponent("/a/", ""); }, "/a"},
      {"extension", [] { return PathExtension("/a.b/c.TTF"); }, "TTF"},
      {"extension in folder only", [] { return PathExtension("/a.b/c"); }, ""},
      {"extension hidden", [] { return PathExtension("/a/.hidden"); }, ""},
      {"extension last dot", [] { return PathExtension("x.tar.gz"); }, "gz"},
      {"delete extension", [] { return DeletingPathExtension("fonts/Roboto-Regular.ttf"); },
       "fonts/Roboto-Regular"},
      {"delete extension none", [] { return DeletingPathExtension("/a.b/c"); }, "/a.b/c"},
      {"append extension", [] { return AppendingPathExtension("/a/b/", "png"); }, "/a/b.png"},
      {"append empty extension", [] { return AppendingPathExtension("/a/b", ""); }, "/a/b"},
      {"tilde alone", [] { return ExpandingTildeInPath("~", "/home/u"); }, "/home/u"},
      {"tilde path", [] { return ExpandingTildeInPath("~/Music", "/home/u/"); }, "/home/u/Music"},
      {"tilde user", [] { return ExpandingTildeInPath("~other/x", "/home/u"); }, "~other/x"},
      {"no tilde", [] { return ExpandingTildeInPath("/x/~", "/home/u"); }, "/x/~"},
  };
  for (const PathCase& c : cases)
    EXPECT_EQ(c.call(), c.expected) << c.op;
}
