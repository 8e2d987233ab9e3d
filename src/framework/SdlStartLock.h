#pragma once
// SDL serves two parts of the program, the gamepads and the sound output,
// and the sound output starts on a thread of its own. SDL's start-up and its
// hints are not safe against two threads at once, so whoever starts, stops
// or sets up SDL holds this lock meanwhile.

#include <mutex>

std::mutex& sdlStartLock();
