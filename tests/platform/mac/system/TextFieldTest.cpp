#include "AppKitTestSupport.h"

#include "platform/mac/system/CharacterSet.h"
#include "platform/mac/system/TextField.h"

#include <cmath>

namespace plugin::sys {
namespace {

using test::LogView;
using Strings = std::vector<std::string>;
constexpr std::uint16_t kEscapeKey = 53; // a key the field gives no meaning to

// The field's text as its cell holds it.
const std::u16string& Text(const TextField& field)
{
  return field.Cell()->StringValue();
}

// Accepts texts made of a set of characters, up to a length, whose number may be refused.
class LimitFormatter : public Formatter
{
public:
  LimitFormatter(std::u16string chars, std::size_t maxLength)
      : mSet(CharacterSet::WithCharactersInString(chars)), mMax(maxLength)
  {}
  bool IsPartialStringValid(const std::u16string& partial, std::optional<std::u16string>*,
                            std::string*) override
  {
    return partial.size() <= mMax &&
           std::all_of(partial.begin(), partial.end(), [this](char16_t c) { return mSet.IsMember(c); });
  }
  bool GetObjectValue(std::optional<std::u16string>* object, const std::u16string& text,
                      std::string* e) override
  {
    return !refuseObjects && Formatter::GetObjectValue(object, text, e);
  }
  bool refuseObjects = false;

private:
  CharacterSet mSet;
  std::size_t mMax;
};

// A field whose caret takes the text colour when it starts editing.
class CaretField : public TextField
{
public:
  using TextField::TextField;
  bool BecomeFirstResponder() override
  {
    const bool became = TextField::BecomeFirstResponder();
    if (became && CurrentEditor() && CurrentEditor()->RespondsToInsertionPointColor())
      CurrentEditor()->SetInsertionPointColor(TextColor());
    return became;
  }
};

class TextFieldTest : public test::AppKitTest, public TextFieldDelegate
{
protected:
  TextFieldTest()
  {
    window->ContentView()->AddSubview(editor);
    field->SetStringValue(u"50");
    field->SetDelegate(this);
    field->SetTextColor(Color{0.1, 0.2, 0.3, 1});
    editor->AddSubview(field);
    window->MakeKeyAndOrderFront();
    EXPECT_TRUE(window->MakeFirstResponder(field.get()));
  }

  void ControlTextDidEndEditing(TextField& f) override
  {
    ended.push_back(f.StringValueUtf8());
    if (closeOnEnd) {
      // What an editor does: forget the field, remove it and take first responder back.
      f.SetDelegate(nullptr);
      field.reset();
      f.RemoveFromSuperview();
      window->MakeFirstResponder(editor.get());
    }
  }

  WindowRef window = Window::Create(MakeRect(0, 0, 400, 300));
  std::shared_ptr<LogView> editor = std::make_shared<LogView>(MakeRect(0, 0, 400, 300), true, true);
  std::shared_ptr<CaretField> field = std::make_shared<CaretField>(MakeRect(20, 30, 60, 22));
  Strings ended;
  bool closeOnEnd = false;
};

TEST_F(TextFieldTest, TypedTextReplacesTheSelectionAndTheFormatterVetsEachEdit)
{
  ASSERT_TRUE(field->CurrentEditor());
  EXPECT_EQ(field->CurrentEditor()->SelectionLength(), 2); // the whole text is selected
  EXPECT_EQ(field->CurrentEditor()->Frame(), MakeRect(0, 0, 60, 22));
  EXPECT_EQ(field->CurrentEditor()->InsertionPointColor(), (Color{0.1, 0.2, 0.3, 1}));
  field->SetFormatter(std::make_shared<LimitFormatter>(u"0123456789-+", 3));
  const struct
  {
    const char* typed;
    std::uint16_t key; // 0: typed text
    const char16_t* after;
  } steps[] = {
      {"-1", 0, u"-1"},
      {"a.", 0, u"-1"},
      {"2", 0, u"-12"},
      {"3", 0, u"-12"}, // a fourth unit
      {"", kKeyCodeDelete, u"-1"},
      {"", kEscapeKey, u"-1"},
      {"", 123, u"-1"},
  };
  for (const auto& s : steps) {
    if (s.key == kEscapeKey || s.key == 123)
      user.PressKey(*window, s.key, s.key == 123 ? u"\uf702" : u"\x1b");
    else if (s.key)
      user.PressKey(*window, s.key, u"\x7f");
    else
      user.TypeText(*window, s.typed);
    EXPECT_EQ(Text(*field), s.after) << s.typed << " " << s.key;
  }
  EXPECT_TRUE(ended.empty());
  EXPECT_TRUE(window->UnhandledKeyEvents().empty()); // the field kept every key
}

TEST_F(TextFieldTest, DeleteTakesAWholeSurrogatePair)
{
  user.TypeText(*window, "a\xf0\x9f\x8e\xb5");
  EXPECT_EQ(Text(*field), u"a\U0001f3b5");
  user.PressKey(*window, kKeyCodeDelete, u"\x7f");
  EXPECT_EQ(Text(*field), u"a");
  user.PressKey(*window, kKeyCodeDelete, u"\x7f");
  user.PressKey(*window, kKeyCodeDelete, u"\x7f"); // nothing left: nothing happens
  EXPECT_EQ(Text(*field), u"");
}

TEST_F(TextFieldTest, ReturnTabAndLossOfFocusEndEditingOnce)
{
  user.TypeText(*window, "7\r");
  EXPECT_EQ(ended, (Strings{"7"}));
  EXPECT_EQ(field->CurrentEditor(), nullptr);
  EXPECT_EQ(window->FirstResponder(), window.get());
  user.PressKey(*window, kKeyCodeReturn, u"\r"); // no longer editing: to the window
  EXPECT_EQ(ended.size(), 1u);
  EXPECT_EQ(window->UnhandledKeyEvents().size(), 3u); // with the release of the first Return

  ASSERT_TRUE(window->MakeFirstResponder(field.get()));
  user.TypeText(*window, "8\t");
  ASSERT_TRUE(window->MakeFirstResponder(field.get()));
  user.TypeText(*window, "9");
  user.Click(*window, {300, 250}); // the editor view takes first responder
  EXPECT_EQ(ended, (Strings{"7", "8", "9"}));
  EXPECT_EQ(window->FirstResponder(), editor.get());
}

TEST_F(TextFieldTest, ADelegateThatRemovesTheFieldWhileToldIsSafe)
{
  std::weak_ptr<TextField> watch = field;
  closeOnEnd = true;
  user.TypeText(*window, "42\r");
  EXPECT_EQ(ended, (Strings{"42"}));
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(window->FirstResponder(), editor.get());
  EXPECT_TRUE(editor->Subviews().empty());

  // The same when the removal itself ends the editing.
  field = std::make_shared<CaretField>(MakeRect(0, 0, 10, 10));
  field->SetDelegate(this);
  editor->AddSubview(field);
  ASSERT_TRUE(window->MakeFirstResponder(field.get()));
  watch = field;
  field->RemoveFromSuperview();
  EXPECT_EQ(ended, (Strings{"42", ""}));
  EXPECT_TRUE(watch.expired());
}

TEST_F(TextFieldTest, RemovingTheFieldTellsTheDelegateUnlessItWasForgottenFirst)
{
  field->RemoveFromSuperview(); // focus lost with the field
  EXPECT_EQ(ended, (Strings{"50"}));
  EXPECT_EQ(window->FirstResponder(), window.get());

  editor->AddSubview(field);
  ASSERT_TRUE(window->MakeFirstResponder(field.get()));
  field->SetDelegate(nullptr); // closing without committing
  field->RemoveFromSuperview();
  EXPECT_EQ(ended.size(), 1u);
  EXPECT_EQ(field->CurrentEditor(), nullptr);
}

TEST_F(TextFieldTest, AFormatterThatRefusesTheTextKeepsTheFieldEditing)
{
  auto formatter = std::make_shared<LimitFormatter>(u"0123456789", 5);
  formatter->refuseObjects = true;
  field->SetFormatter(formatter);
  user.TypeText(*window, "1\r");
  user.Click(*window, {300, 250});
  EXPECT_TRUE(ended.empty());
  EXPECT_NE(field->CurrentEditor(), nullptr);
  EXPECT_EQ(window->FirstResponder(), field.get());
  formatter->refuseObjects = false;
  user.PressKey(*window, kKeyCodeReturn, u"\r");
  EXPECT_EQ(ended, (Strings{"1"}));
}

TEST_F(TextFieldTest, NewCellsBringTheirOwnTextAndFieldsAlwaysHaveAFont)
{
  auto cell = std::make_shared<TextFieldCell>(u"textfield");
  cell->SetFont(nullptr);
  EXPECT_EQ(cell->CellSize().height, std::ceil(1.2 * Font::kSystemFontSize) + 2.0); // the system font
  field->SetCell(cell);
  field->SetCell(nullptr);
  EXPECT_EQ(field->StringValueUtf8(), "textfield");
  field->SetStringValueUtf8("\xffok");
  EXPECT_EQ(Text(*field), u"\ufffdok");
  // The one codec: an encoded surrogate is three ill-formed bytes, an overlong form two.
  field->SetStringValueUtf8("\xed\xa0\x80|\xc0\xaf");
  EXPECT_EQ(Text(*field), u"\ufffd\ufffd\ufffd|\ufffd\ufffd");
  const auto descriptor = FontDescriptor::CreateWithAttributes({"Roboto", "Regular", std::nullopt});
  EXPECT_FALSE(Font::WithDescriptor(nullptr, 12.0));
  EXPECT_EQ(Font::WithDescriptor(descriptor, std::nan(""))->PointSize(), Font::kSystemFontSize);
}

TEST_F(TextFieldTest, KeysPassUpTheChainWhenNotEditingAndUneditableFieldsRefuseFocus)
{
  window->MakeFirstResponder(nullptr);
  field->SetEditable(false);
  EXPECT_FALSE(window->MakeFirstResponder(field.get()));
  EXPECT_EQ(field->CurrentEditor(), nullptr);
  editor->Take();
  field->KeyDown(Event());
  EXPECT_EQ(editor->Take(), (Strings{"key"}));
}

} // namespace
} // namespace plugin::sys
