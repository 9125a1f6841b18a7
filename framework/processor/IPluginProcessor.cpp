#include "framework/processor/IPluginProcessor.h"

#include <algorithm>
#include <cstring>

namespace plugin {

namespace {

void ZeroDoubles(double* p, int n) noexcept
{
  if (p && n > 0) std::memset(p, 0, sizeof(double) * static_cast<size_t>(n));
}

// Clips the channel range idx .. idx + n - 1 to [0, count); returns the end (exclusive).
int ClipEnd(int idx, int n, int count) noexcept
{
  if (idx < 0 || n <= 0 || idx >= count) return idx;
  return static_cast<int>(std::min<long long>(count, static_cast<long long>(idx) + n));
}

// Calls fn(channel, slot) for each connected channel in idx .. idx + n - 1; slot counts the
// connected channels visited, which is how the host packs its buffer array.
template <typename Channels, typename Fn>
void ForEachConnected(Channels& channels, int idx, int n, Fn&& fn) noexcept
{
  const int end = ClipEnd(idx, n, static_cast<int>(channels.size()));
  int slot = 0;
  for (int i = std::max(idx, 0); i < end; ++i) {
    IChannelData& channel = *channels[static_cast<size_t>(i)];
    if (channel.mConnected) fn(channel, slot++);
  }
}

} // namespace

IPluginProcessor::IPluginProcessor(const IPluginConfig& config, int /*api*/)
    : mPlugType(config.mPlugType), mDoesMidiIn(config.mPlugDoesMidiIn), mDoesMidiOut(config.mPlugDoesMidiOut),
      mPlugFlag3(config.mPlugFlag3), mLatency(std::max(config.mLatency, 0))
{
  int maxNIn = 0, maxNOut = 0, maxNInBuses = 0, maxNOutBuses = 0;
  ParseChannelIOStr(config.mChannelIOStr, mIOConfigs, maxNIn, maxNOut, maxNInBuses, maxNOutBuses);

  mInputPointers.assign(static_cast<size_t>(maxNIn), nullptr);
  mOutputPointers.assign(static_cast<size_t>(maxNOut), nullptr);
  for (int i = 0; i < maxNIn; ++i) {
    auto channel = std::make_unique<IChannelData>();
    channel->mData = &mInputPointers[static_cast<size_t>(i)];
    mInChannels.push_back(std::move(channel));
  }
  for (int i = 0; i < maxNOut; ++i) {
    auto channel = std::make_unique<IChannelData>();
    channel->mData = &mOutputPointers[static_cast<size_t>(i)];
    mOutChannels.push_back(std::move(channel));
  }
}

IPluginProcessor::~IPluginProcessor() = default;

// --- Virtual operations ---

void IPluginProcessor::ProcessBlock(double** inputs, double** outputs, int nFrames)
{
  if (!outputs || nFrames <= 0) return;
  const int nIn = inputs ? NChannels(kInput) : 0;
  const int nOut = NChannels(kOutput);
  const size_t bytes = sizeof(double) * static_cast<size_t>(nFrames);
  for (int i = 0; i < nOut; ++i) {
    if (!outputs[i]) continue;
    if (i < nIn && inputs[i]) {
      if (inputs[i] != outputs[i]) std::memmove(outputs[i], inputs[i], bytes);
    } else {
      std::memset(outputs[i], 0, bytes);
    }
  }
}

void IPluginProcessor::ProcessMidiMsg(const IMidiMsg& msg)
{
  SendMidiMsg(msg);
}

void IPluginProcessor::ProcessSysEx(const ISysEx&) {}

void IPluginProcessor::OnReset() {}

void IPluginProcessor::OnActivate(bool) {}

bool IPluginProcessor::SendMidiMsgs(TypedBuf<IMidiMsg>& msgs)
{
  bool allSent = true;
  const int n = msgs.GetSize();
  for (int i = 0; i < n; ++i)
    if (!SendMidiMsg(msgs.Get()[i])) allSent = false;
  return allSent;
}

bool IPluginProcessor::SendSysEx(const ISysEx&)
{
  return false;
}

void IPluginProcessor::GetBusName(ERoute direction, int busIdx, int nBuses, StringBuf& out) const
{
  if (direction == kInput) {
    if (nBuses == 1)
      out.Set("Input");
    else if (nBuses == 2)
      out.Set(busIdx == 0 ? "Main" : "Aux");
    else
      out.SetFormatted(32, "Input %i", busIdx);
  } else {
    if (nBuses == 1)
      out.Set("Output");
    else
      out.SetFormatted(32, "Output %i", busIdx);
  }
}

void IPluginProcessor::SetLatency(int samples)
{
  mLatency = std::max(samples, 0);
  if (mLatencyDelay) mLatencyDelay->SetDelay(mLatency);
}

void IPluginProcessor::SetTailSize(int samples)
{
  mTailSize = std::max(samples, 0);
}

// --- Configurations ---

const IOConfig* IPluginProcessor::GetIOConfig(int idx) const noexcept
{
  return idx >= 0 && idx < NIOConfigs() ? mIOConfigs[static_cast<size_t>(idx)].get() : nullptr;
}

int IPluginProcessor::MaxNBuses(ERoute direction, int* configIdx) const noexcept
{
  int maxBuses = 0, maxIdx = 0;
  for (int i = 0; i < NIOConfigs(); ++i) {
    const int n = mIOConfigs[static_cast<size_t>(i)]->NBuses(direction);
    if (n >= maxBuses) { // ties go to the later configuration
      maxBuses = n;
      maxIdx = i;
    }
  }
  if (configIdx) *configIdx = maxIdx;
  return maxBuses;
}

int IPluginProcessor::MaxNChannelsForBus(ERoute direction, int busIdx) const noexcept
{
  if (mIOConfigs.empty()) return 0;
  if (mIOConfigs.front()->ContainsWildcard(direction)) return -1;
  int maxChans = 0;
  for (const auto& config : mIOConfigs)
    if (const IBusInfo* bus = config->GetBusInfo(direction, busIdx))
      maxChans = std::max(maxChans, bus->mNChans);
  return maxChans;
}

int IPluginProcessor::GetIOConfigWithChanCounts(const std::vector<int>& inputChans,
                                                const std::vector<int>& outputChans) const noexcept
{
  const auto matches = [](const IOConfig& config, ERoute direction, const std::vector<int>& chans) {
    if (config.NBuses(direction) != static_cast<int>(chans.size())) return false;
    for (size_t b = 0; b < chans.size(); ++b)
      if (config.GetBusInfo(direction, static_cast<int>(b))->mNChans != chans[b]) return false;
    return true;
  };
  for (int i = 0; i < NIOConfigs(); ++i) {
    const IOConfig& config = *mIOConfigs[static_cast<size_t>(i)];
    if (matches(config, kInput, inputChans) && matches(config, kOutput, outputChans)) return i;
  }
  return -1;
}

bool IPluginProcessor::LegalIO(int nIn, int nOut) const noexcept
{
  for (const auto& config : mIOConfigs)
    if ((nIn < 0 || config->GetTotalNChannels(kInput) == nIn) &&
        (nOut < 0 || config->GetTotalNChannels(kOutput) == nOut))
      return true;
  return false;
}

// --- Channels ---

const IChannelData* IPluginProcessor::GetChannelData(ERoute direction, int idx) const noexcept
{
  const auto& channels = Channels(direction);
  return idx >= 0 && idx < static_cast<int>(channels.size()) ? channels[static_cast<size_t>(idx)].get()
                                                             : nullptr;
}

int IPluginProcessor::NChannelsConnected(ERoute direction) const noexcept
{
  int n = 0;
  for (const auto& channel : Channels(direction))
    if (channel->mConnected) ++n;
  return n;
}

bool IPluginProcessor::IsChannelConnected(ERoute direction, int idx) const noexcept
{
  const IChannelData* channel = GetChannelData(direction, idx);
  return channel && channel->mConnected;
}

void IPluginProcessor::UseScratch(IChannelData& channel) noexcept
{
  *channel.mData = channel.mScratchBuf.GetSize() > 0 ? channel.mScratchBuf.Get() : nullptr;
}

void IPluginProcessor::SetChannelConnections(ERoute direction, int idx, int n, bool connected) noexcept
{
  auto& channels = Channels(direction);
  const int end = ClipEnd(idx, n, static_cast<int>(channels.size()));
  for (int i = std::max(idx, 0); i < end; ++i) {
    IChannelData& channel = *channels[static_cast<size_t>(i)];
    channel.mConnected = connected;
    // A connected channel gets its host buffer when buffers are attached; until then it must not
    // keep last block's pointer, which the host may have freed.
    UseScratch(channel);
    channel.mIncomingData = nullptr;
  }
}

void IPluginProcessor::SetChannelLabel(ERoute direction, int idx, const char* format, bool zeroBased)
{
  auto& channels = Channels(direction);
  if (idx < 0 || idx >= static_cast<int>(channels.size())) return;
  StringBuf& label = channels[static_cast<size_t>(idx)]->mLabel;
  if (!format) {
    label.Set("");
    return;
  }
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
#pragma GCC diagnostic ignored "-Wformat-security"
  label.SetFormatted(32, format, zeroBased ? idx : idx + 1);
#pragma GCC diagnostic pop
}

const char* IPluginProcessor::GetChannelLabel(ERoute direction, int idx) const noexcept
{
  const IChannelData* channel = GetChannelData(direction, idx);
  return channel ? channel->mLabel.Get() : "";
}

void IPluginProcessor::LimitToStereoIO() noexcept
{
  const int nIn = NChannels(kInput), nOut = NChannels(kOutput);
  if (nIn > 2) SetChannelConnections(kInput, 2, nIn - 2, false);
  if (nOut > 2) SetChannelConnections(kOutput, 2, nOut - 2, true);
}

// --- Audio path ---

void IPluginProcessor::AttachBuffers(ERoute direction, int idx, int n, double** data) noexcept
{
  ForEachConnected(Channels(direction), idx, n, [&](IChannelData& channel, int slot) {
    double* host = data ? data[slot] : nullptr;
    channel.mIncomingData = nullptr;
    if (host) {
      *channel.mData = host;
    } else {
      UseScratch(channel);
      if (direction == kInput) ZeroDoubles(channel.mScratchBuf.Get(), channel.mScratchBuf.GetSize());
    }
  });
}

void IPluginProcessor::AttachBuffers(ERoute direction, int idx, int n, float** data, int nFrames) noexcept
{
  ForEachConnected(Channels(direction), idx, n, [&](IChannelData& channel, int slot) {
    float* host = data ? data[slot] : nullptr;
    UseScratch(channel);
    if (direction == kOutput) {
      channel.mIncomingData = host;
      return;
    }
    channel.mIncomingData = nullptr;
    double* scratch = channel.mScratchBuf.Get();
    // Never convert past the scratch buffer; a longer block is refused later anyway.
    const int frames = std::min(nFrames, channel.mScratchBuf.GetSize());
    if (frames < 1) return;
    if (host)
      for (int f = 0; f < frames; ++f)
        scratch[f] = host[f];
    else
      ZeroDoubles(scratch, frames);
  });
}

void IPluginProcessor::ZeroScratchBuffers() noexcept
{
  for (auto* channels : {&mInChannels, &mOutChannels})
    for (const auto& channel : *channels)
      ZeroDoubles(channel->mScratchBuf.Get(), channel->mScratchBuf.GetSize());
}

void IPluginProcessor::ZeroOutputsAfterOverrun(int nFrames, bool hostFloat) noexcept
{
  for (const auto& channel : mOutChannels) {
    ZeroDoubles(channel->mScratchBuf.Get(), channel->mScratchBuf.GetSize());
    if (nFrames <= 0) continue;
    double* slot = *channel->mData;
    // Host buffers hold the host's block length; a slot on the scratch buffer was zeroed above.
    if (!hostFloat && slot && slot != channel->mScratchBuf.Get()) ZeroDoubles(slot, nFrames);
    if (hostFloat && channel->mConnected && channel->mIncomingData)
      std::memset(channel->mIncomingData, 0, sizeof(float) * static_cast<size_t>(nFrames));
  }
}

void IPluginProcessor::WriteBackFloat(int nFrames, bool accumulate) noexcept
{
  for (const auto& channel : mOutChannels) {
    float* host = channel->mIncomingData;
    const double* src = *channel->mData;
    if (!channel->mConnected || !host || !src) continue;
    if (accumulate)
      for (int f = 0; f < nFrames; ++f)
        host[f] += static_cast<float>(src[f]);
    else
      for (int f = 0; f < nFrames; ++f)
        host[f] = static_cast<float>(src[f]);
  }
}

bool IPluginProcessor::ProcessBuffers(double, int nFrames) noexcept
{
  if (!FitsBlock(nFrames)) {
    ZeroOutputsAfterOverrun(nFrames, false);
    return false;
  }
  ProcessBlock(Pointers(kInput), Pointers(kOutput), nFrames);
  return true;
}

bool IPluginProcessor::ProcessBuffers(float, int nFrames) noexcept
{
  if (!FitsBlock(nFrames)) {
    ZeroOutputsAfterOverrun(nFrames, true);
    return false;
  }
  ProcessBlock(Pointers(kInput), Pointers(kOutput), nFrames);
  WriteBackFloat(nFrames, false);
  return true;
}

bool IPluginProcessor::ProcessBuffersAccumulating(float, int nFrames) noexcept
{
  if (!FitsBlock(nFrames)) return false; // adds nothing to what the host buffers hold
  ProcessBlock(Pointers(kInput), Pointers(kOutput), nFrames);
  WriteBackFloat(nFrames, true);
  return true;
}

bool IPluginProcessor::PassThroughBuffers(double, int nFrames) noexcept
{
  if (!FitsBlock(nFrames)) {
    ZeroOutputsAfterOverrun(nFrames, false);
    return false;
  }
  double** inputs = Pointers(kInput);
  double** outputs = Pointers(kOutput);
  if (mLatency > 0 && mLatencyDelay && mLatencyDelay->GetDelay() > 0)
    mLatencyDelay->Process(inputs, outputs, nFrames);
  else
    IPluginProcessor::ProcessBlock(inputs, outputs, nFrames); // plain copy, not the plug-in's
  return true;
}

bool IPluginProcessor::PassThroughBuffers(float, int nFrames) noexcept
{
  if (!FitsBlock(nFrames)) {
    ZeroOutputsAfterOverrun(nFrames, true);
    return false;
  }
  PassThroughBuffers(0.0, nFrames);
  WriteBackFloat(nFrames, false);
  return true;
}

// --- Set-up ---

bool IPluginProcessor::SetBlockSize(int blockSize)
{
  blockSize = std::max(blockSize, 0);
  if (blockSize == mBlockSize) return true;
  bool ok = true;
  for (auto* channels : {&mInChannels, &mOutChannels})
    for (const auto& channel : *channels) {
      channel->mScratchBuf.Resize(blockSize, true);
      if (channel->mScratchBuf.GetSize() != blockSize) ok = false;
    }
  if (!ok) blockSize = 0;
  for (auto* channels : {&mInChannels, &mOutChannels})
    for (const auto& channel : *channels) {
      if (!ok) channel->mScratchBuf.Resize(0, true);
      ZeroDoubles(channel->mScratchBuf.Get(), channel->mScratchBuf.GetSize());
      // The buffers may have moved: no slot may keep an old scratch address.
      UseScratch(*channel);
      channel->mIncomingData = nullptr;
    }
  mBlockSize = blockSize;
  return ok;
}

void IPluginProcessor::InitLatencyDelay()
{
  if (mInChannels.empty()) return;
  mLatencyDelay = std::make_unique<MultiChannelDelayLine>(NChannels(kInput), NChannels(kOutput), mLatency);
}

// --- Accessors ---

double IPluginProcessor::GetSamplesPerBeat() const noexcept
{
  const double tempo = mTimeInfo.mTempo;
  return tempo > 0.0 ? mSampleRate * 60.0 / tempo : 0.0;
}

int IPluginProcessor::GetAUPluginType() const noexcept
{
  const auto code = [](const char(&c)[5]) {
    return static_cast<int>((static_cast<unsigned>(c[0]) << 24) | (static_cast<unsigned>(c[1]) << 16) |
                            (static_cast<unsigned>(c[2]) << 8) | static_cast<unsigned>(c[3]));
  };
  switch (mPlugType) {
  case 2:
    return code("aumi");
  case 1:
    return code("aumu");
  case 0:
    return mDoesMidiIn ? code("aumf") : code("aufx");
  default:
    return code("aufx");
  }
}

} // namespace plugin
