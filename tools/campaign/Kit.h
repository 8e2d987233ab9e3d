#pragma once
// The small vocabulary the campaign is written in: colours, rock from a
// carved cave, single walls, zones with their command words, checkpoints,
// pick-ups, exits, the route the autopilot flies, and model shapes.

#include <string>
#include <vector>

#include "Cave.h"
#include "level/LevelData.h"

// A level's rock colours: hue, saturation and lightness, each 0..1.
struct Palette {
  float hue, saturation, lightness;
};

ofColor hsl(float hue, float saturation, float lightness);

// Writes into one level of the campaign.
class LevelKit {
 public:
  LevelKit(LevelData& data, const std::string& guid, bool gravity);

  // The cave's outline as walls of the given type, shaded as if lit from
  // above: faces turned up are lighter than faces turned down.
  void rock(const Cave& cave, const Palette& palette, unsigned seed, int type = WALL_SOLID);
  // Gives the walls whose middle lies in the rectangle another type and colour.
  void retype(float x, float y, float w, float h, int type, const ofColor& color);
  void wall(float x1, float y1, float x2, float y2, const ofColor& color, int type = WALL_SOLID);

  void zone(float x, float y, float w, float h, const std::string& command,
            const std::string& id = "", const std::string& dir = "");
  void receiver(const std::string& id, float x, float y);
  void place(const std::string& model, float x, float y);
  void gravityPoint(float x, float y);

  // A checkpoint: a receiver with a marker beacon a player can see from
  // afar, a "mark" zone of 2·half square around it with the facing letter,
  // and a sparkle the first time it is passed (the game itself plays the
  // checkpoint's sound).
  void checkpoint(const std::string& id, float x, float y, const std::string& facing,
                  float half = 30);
  // Where the ship arrives from the level before: checkpoint "in", and a
  // "breaks" zone that stops the ship it keeps through the warp, so the
  // player gets a moment before gravity or a wall ends it.
  void arrival(float x, float y, const std::string& facing);
  // A pick-up model with a "fuel" zone around it that adds `amount`.
  void fuelPickup(const std::string& model, float x, float y, float amount);
  // A level warp: the zone leads to receiver `id` of level `guid`; an
  // exit portal is drawn in its middle.
  void exit(float x, float y, float w, float h, const std::string& guid, const std::string& id);
  // One point of the route the autopilot flies through this level: a
  // "trigger" zone (it does nothing in the game) of 2·half square, with
  // hints for the autopilot in its dir text: "cap 1.2" (speed limit on the
  // way here, px/frame), "stop" (arrive slowly), "wait" (hovering here for
  // a hazard to open is allowed).
  void route(float x, float y, const std::string& hints = "", float half = 20);

  Level& level();

 private:
  LevelData& data;
  size_t index;
};

// Builds one model: frames of walls in model coordinates.
class ModelKit {
 public:
  ModelKit(LevelData& data, const std::string& guid, int animSpeed, bool solid,
           bool playOnce = false, const std::string& sound = "");

  // Starts a new frame; the walls that follow go into it.
  ModelKit& frame();
  ModelKit& line(float x1, float y1, float x2, float y2, const ofColor& color, int type = WALL_SOLID);
  // A closed polygon through the points.
  ModelKit& loop(const Polyline& points, const ofColor& color, int type = WALL_SOLID);
  // An open polyline.
  ModelKit& path(const Polyline& points, const ofColor& color, int type = WALL_SOLID);
  // A regular polygon approximating a circle.
  ModelKit& ring(float cx, float cy, float radius, int sides, const ofColor& color,
                 int type = WALL_SOLID, float turn = 0);

 private:
  Model& model();
  LevelData& data;
  size_t index;
};

// The point (x, y) turned by `degrees` clockwise about the origin.
ofxVec2f turned(float x, float y, float degrees);
