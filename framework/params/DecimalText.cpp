#include "framework/params/DecimalText.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <system_error>

namespace plugin {

namespace {

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// White space as the C locale knows it.
bool IsSpace(char c) noexcept { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Whether a decimal number [first, last) that does not fit a double is too large rather than too
// small: its leading non-zero digit stands at a power of ten of at least 0.
bool MagnitudeAtLeastOne(const char* first, const char* last) noexcept
{
  int64_t leadPower = 0; // power of ten of the leading non-zero digit, before the exponent
  int64_t zerosAfterPoint = 0;
  bool seenPoint = false, seenNonZero = false;
  const char* p = first;
  for (; p < last && *p != 'e' && *p != 'E'; ++p) {
    if (*p == '.') {
      seenPoint = true;
    } else if (seenNonZero) {
      if (!seenPoint) ++leadPower;
    } else if (*p != '0') {
      seenNonZero = true;
      if (seenPoint) leadPower = -(zerosAfterPoint + 1);
    } else if (seenPoint) {
      ++zerosAfterPoint;
    }
  }
  if (!seenNonZero) return false;
  int64_t exponent = 0;
  bool negativeExponent = false;
  if (p < last) {
    ++p;
    if (*p == '+' || *p == '-') negativeExponent = *p++ == '-';
    // Saturate: any exponent beyond a few thousand decides the question by itself.
    for (; p < last; ++p)
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (*p - '0');
  }
  return leadPower + (negativeExponent ? -exponent : exponent) >= 0;
}

} // namespace

double ReadLeadingDecimal(const char* text) noexcept
{
  if (!text) return 0.0;
  const char* p = text;
  while (IsSpace(*p))
    ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';

  const char* first = p;
  int64_t nDigits = 0;
  for (; IsDigit(*p); ++p)
    ++nDigits;
  if (*p == '.')
    for (++p; IsDigit(*p); ++p)
      ++nDigits;
  if (nDigits == 0) return 0.0;
  const char* last = p;
  // An exponent counts only with at least one digit; "2e" and "2e+" read as 2.
  if (*p == 'e' || *p == 'E') {
    const char* q = p + 1;
    if (*q == '+' || *q == '-') ++q;
    if (IsDigit(*q)) {
      while (IsDigit(*q))
        ++q;
      last = q;
    }
  }

  double value = 0.0;
  const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range)
    value = MagnitudeAtLeastOne(first, last) ? std::numeric_limits<double>::infinity() : 0.0;
  else if (ec != std::errc())
    value = 0.0;
  return negative ? -value : value;
}

} // namespace plugin
