// PlayRun.cpp - the shared steps of the program tests of play (see
// PlayRun.h).
#include "tests/Program/PlayRun.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include <memory>

#include "App/User.h"
#include "Engine/EngEncryption.h"
#include "Game/GenBytes.h"
#include "Game/GenImage.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/UserRecord.h"

namespace playrun {

Rgb Split(long colour) {
  if (colour < 0) return Rgb{-1, -1, -1};
  return Rgb{static_cast<int>((colour >> 16) & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
             static_cast<int>(colour & 0xFF)};
}

void WritePlayer(const std::string& folder, const std::function<void(UserRecord&)>& edit,
                 const std::function<void(ResolutionSettings&)>& editSettings) {
  EngEncryptionInit("Mplx4QoragZn_265");
  // A new player's values (the cameras among them), as the game makes them.
  g_UserRecord = UserRecord{};
  std::strcpy(g_UserRecord.name, "Ann");
  std::strcpy(g_UserRecord.country, "Germany");
  g_UserRecord.playerId = 4242;
  UserSetDefaults();
  UserRecord ann = g_UserRecord;
  ann.menuGame = 37;  // Klondike
  ann.mainPage = 0;
  if (edit) edit(ann);
  std::uint8_t user[kUserRecordFileSize];
  UserRecordToBytes(ann, user);
  std::filesystem::create_directories(folder + "/Users");
  EngEncryptionEncryptAndWriteToFile((folder + "/Users/Ann.usr").c_str(), user, sizeof user);
  WriteSettings(folder, editSettings);
}

void WriteSettings(const std::string& folder, const std::function<void(ResolutionSettings&)>& editSettings) {
  ResolutionSetDefaults();
  g_ResolutionSettings.showDialog = 0;
  g_ResolutionSettings.fullWidth = 1024;
  g_ResolutionSettings.fullHeight = 768;
  g_ResolutionSettings.httpTest = 1;
  if (editSettings) editSettings(g_ResolutionSettings);
  std::uint8_t settings[kResolutionFileSize];
  ResolutionToBytes(g_ResolutionSettings, settings);
  WriteCreatingFolders(folder + "/Resolution.dat", std::string(reinterpret_cast<char*>(settings), sizeof settings));
}

bool WaitForPixel(ProgramHarness& h, float x, float y, const std::function<bool(Rgb)>& test,
                  double seconds) {
  return h.WaitForPixel(x, y, [&](int r, int g, int b) { return test(Rgb{r, g, b}); }, seconds);
}

bool IsButtonGreen(Rgb c) { return c.g > c.r + 20 && c.g > c.b; }

bool ShowsMainMenu(ProgramHarness& h) {
  const auto brightGold = [](Rgb c) { return c.r > 200 && c.g > 170 && c.b < 150; };
  const auto black = [](Rgb c) { return c.r >= 0 && c.r + c.g + c.b < 30; };
  return brightGold(Split(h.PixelVirtual(25, 22.5f))) && black(Split(h.PixelVirtual(201.5f, 22))) &&
         IsButtonGreen(Split(h.PixelVirtual(343, 449)));
}

bool WaitForMainMenu(ProgramHarness& h, double seconds) {
  return ProgramHarness::WaitUntil([&] { return ShowsMainMenu(h); }, seconds, 0.1);
}

bool SwitchWithAltEnter(ProgramHarness& h) {
  const std::string done = "EngWindow::ToggleFullscreenMode - Done";
  const auto count = [&] {
    const std::string log = h.LogText();
    int n = 0;
    for (std::size_t at = log.find(done); at != std::string::npos; at = log.find(done, at + 1)) ++n;
    return n;
  };
  const int before = count();
  h.Key("alt+Return");
  return ProgramHarness::WaitUntil([&] { return count() > before; }, 30, 0.1);
}

std::string ScreenshotFolder() {
  const std::string folder = std::string(CARDOLIA_BUILD_DIR) + "/screenshots/";
  std::filesystem::create_directories(folder);
  return folder;
}

bool StartToSavedGame(ProgramHarness& h, const std::string& name) {
  if (!h.WaitForLog("RESOLUTION2", 30) || !WaitForPixel(h, 220, 400, IsButtonGreen, 30)) {
    return h.Screenshot(ScreenshotFolder() + name + ".png") && false;
  }
  h.ClickVirtual(220, 400);
  if (!WaitForPixel(h, 420, 443, IsButtonGreen, 240)) return h.Screenshot(ScreenshotFolder() + name + ".png") && false;
  h.ClickVirtual(420, 443);
  h.MoveVirtual(320, 470);
  return true;
}

std::string WhatWasShown(ProgramHarness& h, const std::string& name) {
  h.Screenshot(ScreenshotFolder() + name + ".png");
  const std::string log = h.LogText();
  return "screen in " + name + ".png; the log's end:\n" + log.substr(log.size() > 3000 ? log.size() - 3000 : 0);
}

std::string EncryptedBlock(const std::uint8_t* plain, std::size_t size) {
  unsigned char* block = EngEncryptionEncrypt(plain, size);
  std::string bytes(reinterpret_cast<char*>(block), size + 16);
  std::free(block);
  return bytes;
}

void WriteCreatingFolders(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool WriteSavedGame(Gen& g, const std::string& path) {
  g.version = kGenSaveVersion;
  std::unique_ptr<std::uint8_t[]> image(new std::uint8_t[kGenImageSize]);
  GenWriteImage(g, image.get());
  unsigned char* ciphered = EngEncryptionEncrypt(image.get(), kGenImageSize);
  if (!ciphered) return false;
  std::string bytes(kGenSaveFileSize, '\0');
  GenPutF32(reinterpret_cast<std::uint8_t*>(bytes.data()), 0, kGenSaveVersion);
  std::memcpy(bytes.data() + 4, ciphered, kGenImageSize + kEngEncryptionCounterSize);
  std::free(ciphered);
  WriteCreatingFolders(path, bytes);
  return std::filesystem::file_size(path) == bytes.size();
}

bool StartToTable(ProgramHarness& h, const std::string& shots, const std::string& name) {
  if (!h.WaitForLog("RESOLUTION2", 30) || !WaitForPixel(h, 220, 400, IsButtonGreen, 30)) {
    h.Screenshot(shots + name + ".png");
    return false;
  }
  // Continue Player (left of its text).
  h.ClickVirtual(220, 400);
  return StartToTableFromMenu(h, shots, name);
}

bool StartToTableFromMenu(ProgramHarness& h, const std::string& shots, const std::string& name) {
  auto failed = [&] {
    h.Screenshot(shots + name + ".png");
    return false;
  };
  // The main menu's green New Game.
  if (!WaitForPixel(h, 343, 449, IsButtonGreen, 240)) return failed();
  h.ClickVirtual(343, 449);
  // The table: the menu's New Game gives way to the table's cloth. Under a
  // popup (the Game page's picture being made) the button is dimmed, still
  // green, and the picture shows through beside it; under the pointer it is
  // gold, with the menu's bright gold title still at the top left.
  const auto drawn = [](Rgb c) { return c.r + c.g + c.b > 60; };
  const auto greenish = [](Rgb c) { return c.g > c.r; };
  const auto brightGold = [](Rgb c) { return c.r > 200 && c.g > 170 && c.b < 150; };
  for (int i = 0; i < 1200; ++i) {
    if (!greenish(Split(h.PixelVirtual(343, 449))) && drawn(Split(h.PixelVirtual(320, 300))) &&
        !brightGold(Split(h.PixelVirtual(25, 22.5f)))) {
      return true;
    }
    ProgramHarness::Settle(0.1);
  }
  return failed();
}

bool GameWindow::WaitFor(const std::function<bool(const ProgramHarness::WindowPlace&)>& test, double seconds) {
  return ProgramHarness::WaitUntil(
      [&] {
        const ProgramHarness::WindowPlace p = h_.FindWindow("Free Cardolia 3D", 300);
        if (!p.id || !test(p)) return false;
        place_ = p;
        return true;
      },
      seconds, 0.1);
}

Rgb GameWindow::Pixel(float x, float y) {
  const std::vector<unsigned long> pixels = h_.Pixels();
  const std::size_t i =
      static_cast<std::size_t>(PixelY(y)) * static_cast<std::size_t>(displayWidth_) + static_cast<std::size_t>(PixelX(x));
  return i < pixels.size() ? Split(static_cast<long>(pixels[i])) : Rgb{-1, -1, -1};
}

bool GameWindow::WaitForPixel(float x, float y, const std::function<bool(Rgb)>& test, double seconds) {
  return ProgramHarness::WaitUntil([&] { return test(Pixel(x, y)); }, seconds, 0.1);
}

}  // namespace playrun
