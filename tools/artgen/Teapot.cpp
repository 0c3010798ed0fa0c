#include "Teapot.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Vec3 {
  double x, y, z;  // y up, z towards the viewer
};

Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }

// A wire of the model: points with the outward direction of the surface there,
// which tells the near side from the far side.
struct Wire {
  std::vector<Vec3> points;
  std::vector<Vec3> normals;
};

struct ProfilePoint {
  double r, y;
};

// Body, lid and knob as one surface of revolution, bottom to top.
const ProfilePoint kProfile[] = {{0.00, 0.00}, {0.95, 0.00}, {1.22, 0.14}, {1.44, 0.45}, {1.50, 0.76},
                                 {1.42, 1.06}, {1.30, 1.28}, {1.24, 1.40}, {1.00, 1.48}, {0.55, 1.60},
                                 {0.18, 1.70}, {0.30, 1.84}, {0.12, 1.95}, {0.00, 1.97}};
// Rings are drawn where the profile turns: base, belly, shoulder, rim, lid.
const int kRingsFine[] = {1, 2, 3, 4, 5, 6, 7, 9, 11};
const int kRingsCoarse[] = {1, 4, 7, 9};

// Quadratic Bezier centre line of a tube in the plane z = 0, with its radius
// shrinking linearly from r0 to r1.
struct Tube {
  Vec3 p0, p1, p2;
  double r0, r1;
};
const Tube kSpout{{1.30, 0.45, 0}, {2.30, 0.50, 0}, {2.60, 1.45, 0}, 0.30, 0.12};
const Tube kHandle{{-1.28, 1.22, 0}, {-2.55, 1.10, 0}, {-1.38, 0.42, 0}, 0.10, 0.10};

Vec3 TubeCentre(const Tube& t, double u) {
  return ((1 - u) * (1 - u)) * t.p0 + (2 * u * (1 - u)) * t.p1 + (u * u) * t.p2;
}

Vec3 TubeTangent(const Tube& t, double u) {
  Vec3 d = (2 * (1 - u)) * Vec3{t.p1.x - t.p0.x, t.p1.y - t.p0.y, 0} + (2 * u) * Vec3{t.p2.x - t.p1.x, t.p2.y - t.p1.y, 0};
  double len = std::hypot(d.x, d.y);
  return {d.x / len, d.y / len, 0};
}

Vec3 TubeOffset(const Tube& t, double u, double angle) {
  Vec3 tan = TubeTangent(t, u);
  Vec3 side{-tan.y, tan.x, 0};
  return (std::cos(angle)) * side + (std::sin(angle)) * Vec3{0, 0, 1};
}

void AddTube(std::vector<Wire>& wires, const Tube& t, int rings, int lines) {
  auto radius = [&t](double u) { return t.r0 + (t.r1 - t.r0) * u; };
  for (int i = 0; i <= rings; ++i) {
    double u = double(i) / rings;
    Wire w;
    for (int k = 0; k <= 24; ++k) {
      Vec3 n = TubeOffset(t, u, 2 * kPi * k / 24);
      w.points.push_back(TubeCentre(t, u) + radius(u) * n);
      w.normals.push_back(n);
    }
    wires.push_back(w);
  }
  for (int k = 0; k < lines; ++k) {
    Wire w;
    double angle = 2 * kPi * (k + 0.5) / lines;
    for (int i = 0; i <= 24; ++i) {
      double u = i / 24.0;
      Vec3 n = TubeOffset(t, u, angle);
      w.points.push_back(TubeCentre(t, u) + radius(u) * n);
      w.normals.push_back(n);
    }
    wires.push_back(w);
  }
}

std::vector<Wire> BuildModel(bool fine) {
  std::vector<Wire> wires;
  const int segments = 48;
  for (int index : fine ? std::vector<int>(std::begin(kRingsFine), std::end(kRingsFine))
                        : std::vector<int>(std::begin(kRingsCoarse), std::end(kRingsCoarse))) {
    Wire w;
    for (int k = 0; k <= segments; ++k) {
      double a = 2 * kPi * k / segments;
      Vec3 n{std::cos(a), 0, std::sin(a)};
      w.points.push_back({kProfile[index].r * n.x, kProfile[index].y, kProfile[index].r * n.z});
      w.normals.push_back(n);
    }
    wires.push_back(w);
  }
  const int meridians = fine ? 16 : 10;
  for (int m = 0; m < meridians; ++m) {
    double a = 2 * kPi * (m + 0.5) / meridians;
    Vec3 n{std::cos(a), 0, std::sin(a)};
    Wire w;
    for (const ProfilePoint& p : kProfile) {
      w.points.push_back({p.r * n.x, p.y, p.r * n.z});
      w.normals.push_back(n);
    }
    wires.push_back(w);
  }
  AddTube(wires, kSpout, fine ? 4 : 2, fine ? 6 : 4);
  AddTube(wires, kHandle, fine ? 4 : 2, 4);
  return wires;
}

// Seen from a little above and turned so that the spout comes slightly
// towards the viewer.
struct View {
  double cosYaw = std::cos(-0.30), sinYaw = std::sin(-0.30);
  double cosPitch = std::cos(0.38), sinPitch = std::sin(0.38);

  Vec3 Rotate(Vec3 v) const {
    double x = v.x * cosYaw + v.z * sinYaw;
    double z = -v.x * sinYaw + v.z * cosYaw;
    return {x, v.y * cosPitch - z * sinPitch, v.y * sinPitch + z * cosPitch};
  }
};

}  // namespace

void DrawTeapot(cairo_t* cr, double x, double y, double width, double height, const TeapotStyle& style) {
  const bool fine = width >= 80;
  const View view;
  std::vector<Wire> wires = BuildModel(fine);

  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  for (const Wire& w : wires)
    for (const Vec3& p : w.points) {
      Vec3 r = view.Rotate(p);
      minX = std::min(minX, r.x), maxX = std::max(maxX, r.x);
      minY = std::min(minY, r.y), maxY = std::max(maxY, r.y);
    }
  const double scale = std::min(width / (maxX - minX), height / (maxY - minY));
  const double left = x + (width - scale * (maxX - minX)) / 2;
  const double top = y + (height - scale * (maxY - minY)) / 2;

  cairo_save(cr);
  cairo_set_line_width(cr, style.dLineWidth);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // Far lines first, so that the near ones lie on top.
  for (bool nearSide : {false, true}) {
    cairo_set_source_rgba(cr, style.dRed, style.dGreen, style.dBlue, nearSide ? 1.0 : style.dHiddenAlpha);
    for (const Wire& w : wires) {
      for (size_t i = 0; i + 1 < w.points.size(); ++i) {
        double depth = view.Rotate(w.normals[i]).z + view.Rotate(w.normals[i + 1]).z;
        if ((depth > 0) != nearSide) continue;
        Vec3 a = view.Rotate(w.points[i]), b = view.Rotate(w.points[i + 1]);
        cairo_move_to(cr, left + scale * (a.x - minX), top + scale * (maxY - a.y));
        cairo_line_to(cr, left + scale * (b.x - minX), top + scale * (maxY - b.y));
      }
    }
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}
