#pragma once

#include <functional>

namespace plugin::ui {
class ICanvas;
} // namespace plugin::ui

// The two functions the plug-in constructor hands to the editor side: one creates the graphics
// context when an editor opens, one lays out its controls. Held here until the graphics editor
// delegate holds them itself. Main thread only.
class EditorFunctions
{
public:
  using MakeGraphicsFunc = std::function<plugin::ui::ICanvas*()>;
  using LayoutFunc = std::function<void(plugin::ui::ICanvas*)>;

  // The make-graphics function's result; null when it is empty. Called when an editor opens.
  plugin::ui::ICanvas* CreateGraphics() const { return mMakeGraphicsFunc ? mMakeGraphicsFunc() : nullptr; }
  // Lets the layout function populate a new graphics context; nothing when it is empty.
  void LayoutUI(plugin::ui::ICanvas* canvas) const
  {
    if (mLayoutFunc) mLayoutFunc(canvas);
  }

  MakeGraphicsFunc mMakeGraphicsFunc;
  LayoutFunc mLayoutFunc;
};
