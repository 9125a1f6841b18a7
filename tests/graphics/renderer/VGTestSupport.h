#pragma once

#include <cmath>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "graphics/renderer/VG.h"
#include "support/ui/RecordingBackend.h"

namespace vgtest {

// A context over a recording backend, in a frame of 800 x 600 at the given ratio.
class Context
{
public:
  explicit Context(bool antiAlias = true, float ratio = 1.0f)
  {
    params = backend.Params(antiAlias);
    ctx = vgCreateContext(&params);
    if (ctx != nullptr) vgBeginFrame(ctx, 800, 600, ratio);
  }
  ~Context() { vgDeleteContext(ctx); }
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  operator VGcontext*() const { return ctx; }
  VGcontext* operator->() const { return ctx; }

  // The last recorded draw (the test fails first when there is none).
  const testsupport::RecordedDraw& LastDraw() const { return backend.draws.back(); }

  testsupport::RecordingBackend backend;
  VGparams params{};
  VGcontext* ctx = nullptr;
};

inline bool Near(float a, float b, float tol)
{
  return std::fabs(a - b) <= tol;
}

// Compares two vertex lists; reports the count or the first vertex that differs.
inline ::testing::AssertionResult SameVerts(const std::vector<VGvertex>& actual,
                                            const std::vector<VGvertex>& expected, float tol = 1e-4f)
{
  if (actual.size() != expected.size())
    return ::testing::AssertionFailure() << actual.size() << " vertices, expected " << expected.size();
  for (size_t i = 0; i < actual.size(); ++i) {
    const VGvertex& a = actual[i];
    const VGvertex& e = expected[i];
    if (!Near(a.x, e.x, tol) || !Near(a.y, e.y, tol) || !Near(a.u, e.u, tol) || !Near(a.v, e.v, tol))
      return ::testing::AssertionFailure()
             << "vertex " << i << " is (" << a.x << ", " << a.y << ", " << a.u << ", " << a.v
             << "), expected (" << e.x << ", " << e.y << ", " << e.u << ", " << e.v << ")";
  }
  return ::testing::AssertionSuccess();
}

// Compares float arrays of the same length; reports the first index that differs.
inline ::testing::AssertionResult SameFloats(const float* actual, const std::vector<float>& expected,
                                             float tol = 1e-5f)
{
  for (size_t i = 0; i < expected.size(); ++i)
    if (!(Near(actual[i], expected[i], tol) || (std::isnan(actual[i]) && std::isnan(expected[i]))))
      return ::testing::AssertionFailure()
             << "[" << i << "] is " << actual[i] << ", expected " << expected[i];
  return ::testing::AssertionSuccess();
}

// The command buffer as a vector.
inline std::vector<float> Commands(VGcontext* ctx)
{
  return std::vector<float>(ctx->commands, ctx->commands + ctx->ncommands);
}

inline ::testing::AssertionResult SameColor(const VGcolor& a, const VGcolor& e, float tol = 1e-5f)
{
  const float av[] = {a.r, a.g, a.b, a.a};
  return SameFloats(av, {e.r, e.g, e.b, e.a}, tol);
}

} // namespace vgtest
