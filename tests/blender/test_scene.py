# The tiny scene the render test and the render benchmark share.
import bpy


def emission_material(name, colour_a, colour_b, square_mm):
    # Light of its own: every ray gives the same colour however it is sampled.
    material = bpy.data.materials.new(name)
    material.use_nodes = True
    nodes, links = material.node_tree.nodes, material.node_tree.links
    nodes.clear()
    coordinates = nodes.new("ShaderNodeTexCoord")
    checker = nodes.new("ShaderNodeTexChecker")
    checker.inputs["Scale"].default_value = 1 / square_mm
    checker.inputs["Color1"].default_value = (*colour_a, 1)
    checker.inputs["Color2"].default_value = (*colour_b, 1)
    emission = nodes.new("ShaderNodeEmission")
    output = nodes.new("ShaderNodeOutputMaterial")
    links.new(coordinates.outputs["Object"], checker.inputs["Vector"])
    links.new(checker.outputs["Color"], emission.inputs["Color"])
    links.new(emission.outputs["Emission"], output.inputs["Surface"])
    return material


def build_test_scene(path, card_mm):
    """A checkered card the hologram's size, a ball in front of it and a grey
    wall behind filling every frame, rendered by Cycles on the CPU with one
    sample, and saved at path. Only the wall is grey."""
    bpy.ops.wm.read_factory_settings(use_empty=True)
    scene = bpy.context.scene
    bpy.ops.mesh.primitive_plane_add(size=1, rotation=(1.5707963267948966, 0, 0))
    card = bpy.context.object
    card.scale = (*card_mm, 1)
    bpy.ops.object.transform_apply(scale=True)  # texture coordinates in millimetres
    # Squares whose edges fall on pixel edges at any pitch dividing 4 mm.
    card.data.materials.append(emission_material("Card", (0.8, 0.2, 0.1), (0.1, 0.5, 0.9), 4))
    bpy.ops.mesh.primitive_uv_sphere_add(radius=2, location=(1, -10, 2))
    bpy.context.object.data.materials.append(emission_material("Ball", (0.9, 0.9, 0.2), (0.2, 0.9, 0.3), 1))
    bpy.ops.mesh.primitive_plane_add(size=2000, location=(0, 20, 0), rotation=(1.5707963267948966, 0, 0))
    bpy.context.object.data.materials.append(emission_material("Wall", (0.3, 0.3, 0.3), (0.15, 0.15, 0.15), 2))
    scene.render.engine = "CYCLES"
    scene.cycles.device = "CPU"
    scene.cycles.samples = 1
    scene.cycles.use_adaptive_sampling = False
    scene.cycles.use_denoising = False
    scene.cycles.filter_width = 0.01  # each pixel sampled at its centre
    scene.render.dither_intensity = 0
    scene.view_settings.view_transform = "Standard"
    for stamp in (name for name in dir(scene.render) if name.startswith("use_stamp")):
        setattr(scene.render, stamp, False)  # no render time or date in the files
    bpy.ops.wm.save_as_mainfile(filepath=path)
