#pragma once
// Whether a sound server (PulseAudio, or PipeWire in its stead) runs for
// this user: the sound output asks before it opens a device, so that a
// machine without one is not filled with the drivers' complaints.

#include <string>

// A server listens on its socket in runtimeFolder (XDG_RUNTIME_DIR):
// "pulse/native" or "pipewire-0".
bool soundServerListening(const std::string& runtimeFolder);
