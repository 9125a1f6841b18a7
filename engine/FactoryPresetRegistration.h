#pragma once

#include "engine/presets/FactoryPresets.h"
#include "framework/plugin/IPluginBase.h"

// Fills the plug-in's first free preset record with a factory preset: its name, its pairs
// (integers for int and enum parameters, doubles for the rest) and the current value of every
// parameter it does not set. Nothing when no record is free. Main thread; allocates.
void RegisterFactoryPreset(plugin::IPluginBase& plugin, const FactoryPreset& preset);
