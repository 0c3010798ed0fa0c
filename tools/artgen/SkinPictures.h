#pragma once
// The six 12 x 12 pictures of the close and minimise skin buttons: pure greys,
// set pixel by pixel so that every level is exact.

#include "Picture.h"

enum class SkinGlyph { Cross, Bar };
enum class SkinState { Normal, Pressed, Over };

Picture DrawSkinPicture(SkinGlyph glyph, SkinState state);
