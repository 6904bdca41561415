// Typing names in the running program as a newcomer does: letters beyond
// ASCII typed as UTF-8 (xdotool), the name popup's OK clicked with the
// mouse (press, a short pause, release, away at once), the name shown on
// the screens and written into the player's file names in UTF-8 and into
// the profile in the game's CP1252; then a second player made from the
// player selection, whose form opens empty with its name popup. A name
// that starts with a blank is refused with a word that stays until OK.
// Screenshots go to <build>/screenshots.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "App/User.h"
#include "Engine/EngEncryption.h"
#include "Game/UserRecord.h"
#include "tests/Program/PlayRun.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

bool IsButtonGreen(int r, int g, int b) { return g > r + 25 && g > b + 15; }
// A button's bright green, apart from the darker green of a popup's frame.
bool IsBrightButtonGreen(int r, int g, int b) { return g > 95 && g > r + 40 && g > b + 20; }
// The field of a text popup.
bool IsGold(int r, int g, int b) { return r > 100 && g > 70 && r > b + 60; }
bool IsLightText(int r, int g, int b) { return r > 150 && g > 150 && b > 150; }
bool IsBrightGold(int r, int g, int b) { return r > 200 && g > 170 && b < 150; }

// The name popup's field, and the middle of its OK and Cancel buttons
// across (the popup's buttons are 80 wide, 6 apart, about its middle).
constexpr float kFieldX = 237, kFieldY = 226;
constexpr float kOkX = 320 - 3 - 40;
// The new player's screen: its name (the text's middle) and Continue; the
// player selection's Create New Player and Continue Player; the main
// menu's Player.
constexpr float kNameLeft = 300, kNameTop = 212, kNameRight = 340, kNameBottom = 224;
constexpr float kContinueX = 320, kContinueY = 442;
constexpr float kCreateX = 124, kCreateY = 448, kExitGameX = 516;
constexpr float kContinuePlayerX = 220, kContinuePlayerY = 400;
constexpr float kPlayerX = 590, kPlayerY = 428.5f;

// A click as a newcomer makes it: press, a short pause, release, and the
// pointer away at once.
void NewcomerClick(ProgramHarness& h, float x, float y) {
  h.MoveVirtual(x, y);
  ProgramHarness::Settle(0.15);
  h.MouseDown();
  ProgramHarness::Settle(0.15);
  h.MouseUp();
  h.MoveVirtual(x + 40, y + 30);
}

// The height of the name popup's OK: the first bright button green below
// the field, a few units into the button; -1 when there is none.
float PopupOkY(ProgramHarness& h) {
  for (float y = kFieldY + 12; y < 400; y += 1) {
    const long c = h.PixelVirtual(kOkX, y);
    if (c >= 0 && IsBrightButtonGreen(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                                      static_cast<int>(c & 0xFF))) {
      return y + 5;
    }
  }
  return -1;
}

// The left end of the light text in the popup's field, in display pixels
// (the display is 1024 x 768); -1 when none shows.
int TypedTextLeft(ProgramHarness& h) {
  const std::vector<unsigned long> pixels = h.Pixels();
  if (pixels.size() != 1024u * 768u) return -1;
  int left = -1;
  for (int y = 220 * 768 / 480; y <= 233 * 768 / 480; ++y) {
    for (int x = 150 * 1024 / 640; x < (left < 0 ? 490 * 1024 / 640 : left); ++x) {
      const unsigned long c = pixels[static_cast<std::size_t>(y) * 1024 + static_cast<std::size_t>(x)];
      if (IsLightText(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                      static_cast<int>(c & 0xFF))) {
        left = x;
        break;
      }
    }
  }
  return left;
}

// Waits until the typed text shows and has stopped growing (centred, it
// grows to the left with each letter; the blinking cursor stays at its
// right end) for a second.
bool WaitForTypedText(ProgramHarness& h) {
  int last = -1;
  auto since = std::chrono::steady_clock::now();
  return ProgramHarness::WaitUntil(
      [&] {
        const int left = TypedTextLeft(h);
        const auto now = std::chrono::steady_clock::now();
        if (left != last) {
          last = left;
          since = now;
          return false;
        }
        return left >= 0 && now - since >= std::chrono::seconds(1);
      },
      60, 0.1);
}

// The player files in the Users folder, by their names' bytes.
std::set<std::string> PlayerFiles(const ProgramHarness& h) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(h.UserFolder() + "/Users")) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// A profile read by its file's name on disk (UTF-8), past the game's file
// layer, which takes names in CP1252.
bool ReadPlayer(const ProgramHarness& h, const std::string& fileName, UserRecord* player) {
  std::uint8_t bytes[kUserRecordFileSize];
  EngEncryptionInit("Mplx4QoragZn_265");
  const std::string path = h.UserFolder() + "/Users/" + fileName;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::string data(kUserRecordFileSize + kEngEncryptionCounterSize, '\0');
  const bool read = std::fread(data.data(), 1, data.size(), f) == data.size() && std::fgetc(f) == EOF;
  std::fclose(f);
  if (!read) return false;
  std::string buffer = data + '\0';
  if (!EngEncryptionDecrypt(reinterpret_cast<unsigned char*>(buffer.data()), kUserRecordFileSize)) return false;
  std::memcpy(bytes, buffer.data(), sizeof bytes);
  UserRecordFromBytes(bytes, player);
  return true;
}

class TextEntryRunTest : public TempDirTest {
 protected:
  void Shot(ProgramHarness& h, const char* name) { h.Screenshot(shots_ + name); }
  // What the screen showed when a wait ran out.
  std::string Why(ProgramHarness& h) {
    h.Screenshot(shots_ + "TextEntryFailed.png");
    return " (the screen in TextEntryFailed.png)";
  }
  // In the open name popup: types the name, clicks OK with the mouse and
  // waits for the new player's screen to show it.
  void NameThroughThePopup(ProgramHarness& h, const std::string& name, const char* shot) {
    ASSERT_TRUE(h.Type(name));
    ASSERT_TRUE(WaitForTypedText(h)) << "the name typed" << Why(h);
    Shot(h, shot);
    const float okY = PopupOkY(h);
    ASSERT_GT(okY, 0) << "the popup's OK" << Why(h);
    NewcomerClick(h, kOkX, okY);
    // The title over the screen, dimmed while a popup is open, is bright
    // again once it has closed.
    ASSERT_TRUE(h.WaitForPixelIn(200, 20, 440, 60, IsBrightGold, 60)) << "one click on OK closes the popup" << Why(h);
    ASSERT_TRUE(h.WaitForPixelIn(kNameLeft, kNameTop, kNameRight, kNameBottom, IsLightText, 30))
        << "the name on the new player's screen" << Why(h);
  }
  // Continue on the new player's screen: the player is made and the main
  // menu comes.
  void ContinueToTheMenu(ProgramHarness& h) {
    NewcomerClick(h, kContinueX, kContinueY);
    ASSERT_TRUE(h.WaitForPixel(25, 22.5f, IsBrightGold, 240)) << "the main menu" << Why(h);
    ASSERT_TRUE(h.WaitUntilDrawn(630, 100, 60)) << Why(h);
  }
  // A first start, to the name popup of Create New Player.
  void StartToTheNamePopup(ProgramHarness& h) {
    std::string noDeck;
    ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
    ASSERT_TRUE(h.StartDisplay());
    ASSERT_TRUE(h.StartProgram());
    ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 30));
    ASSERT_TRUE(h.WaitForPixel(40, kCreateY, IsButtonGreen, 30)) << "Create New Player" << Why(h);
    NewcomerClick(h, kCreateX, kCreateY);
    ASSERT_TRUE(h.WaitForPixel(kFieldX, kFieldY, IsGold, 120)) << "the name popup" << Why(h);
  }
  const std::string shots_ = playrun::ScreenshotFolder();
};

TEST_F(TextEntryRunTest, NamesBeyondAsciiAreTypedClickedShownAndFiledWhole) {
  ProgramHarness h(dir_ + "/home");
  ASSERT_NO_FATAL_FAILURE(StartToTheNamePopup(h));
  ASSERT_NO_FATAL_FAILURE(NameThroughThePopup(h, "Zoë Walker", "TextEntryTyped.png"));
  Shot(h, "TextEntryNewPlayer.png");
  ASSERT_NO_FATAL_FAILURE(ContinueToTheMenu(h));
  Shot(h, "TextEntryMenu.png");

  // The file names are UTF-8; the profile holds the name in CP1252.
  const std::string zoeWalker = "Zo\xC3\xAB Walker";
  std::set<std::string> files = PlayerFiles(h);
  EXPECT_EQ(files, (std::set<std::string>{zoeWalker + ".opt", zoeWalker + ".usr"}));
  UserRecord player;
  ASSERT_TRUE(ReadPlayer(h, zoeWalker + ".usr", &player));
  EXPECT_STREQ(player.name, "Zo\xEB Walker");

  // Player: the player selection offers her by name; a second player
  // starts from an empty form and its name popup, as the first did.
  NewcomerClick(h, kPlayerX, kPlayerY);
  ASSERT_TRUE(h.WaitForPixel(kContinuePlayerX, kContinuePlayerY, IsButtonGreen, 60)) << "Continue Player" << Why(h);
  ASSERT_TRUE(h.WaitForPixel(kExitGameX, kCreateY, IsButtonGreen, 60)) << Why(h);
  Shot(h, "TextEntryUsers.png");
  NewcomerClick(h, kCreateX, kCreateY);
  ASSERT_TRUE(h.WaitForPixel(kFieldX, kFieldY, IsGold, 120)) << "the second player's name popup" << Why(h);
  ASSERT_NO_FATAL_FAILURE(NameThroughThePopup(h, "Zoé", "TextEntrySecondTyped.png"));
  ASSERT_NO_FATAL_FAILURE(ContinueToTheMenu(h));

  // Zoé and Zoë Walker are two players with files of their own.
  const std::string zoe = "Zo\xC3\xA9";
  files = PlayerFiles(h);
  EXPECT_EQ(files, (std::set<std::string>{zoeWalker + ".opt", zoeWalker + ".usr", zoe + ".opt", zoe + ".usr"}));
  ASSERT_TRUE(ReadPlayer(h, zoe + ".usr", &player));
  EXPECT_STREQ(player.name, "Zo\xE9");

  // Both are listed on Load / Delete Players.
  NewcomerClick(h, kPlayerX, kPlayerY);
  ASSERT_TRUE(h.WaitForPixel(kContinuePlayerX, kContinuePlayerY, IsButtonGreen, 60)) << Why(h);
  NewcomerClick(h, 320, kCreateY);
  ASSERT_TRUE(h.WaitForPixelIn(300, 150, 340, 210, IsLightText, 60)) << "the player list" << Why(h);
  Shot(h, "TextEntryLoadPlayers.png");
  EXPECT_EQ(h.LogErrorLines().find("( MWin"), std::string::npos) << h.LogErrorLines();
}

// " Bob" is refused: the word why comes over the new player's screen (a
// look at it in TextEntryRefusedName.png) and its OK closes it; the form's
// name is empty for another.
TEST_F(TextEntryRunTest, ANameStartingWithABlankIsRefusedSayingWhy) {
  ProgramHarness h(dir_ + "/home");
  ASSERT_NO_FATAL_FAILURE(StartToTheNamePopup(h));
  ASSERT_TRUE(h.Type(" Bob"));
  ASSERT_TRUE(WaitForTypedText(h)) << "the name typed" << Why(h);
  h.Key("Return");
  // The name popup gone, another popup keeps the title dimmed: the word.
  const auto dimmedTitle = [&h] { return !h.WaitForPixelIn(200, 20, 440, 60, IsBrightGold, 0.5); };
  ASSERT_TRUE(h.WaitForPixel(kFieldX, kFieldY, [](int r, int g, int b) { return !IsGold(r, g, b); }, 60))
      << "the name popup closed" << Why(h);
  ASSERT_TRUE(ProgramHarness::WaitUntil(dimmedTitle, 60)) << "the word why" << Why(h);
  Shot(h, "TextEntryRefusedName.png");
  h.Key("Return");
  ASSERT_TRUE(h.WaitForPixelIn(200, 20, 440, 60, IsBrightGold, 60)) << "OK closes the word" << Why(h);
  EXPECT_FALSE(h.WaitForPixelIn(kNameLeft, kNameTop, kNameRight, kNameBottom, IsLightText, 1))
      << "the refused name still on the form" << Why(h);
  Shot(h, "TextEntryRefusedNameClosed.png");
  EXPECT_EQ(h.LogErrorLines(), "");
}

}  // namespace
