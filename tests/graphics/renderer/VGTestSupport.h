#pragma once

#include <cmath>
#include <initializer_list>
#include <vector>

#include <gtest/gtest.h>

#include "graphics/renderer/VG.h"
#include "support/ui/RecordingBackend.h"

namespace vgtest {

// A context over a recording backend, in a frame of 800 x 600 at the given ratio.
struct Context
{
  explicit Context(bool antiAlias = true, float ratio = 1.0f) : params(backend.Params(antiAlias))
  {
    ctx = vgCreateContext(&params);
    if (ctx != nullptr) vgBeginFrame(ctx, 800, 600, ratio);
  }
  ~Context() { vgDeleteContext(ctx); }
  operator VGcontext*() const { return ctx; }
  VGcontext* operator->() const { return ctx; }
  const testsupport::RecordedDraw& LastDraw() const { return backend.draws.back(); }

  testsupport::RecordingBackend backend;
  VGparams params;
  VGcontext* ctx = nullptr;
};

// Vertices from x, y, u, v quadruples.
inline std::vector<VGvertex> Verts(std::initializer_list<float> xyuv)
{
  std::vector<VGvertex> out;
  for (auto it = xyuv.begin(); it + 3 < xyuv.end(); it += 4)
    out.push_back({it[0], it[1], it[2], it[3]});
  return out;
}

// Compares n floats with expected; reports the length or the first index that differs.
inline ::testing::AssertionResult SameFloats(const float* actual, const std::vector<float>& expected,
                                             float tol = 1e-4f)
{
  for (size_t i = 0; i < expected.size(); ++i)
    if (!(std::fabs(actual[i] - expected[i]) <= tol))
      return ::testing::AssertionFailure()
             << "[" << i << "] is " << actual[i] << ", expected " << expected[i];
  return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult SameFloats(const std::vector<float>& actual,
                                             const std::vector<float>& expected, float tol = 1e-4f)
{
  if (actual.size() != expected.size())
    return ::testing::AssertionFailure() << actual.size() << " floats, expected " << expected.size();
  return SameFloats(actual.data(), expected, tol);
}

// Compares vertex lists as flat x, y, u, v floats.
inline ::testing::AssertionResult SameVerts(const std::vector<VGvertex>& actual,
                                            const std::vector<VGvertex>& expected, float tol = 1e-4f)
{
  const float* a = actual.empty() ? nullptr : &actual[0].x;
  const float* e = expected.empty() ? nullptr : &expected[0].x;
  return SameFloats(std::vector<float>(a, a + 4 * actual.size()),
                    std::vector<float>(e, e + 4 * expected.size()), tol);
}

inline ::testing::AssertionResult SameColor(const VGcolor& a, const VGcolor& e)
{
  return SameFloats(&a.r, {e.r, e.g, e.b, e.a});
}

} // namespace vgtest
