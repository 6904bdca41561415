// StartupTiming.cpp - how long the game program takes to come up, measured
// from outside as a player sees it (scripts/startup-timing.sh runs it on a
// Release build). Each figure is the median of several runs on a private X
// server:
//   window mapped        start -> the game window is on the display
//   first Users frame    start -> the player selection is drawn
//   Continue -> menu     the click on "Continue Player" -> the main menu is
//                        drawn (cold: the player's cards are generated on
//                        this first load; warm: they are cached), also less
//                        the 0.6 s volume pulse of the start of play
//   peak memory          the program's VmHWM at the main menu
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "App/User.h"
#include "Engine/EngEncryption.h"
#include "tests/Support/ProgramHarness.h"

namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point t) { return std::chrono::duration<double, std::milli>(Clock::now() - t).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? -1 : v[v.size() / 2];
}

void WriteProfile(const std::string& users) {
  std::filesystem::create_directories(users);
  EngEncryptionInit("Mplx4QoragZn_265");
  UserRecord ann;
  std::strcpy(ann.name, "Ann");
  std::strcpy(ann.country, "Germany");
  std::uint8_t bytes[kUserRecordFileSize];
  UserRecordToBytes(ann, bytes);
  EngEncryptionEncryptAndWriteToFile((users + "/Ann.usr").c_str(), bytes, sizeof bytes);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const std::string base = std::filesystem::temp_directory_path() / ("cardolia-timing-" + std::to_string(getpid()));
  std::vector<double> mapped, users, cold, warm;
  long peak = -1;
  for (int run = 0; run < runs; ++run) {
    const std::string home = base + "/" + std::to_string(run);
    ProgramHarness h(home);
    WriteProfile(h.UserFolder() + "/Users");
    if (!h.StartDisplay()) {
      std::fprintf(stderr, "no X server\n");
      return 1;
    }
    for (int pass = 0; pass < 2; ++pass) {  // cold, then warm
      const auto start = Clock::now();
      h.StartProgram();
      while (!h.IsWindowMapped() && Since(start) < 30000) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      const double windowMs = Since(start);
      h.WaitUntilDrawn(320, 400, 30, 0.002);  // "Continue Player: Ann"
      const double usersMs = Since(start);
      ProgramHarness::Settle(0.3);
      const auto click = Clock::now();
      h.ClickVirtual(320, 400);
      h.WaitUntilDrawn(630, 100, 300, 0.002);  // the main menu's page backdrop
      const double menuMs = Since(click);
      if (pass == 0) {
        mapped.push_back(windowMs);
        users.push_back(usersMs);
        cold.push_back(menuMs);
      } else {
        warm.push_back(menuMs);
        peak = std::max(peak, h.ProgramPeakMemoryKiB());
      }
      h.ClickVirtual(612, 458);  // Exit
      h.WaitForExit(60);
    }
  }
  std::filesystem::remove_all(base);
  std::printf("runs: %d (median)\n", runs);
  std::printf("window mapped:              %7.0f ms\n", Median(mapped));
  std::printf("first Users frame:          %7.0f ms\n", Median(users));
  std::printf("Continue -> menu, cold:     %7.0f ms (%.0f ms without the 0.6 s volume pulse)\n", Median(cold),
              Median(cold) - 600);
  std::printf("Continue -> menu, warm:     %7.0f ms (%.0f ms without the 0.6 s volume pulse)\n", Median(warm),
              Median(warm) - 600);
  std::printf("peak memory (VmHWM):        %7.1f MiB\n", peak / 1024.0);
  return 0;
}
