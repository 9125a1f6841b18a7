#include "platform/mac/system/ColorPanel.h"

#include <memory>

namespace plugin::sys {

namespace {

std::unique_ptr<ColorPanel>& SharedPanel() noexcept
{
  static std::unique_ptr<ColorPanel> panel;
  return panel;
}

} // namespace

ColorPanel& ColorPanel::Shared()
{
  if (!SharedPanel()) SharedPanel() = std::make_unique<ColorPanel>();
  return *SharedPanel();
}

bool ColorPanel::SharedExists() noexcept
{
  return SharedPanel() != nullptr;
}

bool ColorPanel::PickColor(Color color)
{
  if (!SharedExists() || !Shared().IsVisible()) return false;
  ColorPanel& panel = Shared();
  if (!panel.mShowsAlpha) color.alpha = 1.0;
  panel.mColor = Color::DeviceRgb(color.red, color.green, color.blue, color.alpha);
  // A copy: the action may replace itself.
  const Action action = panel.mAction;
  if (action) action(panel);
  return true;
}

void ColorPanel::Reset() noexcept
{
  SharedPanel().reset();
}

} // namespace plugin::sys
