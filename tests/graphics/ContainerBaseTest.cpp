#include "graphics/IContainerBase.h"
#include "support/ui/RecordingCanvas.h"
#include "support/ui/TestEditorDelegate.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace plugin::ui;
using namespace plugin::ui::test;

namespace {

using Log = std::vector<std::string>;

// Logs hiding, disabling and what its first attach hook sees of its parent.
class Child : public IControl
{
public:
  Child(Log& log, std::string name) : IControl(IRECT(0, 0, 5, 5)), mLog(log), mName(std::move(name)) {}
  void OnInit() override { mLog.push_back(mName + (GetParent() ? ".init with parent" : ".init alone")); }
  void Hide(bool hide) override
  {
    mLog.push_back(mName + (hide ? ".hide" : ".show"));
    IControl::Hide(hide);
  }
  void SetDisabled(bool disable) override
  {
    mLog.push_back(mName + ".disable");
    IControl::SetDisabled(disable);
  }
  void Draw(ICanvas&) override {}

private:
  Log& mLog;
  std::string mName;
};

class Group : public IContainerBase
{
public:
  Group(Log& log, int nChildren) : IContainerBase(IRECT(0, 0, 100, 50)), mLog(log)
  {
    SetAttachFunc([this, nChildren](IContainerBase* self, const IRECT&) {
      for (int i = 0; i < nChildren; ++i)
        self->AddChildControl(new Child(mLog, "child" + std::to_string(i)));
    });
    SetResizeFunc([this](IContainerBase* self, const IRECT& r) {
      mLog.push_back("layout " + std::to_string(self->NChildren()) + " in " + std::to_string(int(r.W())));
    });
  }
  void Hide(bool hide) override
  {
    IContainerBase::Hide(hide);
    mLog.push_back(hide ? "group.hide" : "group.show");
  }

private:
  Log& mLog;
};

class ContainerTest : public ::testing::Test
{
protected:
  Log log;
  TestEditorDelegate dlg;
  RecordingCanvas ui{dlg};
};

} // namespace

TEST_F(ContainerTest, AttachBuildsChildrenWithTheirParentThenLaysThemOut)
{
  auto* group = static_cast<Group*>(ui.AttachControl(new Group(log, 3)));
  EXPECT_EQ(log, (Log{"child0.init with parent", "child1.init with parent", "child2.init with parent",
                      "layout 3 in 100"}));
  EXPECT_EQ(ui.NControls(), 4);
  log.clear();
  ui.SetControlBounds(group, IRECT(0, 0, 80, 50));
  EXPECT_EQ(log, (Log{"layout 3 in 80"}));

  log.clear();
  group->Hide(true);
  group->Hide(false);
  EXPECT_EQ(log, (Log{"child0.hide", "child1.hide", "child2.hide", "group.hide", "child0.show", "child1.show",
                      "child2.show", "group.show"}));
  group->SetDisabled(true);
  EXPECT_EQ(group->GetChild(2)->GetBlend()->mWeight, 0.25f);
  EXPECT_EQ(group->GetBlend()->mWeight, 0.25f);
}

TEST_F(ContainerTest, WithoutChildrenTheResizeFunctionNeverRuns)
{
  auto* group = static_cast<Group*>(ui.AttachControl(new Group(log, 0)));
  ui.SetControlBounds(group, IRECT(0, 0, 10, 10));
  ui.Resize(400, 300, 1.f, false);
  EXPECT_TRUE(log.empty());
}

TEST_F(ContainerTest, RefusedChildrenAreNotListedAndRemovedOnesLeaveTheList)
{
  auto* group = static_cast<Group*>(ui.AttachControl(new Group(log, 2)));
  ui.AttachControl(new Child(log, "tagged"), 7);
  Child refused(log, "refused");
  EXPECT_EQ(group->AddChildControl(&refused, 7), nullptr); // the tag is taken
  EXPECT_EQ(refused.GetParent(), nullptr);
  EXPECT_EQ(group->NChildren(), 2);

  IContainerBase loose(IRECT(0, 0, 1, 1)); // not attached: it cannot attach children
  Child orphan(log, "orphan");
  EXPECT_EQ(loose.AddChildControl(&orphan), nullptr);

  IControl* first = group->GetChild(0);
  ui.RemoveControl(first);
  EXPECT_EQ(group->NChildren(), 1);
  std::vector<int> seen;
  group->ForAllChildrenFunc([&](int idx, IControl* child) { seen.push_back(idx + (child ? 10 : 0)); });
  EXPECT_EQ(seen, std::vector<int>{10});

  IControl* second = group->GetChild(0);
  ui.RemoveControl(group); // the child stays with the context, without a parent
  EXPECT_GE(ui.GetControlIdx(second), 0);
  EXPECT_EQ(second->GetParent(), nullptr);
}
