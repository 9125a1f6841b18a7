#include "support/vst3/PlugFrame.h"

namespace plugin::testhost {

using namespace Steinberg;

std::vector<PlugFrame::Resize> PlugFrame::resizes() const
{
  std::lock_guard<std::mutex> lock(mMutex);
  return mResizes;
}

tresult PLUGIN_API PlugFrame::resizeView(IPlugView* view, ViewRect* newSize)
{
  if (!view || !newSize) return kInvalidArgument;
  {
    std::lock_guard<std::mutex> lock(mMutex);
    mResizes.push_back({view, *newSize});
  }
  if (mCallOnSize && mResult == kResultOk) view->onSize(newSize);
  return mResult;
}

} // namespace plugin::testhost
