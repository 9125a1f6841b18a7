#include "tools/artwork/ArtworkCommand.h"
#include "support/TempFolder.h"

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
  const testsupport::TempFolder temp;
  const std::string path = temp.WriteFile("not-a-folder", "x");
  std::ostringstream err;
  EXPECT_EQ(RunArtworkCommand({path}, err), 1);
  EXPECT_NE(err.str().find("cannot make the folder"), std::string::npos) << err.str();
}

} // namespace
