#pragma once
// One environment variable set (or unset) for the life of the object and
// put back as it was afterwards, so tests can choose folders like
// XDG_DATA_HOME without leaking into the tests after them.

#include <cstdlib>
#include <optional>
#include <string>

class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::optional<std::string>& value) : name(name) {
    if (const char* old = std::getenv(name)) previous = old;
    set(value);
  }
  ~ScopedEnvironment() { set(previous); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  void set(const std::optional<std::string>& value) {
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  const char* name;
  std::optional<std::string> previous;
};
