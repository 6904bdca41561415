// GameHarness.cpp - the game shell inside a test program object (see
// GameHarness.h).
#include "tests/Support/GameHarness.h"

#include <SDL.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

#include "App/PrefFolder.h"
#include "App/Resolution.h"
#include "App/User.h"
#include "Engine/EngDevice.h"
#include "Engine/EngFrames.h"
#include "Engine/EngProgram.h"
#include "Engine/EngResModes.h"
#include "Engine/EngWindow.h"
#include "Engine/DX9/EngDeviceDX9.h"
#include "Game/AnimSetup.h"
#include "Game/GameCameras.h"
#include "Game/GameImports.h"
#include "Shell/Shell.h"
#include "Game/GameTime.h"
#include "Game/Gen.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenRecord.h"
#include "Game/GenSetups.h"
#include "Game/UserRecord.h"
#include "Platform/D3D9.h"
#include "Platform/D3D9GL.h"
#include "Platform/D3DXMath.h"
#include "Platform/Window.h"
#include "Platform/WindowLocal.h"
#include "Engine/DX9/ComDxWin.h"
#include "tests/Support/AppImportsStandIn.h"
#include "tests/Support/XServer.h"

namespace {

std::vector<GameHarness::InputEvent> g_inputEvents;

// The program object: every callback is the shell's.
class HarnessProgram : public EngProgram {
 public:
  HarnessProgram() { SetWorkPendingQuery(GameIsWorkPending); }
  int InitCB(const char*) override { return GameSetupLogLanguagesAndFolders() ? 1 : 0; }
  int PreDeviceInitCB() override { return GamePreDeviceInit() ? 1 : 0; }
  int PostDeviceInitCB() override { return GamePostDeviceInit() ? 1 : 0; }
  int CreateGraphicsObjectsCB() override { return GameCreateGraphics() ? 1 : 0; }
  void DestroyGraphicsObjectsCB() override { GameFreeGraphics(); }
  bool TickCB() override { return GameTickCB(); }
  void RenderCB() override { GameRenderCB(); }
  bool InputEventCB(int kind, int a, int b) override {
    g_inputEvents.push_back(GameHarness::InputEvent{kind, a, b});
    return GameInputEventCB(kind, a, b);
  }
  void ActiveChangedCB(bool active) override { GameOnActiveChanged(active); }
  void PostModeChangeCB() override { GameAfterModeChange(); }
  void ExitCB() override { GameShutdown(); }
};

namespace fs = std::filesystem;

void Link(const std::string& from, const std::string& to) {
  std::error_code ignored;
  std::filesystem::create_directory_symlink(from, to, ignored);
}

// to: a copy of the folder from made of links to its entries, except along
// the path hidden (relative to from): the folders on it are real folders
// of links, and the file it ends in is left out.
void LinkAllBut(const fs::path& from, const fs::path& to, const fs::path& hidden) {
  if (hidden.empty()) {
    Link(from.string(), to.string());
    return;
  }
  const fs::path first = *hidden.begin();
  const fs::path rest = hidden.lexically_relative(first);
  std::error_code ignored;
  fs::create_directories(to, ignored);
  for (const fs::directory_entry& entry : fs::directory_iterator(from, ignored)) {
    const fs::path name = entry.path().filename();
    if (name != first) {
      fs::create_symlink(entry.path(), to / name, ignored);
    } else if (!rest.empty() && rest != ".") {
      LinkAllBut(entry.path(), to / name, rest);
    }
  }
}

// Generated decks shared by the harness runs of one build: the first run at
// a quality generates the deck, later runs copy it in. A cache made by
// another build of the test program (the generator may have changed) is
// replaced.
std::string DeckCacheFolder(int quality) {
  return std::string(CARDOLIA_BUILD_DIR) + "/harness-decks/q" + std::to_string(quality);
}

std::string ProgramStamp() {
  std::error_code error;
  const auto time = fs::last_write_time("/proc/self/exe", error);
  return error ? std::string() : std::to_string(time.time_since_epoch().count());
}

bool DeckCacheIsCurrent(const std::string& cache) {
  std::FILE* file = std::fopen((cache + "/stamp").c_str(), "rb");
  if (!file) return false;
  char text[64] = {};
  const std::size_t n = std::fread(text, 1, sizeof(text) - 1, file);
  std::fclose(file);
  return n > 0 && std::string(text, n) == ProgramStamp();
}

void DeckCacheCopyIn(int quality, const std::string& deckGen) {
  const std::string cache = DeckCacheFolder(quality);
  if (!DeckCacheIsCurrent(cache)) return;
  std::error_code ignored;
  fs::create_directories(deckGen, ignored);
  fs::copy(cache + "/DeckGen", deckGen, fs::copy_options::recursive | fs::copy_options::overwrite_existing,
           ignored);
}

void DeckCacheCopyOut(int quality, const std::string& deckGen) {
  const std::string cache = DeckCacheFolder(quality);
  if (DeckCacheIsCurrent(cache) || !fs::is_directory(deckGen)) return;
  // Built beside the cache and renamed into place, so parallel runs never
  // see half a cache.
  const std::string building = cache + ".building-" + std::to_string(getpid());
  std::error_code error;
  fs::remove_all(building, error);
  fs::create_directories(building, error);
  fs::copy(deckGen, building + "/DeckGen", fs::copy_options::recursive, error);
  if (!error) {
    if (std::FILE* file = std::fopen((building + "/stamp").c_str(), "wb")) {
      const std::string stamp = ProgramStamp();
      std::fwrite(stamp.data(), 1, stamp.size(), file);
      std::fclose(file);
    }
    fs::remove_all(cache, error);
    fs::rename(building, cache, error);
  }
  fs::remove_all(building, error);
}

}  // namespace

GameHarness::GameHarness(std::string folder) : folder_(std::move(folder)) {}

GameHarness::~GameHarness() { Stop(); }

bool GameHarness::HaveDisplay() { return TestUsePrivateDisplay(); }

EngProgram* GameHarness::Program() const { return program_.get(); }

bool GameHarness::Start(int width, int height, int deckQuality) {
  previousFolder_ = std::filesystem::current_path().string();
  std::filesystem::create_directories(folder_ + "/Documents");
  std::filesystem::current_path(folder_);
  LinkAllBut(std::string(CARDOLIA_BUILD_DIR) + "/Data", folder_ + "/Data", hiddenDataFile_);
  Link(std::string(CARDOLIA_BUILD_DIR) + "/Languages", folder_ + "/Languages");
  setenv("HOME", folder_.c_str(), 1);
  setenv("XDG_DATA_HOME", (folder_ + "/data").c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
  PlatformUseHeadlessWindows(false);
  D3D9SetFactory(nullptr);
  EngWindowSetScreenMode(1, width, height, 32, -1);
  width_ = width;
  height_ = height;
  now_ = 0;
  EngProgramSetCurrentTimeForTests(now_);
  EngProgramSetFrameTimeForTests(1.0f / 60.0f);
  AppImportsResetForTests();
  GameShellResetForTests();
  EngFramesResetForTests();
  GameShellSetVolumePulseForTests(volumePulse_);
  program_ = std::make_unique<HarnessProgram>();
  if (program_->Init(nullptr, "") != 1) return false;
  EngWindowSettings settings;
  settings.width = width;
  settings.height = height;
  settings.windowed = 1;
  std::int8_t result = 0;
  if (!program_->CreateMainWindow("Game harness", settings, &result)) return false;
  if (!EngResModesGetModesAvailable()) return false;
  g_ResolutionSettings.cardQuality = static_cast<std::uint8_t>(deckQuality);
  if (!program_->GetWindow()->CreateGraphicsDevice()) return false;
  // A new player: the shell loads the graphics for the player (the deck is
  // generated into the per-user folder unless the cache has it).
  std::string deckGen = std::string(PrefFolderGetMainFolder()) + "/DeckGen";
  for (char& c : deckGen) {
    if (c == '\\') c = '/';
  }
  if (useDeckCache_) DeckCacheCopyIn(deckQuality, deckGen);
  g_UserRecord.cardAnimationOn = 0;
  if (UserProfileExists("Tester")) {
    if (!UserLoad("Tester", false, nullptr)) return false;
  } else if (!UserNew("Tester", "England")) {
    return false;
  }
  if (useDeckCache_) DeckCacheCopyOut(deckQuality, deckGen);
  return GameGetProgramMode() == kGameModeMainMenu;
}

bool GameHarness::Deal(int game, unsigned deal, void (*setup)(), bool animate) {
  GenSetSetupOverrideForTests(setup);
  g_UserRecord.cardAnimationOn = animate ? 1 : 0;
  g_UserRecord.menuGame = game;
  GenSetCurGame(game);
  GenNewGameWithNumber(deal, true);
  if (!g_GenLive.ready) return false;
  GameSetProgramMode(kGameModePlaying);
  GameTimeReset();
  GameApplyCameraAndRefreshScene();
  GameResetIdleTimer();
  return RunAnimations();
}

void GameHarness::Tick(double seconds) {
  if (!program_ || !program_->GetWindow()) return;
  now_ += seconds;
  EngProgramSetCurrentTimeForTests(now_);
  EngProgramSetFrameTimeForTests(static_cast<float>(seconds));
  program_->GetWindow()->Tick();
  program_->DoTick();
}

void GameHarness::Frame(double seconds) {
  Tick(seconds);
  if (program_ && program_->GetWindow()) GameRenderCB();
}

bool GameHarness::LoopPass(double seconds, bool* drew, EngFramesArea* area) {
  if (!program_ || !program_->GetWindow()) return false;
  now_ += seconds;
  EngProgramSetCurrentTimeForTests(now_);
  EngProgramSetFrameTimeForTests(static_cast<float>(seconds));
  program_->GetWindow()->Tick();
  return program_->FramesOnDemandPass(now_, drew, area);
}

const std::vector<GameHarness::InputEvent>& GameHarness::InputEvents() const { return g_inputEvents; }
void GameHarness::ClearInputEvents() { g_inputEvents.clear(); }

void GameHarness::PushWindowEvents(const std::vector<WindowEvent>& events) {
  if (!program_ || !program_->GetWindow()) return;
  SDL_Window* window = PlatformSdlWindow(program_->GetWindow()->Win().handle);
  for (const WindowEvent& e : events) {
    SDL_Event event{};
    if (e.button < 0) {
      event.type = SDL_MOUSEMOTION;
      event.motion.windowID = SDL_GetWindowID(window);
      event.motion.x = e.x;
      event.motion.y = e.y;
    } else {
      event.type = e.down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
      event.button.windowID = SDL_GetWindowID(window);
      event.button.button = static_cast<Uint8>(e.button == 0 ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT);
      event.button.state = e.down ? SDL_PRESSED : SDL_RELEASED;
      event.button.clicks = 1;
      event.button.x = e.x;
      event.button.y = e.y;
    }
    SDL_PushEvent(&event);
  }
}

std::vector<std::uint32_t> GameHarness::BackBuffer() {
  std::vector<std::uint32_t> pixels;
  BackBuffer(&pixels);
  return pixels;
}

void GameHarness::BackBuffer(std::vector<std::uint32_t>* pixels) {
  if (!D3D9GLReadPixels(0, 0, width_, height_, pixels)) pixels->clear();
}

void GameHarness::WholeFrame() {
  if (program_) program_->DoRenderArea(nullptr);
}

bool GameHarness::RunAnimations(int maxFrames) {
  // Every frame is ticked as the program ticks it, but only every fourth and
  // the last are drawn: no test looks at those between, and on the software
  // renderer drawing is most of a frame's cost.
  constexpr int kDrawEvery = 4;
  for (int i = 0; i < maxFrames && AnimIsAnimating(); ++i) {
    if (i % kDrawEvery == kDrawEvery - 1) {
      Frame();
    } else {
      Tick(1.0 / 60.0);
    }
  }
  if (program_ && program_->GetWindow()) GameRenderCB();
  return !AnimIsAnimating();
}

std::vector<std::uint32_t> GameHarness::Pixels() {
  GameRenderCB();
  std::vector<std::uint32_t> pixels;
  D3D9GLReadPixels(0, 0, width_, height_, &pixels);
  return pixels;
}

std::uint32_t GameHarness::Pixel(int x, int y) {
  std::vector<std::uint32_t> pixel;
  GameRenderCB();
  if (!D3D9GLReadPixels(x, y, 1, 1, &pixel) || pixel.empty()) return 0;
  return pixel[0];
}

bool GameHarness::Screenshot(const std::string& pngPath) {
  const std::vector<std::uint32_t> pixels = Pixels();
  return !pixels.empty() && HarnessWritePng(pngPath, width_, height_, pixels);
}

bool GameHarness::Project(float x, float y, float z, int* px, int* py) {
  EngDeviceDX9* device = EngDeviceDX9GetCurrent();
  if (!device) return false;
  const D3DXMATRIX m = device->GetView() * device->GetProjection();
  D3DXVECTOR3 p(x, y, z);
  D3DXVec3TransformCoord(&p, &p, &m);
  *px = static_cast<int>((p.x + 1) * 0.5f * static_cast<float>(width_));
  *py = static_cast<int>((1 - p.y) * 0.5f * static_cast<float>(height_));
  return true;
}

void GameHarness::MouseMove(int x, int y) {
  // The system pointer goes there too, so the window's own pointer events
  // (it reports where the pointer is) agree with the test's.
  if (program_ && program_->GetWindow()) {
    SDL_WarpMouseInWindow(PlatformSdlWindow(program_->GetWindow()->Win().handle), x, y);
    SDL_PumpEvents();
    SDL_FlushEvent(SDL_MOUSEMOTION);
  }
  GameInputEventCB(1, x, y);
  EngFramesNoteInput(true);
}
void GameHarness::MouseButton(int button, bool down) {
  GameInputEventCB(2, button, down ? 1 : 0);
  EngFramesNoteInput(false);
}

void GameHarness::Key(int virtualKey, bool down) {
  if (std::uint8_t* keys = EngWindowGetKeyStates()) keys[virtualKey & 0xFF] = down ? 2 : 0;
}

bool GameHarness::Resize(int width, int height) {
  if (!program_ || !program_->GetWindow()) return false;
  SDL_SetWindowSize(PlatformSdlWindow(program_->GetWindow()->Win().handle), width, height);
  for (int i = 0; i < 20 && EngWindowGetScreenMode().width != width; ++i) Frame();
  Frame();
  width_ = EngWindowGetScreenMode().width;
  height_ = EngWindowGetScreenMode().height;
  return width_ == width && height_ == height;
}

void GameHarness::Stop() {
  if (program_) {
    program_->Shutdown();
    program_.reset();
  }
  PlatformResetWindowsForTests();
  GenSetSetupOverrideForTests(nullptr);
  if (!previousFolder_.empty()) {
    std::error_code ignored;
    std::filesystem::current_path(previousFolder_, ignored);
    previousFolder_.clear();
  }
}

bool HarnessWritePng(const std::string& path, int width, int height,
                     const std::vector<std::uint32_t>& pixels) {
  if (static_cast<int>(pixels.size()) < width * height) return false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = png && info && setjmp(png_jmpbuf(png)) == 0;
  if (ok) {
    png_init_io(png, file);
    // Screenshots are for a person to look at: the quickest compression.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const std::uint32_t p = pixels[static_cast<std::size_t>(y) * width + x];
        row[3 * x] = static_cast<png_byte>(p >> 16);
        row[3 * x + 1] = static_cast<png_byte>(p >> 8);
        row[3 * x + 2] = static_cast<png_byte>(p);
      }
      png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0 && ok;
}

std::string HarnessScreenshotFolder() {
  const std::string folder = std::string(CARDOLIA_BUILD_DIR) + "/screenshots";
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return folder;
}
