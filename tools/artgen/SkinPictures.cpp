#include "SkinPictures.h"

#include <utility>

namespace {

constexpr int kSize = 12;

struct SkinLevels {
  int nFrameTop, nFrameBottom;
  int face[10];  // rows 1 to 10
  int nCrossCentre, nCrossEnds;
  int nBar, nBarShadow;
};

// Each state is one step darker than the last: hover dims the face, a press
// sinks it.
constexpr SkinLevels kNormal{166, 157, {206, 205, 203, 202, 201, 200, 199, 198, 198, 197}, 85, 95, 95, 170};
constexpr SkinLevels kPressed{107, 102, {154, 153, 152, 151, 150, 150, 149, 148, 148, 147}, 49, 55, 51, 120};
constexpr SkinLevels kOver{138, 130, {183, 182, 181, 180, 179, 178, 178, 177, 176, 175}, 58, 63, 63, 139};

const SkinLevels& LevelsOf(SkinState state) {
  switch (state) {
    case SkinState::Pressed: return kPressed;
    case SkinState::Over: return kOver;
    default: return kNormal;
  }
}

void PaintFrameAndFace(Picture& p, const SkinLevels& lv) {
  for (int y = 0; y < kSize; ++y) {
    const int frame = lv.nFrameTop - ((lv.nFrameTop - lv.nFrameBottom) * y * 2 + 11) / 22;
    for (int x = 0; x < kSize; ++x) {
      const bool edge = x == 0 || y == 0 || x == kSize - 1 || y == kSize - 1;
      p.At(x, y) = Grey(edge ? frame : lv.face[y - 1]);
    }
  }
  // The face's corners fall under the rounded look of the frame.
  for (int y : {1, kSize - 2})
    for (int x : {1, kSize - 2}) p.At(x, y) = Grey(lv.face[y - 1] - 2);
}

bool OnCross(int x, int y) { return y >= 3 && y <= 8 && (x == y || x == kSize - 1 - y); }

// Darkest where the two strokes meet, lighter towards their ends.
int CrossLevel(const SkinLevels& lv, int y) {
  const int fromCentre = y <= 5 ? 5 - y : y - 6;
  return lv.nCrossCentre + ((lv.nCrossEnds - lv.nCrossCentre) * fromCentre + 1) / 2;
}

void PaintCross(Picture& p, const SkinLevels& lv) {
  // The inner corners between two steps of a diagonal take a grey a third of
  // the way from the face to the stroke, which softens the staircase.
  for (int y = 3; y < 8; ++y) {
    for (int x : {y, kSize - 1 - y}) {
      const int next = x == y ? x + 1 : x - 1;
      const int stroke = CrossLevel(lv, y) > CrossLevel(lv, y + 1) ? CrossLevel(lv, y) : CrossLevel(lv, y + 1);
      for (auto [cx, cy] : {std::pair{next, y}, std::pair{x, y + 1}})
        if (!OnCross(cx, cy)) p.At(cx, cy) = Grey((2 * lv.face[cy - 1] + stroke) / 3);
    }
  }
  for (int y = 3; y <= 8; ++y) {
    p.At(y, y) = Grey(CrossLevel(lv, y));
    p.At(kSize - 1 - y, y) = Grey(CrossLevel(lv, y));
  }
}

void PaintBar(Picture& p, const SkinLevels& lv) {
  for (int y = 7; y <= 8; ++y)
    for (int x = 3; x <= 8; ++x) p.At(x, y) = Grey(lv.nBar);
  for (int x = 4; x <= 9; ++x) p.At(x, 9) = Grey(lv.nBarShadow);
  p.At(9, 8) = Grey(lv.nBarShadow);
}

}  // namespace

Picture DrawSkinPicture(SkinGlyph glyph, SkinState state) {
  const SkinLevels& lv = LevelsOf(state);
  Picture p(kSize, kSize);
  PaintFrameAndFace(p, lv);
  if (glyph == SkinGlyph::Cross)
    PaintCross(p, lv);
  else
    PaintBar(p, lv);
  return p;
}
