#pragma once

#include "pluginterfaces/base/funknown.h"

#include <atomic>

namespace plugin::vst3host {

// Reference counting and interface lookup for the host's own objects. Created with one
// reference (adopt it with Steinberg::IPtr<T>(p, false) or Steinberg::owned); the last
// release deletes. Answers FUnknown and every listed interface.
template <class First, class... Rest> class HostObject : public First, public Rest...
{
public:
  virtual ~HostObject() = default;

  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override
  {
    if (!obj) return Steinberg::kInvalidArgument;
    *obj = nullptr;
    if (!(TryInterface<First>(iid, obj) || (TryInterface<Rest>(iid, obj) || ...))) {
      if (!Steinberg::FUnknownPrivate::iidEqual(iid, Steinberg::FUnknown::iid))
        return Steinberg::kNoInterface;
      *obj = static_cast<Steinberg::FUnknown*>(static_cast<First*>(this));
    }
    addRef();
    return Steinberg::kResultOk;
  }
  Steinberg::uint32 PLUGIN_API addRef() override { return ++mRefCount; }
  Steinberg::uint32 PLUGIN_API release() override
  {
    const Steinberg::uint32 left = --mRefCount;
    if (left == 0) delete this;
    return left;
  }

  // Current reference count, for balance checks in tests.
  Steinberg::uint32 refCount() const { return mRefCount.load(); }

private:
  template <class I> bool TryInterface(const Steinberg::TUID iid, void** obj)
  {
    if (!Steinberg::FUnknownPrivate::iidEqual(iid, I::iid)) return false;
    *obj = static_cast<I*>(this);
    return true;
  }

  std::atomic<Steinberg::uint32> mRefCount{1};
};

} // namespace plugin::vst3host
