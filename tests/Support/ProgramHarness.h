// ProgramHarness.h - runs the game program Cardolia_DX9 as a player would,
// for program tests: a private X server per test (Xvfb without key
// auto-repeat, its display found through -displayfd), the program started
// from the build folder with a private HOME and data folder, its own LANG,
// CARDOLIA_HEADLESS=1 (message boxes log and take their default),
// SDL_AUDIODRIVER=dummy and the update service on a loopback server of the
// harness (CARDOLIA_SITE_URL; it answers that there is no new version, so no
// start waits on the network); input through xdotool; screenshots read with
// XGetImage and written as PNG.
// Every wait is bounded. The log file of the run can be read at any time.
//
// Use: one harness per test; StartDisplay, StartProgram, then waits,
// clicks, keys and screenshots; the destructor ends the program and the
// server (SIGTERM, then SIGKILL after a grace time).
//
// State: the server's and the program's process ids, the display number,
// the private folders.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/Support/HttpTestServer.h"

class ProgramHarness {
 public:
  // The program's folders live in home (created when missing).
  explicit ProgramHarness(std::string home);
  ~ProgramHarness();
  ProgramHarness(const ProgramHarness&) = delete;
  ProgramHarness& operator=(const ProgramHarness&) = delete;

  // A private Xvfb of the given size; false when it does not come up
  // within 10 s.
  bool StartDisplay(int width = 1024, int height = 768);
  // Starts build/Cardolia_DX9 with the arguments; lang is its LANG (LC_ALL
  // and LC_MESSAGES are cleared). The log of an earlier run is removed
  // first. False when it cannot be started.
  bool StartProgram(const std::vector<std::string>& args = {}, const std::string& lang = "en_US.UTF-8");
  // An environment variable for the program's next start (after the
  // harness's own).
  void SetProgramEnv(const std::string& name, const std::string& value);
  // A variable the program's next start goes without (the harness's own
  // included).
  void UnsetProgramEnv(const std::string& name);
  // The program's stderr goes to the file from its next start on (made
  // anew), instead of the test's.
  void SendProgramStderrTo(const std::string& path);
  // Waits until the log holds the text; false after the time.
  bool WaitForLog(const std::string& text, double seconds);
  // Waits until the program ended; its exit code, or -1000 after the time.
  int WaitForExit(double seconds);
  // Sends SIGKILL to the program (a crash) and reaps it.
  void KillProgram();
  // Sends a signal to the running program (SIGTERM as a logout sends it);
  // false when no program runs.
  bool SignalProgram(int signalNumber);
  bool IsProgramRunning();
  // Ends the private X server under the running program (the display goes
  // away, as at a logout) and reaps it; false when none runs.
  bool StopDisplay();

  // Input at a point of the game's virtual 640 x 480 screen (mapped to the
  // display's size), or keys by xdotool name ("Return", "Escape").
  bool ClickVirtual(float x, float y);
  bool MoveVirtual(float x, float y);
  // A click as a quick player or an input tool makes it: the pointer put
  // there first, then the press, the release and a move 40 pixels to the
  // right in one instant (one xdotool command).
  bool ClickAndMoveAwayVirtual(float x, float y);
  // The same where the pointer rests, without putting it anywhere first.
  bool ClickHereAndMoveAway();
  // The left button pressed or released where the pointer is; a drag from
  // one point to another in small steps with the button held.
  bool MouseDown();
  bool MouseUp();
  bool DragVirtual(float fromX, float fromY, float toX, float toY);
  bool Key(const std::string& keys);
  // Types a UTF-8 text; its characters beyond ASCII are first given keys of
  // the display's keyboard map, as a keyboard layout that has them does.
  bool Type(const std::string& text);
  // Sleeps: pacing between inputs only. A test never sleeps before an
  // assertion; it waits for what it needs (below).
  static void Settle(double seconds = 0.4);

  // ---- Bounded waits. Each polls until what it waits for is there and gives
  // false (WaitForWindow an id of 0) after the time; a test asserts on the
  // result and says what it waited for. A time a test names is what the
  // step takes at most on a quiet machine; every wait allows Patience()
  // times as much, for a machine busy with twice its cores' work and the
  // sanitizers (a wait ends as soon as its thing is there, so only a
  // failing test pays for it). How quick a step is belongs to the
  // benchmark, not to these bounds.
  static double Patience() { return 4.0; }
  // Waits until the condition holds, asking it every pollSeconds.
  static bool WaitUntil(const std::function<bool()>& condition, double seconds, double pollSeconds = 0.025);
  // Waits until the colour at a point of the virtual screen passes the test
  // (its red, green and blue, 0-255).
  bool WaitForPixel(float x, float y, const std::function<bool(int r, int g, int b)>& test, double seconds);
  // Waits until some pixel of a rectangle of the virtual screen (left, top
  // inclusive) passes the test.
  bool WaitForPixelIn(float left, float top, float right, float bottom,
                      const std::function<bool(int r, int g, int b)>& test, double seconds);

  // True once a top-level window is mapped and viewable on the display.
  bool IsWindowMapped();
  // A viewable top-level window whose title is the text and whose height
  // is at least minHeight: its id and place on the display; 0 when none.
  struct WindowPlace {
    unsigned long id = 0;
    int x = 0, y = 0, width = 0, height = 0;
  };
  WindowPlace FindWindow(const std::string& title, int minHeight = 0);
  // The same on any display (":<number>"), for tests that run their own.
  static WindowPlace FindWindowOn(const std::string& display, const std::string& title, int minHeight = 0);
  // Waits for such a window.
  WindowPlace WaitForWindow(const std::string& title, int minHeight, double seconds);
  // The start-up dialog ("Free Cardolia 3D", taller than the updater's
  // small window) once it is on the screen and its PLAY button drawn (the
  // caption's dark pixels): it takes a click then. Id 0 after the time.
  WindowPlace WaitForStartupDialog(double seconds);
  // A click at a point of the start-up dialog given in its dialog units
  // (it is 254 wide; PLAY's middle is at 126, 255).
  bool ClickInDialog(const WindowPlace& dialog, double unitsX, double unitsY);
  // The pointer put at a display pixel.
  bool MovePixel(int x, int y);
  // A click at a display pixel; keys typed into a window after giving it
  // the keyboard.
  bool ClickPixel(int x, int y);
  bool KeyInto(unsigned long window, const std::string& keys);
  // Gives the keyboard focus to a top-level window, or with 0 to the
  // display's root, as a player's turn to another program takes it away;
  // false when that cannot be asked.
  bool GiveFocus(unsigned long window);
  // Gives a top-level window a new size, as a player's drag of its edge
  // ends; false when that cannot be asked.
  bool ResizeWindow(unsigned long window, int width, int height);
  // Puts a top-level window's corner at a display pixel, as a player's drag
  // of its title bar ends; false when that cannot be asked.
  bool MoveWindow(unsigned long window, int x, int y);
  // The program's peak resident memory (VmHWM) in KiB; -1 when unknown.
  long ProgramPeakMemoryKiB() const;
  // The running program's process id, -1 when none was started or it ended.
  int ProgramPid() const { return programPid_; }
  // Waits until the point of the virtual screen is no longer black (the
  // screen there has been drawn); false after the time.
  bool WaitUntilDrawn(float x, float y, double seconds, double pollSeconds = 0.05);
  // Saves the whole display as a PNG; false on failure.
  bool Screenshot(const std::string& pngPath);
  // The whole display's colours (0xRRGGBB, rows top first); empty on
  // failure.
  std::vector<unsigned long> Pixels();
  // The colour (0xRRGGBB) at a point of the virtual screen; -1 on failure.
  long PixelVirtual(float x, float y);

  // The program's per-user folder ("<home>/data/Quarnix/Free Cardolia 3D").
  std::string UserFolder() const;
  std::string LogText() const;
  // The log's error lines (" <ERROR> "), each ending in a newline; "" when
  // there are none.
  std::string LogErrorLines() const;
  // True when the log has an error line (" <ERROR> ").
  bool LogHasError() const;
  const std::string& Display() const { return display_; }
  // The update service the program asks ("<script path>" answers "No new
  // version exists at this time."); a test may answer otherwise.
  HttpTestServer& UpdateService() { return updateService_; }

 private:
  bool RunXdotool(const std::vector<std::string>& args);

  using Clock = std::chrono::steady_clock;

  std::string home_;
  std::string display_;
  int width_ = 1024, height_ = 768;
  int serverPid_ = -1;
  int programPid_ = -1;
  int exitCode_ = -1000;
  std::vector<std::pair<std::string, std::string>> env_;
  std::vector<std::string> unset_;
  std::string stderrPath_;
  HttpTestServer updateService_;
  // The last click, which a click near it must not turn into a double one.
  Clock::time_point lastClick_{};
  int lastClickX_ = -1000, lastClickY_ = -1000;
};
