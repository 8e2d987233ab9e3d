#include "Novice.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
float length(const ofxVec2f& v) { return std::hypot(v.x, v.y); }

ofxVec2f pullAt(const Course& course, const ofxVec2f& pos) {
  return levelPull(course.gravity, course.gravityAccel, course.pulls, pos);
}

ofxVec2f nearestOnSegment(const ofxVec2f& p, const ofxVec2f& a, const ofxVec2f& b) {
  const ofxVec2f ab = b - a, ap = p - a;
  const float span = ab.x * ab.x + ab.y * ab.y;
  const float t = span > 0 ? std::fmin(1.0f, std::fmax(0.0f, (ap.x * ab.x + ap.y * ab.y) / span)) : 0;
  return ofxVec2f(a.x + ab.x * t, a.y + ab.y * t);
}

float distanceToSegment(const ofxVec2f& p, const ofxVec2f& a, const ofxVec2f& b) {
  return length(p - nearestOnSegment(p, a, b));
}
}  // namespace

Course courseOf(const Game& game) {
  const Level& level = game.levelData->getCurrentLevel();
  Course course;
  course.route = routeOf(level);
  course.gravity = level.gravity;
  course.gravityAccel = game.gravityAccel;
  course.pulls = level.gravityPoints;
  for (const Wall& w : level.walls) course.walls.push_back({ofxVec2f(w.x, w.y), ofxVec2f(w.z, w.w)});
  course.thrustPower = game.thrustPower;
  course.turnAccel = game.turnAccel;
  course.turnDamping = game.turnDamping;
  return course;
}

Keys Move::at(int frame) const {
  Keys keys;
  const bool turning = turnFrom <= frame && frame < turnTo;
  keys.left = turning && turn < 0;
  keys.right = turning && turn > 0;
  keys.up = thrustFrom <= frame && frame < thrustTo;
  return keys;
}

Novice::Novice(Course course, const NoviceProfile& profile, unsigned seed)
    : course(std::move(course)),
      profile(profile),
      random(seed),
      delay(profile.delay),
      rate(profile.keyWindow, profile.keyChanges) {
  const float belief =
      std::uniform_real_distribution<float>(-profile.thrustBelief, profile.thrustBelief)(random);
  believedThrust = this->course.thrustPower * (1 + belief);
  const float pace = std::uniform_real_distribution<float>(-profile.paceBelief, profile.paceBelief)(random);
  believedPace = profile.pace * (1 + pace);
}

Keys Novice::act(int now) {
  Keys wanted;
  const Perception* seen = course.route.empty() ? nullptr : delay.ready(now);
  if (seen) {
    newest = seen->frame;
    const Motion ship = anticipate(*seen, now);
    notice(*seen, ship, now);
    if (mode != Mode::down && now >= nextLook) decide(ship, seen->fuel, now);
    wanted = move.at(now);
  }
  if (!(wanted == held) && rate.allows(now)) {
    rate.record(now);
    held = wanted;
  }
  heldAt.emplace_back(now, held);
  while (heldAt.size() > static_cast<size_t>(profile.delay) + 4) heldAt.pop_front();
  return held;
}

Novice::Motion Novice::anticipate(const Perception& seen, int now) const {
  Motion m{seen.pos, seen.vel, seen.angle, seen.turnSpeed};
  const float power = seen.fuel > 0 ? believedThrust : believedThrust / 4;
  const ofxVec2f gravity = course.gravity ? course.gravityAccel : ofxVec2f();
  for (const auto& [frame, keys] : heldAt) {
    if (frame < seen.frame || frame >= now) continue;
    if (keys.left) m.turnSpeed -= course.turnAccel;
    if (keys.right) m.turnSpeed += course.turnAccel;
    if (keys.up) {
      const float d = (m.angle - 90) / degreesPerRadian;
      m.vel += ofxVec2f(std::cos(d) * power, std::sin(d) * power);
    }
    m.vel += gravity;
    m.pos += m.vel;
    m.angle += m.turnSpeed;
    m.turnSpeed *= course.turnDamping;
  }
  return m;
}

void Novice::notice(const Perception& seen, const Motion& ship, int now) {
  const std::vector<RoutePoint>& route = course.route;
  if (route.empty()) return;
  if (seen.dying) {
    mode = Mode::down;
    move = Move{};
    return;
  }
  const bool teleported = mode != Mode::starting && seen.pos.distance(lastSeen) > 30;
  lastSeen = seen.pos;
  if (mode == Mode::starting || teleported) {
    resume(seen.pos);
    nextLook = now;
    return;
  }
  if (mode == Mode::down) {
    // A moment to take in where the ship is before flying again.
    resume(seen.pos);
    nextLook = now + uniform(profile.lookMin, profile.lookMax);
    return;
  }
  if (mode == Mode::flying && to + 1 < route.size() && route[to].contains(ship.pos)) {
    if (route[to].wait) {
      startWaiting();
    } else {
      advance();
      nextLook = now;
    }
  }
  if (mode != Mode::waiting) return;
  watch.look(seen);
  // Going by what is in sight alone, a way that closes again is a reason
  // to stay.
  if (!profile.learnsRhythm && !watch.clearNow()) goAt = -1;
  if (goAt < 0 && readyToGo(ship, now)) goAt = now + hesitation;
  if (goAt >= 0 && now >= goAt) {
    advance();
    mode = Mode::flying;
    dashing = true;
    nextLook = now;
  }
}

void Novice::startWaiting() {
  mode = Mode::waiting;
  watch = WayWatch(course.route[to].centre(), course.route[to + 1].centre(),
                   static_cast<float>(profile.clearance));
  hesitation = uniform(0, profile.hesitationMax);
  goAt = -1;
}

bool Novice::readyToGo(const Motion& ship, int now) const {
  if (!profile.learnsRhythm) return watch.clearNow();
  // Nothing has crossed the way for longer than any hazard's cycle.
  if (!watch.everBlocked()) return watch.watched() >= profile.calmWatch;
  // No gap looks long enough: the best chance is as the way opens.
  if (watch.watched() > profile.longestWatch) return watch.justOpened();
  // Getting going: turning to face the way, then half the time it takes to
  // speed up is lost.
  const ofxVec2f way = course.route[to + 1].centre() - course.route[to].centre();
  const float heading = std::atan2(way.x, -way.y) * degreesPerRadian;
  const float eventual = ship.angle + ship.turnSpeed / (1 - course.turnDamping);
  const float turn = std::fabs(wrapDegrees(heading - eventual)) * (1 - course.turnDamping) / course.turnAccel;
  const float speed = course.route[to + 1].cap * profile.dashScale * believedPace;
  const int startup = profile.passStartup + static_cast<int>(turn + speed / (2 * believedThrust));
  return watch.leaving(now + hesitation, speed, startup, profile.passSlack) == WayWatch::Verdict::through;
}

ofxVec2f Novice::veerFromWalls(const Motion& ship) const {
  const ofxVec2f later(ship.pos.x + ship.vel.x * profile.foresight,
                       ship.pos.y + ship.vel.y * profile.foresight);
  ofxVec2f away;
  for (const ofxVec2f& p : {ship.pos, later}) {
    float nearest = profile.wary;
    ofxVec2f from;
    for (const WallLine& w : course.walls) {
      const ofxVec2f q = nearestOnSegment(p, w.a, w.b);
      const float d = length(p - q);
      if (d < nearest) nearest = d, from = q;
    }
    if (nearest >= profile.wary || nearest == 0) continue;
    const float push = profile.veer * (profile.wary - nearest) / profile.wary / nearest;
    away += ofxVec2f((p.x - from.x) * push, (p.y - from.y) * push);
  }
  return away;
}

float Novice::cornerSpeed(float speed) const {
  if (to + 1 >= course.route.size()) return speed;
  const ofxVec2f here = course.route[to].centre();
  const ofxVec2f in = here - legStart, out = course.route[to + 1].centre() - here;
  const float spans = length(in) * length(out);
  if (spans == 0) return speed;
  const float bend = (in.x * out.x + in.y * out.y) / spans;  // the cosine of the turn
  return speed * std::fmax(profile.cornerSlowest, bend);
}

void Novice::advance() {
  dashing = false;
  legStart = course.route[to].centre();
  ++to;
}

void Novice::resume(const ofxVec2f& pos) {
  const std::vector<RoutePoint>& route = course.route;
  // The leg into each point; the first point's is the point itself. On a
  // near tie the earlier point wins: a person starts from what is ahead.
  size_t best = 0;
  float bestDistance = 1e9f;
  for (size_t i = 0; i < route.size(); ++i) {
    const ofxVec2f from = i == 0 ? route[0].centre() : route[i - 1].centre();
    const float d = distanceToSegment(pos, from, route[i].centre());
    if (d < bestDistance - 5) {
      best = i;
      bestDistance = d;
    }
  }
  if (route[best].contains(pos) && best + 1 < route.size()) ++best;
  to = best;
  dashing = false;
  legStart = best == 0 ? pos : route[best - 1].centre();
  mode = Mode::flying;
  move = Move{};
}

bool Novice::fits(const Move& m, int now) const {
  std::vector<int> changes;
  Keys was = held;
  for (int f = now; f <= m.end(); ++f) {
    const Keys k = m.at(f);
    if (!(k == was)) changes.push_back(f);
    was = k;
  }
  return rate.fits(changes);
}

ofxVec2f Novice::wantedVelocity(const Motion& ship) const {
  const RoutePoint& point = course.route[to];
  const bool stop = point.stop || mode == Mode::waiting;
  const ofxVec2f d = point.centre() - ship.pos;
  const float distance = length(d);
  float speed = point.cap * (dashing ? profile.dashScale : profile.capScale);
  const float arrival = stop ? 0 : cornerSpeed(speed);
  // Slow enough to stop in the distance left, after turning round for it.
  const float t = profile.turnRound, b = profile.brake;
  const float stopping = b * (std::sqrt(t * t + 2 * std::fmax(0.0f, distance - 2) / b) - t);
  speed = std::fmin(speed, arrival + stopping);
  ofxVec2f wanted = distance > 0.5f ? ofxVec2f(d.x / distance * speed, d.y / distance * speed) : ofxVec2f();
  return wanted + veerFromWalls(ship);
}

void Novice::decide(const Motion& ship, float fuel, int now) {
  nextLook = now + uniform(profile.lookMin, profile.lookMax);
  const ofxVec2f wanted = wantedVelocity(ship);
  const ofxVec2f pull = pullAt(course, ship.pos);
  ofxVec2f need(wanted.x - ship.vel.x - pull.x * profile.lookAhead,
                wanted.y - ship.vel.y - pull.y * profile.lookAhead);
  // Under gravity a person leaves going down to gravity and keeps the nose
  // above the horizon.
  if (course.gravity && need.y > 0) need.y = 0;
  const float needed = length(need);

  // Heading 0 thrusts towards -y; the nose comes to rest turnSpeed / (1 -
  // damping) further on, and each frame a turn key is held adds turnAccel
  // / (1 - damping) to that.
  const float aim =
      std::atan2(need.x, -need.y) * degreesPerRadian + std::normal_distribution<float>(0, profile.aimError)(random);
  const float error = wrapDegrees(aim - (ship.angle + ship.turnSpeed / (1 - course.turnDamping)));
  // A need too small to act on has no direction worth turning to, and a
  // long turn is worth a larger need.
  const bool turnWorth =
      needed > profile.smallestNeed * (1 + std::fabs(error) / 30) && std::fabs(error) > profile.aimTolerance;
  const float perFrame = course.turnAccel / (1 - course.turnDamping);
  int turn = turnWorth ? static_cast<int>(std::lround(std::fabs(error) / perFrame)) : 0;
  if (turn > 0 && turn < profile.shortestTap) turn = profile.shortestTap;

  const float power = fuel > 0 ? believedThrust : believedThrust / 4;
  const float misjudged = std::fmax(0.3f, std::normal_distribution<float>(1, profile.thrustError)(random));
  int burst = std::min(profile.longestBurst, static_cast<int>(std::lround(needed / power * misjudged)));
  if (burst < profile.shortestTap / 2) burst = 0;
  if (burst > 0 && burst < profile.shortestTap) burst = profile.shortestTap;
  // Thrust with the nose well off would push the wrong way.
  if (turn == 0 && std::fabs(error) > 30) burst = 0;
  choose(error < 0 ? -turn : turn, burst, std::fabs(error) < 30, now);
}

void Novice::choose(int turn, int burst, bool noseNearly, int now) {
  Move full;
  full.turn = turn < 0 ? -1 : 1;
  full.turnFrom = now;
  full.turnTo = now + std::abs(turn);
  // A small turn and the burst start together; after a larger one the
  // burst waits for the nose.
  full.thrustFrom = std::abs(turn) <= profile.shortestTap ? now : full.turnTo;
  full.thrustTo = full.thrustFrom + burst;
  Move turnOnly = full;
  turnOnly.thrustTo = turnOnly.thrustFrom;
  Move thrustOnly = full;
  thrustOnly.turnTo = now;
  thrustOnly.thrustFrom = now;
  thrustOnly.thrustTo = now + burst;
  // When the second has no room for the whole move, thrusting on with the
  // nose a little off beats stopping to turn.
  std::vector<Move> choices = {full};
  if (noseNearly) choices.push_back(thrustOnly);
  choices.push_back(turnOnly);
  for (const Move& m : choices) {
    if (fits(m, now)) {
      move = m;
      return;
    }
  }
  // Nothing new fits in the second: the move under way goes on.
}
