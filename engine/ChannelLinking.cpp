#include "engine/ChannelLinking.h"

#include "engine/dsp/KelmoParams.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, int>, 13> kTwins = {{
    {kLWetGain, kRWetGain},
    {kLThreshold, kRThreshold},
    {kLFeedBack, kRFeedBack},
    {kLAttack, kRAttack},
    {kLRelease, kRRelease},
    {kLSidechainFrequency, kRSidechainFrequency},
    {kLSidechainGain, kRSidechainGain},
    {kLBypass, kRBypass},
    {kLTriodePentode, kRTriodePentode},
    {kLAutoRelease, kRAutoRelease},
    {kLSyncRelease, kRSyncRelease},
    {kLSidechainCompensation, kRSidechainCompensation},
    {kLSidechainBlend, kRSidechainBlend},
}};

} // namespace

int LinkedTwinOf(int paramIdx) noexcept
{
  for (const auto& [left, right] : kTwins) {
    if (paramIdx == left) return right;
    if (paramIdx == right) return left;
  }
  return -1;
}

bool RefreshesEditorWhenUnlinked(int paramIdx) noexcept
{
  return paramIdx == kLSyncRelease || paramIdx == kRSyncRelease || paramIdx == kLSidechainBlend ||
         paramIdx == kRSidechainBlend;
}
