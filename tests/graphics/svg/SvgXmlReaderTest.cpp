#include "graphics/svg/SvgXmlReader.h"

#include <gtest/gtest.h>

#include <string>

using plugin::ui::svg::XmlReader;
using plugin::ui::svg::XmlTag;

namespace {

// "+name(attr=value)" per start tag, "-name" per end tag, "!" when reading failed.
std::string Events(const std::string& text)
{
  XmlReader reader(text.c_str());
  XmlTag tag;
  std::string s;
  while (reader.Next(tag)) {
    s += (tag.start ? "+" : "-") + std::string(tag.name);
    for (const auto& a : tag.attributes)
      s += "(" + std::string(a.name) + "=" + a.value + ")";
    s += " ";
  }
  return reader.Failed() ? s + "!" : s;
}

struct XmlCase
{
  const char* name;
  std::string text;
  std::string events;
};

const XmlCase kCases[] = {
    {"self-closing root", "<svg/>", "+svg -svg "},
    {"skipped constructs",
     "\xEF\xBB\xBF<?xml version='1.0'?><!DOCTYPE svg [<!ENTITY a \"]>\">]><!-- <g> "
     "--><svg>text<![CDATA[<g>]]>"
     "<?pi <g>?></svg ><!-- after -->",
     "+svg -svg "},
    {"attributes and references", "<svg a = 'x\"y' b=\"&lt;&#65;&#x42;&amp;&bogus;&#0;\"/>",
     "+svg(a=x\"y)(b=<AB&&bogus;&#0;) -svg "},
    {"utf-8 reference", "<svg a='&#xE9;&#x1F600;'/>", "+svg(a=\xC3\xA9\xF0\x9F\x98\x80) -svg "},
    {"prefixes dropped from element names", "<s:svg xmlns:s='u'><s:g xlink:href='#a'/></s:svg>",
     "+svg(xmlns:s=u) +g(xlink:href=#a) -g -svg "},
    {"empty text", "", "!"},
    {"text only", "just text", "!"},
    {"unclosed root", "<svg><g/>", "+svg +g -g !"},
    {"mismatched end", "<svg><g></svg>", "+svg +g !"},
    {"end without start", "</svg>", "!"},
    {"unquoted value", "<svg a=1/>", "!"},
    {"unterminated value", "<svg a='1/>", "!"},
    {"attributes not separated", "<svg a='1'b='2'/>", "!"},
    {"unterminated comment", "<svg><!-- x</svg>", "+svg !"},
    {"unterminated declaration", "<!DOCTYPE svg [ <svg/>", "!"},
    {"two roots", "<svg/><svg/>", "+svg -svg !"}};

TEST(SvgXmlReader, ReadsTagsAndRejectsMalformedText)
{
  for (const auto& c : kCases) {
    EXPECT_EQ(Events(c.text), c.events) << c.name;
  }
}

} // namespace
