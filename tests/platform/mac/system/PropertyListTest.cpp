// Reading property lists: the forms a description file uses, every malformed shape refused, the
// nesting bound, and files found on disk or served by the system.
#include "platform/mac/system/PropertyList.h"
#include "platform/mac/system/SystemFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace plugin::sys {
namespace {

std::string Doc(const std::string& value)
{
  return "<?xml version=\"1.0\"?>\n<plist version=\"1.0\">" + value + "</plist>\n";
}

double NumberAt(const PropertyListValue& dict, const char* key)
{
  const PropertyListValue* v = dict.ValueForKey(key);
  return v && v->Number() ? *v->Number() : -999.0;
}

TEST(PropertyList, ReadsEveryFormADescriptionUses)
{
  const std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<!DOCTYPE plist SYSTEM \"plist.dtd\">\n<!-- a note -->\n"
                           "<plist version=\"1.0\">\n<dict>\n"
                           "  <key>real</key> <real> -2.5e1 </real>\n"
                           "  <key>int</key><integer>42</integer>\n"
                           "  <key>text</key><string>a&lt;b&amp;&#x41;&#66;&quot;&apos;&gt;</string>\n"
                           "  <key>yes</key><true/> <key>no</key><false></false>\n"
                           "  <!-- between entries -->\n"
                           "  <key>list</key><array><real>1</real><array/><dict/><string/></array>\n"
                           "  <key>int</key><integer>7</integer>\n" // a repeated key keeps the last value
                           "  <key/><string>empty key</string>\n"
                           "</dict>\n</plist>\n";
  const auto value = ParsePropertyList(text);
  ASSERT_TRUE(value);
  ASSERT_EQ(value->GetKind(), PropertyListValue::Kind::Dictionary);
  EXPECT_EQ(value->Count(), 7u);
  EXPECT_EQ(NumberAt(*value, "real"), -25.0);
  EXPECT_EQ(NumberAt(*value, "int"), 7.0);
  ASSERT_TRUE(value->ValueForKey("text")->String());
  EXPECT_EQ(*value->ValueForKey("text")->String(), "a<b&AB\"'>");
  EXPECT_TRUE(value->ValueForKey("yes")->Boolean());
  EXPECT_EQ(value->ValueForKey("no")->GetKind(), PropertyListValue::Kind::Boolean);
  EXPECT_FALSE(value->ValueForKey("no")->Boolean());
  EXPECT_EQ(*value->ValueForKey("")->String(), "empty key");
  const PropertyListValue* list = value->ValueForKey("list");
  ASSERT_EQ(list->Count(), 4u);
  EXPECT_EQ(list->Elements()[0].Number(), 1.0);
  EXPECT_EQ(list->Elements()[1].GetKind(), PropertyListValue::Kind::Array);
  EXPECT_EQ(list->Elements()[2].GetKind(), PropertyListValue::Kind::Dictionary);
  EXPECT_EQ(*list->Elements()[3].String(), "");
  // Asking the wrong kind gives nothing.
  EXPECT_EQ(value->ValueForKey("missing"), nullptr);
  EXPECT_EQ(list->ValueForKey("real"), nullptr);
  EXPECT_FALSE(value->ValueForKey("text")->Number());
  EXPECT_EQ(value->ValueForKey("real")->String(), nullptr);
}

TEST(PropertyList, RefusesMalformedText)
{
  const char* cases[] = {
      "",
      "   ",
      "<plist/>",
      "<plist version=\"1.0\">",
      "<plist><dict/>",
      "<dict/>",
      "<other><dict/></other>",
      "<plist><dict></plist>",
      "<plist><dict></array></plist>",
      "<plist><dict><key>a</key></dict></plist>",
      "<plist><dict><real>1</real></dict></plist>",
      "<plist><dict><key>a</key>text<real>1</real></dict></plist>",
      "<plist><real>1.2.3</real></plist>",
      "<plist><real>12px</real></plist>",
      "<plist><real></real></plist>",
      "<plist><real/></plist>",
      "<plist><integer>0x10</integer></plist>",
      "<plist><data>AAAA</data></plist>",
      "<plist><string>a&bogus;</string></plist>",
      "<plist><string>a&amp</string></plist>",
      "<plist><string>&#0;</string></plist>",
      "<plist><string>&#xD800;</string></plist>",
      "<plist><string>&#x110000;</string></plist>",
      "<plist><string>&#;</string></plist>",
      "<plist><string>a</strin></plist>",
      "<plist><string>a<b/></string></plist>",
      "<plist><true>x</true></plist>",
      "<plist><dict/><dict/></plist>",
      "<plist><dict/></plist> trailing",
      "<plist><dict/></plist><!-- open",
      "<!-- never closed <plist><dict/></plist>",
      "<?xml never closed <plist><dict/></plist>",
      "<plist a=\"unclosed><dict/></plist>",
      "<plist><dict/ ></plist>",
      "<plist></dict></plist>",
      "<plist><></plist>",
      "<plist></></plist>",
  };
  for (const char* text : cases)
    EXPECT_FALSE(ParsePropertyList(text)) << text;
}

TEST(PropertyList, EveryCutOfTheMoveDescriptionIsRefused)
{
  const auto text = SystemFiles::TextAt(std::string(kSystemCursorsFolder) + "move/info.plist");
  ASSERT_TRUE(text);
  ASSERT_TRUE(ParsePropertyList(*text));
  const std::size_t end = text->rfind("</plist>") + 8;
  for (std::size_t n = 0; n < end; ++n)
    EXPECT_FALSE(ParsePropertyList(std::string_view(*text).substr(0, n))) << n;
}

TEST(PropertyList, NestingIsBounded)
{
  const auto nested = [](int depth) {
    std::string s;
    for (int i = 0; i < depth; ++i)
      s += "<array>";
    for (int i = 0; i < depth; ++i)
      s += "</array>";
    return Doc(s);
  };
  EXPECT_TRUE(ParsePropertyList(nested(kMaxPropertyListDepth)));
  EXPECT_FALSE(ParsePropertyList(nested(kMaxPropertyListDepth + 1)));
  EXPECT_FALSE(ParsePropertyList(nested(100000))); // refused, not a stack overflow
}

class PropertyListFiles : public ::testing::Test
{
protected:
  ~PropertyListFiles() override { SystemFiles::Reset(); }
  testsupport::TempFolder folder{"kelmo-plist"};
};

TEST_F(PropertyListFiles, ReadsDictionariesFromFileAddressesOnly)
{
  const std::string dict = folder.WriteFile("a.plist", Doc("<dict><key>k</key><real>3</real></dict>"));
  const std::string array = folder.WriteFile("b.plist", Doc("<array/>"));
  const std::string broken = folder.WriteFile("c.plist", Doc("<dict><key>k</key>"));
  const std::string empty = folder.WriteFile("d.plist", "");

  const auto read = [](const std::string& text) {
    const auto url = Url::WithString(text);
    return url ? DictionaryWithContentsOfUrl(*url) : nullptr;
  };
  const auto found = read("file:" + dict);
  ASSERT_TRUE(found);
  EXPECT_EQ(NumberAt(*found, "k"), 3.0);
  EXPECT_TRUE(read("file://" + dict)); // with an empty host too
  const std::string refused[] = {"file:" + array, "file:" + broken, "file:" + empty, "file:" + folder / "none",
                                 "file:" + folder.Path(), "https://example.com" + dict, "relative/a.plist"};
  for (const std::string& text : refused)
    EXPECT_FALSE(read(text)) << text;

  // The system's own copy wins over the disk, and can be taken away.
  SystemFiles::ServeText(dict, Doc("<dict><key>k</key><real>5</real></dict>"));
  EXPECT_EQ(NumberAt(*read("file:" + dict), "k"), 5.0);
  SystemFiles::Withdraw(dict);
  EXPECT_EQ(NumberAt(*read("file:" + dict), "k"), 3.0);
  const std::string system = std::string("file:") + kSystemCursorsFolder + "move/info.plist";
  EXPECT_TRUE(read(system));
  SystemFiles::Withdraw(std::string(kSystemCursorsFolder) + "move/info.plist");
  EXPECT_FALSE(read(system));
  SystemFiles::Reset();
  EXPECT_TRUE(read(system));
}

} // namespace
} // namespace plugin::sys
