#pragma once

#include <optional>
#include <string>

// A formatter: it turns a text field's text into the field's object value and back, and vets
// each edit while the person types. Objects here are strings (none: no object). The text field
// calls every method on the main thread; they may allocate.
namespace plugin::sys {

class Formatter
{
public:
  virtual ~Formatter() = default;

  // Whether partial, the text an edit would give, may stand. When the answer is false and
  // newString was set, the field takes newString instead; error may receive a description.
  // Default: every text may stand.
  virtual bool IsPartialStringValid(const std::u16string& partial, std::optional<std::u16string>* newString,
                                    std::string* error);

  // The text for an object value (none when there is none to show). Default: the object itself.
  virtual std::optional<std::u16string> StringForObjectValue(const std::optional<std::u16string>& object);

  // The object value for text, into object; false refuses the text (the field keeps editing).
  // Default: the text itself.
  virtual bool GetObjectValue(std::optional<std::u16string>* object, const std::u16string& text,
                              std::string* error);
};

} // namespace plugin::sys
