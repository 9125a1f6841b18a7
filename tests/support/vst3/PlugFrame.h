#pragma once

#include "tools/vst3host/HostObject.h"

#include "pluginterfaces/gui/iplugview.h"

#include <mutex>
#include <vector>

namespace plugin::testhost {

// The host objects shared with the tools.
using namespace plugin::vst3host;

// A host window frame that records every resize request. Like a host, it answers a request by
// calling the view's onSize with the new rectangle (switch off with setCallOnSize(false)).
// Heap object (HostObject); main thread.
class PlugFrame : public HostObject<Steinberg::IPlugFrame>
{
public:
  struct Resize
  {
    Steinberg::IPlugView* view;
    Steinberg::ViewRect rect;
  };

  std::vector<Resize> resizes() const;
  void setCallOnSize(bool call) { mCallOnSize = call; }
  void setResult(Steinberg::tresult result) { mResult = result; }

  Steinberg::tresult PLUGIN_API resizeView(Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) override;

private:
  mutable std::mutex mMutex;
  std::vector<Resize> mResizes;
  bool mCallOnSize = true;
  Steinberg::tresult mResult = Steinberg::kResultOk;
};

} // namespace plugin::testhost
