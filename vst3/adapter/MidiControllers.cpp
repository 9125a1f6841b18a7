#include "vst3/adapter/MidiControllers.h"

#include "vst3/adapter/ParamIds.h"

#include <algorithm>
#include <cmath>

namespace plugin::vst3 {

namespace {

// Controllers with a name of their own; every other one is "Contr. <n>".
struct NamedController
{
  int number;
  const char* name;
};

constexpr NamedController kNamedControllers[] = {
    {0, "BankSel.MSB"},  {1, "Modulation"},   {2, "BreathCtrl"},   {4, "Foot Ctrl"},    {5, "Porta.Time"},
    {6, "DataEntMSB"},   {7, "MainVolume"},   {8, "Balance"},      {10, "Pan"},         {11, "Expression"},
    {12, "FXControl1"},  {13, "FXControl2"},  {16, "Gen.Purp.1"},  {17, "Gen.Purp.2"},  {18, "Gen.Purp.3"},
    {19, "Gen.Purp.4"},  {32, "BankSel.LSB"}, {33, "Modul. LSB"},  {34, "BrthCt LSB"},  {36, "FootCt LSB"},
    {37, "Port.T LSB"},  {38, "DataEntLSB"},  {39, "MainVolLSB"},  {40, "BalanceLSB"},  {42, "Pan LSB"},
    {43, "Expr. LSB"},   {48, "Gen.P.1LSB"},  {49, "Gen.P.2LSB"},  {50, "Gen.P.3LSB"},  {51, "Gen.P.4LSB"},
    {64, "Damper Ped"},  {65, "Porta. Ped"},  {66, "Sostenuto "},  {67, "Soft Pedal"},  {68, "Legato Sw"},
    {69, "Hold 2"},      {80, "Gen.Purp.5"},  {81, "Gen.Purp.6"},  {82, "Gen.Purp.7"},  {83, "Gen.Purp.8"},
    {84, "Portamento"},  {96, "Data Incr"},   {97, "Data Decr"},   {98, "Non-RegLSB"},  {99, "Non-RegMSB"},
    {100, "Reg LSB"},    {101, "Reg MSB"},    {121, "Reset Ctrl"}, {122, "Local Ctrl"}, {123, "AllNoteOff"},
    {124, "OmniModOff"}, {125, "OmniModeOn"}, {126, "MonoModeOn"}, {127, "PolyModeOn"},
};

} // namespace

std::string MidiControllerName(int n)
{
  if (n == kMidiCCAftertouch) return "Channel Aftertouch";
  if (n == kMidiCCPitchBend) return "Pitch Bend";
  if (n < 0 || n > 127) return "";
  for (const auto& named : kNamedControllers)
    if (named.number == n) return named.name;
  if (n >= 70 && n <= 79) return "SoundCont " + std::to_string(n - 69);
  if (n >= 91 && n <= 95) return "FX " + std::to_string(n - 90) + " Depth";
  return "Contr. " + std::to_string(n);
}

bool MidiControllerParamId(int busIndex, int channel, int controller, uint32_t& id) noexcept
{
  if (busIndex != 0 || channel != 0 || controller < 0 || controller >= kMidiCCsPerChannel) return false;
  id = kMidiCCParamStart + static_cast<uint32_t>(channel * kMidiCCsPerChannel + controller);
  return true;
}

bool MidiMsgFromControllerParam(uint32_t id, double normalized, int sampleOffset, IMidiMsg& msg) noexcept
{
  if (id < kMidiCCParamStart || id > kMidiCCParamEnd || !std::isfinite(normalized)) return false;
  const double value = std::clamp(normalized, 0.0, 1.0);
  const int k = static_cast<int>(id - kMidiCCParamStart);
  const int channel = k / kMidiCCsPerChannel;
  const int controller = k % kMidiCCsPerChannel;
  msg = IMidiMsg{};
  msg.mOffset = sampleOffset;
  if (controller == kMidiCCPitchBend) {
    int v = std::max(static_cast<int>(value * 16384.0 - 8192.0), -8192) + 8192;
    v = std::min(v, 16383);
    msg.mStatus = static_cast<uint8_t>(0xE0 | channel);
    msg.mData1 = static_cast<uint8_t>(v & 127);
    msg.mData2 = static_cast<uint8_t>(v >> 7);
  } else if (controller == kMidiCCAftertouch) {
    msg.mStatus = static_cast<uint8_t>(0xD0 | channel);
    msg.mData1 = static_cast<uint8_t>(value * 127.0);
    msg.mData2 = 0;
  } else {
    msg.mStatus = static_cast<uint8_t>(0xB0 | channel);
    msg.mData1 = static_cast<uint8_t>(controller);
    msg.mData2 = static_cast<uint8_t>(value * 127.0);
  }
  return true;
}

} // namespace plugin::vst3
