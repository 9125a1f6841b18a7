#pragma once

namespace plugin::layer {

// The handle the host passed to the outermost ModuleEntry, null while the module is not
// entered. Any thread; used to find the bundle's own files.
void* ModuleHandle();

} // namespace plugin::layer
