# Vantorel camera rig for Blender 2.83 and later: a 5 x 4 mm hologram at
# step 4, recentred framing, 4 frames of 10 x 8 px.
#
# Render every frame, or split the frames between two machines:
#   blender -b scene.blend -P rig.py -a
#   blender -b scene.blend -P rig.py -s 1 -e 2 -a
#   blender -b scene.blend -P rig.py -s 3 -e 4 -a
#
# Or open it in Blender's text editor, press Run Script and save the scene.
# It builds the camera "Vantorel Camera" and the outline "Vantorel Hologram"
# in a collection "Vantorel Rig", each marked as its own. Running it again
# replaces only what it marked: an object of yours keeps its place, whatever
# its name. One unit is one millimetre. The hologram lies in the XZ plane,
# centred at the origin; the camera moves along x at y = -DISTANCE_MM, looking
# along +y.

import math

import bpy

HOLOGRAM_MM = (5, 4)
DISTANCE_MM = 412.5
IMAGE_PX = (10, 8)
FRAMES = 4
FOCAL_LENGTH_MM = 2970
FILM_BACK_MM = (36, 28.8)
CLIP_MM = (1, 100000)
# At frame k the camera stands at x = X_FIRST_MM + X_PER_FRAME_MM * (k - 1), and
# the lens is shifted by SHIFT_FIRST + SHIFT_PER_FRAME * (k - 1) image widths.
X_FIRST_MM, X_PER_FRAME_MM = -4.25, 2
SHIFT_FIRST, SHIFT_PER_FRAME = 0.85, -0.4
OUTPUT = "//hologram_recentred_step4/frame_####"

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
