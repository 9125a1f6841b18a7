#include "support/framework/RecordingPlugin.h"

#include "framework/queues/IKeyPress.h"

#include <gtest/gtest.h>

using plugin::EParamSource;
using plugin::IParam;
using plugin::test::HookCall;
using plugin::test::RecordingPlugin;

TEST(IEditorDelegate, BuildsDefaultParametersAndLimits)
{
  RecordingPlugin plug(44, 0);
  ASSERT_EQ(plug.NParams(), 44);
  for (int i = 0; i < 44; ++i) {
    EXPECT_EQ(plug.GetParam(i)->Value(), 0.0);
    EXPECT_EQ(plug.GetParam(i)->Type(), IParam::kTypeNone);
  }
  EXPECT_EQ(plug.GetParam(44), nullptr);
  EXPECT_EQ(plug.GetParam(-1), nullptr);
  EXPECT_EQ(plug.GetEditorWidth(), 0);
  EXPECT_EQ(plug.GetMinWidth(), 10);
  EXPECT_EQ(plug.GetMaxWidth(), 100000);
  EXPECT_EQ(plug.GetMinHeight(), 10);
  EXPECT_EQ(plug.GetMaxHeight(), 100000);
}

TEST(IEditorDelegate, ConstrainEditorResize)
{
  RecordingPlugin plug(0, 0);
  plug.SetSizeConstraints(2697, 899, 500, 1500); // reordered
  int w = 1000, h = 600;
  EXPECT_TRUE(plug.ConstrainEditorResize(w, h));
  EXPECT_EQ(w, 1000);
  EXPECT_EQ(h, 600);
  w = 800;
  EXPECT_FALSE(plug.ConstrainEditorResize(w, h));
  EXPECT_EQ(w, 899);
  EXPECT_EQ(h, 600);
  w = 3000;
  h = 2000;
  EXPECT_FALSE(plug.ConstrainEditorResize(w, h));
  EXPECT_EQ(w, 2697);
  EXPECT_EQ(h, 1500);
  w = 1000; // each side on its own
  h = 2000;
  EXPECT_FALSE(plug.ConstrainEditorResize(w, h));
  EXPECT_EQ(w, 1000);
  EXPECT_EQ(h, 1500);
  h = 100;
  EXPECT_FALSE(plug.ConstrainEditorResize(w, h));
  EXPECT_EQ(w, 1000);
  EXPECT_EQ(h, 500);
}

TEST(IEditorDelegate, MessagesReachOnMessageWithTagsInOrder)
{
  RecordingPlugin plug(0, 0);
  plug.SendControlMsgFromDelegate(/*ctrlTag*/ 7, /*msgTag*/ 3, 16, nullptr);
  plug.SendArbitraryMsgFromDelegate(5, 2, nullptr);
  ASSERT_EQ(plug.calls.size(), 2u);
  EXPECT_EQ(plug.calls[0], (HookCall{"OnMessage", 3, 7, 16}));
  EXPECT_EQ(plug.calls[1], (HookCall{"OnMessage", 5, -1, 2}));
}

TEST(IEditorDelegate, MidiAndSysexReachTheUIHooks)
{
  RecordingPlugin plug(0, 0);
  plugin::IMidiMsg msg;
  msg.mStatus = 0x90;
  plug.SendMidiMsgFromDelegate(msg);
  plugin::ISysEx sysex;
  sysex.mSize = 12;
  plug.SendSysexMsgFromDelegate(sysex);
  ASSERT_EQ(plug.calls.size(), 2u);
  EXPECT_EQ(plug.calls[0], (HookCall{"OnMidiMsgUI", 0x90}));
  EXPECT_EQ(plug.calls[1], (HookCall{"OnSysexMsgUI", 12}));
}

TEST(IEditorDelegate, ParamResetAlternatesHooksPerParameter)
{
  RecordingPlugin none(0, 0);
  none.OnParamReset(plugin::kReset);
  EXPECT_TRUE(none.calls.empty());

  RecordingPlugin plug(2, 0);
  plug.OnParamReset(plugin::kPresetRecall);
  const std::vector<HookCall> expected = {
      {"OnParamChange", 0, plugin::kPresetRecall, -1},
      {"OnParamChange1", 0},
      {"OnParamChangeUI", 0, plugin::kPresetRecall},
      {"OnParamChange", 1, plugin::kPresetRecall, -1},
      {"OnParamChange1", 1},
      {"OnParamChangeUI", 1, plugin::kPresetRecall},
  };
  EXPECT_EQ(plug.calls, expected);
}

TEST(IEditorDelegate, OpenAndRestoreSendSnappedNormalisedValues)
{
  RecordingPlugin plug(2, 0);
  plug.GetParam(0)->InitDouble("stepped", 0, 0, 10, 2, "", IParam::kFlagStepped);
  plug.GetParam(1)->InitDouble("plain", 0, -1, 1, 0.01);
  plug.GetParam(1)->Set(0.5);
  EXPECT_EQ(plug.OpenWindow(nullptr), nullptr);
  auto sent = plug.CallsOf("SendParameterValueFromDelegate");
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].value, 0.0);
  EXPECT_TRUE(sent[0].flag);
  EXPECT_DOUBLE_EQ(sent[1].value, 0.75);
  EXPECT_EQ(plug.CallsOf("OnParamChangeUI").size(), 2u); // base forwards with kDelegate
  EXPECT_EQ(plug.CallsOf("OnParamChangeUI")[0].source, plugin::kDelegate);

  plug.calls.clear();
  plug.OnRestoreState();
  EXPECT_EQ(plug.CallsOf("SendParameterValueFromDelegate").size(), 2u);
  plug.CloseWindow();
  EXPECT_EQ(plug.CallsOf("OnUIClose").size(), 1u);
}

TEST(IEditorDelegate, ValueFromUIIsSnappedClampedAndReported)
{
  RecordingPlugin plug(1, 0);
  IParam* p = plug.GetParam(0);
  p->InitDouble("p", 0, 0, 10, 2, "", IParam::kFlagStepped);
  plug.SendParameterValueFromUI(0, 0.33); // 3.3 -> 4
  EXPECT_EQ(p->Value(), 4.0);
  plug.SendParameterValueFromUI(0, 1.5);
  EXPECT_EQ(p->Value(), 10.0);
  const auto ui = plug.CallsOf("OnParamChangeUI");
  ASSERT_EQ(ui.size(), 2u);
  EXPECT_EQ(ui[0].source, plugin::kUI);
  EXPECT_TRUE(plug.CallsOf("OnParamChange").empty()); // the base does not call the plug-in hook

  plug.calls.clear();
  plug.SendParameterValueFromUI(1, 0.5); // bad index: ignored
  plug.SendParameterValueFromUI(-1, 0.5);
  EXPECT_TRUE(plug.calls.empty());
}

TEST(IEditorDelegate, BaseBodiesDoNothing)
{
  RecordingPlugin plug(1, 0);
  plugin::IByteChunk chunk;
  EXPECT_TRUE(plug.SerializeEditorState(chunk));
  EXPECT_EQ(chunk.Size(), 0);
  EXPECT_EQ(plug.UnserializeEditorState(chunk, 17), 17);
  EXPECT_FALSE(plug.EditorResizeFromUI(100, 100, true));
  plugin::IKeyPress key{};
  EXPECT_FALSE(plug.OnKeyDown(key));
  EXPECT_FALSE(plug.OnKeyUp(key));
  plug.InformHostOfAllParamValuesFromUI();
  EXPECT_TRUE(plug.calls.empty());
}
