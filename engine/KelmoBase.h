#pragma once

#include "framework/plugin/InstanceInfo.h"
#include "graphics/delegate/ICanvasEditorDelegate.h"
#include "vst3/IPluginVST3.h"

// Base class of the compressor's plug-in class: the graphics editor delegate over the framework's
// VST3 binding.
using KelmoBase = plugin::ui::ICanvasEditorDelegate<plugin::IPluginVST3>;
