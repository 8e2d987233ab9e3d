// orvane_autopilot: finds an input timeline that finishes the campaign by
// flying the real game headless, and writes it as a text file.
//
//   orvane_autopilot DATA_XML TIMELINE [--pictures FOLDER]
//
// From the title screen (Enter held for two updates, then the fade) the
// pilot flies each level along its route, one leg from route point to
// route point. A leg that ends in a crash or stalls is flown again from the
// saved state with other settings: gentler or faster speed caps, a harder
// response, and at route points marked "wait", a pause before leaving (for
// a piston or a door to open). When no setting gets a leg through, the
// previous leg is flown again with its next setting. The timeline found is
// then replayed from the start through a fresh application to check it and
// to measure the play time. With --pictures, every level is drawn with the
// track flown through it (PPM files).

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Harness.h"
#include "Picture.h"
#include "Pilot.h"

namespace {
struct Setting {
  Steering steering;
  int wait = 0;  // frames hovering at the leg's start
};

// The settings tried for a leg, fastest first.
std::vector<Setting> settingsFor(bool mayWait) {
  const Steering steerings[] = {{1, 0.08f}, {0.8f, 0.08f}, {1, 0.12f},  {1.25f, 0.08f},
                                {0.6f, 0.1f}, {0.8f, 0.14f}, {0.45f, 0.1f}};
  std::vector<Setting> settings;
  for (int wait = 0; wait <= (mayWait ? 180 : 0); wait += 6) {
    for (const Steering& s : steerings) settings.push_back({s, wait});
  }
  return settings;
}

struct Event {
  int frame;
  std::string key;
  bool down;
};

class Flight {
 public:
  explicit Flight(Harness& h) : h(h) {}

  // Flies every level to the finish; false if some leg could not be flown.
  bool flyCampaign();
  const std::vector<Keys>& keys() const { return flown; }
  int firstFrame = 0;

 private:
  enum class Leg { reached, crashed, stalled };
  Leg flyLeg(const std::vector<RoutePoint>& route, size_t to, int level, const Setting& setting);
  void step(const Keys& keys) {
    h.step(keys);
    flown.push_back(keys);
  }

  Harness& h;
  std::vector<Keys> flown;  // one entry per frame of the run
  long simulated = 0;
};

Flight::Leg Flight::flyLeg(const std::vector<RoutePoint>& route, size_t to, int level,
                           const Setting& setting) {
  Game& game = h.run();
  Pilot pilot;
  const bool last = to + 1 == route.size();
  auto arrived = [&] {
    if (game.finishing) return true;
    if (game.levelData->currentLevel != level) return last;
    return !last && route[to].contains(game.pos);
  };
  for (int f = 0; f < setting.wait; ++f) {
    const RoutePoint& from = route[to - 1];
    step(pilot.steer(game, from.centre(), from.cap, true, setting.steering));
    if (game.dying) return Leg::crashed;
  }
  const int limit = 900;
  for (int f = 0; f < limit; ++f) {
    const ofxVec2f before = game.pos;
    step(pilot.steer(game, route[to].centre(), route[to].cap, route[to].stop, setting.steering));
    ++simulated;
    if (game.dying) return Leg::crashed;
    // A teleporter moves the ship on before it is ever inside its route point.
    const bool jumped = game.pos.distance(before) > 30 && game.levelData->currentLevel == level;
    if (arrived() || (jumped && !last)) return Leg::reached;
  }
  return Leg::stalled;
}

bool Flight::flyCampaign() {
  h.startRun();
  firstFrame = h.frame;
  // One start per leg flown so far, across levels: a leg that cannot be
  // flown sends the search back to the leg before it, even in the level before.
  struct Start {
    Snapshot state;
    size_t flownBefore;
    int level;
    size_t to;  // the route point this leg flies to
    size_t nextSetting;
  };
  std::vector<Start> starts;
  starts.push_back({h.save(), 0, h.run().levelData->currentLevel, 0, 0});
  const long budget = 6000000;
  int reported = -1;
  int backtracks = 0;  // legs that had to be flown again with another setting
  while (!starts.empty() && simulated < budget) {
    Start& start = starts.back();
    const Level& level = start.state.data.levels[start.level];
    const std::vector<RoutePoint> route = routeOf(level);
    if (route.empty()) {
      std::fprintf(stderr, "level %s has no route\n", level.guid.c_str());
      return false;
    }
    const std::vector<Setting> settings = settingsFor(start.to > 0 && route[start.to - 1].wait);
    if (start.nextSetting >= settings.size()) {
      ++backtracks;
      starts.pop_back();
      continue;
    }
    h.restore(start.state);
    flown.resize(start.flownBefore);
    const Leg leg = flyLeg(route, start.to, start.level, settings[start.nextSetting++]);
    if (leg != Leg::reached) continue;
    Game& game = h.run();
    if (game.finishing) break;
    const int now = game.levelData->currentLevel;
    if (now != start.level && now > reported) {
      reported = now;
      std::printf("  reached %-12s at frame %zu (%ld frames simulated, %d legs flown again)\n",
                  game.levelData->levels[now].guid.c_str(), flown.size(), simulated, backtracks);
    }
    const size_t to = now == start.level ? start.to + 1 : 0;
    starts.push_back({h.save(), flown.size(), now, to, 0});
  }
  if (!h.run().finishing) {
    std::fprintf(stderr, "no way found through %s\n",
                 h.run().levelData->getCurrentLevel().guid.c_str());
    return false;
  }
  while (!h.game().showingScores() && flown.size() < 2000000) step(Keys{});
  return h.game().showingScores();
}

std::vector<Event> eventsOf(const Flight& flight) {
  std::vector<Event> events = {{0, "enter", true}, {2, "enter", false}};
  Keys was;
  const std::pair<bool Keys::*, const char*> keys[] = {
      {&Keys::up, "up"}, {&Keys::left, "left"}, {&Keys::right, "right"}};
  for (size_t i = 0; i < flight.keys().size(); ++i) {
    const Keys& now = flight.keys()[i];
    for (const auto& [flag, name] : keys) {
      if (now.*flag != was.*flag) {
        events.push_back({flight.firstFrame + static_cast<int>(i), name, now.*flag});
      }
    }
    was = now;
  }
  return events;
}

struct Replay {
  bool finished = false;
  int finishFrame = 0;
  float playTime = 0, fuel = 0;
  int deaths = 0;
  std::set<std::string> levels;
  std::map<int, std::vector<ofxVec2f>> tracks;
};

// Plays the events through a fresh application, as the playthrough test does.
Replay replay(const std::string& dataFile, const std::vector<Event>& events) {
  Harness h(dataFile);
  Replay r;
  size_t next = 0;
  bool wasDying = false;
  while (!h.game().showingScores() && h.frame < 200000) {
    while (next < events.size() && events[next].frame == h.frame) {
      const int code = keyCode(events[next].key);
      events[next].down ? h.press(code) : h.release(code);
      ++next;
    }
    h.update();
    Game& game = h.run();
    if (h.game().playing()) {
      r.levels.insert(game.levelData->getCurrentLevel().guid);
      r.tracks[game.levelData->currentLevel].push_back(game.pos);
      if (game.dying && !wasDying) ++r.deaths;
      wasDying = game.dying;
    }
  }
  r.finished = h.game().showingScores();
  r.finishFrame = h.frame;
  r.playTime = h.run().playTime;
  r.fuel = h.run().fuel;
  return r;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: orvane_autopilot DATA_XML TIMELINE [--pictures FOLDER]\n");
    return 2;
  }
  const std::string dataFile = argv[1], timelineFile = argv[2];
  const std::string pictures = argc > 4 && std::string(argv[3]) == "--pictures" ? argv[4] : "";

  std::vector<Event> events;
  {
    Harness h(dataFile);
    Flight flight(h);
    std::printf("flying %s\n", dataFile.c_str());
    const bool finished = flight.flyCampaign();
    if (!pictures.empty()) {
      for (size_t l = 0; l < h.run().ownData.levels.size(); ++l) {
        drawLevel(h.run().ownData, static_cast<int>(l), {}, pictures + "/level" + std::to_string(l) + ".ppm");
      }
    }
    if (!finished) return 1;
    events = eventsOf(flight);
  }

  const Replay check = replay(dataFile, events);
  if (!pictures.empty()) {
    Harness h(dataFile);
    h.startRun();
    for (const auto& [level, track] : check.tracks) {
      drawLevel(h.run().ownData, level, track, pictures + "/level" + std::to_string(level) + ".ppm");
    }
  }
  if (!check.finished) {
    std::fprintf(stderr, "the replayed timeline did not reach the score screen\n");
    return 1;
  }
  std::ofstream out(timelineFile);
  out << "# Orvane: an input timeline that finishes the campaign in data/data.xml.\n"
      << "# Written by orvane_autopilot (tools/autopilot, run by tools/make_campaign.sh).\n"
      << "# Each line: <frame> <key> <down|up>. A frame is one update of the application,\n"
      << "# counted from 0 after setup, 16 ms of the clock apart; an event comes before\n"
      << "# the update of its frame.\n"
      << "# Expected: score screen at frame " << check.finishFrame << ", play time "
      << static_cast<int>(check.playTime * 10) / 10.0 << " s, " << check.deaths << " deaths, "
      << check.levels.size() << " levels visited.\n";
  for (const Event& e : events) out << e.frame << ' ' << e.key << ' ' << (e.down ? "down" : "up") << '\n';
  std::printf("finished: score screen at frame %d, play time %.1f s, fuel left %.2f, %d deaths, "
              "%zu levels, %zu events\n",
              check.finishFrame, check.playTime, check.fuel, check.deaths, check.levels.size(), events.size());
  return 0;
}
