#include "game/WallLayer.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "framework/ofAppRunner.h"
#include "framework/ofGraphics.h"
#include "framework/ofMath.h"

// Why the picture looks exactly like the walls drawn in list order. Solid
// walls are opaque: in list order a pixel shows the last solid wall drawn on
// it, with every wall after it blended over in order, and those are all
// flickering or fading (live) walls. The picture is the solid walls drawn in
// list order, so each pixel of it holds that last solid wall, or nothing.
// Each frame the live walls are drawn over it in list order with the depth
// test: every wall is drawn at a depth that falls with its list position and
// the picture's pixels keep the depth of their last solid wall, so a live
// wall shows exactly where it comes after that wall, and everywhere when the
// pixel has none. When no live wall touches a later solid wall the test can
// turn nothing away and is left out.

namespace {
struct Box {
  float left, top, right, bottom;
};

Box boxOf(const Wall& w, float grow) {
  return {std::min(w.x, w.z) - grow, std::min(w.y, w.w) - grow, std::max(w.x, w.z) + grow,
          std::max(w.y, w.w) + grow};
}

bool overlap(const Box& a, const Box& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

// Boxes bucketed in a coarse grid over the level, so that asking whether a
// box touches any of them looks at the few that lie near it.
class BoxGrid {
 public:
  explicit BoxGrid(const Box& extent) : origin(extent) {
    cell = std::max(
        {(extent.right - extent.left) / kCells, (extent.bottom - extent.top) / kCells, 1.0f});
  }
  void add(const Box& b) {
    visit(b, [&](std::vector<Box>& bucket) {
      bucket.push_back(b);
      return false;
    });
  }
  bool touches(const Box& b) {
    return visit(b, [&](std::vector<Box>& bucket) {
      return std::any_of(bucket.begin(), bucket.end(), [&](const Box& o) { return overlap(o, b); });
    });
  }

 private:
  static constexpr int kCells = 64;
  template <typename Visit>
  bool visit(const Box& b, Visit f) {
    const int x0 = index(b.left, origin.left), x1 = index(b.right, origin.left);
    const int y0 = index(b.top, origin.top), y1 = index(b.bottom, origin.top);
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        if (f(buckets[y * kCells + x])) return true;
      }
    }
    return false;
  }
  int index(float v, float from) const {
    const float c = (v - from) / cell;
    if (!(c > 0)) return 0;  // NaN too
    return c >= kCells - 1 ? kCells - 1 : static_cast<int>(c);
  }
  Box origin;
  float cell = 1;
  std::vector<std::vector<Box>> buckets = std::vector<std::vector<Box>>(kCells * kCells);
};

// The colour component ofSetColor sends to GL for c (0..255).
float unit(int c) {
  const float v = static_cast<float>(c / 255.0);
  return v >= 1 ? 1 : v < 0 ? 0 : v;
}

// The alpha Wall::draw gives a wall this frame; a flickering wall draws its
// random number here, in the same turn as in list order.
int alphaOf(const Wall& wall) {
  if (wall.type == WALL_FLICKER) return static_cast<int>(ofRandom(100, 255));
  return wall.type == WALL_FADE ? wall.alpha : 255;
}

// The colour ofSetColor(r, g, b, alpha) sends to GL under colorScale, twice
// (both ends of the line).
void putColor(const Wall& wall, int alpha, float colorScale, float* out) {
  const float c[4] = {unit(ofTruncateToInt(wall.color.r)) * colorScale,
                      unit(ofTruncateToInt(wall.color.g)) * colorScale,
                      unit(ofTruncateToInt(wall.color.b)) * colorScale, unit(alpha)};
  std::copy(c, c + 4, out);
  std::copy(c, c + 4, out + 4);
}

void putVertices(const Wall& wall, float z, float* out) {
  const float v[6] = {wall.x, wall.y, z, wall.z, wall.w, z};
  std::copy(v, v + 6, out);
}

void drawLines(const std::vector<float>& vertices, const std::vector<float>& colors) {
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, vertices.data());
  glEnableClientState(GL_COLOR_ARRAY);
  glColorPointer(4, GL_FLOAT, 0, colors.data());
  glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(vertices.size() / 3));
}

void pushIdentity() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void popBoth() {
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

int powerOfTwo(int n) {
  int p = 1;
  while (p < n) p *= 2;
  return p;
}

// What the picture's pixels are laid with: anything else (additive light,
// say) would need the walls drawn over what is under them.
bool blendingAsInPlay() {
  if (!glIsEnabled(GL_BLEND)) return true;
  GLint src = 0, dst = 0;
  glGetIntegerv(GL_BLEND_SRC, &src);
  glGetIntegerv(GL_BLEND_DST, &dst);
  return src == GL_SRC_ALPHA && dst == GL_ONE_MINUS_SRC_ALPHA;
}
}  // namespace

WallSplit splitWalls(const std::vector<Wall>& walls, float margin) {
  WallSplit split;
  if (walls.empty()) return split;
  Box extent = boxOf(walls[0], margin);
  for (const Wall& w : walls) {
    const Box b = boxOf(w, margin);
    extent = {std::min(extent.left, b.left), std::min(extent.top, b.top),
              std::max(extent.right, b.right), std::max(extent.bottom, b.bottom)};
  }
  BoxGrid liveBoxes(extent);
  for (size_t i = 0; i < walls.size(); ++i) {
    const Wall& w = walls[i];
    if (w.type == WALL_SOLID) {
      split.solidWork += std::hypot(w.z - w.x, w.w - w.y) + WallLayer::kSetUpWork;
      if (!split.liveCovered) split.liveCovered = liveBoxes.touches(boxOf(w, margin));
    } else if (w.type == WALL_FLICKER || w.type == WALL_FADE) {
      split.live.push_back(static_cast<int>(i));
      if (!split.liveCovered) liveBoxes.add(boxOf(w, 0));
    } else {
      split.cacheable = false;
    }
  }
  return split;
}

WallLayer::~WallLayer() {
  if (texture) glDeleteTextures(1, &texture);
}

bool WallLayer::Key::operator==(const Key& o) const {
  return level == o.level && walls == o.walls && count == o.count &&
         std::equal(viewport, viewport + 4, o.viewport) && width == o.width && height == o.height &&
         lineWidth == o.lineWidth && pixelScale == o.pixelScale;
}

WallLayer::Key WallLayer::keyFor(const LevelData& data) const {
  Key k;
  k.level = &data.getCurrentLevel();
  k.walls = k.level->walls.data();
  k.count = k.level->walls.size();
  glGetIntegerv(GL_VIEWPORT, k.viewport);
  k.width = ofGetWidth();
  k.height = ofGetHeight();
  k.lineWidth = ofGetStyle().lineWidth;
  k.pixelScale = ofGetPixelScale();
  return k;
}

bool WallLayer::prepare(const LevelData& data, bool frameMoves,
                        const std::function<void()>& setupLevelFrame) {
  used = false;
  // Smoothed lines leave partly covered pixels, which a picture laid over
  // the frame would blend a second time.
  if (frameMoves || !data.hasLevel() || ofGetSmoothing() || !blendingAsInPlay()) return false;
  const Key k = keyFor(data);
  if (stale || !(k == key)) {
    key = k;
    stale = false;
    ready = build(data.getCurrentLevel(), setupLevelFrame);
  }
  used = ready;
  return used;
}

bool WallLayer::build(const Level& level, const std::function<void()>& setupLevelFrame) {
  // Lines reach half their width and a rounding pixel past their ends.
  split = splitWalls(level.walls, key.lineWidth + 1);
  if (!worthIt(level) || !readLevelFrame(setupLevelFrame)) return false;
  fillVertices(level.walls);
  capture(level.walls);
  ++pictures;
  return true;
}

bool WallLayer::worthIt(const Level& level) {
  const float area = static_cast<float>(key.width) * static_cast<float>(key.height);
  const float needed = worthRatio * area * (split.liveCovered ? kDepthWork : 1);
  if (!split.cacheable || level.walls.empty() || !(split.solidWork >= needed)) return false;
  const int w = key.viewport[2], h = key.viewport[3];
  GLint alphaBits = 0, depthBits = 0, largest = 0;
  glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  // The picture's alpha says where there is no wall; depth orders live walls.
  return w > 0 && h > 0 && alphaBits > 0 && (!split.liveCovered || depthBits >= 16) &&
         powerOfTwo(w) <= largest && powerOfTwo(h) <= largest;
}

// Reads the matrices the level is drawn with and makes the depth matrix:
// the level's modelview with the vertex z added to the eye-space w. Under a
// perspective projection (whose clip x, y and w ignore the eye w) that moves
// the clip z alone, so a wall drawn at any z covers the same pixels as at 0,
// at a depth of its own.
bool WallLayer::readLevelFrame(const std::function<void()>& setupLevelFrame) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  setupLevelFrame();
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetFloatv(GL_MODELVIEW_MATRIX, levelMatrix);
  popBoth();

  const float* p = projection;
  const float* m = levelMatrix;
  if (p[12] != 0 || p[13] != 0 || p[15] != 0 || p[14] == 0) return false;
  std::copy(m, m + 16, depthMatrix);
  depthMatrix[8] = depthMatrix[9] = depthMatrix[10] = 0;
  depthMatrix[11] = 1;
  // The level's origin in clip space; the walls' depths are spread from its
  // depth towards the near plane, the first wall furthest.
  const double clipZ = p[2] * m[12] + p[6] * m[13] + p[10] * m[14] + p[14] * m[15];
  const double clipW = p[3] * m[12] + p[7] * m[13] + p[11] * m[14] + p[15] * m[15];
  if (!(clipW > 0) || !(clipZ / clipW > -0.5 && clipZ / clipW < 1)) return false;
  const size_t n = key.count;
  const double step = (clipZ / clipW + 0.9) / static_cast<double>(n + 1);
  depthOf.resize(n);
  for (size_t i = 0; i < n; ++i) {
    depthOf[i] = static_cast<float>(-static_cast<double>(i + 1) * step * clipW / p[14]);
  }
  return true;
}

void WallLayer::fillVertices(const std::vector<Wall>& walls) {
  liveVertices.resize(split.live.size() * 6);
  liveColors.resize(split.live.size() * 8);
  for (size_t k = 0; k < split.live.size(); ++k) {
    const int i = split.live[k];
    putVertices(walls[i], depthOf[i], &liveVertices[k * 6]);
  }
}

// Draws the solid walls alone into the cleared back buffer, keeps the
// viewport's picture, then clears the buffer again as the frame had it.
void WallLayer::capture(const std::vector<Wall>& walls) {
  std::vector<float> vertices, colors;
  for (size_t i = 0; i < walls.size(); ++i) {
    if (walls[i].type != WALL_SOLID) continue;
    vertices.resize(vertices.size() + 6);
    colors.resize(colors.size() + 8);
    putVertices(walls[i], depthOf[i], &vertices[vertices.size() - 6]);
    putColor(walls[i], 255, 1, &colors[colors.size() - 8]);
  }
  const int* vp = key.viewport;
  ofFlushDrawing();
  GLfloat frameClear[4] = {0, 0, 0, 0};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, frameClear);
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadMatrixf(projection);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadMatrixf(depthMatrix);

  glScissor(vp[0], vp[1], vp[2], vp[3]);
  glEnable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthMask(GL_TRUE);
  glClearColor(0, 0, 0, 0);
  glClearDepth(1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_ALWAYS);
  drawLines(vertices, colors);
  keepPicture();
  glClearColor(frameClear[0], frameClear[1], frameClear[2], frameClear[3]);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  popBoth();
  glPopClientAttrib();
  glPopAttrib();
}

// The viewport's colours into the texture, and its depth when live walls
// need hiding.
void WallLayer::keepPicture() {
  const int* vp = key.viewport;
  if (!texture) glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  const int tw = powerOfTwo(vp[2]), th = powerOfTwo(vp[3]);
  if (tw != textureWidth || th != textureHeight) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, tw, th, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    textureWidth = tw, textureHeight = th;
  }
  GLint drawBuffer = GL_BACK;
  glGetIntegerv(GL_DRAW_BUFFER, &drawBuffer);
  glReadBuffer(static_cast<GLenum>(drawBuffer));
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, vp[0], vp[1], vp[2], vp[3]);
  depth.clear();
  if (!split.liveCovered) return;
  depth.resize(static_cast<size_t>(vp[2]) * vp[3]);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glPixelStorei(GL_PACK_SKIP_ROWS, 0);
  glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
  glReadPixels(vp[0], vp[1], vp[2], vp[3], GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, depth.data());
}

bool WallLayer::sameLevelFrame() const {
  float p[16], m[16];
  glGetFloatv(GL_PROJECTION_MATRIX, p);
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  return std::memcmp(p, projection, sizeof p) == 0 && std::memcmp(m, levelMatrix, sizeof m) == 0;
}

void WallLayer::draw(const LevelData& data, float colorScale) {
  ofFlushDrawing();
  const std::vector<Wall>& walls = data.getCurrentLevel().walls;
  if (!used || walls.data() != key.walls || walls.size() != key.count || !sameLevelFrame()) {
    // Taken for another frame: taken again at the next prepare().
    if (used) forget();
    data.draw(false);
    return;
  }
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_TEXTURE_BIT |
               GL_CURRENT_BIT);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT | GL_CLIENT_PIXEL_STORE_BIT);
  pushIdentity();
  layPicture(colorScale);
  if (split.liveCovered && !split.live.empty()) restoreDepth();
  popBoth();
  const int lastAlpha = drawLiveWalls(walls, colorScale);
  glPopClientAttrib();
  glPopAttrib();
  // The colour is left as the last wall set it, for anything after that
  // draws in the current colour.
  const Wall& last = walls.back();
  const bool lastIsLive =
      !split.live.empty() && split.live.back() + 1 == static_cast<int>(walls.size());
  ofSetColor(ofTruncateToInt(last.color.r), ofTruncateToInt(last.color.g),
             ofTruncateToInt(last.color.b), lastIsLive ? lastAlpha : 255);
  data.drawModels();
}

// One quad over the viewport, the texture's texels on its pixels, modulated
// by the frame's colour scale as the lines' colours would have been.
void WallLayer::layPicture(float colorScale) const {
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glColor4f(colorScale, colorScale, colorScale, 1);
  const float s = static_cast<float>(key.viewport[2]) / static_cast<float>(textureWidth);
  const float t = static_cast<float>(key.viewport[3]) / static_cast<float>(textureHeight);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(-1, -1);
  glTexCoord2f(s, 0);
  glVertex2f(1, -1);
  glTexCoord2f(s, t);
  glVertex2f(1, 1);
  glTexCoord2f(0, t);
  glVertex2f(-1, 1);
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

// The picture's depth written back (the frame cleared it), colour untouched.
void WallLayer::restoreDepth() const {
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_ALWAYS);
  glDepthMask(GL_TRUE);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  glRasterPos2f(-1, -1);  // the viewport's lower left corner
  glDrawPixels(key.viewport[2], key.viewport[3], GL_DEPTH_COMPONENT, GL_UNSIGNED_INT, depth.data());
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

// Returns the alpha the last live wall was drawn with.
int WallLayer::drawLiveWalls(const std::vector<Wall>& walls, float colorScale) {
  int lastAlpha = 255;
  for (size_t k = 0; k < split.live.size(); ++k) {
    const Wall& wall = walls[split.live[k]];
    lastAlpha = alphaOf(wall);
    putColor(wall, lastAlpha, colorScale, &liveColors[k * 8]);
  }
  if (split.live.empty()) return lastAlpha;
  if (split.liveCovered) {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_FALSE);
  } else {
    glDisable(GL_DEPTH_TEST);
  }
  glLoadMatrixf(depthMatrix);
  drawLines(liveVertices, liveColors);
  glLoadMatrixf(levelMatrix);
  return lastAlpha;
}
