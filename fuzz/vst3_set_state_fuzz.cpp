// Feeds arbitrary bytes to the compressor's component state restore and checks that the instance
// stays whole: a refused state changes nothing (one without its bypass flag at most its
// parameters), every state reads back in full, and the next block processes to finite output.
#include "engine/Kelmo.h"
#include "tools/vst3host/HostApplication.h"
#include "tools/vst3host/MemoryStream.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <stdlib.h>

using namespace Steinberg;
using namespace Steinberg::Vst;
using plugin::vst3host::HostApplication;
using plugin::vst3host::MemoryStream;

namespace {

constexpr int kBlock = 64;
constexpr size_t kStateSize = kNumParams * sizeof(double) + sizeof(int32);

// One instance for the whole run, set up like a host sets it up.
struct Instance
{
  Instance()
  {
    plug = IPtr<Kelmo>(new Kelmo(plugin::InstanceInfo{}), false);
    host = owned(new HostApplication("Kelmo Fuzz Host"));
    if (plug->initialize(host.get()) != kResultOk) std::abort();
    for (BusDirection dir : {kInput, kOutput})
      plug->activateBus(kAudio, dir, 0, true);
    ProcessSetup setup{kRealtime, kSample64, kBlock, 48000.0};
    if (plug->setupProcessing(setup) != kResultOk || plug->setActive(true) != kResultOk) std::abort();
  }

  std::vector<uint8_t> State()
  {
    auto stream = owned(new MemoryStream);
    if (component()->getState(stream.get()) != kResultOk || stream->bytes().size() != kStateSize)
      std::abort();
    return stream->bytes();
  }

  void ProcessOneBlock()
  {
    double in[2][kBlock], out[2][kBlock];
    for (int i = 0; i < kBlock; ++i) {
      in[0][i] = 0.5 * std::sin(0.05 * i);
      in[1][i] = -in[0][i];
    }
    double* inPtrs[2] = {in[0], in[1]};
    double* outPtrs[2] = {out[0], out[1]};
    AudioBusBuffers inBus;
    inBus.numChannels = 2;
    inBus.channelBuffers64 = inPtrs;
    AudioBusBuffers outBus;
    outBus.numChannels = 2;
    outBus.channelBuffers64 = outPtrs;
    ProcessData data{};
    data.processMode = kRealtime;
    data.symbolicSampleSize = kSample64;
    data.numSamples = kBlock;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &inBus;
    data.outputs = &outBus;
    if (plug->process(data) != kResultOk) std::abort();
    for (int c = 0; c < 2; ++c)
      for (int i = 0; i < kBlock; ++i)
        if (!std::isfinite(out[c][i])) std::abort();
  }

  IComponent* component() const { return static_cast<IComponent*>(plug.get()); }

  IPtr<Kelmo> plug;
  IPtr<HostApplication> host;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
  // No user preset file may change the starting values.
  ::setenv("KELMO_USER_PRESET_DIR", "/nonexistent/kelmo-fuzz-presets/", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
  static Instance instance;
  if (size < 1) return 0;

  // The first byte shapes the stream: foreign bytes before the state, or a read that fails.
  const uint8_t shape = data[0];
  const std::vector<uint8_t> payload(data + 1, data + size);
  IPtr<MemoryStream> stream;
  if (shape & 0x80) {
    stream = owned(MemoryStream::WithOffset(shape & 0x3F, payload));
  } else {
    stream = owned(new MemoryStream(payload));
    if (shape & 0x40) stream->setFailAt(shape & 0x3F ? static_cast<int64_t>(shape & 0x3F) * 8 : 0);
  }

  const std::vector<uint8_t> before = instance.State();
  const tresult result = instance.component()->setState(stream.get());
  const std::vector<uint8_t> after = instance.State();
  if (result == kResultOk && payload.size() < kStateSize) std::abort();
  if (result != kResultOk && after != before) {
    // Only a state that holds every parameter but no bypass flag is applied while refused; the
    // bypass flag then stays as it was.
    const size_t params = kStateSize - sizeof(int32);
    if (result != kResultFalse || payload.size() < params) std::abort();
    if (std::memcmp(after.data() + params, before.data() + params, sizeof(int32)) != 0) std::abort();
  }

  // Every restored value lies inside its parameter's range.
  for (int i = 0; i < kNumParams; ++i) {
    double v = 0.0;
    std::memcpy(&v, after.data() + static_cast<size_t>(i) * sizeof(double), sizeof(v));
    const plugin::IParam* p = instance.plug->GetParam(i);
    if (!(v >= p->GetMin() && v <= p->GetMax())) std::abort();
  }
  instance.ProcessOneBlock();
  return 0;
}
