#include "tools/vst3host/AttributeList.h"

#include "framework/text/UnicodeCodec.h"

#include <cstring>

namespace plugin::vst3host {

using namespace Steinberg;
using namespace Steinberg::Vst;

const AttributeList::Value* AttributeList::find(AttrID id) const
{
  if (!id || mFailReads) return nullptr;
  auto it = mValues.find(id);
  return it == mValues.end() ? nullptr : &it->second;
}

void AttributeList::setText(const std::string& id, const std::string& utf8)
{
  mValues[id] = plugin::text::Utf8ToUtf16(utf8);
}

tresult PLUGIN_API AttributeList::setInt(AttrID id, int64 value)
{
  if (!id) return kInvalidArgument;
  mValues[id] = value;
  return kResultOk;
}

tresult PLUGIN_API AttributeList::getInt(AttrID id, int64& value)
{
  const Value* v = find(id);
  if (!v || !std::holds_alternative<int64>(*v)) return kResultFalse;
  value = std::get<int64>(*v);
  return kResultOk;
}

tresult PLUGIN_API AttributeList::setFloat(AttrID id, double value)
{
  if (!id) return kInvalidArgument;
  mValues[id] = value;
  return kResultOk;
}

tresult PLUGIN_API AttributeList::getFloat(AttrID id, double& value)
{
  const Value* v = find(id);
  if (!v || !std::holds_alternative<double>(*v)) return kResultFalse;
  value = std::get<double>(*v);
  return kResultOk;
}

tresult PLUGIN_API AttributeList::setString(AttrID id, const TChar* string)
{
  if (!id || !string) return kInvalidArgument;
  mValues[id] = std::u16string(string);
  return kResultOk;
}

tresult PLUGIN_API AttributeList::getString(AttrID id, TChar* string, uint32 sizeInBytes)
{
  const Value* v = find(id);
  if (!v || !std::holds_alternative<std::u16string>(*v) || !string) return kResultFalse;
  const uint32 units = sizeInBytes / sizeof(TChar);
  if (units == 0) return kResultFalse;
  const auto& text = std::get<std::u16string>(*v);
  const size_t n = std::min<size_t>(text.size(), units - 1);
  std::memcpy(string, text.data(), n * sizeof(TChar));
  string[n] = 0;
  return kResultOk;
}

tresult PLUGIN_API AttributeList::setBinary(AttrID id, const void* data, uint32 sizeInBytes)
{
  if (!id || (!data && sizeInBytes > 0)) return kInvalidArgument;
  const auto* bytes = static_cast<const uint8_t*>(data);
  mValues[id] = std::vector<uint8_t>(bytes, bytes + sizeInBytes);
  return kResultOk;
}

tresult PLUGIN_API AttributeList::getBinary(AttrID id, const void*& data, uint32& sizeInBytes)
{
  const Value* v = find(id);
  if (!v || !std::holds_alternative<std::vector<uint8_t>>(*v)) return kResultFalse;
  const auto& bytes = std::get<std::vector<uint8_t>>(*v);
  data = bytes.data();
  sizeInBytes = static_cast<uint32>(bytes.size());
  return kResultOk;
}

} // namespace plugin::vst3host
