#pragma once

// The vector graphics core in one include: context and frames, state, paints and colours,
// transforms, paths, drawing, images and text.
#include "graphics/renderer/VGColor.h"
#include "graphics/renderer/VGContext.h"
#include "graphics/renderer/VGDraw.h"
#include "graphics/renderer/VGImage.h"
#include "graphics/renderer/VGMath.h"
#include "graphics/renderer/VGPaint.h"
#include "graphics/renderer/VGPath.h"
#include "graphics/renderer/VGState.h"
#include "graphics/renderer/VGText.h"
#include "graphics/renderer/VGTypes.h"
