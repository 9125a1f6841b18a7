#include "editor/Utf8Text.h"

namespace plugin::ui {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool IsContinuation(unsigned char c)
{
  return (c & 0xC0) == 0x80;
}

// Length of the well-formed sequence that lead starts and the range its second byte must fall
// in; 0 when lead cannot start one.
struct LeadRule
{
  int length;
  unsigned char secondMin;
  unsigned char secondMax;
};

LeadRule RuleFor(unsigned char lead)
{
  if (lead < 0x80) return {1, 0, 0};
  if (lead >= 0xC2 && lead <= 0xDF) return {2, 0x80, 0xBF};
  if (lead == 0xE0) return {3, 0xA0, 0xBF}; // no overlong forms
  if (lead == 0xED) return {3, 0x80, 0x9F}; // no surrogates
  if (lead >= 0xE1 && lead <= 0xEF) return {3, 0x80, 0xBF};
  if (lead == 0xF0) return {4, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3) return {4, 0x80, 0xBF};
  if (lead == 0xF4) return {4, 0x80, 0x8F}; // nothing above U+10FFFF
  return {0, 0, 0};
}

} // namespace

std::string ValidUtf8(std::string_view text)
{
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const LeadRule rule = RuleFor(lead);
    if (rule.length == 1) {
      out += text[i++];
      continue;
    }
    // Take as many bytes as still fit a well-formed sequence; the first that does not is read
    // again as the start of the next one.
    std::size_t taken = 1;
    while (rule.length > 0 && taken < static_cast<std::size_t>(rule.length) && i + taken < text.size()) {
      const auto c = static_cast<unsigned char>(text[i + taken]);
      const bool fits = taken == 1 ? (c >= rule.secondMin && c <= rule.secondMax) : IsContinuation(c);
      if (!fits) break;
      ++taken;
    }
    if (rule.length > 0 && taken == static_cast<std::size_t>(rule.length))
      out.append(text.substr(i, taken));
    else
      out += kReplacement;
    i += taken;
  }
  return out;
}

std::string FirstCharacters(std::string_view text, std::size_t maxChars)
{
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsContinuation(static_cast<unsigned char>(text[i]))) continue;
    if (chars == maxChars) return std::string(text.substr(0, i));
    ++chars;
  }
  return std::string(text);
}

} // namespace plugin::ui
