// The ship's flight: one fixed step per frame, all in 32-bit floats.

#include <cmath>

#include "framework/ofMath.h"
#include "game/Game.h"

void Game::fly(const InputState& current, const InputState& previous) {
  if (current.keyLeft) turnSpeed -= turnAccel;
  if (current.keyRight) turnSpeed += turnAccel;
  // A stick turns in proportion to its push, full deflection as a key does;
  // a held key wins, and a stick at rest leaves the turn untouched.
  const bool keyTurns = current.keyLeft || current.keyRight;
  if (!keyTurns && current.stickTurn != 0) turnSpeed += turnAccel * current.stickTurn;

  if (current.keyUp) {
    if (!previous.keyUp) audio->playEffect("thruster_start");
    audio->playEffect("thruster_sustained");
    thrust = thrustPower;
    if (fuel > 0) {
      flame = 255;
      fuel -= 0.01f;
      if (fuel < 0) fuel = 0;
    } else {
      thrust = thrust / 4;
      flame = 200;
    }
    const float d = ofDegToRad(angle - 90);
    vel.x += std::cos(d) * thrust;
    vel.y += std::sin(d) * thrust;
  }

  const Level& level = levelData->getCurrentLevel();
  if (level.friction) vel *= frictionFactor;
  if (level.gravity) vel += gravityAccel;

  // The edges of the play area bounce the ship back; they never destroy it.
  if (pos.x < 0) pos.x = 1, vel.x = -vel.x;
  if (pos.x > 480) pos.x = 479, vel.x = -vel.x;
  if (pos.y < 0) pos.y = 1, vel.y = -vel.y;
  if (pos.y > 320) pos.y = 319, vel.y = -vel.y;

  for (const GravityPoint& p : level.gravityPoints) {
    const float distance = pos.distance(p);
    // Exactly on the point there is no direction to pull in (and 1/0).
    if (distance == 0) continue;
    const float s = (1 / distance) * 0.1f;
    const float a = std::atan2(pos.y - p.y, pos.x - p.x);
    vel.x -= std::cos(a) * s;
    vel.y -= std::sin(a) * s;
  }

  pos += vel;
  angle += turnSpeed;
  turnSpeed = turnSpeed * turnDamping;

  if (fuel < 0.01f) flame -= 100;
  if (flame > 0) flame -= 10;
  if (flame < 0) flame = 0;

  // The hull is tested after the zone scan, so a warped ship is tested
  // where it arrived.
  scanZones();
  if (hullHitsWalls()) die();
}
