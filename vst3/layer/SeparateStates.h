#pragma once

#include "pluginterfaces/vst/ivstcomponent.h"
#include "public.sdk/source/vst/vsteditcontroller.h"

namespace plugin::layer {

// IComponent and IEditController both declare setState/getState with the same signature, so in
// an object that is both, one override would serve both streams. These two bases give each
// side's state calls their own names, so that a host's controller stream is never parsed as the
// component's state and the other way round.

// The component side: IComponent::setState/getState forward to load/saveComponentState.
class ComponentStateSide : public Steinberg::Vst::IComponent
{
public:
  Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) final
  {
    return loadComponentState(state);
  }
  Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) final
  {
    return saveComponentState(state);
  }

  // Host, main thread: restore the component (processing) state from the stream. May allocate.
  virtual Steinberg::tresult loadComponentState(Steinberg::IBStream* state) = 0;
  // Host, main thread: write the component state into the stream. May allocate.
  virtual Steinberg::tresult saveComponentState(Steinberg::IBStream* state) = 0;
};

// The controller side: the edit controller's setState/getState forward to
// load/saveControllerState.
class ControllerStateSide : public Steinberg::Vst::EditControllerEx1
{
public:
  Steinberg::tresult PLUGIN_API setState(Steinberg::IBStream* state) final
  {
    return loadControllerState(state);
  }
  Steinberg::tresult PLUGIN_API getState(Steinberg::IBStream* state) final
  {
    return saveControllerState(state);
  }

  // Host, main thread: restore the controller's own state (not the component's). May allocate.
  virtual Steinberg::tresult loadControllerState(Steinberg::IBStream* state) = 0;
  // Host, main thread: write the controller's own state. May allocate.
  virtual Steinberg::tresult saveControllerState(Steinberg::IBStream* state) = 0;
};

} // namespace plugin::layer
