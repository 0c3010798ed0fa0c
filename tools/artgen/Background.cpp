#include "Background.h"

#include "Teapot.h"
#include "layout.h"

#include <cairo.h>

#include <cmath>
#include <initializer_list>
#include <string>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Colour {
  int r, g, b;
};

// The window's palette; the field colours of the dialog repeat the first five.
constexpr Colour kDark{56, 56, 56};
constexpr Colour kPale{234, 236, 190};
constexpr Colour kBlue{71, 136, 244};
constexpr Colour kYellow{231, 201, 0};
constexpr Colour kGreen{6, 201, 19};
constexpr Colour kLilac{196, 172, 232};
constexpr Colour kRed{228, 52, 44};
constexpr Colour kSteel{150, 150, 150};

constexpr double kCaptionSize = 15;
constexpr double kLineHeight = 17;
// Where the fields' font (Arial, 21 pixels high) puts its baseline, and its
// left margin, inside a field.
constexpr int kFieldBaseline = 17;
constexpr int kFieldMargin = 4;
// Between a caption and the field it names.
constexpr int kCaptionGap = 6;

void SetColour(cairo_t* cr, Colour c, double alpha = 1.0) {
  cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

void SetFont(cairo_t* cr, double size, bool bold) {
  cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
}

double TextWidth(cairo_t* cr, const std::string& text) {
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  return extents.x_advance;
}

void Text(cairo_t* cr, const std::string& text, double x, double baseline, Colour colour) {
  SetColour(cr, colour);
  cairo_move_to(cr, std::round(x), baseline);
  cairo_show_text(cr, text.c_str());
}

LayoutRect Field(LayoutRect units) { return LayoutToPixels(units); }

// A caption ending in a comma, on the field's line, ending where the field
// begins.
void CaptionBefore(cairo_t* cr, const std::string& text, LayoutRect field, Colour colour) {
  SetFont(cr, kCaptionSize, false);
  Text(cr, text, field.x - kCaptionGap - TextWidth(cr, text), field.y + kFieldBaseline, colour);
}

// A caption of one or more lines standing on the field below it, aligned with
// the field's text: centred over a centred field, else at its left margin.
void CaptionAbove(cairo_t* cr, std::initializer_list<std::string> lines, LayoutRect field, bool centred,
                  Colour colour) {
  SetFont(cr, kCaptionSize, false);
  double baseline = field.y - 5 - kLineHeight * (lines.size() - 1);
  for (const std::string& line : lines) {
    double x = centred ? field.x + (field.w - TextWidth(cr, line)) / 2 : field.x + kFieldMargin;
    Text(cr, line, x, baseline, colour);
    baseline += kLineHeight;
  }
}

// A one-pixel frame with its title set into the top edge.
void TitledFrame(cairo_t* cr, int left, int top, int right, int bottom, int titleX, const std::string& title) {
  SetFont(cr, kCaptionSize, true);
  const double titleEnd = titleX + TextWidth(cr, title);
  SetColour(cr, kPale, 0.55);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, titleX - 6, top + 0.5);
  cairo_line_to(cr, left + 0.5, top + 0.5);
  cairo_line_to(cr, left + 0.5, bottom + 0.5);
  cairo_line_to(cr, right + 0.5, bottom + 0.5);
  cairo_line_to(cr, right + 0.5, top + 0.5);
  cairo_line_to(cr, titleEnd + 6, top + 0.5);
  cairo_stroke(cr);
  Text(cr, title, titleX, top + 5.5, kPale);
}

void Arrowhead(cairo_t* cr, double x, double y, double angle, double size) {
  const double spread = 0.42;
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x - size * std::cos(angle - spread), y - size * std::sin(angle - spread));
  cairo_line_to(cr, x - size * std::cos(angle + spread), y - size * std::sin(angle + spread));
  cairo_close_path(cr);
  cairo_fill(cr);
}

// A straight dimension line with an arrowhead at each end.
void DoubleArrow(cairo_t* cr, double x0, double y0, double x1, double y1, Colour colour, double width) {
  const double angle = std::atan2(y1 - y0, x1 - x0);
  const double head = 5 + 2 * width;
  SetColour(cr, colour);
  cairo_set_line_width(cr, width);
  cairo_move_to(cr, x0 + (head - 2) * std::cos(angle), y0 + (head - 2) * std::sin(angle));
  cairo_line_to(cr, x1 - (head - 2) * std::cos(angle), y1 - (head - 2) * std::sin(angle));
  cairo_stroke(cr);
  Arrowhead(cr, x1, y1, angle, head);
  Arrowhead(cr, x0, y0, angle + kPi, head);
}

void TitleStrip(cairo_t* cr) {
  // Pixel centres: row 1 at 175, row 25 at 84.
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 1.5, 0, 25.5);
  cairo_pattern_add_color_stop_rgb(gradient, 0, 175 / 255.0, 175 / 255.0, 175 / 255.0);
  cairo_pattern_add_color_stop_rgb(gradient, 1, 84 / 255.0, 84 / 255.0, 84 / 255.0);
  cairo_rectangle(cr, 0, 1, kBackgroundWidth, 25);
  cairo_set_source(cr, gradient);
  cairo_fill(cr);
  cairo_pattern_destroy(gradient);
  cairo_rectangle(cr, 0, 0, kBackgroundWidth, 1);
  SetColour(cr, {28, 28, 28});
  cairo_fill(cr);

  // A soft shadow keeps the light title legible on the light top of the strip.
  SetFont(cr, 15, true);
  const double titleWidth = TextWidth(cr, "Vantorel");
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  cairo_move_to(cr, 11, 19);
  cairo_show_text(cr, "Vantorel");
  Text(cr, "Vantorel", 10, 18, {250, 250, 250});
  SetFont(cr, 12, false);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
  cairo_move_to(cr, 18 + titleWidth, 19);
  cairo_show_text(cr, "v1.0");
  Text(cr, "v1.0", 17 + titleWidth, 18, {236, 236, 236});
}

void HologramInputs(cairo_t* cr) {
  CaptionAbove(cr, {"Hologram Width, mm"}, Field({LAYOUT_EDIT_WIDTH}), false, kPale);
  CaptionAbove(cr, {"Hologram Height, mm"}, Field({LAYOUT_EDIT_HEIGHT}), false, kPale);
}

// Scene diagram: the camera on its track looks up at the image plane, where
// the object stands.
constexpr double kLensX = 502, kLensY = 216;
constexpr double kPlaneY = 88, kPlaneLeft = 446, kPlaneRight = 558;
constexpr double kTrackY = 245, kTrackLeft = 247, kTrackRight = 757;
constexpr double kDistanceX = 650;

void ImagePlane(cairo_t* cr) {
  SetColour(cr, kLilac);
  cairo_rectangle(cr, kPlaneLeft, 50, kPlaneRight - kPlaneLeft, 5);
  cairo_fill(cr);
  DrawTeapot(cr, kLensX - 32, 59, 64, 26, {kRed.r / 255.0, kRed.g / 255.0, kRed.b / 255.0, 1.0, 0.35});
  SetColour(cr, kYellow);
  cairo_rectangle(cr, 400, kPlaneY - 1, 720 - 400, 2);
  cairo_fill(cr);
  SetFont(cr, kCaptionSize, false);
  Text(cr, "Image Plane", 720 - TextWidth(cr, "Image Plane"), kPlaneY - 7, kYellow);
}

void Frustum(cairo_t* cr) {
  cairo_move_to(cr, kLensX, kLensY);
  cairo_line_to(cr, kPlaneLeft, kPlaneY);
  cairo_line_to(cr, kPlaneRight, kPlaneY);
  cairo_close_path(cr);
  SetColour(cr, kSteel, 0.16);
  cairo_fill_preserve(cr);
  SetColour(cr, kSteel, 0.9);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

// Seen from above: the lens towards the image plane, the body on a mount that
// rides on the track.
void CameraBody(cairo_t* cr) {
  auto box = [cr](double x, double y, double w, double h, Colour colour) {
    SetColour(cr, colour);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
  };
  box(kLensX - 8, kLensY, 16, 3, {182, 182, 182});
  box(kLensX - 7, kLensY + 3, 14, 6, {128, 128, 128});
  SetColour(cr, {160, 160, 160});
  cairo_new_sub_path(cr);
  cairo_arc(cr, kLensX + 14, kLensY + 11, 2, -kPi / 2, 0);
  cairo_arc(cr, kLensX + 14, kLensY + 21, 2, 0, kPi / 2);
  cairo_arc(cr, kLensX - 14, kLensY + 21, 2, kPi / 2, kPi);
  cairo_arc(cr, kLensX - 14, kLensY + 11, 2, kPi, 3 * kPi / 2);
  cairo_close_path(cr);
  cairo_fill(cr);
  box(kLensX - 14, kLensY + 9, 28, 1, {196, 196, 196});
  box(kLensX - 5, kLensY + 23, 10, kTrackY - 3 - (kLensY + 23), {100, 100, 100});
}

void FieldOfView(cairo_t* cr) {
  const double left = std::atan2(kPlaneY - kLensY, kPlaneLeft - kLensX);
  const double right = std::atan2(kPlaneY - kLensY, kPlaneRight - kLensX);
  const double radius = 54;
  SetColour(cr, kBlue);
  cairo_set_line_width(cr, 2);
  cairo_arc(cr, kLensX, kLensY, radius, left + 0.12, right - 0.12);
  cairo_stroke(cr);
  Arrowhead(cr, kLensX + radius * std::cos(left), kLensY + radius * std::sin(left), left - kPi / 2, 8);
  Arrowhead(cr, kLensX + radius * std::cos(right), kLensY + radius * std::sin(right), right + kPi / 2, 8);

  // A leader ties the caption, which must stand on its field, to the arc.
  const LayoutRect field = Field({LAYOUT_EDIT_FOV});
  CaptionAbove(cr, {"Camera FOV,"}, field, false, kBlue);
  SetFont(cr, kCaptionSize, false);
  const double captionEnd = field.x + kFieldMargin + TextWidth(cr, "Camera FOV,");
  const double arcX = kLensX + (radius + 3) * std::cos(left + 0.22);
  const double arcY = kLensY + (radius + 3) * std::sin(left + 0.22);
  SetColour(cr, kBlue, 0.8);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, captionEnd + 4, field.y - 10.5);
  cairo_line_to(cr, arcX - 20, field.y - 10.5);
  cairo_line_to(cr, arcX, arcY);
  cairo_stroke(cr);
}

void Distance(cairo_t* cr) {
  DoubleArrow(cr, kDistanceX + 0.5, kPlaneY + 1, kDistanceX + 0.5, kTrackY - 3, kYellow, 1);
  CaptionAbove(cr, {"Camera", "Distance,"}, Field({LAYOUT_EDIT_DISTANCE}), true, kYellow);
}

void Track(cairo_t* cr) {
  SetColour(cr, kGreen);
  cairo_rectangle(cr, kTrackLeft, kTrackY - 3, kTrackRight - kTrackLeft, 6);
  cairo_fill(cr);
  for (double x : {kTrackLeft, kTrackRight}) {
    cairo_rectangle(cr, x - 1, kTrackY - 11, 2, 22);
    cairo_fill(cr);
    cairo_rectangle(cr, x - 1, kTrackY + 11, 1, 18);
    cairo_fill(cr);
  }
  DoubleArrow(cr, kTrackLeft + 1, kTrackY + 24.5, kTrackRight - 1, kTrackY + 24.5, kGreen, 1);
  CaptionBefore(cr, "Camera Track,", Field({LAYOUT_EDIT_TRACK}), kGreen);
}

void SceneSetup(cairo_t* cr) {
  TitledFrame(cr, 224, 35, 780, 334, 262, "Scene Setup");
  ImagePlane(cr);
  Frustum(cr);
  CameraBody(cr);
  FieldOfView(cr);
  Distance(cr);
  Track(cr);
}

// The rendered image: a strip as wide as the camera track plus the hologram,
// the last frame of the sequence at its right end; left of it, room for the
// image height at its longest.
constexpr double kStripLeft = 172, kStripTop = 390, kStripRight = 537, kStripBottom = 524;

void SetDimensionPen(cairo_t* cr) {
  SetColour(cr, kPale, 0.55);
  cairo_set_line_width(cr, 1);
}

// Dimension lines of the strip, each broken where its caption and field stand.
void ImageHeight(cairo_t* cr) {
  const LayoutRect field = Field({LAYOUT_EDIT_IMAGE_HEIGHT});
  CaptionAbove(cr, {"Height,"}, field, true, kPale);
  const double x = std::floor(field.x + field.w / 2.0) + 0.5;
  const double captionTop = field.y - 5 - 11;
  SetDimensionPen(cr);
  for (double y : {kStripTop + 0.5, kStripBottom - 0.5}) {
    cairo_move_to(cr, x - 6, y);
    cairo_line_to(cr, kStripLeft - 3, y);
  }
  cairo_move_to(cr, x, kStripTop + 4);
  cairo_line_to(cr, x, captionTop - 6);
  cairo_move_to(cr, x, field.y + field.h + 5);
  cairo_line_to(cr, x, kStripBottom - 4);
  cairo_stroke(cr);
  Arrowhead(cr, x, kStripTop + 1, -kPi / 2, 7);
  Arrowhead(cr, x, kStripBottom - 1, kPi / 2, 7);
}

void ImageWidth(cairo_t* cr) {
  const LayoutRect field = Field({LAYOUT_EDIT_IMAGE_WIDTH});
  CaptionBefore(cr, "Width,", field, kPale);
  SetFont(cr, kCaptionSize, false);
  const double y = field.y + 10.5;
  const double captionLeft = field.x - kCaptionGap - TextWidth(cr, "Width,");
  SetDimensionPen(cr);
  for (double x : {kStripLeft + 0.5, kStripRight - 0.5}) {
    cairo_move_to(cr, x, kStripBottom + 3);
    cairo_line_to(cr, x, y + 6);
  }
  cairo_move_to(cr, kStripLeft + 4, y);
  cairo_line_to(cr, captionLeft - 8, y);
  cairo_move_to(cr, field.x + field.w + 6, y);
  cairo_line_to(cr, kStripRight - 4, y);
  cairo_stroke(cr);
  Arrowhead(cr, kStripLeft + 1, y, kPi, 7);
  Arrowhead(cr, kStripRight - 1, y, 0, 7);
}

void RenderedImage(cairo_t* cr) {
  TitledFrame(cr, 24, 367, 560, 562, 108, "Rendered Image");
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_rectangle(cr, kStripLeft, kStripTop, kStripRight - kStripLeft, kStripBottom - kStripTop);
  cairo_fill(cr);
  DrawTeapot(cr, kStripRight - 124, kStripTop + 14, 114, 106,
             {kRed.r / 255.0, kRed.g / 255.0, kRed.b / 255.0, 1.0, 0.3});
  ImageHeight(cr);
  ImageWidth(cr);
}

void FinalHologram(cairo_t* cr) {
  SetFont(cr, kCaptionSize, true);
  Text(cr, "Final Hologram", 596, 372, kPale);
  // Centred where the three outline frames are centred.
  constexpr double size = 80, cx = 688, cy = 470;
  SetColour(cr, kLilac);
  cairo_rectangle(cr, cx - size / 2, cy - size / 2, size, size);
  cairo_fill(cr);
  DrawTeapot(cr, cx - 37, cy - 32, 74, 64, {kRed.r / 255.0, kRed.g / 255.0, kRed.b / 255.0, 1.1, 0.3});
}

}  // namespace

Picture DrawBackground() {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kBackgroundWidth, kBackgroundHeight);
  cairo_t* cr = cairo_create(surface);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);

  SetColour(cr, kDark);
  cairo_paint(cr);
  TitleStrip(cr);
  HologramInputs(cr);
  SceneSetup(cr);
  RenderedImage(cr);
  FinalHologram(cr);

  cairo_destroy(cr);
  Picture picture = PictureFromSurface(surface);
  cairo_surface_destroy(surface);
  return picture;
}
