#include "graphics/renderer/ICanvasVG.h"

#include "graphics/renderer/FontDataCache.h"
#include "graphics/renderer/VG.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>

// The drawing backend's life: construction and destruction, the vector context tied to the view,
// the main framebuffer, frames, and framebuffers whose deletion waits for the end of a frame.

namespace plugin::ui {

ICanvasVG::ICanvasVG(ICanvasEditorDelegateBase& dlg, int width, int height, int fps, float drawScale)
    : ICanvas(dlg, width, height, fps, drawScale)
{
  RetainFontDataCache();
}

ICanvasVG::~ICanvasVG()
{
  // The view normally went first. If it did not, the controls (and their layers) must go while
  // this object and the context still exist; as in the base destructor, nothing may reach the
  // platform's operations any more, so the pointer is not shown and no gesture is ended.
  mCaptureMap.clear();
  mCursorHidden = false;
  mOpenGestures.clear();
  RemoveAllControls();
  ReleaseContext();
  {
    std::lock_guard fontLock(FontDataCache().Mutex());
    FontDataCache().Release();
    DeleteQueuedFramebuffers();
  }
  {
    std::lock_guard lock(mBitmapCache.Mutex());
    mBitmapCache.Clear();
  }
  // Bitmaps that outlive this object (a layer still stacked, one a caller kept) let go of it.
  for (Bitmap* bitmap : mLiveBitmaps)
    bitmap->Detach();
  mLiveBitmaps.clear();
}

void ICanvasVG::SetBackend(const ICanvasVGBackend& backend) noexcept
{
  mBackend = backend.IsComplete() ? backend : ICanvasVGBackend{};
}

// --- View ---

void ICanvasVG::OnViewInitialized(void* platformLayer)
{
  if (mVG || !mBackend.IsComplete()) return;
  mVG = mBackend.createContext(platformLayer, kContextFlags);
}

void ICanvasVG::OnViewDestroyed()
{
  RemoveAllControls();
  ReleaseContext();
}

void ICanvasVG::ReleaseContext()
{
  {
    std::lock_guard lock(mBitmapCache.Mutex());
    mBitmapCache.Clear(); // their images are deleted while the context still exists
  }
  if (!mVG) return;
  DeleteQueuedFramebuffers();
  // Layers that are still held (stacked, or kept by a caller) lose their framebuffers now.
  for (Bitmap* bitmap : mLiveBitmaps) {
    if (bitmap->mFramebuffer) mBackend.deleteFramebuffer(bitmap->mFramebuffer);
    bitmap->Detach();
  }
  mLiveBitmaps.clear();
  mBackend.deleteFramebuffer(mMainFrameBuffer);
  mMainFrameBuffer = nullptr;
  vgDeleteContext(mVG);
  mVG = nullptr;
  mInDraw = false;
}

// --- Sizes ---

int ICanvasVG::WindowPixelWidth() const
{
  return static_cast<int>(static_cast<float>(Width()) * GetDrawScale());
}

int ICanvasVG::WindowPixelHeight() const
{
  return static_cast<int>(static_cast<float>(Height()) * GetDrawScale());
}

void ICanvasVG::DrawResize()
{
  ActivateDrawContext();
  if (mMainFrameBuffer) {
    DeleteFramebuffer(mMainFrameBuffer);
    mMainFrameBuffer = nullptr;
  }
  if (mVG) {
    const float s = GetScreenScale();
    mMainFrameBuffer = mBackend.createFramebuffer(mVG, static_cast<int>(s * WindowPixelWidth()),
                                                  static_cast<int>(s * WindowPixelHeight()), 0);
  }
  DeactivateDrawContext();
}

// --- Frames ---

void ICanvasVG::BeginMainFrame()
{
  mBackend.bindFramebuffer(mMainFrameBuffer);
  vgBeginFrame(mVG, static_cast<float>(WindowPixelWidth()), static_cast<float>(WindowPixelHeight()),
               GetScreenScale());
}

void ICanvasVG::BeginFrame()
{
  mInDraw = true;
  ICanvas::BeginFrame();
  if (mVG) BeginMainFrame();
}

void ICanvasVG::EndFrame()
{
  if (mVG) vgEndFrame(mVG);
  // Without an image of the main framebuffer the frame went straight to the layer (no framebuffer)
  // or nowhere (no image): painting that missing image would cover the layer in white.
  const int frameImage = mVG ? mBackend.framebufferImage(mMainFrameBuffer) : 0;
  if (frameImage > 0) {
    const float w = static_cast<float>(WindowPixelWidth());
    const float h = static_cast<float>(WindowPixelHeight());
    mBackend.bindFramebuffer(nullptr);
    vgBeginFrame(mVG, w, h, GetScreenScale());
    const VGpaint frame = vgImagePattern(0.f, 0.f, w, h, 0.f, frameImage, 1.f);
    float offsetX = 0.f, offsetY = 0.f;
    GetScreenOffset(offsetX, offsetY);
    vgSave(mVG);
    vgResetTransform(mVG);
    vgTranslate(mVG, offsetX, offsetY);
    vgBeginPath(mVG);
    vgRect(mVG, 0.f, 0.f, w, h);
    vgFillPaint(mVG, frame);
    vgFill(mVG);
    vgRestore(mVG);
    vgEndFrame(mVG);
  }
  mInDraw = false;
  DeleteQueuedFramebuffers();
}

// --- Framebuffers ---

void ICanvasVG::DeleteFramebuffer(MVGframebuffer* fb)
{
  if (!fb) return;
  if (!mInDraw) {
    mBackend.deleteFramebuffer(fb);
    return;
  }
  // Calls queued in this frame may still draw with its image, or into it.
  std::lock_guard lock(mFBQueueMutex);
  mFBQueue.push_back(fb);
}

void ICanvasVG::DeleteQueuedFramebuffers()
{
  std::lock_guard lock(mFBQueueMutex);
  while (!mFBQueue.empty()) {
    mBackend.deleteFramebuffer(mFBQueue.back());
    mFBQueue.pop_back();
  }
}

int ICanvasVG::NQueuedFramebuffers()
{
  std::lock_guard lock(mFBQueueMutex);
  return static_cast<int>(mFBQueue.size());
}

int ICanvasVG::NCachedBitmaps()
{
  std::lock_guard lock(mBitmapCache.Mutex());
  return mBitmapCache.NEntries();
}

void ICanvasVG::Register(Bitmap* bitmap)
{
  mLiveBitmaps.push_back(bitmap);
}

void ICanvasVG::Unregister(Bitmap* bitmap)
{
  const auto it = std::find(mLiveBitmaps.begin(), mLiveBitmaps.end(), bitmap);
  if (it != mLiveBitmaps.end()) mLiveBitmaps.erase(it);
}

// --- Constants of this backend ---

IColor ICanvasVG::QueryColor(float, float) const
{
  return COLOR_BLACK;
}

void* ICanvasVG::GetDrawContext()
{
  return mVG;
}

const char* ICanvasVG::GetDrawingAPIStr()
{
  return "VG | Metal";
}

void ICanvasVG::RetainBitmap(const IBitmap&, const char*) {}
void ICanvasVG::ReleaseBitmap(const IBitmap&) {}

bool ICanvasVG::BitmapExtSupported(const char* extension)
{
  constexpr size_t kMaxExtension = 31; // the lower-cased copy holds 31 characters
  if (!extension) return false;
  const size_t length = strnlen(extension, kMaxExtension + 1);
  if (length > kMaxExtension) return false;
  char lower[kMaxExtension + 1] = {};
  for (size_t i = 0; i < length; ++i)
    lower[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(extension[i])));
  const std::string_view ext(lower, length);
  return ext.find("png") != std::string_view::npos || ext.find("jpg") != std::string_view::npos ||
         ext.find("jpeg") != std::string_view::npos;
}

int ICanvasVG::GetAlphaChannelIndex() const
{
  return 3;
}

bool ICanvasVG::IsFlippedBitmap() const
{
  return false;
}

} // namespace plugin::ui
