#pragma once

namespace plugin {

// Version of the framework build, e.g. "1.0.7". Any thread; no allocation.
const char* FrameworkVersionText() noexcept;

// One line describing the build (version, build type, compiler). Any thread; no allocation.
const char* FrameworkBuildText() noexcept;

} // namespace plugin
