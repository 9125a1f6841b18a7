#pragma once

#include "graphics/canvas/ICanvas.h"
#include "graphics/renderer/ICanvasVGBackend.h"
#include "graphics/resources/StaticStorage.h"

#include <mutex>
#include <vector>

struct VGcontext;

namespace plugin::ui {

// The drawing half of the graphics context: every drawing operation of ICanvas becomes state,
// paths, fills, strokes and text of the vector graphics core, drawn each frame into an off-screen
// main framebuffer that the end of the frame puts on the platform's layer. Layers are framebuffers
// of their own; bitmaps are core images kept in a cache of this instance; font data is kept in a
// cache shared by every instance of the process. The platform's graphics context derives from it,
// supplies the platform slots and fills the backend slots (SetBackend) before its view starts.
// Everything runs on the main thread; only the caches are locked.
class ICanvasVG : public ICanvas
{
public:
  // Creation flags of the context: anti-aliasing and three frames in flight.
  static constexpr int kContextFlags = VG_ANTIALIAS | VG_TRIPLE_BUFFER;

  // A core image handle. Made from an existing image, as a framebuffer of its own, or from raw
  // pixels; a shared one does not delete its image. Deleting a framebuffer bitmap during a frame
  // postpones the framebuffer's deletion to the end of the frame. Main thread.
  class Bitmap : public APIBitmap
  {
  public:
    // The image `image` of the context (its size asked from the core), draw scale 1.
    Bitmap(ICanvasVG& graphics, int image, float scale, bool shared);
    // A framebuffer of width x height pixels, cleared to transparent; image 0 when it cannot be had.
    Bitmap(ICanvasVG& graphics, int width, int height, float scale, float drawScale);
    // An image of the RGBA pixels (width x height x 4 bytes).
    Bitmap(ICanvasVG& graphics, int width, int height, const unsigned char* pixels, float scale,
           float drawScale);
    ~Bitmap() override;

    // The framebuffer of a layer bitmap, else null.
    MVGframebuffer* GetFramebuffer() const noexcept { return mFramebuffer; }

  private:
    friend class ICanvasVG;
    // The context goes: the image goes with it; nothing is deleted later.
    void Detach() noexcept;

    ICanvasVG* mGraphics;
    VGcontext* mRenderContext;
    MVGframebuffer* mFramebuffer = nullptr;
    bool mShared = false;
  };

  // Hands the arguments to ICanvas and retains the process-wide font data cache. Main thread;
  // locks the font cache; allocates.
  ICanvasVG(ICanvasEditorDelegateBase& dlg, int width, int height, int fps, float drawScale);
  // Tears the context down if the view did not (controls first, so that their layers go while
  // this object still exists), releases the font data cache and empties the bitmap cache.
  ~ICanvasVG() override;

  // The platform's render backend. Called by the platform's graphics context (or a test) before
  // OnViewInitialized; an incomplete record leaves the backend unset, so no context is made.
  void SetBackend(const ICanvasVGBackend& backend) noexcept;
  const ICanvasVGBackend& GetBackend() const noexcept { return mBackend; }

  // --- Frame block ---

  // Base frame start, then the main framebuffer becomes the target of a frame of the window size.
  void BeginFrame() override;
  // Creates the vector context on the platform layer. Platform view, once, main thread.
  void OnViewInitialized(void* platformLayer) override;
  // Removes every control, then releases everything tied to the context. Platform view, main thread.
  void OnViewDestroyed() override;
  // Flushes the frame, draws the main framebuffer onto the layer at the screen offset (unless it
  // has no image), then deletes the framebuffers that waited for the frame's end.
  void EndFrame() override;

  // --- Drawing block ---

  void DrawBitmap(const IBitmap& bitmap, const IRECT& dest, int srcX, int srcY,
                  const IBlend* blend = nullptr) override;
  // Dashes and gaps of length / round(length / dashLength) each; nothing for a dash length <= 0.
  void DrawDottedLine(const IColor& color, float x1, float y1, float x2, float y2,
                      const IBlend* blend = nullptr, float thickness = 1.f, float dashLength = 2.f) override;
  // Dashes along the four edges clockwise from the top-left; nothing for a dash length <= 0.
  void DrawDottedRect(const IColor& color, const IRECT& bounds, const IBlend* blend = nullptr,
                      float thickness = 1.f, float dashLength = 2.f) override;

  // --- Text, resource and path block ---

  // Text wrapped to the width of bounds, its rows placed by the vertical alignment.
  void DrawMultiLineText(const IText& text, const char* str, const IRECT& bounds,
                         const IBlend* blend = nullptr) override;
  // Opaque black.
  IColor QueryColor(float x, float y) const override;
  // The vector context (null before the view exists).
  void* GetDrawContext() override;
  const char* GetDrawingAPIStr() override;
  // Bitmaps stay in this instance's own cache: both do nothing.
  void RetainBitmap(const IBitmap& bitmap, const char* cacheName) override;
  void ReleaseBitmap(const IBitmap& bitmap) override;
  // "png", "jpg" or "jpeg" in any case; extensions longer than 31 characters are refused.
  bool BitmapExtSupported(const char* extension) override;
  // A box-gradient shadow of inner moved by offset, filling outer.
  void DrawFastDropShadow(const IRECT& inner, const IRECT& outer, float offset = 5.f, float roundness = 0.f,
                          float blur = 10.f, const IBlend* blend = nullptr) override;
  // The layer's pixels, RGBA with rows top first; data is left empty when they cannot be read.
  void GetLayerBitmapData(const ILayerPtr& layer, RawBitmapData& data) override;
  // Colours the blurred alpha mask with the shadow's pattern and puts it under (or instead of)
  // the layer's drawing, offset and at the shadow's opacity.
  void ApplyShadowMask(ILayerPtr& layer, RawBitmapData& mask, const IShadow& shadow) override;
  // The top layer's framebuffer, or the main one, becomes the target of a new frame.
  void UpdateLayer() override;
  void PathClear() override;
  void PathClose() override;
  void PathArc(float cx, float cy, float r, float startDegrees, float endDegrees,
               EWinding winding = EWinding::CW) override;
  void PathMoveTo(float x, float y) override;
  void PathLineTo(float x, float y) override;
  void PathSetWinding(bool hole) override;
  void PathCubicBezierTo(float c1x, float c1y, float c2x, float c2y, float x2, float y2) override;
  void PathQuadraticBezierTo(float cx, float cy, float x2, float y2) override;
  // Solid strokes only: the dash settings are not used. A pattern without stops draws nothing.
  void PathStroke(const IPattern& pattern, float thickness, const IStrokeOptions& options = IStrokeOptions(),
                  const IBlend* blend = nullptr) override;
  // A pattern without stops draws nothing.
  void PathFill(const IPattern& pattern, const IFillOptions& options = IFillOptions(),
                const IBlend* blend = nullptr) override;
  void PathTransformSetMatrix(const IMatrix& m) override;
  void SetClipRegion(const IRECT& r) override;

  // --- Tail of the platform block ---

  // A new main framebuffer at the window's pixel size (none before the context exists).
  void DrawResize() override;

  // --- Resource and text block ---

  // The bitmap at the scale its file was found at, through this instance's cache; the empty
  // bitmap when it cannot be found, is of an unsupported kind or there is no context yet. A file
  // that cannot be decoded gives (and caches) a bitmap of image 0, drawn as nothing.
  IBitmap LoadBitmap(const char* name, int nStates = 1, bool framesAreHorizontal = false,
                     int targetScale = 0) override;
  // The encoded image at scale 1, through this instance's cache (never re-scaled); data that
  // cannot be decoded gives (and caches) a bitmap of image 0; the empty bitmap without a context.
  IBitmap LoadBitmapFromMemory(const char* name, const void* data, int size, int nStates = 1,
                               bool framesAreHorizontal = false, int targetScale = 0) override;
  // A new bitmap of the file's image (image 0 unless location is a file); shared for location 3.
  APIBitmap* LoadAPIBitmap(const char* path, int scale, int location, const char* extension) override;
  // The cached bitmap of (name, scale), or a new one decoded from data (image 0 when it cannot be)
  // and cached; the cache owns it. Null without a context.
  APIBitmap* LoadAPIBitmapFromMemory(const char* name, const void* data, int size, int scale) override;
  // A new cleared framebuffer bitmap for a layer; the caller owns it.
  APIBitmap* CreateAPIBitmap(int width, int height, float scale, double drawScale,
                             bool cacheable = false) override;
  // Registers the font's data with the core under fontID, through the process-wide font data cache.
  bool LoadAPIFont(const char* fontID, const PlatformFontPtr& font) override;
  int GetAlphaChannelIndex() const override;
  bool IsFlippedBitmap() const override;
  float DoMeasureText(const IText& text, const char* str, IRECT& bounds) const override;
  void DoDrawText(const IText& text, const char* str, const IRECT& bounds,
                  const IBlend* blend = nullptr) override;

  // --- State for the platform class and tests ---

  VGcontext* GetVGContext() const noexcept { return mVG; }
  MVGframebuffer* GetMainFramebuffer() const noexcept { return mMainFrameBuffer; }
  bool InDraw() const noexcept { return mInDraw; }
  // Framebuffers waiting for the end of the frame.
  int NQueuedFramebuffers();
  // Bitmaps in this instance's cache.
  int NCachedBitmaps();

  // Window size in pixels of the frame: trunc(width x draw scale) by trunc(height x draw scale).
  int WindowPixelWidth() const;
  int WindowPixelHeight() const;

protected:
  // Deletes fb now, or at the end of the frame while one is drawn.
  void DeleteFramebuffer(MVGframebuffer* fb);
  // The main framebuffer becomes the target of a new frame of the window size.
  void BeginMainFrame();

private:
  // Deletes the framebuffers queued during the frame, last queued first.
  void DeleteQueuedFramebuffers();
  // Everything tied to the context goes, the context last.
  void ReleaseContext();
  void Register(Bitmap* bitmap);
  void Unregister(Bitmap* bitmap);
  // Sets up the font, size and alignment of text anchored in r; r becomes the text's bounds.
  void PrepareAndMeasureText(const IText& text, const char* str, IRECT& r, float& x, float& y) const;

  bool mInDraw = false;
  std::mutex mFBQueueMutex;
  std::vector<MVGframebuffer*> mFBQueue;
  StaticStorage<APIBitmap> mBitmapCache;
  VGcontext* mVG = nullptr;
  MVGframebuffer* mMainFrameBuffer = nullptr;
  ICanvasVGBackend mBackend;
  // Every bitmap whose image lives in the context, so that they let go of it when it goes.
  std::vector<Bitmap*> mLiveBitmaps;
};

} // namespace plugin::ui
