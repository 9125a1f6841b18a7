#include "platform/mac/system/PathString.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace plugin::sys;

TEST(PathString, ComponentsExtensionsAndTilde)
{
  using F = std::function<std::string(const char*)>;
  const F last = [](const char* p) { return LastPathComponent(p); };
  const F parent = [](const char* p) { return DeletingLastPathComponent(p); };
  const F ext = [](const char* p) { return PathExtension(p); };
  const F base = [](const char* p) { return DeletingPathExtension(p); };
  const F join = [](const char* p) { return AppendingPathComponent(p, "b.ttf"); };
  const F withExt = [](const char* p) { return AppendingPathExtension(p, "png"); };
  const F tilde = [](const char* p) { return ExpandingTildeInPath(p, "/home/u/"); };
  const struct
  {
    const F* f;
    const char* in;
    const char* out;
  } cases[] = {
      {&last, "/a/b.ttf", "b.ttf"},
      {&last, "/a//", "a"},
      {&last, "/", "/"},
      {&last, "", ""},
      {&last, "b", "b"},
      {&parent, "/a/b", "/a"},
      {&parent, "/a", "/"},
      {&parent, "b", ""},
      {&parent, "/", "/"},
      {&parent, "a//b/", "a"},
      {&ext, "/a.d/b.TTF", "TTF"},
      {&ext, "/a.d/b", ""},
      {&ext, ".hidden", ""},
      {&ext, "dir/.hidden", ""},
      {&ext, "x.tar.gz", "gz"},
      {&base, "img/knob.png", "img/knob"},
      {&base, "a.d/knob", "a.d/knob"},
      {&base, ".hidden", ".hidden"},
      {&join, "/a/", "/a/b.ttf"},
      {&join, "", "b.ttf"},
      {&join, "/", "/b.ttf"},
      {&join, "a//c", "a/c/b.ttf"},
      {&withExt, "/a/knob/", "/a/knob.png"},
      {&withExt, "knob", "knob.png"},
      {&tilde, "~", "/home/u"},
      {&tilde, "~/Music", "/home/u/Music"},
      {&tilde, "~user/Music", "~user/Music"},
      {&tilde, "/abs/~", "/abs/~"},
      {&tilde, "", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ((*c.f)(c.in), c.out) << c.in;
  EXPECT_EQ(AppendingPathComponent("/a", ""), "/a");
  EXPECT_EQ(AppendingPathExtension("/a/knob", ""), "/a/knob");
}
