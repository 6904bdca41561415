// NewPlayerDeck.cpp - the new player's deck made once and copied (see
// NewPlayerDeck.h).
#include "tests/Support/NewPlayerDeck.h"

#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/Support/ProgramHarness.h"

namespace fs = std::filesystem;

namespace {

const std::string kCache = std::string(CARDOLIA_BUILD_DIR) + "/test-cache";
const std::string kDeck = kCache + "/NewPlayerDeck";
const std::string kStamp = kCache + "/NewPlayerDeck.stamp";

// Places on the virtual 640 x 480 screen, as the new player's road lays
// them out: Create New Player, the name popup's field, Continue, the main
// menu's title and its Exit.
constexpr float kCreateX = 124, kCreateY = 448;
constexpr float kNameFieldX = 237, kNameFieldY = 226;
constexpr float kContinueX = 320, kContinueY = 442;
constexpr float kMenuTitleX = 25, kMenuTitleY = 22.5f;
constexpr float kExitX = 612, kExitY = 458;

bool IsButtonGreen(int r, int g, int b) { return g > r + 25 && g > b + 15; }
bool IsGold(int r, int g, int b) { return r > 100 && g > 70 && r > b + 60; }
bool IsBrightGold(int r, int g, int b) { return r > 200 && g > 170 && b < 150; }

// The program the deck is made with: its size and time of change.
std::string ProgramStamp() {
  const fs::path program = fs::path(CARDOLIA_BUILD_DIR) / "Cardolia_DX9";
  std::error_code error;
  const auto changed = fs::last_write_time(program, error);
  std::ostringstream stamp;
  stamp << fs::file_size(program, error) << ' ' << changed.time_since_epoch().count() << '\n';
  return stamp.str();
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The number of pictures in the folder and below it.
int CountPictures(const std::string& folder) {
  int pictures = 0;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    pictures += it->path().extension() == ".tga";
  }
  return pictures;
}

// Holds the cache's lock file while it lives: one test process makes or
// copies the deck at a time.
class CacheLock {
 public:
  CacheLock() {
    std::error_code error;
    fs::create_directories(kCache, error);
    fd_ = open((kCache + "/NewPlayerDeck.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ >= 0) flock(fd_, LOCK_EX);
  }
  ~CacheLock() {
    if (fd_ >= 0) close(fd_);  // closing lets the lock go
  }
  CacheLock(const CacheLock&) = delete;
  CacheLock& operator=(const CacheLock&) = delete;

 private:
  int fd_ = -1;
};

// Drives the program as a new player until it has made its deck, in a home
// of its own under work; false with why.
bool MakeDeck(const std::string& work, std::string* why) {
  ProgramHarness h(work + "/home");
  const auto failed = [&](const std::string& what) {
    *why = "making the new player's deck: " + what + "\n" + h.LogText();
    return false;
  };
  if (!h.StartDisplay()) return failed("no X server");
  if (!h.StartProgram()) return failed("the program did not start");
  if (!h.WaitForPixel(40, kCreateY, IsButtonGreen, 60)) return failed("no Create New Player");
  h.ClickVirtual(kCreateX, kCreateY);
  if (!h.WaitForPixel(kNameFieldX, kNameFieldY, IsGold, 30)) return failed("no name popup");
  h.Type("Deck");
  h.Key("Return");
  const auto closed = [](int r, int g, int b) { return !IsGold(r, g, b); };
  if (!h.WaitForPixel(kNameFieldX, kNameFieldY, closed, 30)) return failed("the name popup stayed");
  h.ClickVirtual(kContinueX, kContinueY);  // the player is made, then the menu makes the deck
  if (!h.WaitForPixel(kMenuTitleX, kMenuTitleY, IsBrightGold, 300)) return failed("no main menu");
  h.ClickVirtual(kExitX, kExitY);
  if (h.WaitForExit(60) != 0) return failed("the program did not end well");
  const std::string made = h.UserFolder() + "/DeckGen";
  if (CountPictures(made) < 54) return failed("no whole deck (52 faces, back and side) in " + made);
  std::error_code error;
  fs::remove_all(kDeck, error);
  fs::rename(made, kDeck, error);
  if (error) return failed("cannot keep it in " + kDeck + ": " + error.message());
  std::ofstream(kStamp, std::ios::trunc) << ProgramStamp();
  return true;
}

bool PrepareLocked(std::string* why) {
  std::error_code error;
  fs::remove(kStamp, error);
  const std::string work = kCache + "/NewPlayerDeck.work." + std::to_string(getpid());
  fs::remove_all(work, error);
  const bool made = MakeDeck(work, why);
  fs::remove_all(work, error);
  return made;
}

}  // namespace

bool TestPrepareNewPlayerDeck(std::string* why) {
  CacheLock lock;
  return PrepareLocked(why);
}

bool TestUseNewPlayerDeck(const std::string& userFolder, std::string* why) {
  CacheLock lock;
  if (ReadWhole(kStamp) != ProgramStamp() && !PrepareLocked(why)) return false;
  std::error_code error;
  fs::create_directories(userFolder, error);
  fs::copy(kDeck, userFolder + "/DeckGen", fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
  if (error) {
    *why = "copying the new player's deck: " + error.message();
    return false;
  }
  return true;
}
