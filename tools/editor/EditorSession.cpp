#include "tools/editor/EditorSession.h"

#include "editor/KelmoEditorInstall.h"
#include "engine/KelmoConfig.h"
#include "framework/imagefiles/ImageFiles.h"
#include "graphics/delegate/ICanvasEditorDelegate.h"
#include "platform/mac/ICanvasMac.h"
#include "platform/mac/ICanvasView.h"
#include "platform/mac/MacGraphicsFactory.h"
#include "platform/mac/MacPaths.h"
#include "platform/mac/system/Bundle.h"
#include "platform/mac/system/GpuImageFile.h"
#include "platform/mac/system/Screen.h"
#include "platform/mac/system/ScriptedUser.h"
#include "vst3/MakeGraphics.h"

#include "pluginterfaces/gui/iplugview.h"

#include <cmath>

namespace kelmo::editor {

namespace {

constexpr double kFrameMs = 1000.0 / 60.0;

} // namespace

std::array<int, 4> Frame::At(int x, int y) const
{
  if (x < 0 || y < 0 || x >= width || y >= height) return {-1, -1, -1, -1};
  const unsigned char* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

bool Frame::WritePng(const std::string& path) const
{
  return width > 0 && height > 0 && rgba.size() >= static_cast<size_t>(width) * height * 4 &&
         plugin::images::WritePngFile(path.c_str(), width, height, rgba.data());
}

std::unique_ptr<EditorSession> EditorSession::Open(const SessionOptions& options, std::string& error)
{
  std::unique_ptr<EditorSession> s(new EditorSession);
  // Time is virtual before any timer exists, so that every timer runs on the one clock.
  s->mTime = std::make_unique<plugin::sys::VirtualTime>();
  plugin::sys::ScriptedUser::Shared().Reset();
  plugin::sys::Screen::Main().SetBackingScaleFactor(options.backingScale);
  if (!options.bundleDir.empty())
    plugin::sys::Bundle::Register(kKelmoBundleID, options.bundleDir.c_str(), "");
  // Assembled as the bundle's entry assembles it, plus the platform layer's graphics factory.
  plugin::ui::InstallMacResourceLocator();
  plugin::ui::InstallKelmoEditor();
  plugin::SetGraphicsFactory(&plugin::ui::MakeMacGraphics);

  s->mPlugin = LinkedPlugin::Create(error);
  if (!s->mPlugin) return nullptr;
  s->mSampleRate = options.sampleRate > 0.0 ? options.sampleRate : 48000.0;
  s->mBlock = static_cast<int>(std::lround(s->mSampleRate / 60.0));
  for (auto* buffers : {s->mIn, s->mOut})
    for (int c = 0; c < 2; ++c)
      buffers[c].assign(static_cast<size_t>(s->mBlock), 0.f);
  if (!s->mPlugin->Prepare(s->mSampleRate, s->mBlock, error)) return nullptr;

  s->mWindow = plugin::sys::Window::Create(plugin::sys::MakeRect(40.0, 40.0, 1400.0, 800.0));
  s->mWindow->MakeKeyAndOrderFront();
  if (!s->Attach(error)) return nullptr;
  return s;
}

bool EditorSession::Attach(std::string& error)
{
  mView = mPlugin->CreateEditorView();
  if (!mView) {
    error = "the plug-in offers no editor view";
    return false;
  }
  if (mView->isPlatformTypeSupported(Steinberg::kPlatformTypeNSView) != Steinberg::kResultTrue) {
    error = "the editor view does not take the platform's view type";
    return false;
  }
  Steinberg::ViewRect size;
  mView->getSize(&size);
  if (mView->attached(mWindow->ContentView().get(), Steinberg::kPlatformTypeNSView) != Steinberg::kResultOk) {
    error = "the editor could not open";
    return false;
  }
  mView->onSize(&size);
  if (plugin::ui::ICanvasMac* g = Graphics(); g && g->GetView()) mLayer = g->GetView()->Layer();
  return true;
}

EditorSession::~EditorSession()
{
  Close();
  mView = nullptr;
  if (mLayer && mLayer->Device()) mLayer->Device()->WaitUntilIdle();
  mPlugin.reset();
  mLayer.reset();
  mWindow.reset();
  plugin::SetGraphicsFactory(nullptr);
  plugin::sys::ScriptedUser::Shared().Reset();
  mTime.reset();
}

void EditorSession::Close()
{
  if (mView) mView->removed();
  mView = nullptr;
}

bool EditorSession::Reopen(std::string& error)
{
  Close();
  return Attach(error);
}

plugin::ui::ICanvasMac* EditorSession::Graphics() const
{
  auto* delegate =
      mPlugin ? dynamic_cast<plugin::ui::ICanvasEditorDelegateBase*>(&mPlugin->Controller()) : nullptr;
  return delegate ? dynamic_cast<plugin::ui::ICanvasMac*>(delegate->GetUI()) : nullptr;
}

int EditorSession::PresentCount() const
{
  if (!mLayer) return 0;
  // Drawables are presented when the GPU completes their frame.
  if (mLayer->Device()) mLayer->Device()->WaitUntilIdle();
  return mLayer->PresentCount();
}

void EditorSession::SetSignal(double hz, double dbfs) noexcept
{
  mHz = hz;
  mAmplitude = dbfs <= -200.0 || !std::isfinite(dbfs) ? 0.0 : std::pow(10.0, dbfs / 20.0);
}

void EditorSession::RenderBlock()
{
  const double step = 2.0 * M_PI * mHz / mSampleRate;
  for (int f = 0; f < mBlock; ++f) {
    const float v = static_cast<float>(mAmplitude * std::sin(mPhase));
    mIn[0][static_cast<size_t>(f)] = mIn[1][static_cast<size_t>(f)] = v;
    mPhase = std::fmod(mPhase + step, 2.0 * M_PI);
  }
  const float* in[2] = {mIn[0].data(), mIn[1].data()};
  float* out[2] = {mOut[0].data(), mOut[1].data()};
  mPlugin->Process(in, out, mBlock);
}

void EditorSession::RunFrames(int n)
{
  for (int i = 0; i < n; ++i) {
    RenderBlock();
    mTime->AdvanceMs(kFrameMs);
  }
}

void EditorSession::RenderAudioMs(double ms)
{
  for (double done = 0.0; done < ms; done += kFrameMs)
    RenderBlock();
}

void EditorSession::AdvanceMs(double ms)
{
  mTime->AdvanceMs(ms);
}

plugin::sys::Point EditorSession::WindowPoint(float x, float y) const
{
  plugin::ui::ICanvasMac* g = Graphics();
  if (!g || !g->GetView()) return {};
  const double s = g->GetDrawScale();
  return g->GetView()->ConvertPointToView({x * s, y * s}, nullptr);
}

void EditorSession::MoveMouse(float x, float y)
{
  plugin::sys::ScriptedUser::Shared().MoveMouse(*mWindow, WindowPoint(x, y));
}

void EditorSession::Press(float x, float y, bool right)
{
  plugin::sys::ScriptedUser::Shared().PressMouse(
      *mWindow, WindowPoint(x, y), right ? plugin::sys::MouseButton::Right : plugin::sys::MouseButton::Left);
}

void EditorSession::Drag(float x, float y, bool right)
{
  plugin::sys::ScriptedUser::Shared().DragMouse(
      *mWindow, WindowPoint(x, y), right ? plugin::sys::MouseButton::Right : plugin::sys::MouseButton::Left);
}

void EditorSession::Release(float x, float y, bool right)
{
  plugin::sys::ScriptedUser::Shared().ReleaseMouse(
      *mWindow, WindowPoint(x, y), right ? plugin::sys::MouseButton::Right : plugin::sys::MouseButton::Left);
}

void EditorSession::Wheel(float x, float y, double delta)
{
  plugin::sys::ScriptedUser::Shared().ScrollWheel(*mWindow, WindowPoint(x, y), delta);
}

void EditorSession::Key(char16_t character, std::uint16_t keyCode)
{
  plugin::sys::ScriptedUser::Shared().PressKey(*mWindow, keyCode, std::u16string(1, character));
}

void EditorSession::AnswerMenu(std::vector<int> path)
{
  if (path.empty())
    plugin::sys::ScriptedUser::Shared().DismissMenu();
  else
    plugin::sys::ScriptedUser::Shared().ChooseMenuItem(std::move(path));
}

Frame EditorSession::Read() const
{
  Frame frame;
  if (!mLayer || !mLayer->Device()) return frame;
  mLayer->Device()->WaitUntilIdle();
  const plugin::sys::GpuTextureRef texture = mLayer->PresentedTexture();
  if (!texture) return frame;
  frame.width = static_cast<int>(texture->Width());
  frame.height = static_cast<int>(texture->Height());
  frame.rgba = plugin::sys::GpuReadRGBA(*texture);
  return frame;
}

} // namespace kelmo::editor
