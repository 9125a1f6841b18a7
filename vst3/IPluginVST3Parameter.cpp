#include "vst3/IPluginVST3Parameter.h"

#include "framework/text/UnicodeCodec.h"
#include "vst3/adapter/ParamIds.h"
#include "vst3/adapter/ParamMapping.h"

#include <algorithm>
#include <cmath>

namespace plugin {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

// Host texts are String128: 127 units and the terminator.
constexpr int kString128 = 128;

} // namespace

IPluginVST3Parameter::IPluginVST3Parameter(IParam* param, ParamID id, UnitID unitId) : mParam(param)
{
  info.id = id;
  text::Utf8ToUtf16(param->GetName(), info.title, kString128);
  text::Utf8ToUtf16(param->GetLabel(), info.units, kString128);
  info.stepCount = vst3::StepCountOf(*param);
  info.defaultNormalizedValue = vst3::NormalizedFromReal(*param, param->GetDefault());
  info.unitId = unitId;
  info.flags = vst3::ParameterFlagsOf(*param);
  valueNormalized = info.defaultNormalizedValue;
  precision = param->GetDisplayPrecision();
}

void IPluginVST3Parameter::toString(ParamValue valueNormalized, String128 string) const
{
  if (!string) return;
  const double n = std::isfinite(valueNormalized) ? std::clamp(valueNormalized, 0.0, 1.0) : 0.0;
  StringBuf text;
  mParam->GetDisplay(n, true, text, true);
  text::Utf8ToUtf16(text.Get(), string, kString128);
}

bool IPluginVST3Parameter::fromString(const TChar* string, ParamValue& valueNormalized) const
{
  // A host text is at most String128: converted on the stack, nothing to allocate.
  char utf8[4 * kString128] = {};
  if (string) text::Utf16ToUtf8(text::Utf16View(string, kString128), utf8, sizeof(utf8));
  valueNormalized = vst3::NormalizedFromReal(*mParam, mParam->StringToValue(utf8));
  return true;
}

ParamValue IPluginVST3Parameter::toPlain(ParamValue valueNormalized) const
{
  return vst3::RealFromNormalized(*mParam, valueNormalized);
}

ParamValue IPluginVST3Parameter::toNormalized(ParamValue plainValue) const
{
  return vst3::NormalizedFromReal(*mParam, plainValue);
}

bool IPluginVST3Parameter::isTypeOf(FClassID s, bool askBaseClass) const
{
  if (FObject::classIDsEqual(s, getFClassID())) return true;
  return askBaseClass && Parameter::isTypeOf(s, true);
}

IPluginVST3BypassParameter::IPluginVST3BypassParameter()
    : StringListParameter(STR16("Bypass"), vst3::kBypassParamId, nullptr,
                          ParameterInfo::kCanAutomate | ParameterInfo::kIsList | ParameterInfo::kIsBypass,
                          kRootUnitId)
{
  appendString(STR16("off"));
  appendString(STR16("on"));
}

bool IPluginVST3BypassParameter::isTypeOf(FClassID s, bool askBaseClass) const
{
  if (FObject::classIDsEqual(s, getFClassID())) return true;
  return askBaseClass && StringListParameter::isTypeOf(s, true);
}

} // namespace plugin
