#pragma once
// The whole content of one level file: models and levels, the selected level
// and model, and the save counter. A plain value; copying copies everything.
//
// A loaded file may hold no levels, no models, or models without frames.
// Everything here stays safe on such data: getCurrentLevel() and
// getCurrentModel() then return an empty stand-in that is discarded on the
// next call, and hasLevel()/hasModel() tell callers that must not go on
// (a run cannot start without a level).

#include <string>
#include <vector>

#include "framework/ofTypes.h"
#include "level/Level.h"
#include "level/Model.h"

class XmlSettings;

class LevelData {
 public:
  LevelData();  // one new level, one new model
  struct Empty {};
  explicit LevelData(Empty) {}  // no levels, no models: what a loader fills in

  bool hasLevel() const;
  bool hasModel() const;
  Level& getCurrentLevel();
  const Level& getCurrentLevel() const;
  Model& getCurrentModel();
  const Model& getCurrentModel() const;

  void nextLevel();
  void prevLevel();
  void addLevel();
  // Removes the selected level unless it is the only one.
  void removeLevel();
  void nextModel();
  void prevModel();
  void addModel();
  void removeModel();

  // One animation step: the current level's fading walls, the current
  // model's frame walls if stepModelFrame, and every model if animateModels.
  void update(bool animateModels, bool stepModelFrame);
  // Restarts every model at one clock reading.
  void resetAnimations();
  // Places ref in the current level and restarts the models it names.
  void addModelRef(const ModelRef& ref);
  void removeModelRefs(const std::string& guid);
  void removeWarp(int index);

  // Draws the current level and its models; with markers, the editor crosses,
  // labels, zones, receivers and gravity points too. With a rectangle to
  // show, walls wholly outside it are passed over (a zoomed editor shows a
  // small part of a large level).
  void draw(bool showMarkers, const ofRectangle* shown = nullptr) const;
  // The current level's models alone, as draw() draws them after the walls
  // (for play, which may draw the walls another way).
  void drawModels() const;

  // Writes fileName and then its numbered copy "save_<count>.xml" (count
  // raised by one first, and further past numbered copies that are already
  // there: none is written over); the copy goes into fileName's folder. A
  // fileName that does not load is first kept beside as fileName +
  // ".broken" (or the next free ".broken.N").
  // False, with the count as it was and the reason logged, when fileName
  // could not be written. A copy that could not be written is logged and
  // said in copyKept; the save itself stands.
  bool save(const std::string& fileName = "data.xml", bool* copyKept = nullptr);
  // Keeps the file as it is now as the first free numbered copy beside it
  // (its bytes as they are, whatever they hold): what a save is about to
  // write over. keptAs receives its path; false, logged, when it cannot.
  static bool keepAsNumberedCopy(const std::string& fileName, std::string& keptAs);
  // Replaces everything from data/fileName. A file that cannot be read or
  // parsed is logged and leaves the content as it was; returns success.
  bool load(const std::string& fileName);
  // Builds the document a save writes, with count as its Info count, in an
  // empty xml.
  void toXml(XmlSettings& xml, int count) const;

  // Elapsed ms, frame number and a random number, run together as text.
  static std::string makeGuid();
  static ofColor hslToRgb(float h, float s, float l);
  // h, s, l (each 0..1) in the r, g, b fields.
  static ofColor rgbToHsl(const ofColor& c);
  // True when segment A-B crosses P-Q (shared ends, collinear and zero-length
  // segments never do); then x, y receive the crossing point.
  static bool intersectSegments(double ax, double ay, double bx, double by, double px, double py,
                                double qx, double qy, double* x, double* y);

  std::vector<Level> levels;
  std::vector<Model> models;
  int currentLevel = 0;
  int currentModel = 0;
  int saveCount = 0;
};
