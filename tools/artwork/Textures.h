#pragma once

#include <cstdint>
#include <vector>

struct VGcontext;

namespace kelmo::artwork {

// Texel data of a brushed metal tile, RGBA, size x size texels, seamless in both directions:
// each row is white noise smeared along x (wrapping around) plus a faint row-to-row shade,
// centred on grey level `level` with a spread of `depth` levels.
std::vector<unsigned char> BrushedTexels(int size, int level, int depth, std::uint32_t seed);

// A repeating image of BrushedTexels tinted by rgb offsets; 0 on failure. The image lives as
// long as the context.
int BrushedImage(VGcontext* vg, int size, int red, int green, int blue, int depth, std::uint32_t seed);

} // namespace kelmo::artwork
