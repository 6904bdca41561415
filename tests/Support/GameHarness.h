// GameHarness.h - the game shell run by a program object inside a test: a
// real window and OpenGL device (Mesa under Xvfb), the shell's start-up
// steps, a player made through the application shell (which loads the card
// graphics, generating the deck), then a written variant or a fixture
// set-up dealt with a deal number. Frames are ticked and rendered on the
// test's clock; mouse input goes through the program's input callback;
// pictures are read back from the device and saved as PNG.
//
// The screens stand in (tests/Support/ScreensStandIn): no toolkit screen
// opens, so the table is what every frame draws.
//
// Each harness works in a folder of its own (HOME, the per-user folder and
// the player's documents lie there; Data and Languages are linked in).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class EngProgram;
struct EngFramesArea;

class GameHarness {
 public:
  // folder: an empty folder the harness may use (it becomes the current
  // folder while the harness runs).
  explicit GameHarness(std::string folder);
  ~GameHarness();
  GameHarness(const GameHarness&) = delete;
  GameHarness& operator=(const GameHarness&) = delete;

  // Off: Start generates the deck itself rather than copying in the one an
  // earlier run of this test program generated (the default, to save time).
  void UseDeckCache(bool use) { useDeckCache_ = use; }
  // Off: the start of play leaves out its volume pulse (0.3 s of waiting).
  void UseVolumePulse(bool use) { volumePulse_ = use; }
  // Before Start: the run's Data folder lacks this file (a path inside Data,
  // e.g. "Deck/CardSpace.tga"), to see how the program meets a missing file.
  void HideDataFile(const std::string& path) { hiddenDataFile_ = path; }
  // True when an X display is there to open a window on: this process's
  // private one (tests/Support/XServer.h), started on the first call.
  static bool HaveDisplay();
  // Window and device of this client size, the shell's start-up and the
  // player "Tester", made on the first start in this folder and loaded on
  // later ones (the start of play loads the graphics). deckQuality (0-3) is
  // the card texture quality.
  bool Start(int width, int height, int deckQuality = 1);
  // Deals game (0-83) with the deal number; with a set-up function it
  // stands in for the game's own set-up. The deal is played out (animated
  // when animate, else placed at once); the program is then in play.
  bool Deal(int game, unsigned deal, void (*setup)() = nullptr, bool animate = false);
  // Ticks and renders one frame of seconds (the test's clock moves on).
  void Frame(double seconds = 1.0 / 60.0);
  // One pass of the program's loop with frames on demand after seconds of
  // the test's clock (the window's message pumped first): false when nothing
  // asked for the pass; otherwise it ticked and drew what it was asked for,
  // presented as the program presents.
  // drew and area (each optional) tell what it drew: an empty area for a
  // whole frame.
  bool LoopPass(double seconds = 1.0 / 60.0, bool* drew = nullptr, EngFramesArea* area = nullptr);
  // The back buffer as the last frame left it (nothing drawn): 0xAARRGGBB,
  // rows top first.
  std::vector<std::uint32_t> BackBuffer();
  // The same into pixels, whose storage is kept from call to call (a test
  // that reads every frame reads it without allocating).
  void BackBuffer(std::vector<std::uint32_t>* pixels);
  // Draws and presents a whole frame of the state as it is.
  void WholeFrame();
  // Frames until no card animation runs (at most maxFrames); true when done.
  // Every frame is ticked; every fourth and the last are drawn.
  bool RunAnimations(int maxFrames = 3000);
  // Ticks one frame of seconds without drawing it.
  void Tick(double seconds = 1.0 / 60.0);
  // Renders a frame and reads it back: 0xAARRGGBB, rows top first.
  std::vector<std::uint32_t> Pixels();
  std::uint32_t Pixel(int x, int y);
  bool Screenshot(const std::string& pngPath);
  // The screen pixel of a table point (the current camera).
  bool Project(float x, float y, float z, int* px, int* py);
  // Mouse input as the window reports it (pixels; button 0 left, 1 right).
  void MouseMove(int x, int y);
  void MouseButton(int button, bool down);
  void Key(int virtualKey, bool down);
  // Events queued with the window system at once, as a player's quick
  // click arrives within one frame; the window's pump takes them as the
  // program's does (LoopPass). A button below 0 is a pointer move to x, y.
  struct WindowEvent {
    int button;  // 0 left, 1 right, -1 a move
    bool down;
    int x, y;
  };
  void PushWindowEvents(const std::vector<WindowEvent>& events);
  // The input events the program received (kind, two values), in order.
  struct InputEvent {
    int kind, value1, value2;
  };
  const std::vector<InputEvent>& InputEvents() const;
  void ClearInputEvents();
  // Re-creates the device at a new client size (a resize).
  bool Resize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  EngProgram* Program() const;
  // Shutdown steps and the window closed (also done by the destructor).
  void Stop();

 private:
  std::string folder_;
  std::string previousFolder_;
  std::unique_ptr<EngProgram> program_;
  double now_ = 0;
  int width_ = 0, height_ = 0;
  bool useDeckCache_ = true;
  std::string hiddenDataFile_;
  bool volumePulse_ = true;
};

// Writes 0xAARRGGBB pixels (rows top first) as an RGB PNG.
bool HarnessWritePng(const std::string& path, int width, int height,
                     const std::vector<std::uint32_t>& pixels);
// The folder screenshots of the test run go to (<build>/screenshots).
std::string HarnessScreenshotFolder();
