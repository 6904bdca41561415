// The update download's rate: a 50 MB file fetched over https from a
// loopback server onto a private desktop, as a player's Download does, with
// the download window pumped as it goes (the headless window, which answers
// at once, so what is measured is the transfer and the pumping's share).
// Prints the bytes per second of three runs. Run from a Release build:
//   <build>/tests/Bench/UpdaterBench
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "App/PrefFolder.h"
#include "App/Updater.h"
#include "Platform/PlainWindow.h"
#include "Platform/WinInet.h"
#include "tests/Support/HttpTestServer.h"
#include "tests/Support/HttpsFileServer.h"

namespace fs = std::filesystem;

int main() {
  constexpr std::size_t kBytes = 50u * 1000u * 1000u;
  char pattern[] = "/tmp/updater-bench-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  const std::string dir = pattern;
  setenv("HOME", dir.c_str(), 1);
  setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
  setenv("CARDOLIA_HEADLESS", "1", 1);
  PrefFolderSetup("Free Cardolia 3D", false, nullptr);

  fs::create_directories(dir + "/served");
  {
    std::ofstream out(dir + "/served/Cardolia.tar.gz", std::ios::binary);
    const std::string block(1 << 20, 'b');
    for (std::size_t written = 0; written < kBytes; written += block.size()) {
      out.write(block.data(), static_cast<std::streamsize>(std::min(block.size(), kBytes - written)));
    }
  }
  HttpsFileServer https(dir + "/served");
  if (!https.Running()) {
    std::fprintf(stderr, "the https server did not start\n");
    return 1;
  }
  PlatformInternetSetCaFileForTests(https.CaFile().c_str());
  HttpTestServer service;
  service.SetReply(kUpdaterScriptPath, HttpTestReply::Text("Yours is out of date.\n#DL:<" +
                                                           https.Url("/Cardolia.tar.gz") + ">"));
  setenv("CARDOLIA_SITE_URL", service.Url("").c_str(), 1);
  PlainWindowUseBackEnd(kPlainWindowFake);
  UpdaterSetResultPauseForTests(0.0);

  int failures = 0;
  for (int run = 1; run <= 3; ++run) {
    PlainWindowFakeQueueAnswer("Download");
    const auto start = std::chrono::steady_clock::now();
    const bool started = UpdaterCheckForUpdates(4.82f, "Free");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::string landed = dir + "/Desktop/" + UpdaterDesktopName("Cardolia.tar.gz", run - 1);
    const bool complete = started && fs::exists(landed) && fs::file_size(landed) == kBytes;
    if (!complete) ++failures;
    std::printf("run %d: %s, %.2f s from the check to the file on the desktop, transfer %.1f MB/s\n", run,
                complete ? "complete" : "NOT COMPLETE", seconds, UpdaterGetLastDownloadRate() / 1e6);
  }
  PlatformInternetSetCaFileForTests(nullptr);
  fs::remove_all(dir);
  return failures == 0 ? 0 : 1;
}
