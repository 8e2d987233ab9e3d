#include "Pilot.h"

#include <cmath>
#include <sstream>

float wrapDegrees(float a) {
  while (a > 180) a -= 360;
  while (a < -180) a += 360;
  return a;
}

ofxVec2f levelPull(bool gravity, const ofxVec2f& gravityAccel,
                   const std::vector<GravityPoint>& points, const ofxVec2f& pos) {
  ofxVec2f a;
  if (gravity) a += gravityAccel;
  for (const GravityPoint& p : points) {
    const float d = pos.distance(p);
    if (d == 0) continue;  // the flight step skips it too: no direction
    const float t = std::atan2(pos.y - p.y, pos.x - p.x);
    a -= ofxVec2f(std::cos(t) * 0.1f / d, std::sin(t) * 0.1f / d);
  }
  return a;
}

std::vector<RoutePoint> routeOf(const Level& level) {
  std::vector<RoutePoint> route;
  for (const Warp& w : level.warps) {
    if (w.level != "trigger" || w.id != "route") continue;
    RoutePoint p;
    p.rect = w.rect;
    std::istringstream hints(w.dir);
    std::string word;
    while (hints >> word) {
      if (word == "cap") hints >> p.cap;
      if (word == "stop") p.stop = true;
      if (word == "wait") p.wait = true;
    }
    route.push_back(p);
  }
  return route;
}

Keys Pilot::steer(const Game& game, const ofxVec2f& target, float cap, bool stop, const Steering& how) {
  const Level& level = game.levelData->getCurrentLevel();
  const ofxVec2f d = target - game.pos;
  const float distance = std::hypot(d.x, d.y);
  float speed = cap * how.capScale;
  // Slow enough to stop in the distance left, braking at a third of full thrust.
  if (stop) speed = std::fmin(speed, std::sqrt(2 * 0.012f * std::fmax(0.0f, distance - 2)));
  ofxVec2f wanted;
  if (distance > 0.5f) wanted = ofxVec2f(d.x / distance * speed, d.y / distance * speed);

  const ofxVec2f outside = levelPull(level.gravity, game.gravityAccel, level.gravityPoints, game.pos);
  ofxVec2f need((wanted.x - game.vel.x) * how.response - outside.x,
                (wanted.y - game.vel.y) * how.response - outside.y);
  const float needed = std::hypot(need.x, need.y);

  // Nose along the needed acceleration (heading 0 thrusts towards -y).
  const float heading = needed > 1e-5f ? std::atan2(need.x, -need.y) * degreesPerRadian : game.angle;
  const float error = wrapDegrees(heading - game.angle);

  // Choose the turn key whose coasting end (turn speed / 0.3 more degrees)
  // lands nearest the wanted heading.
  Keys keys;
  float best = 1e9f;
  for (int turn = -1; turn <= 1; ++turn) {
    const float ts = game.turnSpeed + turn * game.turnAccel;
    const float miss = std::fabs(error - ts / (1 - game.turnDamping));
    if (miss < best - 0.01f) {
      best = miss;
      keys.left = turn < 0;
      keys.right = turn > 0;
    }
  }

  // Thrust in whole frames so that on average it matches what is needed.
  const float along = std::cos(error / degreesPerRadian) * needed;
  if (std::fabs(error) < 35 && along > 0) {
    owed += along;
  } else {
    owed = 0;
  }
  const float power = game.fuel > 0 ? game.thrustPower : game.thrustPower / 4;
  if (owed >= power * 0.5f) {
    keys.up = true;
    owed -= power;
  }
  if (owed > 2 * power) owed = 2 * power;
  return keys;
}
