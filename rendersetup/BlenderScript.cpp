#include "BlenderScript.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace {

// Blender's own bounds; past them it clamps the value silently, which would
// render the wrong images.
constexpr int32_t kMinSidePx = 4;
constexpr int32_t kMaxSidePx = 65536;
constexpr int32_t kMaxFrames = 1048574;
constexpr double kMinLensMm = 1.0;

// Near enough for a scene's closest object, far enough for a backdrop metres
// behind the hologram, in millimetres.
constexpr double kClipStartMm = 1.0;
constexpr double kClipEndMm = 100000.0;

// Python reads the shortest round-trip form back as the same double; fixed
// notation reads as the millimetres it is.
std::string Number(double value) {
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return std::string(buffer, result.ptr);
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char buffer[512];
  const int n = std::snprintf(buffer, sizeof buffer, format, args...);
  return std::string(buffer, static_cast<size_t>(std::clamp(n, 0, static_cast<int>(sizeof buffer) - 1)));
}

void CheckSide(int32_t pixels, const char* direction) {
  if (pixels > kMaxSidePx) {
    throw RigError(Format("the image would be %d px %s, past the %d px a side Blender renders: "
                          "choose the recentred framing, a larger pitch or a smaller hologram",
                          pixels, direction, kMaxSidePx));
  }
  if (pixels < kMinSidePx) {
    throw RigError(Format("the image would be %d px %s, under the %d px a side Blender renders: "
                          "choose a smaller pitch or a larger hologram",
                          pixels, direction, kMinSidePx));
  }
}

void CheckRenderable(const RenderRig& rig) {
  CheckSide(rig.nImageWidthPx, "wide");
  CheckSide(rig.nImageHeightPx, "high");
  if (rig.nFrameCount > kMaxFrames) {
    throw RigError(Format("the render would have %d frames, past the %d a Blender scene holds: "
                          "choose a larger step or pitch, or a shorter track",
                          rig.nFrameCount, kMaxFrames));
  }
  if (!(rig.dFocalLengthMm >= kMinLensMm)) {
    throw RigError(Format("the lens would be %.3g mm, shorter than Blender's %g mm: "
                          "place the camera further from the image plane",
                          rig.dFocalLengthMm, kMinLensMm));
  }
}

// Frame numbers padded to the widest one, so that the files sort in frame order.
std::string OutputPath(const RenderRig& rig) {
  const size_t digits = std::max<size_t>(4, std::to_string(rig.nFrameCount).size());
  const char* framing = rig.eFraming == Framing::Wide ? "wide" : "recentred";
  return Format("//hologram_%s_step%d/frame_", framing, rig.step.Number()) + std::string(digits, '#');
}

std::string Header(const RenderRig& rig) {
  const char* framing = rig.eFraming == Framing::Wide ? "wide" : "recentred";
  const int32_t half = (rig.nFrameCount + 1) / 2;
  return Format("# Vantorel camera rig for Blender 2.83 and later: a %d x %d mm hologram at\n"
                "# step %d, %s framing, %d frames of %d x %d px.\n"
                "#\n"
                "# Render every frame, or split the frames between two machines:\n"
                "#   blender -b scene.blend -P rig.py -a\n"
                "#   blender -b scene.blend -P rig.py -s 1 -e %d -a\n"
                "#   blender -b scene.blend -P rig.py -s %d -e %d -a\n",
                rig.setup.nWidthMm, rig.setup.nHeightMm, rig.step.Number(), framing, rig.nFrameCount,
                rig.nImageWidthPx, rig.nImageHeightPx, half, half + 1, rig.nFrameCount) +
         R"py(#
# Or open it in Blender's text editor, press Run Script and save the scene.
# It builds the camera "Vantorel Camera" and the outline "Vantorel Hologram"
# in a collection "Vantorel Rig", each marked as its own. Running it again
# replaces only what it marked: an object of yours keeps its place, whatever
# its name. One unit is one millimetre. The hologram lies in the XZ plane,
# centred at the origin; the camera moves along x at y = -DISTANCE_MM, looking
# along +y.
)py";
}

std::string Constants(const RenderRig& rig) {
  const FramePose first = rig.Frame(1);
  return "HOLOGRAM_MM = (" + std::to_string(rig.setup.nWidthMm) + ", " + std::to_string(rig.setup.nHeightMm) + ")\n" +
         "DISTANCE_MM = " + Number(first.dZMm) + "\n" +
         "IMAGE_PX = (" + std::to_string(rig.nImageWidthPx) + ", " + std::to_string(rig.nImageHeightPx) + ")\n" +
         "FRAMES = " + std::to_string(rig.nFrameCount) + "\n" +
         "FOCAL_LENGTH_MM = " + Number(rig.dFocalLengthMm) + "\n" +
         "FILM_BACK_MM = (" + Number(rig.dFilmBackWidthMm) + ", " + Number(rig.dFilmBackHeightMm) + ")\n" +
         "CLIP_MM = (" + Number(kClipStartMm) + ", " + Number(kClipEndMm) + ")\n" +
         "# At frame k the camera stands at x = X_FIRST_MM + X_PER_FRAME_MM * (k - 1), and\n" +
         "# the lens is shifted by SHIFT_FIRST + SHIFT_PER_FRAME * (k - 1) image widths.\n" +
         "X_FIRST_MM, X_PER_FRAME_MM = " + Number(rig.dXFirstMm) + ", " + Number(rig.dCameraStepMm) + "\n" +
         "SHIFT_FIRST, SHIFT_PER_FRAME = " + Number(rig.dShiftFirst) + ", " + Number(rig.dShiftPerFrame) + "\n" +
         "OUTPUT = \"" + OutputPath(rig) + "\"\n";
}

constexpr const char* kImports = R"py(
import math

import bpy

)py";

constexpr const char* kBuildRig = R"py(
CAMERA = "Vantorel Camera"
HOLOGRAM = "Vantorel Hologram"
RIG = "Vantorel Rig"
# Set on every object, lens, mesh and collection this script builds: what a
# later run may remove. Names alone would take a user's own object.
MARK = "vantorel_rig"


def remove_previous_rig():
    for kind in (bpy.data.objects, bpy.data.cameras, bpy.data.meshes):
        for block in [block for block in kind if block.get(MARK)]:
            kind.remove(block)
    # A collection the user has put something of theirs into stays.
    for collection in [c for c in bpy.data.collections if c.get(MARK) and not (c.all_objects or c.children)]:
        bpy.data.collections.remove(collection)


def marked(block):
    block[MARK] = True
    return block


def drive_linearly(owner, path, index, first, per_frame):
    # A simple expression of the frame: exact on every frame and sub-frame,
    # and evaluated even where a file's Python scripts are not allowed to run.
    driver = owner.driver_add(path, index).driver
    driver.type = "SCRIPTED"
    driver.expression = f"{first!r} + {per_frame!r} * (frame - 1)"


def set_units(scene):
    units = scene.unit_settings
    units.system = "METRIC"
    units.scale_length = 0.001
    units.length_unit = "MILLIMETERS"


def set_output(scene):
    render = scene.render
    render.resolution_x, render.resolution_y = IMAGE_PX
    render.resolution_percentage = 100
    render.pixel_aspect_x = render.pixel_aspect_y = 1.0
    render.use_border = False
    render.filepath = OUTPUT
    render.use_file_extension = True
    render.image_settings.file_format = "PNG"
    render.image_settings.color_mode = "RGB"
    render.image_settings.color_depth = "8"
    scene.frame_start, scene.frame_end, scene.frame_step = 1, FRAMES, 1


def build_camera(scene, collection):
    lens = marked(bpy.data.cameras.new(CAMERA))
    lens.type = "PERSP"
    lens.sensor_fit = "HORIZONTAL"
    lens.sensor_width, lens.sensor_height = FILM_BACK_MM
    lens.lens_unit = "MILLIMETERS"
    lens.lens = FOCAL_LENGTH_MM
    lens.clip_start, lens.clip_end = CLIP_MM
    lens.shift_x, lens.shift_y = SHIFT_FIRST, 0.0
    if SHIFT_PER_FRAME:
        drive_linearly(lens, "shift_x", -1, SHIFT_FIRST, SHIFT_PER_FRAME)
    camera = marked(bpy.data.objects.new(CAMERA, lens))
    camera.rotation_mode = "XYZ"
    camera.rotation_euler = (math.pi / 2, 0.0, 0.0)
    camera.location = (X_FIRST_MM, -DISTANCE_MM, 0.0)
    drive_linearly(camera, "location", 0, X_FIRST_MM, X_PER_FRAME_MM)
    collection.objects.link(camera)
    scene.camera = camera


def build_outline(collection):
    # The hologram's edges, to model the scene around: no faces, never rendered.
    w, h = HOLOGRAM_MM[0] / 2, HOLOGRAM_MM[1] / 2
    mesh = marked(bpy.data.meshes.new(HOLOGRAM))
    mesh.from_pydata([(-w, 0, -h), (w, 0, -h), (w, 0, h), (-w, 0, h)], [(0, 1), (1, 2), (2, 3), (3, 0)], [])
    outline = marked(bpy.data.objects.new(HOLOGRAM, mesh))
    outline.hide_render = True
    collection.objects.link(outline)


scene = bpy.context.scene
remove_previous_rig()
rig = marked(bpy.data.collections.new(RIG))
scene.collection.children.link(rig)
set_units(scene)
set_output(scene)
build_camera(scene, rig)
build_outline(rig)
)py";

}  // namespace

std::string FormatBlenderScript(const RenderRig& rig) {
  CheckRenderable(rig);
  return Header(rig) + kImports + Constants(rig) + kBuildRig;
}
