# Runs inside Blender: blender -b --factory-startup -P blender_render_bench.py
#   -- WIDE_SCRIPT RECENTRED_SCRIPT WIDTH_MM HEIGHT_MM SAMPLES WORK_DIR
# Renders the same frames of the tests' scene through both rigs in this one
# process and prints how long each framing took.
import os
import runpy
import sys
import time

import bpy

sys.path.append(os.path.join(os.path.dirname(__file__), "..", "tests", "blender"))
from test_scene import build_test_scene  # noqa: E402

wide, recentred, width, height, samples, work_dir = sys.argv[sys.argv.index("--") + 1:]
build_test_scene(os.path.join(work_dir, "bench-scene.blend"), card_mm=(int(width), int(height)))
bpy.context.scene.cycles.samples = int(samples)


def render_seconds(script):
    runpy.run_path(script)
    scene = bpy.context.scene
    seconds = 0.0
    for frame in (1, (scene.frame_end + 1) // 2, scene.frame_end):
        scene.frame_set(frame)
        start = time.perf_counter()
        bpy.ops.render.render()
        seconds += time.perf_counter() - start
    return seconds, scene.render.resolution_x, scene.render.resolution_y


wide_s, wide_w, height_px = render_seconds(wide)
recentred_s, recentred_w, _ = render_seconds(recentred)
print(f"BENCH wide {wide_w} x {height_px} px: {wide_s:.3f} s for 3 frames")
print(f"BENCH recentred {recentred_w} x {height_px} px: {recentred_s:.3f} s for 3 frames")
print(f"BENCH recentred / wide: {recentred_s / wide_s:.3f}")
