// Preset records, the preset bank chunk and the preset source dumps of IPluginBase.
#include "framework/buffers/Base64.h"
#include "framework/plugin/IPluginBase.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace plugin {

namespace {

// Marks a parameter that no named pair gives a value for.
constexpr double kNoValue = 9.999e-8;

// Lowest-index record that is still free, or null.
IPreset* FirstFreePreset(const PtrList<IPreset>& presets) noexcept
{
  for (int i = 0; i < presets.GetSize(); ++i) {
    IPreset* preset = presets.Get(i);
    if (!preset->mInitialized) return preset;
  }
  return nullptr;
}

// An integer-typed value as the int it is passed as; saturating, NaN gives 0.
double AsInt(double value) noexcept
{
  if (std::isnan(value)) return 0.0;
  return std::trunc(std::clamp(value, -2147483648.0, 2147483647.0));
}

// A parameter value as source text: true/false, an integer, or six decimals.
void ValueSourceText(const IParam& param, StringBuf& out)
{
  const double v = param.Value();
  switch (param.Type()) {
  case IParam::kTypeBool:
    out.Set(v >= 0.5 ? "true" : "false");
    break;
  case IParam::kTypeInt:
  case IParam::kTypeEnum:
    out.SetFormatted(32, "%d", static_cast<int>(AsInt(v)));
    break;
  default:
    out.SetFormatted(32, "%.6f", v);
    break;
  }
}

// Closes a FILE on scope exit.
struct FileCloser
{
  void operator()(std::FILE* f) const noexcept { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenForAppend(const char* path)
{
  if (!path || !*path) return nullptr;
  return FilePtr(std::fopen(path, "a"));
}

} // namespace

const char* IPluginBase::GetPresetName(int idx) const noexcept
{
  const IPreset* preset = mPresets.Get(idx);
  return preset ? preset->mName : "";
}

void IPluginBase::MakeDefaultPreset(const char* name, int nPresets)
{
  for (int i = 0; i < nPresets; ++i) {
    IPreset* preset = FirstFreePreset(mPresets);
    if (!preset) return;
    preset->mInitialized = true;
    preset->SetName(name ? name : "Empty");
    preset->mChunk.Clear();
    SerializeState(preset->mChunk);
  }
}

void IPluginBase::MakePreset(const char* name, std::initializer_list<double> values)
{
  IPreset* preset = FirstFreePreset(mPresets);
  if (!preset) return;
  preset->mInitialized = true;
  preset->SetName(name);
  preset->mChunk.Clear();
  const double* given = values.begin();
  for (int i = 0; i < NParams(); ++i) {
    const double value = i < static_cast<int>(values.size()) ? given[i] : GetParam(i)->Value();
    preset->mChunk.Put(&value);
  }
}

void IPluginBase::MakePresetFromNamedParams(const char* name,
                                            std::initializer_list<std::pair<int, double>> pairs)
{
  IPreset* preset = FirstFreePreset(mPresets);
  if (!preset) return;
  preset->mInitialized = true;
  preset->SetName(name);
  std::vector<double> values(static_cast<size_t>(NParams()), kNoValue);
  for (const auto& [idx, value] : pairs) {
    const IParam* param = GetParam(idx);
    if (!param) continue; // no such parameter
    const bool integral = param->Type() == IParam::kTypeBool || param->Type() == IParam::kTypeInt ||
                          param->Type() == IParam::kTypeEnum;
    values[static_cast<size_t>(idx)] = integral ? AsInt(value) : value;
  }
  preset->mChunk.Clear();
  for (int i = 0; i < NParams(); ++i) {
    double value = values[static_cast<size_t>(i)];
    if (value == kNoValue) value = GetParam(i)->Value();
    preset->mChunk.Put(&value);
  }
}

void IPluginBase::MakePresetFromChunk(const char* name, const IByteChunk& chunk)
{
  IPreset* preset = FirstFreePreset(mPresets);
  if (!preset) return;
  preset->mInitialized = true;
  preset->SetName(name);
  preset->mChunk.Clear();
  preset->mChunk.PutChunk(chunk);
}

void IPluginBase::MakePresetFromBlob(const char* name, const char* base64Text, int sizeOfChunk)
{
  IPreset* preset = FirstFreePreset(mPresets);
  if (!preset) return;
  IByteChunk decoded;
  if (sizeOfChunk > 0) {
    if (decoded.Resize(sizeOfChunk) != sizeOfChunk) return; // cannot hold the state: the record stays free
    std::memset(decoded.GetData(), 0, static_cast<size_t>(sizeOfChunk));
    DecodeBase64(base64Text, decoded.GetData(), sizeOfChunk);
  }
  preset->mInitialized = true;
  preset->SetName(name);
  preset->mChunk = decoded;
}

void IPluginBase::FillEmptyPresets()
{
  for (int i = 0; i < NPresets(); ++i) {
    IPreset* preset = mPresets.Get(i);
    if (preset->mInitialized) continue;
    preset->mInitialized = true;
    preset->SetName("Empty");
    preset->mChunk.Clear();
    SerializeState(preset->mChunk);
  }
}

void IPluginBase::PruneUninitializedPresets()
{
  for (int i = NPresets() - 1; i >= 0; --i)
    if (!mPresets.Get(i)->mInitialized) mPresets.Delete(i, true);
}

bool IPluginBase::RestorePreset(int idx)
{
  IPreset* preset = mPresets.Get(idx);
  if (!preset) return false;

  if (!preset->mInitialized) {
    // A free record keeps the current sound as a new user preset.
    int nUserPresets = 0;
    for (int i = 0; i < NPresets(); ++i)
      if (std::strstr(mPresets.Get(i)->mName, "user preset")) ++nUserPresets;
    preset->mChunk.Clear();
    if (!SerializeState(preset->mChunk)) {
      preset->mChunk.Clear();
      return false; // the record stays free
    }
    preset->mInitialized = true;
    StringBuf name;
    name.SetFormatted(IPreset::kMaxNameLen - 1, "%s %d", "user preset", nUserPresets + 1);
    preset->SetName(name.Get());
  } else if (UnserializeState(preset->mChunk, 0) < 1) {
    return false;
  }

  mCurrentPresetIdx = idx;
  OnPresetChanged();
  OnRestoreState();
  return true;
}

bool IPluginBase::RestorePreset(const char* name)
{
  if (!name || !*name) return false;
  for (int i = 0; i < NPresets(); ++i) {
    const IPreset* preset = mPresets.Get(i);
    if (preset && std::strcmp(preset->mName, name) == 0) return RestorePreset(i);
  }
  return false;
}

void IPluginBase::ModifyCurrentPreset(const char* name)
{
  IPreset* preset = mPresets.Get(mCurrentPresetIdx);
  if (!preset) return;
  preset->mChunk.Clear();
  SerializeState(preset->mChunk);
  if (name && *name) preset->SetName(name);
}

bool IPluginBase::SerializePresets(IByteChunk& chunk) const
{
  for (int i = 0; i < NPresets(); ++i) {
    const IPreset* preset = mPresets.Get(i);
    const uint8_t flag = preset->mInitialized ? 1 : 0;
    if (chunk.PutStr(preset->mName) < 0 || chunk.Put(&flag) < 0) return false;
    if (preset->mInitialized && chunk.PutChunk(preset->mChunk) < 0) return false;
  }
  // No records appended to an empty chunk is no bank at all.
  return chunk.Size() > 0;
}

int IPluginBase::UnserializePresets(const IByteChunk& chunk, int startPos)
{
  int pos = startPos;
  StringBuf name;
  for (int i = 0; i < NPresets() && pos >= 0; ++i) {
    IPreset* preset = mPresets.Get(i);
    // Read the whole entry before touching the record, so a bad entry leaves it as it was.
    pos = chunk.GetStr(name, pos);
    uint8_t flag = 0;
    pos = chunk.Get(&flag, pos);
    if (pos < 0) {
      if (preset->mInitialized)
        UnserializeState(chunk, -1); // parameters are told, as after any failed state read
      break;
    }
    if (flag > 1) {
      pos = -1;
      break;
    }
    if (flag == 1) {
      pos = UnserializeState(chunk, pos);
      if (pos < 0) break;
    }
    preset->SetName(name.Get());
    preset->mInitialized = flag == 1;
    if (flag == 1) {
      // Keep the state as the current parameter definitions constrain it.
      preset->mChunk.Clear();
      SerializeState(preset->mChunk);
    }
  }
  RestorePreset(mCurrentPresetIdx);
  return pos;
}

void IPluginBase::DumpMakePresetSrc(const char* path) const
{
  FilePtr file = OpenForAppend(path);
  if (!file) return;
  StringBuf value;
  std::fprintf(file.get(), "MakePreset(\"%s\"", GetPresetName(mCurrentPresetIdx));
  for (int i = 0; i < NParams(); ++i) {
    ValueSourceText(*GetParam(i), value);
    std::fprintf(file.get(), ", %s", value.Get());
  }
  std::fprintf(file.get(), ");\n");
}

void IPluginBase::DumpMakePresetFromNamedParamsSrc(const char* path,
                                                   std::span<const char* const> paramEnumNames) const
{
  FilePtr file = OpenForAppend(path);
  if (!file) return;
  StringBuf value;
  std::fprintf(file.get(), "  MakePresetFromNamedParams(\"%s\", %d", GetPresetName(mCurrentPresetIdx),
               NParams());
  for (int i = 0; i < NParams(); ++i) {
    const char* enumName =
        static_cast<size_t>(i) < paramEnumNames.size() ? paramEnumNames[static_cast<size_t>(i)] : "";
    ValueSourceText(*GetParam(i), value);
    std::fprintf(file.get(), ",\n    %s, %s", enumName ? enumName : "", value.Get());
  }
  std::fprintf(file.get(), ");\n");
}

void IPluginBase::DumpPresetBlob(const char* path) const
{
  const IPreset* preset = mPresets.Get(mCurrentPresetIdx);
  if (!preset) return; // no current record: nothing to write
  FilePtr file = OpenForAppend(path);
  if (!file) return;
  StringBuf blob;
  blob.Set("");
  AppendBase64(preset->mChunk.GetData(), preset->mChunk.Size(), blob);
  std::fprintf(file.get(), "MakePresetFromBlob(\"%s\", \"%s\", %i);\n", preset->mName, blob.Get(),
               preset->mChunk.Size());
}

} // namespace plugin
