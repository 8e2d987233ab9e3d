#include "Picture.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
const int scale = 2, width = 480 * scale, height = 320 * scale;

struct Image {
  std::vector<unsigned char> rgb = std::vector<unsigned char>(width * height * 3, 0);

  void dot(int x, int y, const ofColor& c) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    unsigned char* p = &rgb[(y * width + x) * 3];
    p[0] = static_cast<unsigned char>(c.r), p[1] = static_cast<unsigned char>(c.g),
    p[2] = static_cast<unsigned char>(c.b);
  }
  void line(float x1, float y1, float x2, float y2, const ofColor& c) {
    const float steps = std::fmax(std::fabs(x2 - x1), std::fabs(y2 - y1)) * scale + 1;
    for (int i = 0; i <= steps; ++i) {
      const float t = i / steps;
      dot(static_cast<int>((x1 + t * (x2 - x1)) * scale), static_cast<int>((y1 + t * (y2 - y1)) * scale), c);
    }
  }
  void rect(const ofRectangle& r, const ofColor& c) {
    line(r.x, r.y, r.x + r.width, r.y, c);
    line(r.x + r.width, r.y, r.x + r.width, r.y + r.height, c);
    line(r.x + r.width, r.y + r.height, r.x, r.y + r.height, c);
    line(r.x, r.y + r.height, r.x, r.y, c);
  }
};

ofColor zoneColor(const std::string& command) {
  if (command == "trigger") return ofColor(120, 110, 0);
  if (command == "mark") return ofColor(0, 160, 0);
  if (command == "fuel") return ofColor(200, 120, 0);
  if (command == "finish_it" || command == "this") return ofColor(255, 0, 255);
  return ofColor(70, 70, 70);
}
}  // namespace

void drawLevel(const LevelData& data, int levelIndex, const std::vector<ofxVec2f>& track,
               const std::string& path) {
  Image image;
  const Level& level = data.levels[levelIndex];
  for (const Warp& w : level.warps) {
    bool toLevel = false;
    for (const Level& l : data.levels) toLevel = toLevel || l.guid == w.level;
    image.rect(w.rect, toLevel ? ofColor(0, 200, 255) : zoneColor(w.level));
  }
  for (const ModelRef& ref : level.modelRefs) {
    for (const Model& m : data.models) {
      if (m.guid != ref.guid || m.frames.empty()) continue;
      for (const Wall& wall : m.frames[0].walls) {
        image.line(wall.x + ref.pos.x, wall.y + ref.pos.y, wall.z + ref.pos.x, wall.w + ref.pos.y,
                   m.solid ? ofColor(255, 60, 60) : wall.color);
      }
    }
  }
  for (const Wall& wall : level.walls) image.line(wall.x, wall.y, wall.z, wall.w, wall.color);
  for (const Receiver& r : level.receivers) {
    image.line(r.pos.x - 4, r.pos.y, r.pos.x + 4, r.pos.y, ofColor(0, 255, 0));
    image.line(r.pos.x, r.pos.y - 4, r.pos.x, r.pos.y + 4, ofColor(0, 255, 0));
  }
  for (const GravityPoint& p : level.gravityPoints) {
    for (int a = 0; a < 360; a += 30) {
      image.line(p.x, p.y, p.x + 5 * std::cos(a * 0.01745f), p.y + 5 * std::sin(a * 0.01745f),
                 ofColor(255, 0, 255));
    }
  }
  for (size_t i = 1; i < track.size(); ++i) {
    if (track[i].distance(track[i - 1]) > 30) continue;
    image.line(track[i - 1].x, track[i - 1].y, track[i].x, track[i].y, ofColor(255, 255, 255));
  }
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fprintf(f, "P6\n%d %d\n255\n", width, height);
    std::fwrite(image.rgb.data(), 1, image.rgb.size(), f);
    std::fclose(f);
  }
}
