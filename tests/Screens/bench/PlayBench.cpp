// PlayBench - the costs of the screens around play on the GL device (Mesa
// under Xvfb here), at 1024 x 768: one main-menu frame (the turning card
// circle, the Game page's picture of Spider and the toolkit), the making of
// each game's stock picture for the Game page, and New from the main menu
// to a dealt table (the deal animation off, no saved game to give up). Each figure is printed as the
// median and the largest of its runs, in CPU milliseconds of the program's
// own thread (the CPU's share); a menu frame also with the whole process,
// which holds Mesa's drawing threads (llvmpipe's share, the "GPU").
// Needs an X display; meant for a Release build:
//   xvfb-run -a -s "-screen 0 1280x1024x24" <build>/tests/Screens/bench/PlayBench
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "App/AppImports.h"
#include "App/Main.h"
#include "Engine/EngFile.h"
#include "Game/GameImports.h"
#include "Game/GenRecord.h"
#include "Game/UserRecord.h"
#include "Shell/Shell.h"
#include "Game/GenGameTable.h"
#include "Game/GenSave.h"
#include "Screens/GamePage.h"
#include "Screens/Main.h"
#include "Screens/Screens.h"
#include "tests/Support/GameHarness.h"

// The harness resets the stand-in of the application's imports; here the
// real screens answer them, so there is nothing to reset.
void AppImportsResetForTests() {}

namespace {

double CpuMs(clockid_t clock = CLOCK_THREAD_CPUTIME_ID) {
  timespec t{};
  clock_gettime(clock, &t);
  return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1e6;
}

void Report(const char* what, std::vector<double> ms) {
  if (ms.empty()) {
    std::printf("%-44s no runs\n", what);
    return;
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%-44s median %7.2f ms   largest %7.2f ms   (%zu runs)\n", what, ms[ms.size() / 2],
              ms.back(), ms.size());
}

}  // namespace

int main() {
  if (!GameHarness::HaveDisplay()) {
    std::fprintf(stderr, "PlayBench needs an X display\n");
    return 1;
  }
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("cardolia-play-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(root);
  int status = 0;
  {
    GameHarness h(root.string());
    h.UseVolumePulse(false);
    if (!h.Start(1024, 768)) {
      std::fprintf(stderr, "the player could not be started\n");
      return 1;
    }
    g_UserRecord.cardAnimationOn = 0;

    // The main menu on Spider's Game page.
    g_UserRecord.menuGame = kGameSpider;
    GenSetCurGame(kGameSpider);
    ScreensGoto(g_ScreenMain);
    for (int i = 0; i < 120; ++i) h.Frame();  // the page and its picture settle
    std::vector<double> frames, withMesa;
    for (int i = 0; i < 600; ++i) {
      const double start = CpuMs(), startProcess = CpuMs(CLOCK_PROCESS_CPUTIME_ID);
      GameTickCB();
      GameRenderCB();
      frames.push_back(CpuMs() - start);
      withMesa.push_back(CpuMs(CLOCK_PROCESS_CPUTIME_ID) - startProcess);
    }
    Report("main-menu frame (circle, Spider, toolkit)", frames);
    Report("  the same with Mesa's drawing threads", withMesa);
    h.Screenshot(HarnessScreenshotFolder() + "/PlayBenchMenu.png");

    // Each game's stock picture, made afresh.
    std::vector<double> pictures;
    for (int game = 0; game < kGenNumGames; ++game) {
      GenSetCurGame(game);
      g_UserRecord.menuGame = game;
      if (const char* stock = GenGetSaveFilename(2)) {
        if (EngFileExists(stock)) EngFileDelete(stock);
      }
      const double start = CpuMs();
      GameControlPrepareSnapshot();
      pictures.push_back(CpuMs() - start);
      if (!GameControlHasSnapshot()) {
        std::fprintf(stderr, "no picture of %s\n", GenGameTable[game].name);
        status = 1;
      }
    }
    Report("stock picture of a game (all games)", pictures);

    // New from the menu to the dealt table's first frame.
    std::vector<double> news;
    for (int run = 0; run < 9; ++run) {
      g_UserRecord.menuGame = kGameKlondike;
      GenSetCurGame(kGameKlondike);
      ScreensGoto(g_ScreenMain);
      for (int i = 0; i < 30; ++i) h.Frame();
      const double start = CpuMs();
      MainControlNewGameCB();
      for (int i = 0; i < 3 && GameGetProgramMode() != kGameModePlaying; ++i) h.Frame();
      h.Frame();
      news.push_back(CpuMs() - start);
      if (!g_GenLive.ready) status = 1;
      GameMenuExitToMainMenu();
      GenDeleteSavedGame();  // each New starts without a game to give up
      for (int i = 0; i < 10; ++i) h.Frame();
    }
    Report("New from the menu to the dealt table", news);
  }
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
  return status;
}
