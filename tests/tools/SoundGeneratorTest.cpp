// The sound generator (tools/sound_generator): the same bytes on every run;
// effects that are heard, never clip, and start and end at zero; an engine
// rumble that blends with the copies of itself the game starts every frame;
// music loops that join without a click, in the files as well; and an
// audio.xml the game can load.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Music.h"
#include "Sequencer.h"
#include "SoundFile.h"
#include "SoundTable.h"

namespace {
using namespace synth;

// A folder of its own under the temporary folder, removed afterwards.
class Scratch {
 public:
  Scratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-sounds-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
    path = pattern;
  }
  ~Scratch() { std::filesystem::remove_all(path); }
  std::string path;
};

std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const Sound& soundTagged(const std::string& tag) {
  for (const Sound& s : soundTable()) {
    if (tag == s.tag) return s;
  }
  throw std::invalid_argument("no sound " + tag);
}

std::vector<std::string> tagsOf(Kind kind) {
  std::vector<std::string> tags;
  for (const Sound& s : soundTable()) {
    if (s.kind == kind) tags.push_back(s.tag);
  }
  return tags;
}

// The loudest root-mean-square level over windows of `window` samples.
double loudestWindow(const Samples& s, long window) {
  double loudest = 0;
  for (long at = 0; at + window <= static_cast<long>(s.size()); at += window / 2) {
    loudest = std::max(loudest, rms(s, at, at + window));
  }
  return loudest;
}

double largestStep(const Samples& s, long from, long to) {
  double step = 0;
  for (long i = std::max(1L, from); i < std::min(to, static_cast<long>(s.size())); ++i) {
    step = std::max(step, static_cast<double>(std::fabs(s[i] - s[i - 1])));
  }
  return step;
}

// How far the last sample of a loop is from its first, and the largest step
// between neighbouring samples within `around` samples of that seam.
struct Seam {
  double jump, nearbyStep;
};
Seam seamOf(const Samples& s, long around) {
  const long n = static_cast<long>(s.size());
  return {std::fabs(s[0] - s[n - 1]), std::max(largestStep(s, 1, around), largestStep(s, n - around, n))};
}

// ---------------------------------------------------------------------------
// Whole runs

TEST(SoundGenerator, WritesTheSameBytesOnEveryRun) {
  Scratch first, second;
  std::string error;
  ASSERT_TRUE(writeAll(first.path, error)) << error;
  ASSERT_TRUE(writeAll(second.path, error)) << error;
  std::vector<std::string> files = {"audio.xml"};
  for (const Sound& s : soundTable()) files.push_back(std::string("sounds/") + s.file);
  for (const std::string& file : files) {
    const std::string a = bytesOf(first.path + "/" + file);
    EXPECT_FALSE(a.empty()) << file;
    EXPECT_TRUE(a == bytesOf(second.path + "/" + file)) << file << " differs between two runs";
  }
}

TEST(SoundGenerator, AudioXmlListsEveryTagOnceAndEveryFileItNamesLoads) {
  Scratch data;
  std::string error;
  ASSERT_TRUE(writeAll(data.path, error)) << error;
  const std::string xml = bytesOf(data.path + "/audio.xml");

  // The game's shape: <BGM> with <bgm tag path> entries, then <SE> with <se ...>.
  const std::regex entry(R"re(^    <(bgm|se) tag="([^"]+)" path="(sounds/[^"]+)"></\1>$)re");
  std::map<std::string, int> seen;
  std::string group;
  std::istringstream lines(xml);
  std::string line;
  while (std::getline(lines, line)) {
    if (line == "<BGM>" || line == "<SE>") {
      group = line;
      continue;
    }
    if (line == "</BGM>" || line == "</SE>") {
      group.clear();
      continue;
    }
    std::smatch m;
    ASSERT_TRUE(std::regex_match(line, m, entry)) << "not an entry: " << line;
    const Sound& sound = soundTagged(m[2]);
    EXPECT_EQ(group, sound.kind == Kind::music ? "<BGM>" : "<SE>") << m[2];
    EXPECT_EQ(m[1], sound.kind == Kind::music ? "bgm" : "se") << m[2];
    ++seen[m[2]];
    int rate = 0;
    const Samples s = readSound(data.path + "/" + m[3].str(), &rate);
    EXPECT_FALSE(s.empty()) << m[3] << " is missing or cannot be read";
    EXPECT_EQ(rate, sampleRate) << m[3];
  }
  for (const Sound& s : soundTable()) EXPECT_EQ(seen[s.tag], 1) << s.tag;
  // The tags the game itself plays.
  for (const char* tag : {"menu", "thruster_start", "thruster_sustained", "fuel", "shaking", "warp", "dying",
                          "respawn"}) {
    EXPECT_EQ(seen[tag], 1) << tag;
  }
}

// ---------------------------------------------------------------------------
// Effects

class EffectTest : public testing::TestWithParam<std::string> {};

TEST_P(EffectTest, IsHeardNeverClipsAndStartsAndEndsAtZeroWithinItsLength) {
  const Sound& sound = soundTagged(GetParam());
  const Samples s = render(sound);
  ASSERT_EQ(static_cast<long>(s.size()), samplesFor(sound.params.seconds));

  const std::vector<short> pcm = toPcm16(s);
  int loudest = 0;
  for (short v : pcm) loudest = std::max(loudest, std::abs(static_cast<int>(v)));
  EXPECT_LT(loudest, 32767);
  EXPECT_NEAR(gainToDb(peak(s)), sound.params.peakDb, 0.05);

  const long n = static_cast<long>(s.size()), window = samplesFor(0.01);
  const double loudestLevel = loudestWindow(s, window);
  EXPECT_GT(gainToDb(loudestLevel), -40.0) << "all but silent";
  EXPECT_EQ(pcm.front(), 0);
  EXPECT_EQ(pcm.back(), 0);
  // Rung out by the end rather than cut off: the last milliseconds are faded
  // whatever the sound does, so look just before them.
  const long fade = samplesFor(0.005);
  const double tail = rms(s, n - fade - window, n - fade);
  EXPECT_LT(gainToDb(tail), gainToDb(loudestLevel) - 10) << "still sounding at the end";
}

INSTANTIATE_TEST_SUITE_P(Table, EffectTest, testing::ValuesIn(tagsOf(Kind::effect)),
                         [](const auto& info) { return info.param; });

// The engine rumble restarts every frame while thrust is held, and the copies
// started before play on. They must add up to one steady sound.
struct Restarts {
  const char* name;
  std::vector<long> (*starts)(int copies);
};

void PrintTo(const Restarts& restarts, std::ostream* out) { *out << restarts.name; }

std::vector<long> everyFrame(int copies) {
  std::vector<long> at;
  for (int i = 0; i < copies; ++i) at.push_back(std::lround(i * sampleRate / 60.0));
  return at;
}
std::vector<long> unevenFrames(int copies) {  // 15 and 18 ms frames in turn
  std::vector<long> at = {0};
  for (int i = 1; i < copies; ++i) at.push_back(at.back() + samplesFor(i % 2 ? 0.015 : 0.018));
  return at;
}
std::vector<long> mixerBlocks(int copies) {  // a mixer that starts sounds every 1024 samples
  std::vector<long> at;
  for (long start : everyFrame(copies)) at.push_back((start + 1023) / 1024 * 1024);
  return at;
}

class SustainedThrusterTest : public testing::TestWithParam<Restarts> {};

TEST_P(SustainedThrusterTest, CopiesStartedEveryFrameBlendIntoOneSteadyRumble) {
  const Samples copy = render(soundTagged("thruster_sustained"));
  // Each copy fades in and out softly.
  const long n = static_cast<long>(copy.size()), tenth = n / 10;
  const double middle = rms(copy, 4 * tenth, 6 * tenth);
  EXPECT_LT(gainToDb(rms(copy, 0, tenth)), gainToDb(middle) - 12) << "starts abruptly";
  EXPECT_LT(gainToDb(rms(copy, n - tenth, n)), gainToDb(middle) - 12) << "stops abruptly";

  const std::vector<long> starts = GetParam().starts(90);
  Samples sum(static_cast<size_t>(starts.back()) + copy.size(), 0.0f);
  for (long at : starts) mixInto(sum, copy, at, 1, false);

  // Where copies overlap as they do while the key is held.
  const long from = static_cast<long>(copy.size()), to = starts.back();
  EXPECT_LT(peak(sum), dbToGain(-3)) << "too close to full scale";

  // A copy that did not start at zero would jump at its start.
  std::vector<double> steps;
  for (long i = from; i < to; ++i) steps.push_back(std::fabs(sum[i] - sum[i - 1]));
  std::sort(steps.begin(), steps.end());
  const double usualStep = steps[steps.size() * 99 / 100];
  for (long at : starts) {
    if (at <= from || at >= to) continue;
    const double jump = std::max(std::fabs(sum[at] - sum[at - 1]), std::fabs(sum[at + 1] - sum[at]));
    ASSERT_LE(jump, 2 * usualStep) << "a click where a copy starts, at sample " << at;
  }

  // An even level: no swell or beat from frame to frame.
  const long window = samplesFor(0.05);
  double quietest = 1, loudest = 0;
  for (long at = from; at + window <= to; at += window / 2) {
    quietest = std::min(quietest, rms(sum, at, at + window));
    loudest = std::max(loudest, rms(sum, at, at + window));
  }
  EXPECT_LT(gainToDb(loudest) - gainToDb(quietest), 4.0) << "the level swings";
  EXPECT_GT(gainToDb(quietest), -40.0) << "hardly heard";

  // A rumble, not a buzz: little of the sound lies above 1 kHz.
  Filter high(Filter::Mode::highpass, 1000), higher(Filter::Mode::highpass, 1000);
  Samples above(sum.size());
  for (size_t i = 0; i < sum.size(); ++i) above[i] = static_cast<float>(higher.process(high.process(sum[i])));
  EXPECT_LT(rms(above, from, to) / rms(sum, from, to), 0.1) << "too much of it is high";
}

INSTANTIATE_TEST_SUITE_P(Frames, SustainedThrusterTest,
                         testing::Values(Restarts{"EveryFrame", everyFrame}, Restarts{"UnevenFrames", unevenFrames},
                                         Restarts{"MixerBlocks", mixerBlocks}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
// Music

class MusicTest : public testing::TestWithParam<std::string> {};

TEST_P(MusicTest, LoopsFor20To40SecondsAndItsEndJoinsItsStart) {
  const Sound& sound = soundTagged(GetParam());
  const Samples s = render(sound);
  const double seconds = static_cast<double>(s.size()) / sampleRate;
  EXPECT_GE(seconds, 20.0);
  EXPECT_LE(seconds, 40.0);
  EXPECT_NEAR(gainToDb(peak(s)), sound.params.peakDb, 0.05);
  const Seam seam = seamOf(s, samplesFor(0.05));
  EXPECT_LE(seam.jump, seam.nearbyStep) << "a click where the loop starts again";
}

TEST_P(MusicTest, TheLoopIsTheMiddleOfTheTunePlayedTwice) {
  // Whatever rings past the end of a pass (releases, echoes) sounds in the
  // next one: the loop is what is heard while the tune plays on.
  const Sound& sound = soundTagged(GetParam());
  const std::map<std::string, Tune (*)()> tunes = {{"menu", music::menuTune},
                                                   {"cave", music::caveTune},
                                                   {"drive", music::driveTune},
                                                   {"deep", music::deepTune},
                                                   {"finale", music::finaleTune}};
  ASSERT_EQ(tunes.count(sound.tag), 1u);
  const Tune tune = tunes.at(sound.tag)();
  Tune twice = tune;
  twice.beats *= 2;
  for (Part& part : twice.parts) part.steps += " | " + part.steps;

  const Samples loop = renderLoop(tune);
  const long n = tuneLength(tune);
  const Samples played = renderOnce(twice, 2.0 * n / sampleRate);
  double mean = 0;
  for (long i = n; i < 2 * n; ++i) mean += played[i];
  mean /= static_cast<double>(n);
  double worst = 0;
  for (long i = 0; i < n; ++i) worst = std::max(worst, std::fabs(played[n + i] - mean - loop[i]));
  EXPECT_LT(worst, 1e-4);
}

TEST_P(MusicTest, TheOggFileKeepsEverySampleAndJoinsWithoutAClick) {
  const Sound& sound = soundTagged(GetParam());
  const Samples s = render(sound);
  Scratch folder;
  const std::string path = folder.path + "/" + sound.file;
  std::string error;
  ASSERT_TRUE(writeOgg(path, s, musicQuality, error)) << error;
  const Samples decoded = readSound(path);
  // Padding would be a gap each time round.
  ASSERT_EQ(decoded.size(), s.size());
  // Lossy coding is off by a little everywhere, by different amounts at the
  // two ends; the seam may move by that much more than the music itself does.
  double codingError = 0;
  for (size_t i = 0; i < s.size(); ++i) codingError += std::pow(decoded[i] - s[i], 2);
  codingError = std::sqrt(codingError / static_cast<double>(s.size()));
  EXPECT_LT(codingError, dbToGain(-40)) << "poor coding";
  const Seam seam = seamOf(decoded, samplesFor(0.05));
  EXPECT_LE(seam.jump, seam.nearbyStep + 2 * codingError) << "a click where the loop starts again";
}

INSTANTIATE_TEST_SUITE_P(Table, MusicTest, testing::ValuesIn(tagsOf(Kind::music)),
                         [](const auto& info) { return info.param; });

// ---------------------------------------------------------------------------
// The sequencer's notation

TEST(Sequencer, NamesNotesInEqualTemperamentFromA440) {
  const struct {
    const char* name;
    double hz;
  } cases[] = {{"A4", 440.0}, {"A3", 220.0}, {"C4", 261.626}, {"C#5", 554.365},
               {"Bb2", 116.541}, {"E1", 41.203}, {"G#6", 1661.219}, {"Cb4", 246.942}};
  for (const auto& c : cases) EXPECT_NEAR(noteHz(c.name), c.hz, 0.01) << c.name;
  for (const char* bad : {"H4", "A", "a4", "A10", "A#", "C#x", "Ab-1", ""}) {
    EXPECT_THROW(noteHz(bad), std::invalid_argument) << bad;
  }
}

TEST(Sequencer, ReadsNotesChordsHoldsRestsAndHits) {
  int steps = 0;
  const std::vector<StepNote> notes = parseSteps("A3 - . C4+E4 - - | x X .", &steps);
  EXPECT_EQ(steps, 9);
  ASSERT_EQ(notes.size(), 5u);
  const struct {
    int step, length;
    double hz, velocity;
  } expected[] = {{0, 2, 220.0, 1}, {3, 3, 261.626, 1}, {3, 3, 329.628, 1}, {6, 1, 0, 0.6}, {7, 1, 0, 1}};
  for (size_t i = 0; i < notes.size(); ++i) {
    EXPECT_EQ(notes[i].step, expected[i].step) << i;
    EXPECT_EQ(notes[i].length, expected[i].length) << i;
    EXPECT_NEAR(notes[i].hz, expected[i].hz, 0.01) << i;
    EXPECT_DOUBLE_EQ(notes[i].velocity, expected[i].velocity) << i;
  }
  for (const char* bad : {"- A3", "A3 . -", "A3 Q4", "A3+ -"}) {
    EXPECT_THROW(parseSteps(bad), std::invalid_argument) << bad;
  }
}

TEST(Sequencer, RefusesAPartThatDoesNotFillTheTune) {
  Tune tune{120, 4, {{[](const Note&) { return Samples(10, 0.1f); }, 1, 2, "A3 - - - C4 - -"}}};
  EXPECT_THROW(renderLoop(tune), std::invalid_argument);
  tune.parts[0].steps += " -";
  EXPECT_NO_THROW(renderLoop(tune));
}

}  // namespace
