#include "tools/artwork/ArtworkCommand.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using kelmo::artwork::RunArtworkCommand;

TEST(ArtworkCommandTest, UsageErrorsDrawNothing)
{
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"--preview"},
      {"out", "--preview"},
      {"out", "--preview", ""},
      {"out", "other"},
      {"out", "--frames"},
      {""},
  };
  for (const auto& args : cases) {
    std::ostringstream err;
    EXPECT_EQ(RunArtworkCommand(args, err), 2) << args.size();
    EXPECT_NE(err.str().find("usage:"), std::string::npos);
  }
}

TEST(ArtworkCommandTest, AnOutputFolderThatIsAFileFails)
{
  const auto path = std::filesystem::temp_directory_path() / "kelmo-artwork-not-a-folder";
  std::ofstream(path) << "x";
  std::ostringstream err;
  EXPECT_EQ(RunArtworkCommand({path.string()}, err), 1);
  EXPECT_NE(err.str().find("cannot make the folder"), std::string::npos) << err.str();
  std::filesystem::remove(path);
}

} // namespace
