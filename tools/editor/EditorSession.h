#pragma once

#include "tools/editor/LinkedPlugin.h"

#include "platform/mac/system/GpuLayer.h"
#include "platform/mac/system/VirtualTime.h"
#include "platform/mac/system/Window.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace plugin::ui {
class ICanvasMac;
} // namespace plugin::ui

namespace kelmo::editor {

// What an editor session is set up with.
struct SessionOptions
{
  std::string bundleDir;     // the plug-in bundle whose Contents/Resources hold fonts and pictures
  double backingScale = 1.0; // the screen's pixels per point
  double sampleRate = 48000.0;
};

// A frame read back from what the editor's layer shows: RGBA rows, top first (premultiplied).
struct Frame
{
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgba;

  // The pixel at (x, y) as {r, g, b, a}; all -1 outside the frame.
  std::array<int, 4> At(int x, int y) const;
  // Writes the frame as a PNG file; false when it is empty or cannot be written.
  bool WritePng(const std::string& path) const;
};

// The editor of the linked plug-in opened as a host opens it: the macOS graphics factory
// installed, virtual time on the main run loop, a window on the headless screen whose content
// view is the parent of the plug-in's view (createView("editor"), attached as "NSView"). Frames
// run at 60 Hz of virtual time while a stereo signal is rendered through the plug-in (one block
// per frame, on the calling thread), so the meters move. Gestures are given in toolkit units.
// Main thread only; one session at a time.
class EditorSession
{
public:
  // Opens the editor; null with error set when any step fails.
  static std::unique_ptr<EditorSession> Open(const SessionOptions& options, std::string& error);
  // removed(), the view released, then the plug-in; the factory is uninstalled.
  ~EditorSession();
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  // The signal fed to the plug-in: a sine of hz at dbfs in both channels (silence below -200).
  void SetSignal(double hz, double dbfs) noexcept;
  // Renders one frame interval of audio, then advances virtual time by it (timers, meters and
  // the frame timer fire on the way). Runs n of them.
  void RunFrames(int n);
  // Renders ms of the signal through the plug-in without moving time (no frames, no meters).
  void RenderAudioMs(double ms);
  // Advances virtual time only (no audio).
  void AdvanceMs(double ms);

  // Gestures of the person, at toolkit units.
  void MoveMouse(float x, float y);
  void Press(float x, float y, bool right = false);
  void Drag(float x, float y, bool right = false);
  void Release(float x, float y, bool right = false);
  void Wheel(float x, float y, double delta);
  // A key with its text (ASCII), as the view would receive it.
  void Key(char16_t character, std::uint16_t keyCode = 0);
  // The next native menu is answered with this item path (empty: dismissed).
  void AnswerMenu(std::vector<int> path);

  // What the layer shows now.
  Frame Read() const;

  LinkedPlugin& Plugin() const { return *mPlugin; }
  Steinberg::IPlugView& View() const { return *mView; }
  plugin::sys::Window& Window() const { return *mWindow; }
  // The open editor's graphics context; null once it closed.
  plugin::ui::ICanvasMac* Graphics() const;
  // Frames drawn and presented so far.
  int PresentCount() const;
  // Closes the editor as a host does (removed()); the session can only read back afterwards.
  void Close();
  // Opens it again in the same parent (a new view through createView, attached).
  bool Reopen(std::string& error);

private:
  EditorSession() = default;
  plugin::sys::Point WindowPoint(float x, float y) const;
  // One frame interval of the signal through the plug-in.
  void RenderBlock();
  bool Attach(std::string& error);

  std::unique_ptr<plugin::sys::VirtualTime> mTime;
  plugin::sys::WindowRef mWindow;
  std::unique_ptr<LinkedPlugin> mPlugin;
  Steinberg::IPtr<Steinberg::IPlugView> mView;
  plugin::sys::GpuLayerRef mLayer; // the editor view's layer, kept for reading back
  double mSampleRate = 48000.0;
  double mPhase = 0.0;
  double mHz = 1000.0;
  double mAmplitude = 0.0;
  int mBlock = 800;
  std::vector<float> mIn[2], mOut[2];
};

} // namespace kelmo::editor
