// Telling whether a sound server runs, from the socket it listens on.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "audio/SoundServer.h"
#include "support/ScratchFolder.h"

namespace {
namespace fs = std::filesystem;

// A Unix socket made at path, listening or not; closed with the object. A
// socket nobody listens on any more is what a server that died leaves.
struct SocketFile {
  int fd = -1;
  SocketFile(const std::string& path, bool listening) {
    fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << path;
    if (listening) {
      EXPECT_EQ(listen(fd, 4), 0);
    }
  }
  ~SocketFile() { close(fd); }
};
}  // namespace

TEST(SoundServer, OnlyASocketAServerListensOnCounts) {
  struct Case {
    const char* name;
    const char* kind;  // what is at the server's place: "listening", "dead", "file", ""
    bool listening;
  };
  const Case cases[] = {
      {"pulse/native", "listening", true}, {"pipewire-0", "listening", true},
      {"pulse/native", "dead", false},     {"pulse/native", "file", false},
      {"pipewire-0", "file", false},       {"pulse/native", "", false},
  };
  for (const Case& c : cases) {
    ScratchFolder scratch(false);
    const std::string runtime = scratch.path() + "/run";
    const std::string path = runtime + "/" + c.name;
    fs::create_directories(fs::path(path).parent_path());
    const std::string kind = c.kind;
    std::unique_ptr<SocketFile> socketFile;
    if (kind == "listening" || kind == "dead") {
      socketFile = std::make_unique<SocketFile>(path, kind == "listening");
    } else if (kind == "file") {
      scratch.write("run/" + std::string(c.name), "left over");
    }
    EXPECT_EQ(soundServerListening(runtime), c.listening) << c.name << " " << kind;
  }
}
