#pragma once

#include "tools/vst3host/HostObject.h"

#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <mutex>
#include <string>
#include <vector>

namespace plugin::testhost {

// The host objects shared with the tools.
using namespace plugin::vst3host;

// A component handler that records every call a plug-in makes on it, in order. Heap object
// (HostObject); safe to call from any thread.
class ComponentHandler
    : public HostObject<Steinberg::Vst::IComponentHandler, Steinberg::Vst::IComponentHandler2>
{
public:
  enum class Kind { Begin, Perform, End, Restart, Dirty, OpenEditor, StartGroup, FinishGroup };
  struct Call
  {
    Kind kind;
    Steinberg::Vst::ParamID id = 0;
    Steinberg::Vst::ParamValue value = 0.0; // performEdit value, setDirty state
    Steinberg::int32 flags = 0;             // restartComponent flags
    std::string text = {};                  // requestOpenEditor name
  };

  std::vector<Call> calls() const;
  // Number of calls of that kind.
  size_t count(Kind kind) const;
  void clear();
  // Result every call returns (kResultOk by default).
  void setResult(Steinberg::tresult result) { mResult = result; }

  Steinberg::tresult PLUGIN_API beginEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API performEdit(Steinberg::Vst::ParamID id,
                                            Steinberg::Vst::ParamValue value) override;
  Steinberg::tresult PLUGIN_API endEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult PLUGIN_API restartComponent(Steinberg::int32 flags) override;
  Steinberg::tresult PLUGIN_API setDirty(Steinberg::TBool state) override;
  Steinberg::tresult PLUGIN_API requestOpenEditor(Steinberg::FIDString name) override;
  Steinberg::tresult PLUGIN_API startGroupEdit() override;
  Steinberg::tresult PLUGIN_API finishGroupEdit() override;

private:
  Steinberg::tresult record(Call call);

  mutable std::mutex mMutex;
  std::vector<Call> mCalls;
  Steinberg::tresult mResult = Steinberg::kResultOk;
};

} // namespace plugin::testhost
