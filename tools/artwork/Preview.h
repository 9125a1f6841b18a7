#pragma once

#include "tools/artwork/ArtworkRenderer.h"

#include <map>
#include <string>

namespace kelmo::artwork {

// The editor as the layout assembles it, for eyes: the background, every picture at its place
// (knobs turned, switches on the frame of their preview value) and the meters' needles, at
// kArtworkScale. pictures maps resource names to their rendered strips; a missing one is left out.
Picture ComposePreview(ArtworkRenderer& renderer, const std::map<std::string, Picture>& pictures);

// Draws that preview into vg, which holds images (vector core image ids by resource name) of the
// pictures; the frame is kEditorWidth x kEditorHeight points.
void DrawPreview(VGcontext* vg, const std::map<std::string, int>& images);

} // namespace kelmo::artwork
