#include "framework/plugin/IPluginAPIBase.h"

#include "framework/plugin/HostDetection.h"

#include <algorithm>
#include <cmath>

namespace plugin {

namespace {

constexpr int kMaxNameLen = 128;

} // namespace

IPluginAPIBase::IPluginAPIBase(const IPluginConfig& config, EAPI api)
    : IPluginBase(config.mNParams, config.mNPresets)
{
  mPluginName.Set(config.mPluginName, kMaxNameLen);
  mProductName.Set(config.mProductName, kMaxNameLen);
  mMfrName.Set(config.mMfrName, kMaxNameLen);
  mVersion = config.mVendorVersion;
  mUniqueID = config.mUniqueID;
  mMfrID = config.mMfrID;
  mStateChunks = config.mPlugDoesChunks;
  mHasUI = config.mPlugHasUI;
  mHostResize = config.mPlugHostResize;
  mAPI = api;
  mBundleID.Set(config.mBundleID);
  mAppGroupID.Set(config.mAppGroupID);
  SetEditorSize(config.mPlugWidth, config.mPlugHeight);
  SetSizeConstraints(config.mPlugMinWidth, config.mPlugMaxWidth, config.mPlugMinHeight,
                     config.mPlugMaxHeight);
}

IPluginAPIBase::~IPluginAPIBase()
{
  // No tick may reach a half-destroyed object.
  DestroyTimer();
}

void IPluginAPIBase::CreateTimer()
{
  CreateTimer(RunLoop::Main());
}

void IPluginAPIBase::CreateTimer(RunLoop& loop)
{
  mTimer.reset();
  mTimer = Timer::Create([this](Timer& timer) { OnTimer(timer); }, kTimerIntervalMs, loop);
}

void IPluginAPIBase::OnTimer(Timer&)
{
  if (HasUI()) {
    IMidiMsg msg;
    while (mMidiMsgsFromProcessor.Pop(msg)) {
      SendMidiMsgFromDelegate(msg);
      msg = IMidiMsg{};
    }
    SysExData data;
    while (mSysExDataFromProcessor.Pop(data)) {
      SendSysexMsgFromDelegate(data.AsSysEx());
      data = SysExData{};
    }
  }
  OnIdle();
}

void IPluginAPIBase::SetHost(const char* hostName, int version)
{
  const EHost host = LookUpHost(hostName);
  mHostVersion = version;
  mHost = host;
  HostSpecificInit();
  OnHostIdentified();
}

void IPluginAPIBase::SetParameterValue(int paramIdx, double normalized)
{
  IParam* param = GetParam(paramIdx);
  if (!param) return;
  // Snap and clamp twice: a snapped value at the clamped edge must itself be on the grid.
  const double value =
      param->Constrain(param->Constrain(param->GetShape().ValueFromNormalized(normalized, *param)));
  param->Set(value);
  // The host hears the caller's value, but never one it cannot take.
  const double toHost =
      std::isnan(normalized) ? param->ToNormalized(value) : std::clamp(normalized, 0.0, 1.0);
  InformHostOfParamChange(paramIdx, toHost);
  OnParamChange(paramIdx, kUI, -1);
}

void IPluginAPIBase::InformHostOfAllParamValuesFromUI()
{
  for (int i = 0; i < NParams(); ++i) {
    const IParam* param = GetParam(i);
    InformHostOfParamChange(i, param->ToNormalized(param->Value()));
  }
}

void IPluginAPIBase::BeginInformHostOfParamChangeFromUI(int paramIdx)
{
  BeginInformHostOfParamChange(paramIdx);
}

void IPluginAPIBase::SendParameterValueFromUI(int paramIdx, double normalizedValue)
{
  SetParameterValue(paramIdx, normalizedValue);
  IPluginBase::SendParameterValueFromUI(paramIdx, normalizedValue); // same value again, then the UI hook
}

void IPluginAPIBase::EndInformHostOfParamChangeFromUI(int paramIdx)
{
  EndInformHostOfParamChange(paramIdx);
}

bool IPluginAPIBase::EditorResizeFromUI(int width, int height, bool needsPlatformResize)
{
  return needsPlatformResize ? EditorResize(width, height) : true;
}

void IPluginAPIBase::DeferMidiMsg(const IMidiMsg& msg)
{
  SendMidiMsgFromUI(msg);
}

void IPluginAPIBase::DeferSysexMsg(const ISysEx& msg)
{
  SendSysexMsgFromUI(msg);
}

void IPluginAPIBase::SendArbitraryMsgFromUI(int msgTag, int ctrlTag, int dataSize, const void* data)
{
  OnMessage(msgTag, ctrlTag, dataSize, data);
}

void IPluginAPIBase::SendMidiMsgFromUI(const IMidiMsg& msg)
{
  mMidiMsgsFromEditor.Push(msg);
}

void IPluginAPIBase::SendSysexMsgFromUI(const ISysEx& msg)
{
  SysExData data;
  if (data.Assign(msg)) mSysExDataFromEditor.Push(data);
}

bool IPluginAPIBase::CompareState(const double* values, int startIdx) const
{
  if (NParams() == 0) return true;
  if (!values || startIdx < 0) return false;
  for (int i = 0; i < NParams(); ++i) {
    const float current = static_cast<float>(GetParam(i)->Value());
    const float stored = static_cast<float>(values[startIdx + i]);
    if (!(std::fabs(current - stored) < 1e-5f)) return false;
  }
  return true;
}

bool IPluginAPIBase::HostQueryA()
{
  return false;
}

bool IPluginAPIBase::HostQueryB()
{
  return false;
}

void IPluginAPIBase::OnHostIdentified() {}

void IPluginAPIBase::AppendIndexRange(int n, TypedBuf<int>& out)
{
  if (n < 1 || n >= NParams()) return;
  const int oldSize = out.GetSize();
  int* data = out.Resize(oldSize + n, false);
  if (!data || out.GetSize() != oldSize + n) return; // out of memory: nothing appended
  for (int i = 0; i < n; ++i)
    data[oldSize + i] = i;
}

bool IPluginAPIBase::IntPairQuery(int a, int b)
{
  return static_cast<long long>(a) + b == 0;
}

void IPluginAPIBase::HostNotifyA() {}

bool IPluginAPIBase::GetTextForInt(int, char* text)
{
  if (text) text[0] = '\0';
  return false;
}

ui::ICanvas* IPluginAPIBase::GetUI()
{
  return nullptr;
}

void IPluginAPIBase::OnIdle() {}

void IPluginAPIBase::GetTrackColor(int& r, int& g, int& b)
{
  r = g = b = 0;
}

void IPluginAPIBase::GetTrackName(StringBuf&) {}

int IPluginAPIBase::GetTrackIndex()
{
  return 0;
}

void IPluginAPIBase::GetTrackNamespace(StringBuf&) {}

int IPluginAPIBase::GetTrackNamespaceIndex()
{
  return 0;
}

bool IPluginAPIBase::EnqueueParamChange(int paramIdx, double value, bool normalized)
{
  const IParam* param = GetParam(paramIdx);
  if (!param) return false;
  if (normalized) value = param->FromNormalized(value);
  return mParamChangeFromProcessor.Push(IParamChange{paramIdx, value});
}

void IPluginAPIBase::HostSpecificInit() {}

bool IPluginAPIBase::EditorResize(int, int)
{
  return false;
}

void IPluginAPIBase::BeginInformHostOfParamChange(int) {}

void IPluginAPIBase::EndInformHostOfParamChange(int) {}

void IPluginAPIBase::InformHostOfParamChange(int, double) {}

void IPluginAPIBase::HostNotifyB() {}

void IPluginAPIBase::HostNotifyC() {}

} // namespace plugin
