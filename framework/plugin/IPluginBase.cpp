#include "framework/plugin/IPluginBase.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace plugin {

IPluginBase::IPluginBase(int nParams, int nPresets) : EditorDelegateBase(nParams)
{
  for (int i = 0; i < nPresets; ++i) {
    IPreset* preset = new IPreset();
    if (!mPresets.Add(preset)) {
      delete preset;
      break;
    }
  }
}

IPluginBase::~IPluginBase()
{
  mPresets.Empty(true);
  mParamGroups.Empty(false);
}

void IPluginBase::InformHostOfParameterDetailsChange() {}

bool IPluginBase::SerializeState(IByteChunk& chunk) const
{
  return SerializeParams(chunk);
}

int IPluginBase::UnserializeState(const IByteChunk& chunk, int startPos)
{
  return UnserializeParams(chunk, startPos);
}

bool IPluginBase::SerializeStateHook(IByteChunk&) const
{
  return true;
}

int IPluginBase::UnserializeStateHook(const IByteChunk&, int startPos)
{
  return startPos;
}

void IPluginBase::InformHostOfPresetChange() {}

void IPluginBase::OnPresetChanged() {}

bool IPluginBase::SerializeParams(IByteChunk& chunk) const
{
  const int oldSize = chunk.Size();
  const int64_t newSize = int64_t{oldSize} + int64_t{8} * NParams();
  if (newSize == oldSize) return true;
  if (newSize > HeapBuf::kMaxAlloc || chunk.Resize(static_cast<int>(newSize)) != newSize) {
    chunk.Resize(oldSize);
    return false; // could not grow: the chunk is left as it was
  }
  uint8_t* out = chunk.GetData() + oldSize;
  for (int i = 0; i < NParams(); ++i) {
    const IParam* param = GetParam(i);
    const double value = param ? param->Value() : 0.0;
    std::memcpy(out + 8 * i, &value, sizeof(value));
  }
  return true;
}

int IPluginBase::UnserializeParams(const IByteChunk& chunk, int startPos)
{
  if (NParams() == 0 || startPos < 0) {
    OnParamReset(kPresetRecall);
    return startPos;
  }
  int pos = startPos;
  for (int i = 0; i < NParams() && pos >= 0; ++i) {
    double value = 0.0;
    pos = chunk.Get(&value, pos);
    if (pos >= 0) GetParam(i)->Set(value); // a parameter without data keeps its value
  }
  OnParamReset(kPresetRecall);
  return pos;
}

int IPluginBase::VersionOf(int packed, bool decimal) noexcept
{
  if (!decimal) return packed;
  const int major = (packed >> 16) & 0xffff;
  const int minor = (packed >> 8) & 0xff;
  const int bugFix = packed & 0xff;
  return major * 10000 + minor * 100 + bugFix;
}

void IPluginBase::VersionStr(int packed, StringBuf& out)
{
  out.SetFormatted(32, "v%d.%d.%d", (packed >> 16) & 0xffff, (packed >> 8) & 0xff, packed & 0xff);
}

const char* IPluginBase::GetAPIString() const noexcept
{
  static constexpr const char* kNames[] = {"VST2", "VST3", "AU", "AUv3", "AAX", "APP", "WAM", "WEB", "CLAP"};
  const int code = static_cast<int>(mAPI);
  if (code < 0 || code >= static_cast<int>(std::size(kNames))) return "";
  return kNames[code];
}

const char* IPluginBase::GetArchString() const noexcept
{
#if defined(__aarch64__) || defined(__arm64__)
  return "arm64";
#elif defined(__x86_64__)
  return "x86_64";
#else
  return "unknown";
#endif
}

void IPluginBase::GetBuildInfoStr(StringBuf& out, const char* date, const char* time) const
{
  StringBuf version;
  GetPluginVersionStr(version);
  out.SetFormatted(256, "%s %s (%s), built on %s at %.5s ", version.Get(), GetAPIString(), GetArchString(),
                   date ? date : "", time ? time : "");
}

const char* IPluginBase::GetParamGroupName(int idx) const noexcept
{
  const char* name = mParamGroups.Get(idx);
  return name ? name : "";
}

int IPluginBase::AddParamGroup(const char* name)
{
  if (!name || !*name) return -1;
  for (int i = 0; i < NParamGroups(); ++i)
    if (std::strcmp(mParamGroups.Get(i), name) == 0) return i;
  if (!mParamGroups.Add(name)) return -1;
  return NParamGroups() - 1;
}

void IPluginBase::CloneParams(int fromStart, int fromEnd, int toStart, const char* searchText,
                              const char* replaceText, const char* newGroup)
{
  if (fromStart > fromEnd || fromStart < 0 || toStart < 0) return;
  const int64_t count = std::min<int64_t>(
      {int64_t{fromEnd} - fromStart + 1, int64_t{NParams()} - fromStart, int64_t{NParams()} - toStart});
  for (int k = 0; k < count; ++k) {
    IParam* target = GetParam(toStart + k);
    const IParam* source = GetParam(fromStart + k);
    target->Init(*source, searchText, replaceText, newGroup);
    target->Set(source->Value());
  }
}

void IPluginBase::CopyParamValues(int startIdx, int destIdx, int nParams)
{
  if (nParams < 1 || startIdx < 0 || destIdx < 0) return;
  const int64_t count =
      std::min<int64_t>({int64_t{nParams}, int64_t{NParams()} - startIdx, int64_t{NParams()} - destIdx});
  for (int k = 0; k < count; ++k)
    GetParam(destIdx + k)->Set(GetParam(startIdx + k)->Value());
}

void IPluginBase::CopyParamValues(const char* fromGroup, const char* toGroup)
{
  if (!fromGroup || !toGroup) return;
  PtrList<IParam> from(4096);
  PtrList<IParam> to(4096);
  for (int i = 0; i < NParams(); ++i) {
    IParam* param = GetParam(i);
    if (std::strcmp(param->GetGroup(), fromGroup) == 0)
      from.Add(param);
    else if (std::strcmp(param->GetGroup(), toGroup) == 0)
      to.Add(param);
  }
  const int count = std::min(from.GetSize(), to.GetSize());
  for (int i = 0; i < count; ++i)
    to.Get(i)->Set(from.Get(i)->Value());
}

} // namespace plugin
