#pragma once

#include "framework/plugin/InstanceInfo.h"
#include "vst3/IPluginVST3.h"

// Base class of the compressor's plug-in class: the framework's VST3 binding.
using KelmoBase = plugin::IPluginVST3;
