#include "framework/plugin/HostDetection.h"

#include <cctype>
#include <cstring>

namespace plugin {

namespace {

struct HostEntry
{
  const char* text;
  EHost host;
};

// Order matters: the first hit wins, so longer names come before their prefixes ("wavelab
// elements" before "wavelab") and the generic entries come last.
constexpr HostEntry kHostTable[] = {
    {"reaper", kHostReaper},
    {"protools", kHostProTools},
    {"cubase", kHostCubase},
    {"nuendo", kHostNuendo},
    {"cakewalk", kHostSonar},
    {"vegas", kHostVegas},
    {"fruity", kHostFL},
    {"samplitude", kHostSamplitude},
    {"live", kHostAbletonLive},
    {"tracktion", kHostTracktion},
    {"ntracks", kHostNTracks},
    {"melodyne", kHostMelodyneStudio},
    {"vstmanlib", kHostVSTScanner},
    {"aulab", kHostAULab},
    {"forte", kHostForte},
    {"chainer", kHostChainer},
    {"audition", kHostAudition},
    {"orion", kHostOrion},
    {"bias", kHostBias},
    {"sawstudio", kHostSAWStudio},
    {"logic", kHostLogic},
    {"garageband", kHostGarageBand},
    {"digital", kHostDigitalPerformer},
    {"audiomulch", kHostAudioMulch},
    {"presonus", kHostStudioOne},
    {"vst3plugintesthost", kHostVST3TestHost},
    {"ardour", kHostArdour},
    {"renoise", kHostRenoise},
    {"openmpt", kHostOpenMPT},
    {"wavelab elements", kHostWaveLabElements},
    {"wavelab", kHostWaveLab},
    {"twistedwave", kHostTwistedWave},
    {"bitwig studio", kHostBitwig},
    {"reason", kHostReason},
    {"gwvst", kHostGoldWave},
    {"waveform", kHostWaveform},
    {"audacity", kHostAudacity},
    {"acoustica", kHostAcoustica},
    {"plugindoctor", kHostPluginDoctor},
    {"izotope rx", kHostIZotopeRX},
    {"savihost", kHostSAVIHost},
    {"blue cat's vst host", kHostBlueCat},
    {"mixbus", kHostMixbus},
    {"standalone", kHostStandalone},
    {"www", kHostWWW},
};

} // namespace

EHost LookUpHost(const char* hostName) noexcept
{
  if (!hostName) return kHostUnknown;
  char lower[kMaxHostNameLen + 1];
  int n = 0;
  for (; n < kMaxHostNameLen && hostName[n] != '\0'; ++n)
    lower[n] = static_cast<char>(std::tolower(static_cast<unsigned char>(hostName[n])));
  lower[n] = '\0';
  for (const HostEntry& entry : kHostTable)
    if (std::strstr(lower, entry.text)) return entry.host;
  return kHostUnknown;
}

} // namespace plugin
