#include "tests/vst3/plug/GainEffect.h"

#include "framework/text/UnicodeCodec.h"
#include "tests/vst3/plug/GainIds.h"

#include "pluginterfaces/base/ibstream.h"
#include "pluginterfaces/vst/vstspeaker.h"

#include <cmath>
#include <cstring>
#include <type_traits>

namespace plugin::testplug {

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace {

template <typename Sample> Sample** Channels(AudioBusBuffers& bus)
{
  if constexpr (std::is_same_v<Sample, float>)
    return bus.channelBuffers32;
  else
    return bus.channelBuffers64;
}

// Reads exactly `size` bytes; false on an error or an early end.
bool ReadAll(IBStream* stream, void* buffer, int32 size)
{
  auto* bytes = static_cast<char*>(buffer);
  int32 got = 0;
  while (got < size) {
    int32 n = 0;
    if (stream->read(bytes + got, size - got, &n) != kResultOk || n <= 0) return false;
    got += n;
  }
  return true;
}

bool WriteAll(IBStream* stream, const void* buffer, int32 size)
{
  int32 n = 0;
  return stream->write(const_cast<void*>(buffer), size, &n) == kResultOk && n == size;
}

// A queue point as a gain, or false when it cannot be read or is not a number.
bool PointGain(IParamValueQueue* queue, int32 index, int32& offset, double& gain)
{
  ParamValue value = 0.0;
  if (queue->getPoint(index, offset, value) != kResultOk || !std::isfinite(value)) return false;
  gain = 2.0 * std::fmin(1.0, std::fmax(0.0, value));
  return true;
}

} // namespace

FUnknown* GainEffect::Create(void*)
{
  return static_cast<IAudioProcessor*>(new GainEffect);
}

tresult PLUGIN_API GainEffect::initialize(FUnknown* context)
{
  const tresult result = SingleComponentEffect::initialize(context);
  if (result != kResultOk) return result;
  addAudioInput("Main In", SpeakerArr::kStereo);
  addAudioInput("\xCE\xBC Side Chain", SpeakerArr::kStereo, kAux, 0);
  addAudioOutput("Main Out", SpeakerArr::kStereo);

  ParameterInfo info{};
  info.id = kGainParamId;
  plugin::text::Utf8ToUtf16(kGainParamTitle, info.title, 128);
  plugin::text::Utf8ToUtf16(kGainParamTitle, info.shortTitle, 128);
  plugin::text::Utf8ToUtf16(kGainParamUnits, info.units, 128);
  info.stepCount = 0;
  info.defaultNormalizedValue = kGainDefault;
  info.unitId = kRootUnitId;
  info.flags = ParameterInfo::kCanAutomate;
  parameters.addParameter(info);
  mGain.store(2.0 * kGainDefault);
  return kResultOk;
}

tresult PLUGIN_API GainEffect::canProcessSampleSize(int32 symbolicSampleSize)
{
  return symbolicSampleSize == kSample32 || symbolicSampleSize == kSample64 ? kResultTrue : kResultFalse;
}

tresult PLUGIN_API GainEffect::setActive(TBool state)
{
  mActive = state != 0;
  return kResultOk;
}

tresult PLUGIN_API GainEffect::setProcessing(TBool)
{
  return kResultOk;
}

tresult PLUGIN_API GainEffect::process(ProcessData& data)
{
  IParamValueQueue* queue = nullptr;
  if (data.inputParameterChanges) {
    const int32 count = data.inputParameterChanges->getParameterCount();
    for (int32 i = 0; i < count; ++i) {
      IParamValueQueue* q = data.inputParameterChanges->getParameterData(i);
      if (q && q->getParameterId() == kGainParamId) queue = q;
    }
  }
  if (data.symbolicSampleSize == kSample64)
    render<double>(data, queue);
  else if (data.symbolicSampleSize == kSample32)
    render<float>(data, queue);
  return kResultOk;
}

template <typename Sample> void GainEffect::render(ProcessData& data, IParamValueQueue* queue)
{
  double gain = mGain.load(std::memory_order_relaxed);
  const int32 points = queue ? queue->getPointCount() : 0;
  int32 next = 0;
  int32 nextOffset = 0;
  double nextGain = gain;
  // Skips unreadable points; leaves next == points when none is left.
  auto advance = [&] {
    while (next < points && !PointGain(queue, next, nextOffset, nextGain))
      ++next;
  };
  advance();

  const int32 frames = data.numSamples > 0 ? data.numSamples : 0;
  AudioBusBuffers* out = data.numOutputs > 0 && data.outputs ? &data.outputs[0] : nullptr;
  AudioBusBuffers* in = data.numInputs > 0 && data.inputs ? &data.inputs[0] : nullptr;
  AudioBusBuffers* side =
      data.numInputs > 1 && data.inputs && getAudioInput(1) && getAudioInput(1)->isActive() ? &data.inputs[1]
                                                                                            : nullptr;
  Sample** outCh = out ? Channels<Sample>(*out) : nullptr;
  Sample** inCh = in ? Channels<Sample>(*in) : nullptr;
  Sample** sideCh = side ? Channels<Sample>(*side) : nullptr;
  const int32 outChannels = outCh ? out->numChannels : 0;
  const int32 inChannels = inCh ? in->numChannels : 0;
  const int32 sideChannels = sideCh ? side->numChannels : 0;

  for (int32 i = 0; i < frames; ++i) {
    while (next < points && nextOffset <= i) {
      gain = nextGain;
      ++next;
      advance();
    }
    for (int32 c = 0; c < outChannels; ++c) {
      double v = c < inChannels && inCh[c] ? gain * static_cast<double>(inCh[c][i]) : 0.0;
      if (c < sideChannels && sideCh[c]) v += static_cast<double>(sideCh[c][i]);
      if (outCh[c]) outCh[c][i] = static_cast<Sample>(v);
    }
  }
  // Points at or beyond the block's end still take effect for the next block.
  while (next < points) {
    gain = nextGain;
    ++next;
    advance();
  }
  mGain.store(gain, std::memory_order_relaxed);

  if (out) {
    out->silenceFlags = 0;
    for (int32 c = 0; c < outChannels && c < 64; ++c) {
      bool silent = outCh[c] != nullptr;
      for (int32 i = 0; silent && i < frames; ++i)
        silent = outCh[c][i] == 0;
      if (silent) out->silenceFlags |= uint64(1) << c;
    }
  }
}

tresult GainEffect::loadComponentState(IBStream* state)
{
  if (!state) return kInvalidArgument;
  char bytes[kStateSize];
  if (!ReadAll(state, bytes, kStateSize)) return kResultFalse;
  if (std::memcmp(bytes, kStateTag, sizeof(kStateTag)) != 0) return kResultFalse;
  double normalized = 0.0;
  std::memcpy(&normalized, bytes + sizeof(kStateTag), sizeof(normalized));
  if (!std::isfinite(normalized) || normalized < 0.0 || normalized > 1.0) return kResultFalse;
  mGain.store(2.0 * normalized);
  if (Parameter* p = parameters.getParameter(kGainParamId)) p->setNormalized(normalized);
  return kResultOk;
}

tresult GainEffect::saveComponentState(IBStream* state)
{
  if (!state) return kInvalidArgument;
  char bytes[kStateSize];
  std::memcpy(bytes, kStateTag, sizeof(kStateTag));
  const double normalized = mGain.load() / 2.0;
  std::memcpy(bytes + sizeof(kStateTag), &normalized, sizeof(normalized));
  return WriteAll(state, bytes, kStateSize) ? kResultOk : kResultFalse;
}

tresult GainEffect::loadControllerState(IBStream* state)
{
  if (!state) return kInvalidArgument;
  char tag[sizeof(kControllerTag)];
  if (!ReadAll(state, tag, sizeof(tag))) return kResultFalse;
  return std::memcmp(tag, kControllerTag, sizeof(tag)) == 0 ? kResultOk : kResultFalse;
}

tresult GainEffect::saveControllerState(IBStream* state)
{
  if (!state) return kInvalidArgument;
  return WriteAll(state, kControllerTag, sizeof(kControllerTag)) ? kResultOk : kResultFalse;
}

tresult PLUGIN_API GainEffect::setComponentState(IBStream*)
{
  return kResultOk;
}

tresult PLUGIN_API GainEffect::setParamNormalized(ParamID id, ParamValue value)
{
  if (!std::isfinite(value)) return kInvalidArgument;
  return SingleComponentEffect::setParamNormalized(id, value);
}

} // namespace plugin::testplug
