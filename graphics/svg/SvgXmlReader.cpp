#include "graphics/svg/SvgXmlReader.h"

#include <cstdint>
#include <cstring>

namespace plugin::ui::svg {
namespace {

bool IsSpace(char c)
{
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsNameChar(char c, bool first)
{
  const auto u = static_cast<unsigned char>(c);
  if ((u | 32) >= 'a' && (u | 32) <= 'z') return true;
  if (u == '_' || u == ':' || u >= 0x80) return true;
  return !first && ((u >= '0' && u <= '9') || u == '-' || u == '.');
}

std::string_view LocalName(std::string_view name)
{
  const auto colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

void AppendUtf8(std::string& out, uint32_t cp)
{
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | cp >> 6);
    out += char(0x80 | (cp & 63));
  } else if (cp < 0x10000) {
    out += char(0xE0 | cp >> 12);
    out += char(0x80 | (cp >> 6 & 63));
    out += char(0x80 | (cp & 63));
  } else {
    out += char(0xF0 | cp >> 18);
    out += char(0x80 | (cp >> 12 & 63));
    out += char(0x80 | (cp >> 6 & 63));
    out += char(0x80 | (cp & 63));
  }
}

// Replaces one reference starting at text[0] == '&'; returns the characters consumed, or 0 when
// it is not a reference we know (the '&' is then kept as written).
size_t DecodeReference(std::string_view text, std::string& out)
{
  const auto semi = text.find(';');
  if (semi == std::string_view::npos || semi > 10) return 0;
  const auto body = text.substr(1, semi - 1);
  static constexpr std::pair<std::string_view, char> kNamed[] = {
      {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
  for (const auto& [name, c] : kNamed) {
    if (body == name) {
      out += c;
      return semi + 1;
    }
  }
  if (body.size() < 2 || body[0] != '#') return 0;
  const bool hex = body[1] == 'x';
  uint32_t cp = 0;
  const auto digits = body.substr(hex ? 2 : 1);
  if (digits.empty()) return 0;
  for (const char c : digits) {
    int d = -1;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (hex && (c | 32) >= 'a' && (c | 32) <= 'f')
      d = (c | 32) - 'a' + 10;
    if (d < 0) return 0;
    cp = cp * (hex ? 16 : 10) + uint32_t(d); // at most 7 digits: no overflow
  }
  if (cp == 0 || cp > 0x10FFFF) return 0;
  AppendUtf8(out, cp);
  return semi + 1;
}

} // namespace

bool XmlReader::Fail()
{
  mFailed = true;
  return false;
}

bool XmlReader::Next(XmlTag& tag)
{
  if (mFailed) return false;
  tag.attributes.clear();
  if (mPendingEnd) {
    mPendingEnd = false;
    tag.start = false;
    tag.name = LocalName(mOpen.back());
    mOpen.pop_back();
    return true;
  }
  for (;;) {
    while (*mPos && *mPos != '<')
      ++mPos; // text content is not used
    if (!*mPos) return mOpen.empty() && mRootSeen ? false : Fail();
    if (!std::strncmp(mPos, "<!--", 4)) {
      mPos += 4;
      if (!SkipPast("-->")) return Fail();
    } else if (!std::strncmp(mPos, "<![CDATA[", 9)) {
      mPos += 9;
      if (!SkipPast("]]>")) return Fail();
    } else if (!std::strncmp(mPos, "<!", 2)) {
      if (!SkipDeclaration()) return Fail();
    } else if (!std::strncmp(mPos, "<?", 2)) {
      mPos += 2;
      if (!SkipPast("?>")) return Fail();
    } else if (mPos[1] == '/') {
      return ReadEndTag(tag);
    } else {
      return ReadStartTag(tag);
    }
  }
}

bool XmlReader::SkipPast(std::string_view terminator)
{
  const char* end = std::strstr(mPos, std::string(terminator).c_str());
  if (!end) return false;
  mPos = end + terminator.size();
  return true;
}

bool XmlReader::SkipDeclaration()
{
  char quote = 0;
  int brackets = 0;
  for (mPos += 2; *mPos; ++mPos) {
    const char c = *mPos;
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '[') {
      ++brackets;
    } else if (c == ']') {
      --brackets;
    } else if (c == '>' && brackets <= 0) {
      ++mPos;
      return true;
    }
  }
  return false;
}

std::string_view XmlReader::ReadName()
{
  const char* begin = mPos;
  if (!IsNameChar(*mPos, true)) return {};
  while (IsNameChar(*mPos, false))
    ++mPos;
  return {begin, size_t(mPos - begin)};
}

bool XmlReader::ReadStartTag(XmlTag& tag)
{
  ++mPos;
  const auto name = ReadName();
  if (name.empty() || (mOpen.empty() && mRootSeen)) return Fail();
  if (int(mOpen.size()) >= kMaxDepth) return Fail();
  for (;;) {
    const char* before = mPos;
    while (IsSpace(*mPos))
      ++mPos;
    if (*mPos == '>' || (mPos[0] == '/' && mPos[1] == '>')) break;
    if (mPos == before) return Fail(); // attributes are separated by white space
    XmlAttribute attribute;
    attribute.name = ReadName();
    if (attribute.name.empty()) return Fail();
    while (IsSpace(*mPos))
      ++mPos;
    if (*mPos++ != '=') return Fail();
    while (IsSpace(*mPos))
      ++mPos;
    const char quote = *mPos++;
    if (quote != '"' && quote != '\'') return Fail();
    const char* end = std::strchr(mPos, quote);
    if (!end) return Fail();
    const std::string_view raw(mPos, size_t(end - mPos));
    for (size_t i = 0; i < raw.size();) {
      const size_t used = raw[i] == '&' ? DecodeReference(raw.substr(i), attribute.value) : 0;
      if (used) {
        i += used;
      } else {
        attribute.value += raw[i++];
      }
    }
    mPos = end + 1;
    tag.attributes.push_back(std::move(attribute));
  }
  mPendingEnd = *mPos == '/';
  mPos += mPendingEnd ? 2 : 1;
  mOpen.push_back(name);
  mRootSeen = true;
  tag.start = true;
  tag.name = LocalName(name);
  return true;
}

bool XmlReader::ReadEndTag(XmlTag& tag)
{
  mPos += 2;
  const auto name = ReadName();
  while (IsSpace(*mPos))
    ++mPos;
  if (*mPos++ != '>' || mOpen.empty() || mOpen.back() != name) return Fail();
  mOpen.pop_back();
  tag.start = false;
  tag.name = LocalName(name);
  return true;
}

} // namespace plugin::ui::svg
