#pragma once

namespace plugin {

// Direction of a bus or channel.
enum ERoute { kInput = 0, kOutput = 1 };

} // namespace plugin
