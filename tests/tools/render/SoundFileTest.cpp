// WAV files through the sound file library: round trips, clipping, and no partial outputs.
#include "tests/tools/render/RenderTestSupport.h"
#include "tools/render/InterruptCleanup.h"

#include <sndfile.h>

#include <cmath>
#include <csignal>
#include <fstream>
#include <limits>
#include <sys/wait.h>
#include <unistd.h>

using namespace kelmo::render;
using namespace rendertest;

namespace {

Audio Ramp(int channels, int frames, double scale)
{
  Audio a(static_cast<size_t>(channels), std::vector<double>(static_cast<size_t>(frames)));
  for (int c = 0; c < channels; ++c)
    for (int i = 0; i < frames; ++i)
      a[static_cast<size_t>(c)][static_cast<size_t>(i)] =
          scale * std::sin(0.01 * i + c) * (c == 0 ? 1.0 : -0.5);
  return a;
}

int FormatOf(const std::string& path)
{
  SF_INFO info{};
  SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
  if (!f) return 0;
  sf_close(f);
  return info.format;
}

} // namespace

TEST(SoundFile, FloatWavRoundTripIsExactInFloat)
{
  TempFolder dir;
  const Audio a = Ramp(2, 3000, 0.9);
  WriteAll(dir / "f.wav", a, 44100);
  double rate = 0.0;
  const Audio back = ReadAll(dir / "f.wav", &rate);
  EXPECT_EQ(rate, 44100.0);
  EXPECT_EQ(back, AsFloat(a));
  EXPECT_EQ(FormatOf(dir / "f.wav"), SF_FORMAT_WAV | SF_FORMAT_FLOAT);
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"f.wav"}); // no temporary file left
  // Float keeps over-range values.
  WriteAll(dir / "loud.wav", {{2.0, -3.5}}, 48000);
  EXPECT_EQ(ReadAll(dir / "loud.wav")[0], (std::vector<double>{2.0, -3.5}));
}

TEST(SoundFile, Pcm24RoundTripWithinOneStepAndClipped)
{
  TempFolder dir;
  const Audio a = Ramp(1, 2000, 0.99);
  WriteAll(dir / "p.wav", a, 48000, true);
  EXPECT_EQ(FormatOf(dir / "p.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_24);
  const Audio back = ReadAll(dir / "p.wav");
  ASSERT_EQ(back[0].size(), 2000u);
  for (size_t i = 0; i < 2000; ++i)
    ASSERT_NEAR(back[0][i], a[0][i], 1.0 / 8388608.0) << i;
  // Over-range samples clip at full scale instead of wrapping around.
  WriteAll(dir / "clip.wav", {{1.5, -1.5, 0.5}}, 48000, true);
  const Audio clipped = ReadAll(dir / "clip.wav");
  EXPECT_NEAR(clipped[0][0], 1.0, 1e-6);
  EXPECT_NEAR(clipped[0][1], -1.0, 1e-6);
  EXPECT_NEAR(clipped[0][2], 0.5, 1e-6);
}

TEST(SoundFile, UncommittedOrFailedWritesLeaveNothing)
{
  TempFolder dir;
  const std::string out = dir / "out.wav";
  {
    std::ofstream(out) << "previous";
    std::string error;
    auto writer = SoundFileWriter::Create(out, 48000, 2, false, error);
    ASSERT_TRUE(writer) << error;
    const std::string temp = writer->TemporaryPath();
    EXPECT_TRUE(std::filesystem::exists(temp));
    EXPECT_EQ(temp.find(dir.Path() + "/."), 0u); // hidden, next to the output
    double x[4] = {0.1, 0.2, 0.3, 0.4};
    const double* ch[2] = {x, x + 2};
    ASSERT_TRUE(writer->Write(ch, 2, error));
    // Destroyed without Commit: the temporary file goes, the earlier output stays.
  }
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"out.wav"});
  std::ifstream in(out);
  std::string text;
  in >> text;
  EXPECT_EQ(text, "previous");

  std::string error;
  EXPECT_FALSE(SoundFileWriter::Create(dir / "missing/out.wav", 48000, 1, false, error));
  EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
  std::filesystem::create_directory(dir / "folder.wav");
  EXPECT_FALSE(SoundFileWriter::Create(dir / "folder.wav", 48000, 1, false, error));
  EXPECT_NE(error.find("it is a folder"), std::string::npos) << error;
}

TEST(SoundFile, ReaderRefusesWhatIsNotSound)
{
  TempFolder dir;
  std::string error;
  EXPECT_FALSE(SoundFileReader::Open(dir / "none.wav", error));
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
  EXPECT_FALSE(SoundFileReader::Open(dir.Path(), error));
  EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
  std::ofstream(dir / "text.wav") << "RIFF but not really a wave file at all";
  EXPECT_FALSE(SoundFileReader::Open(dir / "text.wav", error));
  EXPECT_EQ(error.find('\n'), std::string::npos);
  std::ofstream(dir / "empty.wav");
  EXPECT_FALSE(SoundFileReader::Open(dir / "empty.wav", error));

  // A WAV cut short inside its data reads what is there and then ends.
  WriteAll(dir / "whole.wav", Ramp(2, 1000, 0.5), 48000);
  const auto size = std::filesystem::file_size(dir / "whole.wav");
  std::filesystem::copy_file(dir / "whole.wav", dir / "cut.wav");
  std::filesystem::resize_file(dir / "cut.wav", size - 4000);
  const Audio cut = ReadAll(dir / "cut.wav");
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_EQ(cut[0].size(), 500u);
}

TEST(SoundFile, EverySignalThatEndsTheToolRemovesTheTemporaryFile)
{
  for (int signal :
       {SIGTERM, SIGINT, SIGQUIT, SIGHUP, SIGPIPE, SIGXFSZ, SIGUSR1, SIGALRM, SIGRTMIN, SIGRTMAX}) {
    TempFolder dir;
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(fds[0]);
      InstallInterruptCleanup();
      std::string error;
      auto writer = SoundFileWriter::Create(dir / "out.wav", 48000, 1, false, error);
      const std::string temp = writer ? writer->TemporaryPath() : std::string();
      if (::write(fds[1], temp.c_str(), temp.size() + 1) < 0) ::_exit(3);
      ::raise(signal);
      ::_exit(4); // not reached
    }
    ::close(fds[1]);
    char temp[4096] = {};
    ASSERT_GT(::read(fds[0], temp, sizeof temp - 1), 1);
    ::close(fds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status)) << signal;
    EXPECT_EQ(WTERMSIG(status), signal);
    EXPECT_FALSE(std::filesystem::exists(temp)) << signal;
    EXPECT_TRUE(dir.Entries().empty()) << signal;
  }
}
