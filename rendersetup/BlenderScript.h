#pragma once
// The render setup as a Python script for Blender. Run headless
// (`blender -b scene.blend -P script.py`) or from Blender's text editor, it
// builds the camera rig in the current scene, or replaces the one an earlier
// run built. Meant for Blender 2.83 and later.

#include <string>

#include "RenderRig.h"

// Throws RigError when Blender cannot render the rig as it is: an image side
// outside 4..65,536 px, more frames than a scene holds, a lens under 1 mm.
std::string FormatBlenderScript(const RenderRig& rig);
