#include "graphics/control/IContainerBase.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;
using Log = std::vector<std::string>;

namespace {

// Logs hiding and whether its parent is set when its first attach hook runs.
struct Child : IControl
{
  Child(Log& log, std::string name) : IControl(IRECT(0, 0, 5, 5)), log(log), name(std::move(name)) {}
  void OnInit() override { log.push_back(name + (GetParent() ? ".init in parent" : ".init alone")); }
  void Hide(bool hide) override { log.push_back(name + ".hide"), IControl::Hide(hide); }
  void Draw(ICanvas&) override {}
  Log& log;
  std::string name;
};

IContainerBase* Group(Log& log, int children)
{
  return new IContainerBase(
      IRECT(0, 0, 100, 50),
      [&log, children](IContainerBase* self, const IRECT&) {
        for (int i = 0; i < children; ++i)
          self->AddChildControl(new Child(log, "child" + std::to_string(i)));
      },
      [&log](IContainerBase* self, const IRECT& r) {
        log.push_back("layout " + std::to_string(self->NChildren()) + " in " + std::to_string(int(r.W())));
      });
}

} // namespace

TEST(ContainerBase, ChildrenAreParentedLaidOutHiddenDisabledAndForgottenWithTheContainer)
{
  Log log;
  TestEditorDelegate dlg;
  RecordingCanvas ui(dlg);
  auto* group = static_cast<IContainerBase*>(ui.AttachControl(Group(log, 2)));
  ui.SetControlBounds(group, IRECT(0, 0, 80, 50));
  group->Hide(true);
  group->SetDisabled(true);
  ui.SetControlBounds(ui.AttachControl(Group(log, 0)), IRECT(0, 0, 10, 10)); // no children: no layout
  EXPECT_EQ(log, (Log{"child0.init in parent", "child1.init in parent", "layout 2 in 100", "layout 2 in 80",
                      "child0.hide", "child1.hide"}));
  EXPECT_TRUE(group->IsHidden());
  EXPECT_EQ(group->GetChild(1)->GetBlend()->mWeight, 0.25f);

  ui.AttachControl(new Child(log, "tagged"), 7);
  Child refused(log, "refused");
  EXPECT_EQ(group->AddChildControl(&refused, 7), nullptr); // the tag is taken
  EXPECT_EQ(refused.GetParent(), nullptr);
  ui.RemoveControl(group->GetChild(0));
  ASSERT_EQ(group->NChildren(), 1);
  IControl* second = group->GetChild(0);
  ui.RemoveControl(group); // the child stays with the context, without a parent
  EXPECT_GE(ui.GetControlIdx(second), 0);
  EXPECT_EQ(second->GetParent(), nullptr);
}
