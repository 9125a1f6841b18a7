#include "tools/vst3host/HostApplication.h"

#include "framework/text/UnicodeCodec.h"
#include "tools/vst3host/AttributeList.h"

namespace plugin::vst3host {

using namespace Steinberg;
using namespace Steinberg::Vst;

tresult PLUGIN_API HostApplication::getName(String128 name)
{
  if (!name) return kInvalidArgument;
  plugin::text::Utf8ToUtf16(mName, name, 128);
  return kResultOk;
}

tresult PLUGIN_API HostApplication::createInstance(TUID cid, TUID iid, void** obj)
{
  if (!obj) return kInvalidArgument;
  *obj = nullptr;
  if (FUnknownPrivate::iidEqual(cid, IAttributeList::iid) &&
      FUnknownPrivate::iidEqual(iid, IAttributeList::iid)) {
    *obj = static_cast<IAttributeList*>(new AttributeList);
    return kResultOk;
  }
  return kNoInterface;
}

} // namespace plugin::vst3host
