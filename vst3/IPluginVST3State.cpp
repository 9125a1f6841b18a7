// The state calls of the plug-in object: the component state carries everything; the controller
// keeps no state of its own.
#include "vst3/IPluginVST3.h"

#include "framework/plugin/HostDetection.h"
#include "vst3/StreamIO.h"
#include "vst3/adapter/ComponentState.h"

#include <new>

namespace plugin {

using namespace Steinberg;

namespace {

// Largest component state read from a host stream.
constexpr int kMaxStateBytes = 64 << 20;

} // namespace

tresult IPluginVST3::saveComponentState(IBStream* state)
{
  if (!state) return kInvalidArgument;
  try {
    IByteChunk chunk;
    if (!vst3::WriteComponentState(*this, GetSharedBypass(), chunk)) return kResultFalse;
    return vst3::WriteAll(*state, chunk.GetData(), chunk.Size()) ? kResultOk : kResultFalse;
  } catch (const std::bad_alloc&) {
    return kOutOfMemory; // a plug-in's own state code ran out of memory
  }
}

tresult IPluginVST3::loadComponentState(IBStream* state)
{
  if (!state) return kInvalidArgument;
  try {
    IByteChunk chunk;
    // This host's streams report errors on reads that delivered their bytes.
    const bool keepGoing = GetHost() == kHostWaveLab;
    if (!vst3::ReadToEnd(*state, chunk, keepGoing, kMaxStateBytes)) return kResultFalse;
    bool bypassed = false;
    // A session comes back exactly as it was saved: no value-linking rules run while it is applied.
    struct RestoreScope
    {
      plugin::IPluginBase& plug;
      explicit RestoreScope(plugin::IPluginBase& p) : plug(p) { plug.SetRestoringHostState(true); }
      ~RestoreScope() { plug.SetRestoringHostState(false); }
    } scope(*this);
    const vst3::EStateRead read = vst3::ReadComponentState(*this, chunk, bypassed);
    if (read == vst3::kStateRefused) return kResultFalse;
    if (read == vst3::kStateWithoutFlag) {
      // The parameters stay applied and the bypass keeps its value. The state was not whole, so
      // there is no restore notification, but the host's copies and the editor show the values.
      UpdateParamObjects(*this);
      SendAllParamValuesToEditor();
      return kResultFalse;
    }
    SetSharedBypass(bypassed);
    UpdateWithState(*this, bypassed);
    OnRestoreState();
  } catch (const std::bad_alloc&) {
    return kOutOfMemory; // a plug-in's own state code ran out of memory
  }
  return kResultOk;
}

tresult IPluginVST3::loadControllerState(IBStream*)
{
  return kResultOk;
}

tresult IPluginVST3::saveControllerState(IBStream*)
{
  return kResultOk;
}

tresult PLUGIN_API IPluginVST3::setComponentState(IBStream*)
{
  return kResultOk;
}

} // namespace plugin
