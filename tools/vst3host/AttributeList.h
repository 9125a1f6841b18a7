#pragma once

#include "tools/vst3host/HostObject.h"

#include "pluginterfaces/vst/ivstattributes.h"

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace plugin::vst3host {

// A host attribute list (channel context, messages). Values are typed: reading an attribute
// as another type fails. setFailReads makes every get fail. Heap object (HostObject).
class AttributeList : public HostObject<Steinberg::Vst::IAttributeList>
{
public:
  void setFailReads(bool fail) { mFailReads = fail; }
  // Stores a UTF-8 text as the UTF-16 string attribute `id`.
  void setText(const std::string& id, const std::string& utf8);

  Steinberg::tresult PLUGIN_API setInt(AttrID id, Steinberg::int64 value) override;
  Steinberg::tresult PLUGIN_API getInt(AttrID id, Steinberg::int64& value) override;
  Steinberg::tresult PLUGIN_API setFloat(AttrID id, double value) override;
  Steinberg::tresult PLUGIN_API getFloat(AttrID id, double& value) override;
  Steinberg::tresult PLUGIN_API setString(AttrID id, const Steinberg::Vst::TChar* string) override;
  // Copies at most sizeInBytes / 2 - 1 units and a terminator; kResultFalse for a 0-size buffer.
  Steinberg::tresult PLUGIN_API getString(AttrID id, Steinberg::Vst::TChar* string,
                                          Steinberg::uint32 sizeInBytes) override;
  Steinberg::tresult PLUGIN_API setBinary(AttrID id, const void* data,
                                          Steinberg::uint32 sizeInBytes) override;
  Steinberg::tresult PLUGIN_API getBinary(AttrID id, const void*& data,
                                          Steinberg::uint32& sizeInBytes) override;

private:
  using Value = std::variant<Steinberg::int64, double, std::u16string, std::vector<uint8_t>>;
  const Value* find(AttrID id) const;

  std::map<std::string, Value> mValues;
  bool mFailReads = false;
};

} // namespace plugin::vst3host
