// The editor open while audio runs on a thread of its own, as in a host: meters travel from the
// audio thread to the editor, frames complete on the GPU's thread, and the editor closes and
// reopens meanwhile. Run under ThreadSanitizer too.
#include "tools/editor/EditorSession.h"

#include "editor/VUMeterControl.h"
#include "platform/mac/ICanvasMac.h"
#include "tools/render/UserPresetIsolation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

using namespace kelmo::editor;

TEST(EditorThreads, AudioOnItsOwnThreadWhileTheEditorRunsClosesAndReopens)
{
  const kelmo::render::UserPresetIsolation isolation;
  SessionOptions options;
  options.bundleDir = KELMO_BUNDLE;
  std::string error;
  auto session = EditorSession::Open(options, error);
  ASSERT_TRUE(session) << error;

  std::atomic<bool> stop{false};
  std::atomic<int> blocks{0};
  LinkedPlugin& plug = session->Plugin();
  ASSERT_TRUE(plug.SetParameter(2 /* L Threshold */, 30.0)); // before the audio thread owns processing
  std::thread audio([&plug, &stop, &blocks] {
    constexpr int n = 800;
    std::vector<float> in(n), out0(n), out1(n);
    double phase = 0.0;
    while (!stop.load()) {
      for (float& s : in) {
        s = static_cast<float>(0.7 * std::sin(phase));
        phase = std::fmod(phase + 2.0 * M_PI * 1000.0 / 48000.0, 2.0 * M_PI);
      }
      const float* ins[2] = {in.data(), in.data()};
      float* outs[2] = {out0.data(), out1.data()};
      plug.Process(ins, outs, n);
      blocks.fetch_add(1);
      std::this_thread::yield();
    }
  });

  for (int round = 0; round < 2; ++round) {
    for (int frame = 0; frame < 3; ++frame)
      session->AdvanceMs(1000.0 / 60.0);
    ASSERT_TRUE(session->Graphics());
    ASSERT_TRUE(session->Reopen(error)) << error;
  }
  // Wait (in real time) until the audio thread has run, then let the meters arrive.
  while (blocks.load() < 150)
    std::this_thread::yield();
  for (int frame = 0; frame < 3; ++frame)
    session->AdvanceMs(1000.0 / 60.0);
  stop.store(true);
  audio.join();

  auto* meter = dynamic_cast<plugin::ui::VUMeterControl*>(session->Graphics()->GetControlWithTag(0));
  ASSERT_TRUE(meter);
  EXPECT_GT(meter->NeedlePosition(), 0.01f);
  EXPECT_EQ(session->Read().width, 899);
}
