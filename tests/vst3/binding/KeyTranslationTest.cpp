// Host key codes to the framework's key presses.
#include "vst3/adapter/KeyTranslation.h"
#include "vst3/layer/KeyCodes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using plugin::IKeyPress;
using plugin::vst3::TranslateKey;
using plugin::vst3::VirtualKeyOfKeyCode;

TEST(KeyTranslation, NamedKeysFollowTheTable)
{
  const int expected[] = {0x08, 0x09, 0x0C, 0x0D, 0x13, 0x1B, 0x20, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28,
                          0x21, 0x22, 0x29, 0x2A, 0x0D, 0x2C, 0x2D, 0x2E, 0x2F, 0x60, 0x61, 0x62, 0x63, 0x64,
                          0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F, 0x70, 0x71, 0x72,
                          0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B, 0x90, 0x91, 0x10, 0x11, 0x12};
  for (int code = 1; code <= 56; ++code)
    EXPECT_EQ(VirtualKeyOfKeyCode(code), expected[code - 1]) << code;
  for (int code : {0, 57, 58, 100, 127, -1, -300})
    EXPECT_EQ(VirtualKeyOfKeyCode(code), 0) << code;
  EXPECT_EQ(VirtualKeyOfKeyCode(128), '0');
  EXPECT_EQ(VirtualKeyOfKeyCode(128 + 17), 'A');
}

// The host's keys arrive under the names the controls read.
TEST(KeyTranslation, HostKeysGiveTheNamedVirtualKeys)
{
  namespace vkey = plugin::vkey;
  const std::pair<int, int32_t> cases[] = {
      {plugin::layer::kKeyBack, vkey::kBack},       {plugin::layer::kKeyTab, vkey::kTab},
      {plugin::layer::kKeyReturn, vkey::kReturn},   {plugin::layer::kKeyEnter, vkey::kReturn},
      {plugin::layer::kKeyEscape, vkey::kEscape},   {plugin::layer::kKeySpace, vkey::kSpace},
      {plugin::layer::kKeyPageUp, vkey::kPageUp},   {plugin::layer::kKeyNext, vkey::kPageDown},
      {plugin::layer::kKeyDown, vkey::kDown},       {plugin::layer::kKeyDelete, vkey::kDelete},
      {plugin::layer::kKeyNumpad7, vkey::kNumpad7}, {plugin::layer::kKeyF12, vkey::kF12},
      {plugin::layer::kKeyAlt, vkey::kAlt},
  };
  for (const auto& [code, key] : cases)
    EXPECT_EQ(TranslateKey(0, static_cast<int16_t>(code), 0).mVKey, key) << code;
  EXPECT_EQ(TranslateKey(u'x', 0, 0).mVKey, vkey::OfCharacter('X'));
}

TEST(KeyTranslation, CharactersTextsAndModifiers)
{
  IKeyPress a = TranslateKey(u'a', 0, 0);
  EXPECT_EQ(a.mVKey, 0x41);
  EXPECT_STREQ(a.mUtf8, "a");
  EXPECT_FALSE(a.mShift || a.mCtrl || a.mAlt);

  IKeyPress f1 = TranslateKey(0, plugin::layer::kKeyF1, 0);
  EXPECT_EQ(f1.mVKey, 0x70);
  EXPECT_STREQ(f1.mUtf8, "");

  IKeyPress left = TranslateKey(0, plugin::layer::kKeyLeft, plugin::layer::kShiftKey);
  EXPECT_EQ(left.mVKey, 0x25);
  EXPECT_TRUE(left.mShift);
  EXPECT_FALSE(left.mCtrl);

  IKeyPress space =
      TranslateKey(0, plugin::layer::kKeySpace, plugin::layer::kCommandKey | plugin::layer::kAlternateKey);
  EXPECT_EQ(space.mVKey, 0x20);
  EXPECT_STREQ(space.mUtf8, " ");
  EXPECT_TRUE(space.mCtrl);
  EXPECT_TRUE(space.mAlt);
  EXPECT_FALSE(space.mShift);

  // The physical control key on the Mac is not the command modifier.
  EXPECT_FALSE(TranslateKey(u'x', 0, plugin::layer::kControlKey).mCtrl);

  IKeyPress zero = TranslateKey(0, 128, 0);
  EXPECT_EQ(zero.mVKey, '0');
  EXPECT_STREQ(zero.mUtf8, "0");

  EXPECT_EQ(TranslateKey(u'=', plugin::layer::kKeyEquals, 0).mVKey, 0);
  EXPECT_EQ(TranslateKey(u'7', 0, 0).mVKey, '7');
  EXPECT_EQ(TranslateKey(u'Q', 0, 0).mVKey, 'Q');

  IKeyPress mu = TranslateKey(u'\u03BC', 0, 0);
  EXPECT_EQ(mu.mVKey, 0);
  EXPECT_EQ(std::string(mu.mUtf8), "\xCE\xBC");

  IKeyPress euro = TranslateKey(u'\u20AC', 0, 0);
  EXPECT_EQ(std::string(euro.mUtf8), "\xE2\x82\xAC");
  // A lone surrogate becomes the replacement character, never a broken text.
  EXPECT_EQ(std::string(TranslateKey(char16_t(0xD800), 0, 0).mUtf8), "\xEF\xBF\xBD");
  EXPECT_EQ(TranslateKey(0, 60, 0).mVKey, 0);
  EXPECT_STREQ(TranslateKey(0, 60, 0).mUtf8, "");
}
