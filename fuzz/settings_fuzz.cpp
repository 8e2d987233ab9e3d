// Fuzzes the settings file and the key names in it. Whatever its bytes,
// reading the settings, saving them and reading them back must not crash,
// hang or trip a sanitizer; the file saved must read back to the same
// settings with every line used; and every key named reads back as itself.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzScratch.h"
#include "platform/KeyBindings.h"
#include "platform/Settings.h"

using namespace fuzz;

namespace {
void checkKeyNames(const std::string& text) {
  // Each line's value, and the whole input, as a key name.
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const std::string word = text.substr(start, end - start);
    if (const std::optional<int> key = keyNamed(word)) {
      const std::string name = keyName(*key);
      if (!name.empty() && keyNamed(name) != key) fail("a key's name does not name it again");
    }
    start = end + 1;
  }
}

void exercise(const uint8_t* bytes, size_t size) {
  const std::string text(reinterpret_cast<const char*>(bytes), size);
  writeFile("config/orvane/settings", bytes, size);
  Settings settings;
  settings.load();
  if (settings.musicVolume < 0 || settings.musicVolume > 100 || settings.effectsVolume < 0 ||
      settings.effectsVolume > 100) {
    fail("a volume outside 0..100 was taken");
  }
  if (!settings.save()) fail("the settings could not be saved");
  Settings again;
  if (!again.load()) fail("saved settings do not load");
  if (again != settings) fail("saved settings read back as other settings");
  Settings fromText;
  if (fromText.read(settings.text(), "saved") != 0) fail("a saved line could not be used");
  checkKeyNames(text);
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  enterScratchDirectory("settings_fuzz");
  setenv("XDG_CONFIG_HOME", (std::filesystem::current_path() / "config").c_str(), 1);
  std::filesystem::create_directories("config/orvane");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  resetTimeAndRandom();
  exercise(bytes, size);
  std::filesystem::remove_all("config/orvane");
  std::filesystem::create_directories("config/orvane");
  return 0;
}
