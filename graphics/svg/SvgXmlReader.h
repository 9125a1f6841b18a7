#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plugin::ui::svg {

struct XmlAttribute
{
  std::string_view name; // as written, with any prefix ("xlink:href")
  std::string value;     // with character and entity references replaced
};

// One element tag. A self-closing tag is reported as a start followed by an end.
struct XmlTag
{
  bool start = true;
  std::string_view name;                // local name: any "prefix:" removed
  std::vector<XmlAttribute> attributes; // start tags only
};

// Reads the element tags of a zero-terminated XML text, skipping text, comments, CDATA sections,
// processing instructions and the document type declaration. It checks well-formedness as far as
// the parser needs it: every construct terminated, end tags matching start tags, exactly one root
// element, nesting no deeper than kMaxDepth. Views point into the text, which must outlive them.
class XmlReader
{
public:
  static constexpr int kMaxDepth = 128;

  explicit XmlReader(const char* text) : mPos(text) {}

  // Reads the next tag; false at the end of the document or on malformed input.
  bool Next(XmlTag& tag);

  // True when reading stopped at malformed input rather than at a complete document.
  bool Failed() const { return mFailed; }

  // Current nesting depth: open elements, including one just reported as started.
  int Depth() const { return int(mOpen.size()); }

private:
  bool Fail();
  bool ReadStartTag(XmlTag& tag);
  bool ReadEndTag(XmlTag& tag);
  bool SkipPast(std::string_view terminator);
  bool SkipDeclaration();
  std::string_view ReadName();

  const char* mPos;
  std::vector<std::string_view> mOpen; // qualified names of the open elements
  bool mPendingEnd = false;            // a self-closing tag still owes its end
  bool mRootSeen = false;
  bool mFailed = false;
};

} // namespace plugin::ui::svg
