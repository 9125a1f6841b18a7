#pragma once

#include "vst3/MakeGraphics.h"
#include "vst3/adapter/KeyTranslation.h"
#include "vst3/layer/KeyCodes.h"

#include "framework/plugin/HostDetection.h"

#include "pluginterfaces/gui/iplugviewcontentscalesupport.h"
#include "public.sdk/source/common/pluginview.h"

#include <cmath>
#include <cstring>

namespace plugin {

// Platform view type the editor lives in: the platform layer's view (on this system its headless
// stand-in). Accepted only while a graphics factory is installed; without one every attach is
// refused.
inline constexpr const char* kEditorPlatformType = "NSView";

// The view a host embeds in its window: a thin adapter that hands the host's attach, size, key
// and scale calls to the plug-in's editor delegate. Holds a reference on the plug-in for its
// whole life. Host main thread.
template <class Plug>
class IPluginVST3View : public Steinberg::CPluginView, public Steinberg::IPlugViewContentScaleSupport
{
public:
  // A view with an empty rectangle; adds a reference to plug.
  explicit IPluginVST3View(Plug& plug) : mPlug(plug) { mPlug.addRef(); }
  // Tells the plug-in it is gone, then releases it.
  ~IPluginVST3View() override
  {
    mPlug.ForgetView(this);
    mPlug.release();
  }

  IPluginVST3View(const IPluginVST3View&) = delete;
  IPluginVST3View& operator=(const IPluginVST3View&) = delete;

  // The host window frame, null until the host sets one.
  Steinberg::IPlugFrame* GetFrame() const noexcept { return plugFrame; }

  Steinberg::tresult PLUGIN_API isPlatformTypeSupported(Steinberg::FIDString type) override
  {
    return SupportsType(type) ? Steinberg::kResultTrue : Steinberg::kResultFalse;
  }

  // Opens the editor inside parent (the platform layer's view); refused for any other platform
  // type, and a failure when no editor could be made.
  Steinberg::tresult PLUGIN_API attached(void* parent, Steinberg::FIDString type) override
  {
    if (!parent || !SupportsType(type)) return Steinberg::kResultFalse;
    if (!mPlug.OpenWindow(parent)) return Steinberg::kResultFalse;
    return CPluginView::attached(parent, type);
  }

  // Closes the editor. The view stays alive until the call returns, whatever the close releases.
  Steinberg::tresult PLUGIN_API removed() override
  {
    addRef();
    if (mPlug.HasUI() && isAttached()) mPlug.CloseWindow();
    const Steinberg::tresult result = CPluginView::removed();
    release();
    return result;
  }

  Steinberg::tresult PLUGIN_API onKeyDown(Steinberg::char16 key, Steinberg::int16 keyCode,
                                          Steinberg::int16 modifiers) override
  {
    return HandleKey(key, keyCode, modifiers, true);
  }
  Steinberg::tresult PLUGIN_API onKeyUp(Steinberg::char16 key, Steinberg::int16 keyCode,
                                        Steinberg::int16 modifiers) override
  {
    return HandleKey(key, keyCode, modifiers, false);
  }

  // The editor size kept by the delegate.
  Steinberg::tresult PLUGIN_API getSize(Steinberg::ViewRect* size) override
  {
    if (!size) return Steinberg::kInvalidArgument;
    if (!mPlug.HasUI()) return Steinberg::kResultFalse;
    *size = Steinberg::ViewRect(0, 0, mPlug.GetEditorWidth(), mPlug.GetEditorHeight());
    return Steinberg::kResultOk;
  }

  // The host resized the window: stored, and the delegate told.
  Steinberg::tresult PLUGIN_API onSize(Steinberg::ViewRect* newSize) override
  {
    if (!newSize) return Steinberg::kResultOk;
    rect = *newSize;
    mPlug.OnParentWindowResize(newSize->getWidth(), newSize->getHeight());
    return Steinberg::kResultOk;
  }

  Steinberg::tresult PLUGIN_API canResize() override
  {
    return mPlug.HasUI() && mPlug.GetHostResizeEnabled() ? Steinberg::kResultTrue : Steinberg::kResultFalse;
  }

  // A proposed size is limited by the delegate's constraints.
  Steinberg::tresult PLUGIN_API checkSizeConstraint(Steinberg::ViewRect* rect) override
  {
    if (!rect) return Steinberg::kInvalidArgument;
    int width = rect->getWidth();
    int height = rect->getHeight();
    if (!mPlug.ConstrainEditorResize(width, height)) {
      rect->right = rect->left + width;
      rect->bottom = rect->top + height;
    }
    return Steinberg::kResultOk;
  }

  // The backing scale of the host's screen; only positive finite factors.
  Steinberg::tresult PLUGIN_API setContentScaleFactor(ScaleFactor factor) override
  {
    if (!std::isfinite(factor) || factor <= 0.0f) return Steinberg::kInvalidArgument;
    mPlug.SetScreenScale(factor);
    return Steinberg::kResultOk;
  }

  // Content scaling and the view itself, then the view base. Any thread.
  Steinberg::tresult PLUGIN_API queryInterface(const Steinberg::TUID iid, void** obj) override
  {
    if (!obj) return Steinberg::kInvalidArgument;
    if (Steinberg::FUnknownPrivate::iidEqual(iid, Steinberg::IPlugViewContentScaleSupport::iid)) {
      addRef();
      *obj = static_cast<Steinberg::IPlugViewContentScaleSupport*>(this);
      return Steinberg::kResultOk;
    }
    if (Steinberg::FUnknownPrivate::iidEqual(iid, Steinberg::IPlugView::iid)) {
      addRef();
      *obj = static_cast<Steinberg::IPlugView*>(this);
      return Steinberg::kResultOk;
    }
    return CPluginView::queryInterface(iid, obj);
  }
  Steinberg::uint32 PLUGIN_API addRef() override { return CPluginView::addRef(); }
  Steinberg::uint32 PLUGIN_API release() override { return CPluginView::release(); }

private:
  bool SupportsType(Steinberg::FIDString type) const noexcept
  {
    return mPlug.HasUI() && GetGraphicsFactory() && type && std::strcmp(type, kEditorPlatformType) == 0;
  }

  Steinberg::tresult HandleKey(Steinberg::char16 key, Steinberg::int16 keyCode, Steinberg::int16 modifiers,
                               bool down)
  {
    IKeyPress press;
    if (mPlug.GetHost() == kHostReaper) {
      // This host sends every key to the plug-in first; only the space bar is taken from it.
      if (keyCode != layer::kKeySpace) return Steinberg::kResultFalse;
      press = IKeyPress(" ", 0x20);
    } else {
      press = vst3::TranslateKey(key, keyCode, modifiers);
    }
    const bool handled = down ? mPlug.OnKeyDown(press) : mPlug.OnKeyUp(press);
    return handled ? Steinberg::kResultTrue : Steinberg::kResultFalse;
  }

  Plug& mPlug;
};

} // namespace plugin
