#pragma once

#include <array>
#include <span>

#include "engine/dsp/KelmoParams.h"

// The factory presets as plain data. The plug-in class registers them with the framework's
// preset maker in the order given here; this file depends on nothing but the parameter indices.

// One (parameter index, value) pair of a factory preset. Int and enum parameters carry an
// integer value (isInteger, value holds a whole number), every other parameter a double,
// because the preset maker reads each value with its parameter's type.
struct FactoryPresetPair
{
  int paramIdx;
  bool isInteger;
  double value;

  // The value as the integer the preset maker reads for int and enum parameters.
  constexpr int IntValue() const { return static_cast<int>(value); }
};

// One factory preset: its name and its pairs in ascending index order.
struct FactoryPreset
{
  const char* name;
  std::span<const FactoryPresetPair> pairs;
};

// Number of factory presets: "Factory default" plus the 31 named ones.
constexpr int kNumFactoryPresets = 32;

// All factory presets in registration order; entry 0 is "Factory default".
std::span<const FactoryPreset> FactoryPresets();

// "Factory default", registered before the per-channel state is sized.
const FactoryPreset& FactoryDefaultPreset();

// The 31 named presets, registered after "Factory default".
std::span<const FactoryPreset> NamedFactoryPresets();

// True for the int and enum parameters, whose preset values are passed as integers.
bool IsIntegerPresetParam(int paramIdx);

// The values the indices that no factory preset sets hold at registration time (their
// defaults). Every recalled factory preset brings these back; entries for the other indices
// are not meaningful and hold 0.
struct UnsetIndexValue
{
  int paramIdx;
  double value;
};
std::span<const UnsetIndexValue> FactoryPresetUnsetValues();

// The full 44 values a factory preset record holds once registered with every parameter at its
// default: the preset's pairs, the rest from FactoryPresetUnsetValues.
std::array<double, kNumParams> FactoryPresetRecordValues(const FactoryPreset& preset);
