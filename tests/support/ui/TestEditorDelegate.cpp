#include "support/ui/TestEditorDelegate.h"

#include "framework/params/IParam.h"
#include "framework/queues/IMidiMsg.h"
#include "graphics/menu/IPopupMenu.h"

namespace plugin::ui::test {

std::ostream& operator<<(std::ostream& os, const DelegateCall& call)
{
  return os << "{" << call.op << ", " << call.index << ", " << call.value << ", " << call.extra << "}";
}

TestEditorDelegate::TestEditorDelegate(int nParams) : ICanvasEditorDelegate(nParams)
{
  if (IParam* p = GetParam(kGain)) p->InitDouble("Gain", 0.0, -12.0, 12.0, 0.1, "dB");
  if (IParam* p = GetParam(kSteps)) p->InitInt("Steps", 5, 0, 10);
  if (IParam* p = GetParam(kMode)) p->InitEnum("Mode", 1, {"Off", "Soft", "Hard"});
  if (IParam* p = GetParam(kBypass)) p->InitBool("Bypass", false);
}

void TestEditorDelegate::SendParameterValueFromUI(int paramIdx, double normalizedValue)
{
  calls.push_back({"Send", paramIdx, normalizedValue});
  ICanvasEditorDelegate::SendParameterValueFromUI(paramIdx, normalizedValue);
}

bool TestEditorDelegate::EditorResizeFromUI(int width, int height, bool needsPlatformResize)
{
  calls.push_back({"Resize", width, double(height), needsPlatformResize ? 1 : 0});
  return resizeResult;
}

void TestEditorDelegate::RecordMidi(const char* op, const IMidiMsg& msg)
{
  calls.push_back({op, msg.mStatus, double(msg.mData1), msg.mData2});
}

void TestEditorDelegate::LayoutUI(ICanvas* ui)
{
  calls.push_back({"Layout"});
  ICanvasEditorDelegate::LayoutUI(ui);
}

void TestEditorDelegate::OnUIOpen()
{
  calls.push_back({"UIOpen"});
  ICanvasEditorDelegate::OnUIOpen();
}

namespace {

void CollectTexts(const IPopupMenu& menu, std::vector<std::string>& out)
{
  for (int i = 0; i < menu.NItems(); ++i) {
    out.emplace_back(menu.GetItem(i)->GetText());
    if (const IPopupMenu* sub = menu.GetItem(i)->GetSubmenu()) CollectTexts(*sub, out);
  }
}

} // namespace

bool TestEditorDelegate::PopupHostContextMenu(IControl* target, int paramIdx, IPopupMenu& items, int x, int y)
{
  calls.push_back({"HostMenu", paramIdx, double(x), y});
  hostMenuItems.clear();
  CollectTexts(items, hostMenuItems);
  hostMenuTarget = target;
  return hostMenuResult;
}

std::vector<DelegateCall> TestEditorDelegate::CallsNamed(const std::string& op) const
{
  std::vector<DelegateCall> out;
  for (const DelegateCall& c : calls)
    if (c.op == op) out.push_back(c);
  return out;
}

} // namespace plugin::ui::test
