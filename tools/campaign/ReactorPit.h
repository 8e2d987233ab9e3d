#pragma once
// The measurements of the reactor pit in the escape level, shared by the
// level that carves it (levels/Escape.cpp) and the models that flood it and
// shut it (ReactorPit.cpp), so the molten fill meets the rock and the gate
// spans the way out. Level pixels.

class LevelData;

namespace reactorPit {
// The round hall at the bottom of the pit, where the cell is taken.
constexpr float hallX = 130, hallY = 235, hallRadius = 70;
// The shaft up from the hall to the passage along the top that leads left
// to the exit; the gate closes across the passage in front of the exit.
constexpr float shaftHalf = 37;
constexpr float passageLeft = 18, passageTop = 18, passageBottom = 102;
constexpr float gateX = 64, gateY = (passageTop + passageBottom) / 2;

// The countdown, in steps of the two play-once models (the game moves a
// model on at most once per 250 ms, so a step lasts 256 ms on 16 ms frames).
constexpr int stepMs = 250;
// The fill waits, then rises at a steady pace and reaches the passage's
// ceiling at `fillFull`; the gate, shut until the cell is taken, opens by
// `gateOpen` and closes again from `gateStarts` to `gateShut`;
// the last steps hold everything under the fill for longer than the half
// second a wreck takes to come back: a play-once model that has ended is
// taken out of the level, and then nothing would restart the countdown.
constexpr int fillHold = 4, gateOpen = 3, gateStarts = 24, gateShut = 32, fillFull = 40, steps = 47;
}  // namespace reactorPit

// The models of the pit: "pit_gate_shut", the gate standing shut before
// the cell is taken, placed at (gateX, gateY); and the two play-once models
// of the countdown, "meltdown", the molten fill rising from the hall up the
// shaft and along the passage, placed at the hall's centre, and "pit_gate",
// the gate opening and closing again, placed where the shut one stood. All
// are solid; the two run `steps` steps, so they start together when the
// cell is taken and again whenever the ship comes back.
void reactorModels(LevelData& data);
