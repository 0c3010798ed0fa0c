#pragma once
// The rig's inputs read back from the JSON that vantorel-setup and the
// window's export write, so a check uses the very setup the render was made
// from.

#include <stdexcept>
#include <string>

#include "RenderRig.h"

struct SetupFromFile {
  RenderSetup setup;
  Framing eFraming = Framing::Wide;
};

// Throws std::runtime_error with one line that says what is wrong, naming a
// missing key or a bad value.
SetupFromFile ReadSetupJson(const std::string& bytes);
