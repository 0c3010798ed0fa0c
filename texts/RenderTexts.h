#pragma once
// The texts the window's result fields show, in UTF-8.

#include <cstdint>
#include <string>

#include "RenderCalculator.h"

struct RenderTexts {
  std::string strFov;
  std::string strImageHeight;
  std::string strImageWidth;
  std::string strFrames[4];
  std::string strTrackLength;
  std::string strTrackStart;
  std::string strTrackEnd;
  std::string strDistance;
};

RenderTexts FormatRenderTexts(const RenderSetup& setup, const RenderResult& result);

std::string FormatDegrees(double degrees);
std::string FormatPixels(int32_t pixels);
std::string FormatFrames(int32_t frames);
std::string FormatMillimetres(double millimetres);
