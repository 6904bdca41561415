// PlayRun.h - what the program tests of play share: a player written as
// the game writes one (Ann of Germany, settings that ask for no start-up
// dialog), the way from the player selection to a dealt table, and bounded
// waits for a pixel of the virtual 640 x 480 screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "App/Resolution.h"
#include "tests/Program/TablePoint.h"
#include "tests/Support/ProgramHarness.h"

struct UserRecord;
struct Gen;

namespace playrun {

// The red, green and blue of a colour of ProgramHarness::PixelVirtual.
struct Rgb {
  int r = 0, g = 0, b = 0;
};
Rgb Split(long colour);

// Writes Ann's profile (changed by edit before it is written) and the
// settings into the per-user folder: no start-up dialog, a passed Internet
// test, full screen at 1024 x 768 unless editSettings says otherwise.
void WritePlayer(const std::string& folder, const std::function<void(UserRecord&)>& edit = {},
                 const std::function<void(ResolutionSettings&)>& editSettings = {});
// Writes those settings alone (changed by editSettings before they are
// written), the folder made first.
void WriteSettings(const std::string& folder, const std::function<void(ResolutionSettings&)>& editSettings = {});

// The bytes of one enciphered record block as the game's files hold it (the
// cipher started by the caller).
std::string EncryptedBlock(const std::uint8_t* plain, std::size_t size);
// Writes the bytes as the file at path, making its folders first.
void WriteCreatingFolders(const std::string& path, const std::string& bytes);
// Writes the game record as the game writes a saved game (the version
// float, then the record's image enciphered; the cipher started by the
// caller) to path; false when it cannot be written.
bool WriteSavedGame(Gen& g, const std::string& path);

// Waits until the pixel at (x, y) passes the test; false after the time.
bool WaitForPixel(ProgramHarness& h, float x, float y, const std::function<bool(Rgb)>& test,
                  double seconds);

// The green of the toolkit's buttons (the main menu's New Game, the in-game
// menu's rows).
bool IsButtonGreen(Rgb c);

// The main menu, known by three colours that only it shows together: its
// bright gold title at the top left, the black between the title and the
// game's name, and New Game's green. The celebration's colour-cycling
// background and its cards pass any one of them (New Game's green most of
// all), never all three at once; a popup over the menu dims the title.
bool ShowsMainMenu(ProgramHarness& h);
// Waits until the main menu shows (ShowsMainMenu); false after the time.
bool WaitForMainMenu(ProgramHarness& h, double seconds);

// From the start of the program to Ann's main menu, then New Game: false
// (with the screen saved as <name>.png in the screenshots folder) when a
// step does not come within its time.
bool StartToTable(ProgramHarness& h, const std::string& shots, const std::string& name);
// The same from the main menu: its New Game, then the table.
bool StartToTableFromMenu(ProgramHarness& h, const std::string& shots, const std::string& name);

// From the start of the program to Ann's saved game: Continue Player, then
// Continue Game once the menu offers it, the pointer moved off the menu;
// false (with the screen saved as <name>.png) when a step does not come
// within its time.
bool StartToSavedGame(ProgramHarness& h, const std::string& name);

// Alt+Enter, and the wait for the program to have made its window and
// device anew; false after the time.
bool SwitchWithAltEnter(ProgramHarness& h);

// The folder screenshots go to (<build>/screenshots/), made when missing.
std::string ScreenshotFolder();
// What the screen and the log showed when a wait ran out: the screen saved
// as <name>.png in the screenshots folder, and the log's last lines.
std::string WhatWasShown(ProgramHarness& h, const std::string& name);

// The game's window on a display of the given width, and its virtual
// 640 x 480 space: for the tests that play in a window.
class GameWindow {
 public:
  GameWindow(ProgramHarness& h, int displayWidth) : h_(h), displayWidth_(displayWidth) {}
  // Waits for a window of the title of at least 300 pixels whose place
  // passes the test; false after the time.
  bool WaitFor(const std::function<bool(const ProgramHarness::WindowPlace&)>& test, double seconds);
  int PixelX(float x) const { return place_.x + static_cast<int>(x * place_.width / 640); }
  int PixelY(float y) const { return place_.y + static_cast<int>(y * place_.height / 480); }
  bool Click(float x, float y) { return h_.ClickPixel(PixelX(x), PixelY(y)); }
  Rgb Pixel(float x, float y);
  bool WaitForPixel(float x, float y, const std::function<bool(Rgb)>& test, double seconds);
  const ProgramHarness::WindowPlace& Place() const { return place_; }

 private:
  ProgramHarness& h_;
  int displayWidth_;
  ProgramHarness::WindowPlace place_;
};

}  // namespace playrun
