// IPluginBase's operations on many parameters at once, selected by index range or group name.
// None of them notifies the host, the editor or the parameter hooks.
#include "framework/plugin/IPluginBase.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace plugin {

namespace {

// One uniform draw in [0, 1] from the C library generator, in single precision.
double RandomNormalized()
{
  const float n = static_cast<float>(std::rand()) * 4.656613e-10f; // 2^-31
  return std::min(static_cast<double>(n), 1.0);
}

} // namespace

void IPluginBase::ForParamInRange(int startIdx, int endIdx, const ParamFunc& func)
{
  if (!func) return;
  // Indices outside the parameter list name nothing.
  const int first = std::max(startIdx, 0);
  const int last = std::min(endIdx, NParams() - 1);
  for (int i = first; i <= last; ++i)
    func(i, *GetParam(i));
}

void IPluginBase::ForParamInGroup(const char* paramGroup, const ParamFunc& func)
{
  if (!func) return;
  const char* group = paramGroup ? paramGroup : "";
  for (int i = 0; i < NParams(); ++i) {
    IParam& param = *GetParam(i);
    if (std::strcmp(param.GetGroup(), group) == 0) func(i, param);
  }
}

namespace {

void SetDefault(int, IParam& param)
{
  // Constrained: a default given outside the range must not put the value outside it.
  param.Set(param.GetDefault());
}

void SetRandom(int, IParam& param)
{
  param.SetNormalized(RandomNormalized());
}

} // namespace

void IPluginBase::DefaultParamValues()
{
  DefaultParamValues(0, NParams() - 1);
}

void IPluginBase::DefaultParamValues(int startIdx, int endIdx)
{
  ForParamInRange(startIdx, endIdx, SetDefault);
}

void IPluginBase::DefaultParamValues(const char* paramGroup)
{
  ForParamInGroup(paramGroup, SetDefault);
}

void IPluginBase::RandomiseParamValues()
{
  RandomiseParamValues(0, NParams() - 1);
}

void IPluginBase::RandomiseParamValues(int startIdx, int endIdx)
{
  ForParamInRange(startIdx, endIdx, SetRandom);
}

void IPluginBase::RandomiseParamValues(const char* paramGroup)
{
  ForParamInGroup(paramGroup, SetRandom);
}

void IPluginBase::PrintParamValues()
{
  ForParamInRange(0, NParams() - 1, [](int, IParam& param) { param.PrintDetails(); });
}

void IPluginBase::InitParamRange(int startIdx, int endIdx, int countStart, const char* nameFmtStr,
                                 double defaultVal, double minVal, double maxVal, double step,
                                 const char* label, int flags, const char* group, const IParam::Shape& shape,
                                 IParam::EParamUnit unit, const IParam::DisplayFunc& displayFunc)
{
  ForParamInRange(startIdx, endIdx, [&](int idx, IParam& param) {
    StringBuf name;
    if (nameFmtStr) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
      name.SetFormatted(IParam::kMaxTextLen - 1, nameFmtStr, countStart + (idx - startIdx));
#pragma GCC diagnostic pop
    }
    // InitDouble clones the shape and copies the display function for each parameter.
    param.InitDouble(name.Get(), defaultVal, minVal, maxVal, step, label, flags, group, shape, unit,
                     displayFunc);
  });
}

} // namespace plugin
