// A bundle kelmo-editor cannot show the editor from is an error: one line, status 1, no picture.
#include "tools/editor/BundleCheck.h"
#include "tools/editor/EditorCommand.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

using namespace kelmo::editor;
using testsupport::TempFolder;
namespace fs = std::filesystem;

namespace {

// A bundle folder holding a copy of the built bundle's resources, less the files named.
std::string CopyOfResources(const TempFolder& dir, const std::string& name, const std::vector<std::string>& less)
{
  const fs::path resources = fs::path(dir / name) / "Contents" / "Resources";
  fs::create_directories(resources);
  for (const auto& entry : fs::directory_iterator(fs::path(KELMO_BUNDLE) / "Contents" / "Resources")) {
    const std::string file = entry.path().filename().string();
    if (std::find(less.begin(), less.end(), file) == less.end()) fs::copy(entry.path(), resources / file);
  }
  return dir / name;
}

} // namespace

TEST(BundleCheck, ABundleWithoutTheEditorsPicturesIsAnErrorOfOneLine)
{
  TempFolder dir;
  fs::create_directories(fs::path(dir / "empty.vst3") / "Contents" / "Resources");
  const struct
  {
    std::string bundle;
    const char* says;
  } table[] = {
      {dir / "missing.vst3", "does not exist"},
      {dir.WriteFile("plain.vst3", "not a folder"), "is not a folder"},
      {dir / "empty.vst3", "lacks the editor's picture"},
      {CopyOfResources(dir, "nobackground.vst3", {"background@2x.jpg"}), "background@2x.jpg"},
      {CopyOfResources(dir, "notrash.vst3", {"Trash@2x.png"}), "Trash@2x.png"},
  };
  for (const auto& row : table) {
    std::string error;
    EXPECT_FALSE(CheckEditorBundle(row.bundle, error)) << row.bundle;
    std::ostringstream out, err;
    EXPECT_EQ(RunEditorCommand({"--bundle", row.bundle, "--frames", "1", dir / "out.png"}, out, err), 1)
        << row.bundle;
    const std::string text = err.str();
    EXPECT_EQ(text.rfind("kelmo-editor: ", 0), 0u) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    EXPECT_NE(text.find(row.says), std::string::npos) << text;
    EXPECT_FALSE(fs::exists(dir / "out.png")) << row.bundle;
  }
}

TEST(BundleCheck, ACopyWithEveryPictureOpens)
{
  TempFolder dir;
  const std::string bundle = CopyOfResources(dir, "copy.vst3", {});
  std::string error;
  EXPECT_TRUE(CheckEditorBundle(bundle, error)) << error;
  std::ostringstream out, err;
  EXPECT_EQ(RunEditorCommand({"--bundle", bundle, "--frames", "1", dir / "out.png"}, out, err), 0) << err.str();
  EXPECT_TRUE(fs::exists(dir / "out.png"));
}
