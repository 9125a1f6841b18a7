#include "tools/artwork/Textures.h"

#include "graphics/renderer/VG.h"

#include <algorithm>
#include <cmath>

namespace kelmo::artwork {

namespace {

// Deterministic noise in [-1, 1).
class Noise
{
public:
  explicit Noise(std::uint32_t seed) : mState(seed ? seed : 1u) {}
  float Next()
  {
    mState ^= mState << 13;
    mState ^= mState >> 17;
    mState ^= mState << 5;
    return static_cast<float>(mState & 0xFFFFFF) / 8388608.0f - 1.0f;
  }

private:
  std::uint32_t mState;
};

// Box blur of a ring of values (wraps around), radius r.
std::vector<float> RingBlur(const std::vector<float>& in, int r)
{
  const int n = static_cast<int>(in.size());
  std::vector<float> out(in.size());
  float sum = 0.0f;
  for (int k = -r; k <= r; ++k)
    sum += in[((k % n) + n) % n];
  for (int i = 0; i < n; ++i) {
    out[i] = sum / (2 * r + 1);
    sum += in[(i + r + 1) % n] - in[((i - r) % n + n) % n];
  }
  return out;
}

} // namespace

std::vector<unsigned char> BrushedTexels(int size, int level, int depth, std::uint32_t seed)
{
  std::vector<unsigned char> texels;
  if (size <= 0) return texels;
  texels.resize(static_cast<std::size_t>(size) * size * 4);
  Noise noise(seed);
  std::vector<float> row(size);
  for (int y = 0; y < size; ++y) {
    for (float& v : row)
      v = noise.Next();
    // Long streaks and short grain, then a shade for the whole row.
    const std::vector<float> longStreak = RingBlur(row, size / 10);
    const std::vector<float> grain = RingBlur(row, 2);
    const float shade = noise.Next() * 0.35f;
    for (int x = 0; x < size; ++x) {
      const float v = longStreak[x] * 5.0f + grain[x] * 0.9f + shade;
      const int g = std::clamp(level + static_cast<int>(std::lround(v * depth)), 0, 255);
      unsigned char* t = &texels[(static_cast<std::size_t>(y) * size + x) * 4];
      t[0] = t[1] = t[2] = static_cast<unsigned char>(g);
      t[3] = 255;
    }
  }
  return texels;
}

int BrushedImage(VGcontext* vg, int size, int red, int green, int blue, int depth, std::uint32_t seed)
{
  std::vector<unsigned char> texels = BrushedTexels(size, 128, depth, seed);
  for (std::size_t i = 0; i + 3 < texels.size(); i += 4) {
    const int d = texels[i] - 128;
    texels[i] = static_cast<unsigned char>(std::clamp(red + d, 0, 255));
    texels[i + 1] = static_cast<unsigned char>(std::clamp(green + d, 0, 255));
    texels[i + 2] = static_cast<unsigned char>(std::clamp(blue + d, 0, 255));
  }
  return vgCreateImageRGBA(vg, size, size, VG_IMAGE_REPEATX | VG_IMAGE_REPEATY, texels.data());
}

} // namespace kelmo::artwork
