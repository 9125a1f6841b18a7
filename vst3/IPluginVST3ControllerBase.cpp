#include "vst3/IPluginVST3ControllerBase.h"

#include "framework/text/UnicodeCodec.h"
#include "vst3/adapter/MidiControllers.h"
#include "vst3/adapter/ParamIds.h"
#include "vst3/adapter/ParamMapping.h"

#include "pluginterfaces/vst/ivstchannelcontextinfo.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace plugin {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

constexpr int kString128 = 128;
// Longest channel-context text taken, in UTF-16 units; a longer claimed length is refused.
constexpr int64 kMaxContextTextUnits = 4096;

// Adds a unit to the controller's list (the controller owns it).
void AddUnit(EditControllerEx1& controller, UnitID id, UnitID parent, const std::string& nameUtf8)
{
  String128 name{};
  text::Utf8ToUtf16(nameUtf8, name, kString128);
  controller.addUnit(new Unit(name, id, parent, kNoProgramListId));
}

bool HasUnit(EditControllerEx1& controller, UnitID id)
{
  for (int32 i = 0; i < controller.getUnitCount(); ++i) {
    UnitInfo info{};
    if (controller.getUnitInfo(i, info) == kResultOk && info.id == id) return true;
  }
  return false;
}

// The 128 controllers, aftertouch and pitch bend of MIDI channel 0, on `unit`.
void AddMidiControllerParameters(ParameterContainer& parameters, UnitID unit)
{
  for (int n = 0; n < vst3::kMidiCCsPerChannel; ++n) {
    ParameterInfo info{};
    info.id = vst3::kMidiCCParamStart + static_cast<ParamID>(n);
    text::Utf8ToUtf16(vst3::MidiControllerName(n), info.title, kString128);
    info.stepCount = 0;
    info.defaultNormalizedValue = n == vst3::kMidiCCPitchBend ? 0.5 : 0.0;
    info.unitId = unit;
    info.flags = 0;
    parameters.addParameter(info);
  }
}

// Reads text attribute `key`, whose length in UTF-16 units the host may give under `lengthKey`.
bool ReadText(IAttributeList& list, IAttributeList::AttrID key, IAttributeList::AttrID lengthKey,
              StringBuf& out)
{
  int64 length = kString128 - 1;
  int64 claimed = 0;
  if (list.getInt(lengthKey, claimed) == kResultOk) {
    if (claimed < 0 || claimed > kMaxContextTextUnits) return false;
    length = claimed;
  }
  std::vector<TChar> buffer(static_cast<size_t>(length) + 1, 0);
  const uint32 bytes = static_cast<uint32>(buffer.size() * sizeof(TChar));
  if (list.getString(key, buffer.data(), bytes) != kResultOk) return false;
  buffer.back() = 0;
  out.Set(text::Utf16ToUtf8(text::Utf16View(buffer.data(), static_cast<int>(buffer.size()))).c_str());
  return true;
}

bool ReadInt32(IAttributeList& list, IAttributeList::AttrID key, int32_t& out)
{
  int64 value = 0;
  if (list.getInt(key, value) != kResultOk) return false;
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    return false;
  out = static_cast<int32_t>(value);
  return true;
}

} // namespace

void IPluginVST3ControllerBase::Initialize(IPluginBase& plug, EditControllerEx1& controller,
                                           ParameterContainer& parameters, bool plugIsInstrument, bool midiIn)
{
  mParameters = &parameters;
  if (!plugIsInstrument) {
    mBypassParameter = new IPluginVST3BypassParameter;
    parameters.addParameter(mBypassParameter);
  }
  AddUnit(controller, kRootUnitId, kNoParentUnitId, "Root");

  for (int i = 0; i < plug.NParams(); ++i) {
    IParam* param = plug.GetParam(i);
    UnitID unit = kRootUnitId;
    const int group = plug.AddParamGroup(param->GetGroup());
    if (group >= 0) {
      unit = group + 1;
      // After a terminate the group list survives but the units went: add each one again.
      if (!HasUnit(controller, unit)) AddUnit(controller, unit, kRootUnitId, param->GetGroup());
    }
    parameters.addParameter(new IPluginVST3Parameter(param, static_cast<ParamID>(i), unit));
  }

  if (midiIn) {
    const UnitID ccUnit = controller.getUnitCount() + 1;
    AddUnit(controller, ccUnit, kRootUnitId, "MIDI CCs");
    const UnitID channelUnit = controller.getUnitCount() + 1;
    AddUnit(controller, channelUnit, ccUnit, "CH1");
    AddMidiControllerParameters(parameters, channelUnit);
  }
}

void IPluginVST3ControllerBase::Terminate() noexcept
{
  mBypassParameter = nullptr;
  mParameters = nullptr;
}

void IPluginVST3ControllerBase::UpdateWithState(const IPluginBase& plug, bool bypassed)
{
  UpdateParamObjects(plug);
  if (mBypassParameter) mBypassParameter->setNormalized(bypassed ? 1.0 : 0.0);
}

void IPluginVST3ControllerBase::UpdateParamObjects(const IPluginBase& plug)
{
  if (!mParameters) return;
  for (int i = 0; i < plug.NParams(); ++i) {
    const IParam* param = plug.GetParam(i);
    if (Parameter* object = mParameters->getParameter(static_cast<ParamID>(i)))
      object->setNormalized(vst3::NormalizedFromReal(*param, param->Value()));
  }
}

bool IPluginVST3ControllerBase::SetChannelContext(IAttributeList* list)
{
  using namespace ChannelContext;
  if (!list) return false;
  ReadText(*list, kChannelNameKey, kChannelNameLengthKey, mChannelName);
  ReadText(*list, kChannelUIDKey, kChannelUIDLengthKey, mChannelUID);
  ReadInt32(*list, kChannelIndexKey, mChannelIndex);
  int64 color = 0;
  if (list->getInt(kChannelColorKey, color) == kResultOk) mChannelColor = static_cast<uint32_t>(color);
  ReadInt32(*list, kChannelIndexNamespaceOrderKey, mChannelNamespaceIndex);
  ReadText(*list, kChannelIndexNamespaceKey, kChannelIndexNamespaceLengthKey, mChannelNamespace);
  return true;
}

} // namespace plugin
