// The native text field (formatter, commit, cancel) and the native menu (building, position,
// choice, dismissal, the queued pop-up and its liveness).
#include "tests/platform/mac/EditorViewFixture.h"

#include "graphics/menu/IPopupMenu.h"
#include "platform/mac/ICanvasMenu.h"
#include "platform/mac/ICanvasTextField.h"
#include "platform/mac/system/Window.h"

using namespace macview;

namespace {

class EditorViewPrompts : public EditorViewTest
{
protected:
  // A text entry for parameter paramIdx (-1: none) opened through the context over (10, 10, 60, 30).
  ICanvasTextField_vKelmo_vst3& OpenField(int paramIdx, int length, const char* str = "")
  {
    IText style;
    G().CreatePlatformTextEntry(paramIdx, style, IRECT(10.f, 10.f, 60.f, 30.f), length, str);
    EXPECT_TRUE(V().TextField());
    return *V().TextField();
  }
  // What the field holds after the person types text.
  std::string Typed(int paramIdx, int length, const std::string& text)
  {
    OpenField(paramIdx, length);
    user.TypeText(*window, text);
    const std::string result = V().TextField()->StringValueUtf8();
    V().EndUserInput();
    return result;
  }
};

} // namespace

TEST_F(EditorViewPrompts, FormatterCharacterSetsAndLengths)
{
  Open(200, 100, 2.f);
  const struct
  {
    int param;
    int length;
    const char* typed;
    const char* kept;
  } table[] = {
      {test::TestEditorDelegate::kSteps, 0, "-12", "-12"}, // int: digits and signs
      {test::TestEditorDelegate::kSteps, 0, "1.5", "15"},  // '.' refused
      {test::TestEditorDelegate::kMode, 0, "a2", "2"},     // enum like int
      {test::TestEditorDelegate::kBypass, 0, "+1", "+1"},  // bool like int
      {test::TestEditorDelegate::kGain, 0, "1.5", "1.5"},  // double takes '.'
      {test::TestEditorDelegate::kGain, 3, "1234", "123"}, // a fourth character refused
      {-1, 3, "abcd", "abcd"},                             // no parameter: no formatter at all
      {99, 3, "xyz!", "xyz!"},                             // an index past the parameters, too
  };
  for (const auto& row : table)
    EXPECT_EQ(Typed(row.param, row.length, row.typed), row.kept) << row.param << " " << row.typed;
}

TEST_F(EditorViewPrompts, FormatterRules)
{
  ICanvasFormatter_vKelmo_vst3 f;
  EXPECT_TRUE(f.IsPartialStringValid(u"anything at all", nullptr, nullptr));
  f.SetMaximumValue(100);
  EXPECT_TRUE(f.IsPartialStringValid(u"100", nullptr, nullptr));
  EXPECT_FALSE(f.IsPartialStringValid(u"101", nullptr, nullptr));
  std::optional<std::u16string> object;
  EXPECT_TRUE(f.GetObjectValue(&object, u"7", nullptr));
  EXPECT_EQ(object, u"7");
  EXPECT_TRUE(f.GetObjectValue(nullptr, u"7", nullptr));
  EXPECT_EQ(f.StringForObjectValue(std::nullopt), std::nullopt);
  EXPECT_FALSE(CharacterSetForParamType(0).has_value());
  EXPECT_FALSE(CharacterSetForParamType(42).has_value());
}

TEST_F(EditorViewPrompts, FieldIsPlacedStyledAndCommitsThroughTheContext)
{
  Open(200, 100, 2.f);
  IText style(12.f, COLOR_BLACK, nullptr, EAlign::Far, EVAlign::Middle);
  style.mTextEntryFGColor = IColor(255, 255, 0, 0);
  style.mTextEntryBGColor = IColor(255, 0, 0, 255);
  // The probe is in text entry as the toolkit would have it: a parameter-less entry completes
  // through the control.
  G().CreateTextEntry(*probe, style, IRECT(10.2f, 10.7f, 60.1f, 30.f), "hello");
  const auto field = V().TextField();
  ASSERT_TRUE(field);
  EXPECT_EQ(field->Frame(), sys::MakeRect(20.0, 21.0, 101.0, 39.0)); // floor and ceiling at scale 2
  EXPECT_EQ(field->StringValueUtf8(), "hello");
  EXPECT_EQ(field->Alignment(), sys::TextAlignment::Right);
  EXPECT_EQ(field->TextColor(), sys::Color::DeviceRgb(1.0, 0.0, 0.0, 1.0));
  EXPECT_EQ(field->BackgroundColor(), sys::Color::DeviceRgb(0.0, 0.0, 1.0, 1.0));
  EXPECT_FALSE(field->IsBordered());
  EXPECT_EQ(field->GetFocusRingType(), sys::FocusRingType::None);
  EXPECT_TRUE(dynamic_cast<ICanvasTextFieldCell_vKelmo_vst3*>(field->Cell().get()));
  EXPECT_EQ(field->Cell()->GetLineBreakMode(), sys::LineBreakMode::TruncatingTail);
  EXPECT_EQ(window->FirstResponder(), field.get());
  ASSERT_TRUE(field->CurrentEditor());
  EXPECT_EQ(field->CurrentEditor()->InsertionPointColor(), field->TextColor()); // a visible caret

  // A second request while one is open is ignored.
  G().CreatePlatformTextEntry(-1, style, IRECT(0.f, 0.f, 5.f, 5.f), 0, "other");
  EXPECT_EQ(V().TextField(), field);

  // Drags while it is open: the left one belongs to the field, a right one too.
  sys::Event drag;
  drag.locationInWindow = At(160.f, 80.f);
  V().MouseDragged(drag);
  V().RightMouseDragged(drag);
  EXPECT_TRUE(probe->drags.empty());

  user.TypeText(*window, " world\r"); // the whole text was selected: typing replaces it
  EXPECT_EQ(probe->entered, (std::vector<std::string>{" world"}));
  EXPECT_FALSE(V().TextField());
  EXPECT_EQ(field->Superview(), nullptr);
  EXPECT_EQ(window->FirstResponder(), &V());
  EXPECT_EQ(G().GetControlInTextEntry(), nullptr);
}

TEST_F(EditorViewPrompts, CentringCellInsetsAndCentresTheText)
{
  ICanvasTextFieldCell_vKelmo_vst3 cell(u"x");
  const sys::Rect bounds = sys::MakeRect(0.0, 0.0, 100.0, 40.0);
  const sys::Rect plain = cell.sys::TextFieldCell::DrawingRectForBounds(bounds);
  const sys::Rect r = cell.DrawingRectForBounds(bounds);
  const double h = cell.CellSize().height;
  EXPECT_DOUBLE_EQ(r.origin.x, plain.origin.x + 3.0);
  EXPECT_DOUBLE_EQ(r.size.width, plain.size.width - 6.0);
  EXPECT_DOUBLE_EQ(r.size.height, h);
  EXPECT_DOUBLE_EQ(r.origin.y, (40.0 - h) / 2.0);
  // The field editor goes where the text is drawn.
  sys::TextField field(bounds);
  sys::FieldEditor editor;
  cell.SelectWithFrame(bounds, field, editor, nullptr, 0, 1);
  EXPECT_EQ(editor.Frame(), r);
  EXPECT_FALSE(cell.IsEditingOrSelecting());
}

TEST_F(EditorViewPrompts, WheelClosesTheFieldWithoutCommitting)
{
  Open();
  G().CreateTextEntry(*probe, IText(), IRECT(10.f, 10.f, 60.f, 30.f), "keep");
  user.TypeText(*window, "x");
  user.ScrollWheel(*window, At(100.f, 50.f), 1.0);
  EXPECT_FALSE(V().TextField());
  EXPECT_TRUE(probe->entered.empty());
  EXPECT_EQ(probe->log.back(), "wheel 100 50 L");
}

TEST_F(EditorViewPrompts, MenuIsBuiltFromTheModel)
{
  IPopupMenu menu("", IPopupMenu::kPrefix2);
  for (int i = 0; i < 12; ++i)
    menu.AddItem(new IPopupMenu::Item(("item" + std::to_string(i)).c_str()));
  menu.GetItem(1)->SetFlags(IPopupMenu::Item::kSeparator);
  menu.GetItem(2)->SetFlags(IPopupMenu::Item::kIndented | IPopupMenu::Item::kChecked);
  menu.GetItem(3)->SetFlags(IPopupMenu::Item::kDisabled);
  auto receiver = std::make_shared<ICanvasMenuRcvr_vKelmo_vst3>();
  const auto native = ICanvasMenu_vKelmo_vst3::Create(&menu, receiver);
  ASSERT_EQ(native->NumberOfItems(), 12);
  EXPECT_FALSE(native->AutoenablesItems());
  EXPECT_EQ(native->GetIPopupMenu(), &menu);
  EXPECT_EQ(native->ItemAtIndex(0)->Title(), "01: item0");
  EXPECT_TRUE(native->ItemAtIndex(1)->IsSeparatorItem());
  EXPECT_EQ(native->ItemAtIndex(2)->IndentationLevel(), 1);
  EXPECT_EQ(native->ItemAtIndex(2)->State(), sys::ControlState::On);
  EXPECT_FALSE(native->ItemAtIndex(3)->IsEnabled());
  EXPECT_EQ(native->ItemAtIndex(11)->Title(), "12: item11");
  EXPECT_TRUE(native->ItemAtIndex(0)->KeyEquivalent().empty());

  const struct
  {
    int prefix;
    const char* title;
  } prefixes[] = {{0, "a"}, {1, "1: a"}, {2, "01: a"}, {3, "001: a"}};
  for (const auto& row : prefixes) {
    IPopupMenu one("", row.prefix);
    one.AddItem(new IPopupMenu::Item("a"));
    EXPECT_EQ(ICanvasMenu_vKelmo_vst3::Create(&one, receiver)->ItemAtIndex(0)->Title(), row.title);
  }
}

TEST_F(EditorViewPrompts, ChoiceInASubmenuReturnsTheSubmenu)
{
  Open();
  IPopupMenu menu;
  menu.AddItem(new IPopupMenu::Item("a"));
  auto* sub = new IPopupMenu;
  sub->AddItem(new IPopupMenu::Item("x"));
  sub->AddItem(new IPopupMenu::Item("y"));
  menu.AddItem(new IPopupMenu::Item("more", sub));
  user.ChooseMenuItem({1, 1});
  EXPECT_EQ(V().CreatePopupMenu(menu, sys::MakeRect(10.0, 20.0, 30.0, 40.0)), sub);
  EXPECT_EQ(sub->GetChosenItemIdx(), 1);
  EXPECT_EQ(menu.GetChosenItemIdx(), -1);
  ASSERT_EQ(user.Menus().size(), 1u);
  EXPECT_EQ(user.Menus()[0].positionedItem, -1);
  EXPECT_EQ(user.Menus()[0].location, (Point{10.0, 64.0})); // 4 points below the rectangle
  EXPECT_TRUE(user.Menus()[0].items[1].hasSubmenu);

  // A model with a chosen item opens with it under the rectangle's origin.
  menu.SetChosenItemIdx(0);
  user.ChooseMenuItem({0});
  EXPECT_EQ(V().CreatePopupMenu(menu, sys::MakeRect(10.0, 20.0, 30.0, 40.0)), &menu);
  EXPECT_EQ(user.Menus()[1].positionedItem, 0);
  EXPECT_EQ(user.Menus()[1].location, (Point{10.0, 20.0}));

  // Dismissed: null, the chosen indices as they were.
  EXPECT_EQ(V().CreatePopupMenu(menu, sys::MakeRect(0.0, 0.0, 1.0, 1.0)), nullptr);
  EXPECT_EQ(menu.GetChosenItemIdx(), 0);
}

TEST_F(EditorViewPrompts, PlatformMenuIsQueuedAndReportsToTheControl)
{
  Open(200, 100, 2.f);
  int called = 0;
  IPopupMenu menu("", {"one", "two", "three"}, [&called](IPopupMenu*) { ++called; });
  user.ChooseMenuItem({2});
  G().CreatePopupMenu(*probe, menu, IRECT(10.f, 10.f, 20.f, 15.f));
  EXPECT_TRUE(probe->menus.empty()); // nothing until the main queue runs
  time.RunPending();
  ASSERT_EQ(probe->menus.size(), 1u);
  EXPECT_EQ(probe->menus[0], &menu);
  EXPECT_EQ(menu.GetChosenItemIdx(), 2);
  EXPECT_EQ(called, 1);
  ASSERT_EQ(user.Menus().size(), 1u);
  EXPECT_EQ(user.Menus()[0].location, (Point{20.0, 34.0})); // scaled rectangle, 4 points below

  // Dismissed: the control hears of it with no menu; the completion does not run.
  G().CreatePopupMenu(*probe, menu, IRECT(10.f, 10.f, 20.f, 15.f));
  time.RunPending();
  ASSERT_EQ(probe->menus.size(), 2u);
  EXPECT_EQ(probe->menus[1], nullptr);
  EXPECT_EQ(called, 1);
}

TEST_F(EditorViewPrompts, MenuQueuedWhenTheEditorClosesIsDropped)
{
  Open();
  auto menu = std::make_unique<IPopupMenu>("", std::initializer_list<const char*>{"one"});
  user.ChooseMenuItem({0});
  G().CreatePopupMenu(*probe, *menu, IRECT(10.f, 10.f, 20.f, 15.f));
  dlg.CloseWindow(); // the context and its controls are gone
  menu.reset();
  time.RunPending();
  EXPECT_TRUE(user.Menus().empty());
}

TEST_F(EditorViewPrompts, MenuQueuedWhenOnlyTheWindowClosedShowsNothing)
{
  Open();
  IPopupMenu menu("", {"one"});
  user.ChooseMenuItem({0});
  ICanvasMac& g = G();
  g.CreatePopupMenu(*probe, menu, IRECT(10.f, 10.f, 20.f, 15.f));
  g.CloseWindow(); // the controls go with the view, the context stays
  time.RunPending();
  EXPECT_TRUE(user.Menus().empty());
}
