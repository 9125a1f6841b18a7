#include "vst3/layer/KeyCodes.h"

#include <gtest/gtest.h>

using namespace plugin::layer;

// The codes hosts send: a mismatch would make the editor see the wrong key.
TEST(KeyCodes, ValuesHostsSend)
{
  EXPECT_EQ(kKeyBack, 1);
  EXPECT_EQ(kKeySpace, 7);
  EXPECT_EQ(kKeyNext, 8);
  EXPECT_EQ(kKeyDown, 14);
  EXPECT_EQ(kKeyPageUp, 15);
  EXPECT_EQ(kKeyEnter, 19);
  EXPECT_EQ(kKeyHelp, 23);
  EXPECT_EQ(kKeyNumpad0, 24);
  EXPECT_EQ(kKeyNumpad9, 33);
  EXPECT_EQ(kKeyMultiply, 34);
  EXPECT_EQ(kKeyDivide, 39);
  EXPECT_EQ(kKeyF1, 40);
  EXPECT_EQ(kKeyF12, 51);
  EXPECT_EQ(kKeyNumLock, 52);
  EXPECT_EQ(kKeyScroll, 53);
  EXPECT_EQ(kKeyShift, 54);
  EXPECT_EQ(kKeyControl, 55);
  EXPECT_EQ(kKeyAlt, 56);
  EXPECT_EQ(kKeyEquals, 57);
  EXPECT_EQ(kFirstAsciiKey, 128);
  EXPECT_EQ(kFirstAsciiKey - kAsciiKeyOffset, '0');

  EXPECT_EQ(kShiftKey, 0x1);
  EXPECT_EQ(kAlternateKey, 0x2);
  EXPECT_EQ(kCommandKey, 0x4);
  EXPECT_EQ(kControlKey, 0x8);
}

TEST(KeyCodes, RunsAreContiguous)
{
  // Each run of the table is consecutive, so code arithmetic over a run is safe.
  EXPECT_EQ(kKeyHelp - kKeyPageUp, 8);
  EXPECT_EQ(kKeyF12 - kKeyF1, 11);
  EXPECT_EQ(kKeyDivide - kKeyMultiply, 5);
  EXPECT_EQ(kKeyNumpad9 - kKeyNumpad0, 9);
}
