# Runs inside Blender: blender -b --factory-startup --python-exit-code 1
#   -P rig_test.py -- SETUP_TOOL WORK_DIR
# Builds rigs with the scripts vantorel-setup writes and checks, with Blender's
# own projection, that the hologram lands on the pixels its JSON predicts.
import json
import math
import os
import subprocess
import sys
import unittest

import bpy
from bpy_extras.object_utils import world_to_camera_view
from mathutils import Vector

SETUP_TOOL, WORK_DIR = sys.argv[sys.argv.index("--") + 1:]

# width mm, height mm, step, framing, further options
CASES = [
    (30, 20, 1, "wide", []),
    (30, 20, 4, "wide", []),
    (30, 20, 1, "recentred", []),
    (30, 20, 8, "recentred", []),
    (20, 250, 1, "wide", []),  # taller than wide: the lens must still fit the width
    (20, 250, 2, "recentred", []),
    (150, 40, 2, "wide", ["--pitch", "0.2", "--distance", "450", "--track", "300"]),
]

# Blender keeps positions in single precision: a thousandth of a pixel is far
# below any error a wrong lens, shift or position would make.
PIXEL_TOLERANCE = 1e-3


def run_setup(case, fmt):
    width, height, step, framing, options = case
    name = f"{width}x{height}-step{step}-{framing}{''.join(options)}.{'py' if fmt == 'blender' else fmt}"
    path = os.path.join(WORK_DIR, name)
    subprocess.run([SETUP_TOOL, "--width", str(width), "--height", str(height), "--step", str(step),
                    "--framing", framing, "--format", fmt, "--output", path, *options], check=True)
    return path


def run_in_text_editor(script_path):
    # What Run Script in the text editor does: the text block runs as a module,
    # with no command line of its own.
    text = bpy.data.texts.load(script_path)
    try:
        text.as_module()
    finally:
        bpy.data.texts.remove(text)


def pixel_corners(scene, frame, width_mm, height_mm):
    """Left, right, bottom and top edge of the hologram in pixels at a frame."""
    scene.frame_set(frame)
    camera = scene.camera.evaluated_get(bpy.context.evaluated_depsgraph_get())
    low = world_to_camera_view(scene, camera, Vector((-width_mm / 2, 0, -height_mm / 2)))
    high = world_to_camera_view(scene, camera, Vector((width_mm / 2, 0, height_mm / 2)))
    w, h = scene.render.resolution_x, scene.render.resolution_y
    return low.x * w, high.x * w, low.y * h, high.y * h


class RigTest(unittest.TestCase):
    def test_hologram_lands_on_predicted_pixels(self):
        for case in CASES:
            with self.subTest(case=case):
                with open(run_setup(case, "json")) as f:
                    rig = json.load(f)
                run_in_text_editor(run_setup(case, "blender"))
                scene = bpy.context.scene
                self.assertAlmostEqual(math.degrees(scene.camera.data.angle_x), rig["lens_fov_deg"], delta=1e-4)
                frames = rig["frames"]
                for frame in frames[0], frames[len(frames) // 2], frames[-1]:
                    first, last = frame["hologram_px"]
                    left, right, bottom, top = pixel_corners(scene, frame["frame"], rig["width_mm"], rig["height_mm"])
                    self.assertAlmostEqual(left, first, delta=PIXEL_TOLERANCE, msg=f"frame {frame['frame']}")
                    self.assertAlmostEqual(right, last + 1, delta=PIXEL_TOLERANCE, msg=f"frame {frame['frame']}")
                    self.assertAlmostEqual(bottom, 0, delta=PIXEL_TOLERANCE)
                    self.assertAlmostEqual(top, rig["image_height_px"], delta=PIXEL_TOLERANCE)

    def test_running_again_replaces_the_rig(self):
        script = run_setup(CASES[0], "blender")
        for _ in range(2):
            run_in_text_editor(script)
            self.assertEqual(sorted(o.name for o in bpy.data.objects if o.name.startswith("Vantorel")),
                             ["Vantorel Camera", "Vantorel Hologram"])
            self.assertEqual([c.name for c in bpy.data.cameras if c.name.startswith("Vantorel")], ["Vantorel Camera"])
            self.assertEqual(bpy.context.scene.camera.name, "Vantorel Camera")
            self.assertEqual(len(bpy.context.scene.camera.animation_data.drivers), 1)
            self.assertEqual([c.name for c in bpy.context.scene.camera.users_collection], ["Vantorel Rig"])

    def test_a_users_object_of_the_same_name_survives(self):
        bpy.ops.wm.read_factory_settings(use_empty=True)
        self.addCleanup(bpy.ops.wm.read_factory_settings, use_empty=True)
        mine = bpy.data.objects.new("Vantorel Camera", bpy.data.cameras.new("Vantorel Camera"))
        bpy.context.scene.collection.objects.link(mine)
        script = run_setup(CASES[0], "blender")
        for _ in range(2):
            run_in_text_editor(script)
        self.assertIn(mine, bpy.context.scene.collection.objects[:])
        self.assertEqual((mine.name, mine.data.name), ("Vantorel Camera", "Vantorel Camera"))
        self.assertEqual(sorted(o.name for o in bpy.data.objects if o.get("vantorel_rig")),
                         ["Vantorel Camera.001", "Vantorel Hologram"])
        self.assertEqual(bpy.context.scene.camera.name, "Vantorel Camera.001")


os.makedirs(WORK_DIR, exist_ok=True)
result = unittest.TextTestRunner(verbosity=2).run(unittest.defaultTestLoader.loadTestsFromTestCase(RigTest))
if not result.wasSuccessful():
    raise SystemExit(1)
