#pragma once

#include "platform/mac/system/FontDescriptor.h"

#include <memory>

// The font of a control: what a descriptor names, at a point size; here, where no text is drawn,
// the size is what a font holds. Immutable; any thread may read it.
namespace plugin::sys {

class Font
{
public:
  static constexpr double kSystemFontSize = 13.0;

  explicit Font(double pointSize) : mPointSize(pointSize) {}

  // The font descriptor names at size; null for a null descriptor. A size that is not finite and
  // positive gives the system size. Allocates.
  static std::shared_ptr<const Font> WithDescriptor(std::shared_ptr<const FontDescriptor> descriptor,
                                                    double size);

  // The system's interface font at size (same size rule).
  static std::shared_ptr<const Font> SystemFont(double size);

  double PointSize() const noexcept { return mPointSize; }

private:
  double mPointSize;
};

using FontRef = std::shared_ptr<const Font>;

} // namespace plugin::sys
