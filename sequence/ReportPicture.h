#pragma once
// The report as one picture a person reads at a glance: nine views across
// the track (frames 1, N/8, ... N), each showing the hologram's columns and
// labelled with its frame number; under them a bar with one mark per frame,
// sound, suspect and bad in three colours; the summary line as the caption.
// The layout is worked out here; ReportPictureOiio.cpp or ReportPictureWic.cpp
// draws it with the platform's own image operations.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "SequenceCheck.h"

struct PictureLayout {
  struct View {
    int32_t nFrame = 0;
    std::string strFile;   // empty when the frame is missing
    bool bDrawable = false;  // sound: its pixels are shown; otherwise a bad-coloured box
    int32_t nFirstColumn = 0;  // the hologram's columns in the frame
    int32_t nColumns = 0;
    int32_t nX = 0;  // the view's box in the picture
    int32_t nY = 0;
    int32_t nWidth = 0;
    int32_t nHeight = 0;
    std::string strLabel;
  };
  using Colour = std::array<float, 3>;
  static constexpr Colour kBackground = {0.12f, 0.12f, 0.12f};
  static constexpr Colour kText = {0.92f, 0.92f, 0.92f};
  static constexpr Colour kSound = {0.20f, 0.70f, 0.30f};
  static constexpr Colour kSuspect = {0.95f, 0.70f, 0.10f};
  static constexpr Colour kBad = {0.85f, 0.15f, 0.15f};
  static constexpr int32_t kTextSize = 16;

  int32_t nWidth = 0;
  int32_t nHeight = 0;
  std::vector<View> views;
  int32_t nLabelY = 0;  // baseline of the views' labels
  int32_t nBarX = 0;
  int32_t nBarY = 0;
  int32_t nBarHeight = 0;
  std::vector<Colour> barColumns;  // one per pixel column of the bar, from nBarX
  int32_t nCaptionY = 0;           // baseline
  std::string strCaption;
};

PictureLayout LayOutPicture(const CheckOutcome& outcome);

// PNG bytes, or false with the reason in words.
bool DrawReportPicture(const CheckOutcome& outcome, std::string* pPng, std::string* pReason);
