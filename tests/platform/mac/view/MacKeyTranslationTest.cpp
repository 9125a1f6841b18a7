// Key events as the toolkit's key records: the hardware-key table, the character rules, the
// modifier flags and the key text.
#include "platform/mac/MacKeyTranslation.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace plugin;
using namespace plugin::ui;

namespace {

sys::Event Key(std::uint16_t keyCode, std::optional<std::u16string> chars, unsigned long modifiers = 0)
{
  sys::Event e;
  e.type = sys::EventType::KeyDown;
  e.keyCode = keyCode;
  e.charactersIgnoringModifiers = std::move(chars);
  e.characters = e.charactersIgnoringModifiers;
  e.modifierFlags = modifiers;
  return e;
}

constexpr unsigned long kShift = sys::kEventModifierShift, kCommand = sys::kEventModifierCommand,
                        kOption = sys::kEventModifierOption, kControl = sys::kEventModifierControl;

} // namespace

TEST(MacKeyTranslation, HardwareKeysWithAFixedVirtualKey)
{
  const struct
  {
    std::uint16_t mac;
    int code;
  } table[] = {{51, 8},    {65, 110},  {67, 106},  {69, 107},  {71, 144},  {75, 111},  {76, 32781},
               {78, 109},  {81, 108},  {82, 96},   {89, 103},  {91, 104},  {92, 105},  {122, 112},
               {120, 113}, {99, 114},  {118, 115}, {96, 116},  {97, 117},  {98, 118},  {100, 119},
               {101, 120}, {109, 121}, {103, 122}, {111, 123}, {105, 124}, {107, 125}, {113, 126},
               {106, 127}, {114, 45},  {115, 36},  {119, 35},  {116, 33},  {121, 34},  {117, 46},
               {123, 37},  {124, 39},  {125, 40},  {126, 38}};
  for (const auto& row : table) {
    int flags = 0;
    // The table wins over whatever text the key carries.
    EXPECT_EQ(TranslateMacKeyEvent(Key(row.mac, u"x"), flags), row.code) << row.mac;
    EXPECT_EQ(flags, kMacKeyVirtual) << row.mac;
  }
}

TEST(MacKeyTranslation, CharacterRules)
{
  const struct
  {
    std::uint16_t mac;
    std::optional<std::u16string> chars;
    unsigned long mods;
    int code;
    int flags;
  } table[] = {
      {0, u"a", 0, 'A', kMacKeyVirtual},                         // lower case becomes upper
      {0, u"A", kShift, 'A', kMacKeyVirtual | kMacKeyShift},     // a shifted letter keeps shift
      {18, u"1", 0, '1', kMacKeyVirtual},                        // digits
      {18, u"!", kShift, '!', 0},                                // a shifted character drops shift
      {36, u"\r", 0, 13, kMacKeyVirtual},                        // main Return
      {48, u"\t", 0, 9, kMacKeyVirtual},                         // Tab
      {53, u"\x1b", 0, 27, kMacKeyVirtual},                      // Escape
      {49, u" ", kControl, 32, kMacKeyVirtual | kMacKeyControl}, // space, control flagged
      {48, u"\x19", kShift, 25, 0},                              // back-tab without Command
      {48, u"\x19", kCommand | kShift, 9, kMacKeyVirtual | kMacKeyCommand | kMacKeyShift},
      {0, u"\xe9", kOption, 0xe9, kMacKeyVirtual | kMacKeyOption}, // letters beyond ASCII
      {0, u"\xf704", 0, 112, kMacKeyVirtual},                      // F1's private-use character
      {0, u"\xf71b", 0, 135, kMacKeyVirtual},                      // F24
      {0, u"\xf703", 0, 0xf703, 0},                                // just below the range: a character
      {10, std::nullopt, 0, 1034, kMacKeyVirtual},                 // no characters: code + 1024
      {10, u"", kCommand, 1034, kMacKeyVirtual | kMacKeyCommand},  // empty characters
      {0, u"-", 0, '-', 0},
  };
  for (const auto& row : table) {
    int flags = 0;
    EXPECT_EQ(TranslateMacKeyEvent(Key(row.mac, row.chars, row.mods), flags), row.code) << row.mac;
    EXPECT_EQ(flags, row.flags) << row.mac << " code " << row.code;
  }
}

TEST(MacKeyTranslation, KeyPressRecord)
{
  const struct
  {
    sys::Event event;
    int vkey;
    std::string text;
    bool shift, command, alt;
  } table[] = {
      {Key(0, u"a"), 'A', "a", false, false, false},
      {Key(18, u"!", kShift), 0, "!", false, false, false},
      {Key(76, u"\x03"), 32781, "\x03", false, false, false},
      {Key(36, u"\r"), 13, "\r", false, false, false},
      {Key(0, u"s", kCommand | kControl), 'S', "s", false, true, false}, // control is not passed
      {Key(0, u"\xe9", kOption | kShift), 0xe9, "\xc3\xa9", true, false, true},
      {Key(0, u"\x20ac"), 0, "\xe2\x82\xac", false, false, false},               // three bytes
      {Key(0, u"ab"), 'A', "", false, false, false},                             // several units: no text
      {Key(0, std::u16string(1, char16_t(0xd83d))), 0, "", false, false, false}, // lone surrogate
      {Key(0, std::u16string(1, char16_t(0xdc00))), 0, "", false, false, false},
      {Key(0, u"\U0001F600"), 0, "", false, false, false}, // a pair is two units
      {Key(122, std::nullopt), 112, "", false, false, false},
  };
  for (const auto& row : table) {
    const IKeyPress key = MacKeyPress(row.event);
    EXPECT_EQ(key.mVKey, row.vkey) << row.text;
    EXPECT_EQ(std::string(key.mUtf8), row.text) << row.vkey;
    EXPECT_EQ(key.mUtf8[4], 0);
    EXPECT_EQ(key.mShift, row.shift) << row.vkey;
    EXPECT_EQ(key.mCtrl, row.command) << row.vkey;
    EXPECT_EQ(key.mAlt, row.alt) << row.vkey;
  }
}
