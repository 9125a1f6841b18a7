#include "platform/mac/system/CharacterSet.h"

#include <algorithm>
#include <locale.h>
#include <wctype.h>

namespace plugin::sys {

namespace {

// Character classes of a UTF-8 locale, made once; null when the system has none, in which
// case only ASCII letters and digits count.
locale_t UnicodeClasses() noexcept
{
  static const locale_t classes = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return classes;
}

bool IsAlphanumeric(char16_t unit) noexcept
{
  if (unit < 0x80)
    return (unit >= u'0' && unit <= u'9') || (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
  if (unit >= 0xd800 && unit < 0xe000) return false; // half of a pair is no character
  const locale_t classes = UnicodeClasses();
  return classes && iswalnum_l(static_cast<wint_t>(unit), classes);
}

} // namespace

CharacterSet CharacterSet::WithCharactersInString(std::u16string_view chars)
{
  CharacterSet set;
  set.mUnits.assign(chars);
  std::sort(set.mUnits.begin(), set.mUnits.end());
  set.mUnits.erase(std::unique(set.mUnits.begin(), set.mUnits.end()), set.mUnits.end());
  return set;
}

CharacterSet CharacterSet::Alphanumerics()
{
  CharacterSet set;
  set.mAlphanumerics = true;
  return set;
}

bool CharacterSet::IsMember(char16_t unit) const noexcept
{
  if (mAlphanumerics && IsAlphanumeric(unit)) return true;
  return std::binary_search(mUnits.begin(), mUnits.end(), unit);
}

} // namespace plugin::sys
