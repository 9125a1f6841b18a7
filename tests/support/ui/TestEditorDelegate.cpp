#include "support/ui/TestEditorDelegate.h"

#include "framework/params/IParam.h"
#include "framework/queues/IMidiMsg.h"

namespace plugin::ui::test {

std::ostream& operator<<(std::ostream& os, const DelegateCall& call)
{
  return os << "{" << call.op << ", " << call.index << ", " << call.value << ", " << call.extra << "}";
}

TestEditorDelegate::TestEditorDelegate(int nParams) : ICanvasEditorDelegate(nParams)
{
  if (IParam* p = GetParam(kGain)) p->InitDouble("Gain", 0.0, -12.0, 12.0, 0.1, "dB");
  if (IParam* p = GetParam(kSteps)) p->InitInt("Steps", 5, 0, 10);
  if (IParam* p = GetParam(kMode)) p->InitEnum("Mode", 1, {"Off", "Soft", "Hard"});
  if (IParam* p = GetParam(kBypass)) p->InitBool("Bypass", false);
}

void TestEditorDelegate::BeginInformHostOfParamChangeFromUI(int paramIdx)
{
  calls.push_back({"Begin", paramIdx});
}

void TestEditorDelegate::EndInformHostOfParamChangeFromUI(int paramIdx)
{
  calls.push_back({"End", paramIdx});
}

void TestEditorDelegate::SendParameterValueFromUI(int paramIdx, double normalizedValue)
{
  calls.push_back({"Send", paramIdx, normalizedValue});
  ICanvasEditorDelegate::SendParameterValueFromUI(paramIdx, normalizedValue);
}

void TestEditorDelegate::OnParamChangeUI(int paramIdx, EParamSource source)
{
  calls.push_back({"ParamChangeUI", paramIdx, 0.0, static_cast<int>(source)});
}

bool TestEditorDelegate::EditorResizeFromUI(int width, int height, bool needsPlatformResize)
{
  calls.push_back({"Resize", width, static_cast<double>(height), needsPlatformResize ? 1 : 0});
  return resizeResult;
}

void TestEditorDelegate::DeferMidiMsg(const IMidiMsg& msg)
{
  calls.push_back({"Midi", msg.mStatus, static_cast<double>(msg.mData1), msg.mData2});
}

void TestEditorDelegate::SendMidiMsgFromUI(const IMidiMsg& msg)
{
  calls.push_back({"MidiFromUI", msg.mStatus, static_cast<double>(msg.mData1), msg.mData2});
}

void TestEditorDelegate::LayoutUI(ICanvas* ui)
{
  calls.push_back({"Layout"});
  ICanvasEditorDelegate::LayoutUI(ui);
}

void TestEditorDelegate::OnUIOpen()
{
  calls.push_back({"UIOpen"});
  ICanvasEditorDelegate::OnUIOpen();
}

std::vector<DelegateCall> TestEditorDelegate::CallsNamed(const std::string& op) const
{
  std::vector<DelegateCall> out;
  for (const DelegateCall& c : calls)
    if (c.op == op) out.push_back(c);
  return out;
}

} // namespace plugin::ui::test
