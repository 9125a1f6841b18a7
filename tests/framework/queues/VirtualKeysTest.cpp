#include "framework/queues/IKeyPress.h"

#include <gtest/gtest.h>

#include <utility>

using namespace plugin;

// The one table of virtual keys holds the numbers the key-press record carries.
TEST(VirtualKeys, NamesHoldTheWindowsNumbers)
{
  const std::pair<int32_t, int32_t> cases[] = {
      {vkey::kNone, 0},      {vkey::kBack, 8},
      {vkey::kTab, 9},       {vkey::kReturn, 13},
      {vkey::kEscape, 27},   {vkey::kSpace, 32},
      {vkey::kPageUp, 33},   {vkey::kPageDown, 34},
      {vkey::kEnd, 35},      {vkey::kHome, 36},
      {vkey::kLeft, 37},     {vkey::kUp, 38},
      {vkey::kRight, 39},    {vkey::kDown, 40},
      {vkey::kDelete, 46},   {vkey::kDigit0, 48},
      {vkey::kDigit9, 57},   {vkey::kA, 65},
      {vkey::kZ, 90},        {vkey::kNumpad0, 96},
      {vkey::kNumpad9, 105}, {vkey::kF1, 112},
      {vkey::kF16, 127},     {vkey::kNumLock, 144},
      {vkey::kShift, 16},    {vkey::kKeypadEnter, 0x800D},
  };
  for (const auto& [key, number] : cases)
    EXPECT_EQ(key, number);
}

TEST(VirtualKeys, CharactersAndNavigation)
{
  const std::pair<char, int32_t> characters[] = {{'a', 65}, {'Z', 90}, {'0', 48}, {'9', 57},
                                                 {' ', 0},  {'+', 0},  {'.', 0},  {'\xCE', 0}};
  for (const auto& [c, key] : characters)
    EXPECT_EQ(vkey::OfCharacter(c), key) << c;
  for (int32_t key = 0; key < 64; ++key)
    EXPECT_EQ(vkey::IsNavigation(key), key >= 33 && key <= 40) << key;
  EXPECT_EQ(IKeyPress().mVKey, vkey::kNone);
}
