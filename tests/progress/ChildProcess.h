#pragma once
// Part of a test run in a child process: a second game saving beside this
// one, or a player who is not root (root reads any file whatever its
// permission bits say). gtest's checks would be lost with the child, so the
// body says in words what went wrong ("" when nothing did) and the parent
// gets those words back.

#include <fcntl.h>
#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <functional>
#include <string>

#include "progress/RecordWriter.h"

struct ChildProcess {
  pid_t pid = -1;
  int words = -1;  // the read end of the pipe the child's words come through
};

// Starts body in a child. The writer thread is idle first: a child copies
// no thread, and must not inherit a job half done.
inline ChildProcess startChild(const std::function<std::string()>& body) {
  flushRecordJobs();
  std::fflush(stdout);
  int ends[2];
  if (pipe(ends) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    close(ends[0]);
    // Nothing may leave the child by an exception: it would go on to run
    // the rest of the tests.
    std::string said;
    try {
      said = body();
    } catch (const std::exception& e) {
      said = std::string("the child threw: ") + e.what();
    } catch (...) {
      said = "the child threw";
    }
    if (!said.empty()) (void)!write(ends[1], said.data(), said.size());
    std::fflush(stdout);
    _exit(said.empty() ? 0 : 1);
  }
  close(ends[1]);
  return {pid, ends[0]};
}

// True once the child has ended; `words` then holds what it said.
inline bool childEnded(const ChildProcess& child, std::string& words, bool wait) {
  int status = 0;
  const pid_t ended = waitpid(child.pid, &status, wait ? 0 : WNOHANG);
  if (ended == 0) return false;
  char buffer[4096];
  for (ssize_t n; (n = read(child.words, buffer, sizeof buffer)) > 0;) {
    words.append(buffer, static_cast<size_t>(n));
  }
  close(child.words);
  if (ended < 0 || !WIFEXITED(status) || (WEXITSTATUS(status) != 0 && words.empty())) {
    words += "the child process did not end normally";
  }
  return true;
}

// What body said, run to its end in a child.
inline std::string inChild(const std::function<std::string()>& body) {
  std::string words;
  const ChildProcess child = startChild(body);
  if (child.pid < 0) return "could not start a child process";
  childEnded(child, words, true);
  return words;
}

// What body said, run as the user nobody (when the tests run as root;
// otherwise as the tester), after prepare has set up, as root, what that
// player should find. Files prepare makes for the player are theirs to own.
inline std::string asPlayer(const std::function<void()>& prepare,
                            const std::function<std::string()>& body) {
  return inChild([&]() -> std::string {
    prepare();
    if (geteuid() == 0) {
      const gid_t group = 65534;
      if (setgroups(0, nullptr) != 0 || setgid(group) != 0 || setuid(65534) != 0) {
        return "could not become the user nobody";
      }
    }
    return body();
  });
}
