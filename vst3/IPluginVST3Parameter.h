#pragma once

#include "framework/params/IParam.h"

#include "public.sdk/source/vst/vstparameters.h"

namespace plugin {

// The host-side face of one plug-in parameter: its VST3 information (title, units, step count,
// default, unit, flags, precision) and the conversions between normalised values, real values
// and texts, all through the plug-in parameter it mirrors. Owned by the edit controller's
// parameter container. Host main thread; the conversions allocate only for texts.
class IPluginVST3Parameter : public Steinberg::Vst::Parameter
{
public:
  // Describes param as VST3 parameter `id` on `unitId`; param must outlive this object.
  IPluginVST3Parameter(IParam* param, Steinberg::Vst::ParamID id, Steinberg::Vst::UnitID unitId);

  // Display text of a normalised value (clamped to [0, 1]), in UTF-16.
  void toString(Steinberg::Vst::ParamValue valueNormalized, Steinberg::Vst::String128 string) const override;
  // Normalised value of a typed text; always succeeds (unreadable text reads as the parameter's
  // own fallback).
  bool fromString(const Steinberg::Vst::TChar* string,
                  Steinberg::Vst::ParamValue& valueNormalized) const override;
  // Real value of a normalised one, snapped and clamped.
  Steinberg::Vst::ParamValue toPlain(Steinberg::Vst::ParamValue valueNormalized) const override;
  // Normalised value of a real one, snapped, clamped, shaped and clamped to [0, 1].
  Steinberg::Vst::ParamValue toNormalized(Steinberg::Vst::ParamValue plainValue) const override;

  // The mirrored parameter.
  IParam* GetParam() const noexcept { return mParam; }

  static Steinberg::FClassID getFClassID() { return "IPluginVST3Parameter"; }
  Steinberg::FClassID isA() const override { return getFClassID(); }
  bool isA(Steinberg::FClassID s) const override { return isTypeOf(s, false); }
  bool isTypeOf(Steinberg::FClassID s, bool askBaseClass = true) const override;

private:
  IParam* mParam;
};

// The bypass switch every effect gets: "Bypass", id 0x10000, the strings "off" and "on", flags
// can-automate, list and bypass, on the root unit. Owned by the parameter container.
class IPluginVST3BypassParameter : public Steinberg::Vst::StringListParameter
{
public:
  IPluginVST3BypassParameter();

  static Steinberg::FClassID getFClassID() { return "IPluginVST3BypassParameter"; }
  Steinberg::FClassID isA() const override { return getFClassID(); }
  bool isA(Steinberg::FClassID s) const override { return isTypeOf(s, false); }
  bool isTypeOf(Steinberg::FClassID s, bool askBaseClass = true) const override;
};

} // namespace plugin
