#pragma once

namespace plugin {

// Origin of a parameter change, passed to the parameter hooks.
enum EParamSource : int { kReset = 0, kHost = 1, kPresetRecall = 2, kUI = 3, kDelegate = 4 };

} // namespace plugin
