# Runs inside Blender: blender -b --factory-startup --python-exit-code 1
#   -P render_test.py -- SETUP_TOOL WORK_DIR
# Renders a tiny scene with Cycles through the scripts vantorel-setup writes:
# the recentred images must be the hologram's columns of the wide images, and
# a render split across two Blender runs must give the files of one run.
import json
import os
import shutil
import struct
import subprocess
import sys
import unittest

import bpy

sys.path.append(os.path.dirname(__file__))
from test_scene import build_test_scene  # noqa: E402

SETUP_TOOL, WORK_DIR = sys.argv[sys.argv.index("--") + 1:]

# 24 x 32 px of hologram, 8 frames of 52 px at step 4: seconds to render.
RIG_OPTIONS = ["--width", "12", "--height", "16", "--pitch", "0.5", "--distance", "60", "--track", "16",
               "--step", "4"]
SCENE = os.path.join(WORK_DIR, "scene.blend")
FARM_SCENE = os.path.join(WORK_DIR, "farm", "scene.blend")


def setup_file(framing, fmt):
    path = os.path.join(WORK_DIR, f"{framing}.{'py' if fmt == 'blender' else fmt}")
    subprocess.run([SETUP_TOOL, *RIG_OPTIONS, "--framing", framing, "--format", fmt, "--output", path], check=True)
    return path


def blender(*args):
    subprocess.run([bpy.app.binary_path, "-b", "--factory-startup", "-noaudio", "--python-exit-code", "1", *args],
                   check=True, stdout=subprocess.DEVNULL)


def frames_in(folder):
    return sorted(os.listdir(folder))


def columns(path):
    """The image as a list of pixel columns, each a tuple of RGB values."""
    image = bpy.data.images.load(path)
    try:
        width, height = image.size
        values = image.pixels[:]
    finally:
        bpy.data.images.remove(image)
    rgba = [values[i:i + 4] for i in range(0, len(values), 4)]
    return [tuple(rgba[y * width + x][c] for y in range(height) for c in range(3)) for x in range(width)]


def pixels_of(column):
    return (column[i:i + 3] for i in range(0, len(column), 3))


def is_grey(rgb):
    return rgb[0] == rgb[1] == rgb[2]


def png_without_text(path):
    """The file's bytes less its text chunks, where Cycles notes how long each
    frame took, which differs from run to run."""
    with open(path, "rb") as f:
        data = f.read()
    kept, at = [data[:8]], 8
    while at < len(data):
        (length,) = struct.unpack(">I", data[at:at + 4])
        chunk = data[at:at + 12 + length]
        if chunk[4:8] != b"tEXt":
            kept.append(chunk)
        at += 12 + length
    return b"".join(kept)


class RenderTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        os.makedirs(os.path.dirname(FARM_SCENE), exist_ok=True)
        build_test_scene(SCENE, card_mm=(12, 16))
        with open(setup_file("wide", "json")) as f:
            cls.rig = json.load(f)
        wide, recentred = setup_file("wide", "blender"), setup_file("recentred", "blender")
        # One run renders every frame and leaves the rigged scene for the farm.
        blender(SCENE, "-P", wide, "--python-expr", f"import bpy; bpy.ops.wm.save_as_mainfile(filepath={FARM_SCENE!r}, copy=True)", "-a")
        blender(SCENE, "-P", recentred, "-a")
        # The farm: two machines, each its own range of the saved scene.
        n = cls.rig["frame_count"]
        blender(FARM_SCENE, "-s", "1", "-e", str(n // 2), "-a")
        blender(FARM_SCENE, "-s", str(n // 2 + 1), "-e", str(n), "-a")
        cls.wide_dir = os.path.join(WORK_DIR, "hologram_wide_step4")
        cls.recentred_dir = os.path.join(WORK_DIR, "hologram_recentred_step4")
        cls.farm_dir = os.path.join(WORK_DIR, "farm", "hologram_wide_step4")

    def test_files_carry_the_frame_numbers(self):
        names = [f"frame_{k:04d}.png" for k in range(1, self.rig["frame_count"] + 1)]
        self.assertEqual(frames_in(self.wide_dir), names)
        self.assertEqual(frames_in(self.recentred_dir), names)

    def test_recentred_images_are_the_hologram_columns_of_the_wide_images(self):
        for frame in self.rig["frames"]:
            with self.subTest(frame=frame["frame"]):
                name = f"frame_{frame['frame']:04d}.png"
                wide = columns(os.path.join(self.wide_dir, name))
                recentred = columns(os.path.join(self.recentred_dir, name))
                first, last = frame["hologram_px"]
                self.assertEqual(recentred, wide[first:last + 1])
                # The card fills exactly the predicted columns: the grey wall
                # behind it shows everywhere else, and nowhere within them.
                self.assertEqual([x for x, column in enumerate(wide) if not any(map(is_grey, pixels_of(column)))],
                                 list(range(first, last + 1)))
                self.assertTrue(all(all(map(is_grey, pixels_of(column))) for column in wide[:first] + wide[last + 1:]))

    def test_frames_split_across_two_runs_are_the_files_of_one_run(self):
        self.assertEqual(frames_in(self.farm_dir), frames_in(self.wide_dir))
        for name in frames_in(self.wide_dir):
            self.assertEqual(png_without_text(os.path.join(self.farm_dir, name)),
                             png_without_text(os.path.join(self.wide_dir, name)), name)

# A frame an earlier run left would hide one this run fails to render.
shutil.rmtree(WORK_DIR, ignore_errors=True)
os.makedirs(WORK_DIR)
result = unittest.TextTestRunner(verbosity=2).run(unittest.defaultTestLoader.loadTestsFromTestCase(RenderTest))
if not result.wasSuccessful():
    raise SystemExit(1)
