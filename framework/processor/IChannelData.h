#pragma once

#include "framework/buffers/StringBuf.h"
#include "framework/buffers/TypedBuf.h"

namespace plugin {

// One input or output channel of the processor frame.
struct IChannelData
{
  // The host supplies a buffer for this channel in the current block.
  bool mConnected = false;
  // This channel's entry in the frame's input or output pointer array.
  double** mData = nullptr;
  // The host's 32-bit output buffer, kept between attaching and the copy back; null for none.
  float* mIncomingData = nullptr;
  // Block-size doubles: conversion space, and the buffer of a disconnected channel.
  TypedBuf<double> mScratchBuf{4096};
  // Channel name, at most 32 characters.
  StringBuf mLabel;
};

} // namespace plugin
