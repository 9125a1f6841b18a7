#pragma once

namespace plugin {

// Creation information the plug-in factory hands to the plug-in constructor. The factory builds
// a default one for every instance; nothing is carried in it yet.
struct InstanceInfo
{};

} // namespace plugin
