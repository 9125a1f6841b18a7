#pragma once

#include "tools/artwork/ArtworkRenderer.h"
#include "tools/artwork/ArtworkTable.h"

#include <string>

namespace kelmo::artwork {

// Renders every frame of the entry into one strip at kArtworkScale; each frame is drawn in its own
// coordinates and clipped to its cell. Tall pictures are cut into bands over the renderer's lanes.
Picture RenderArtwork(ArtworkRenderer& renderer, const ArtworkSpec& spec);

// Writes picture as a PNG file (RGBA) or a JPEG file (RGB over black, quality 95) at path.
// False when the picture is empty or the file cannot be written.
bool WritePicture(const Picture& picture, ImageFormat format, const std::string& path);

} // namespace kelmo::artwork
