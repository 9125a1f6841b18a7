#include "vst3/layer/PluginFactory.h"

#include "framework/text/UnicodeCodec.h"

#include <cstring>
#include <string_view>

namespace plugin::layer {
namespace {

using namespace Steinberg;

// Copies a NUL-terminated (or full) 8-bit field into another of `size` bytes, cut at a whole
// UTF-8 code point.
template <size_t N, size_t M> void CopyUtf8(char8 (&dst)[N], const char8 (&src)[M])
{
  const std::string_view utf8(src, strnlen(src, M));
  char16_t wide[M + 1];
  const int units = text::Utf8ToUtf16(utf8, wide, static_cast<int>(M + 1));
  text::Utf16ToUtf8(std::u16string_view(wide, static_cast<size_t>(units)), dst, static_cast<int>(N));
}

template <size_t N, size_t M> void Utf8Field(char16 (&dst)[N], const char8 (&src)[M])
{
  text::Utf8ToUtf16(std::string_view(src, strnlen(src, M)), dst, static_cast<int>(N));
}

template <size_t N, size_t M> void Utf16Field(char8 (&dst)[N], const char16 (&src)[M])
{
  text::Utf16ToUtf8(text::Utf16View(src, static_cast<int>(M)), dst, static_cast<int>(N));
}

PClassInfoW WideFrom(const PClassInfo2& in)
{
  PClassInfoW out{};
  std::memcpy(out.cid, in.cid, sizeof(TUID));
  out.cardinality = in.cardinality;
  CopyUtf8(out.category, in.category);
  Utf8Field(out.name, in.name);
  out.classFlags = in.classFlags;
  CopyUtf8(out.subCategories, in.subCategories);
  Utf8Field(out.vendor, in.vendor);
  Utf8Field(out.version, in.version);
  Utf8Field(out.sdkVersion, in.sdkVersion);
  return out;
}

PClassInfo2 NarrowFrom(const PClassInfoW& in)
{
  PClassInfo2 out{};
  std::memcpy(out.cid, in.cid, sizeof(TUID));
  out.cardinality = in.cardinality;
  CopyUtf8(out.category, in.category);
  Utf16Field(out.name, in.name);
  out.classFlags = in.classFlags;
  CopyUtf8(out.subCategories, in.subCategories);
  Utf16Field(out.vendor, in.vendor);
  Utf16Field(out.version, in.version);
  Utf16Field(out.sdkVersion, in.sdkVersion);
  return out;
}

} // namespace

PluginFactory::PluginFactory(const PFactoryInfo& info, PluginFactory** registry)
    : mInfo(info), mRegistry(registry)
{}

PluginFactory::~PluginFactory()
{
  // A later GetPluginFactory must not hand out this object once it is gone.
  if (mRegistry && *mRegistry == this) *mRegistry = nullptr;
  if (mHostContext) mHostContext->release();
}

bool PluginFactory::registerClass(const PClassInfo* info, CreateFunction create, void* context)
{
  if (!info || !create) return false;
  ClassEntry entry;
  entry.info8 = PClassInfo2{};
  std::memcpy(entry.info8.cid, info->cid, sizeof(TUID));
  entry.info8.cardinality = info->cardinality;
  CopyUtf8(entry.info8.category, info->category);
  CopyUtf8(entry.info8.name, info->name);
  entry.info16 = WideFrom(entry.info8);
  entry.create = create;
  entry.context = context;
  return addClass(entry);
}

bool PluginFactory::registerClass(const PClassInfo2* info, CreateFunction create, void* context)
{
  if (!info || !create) return false;
  ClassEntry entry;
  // Decoding and re-encoding turns malformed or cut UTF-8 into whole characters, so both forms
  // hold the same text.
  entry.info8 = NarrowFrom(WideFrom(*info));
  entry.info16 = WideFrom(entry.info8);
  entry.create = create;
  entry.context = context;
  return addClass(entry);
}

bool PluginFactory::registerClass(const PClassInfoW* info, CreateFunction create, void* context)
{
  if (!info || !create) return false;
  ClassEntry entry;
  // The Unicode form stays as given (terminated); the 8-bit form is cut where it must be.
  entry.info16 = *info;
  entry.info16.name[PClassInfo::kNameSize - 1] = 0;
  entry.info16.vendor[PClassInfoW::kVendorSize - 1] = 0;
  entry.info16.version[PClassInfoW::kVersionSize - 1] = 0;
  entry.info16.sdkVersion[PClassInfoW::kVersionSize - 1] = 0;
  entry.info8 = NarrowFrom(entry.info16);
  CopyUtf8(entry.info16.category, entry.info8.category);
  CopyUtf8(entry.info16.subCategories, entry.info8.subCategories);
  entry.create = create;
  entry.context = context;
  return addClass(entry);
}

bool PluginFactory::addClass(const ClassEntry& entry)
{
  if (isClassRegistered(FUID::fromTUID(entry.info8.cid))) return false;
  mClasses.push_back(entry);
  return true;
}

bool PluginFactory::isClassRegistered(const FUID& cid) const
{
  for (const auto& c : mClasses)
    if (FUID::fromTUID(c.info8.cid) == cid) return true;
  return false;
}

const PluginFactory::ClassEntry* PluginFactory::entryAt(int32 index) const
{
  if (index < 0 || static_cast<size_t>(index) >= mClasses.size()) return nullptr;
  return &mClasses[static_cast<size_t>(index)];
}

tresult PLUGIN_API PluginFactory::getFactoryInfo(PFactoryInfo* info)
{
  if (!info) return kInvalidArgument;
  *info = mInfo;
  return kResultOk;
}

int32 PLUGIN_API PluginFactory::countClasses()
{
  return static_cast<int32>(mClasses.size());
}

tresult PLUGIN_API PluginFactory::getClassInfo(int32 index, PClassInfo* info)
{
  const ClassEntry* entry = entryAt(index);
  if (!info || !entry) return kInvalidArgument;
  *info = PClassInfo{};
  std::memcpy(info->cid, entry->info8.cid, sizeof(TUID));
  info->cardinality = entry->info8.cardinality;
  CopyUtf8(info->category, entry->info8.category);
  CopyUtf8(info->name, entry->info8.name);
  return kResultOk;
}

tresult PLUGIN_API PluginFactory::getClassInfo2(int32 index, PClassInfo2* info)
{
  const ClassEntry* entry = entryAt(index);
  if (!info || !entry) return kInvalidArgument;
  *info = entry->info8;
  return kResultOk;
}

tresult PLUGIN_API PluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info)
{
  const ClassEntry* entry = entryAt(index);
  if (!info || !entry) return kInvalidArgument;
  *info = entry->info16;
  return kResultOk;
}

tresult PLUGIN_API PluginFactory::createInstance(FIDString cid, FIDString iid, void** obj)
{
  if (!obj) return kInvalidArgument;
  *obj = nullptr;
  if (!cid || !iid) return kInvalidArgument;
  for (const auto& c : mClasses) {
    if (std::memcmp(c.info8.cid, cid, sizeof(TUID)) != 0) continue;
    FUnknown* instance = c.create(c.context);
    if (!instance) return kOutOfMemory;
    // The caller's reference comes from the interface query; the creation reference goes.
    const tresult result = instance->queryInterface(iid, obj);
    instance->release();
    if (result != kResultOk || !*obj) {
      *obj = nullptr;
      return kNoInterface;
    }
    return kResultOk;
  }
  return kNoInterface;
}

tresult PLUGIN_API PluginFactory::setHostContext(FUnknown* context)
{
  if (context) context->addRef();
  if (mHostContext) mHostContext->release();
  mHostContext = context;
  return kResultOk;
}

tresult PLUGIN_API PluginFactory::queryInterface(const TUID iid, void** obj)
{
  if (!obj) return kInvalidArgument;
  if (FUnknownPrivate::iidEqual(iid, IPluginFactory3::iid) ||
      FUnknownPrivate::iidEqual(iid, IPluginFactory2::iid) ||
      FUnknownPrivate::iidEqual(iid, IPluginFactory::iid) || FUnknownPrivate::iidEqual(iid, FUnknown::iid)) {
    addRef();
    *obj = static_cast<IPluginFactory3*>(this);
    return kResultOk;
  }
  *obj = nullptr;
  return kNoInterface;
}

uint32 PLUGIN_API PluginFactory::addRef()
{
  return ++mRefCount;
}

uint32 PLUGIN_API PluginFactory::release()
{
  const uint32 left = --mRefCount;
  if (left == 0) delete this;
  return left;
}

} // namespace plugin::layer
