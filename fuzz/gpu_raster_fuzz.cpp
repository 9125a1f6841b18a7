// Arbitrary bytes as a shader library, then as vertices, uniforms and indices drawn by the
// headless GPU's rasteriser with the vector backend's shader functions into a small target:
// nothing may crash or read out of bounds, and the fragment setup's bounds may change no pixel.
#include "platform/mac/MVGShaderLibrary.h"
#include "platform/mac/MVGShaderUniforms.h"
#include "platform/mac/MVGShaders.h"
#include "platform/mac/system/GpuDevice.h"

#include <cstring>
#include <vector>

using namespace plugin::sys;

namespace {

const unsigned char kLibrary[] = {'K', 'S', 'L', 'B', 1,   0,   2,   0,   1,   12,  'v', 'e', 'r', 't',
                                  'e', 'x', 'S', 'h', 'a', 'd', 'e', 'r', 2,   16,  'f', 'r', 'a', 'g',
                                  'm', 'e', 'n', 't', 'S', 'h', 'a', 'd', 'e', 'r', 'A', 'A'};

// The backend's fragment setup with its bounds thrown away: every fragment is shaded.
bool UnboundedSetup(const GpuStageResources& res, GpuFragmentConstants& constants, GpuFragmentBounds&)
{
  GpuFragmentBounds ignored = GpuFragmentBounds::Unbounded();
  return mvgFragmentSetup(res, constants, ignored);
}

constexpr GpuFunctionCode kUnboundedCode[] = {
    {"vertexShader", GpuFunctionStage::Vertex, &mvgVertexShader, nullptr, nullptr},
    {"fragmentShaderAA", GpuFunctionStage::Fragment, nullptr, &UnboundedSetup, &mvgFragmentShaderAA},
};

} // namespace

// The input drawn with library's functions over a patterned target: target and stencil after.
static std::vector<unsigned char> Draw(const GpuDeviceRef& device, const GpuLibraryRef& library,
                                       const unsigned char* data, std::size_t size);

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
  GpuLibrary::FromData(data, size, MVGShaderFunctions(), nullptr);
  if (size < 4) return 0;
  static GpuDeviceRef device = GpuDevice::Create();
  static GpuLibraryRef library =
      device->NewLibraryWithData(kLibrary, sizeof kLibrary, MVGShaderFunctions(), nullptr);
  static GpuLibraryRef unbounded =
      device->NewLibraryWithData(kLibrary, sizeof kLibrary, kUnboundedCode, nullptr);
  if (Draw(device, library, data, size) != Draw(device, unbounded, data, size)) __builtin_trap();
  return 0;
}

static std::vector<unsigned char> Draw(const GpuDeviceRef& device, const GpuLibraryRef& library,
                                       const unsigned char* data, std::size_t size)
{
  const unsigned char mode = data[0], count = data[1], cull = data[2], stencilOp = data[3];
  data += 4;
  size -= 4;

  GpuTextureDescriptor td;
  td.width = td.height = 16;
  GpuTextureRef target = device->NewTexture(td);
  for (std::size_t i = 0; i < 16 * 16 * 4; ++i)
    target->LevelBytes(0)[i] = static_cast<unsigned char>(i * 37);
  td.pixelFormat = GpuPixelFormat::Stencil8;
  GpuTextureRef stencil = device->NewTexture(td);
  GpuSamplerDescriptor sd;
  sd.magFilter = (mode & 8) ? GpuSamplerMinMagFilter::Linear : GpuSamplerMinMagFilter::Nearest;
  sd.sAddressMode = (mode & 16) ? GpuSamplerAddressMode::Repeat : GpuSamplerAddressMode::ClampToEdge;

  GpuRenderPipelineDescriptor pd;
  pd.vertexFunction = library->NewFunction("vertexShader");
  pd.fragmentFunction = library->NewFunction("fragmentShaderAA");
  pd.vertexDescriptor.attributes[0] = {GpuVertexFormat::Float2, 0, 0};
  pd.vertexDescriptor.attributes[1] = {GpuVertexFormat::Float2, 8, 0};
  pd.vertexDescriptor.layouts[0] = {16, GpuVertexStepFunction::PerVertex};
  pd.colorAttachment.pixelFormat = GpuPixelFormat::RGBA8Unorm;
  pd.colorAttachment.blendingEnabled = true;
  pd.colorAttachment.sourceRGBBlendFactor = static_cast<GpuBlendFactor>(mode % 11);
  pd.colorAttachment.destinationRGBBlendFactor = pd.colorAttachment.destinationAlphaBlendFactor =
      static_cast<GpuBlendFactor>((cull >> 2) % 11);
  pd.colorAttachment.writeMask = (cull & 0x80) ? kGpuColorWriteAll : (cull >> 3) & kGpuColorWriteAll;
  GpuDepthStencilDescriptor dd;
  dd.frontFaceStencil = GpuStencilDescriptor{
      static_cast<GpuCompareFunction>(stencilOp & 7), static_cast<GpuStencilOperation>((stencilOp >> 3) & 7),
      GpuStencilOperation::Keep, static_cast<GpuStencilOperation>((stencilOp >> 5) & 7)};

  // The uniform block comes from the data when there is enough of it.
  MVGfragUniforms uniforms{};
  const std::size_t ub = std::min(size, sizeof uniforms);
  std::memcpy(&uniforms, data, ub);
  const MVGviewSize view{16.0f, 16.0f};

  auto cb = device->NewCommandQueue()->CommandBuffer();
  GpuRenderPassDescriptor pass;
  pass.colorAttachment.texture = target;
  pass.colorAttachment.loadAction = GpuLoadAction::Load;
  pass.stencilAttachment.texture = stencil;
  pass.stencilAttachment.loadAction = GpuLoadAction::Clear;
  auto enc = cb->RenderCommandEncoder(pass);
  enc->SetRenderPipelineState(device->NewRenderPipelineState(pd, nullptr));
  enc->SetDepthStencilState(device->NewDepthStencilState(dd));
  enc->SetCullMode(static_cast<GpuCullMode>(cull % 3));
  enc->SetVertexBuffer(device->NewBuffer(data, size, 0), 0, 0);
  enc->SetVertexBuffer(device->NewBuffer(&view, sizeof view, 0), 0, 1);
  enc->SetFragmentBuffer(device->NewBuffer(&uniforms, sizeof uniforms, 0), (mode & 32) ? 8 : 0, 0);
  enc->SetFragmentTexture(target, 0);
  enc->SetFragmentSamplerState(device->NewSamplerState(sd), 0);
  const auto type = (mode & 1) ? GpuPrimitiveType::TriangleStrip : GpuPrimitiveType::Triangle;
  if (mode & 2)
    enc->DrawIndexedPrimitives(type, count, (mode & 4) ? GpuIndexType::UInt16 : GpuIndexType::UInt32,
                               device->NewBuffer(data, size, 0), mode & 3);
  else
    enc->DrawPrimitives(type, mode >> 6, count);
  enc->EndEncoding();
  cb->Commit();
  cb->WaitUntilCompleted();
  std::vector<unsigned char> out(target->LevelBytes(0), target->LevelBytes(0) + 16 * 16 * 4);
  out.insert(out.end(), stencil->LevelBytes(0), stencil->LevelBytes(0) + 16 * 16);
  return out;
}
