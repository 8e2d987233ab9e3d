// Starts the real game and reports how long it takes from exec to the first
// drawn frame, and the most memory it holds in its first seconds.
// Usage: orvane_startup_probe [seconds [game options...]]   (run from the
// repository root, on an X display; prints "first_frame_ms N",
// "peak_rss_mb N" and "allocated_mb N", the part of the resident memory not
// mapped from files). With "--test-pattern" it measures an empty GL window,
// the yardstick for the game's own share.

#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {
double monotonicMillis() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1000.0 + ts.tv_nsec / 1.0e6;
}

// The first frame's wall-clock time from the game's frame log, or -1.
double firstFrameMillis(const std::string& log) {
  std::ifstream in(log);
  int frame;
  double wall, cpu;
  return in >> frame >> wall >> cpu ? wall : -1;
}

// A field of /proc/PID/status in kB ("VmHWM:" peak resident memory,
// "RssAnon:" memory allocated by the process rather than mapped from files).
long statusKb(pid_t pid, const std::string& field) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string key;
  long value = -1;
  while (status >> key) {
    if (key == field) {
      status >> value;
      break;
    }
  }
  return value;
}
}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 3;
  const std::string log = "/tmp/orvane-startup-" + std::to_string(getpid()) + ".log";
  std::remove(log.c_str());
  const double started = monotonicMillis();
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> args = {const_cast<char*>(ORVANE_BINARY), const_cast<char*>("--frame-log"),
                               const_cast<char*>(log.c_str())};
    for (int i = 2; i < argc; ++i) args.push_back(argv[i]);
    args.push_back(nullptr);
    execv(ORVANE_BINARY, args.data());
    _exit(127);
  }
  double first = -1;
  for (int waited = 0; waited < 10000 && first < 0; waited += 5) {
    usleep(5000);
    first = firstFrameMillis(log);
  }
  usleep(static_cast<useconds_t>(seconds) * 1000000);
  const long peak = statusKb(pid, "VmHWM:");
  const long allocated = statusKb(pid, "RssAnon:");
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  std::remove(log.c_str());
  if (first < 0) {
    std::fprintf(stderr, "the game drew no frame\n");
    return 1;
  }
  std::printf("first_frame_ms %.1f\npeak_rss_mb %.1f\nallocated_mb %.1f\n", first - started,
              peak / 1024.0, allocated / 1024.0);
  return 0;
}
