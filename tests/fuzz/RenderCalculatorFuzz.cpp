// libFuzzer target for the rendering calculator, built with clang under the
// address and undefined-behaviour sanitizers. Besides not faulting, every
// result must keep the calculator's promises, so a wrong text is a finding
// just as a crash is.
//
// Input, little-endian: width, height and mode as int32 (12 bytes), then
// optionally pitch, distance and track length as doubles (24 bytes), any bit
// pattern. Missing bytes read as zero. Without the doubles the program's own
// constants apply, and every text is checked against its exact value.
#include "RenderCalculator.h"
#include "RenderTexts.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr int64_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int64_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr size_t kConstantsAt = 12;
constexpr size_t kInputSize = kConstantsAt + 3 * sizeof(double);
// The longest text a result format can make is 19 characters
// ("-999999999999999 mm"); anything longer would not fit its field.
constexpr size_t kMaxText = 20;
const std::string kDegreeSign = "\u00B0";
const std::string kDegree = " " + kDegreeSign;

struct FuzzCase {
  RenderSetup setup;
  bool bOwnConstants = true;
};

FuzzCase Decode(const uint8_t* data, size_t size) {
  uint8_t bytes[kInputSize] = {};
  std::memcpy(bytes, data, std::min(size, kInputSize));
  FuzzCase c;
  int32_t mode = 0;
  std::memcpy(&c.setup.nWidthMm, bytes, 4);
  std::memcpy(&c.setup.nHeightMm, bytes + 4, 4);
  std::memcpy(&mode, bytes + 8, 4);
  c.setup.nMode = static_cast<RenderMode>(mode);
  c.bOwnConstants = size < kInputSize;
  if (!c.bOwnConstants) {
    std::memcpy(&c.setup.dPixelPitchMm, bytes + kConstantsAt, 8);
    std::memcpy(&c.setup.dCameraDistanceMm, bytes + kConstantsAt + 8, 8);
    std::memcpy(&c.setup.dTrackLengthMm, bytes + kConstantsAt + 16, 8);
  }
  return c;
}

[[noreturn]] void Fail(const RenderSetup& s, const char* what, const std::string& text) {
  std::string shown;
  for (char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    char escaped[16];
    std::snprintf(escaped, sizeof escaped, byte >= 0x20 && byte < 0x7F ? "%c" : "\\x%02X", byte);
    shown += escaped;
  }
  std::fprintf(stderr,
               "\nFINDING: %s: \"%s\"\n  width %d, height %d, mode %d, pitch %.17g, "
               "distance %.17g, track %.17g\n",
               what, shown.c_str(), s.nWidthMm, s.nHeightMm, static_cast<int>(s.nMode),
               s.dPixelPitchMm, s.dCameraDistanceMm, s.dTrackLengthMm);
  std::abort();
}

void Expect(bool ok, const RenderSetup& s, const char* what, const std::string& text) {
  if (!ok) Fail(s, what, text);
}

bool HasDigitsOnly(const std::string& text, size_t from, size_t to) {
  if (from >= to) return false;
  return std::all_of(text.begin() + from, text.begin() + to,
                     [](char ch) { return ch >= '0' && ch <= '9'; });
}

// "-?digits" then, with decimals, "." and that many digits, then the unit;
// the number is returned in value.
bool ParseNumber(const std::string& text, const std::string& unit, size_t decimals,
                 double& value) {
  if (text.size() <= unit.size() || text.compare(text.size() - unit.size(), unit.size(), unit))
    return false;
  size_t end = text.size() - unit.size();
  if (decimals > 0) {
    if (end < decimals + 2 || text[end - decimals - 1] != '.' ||
        !HasDigitsOnly(text, end - decimals, end))
      return false;
    end -= decimals + 1;
  }
  if (!HasDigitsOnly(text, text[0] == '-' ? 1 : 0, end)) return false;
  value = std::strtod(text.c_str(), nullptr);
  return true;
}

void CheckShape(const RenderSetup& s, const std::string& text) {
  Expect(!text.empty(), s, "empty text", text);
  Expect(text.size() <= kMaxText, s, "text longer than its field", text);
  std::string lower(text);
  for (char& ch : lower) ch = (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
  Expect(lower.find("nan") == std::string::npos && lower.find("inf") == std::string::npos, s,
         "not-a-number shown as a number", text);
  // Printable ASCII, and the degree sign as its two UTF-8 bytes.
  for (size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, kDegreeSign.size(), kDegreeSign) == 0) {
      i += kDegreeSign.size() - 1;
      continue;
    }
    Expect(text[i] >= 0x20 && text[i] < 0x7F, s, "unexpected character", text);
  }
}

// What a count text must read, given the count worked out exactly. The
// record holds a count that does not fit at the nearest end of the int32
// range, so only counts strictly inside it can show as numbers.
std::string CountText(int64_t exact, const char* unit) {
  if (exact >= kIntMax) return "too large";
  if (exact <= kIntMin) return "too small";
  return std::to_string(exact) + unit;
}

// The exact count of a quotient, truncated; NaN has none and shows low.
int64_t CountOf(double quotient) {
  if (std::isnan(quotient) || quotient < -1e18) return kIntMin;
  if (quotient > 1e18) return kIntMax;
  return static_cast<int64_t>(std::trunc(quotient));
}

int64_t StepOf(int32_t mode) { return mode >= 1 && mode <= 3 ? int64_t{1} << mode : 1; }

// The program's constants: every quotient of whole millimetres by 0.1 is
// exact, so the counts are worked out in 64-bit integers.
void CheckOwnConstants(const RenderSetup& s, const RenderTexts& t) {
  const int64_t W = s.nWidthMm;
  const int64_t step = StepOf(s.nMode);
  const int64_t frames = 2000;
  const int64_t width = step == 1 ? 10 * W + frames : 10 * W + step * (frames / step) - step;
  Expect(t.strImageHeight == CountText(10 * int64_t{s.nHeightMm}, " px"), s, "image height",
         t.strImageHeight);
  Expect(t.strImageWidth == CountText(width, " px"), s, "image width", t.strImageWidth);
  for (int i = 0; i < 4; ++i)
    Expect(t.strFrames[i] == CountText(frames >> i, " frames"), s, "frames", t.strFrames[i]);
  Expect(t.strDistance == "300 mm", s, "distance", t.strDistance);
  Expect(t.strTrackLength == "200 mm", s, "track length", t.strTrackLength);
  Expect(t.strTrackStart == "-100 mm", s, "track start", t.strTrackStart);
  Expect(t.strTrackEnd == "100 mm", s, "track end", t.strTrackEnd);

  // 0 / 0 in the field of view has no value; every other width has
  // 2 atan((200 + W) / 600), worked out here in long double.
  if (W == 0) {
    Expect(t.strFov == "n/a", s, "field of view of width 0", t.strFov);
    return;
  }
  const long double exact = 360.0L / 3.14159265358979323846L * std::atan((200.0L + W) / 600.0L);
  double shown = 0;
  Expect(ParseNumber(t.strFov, kDegree, 3, shown) && std::fabs(shown - exact) <= 0.0005 + 1e-9,
         s, "field of view", t.strFov);
}

// Any constants: no exact answer for every count, but each text must agree
// with the record it was made from and the record with itself.
void CheckAnyConstants(const RenderSetup& s, const RenderResult& r, const RenderTexts& t) {
  const double H = s.nHeightMm;
  Expect(t.strImageHeight == CountText(CountOf(H / s.dPixelPitchMm), " px"), s, "image height",
         t.strImageHeight);

  const int32_t counts[] = {r.nWidthPx, r.nFrames, r.nFrames2, r.nFrames4, r.nFrames8};
  const std::string* texts[] = {&t.strImageWidth, &t.strFrames[0], &t.strFrames[1],
                                 &t.strFrames[2], &t.strFrames[3]};
  for (int i = 0; i < 5; ++i)
    Expect(*texts[i] == CountText(counts[i], i == 0 ? " px" : " frames"), s,
           "count text differs from its record", *texts[i]);
  if (r.nFrames != kIntMin && r.nFrames != kIntMax) {
    Expect(r.nFrames2 == r.nFrames / 2 && r.nFrames4 == r.nFrames / 4 &&
               r.nFrames8 == r.nFrames / 8,
           s, "frames at the steps disagree", t.strFrames[0]);
  }
  if (StepOf(s.nMode) == 1)
    Expect(r.nWidthPx == r.nSpanPx, s, "every-frame width is not the span", t.strImageWidth);

  const double T = s.dTrackLengthMm;
  const double millimetres[] = {T, T * -1.0 * 0.5, T * 0.5, s.dCameraDistanceMm};
  const std::string* mmTexts[] = {&t.strTrackLength, &t.strTrackStart, &t.strTrackEnd,
                                   &t.strDistance};
  for (int i = 0; i < 4; ++i) {
    if (*mmTexts[i] == "n/a") continue;
    double shown = 0;
    Expect(ParseNumber(*mmTexts[i], " mm", 0, shown) &&
               std::fabs(shown - millimetres[i]) <= 0.5 + 1e-15 * std::fabs(millimetres[i]),
           s, "millimetres", *mmTexts[i]);
  }

  double shown = 0;
  if (!std::isfinite(r.dFovDeg)) {
    Expect(t.strFov == "n/a", s, "field of view without a value", t.strFov);
    return;
  }
  Expect(std::fabs(r.dFovDeg) <= 180.0, s, "field of view beyond 180 degrees", t.strFov);
  Expect(ParseNumber(t.strFov, kDegree, 3, shown) &&
             std::fabs(shown - r.dFovDeg) <= 0.0005 + 1e-12,
         s, "field of view text", t.strFov);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzCase c = Decode(data, size);
  const RenderResult r = CalculateRendering(c.setup);
  const RenderTexts t = FormatRenderTexts(c.setup, r);

  for (const std::string* text :
       {&t.strFov, &t.strImageHeight, &t.strImageWidth, &t.strFrames[0], &t.strFrames[1],
        &t.strFrames[2], &t.strFrames[3], &t.strTrackLength, &t.strTrackStart, &t.strTrackEnd,
        &t.strDistance})
    CheckShape(c.setup, *text);

  const Aspect aspect = c.setup.nWidthMm > c.setup.nHeightMm    ? Aspect::Landscape
                        : c.setup.nWidthMm == c.setup.nHeightMm ? Aspect::Square
                                                                : Aspect::Portrait;
  Expect(r.eAspect == aspect, c.setup, "aspect", t.strImageWidth);

  if (c.bOwnConstants) CheckOwnConstants(c.setup, t);
  else CheckAnyConstants(c.setup, r, t);
  return 0;
}
