// The whole road of play, run as a player would on a private X server: a
// new player, Klondike with deal 1234 typed on the Game page, a card
// dragged and the stock clicked, the in-game menu back to the main menu,
// the saved game face down on the Game page, Continue to the same table,
// P to pause and resume, Rules with a glossary popup, and the way out.
// And the saved game's road across Exit and restarts: stock turns undone
// one by one, the game left, Exit from the menu, Continue after a restart;
// a saved game that cannot be read kept aside with a word to the player,
// and the deal that replaces it holding every card once. A save that fails
// (a full disk, a read-only one) keeps the game at the table until it can
// be saved or the player gives it up. And a game in play ended by SIGTERM,
// SIGINT or SIGHUP (a logout, kill, Ctrl+C, the terminal closed) is saved
// as at Exit, and one whose display goes away is saved, with its clock,
// before the end.
//
// Where the cards lie is worked out here, in the test's own process: the
// same deal of the same game laid out by the card core, projected with the
// player's camera at the window's size.
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Engine/EngEncryption.h"
#include "Engine/EngFile.h"
#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/GenBytes.h"
#include "Game/GameImports.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenImage.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSave.h"
#include "Game/GenSaveLocal.h"
#include "Game/GenSelectionLocal.h"
#include "Game/SolCards.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/Program/Play/PlayTable.h"
#include "tests/Program/TablePoint.h"
#include "tests/Support/NewPlayerDeck.h"
#include "tests/Support/ProgramHarness.h"
#include "tests/Support/TestSupport.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr unsigned kDeal = 1234;
using playrun::CardOnScreen;
using playrun::DealHere;
using playrun::IsLight;
using playrun::ScreenPoint;
using playrun::TopsShowFaces;

bool IsRed(int suit) { return suit == 0 || suit == 2; }

// A tableau move of Klondike on the dealt table: a face-up card (with the
// cards on it) onto the top of another column one rank higher in the other
// colour.
struct Move {
  int from, index, to;
};
bool FindTableauMove(const Gen& g, Move* move) {
  for (int from = 0; from < g.numTableaus; ++from) {
    const CardGroup& source = g.tableaus[from];
    for (int i = 0; i < source.numCards; ++i) {
      const Card& card = source.cards[i];
      if (!card.faceUp) continue;
      for (int to = 0; to < g.numTableaus; ++to) {
        const CardGroup& target = g.tableaus[to];
        if (to == from || target.numCards == 0) continue;
        const Card& top = target.cards[target.numCards - 1];
        if (top.faceUp && top.rank == card.rank + 1 && IsRed(top.suit) != IsRed(card.suit)) {
          *move = Move{from, i, to};
          return true;
        }
      }
    }
  }
  return false;
}

// Klondike's deal kDeal as the program deals it for a new player, kept.
std::unique_ptr<Gen> KlondikeDealtHere() {
  DealHere(kGameKlondike, kDeal);
  return std::make_unique<Gen>(g_GenLive);
}

// Where the stock's top card lies on the screen.
ScreenPoint StockOnScreen(const Gen& g) { return CardOnScreen(g.deck, g.deck.numCards - 1); }

// The saved game of the player read into the load scratch.
bool ReadSavedGame(const std::string& file, Gen* out) {
  std::vector<std::uint8_t> bytes(kGenSaveFileSize + 1);
  std::FILE* f = std::fopen(file.c_str(), "rb");
  if (!f) return false;
  const std::size_t n = std::fread(bytes.data(), 1, kGenSaveFileSize, f);
  std::fclose(f);
  if (n != static_cast<std::size_t>(kGenSaveFileSize)) return false;
  // After the plain version float: the counter block and the record.
  return EngEncryptionDecrypt(bytes.data() + 4, kGenImageSize) && GenReadImage(*out, bytes.data() + 4);
}

// The games of the player's statistics file, in the order they ended (the
// header block, then one 96-byte block per game): each its won flag and
// its game tag.
struct StatsGame {
  bool won;
  std::string tag;
};
std::vector<StatsGame> ReadStatsGames(const std::string& file) {
  std::vector<StatsGame> games;
  std::FILE* f = std::fopen(file.c_str(), "rb");
  if (!f) return games;
  std::vector<unsigned char> block(97);
  std::fseek(f, 32, SEEK_SET);
  while (std::fread(block.data(), 1, 96, f) == 96) {
    if (!EngEncryptionDecrypt(block.data(), 80)) break;
    games.push_back(StatsGame{block[6] != 0, reinterpret_cast<const char*>(block.data() + 12)});
  }
  std::fclose(f);
  return games;
}

// The same table: every pile holds the same cards, each face up or down
// alike.
bool SameTable(const Gen& a, const Gen& b) {
  bool same = a.dealNumber == b.dealNumber && a.numTableaus == b.numTableaus &&
              a.numFoundations == b.numFoundations;
  auto pile = [&same](const CardGroup& x, const CardGroup& y) {
    if (x.numCards != y.numCards) same = false;
    for (int i = 0; same && i < x.numCards; ++i) {
      same = x.cards[i].suit == y.cards[i].suit && x.cards[i].rank == y.cards[i].rank &&
             x.cards[i].faceUp == y.cards[i].faceUp;
    }
  };
  pile(a.deck, b.deck);
  pile(a.waste, b.waste);
  for (int i = 0; same && i < a.numTableaus; ++i) pile(a.tableaus[i], b.tableaus[i]);
  for (int i = 0; same && i < a.numFoundations; ++i) pile(a.foundations[i], b.foundations[i]);
  return same;
}

// The share of pixels that differ between two screenshots, outside the
// status corners and the Menu button.
double DifferentShare(const std::vector<unsigned long>& a, const std::vector<unsigned long>& b) {
  if (a.size() != b.size() || a.empty()) return 1.0;
  const int cornerW = kWidth * 64 / 640, cornerH = kHeight * 24 / 480;
  long differing = 0, counted = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool top = y < cornerH, bottom = y >= kHeight - cornerH;
      const bool left = x < cornerW, right = x >= kWidth - cornerW;
      if ((top || bottom) && (left || right)) continue;
      ++counted;
      const std::size_t i = static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x);
      if (a[i] != b[i]) ++differing;
    }
  }
  return static_cast<double>(differing) / static_cast<double>(counted);
}

// The share of pixels in two parts of the screen that a popup never covers
// (right of it, and the lower left) which do not show the table's pixel
// dimmed as an open popup dims what lies behind it: the darkening is
// measured on a band of table above the popup. There the main menu's Game
// page had its picture of the table and its splash panel.
double NotDimmedTableShare(const std::vector<unsigned long>& table, const std::vector<unsigned long>& shot) {
  if (table.size() != shot.size() || table.size() != static_cast<std::size_t>(kWidth) * kHeight) return 1.0;
  auto channel = [](unsigned long c, int shift) { return static_cast<double>((c >> shift) & 0xFF); };
  auto each = [](float x0, float y0, float x1, float y1, auto f) {
    for (int y = static_cast<int>(y0 * kHeight / 480); y < static_cast<int>(y1 * kHeight / 480); ++y) {
      for (int x = static_cast<int>(x0 * kWidth / 640); x < static_cast<int>(x1 * kWidth / 640); ++x) {
        f(static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x));
      }
    }
  };
  double lit = 0, dimmed = 0;
  each(70, 70, 570, 125, [&](std::size_t i) {
    for (const int shift : {0, 8, 16}) {
      lit += channel(table[i], shift);
      dimmed += channel(shot[i], shift);
    }
  });
  if (lit <= 0) return 1.0;
  const double k = dimmed / lit;
  long counted = 0, other = 0;
  auto check = [&](std::size_t i) {
    ++counted;
    for (const int shift : {0, 8, 16}) {
      if (std::abs(channel(shot[i], shift) - k * channel(table[i], shift)) > 16) {
        ++other;
        return;
      }
    }
  };
  each(530, 140, 620, 355, check);
  each(20, 320, 110, 450, check);
  return static_cast<double>(other) / static_cast<double>(counted);
}

// Waits until four screenshots over 0.9 s are the same outside the
// corners: no card moves any more. One pair 0.3 s apart is not enough on a
// busy machine, where the program may draw no frame for that long while a
// turn's last cards are still to fly; a click then would be refused and the
// flight still to come would pass for its turn. False after a minute.
bool WaitStill(ProgramHarness& h) {
  constexpr int kSamePolls = 3;
  std::vector<unsigned long> last;
  int same = 0;
  return h.WaitUntil(
      [&] {
        std::vector<unsigned long> now = h.Pixels();
        same = DifferentShare(last, now) == 0 ? same + 1 : 0;
        last = std::move(now);
        return same >= kSamePolls;
      },
      60, 0.3);
}

// Waits until the stock at a point of the 640 x 480 space is drawn otherwise
// than before (its count changes when it turns; an autoplayed card flying
// elsewhere does not); false after a minute.
bool WaitForStockChange(ProgramHarness& h, const std::vector<unsigned long>& before, ScreenPoint stock) {
  const int cx = static_cast<int>(stock.x * kWidth / 640), cy = static_cast<int>(stock.y * kHeight / 480);
  const int half = kWidth * 20 / 640;
  for (int i = 0; i < 300; ++i) {
    const std::vector<unsigned long> now = h.Pixels();
    if (now.size() != before.size()) return false;
    int differing = 0;
    for (int y = std::max(0, cy - half); y < std::min(kHeight, cy + half); ++y) {
      for (int x = std::max(0, cx - half); x < std::min(kWidth, cx + half); ++x) {
        const std::size_t at = static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x);
        differing += before[at] != now[at] ? 1 : 0;
      }
    }
    if (differing > 20) return true;
    ProgramHarness::Settle(0.2);
  }
  return false;
}

// Waits until the screen differs from before (the program has taken the
// input) and then stands still as WaitStill says, still other than before
// (a card dropped where it may not go flies back); false after a minute
// for each wait, or when the still screen is the one before.
bool WaitChangedAndStill(ProgramHarness& h, const std::vector<unsigned long>& before) {
  const auto changed = [&] { return DifferentShare(before, h.Pixels()) > 0.001; };
  return h.WaitUntil(changed, 60, 0.3) && WaitStill(h) && changed();
}

// The gold text field of the deal-number popup, and the dark green body of
// a popup over the Game page's picture.
bool IsGold(int r, int g, int b) { return r > 100 && g > 70 && r > b + 60; }
// A point of the deal-number popup's field beside its text: the old number
// it opens with is selected, its band over the field's middle.
constexpr float kDealFieldX = 200, kDealFieldY = 233;
bool IsPopupGreen(int r, int g, int b) { return g > r + 10 && g > b && g < 120; }
// Light text, the gold frame of a panel, and a green button's face.
bool IsLightText(int r, int g, int b) { return r > 150 && g > 150 && b > 150; }
bool IsFrameGold(int r, int g, int b) { return r > 160 && g > 130 && b < 120 && r > b + 60; }
bool IsButtonGreen(int r, int g, int b) { return g > r + 25 && g > b + 15; }

// Waits until the main menu shows (its green New Game button); false after
// two minutes.
bool WaitForMenu(ProgramHarness& h) {
  return h.WaitForPixel(343, 449, [](int r, int g, int) { return g > r + 20; }, 120);
}

// Waits until the main menu shows with its Game page's picture drawn (the
// first visit makes the picture; a saved game shows face down in it).
bool WaitForGamePage(ProgramHarness& h) {
  return h.WaitForPixel(320, 240, [](int r, int g, int b) { return r + g + b > 120; }, 240) && WaitForMenu(h);
}

// Every card of the deck exactly once in the piles of a Klondike record.
bool HoldsEachCardOnce(const Gen& g) {
  int count[4][14] = {};
  int cards = 0;
  GenForEachPileInUse(g, [&](const CardGroup& pile, int) {
    for (int i = 0; i < pile.numCards; ++i, ++cards) {
      const Card& c = pile.cards[i];
      if (c.suit >= 0 && c.suit < 4 && c.rank >= 1 && c.rank <= 13) ++count[c.suit][c.rank];
    }
  });
  for (int suit = 0; suit < 4; ++suit) {
    for (int rank = 1; rank <= 13; ++rank) {
      if (count[suit][rank] != 1) return false;
    }
  }
  return cards == 52;
}

// Waits until a Klondike deal has flown out and the table stands still; a
// still table alone may be one whose deal is still to fly on a busy machine.
// False after the time.
bool WaitForDealt(ProgramHarness& h, const Gen& dealt) {
  return h.WaitUntil([&] { return TopsShowFaces(h, dealt); }, 90, 0.2) && WaitStill(h);
}

// The player's SavedGames folder on a small disk of its own (a tmpfs of
// 1 MiB, too small for a saved game), in a mount namespace private to this
// test process: the X server and the program it starts share it, the rest
// of the machine never sees it. The disk can be grown or made read-only
// under the running program. It must be made while the process has one
// thread (before the harness, whose server runs one). Without the right to
// mount here, why says so.
class SavedGamesDisk {
 public:
  SavedGamesDisk(const std::string& folder, std::string* why) : folder_(folder) {
    std::filesystem::create_directories(folder);
    *why = PrivateMountsRefused();
    if (!why->empty()) {
      *why = "no private mount namespace: " + *why;
      return;
    }
    if (!PrivateNamespace()) {
      *why = std::string("no private mount namespace: ") + std::strerror(errno);
      return;
    }
    // Mounts made here must not reach the machine's own namespace.
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("cardolia-test", folder.c_str(), "tmpfs", 0, "size=1m") != 0) {
      *why = std::string("no tmpfs over SavedGames: ") + std::strerror(errno);
      return;
    }
    mounted_ = true;
  }
  ~SavedGamesDisk() {
    if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
  }
  bool Grow() { return mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT, "size=64m") == 0; }
  bool MakeReadOnly() { return mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0; }

 private:
  // As root a mount namespace of its own; otherwise one inside a user
  // namespace where this user is root.
  static bool PrivateNamespace() {
    if (unshare(CLONE_NEWNS) == 0) return true;
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    auto write = [](const char* file, const std::string& text) {
      std::ofstream out(file);
      out << text;
      return static_cast<bool>(out.flush());
    };
    return write("/proc/self/setgroups", "deny") &&
           write("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") &&
           write("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
  }
  std::string folder_;
  bool mounted_ = false;
};

// The left one of the two buttons of the popup over the table (the faces
// of the toolkit's buttons, far greener than the popup's body), its centre
// in the 640 x 480 space: the row where both faces are widest (their text
// splits the rows across it) gives the button's left and right edges, and
// the rows that show it so give its top and bottom. False when no row of
// the screen shows two button faces.
bool FindLeftPopupButton(const std::vector<unsigned long>& pixels, float* x, float* y) {
  if (pixels.size() != static_cast<std::size_t>(kWidth) * kHeight) return false;
  auto isFace = [](unsigned long c) {
    const long r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    return g > r + 40 && g > b + 20;
  };
  struct Run {
    int left, right;
  };
  std::vector<std::pair<int, Run>> rows;  // a row showing two faces: its left one
  for (int row = kHeight / 4; row < kHeight * 3 / 4; ++row) {
    std::vector<Run> runs;
    int start = -1;
    for (int col = 0; col <= kWidth; ++col) {
      const bool face = col < kWidth && isFace(pixels[static_cast<std::size_t>(row) * kWidth + col]);
      if (face && start < 0) start = col;
      if (!face && start >= 0) {
        if (col - start >= kWidth / 32) runs.push_back(Run{start, col});
        start = -1;
      }
    }
    if (runs.size() == 2) rows.emplace_back(row, runs[0]);
  }
  if (rows.empty()) return false;
  Run widest = rows[0].second;
  for (const auto& [row, run] : rows) {
    if (run.right - run.left > widest.right - widest.left) widest = run;
  }
  int top = kHeight, bottom = -1;
  for (const auto& [row, run] : rows) {
    if (std::abs(run.left - widest.left) > 4 || std::abs(run.right - widest.right) > 4) continue;
    top = std::min(top, row);
    bottom = std::max(bottom, row);
  }
  *x = static_cast<float>(widest.left + widest.right) / 2 * 640 / kWidth;
  *y = static_cast<float>(top + bottom) / 2 * 480 / kHeight;
  return true;
}

class PlayRunTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    shots_ = std::string(CARDOLIA_BUILD_DIR) + "/screenshots/";
    std::filesystem::create_directories(shots_);
    // The layouts file is the build's.
    std::filesystem::current_path(CARDOLIA_BUILD_DIR);
    EngEncryptionInit("Mplx4QoragZn_265");
  }
  // From the prepared new player's deck to Ann, made on the New Player
  // screen, at the main menu with Klondike chosen and its Game page
  // picture made; else the step that did not come.
  ::testing::AssertionResult StartAnnAtKlondike(ProgramHarness& h) {
    const auto failed = [&](const char* step) { return ::testing::AssertionFailure() << step << "; " << Why(h); };
    std::string noDeck;
    if (!TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) return ::testing::AssertionFailure() << noDeck;
    if (!h.StartDisplay(kWidth, kHeight)) return ::testing::AssertionFailure() << "no X server";
    if (!h.StartProgram()) return ::testing::AssertionFailure() << "the program did not start";
    if (!h.WaitForLog("RESOLUTION2", 30)) return failed("no RESOLUTION2 in the log");
    if (!h.WaitForPixel(40, 448, IsButtonGreen, 30)) return failed("Create New Player");
    h.ClickVirtual(124, 448);  // Create New Player
    if (!h.WaitForPixel(237, 226, IsGold, 120)) return failed("the name popup");
    h.Type("Ann");
    if (!h.WaitForPixelIn(300, 220, 340, 233, IsLightText, 30)) return failed("the name typed");
    h.Key("Return");
    if (!h.WaitForPixel(237, 226, [](int r, int g, int b) { return !IsGold(r, g, b); }, 120)) {
      return failed("the name popup closed");
    }
    h.ClickVirtual(320, 442);  // Continue: the player is made
    if (!h.WaitUntilDrawn(630, 100, 240)) return failed("the menu drawn");
    if (!WaitForGamePage(h)) return failed("the Game page");
    h.ClickVirtual(100, 163);  // Klondike
    const std::string picture = h.UserFolder() + "/Layouts/Klondike.c3m";
    if (!h.WaitUntil([&] { return std::filesystem::exists(picture); }, 120, 0.1)) return failed("Klondike's picture");
    if (!WaitForGamePage(h)) return failed("the Game page with Klondike");
    return ::testing::AssertionSuccess();
  }
  // Ann (as above) at Klondike's deal kDeal chosen by its number, dealt as
  // laid out here and standing still; else the step that did not come.
  ::testing::AssertionResult StartAnnAtTheDeal(ProgramHarness& h, const Gen& dealt) {
    const auto failed = [&](const char* step) { return ::testing::AssertionFailure() << step << "; " << Why(h); };
    const ::testing::AssertionResult atKlondike = StartAnnAtKlondike(h);
    if (!atKlondike) return atKlondike;
    h.ClickVirtual(322, 384);  // the deal number
    if (!h.WaitForPixel(kDealFieldX, kDealFieldY, IsGold, 120)) return failed("the deal-number popup");
    h.Type(std::to_string(kDeal));
    if (!h.WaitForPixelIn(300, 228, 340, 239, IsLightText, 30)) return failed("the deal number typed");
    h.Key("Return");
    if (!h.WaitForPixel(320, 215, IsPopupGreen, 120)) return failed("the deal note");
    h.Key("Return");
    h.MoveVirtual(320, 470);
    // A busy program shows the note still for a while after the key: a
    // click on the stock before it has gone would only close it.
    if (!h.WaitForPixel(320, 215, [](int r, int g, int b) { return !IsPopupGreen(r, g, b); }, 120)) {
      return failed("the deal note closed");
    }
    if (!WaitForDealt(h, dealt)) return failed("the dealt table standing still");
    return ::testing::AssertionSuccess();
  }
  // Starts the program again and continues Ann's saved game from the Game
  // page; share is the part of the screen that differs from table once the
  // two agree, or after a minute.
  ::testing::AssertionResult ContinueAnnsGame(ProgramHarness& h, const std::vector<unsigned long>& table,
                                              double* share) {
    if (!h.StartProgram()) return ::testing::AssertionFailure() << "the program did not start again";
    if (!h.WaitForLog("RESOLUTION2", 30)) return ::testing::AssertionFailure() << "no RESOLUTION2; " << Why(h);
    if (!h.WaitForPixel(210, 400, IsButtonGreen, 30)) {
      return ::testing::AssertionFailure() << "Continue Player; " << Why(h);
    }
    h.ClickVirtual(320, 400);  // Continue Player: Ann
    if (!WaitForGamePage(h)) return ::testing::AssertionFailure() << "the Game page; " << Why(h);
    h.ClickVirtual(420, 443);  // Continue Game
    h.MoveVirtual(320, 470);
    h.WaitUntil([&] { return (*share = DifferentShare(table, h.Pixels())) < 0.001; }, 60, 0.3);
    return ::testing::AssertionSuccess();
  }
  // Ann at Klondike's deal kDeal (laid out here as dealt) after one turn of
  // the stock, the table standing still; else the step that did not come.
  ::testing::AssertionResult StartAnnAfterAStockTurn(ProgramHarness& h, const Gen& dealt) {
    const ::testing::AssertionResult started = StartAnnAtTheDeal(h, dealt);
    if (!started) return started;
    return TurnStock(h, StockOnScreen(dealt));
  }
  // A click on the stock where it lies, the turn seen and the table standing
  // still (a signal or a key would come before a click still queued); else
  // why not.
  ::testing::AssertionResult TurnStock(ProgramHarness& h, ScreenPoint stock) {
    const std::vector<unsigned long> before = h.Pixels();
    h.ClickVirtual(stock.x, stock.y);
    h.MoveVirtual(320, 470);
    if (!WaitForStockChange(h, before, stock)) return ::testing::AssertionFailure() << "the stock did not turn; " << Why(h);
    if (!WaitStill(h)) return ::testing::AssertionFailure() << "the table moving on; " << Why(h);
    return ::testing::AssertionSuccess();
  }
  // A screenshot for a person to look at; the test asserts on the pixels.
  void Shot(ProgramHarness& h, const char* name) { h.Screenshot(shots_ + name); }
  // What the screen and the log showed when a wait ran out.
  std::string Why(ProgramHarness& h) {
    h.Screenshot(shots_ + "PlayFailed.png");
    const std::string log = h.LogText();
    return "screen in PlayFailed.png; the log's end:\n" + log.substr(log.size() > 3000 ? log.size() - 3000 : 0);
  }
  std::string shots_;
};

TEST_F(PlayRunTest, ANewPlayerPlaysADealLeavesItAndContinuesIt) {
  // The table of deal 1234 as this process lays it out.
  DealHere(kGameKlondike, kDeal);
  std::unique_ptr<Gen> dealt(new Gen(g_GenLive));
  Move move{};
  ASSERT_TRUE(FindTableauMove(*dealt, &move)) << "deal 1234 has no tableau move";

  ProgramHarness h(dir_ + "/home");
  std::string noDeck;
  ASSERT_TRUE(TestUseNewPlayerDeck(h.UserFolder(), &noDeck)) << noDeck;
  ASSERT_TRUE(h.StartDisplay(kWidth, kHeight));
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 30));
  ASSERT_TRUE(h.WaitForPixel(40, 448, IsButtonGreen, 30)) << "Create New Player" << Why(h);
  // A new player. Each step waits for the screen it needs: on a busy
  // machine a name typed before its popup is lost, and a second Continue
  // would land on the menu's New Game.
  h.ClickVirtual(124, 448);
  ASSERT_TRUE(h.WaitForPixel(237, 226, IsGold, 120)) << "the name popup" << Why(h);
  h.Type("Ann");
  ASSERT_TRUE(h.WaitForPixelIn(300, 220, 340, 233, IsLightText, 30)) << "the name typed" << Why(h);
  h.Key("Return");
  ASSERT_TRUE(h.WaitForPixel(237, 226, [](int r, int g, int b) { return !IsGold(r, g, b); }, 120))
      << "the name popup closed" << Why(h);
  h.ClickVirtual(320, 442);  // Continue: the player is made and play starts
  ASSERT_TRUE(h.WaitUntilDrawn(630, 100, 240)) << Why(h);
  // The first visit makes the Game page's picture of Klondike.
  ASSERT_TRUE(h.WaitForPixel(320, 240, [](int r, int g, int b) { return r + g + b > 120; }, 240))
      << "the Game page's picture" << Why(h);
  ASSERT_TRUE(WaitForMenu(h)) << Why(h);
  Shot(h, "PlayMenu.png");
  const std::string saved = h.UserFolder() + "/SavedGames/Ann_Klondike";
  // The picture's cards come once the page has stood a moment.
  EXPECT_TRUE(h.WaitUntil([&] { return std::filesystem::exists(h.UserFolder() + "/Layouts/Klondike.c3m"); }, 60, 0.1));

  // Klondike from the list, deal 1234 on the Game page. Each key waits for
  // its popup: a Return in the menu itself would press its default button.
  // (The program takes the two clicks in turn: the list's refresh of the
  // picture is done before the second.)
  h.ClickVirtual(100, 163);
  h.ClickVirtual(322, 384);  // "GameNum": the deal-number popup
  ASSERT_TRUE(h.WaitForPixel(kDealFieldX, kDealFieldY, IsGold, 120)) << "the deal-number popup" << Why(h);
  h.Type(std::to_string(kDeal));
  ASSERT_TRUE(h.WaitForPixelIn(300, 228, 340, 239, IsLightText, 30)) << "the deal number typed" << Why(h);
  Shot(h, "PlayDealNumber.png");
  h.Key("Return");
  ASSERT_TRUE(h.WaitForPixel(320, 233, [](int r, int g, int b) { return !IsGold(r, g, b); }, 120))
      << "the deal-number popup closed" << Why(h);
  ASSERT_TRUE(h.WaitForPixel(320, 215, IsPopupGreen, 120)) << "the deal note" << Why(h);
  Shot(h, "PlayDealNote.png");
  h.Key("Return");  // the note's OK: the deal is played
  h.MoveVirtual(320, 470);
  // The dealt table is the one laid out here: once the deal has flown out,
  // every column's top card shows its face.
  const bool dealtOut = h.WaitUntil([&] { return TopsShowFaces(h, *dealt); }, 90, 0.2);
  Shot(h, "PlayDealt.png");
  ASSERT_TRUE(dealtOut) << "every column's top card face up where it is laid out here" << Why(h);

  // A drag of a legal move, then a click on the stock.
  const CardGroup& source = dealt->tableaus[move.from];
  const CardGroup& target = dealt->tableaus[move.to];
  const ScreenPoint from = CardOnScreen(source, move.index, 2.5f);
  const ScreenPoint to = CardOnScreen(target, target.numCards - 1);
  ASSERT_TRUE(WaitStill(h)) << Why(h);
  const std::vector<unsigned long> beforeDrag = h.Pixels();
  ASSERT_TRUE(h.DragVirtual(from.x, from.y, to.x, to.y));
  EXPECT_TRUE(WaitChangedAndStill(h, beforeDrag)) << "the drag moved nothing" << Why(h);
  const ScreenPoint stock = CardOnScreen(dealt->deck, dealt->deck.numCards - 1);
  const std::vector<unsigned long> beforeClick = h.Pixels();
  h.ClickVirtual(stock.x, stock.y);
  h.MoveVirtual(320, 470);
  EXPECT_TRUE(WaitChangedAndStill(h, beforeClick)) << "the stock click turned nothing" << Why(h);
  Shot(h, "PlayMoved.png");
  const std::vector<unsigned long> before = h.Pixels();

  // Resting on Menu opens the in-game menu; Main leaves the game.
  h.MoveVirtual(610, 10);
  ASSERT_TRUE(h.WaitForPixel(580.6f, 156.2f, IsFrameGold, 60)) << "the in-game menu" << Why(h);
  Shot(h, "PlayInGameMenu.png");
  h.ClickVirtual(609.5f, 203);
  ASSERT_TRUE(WaitForMenu(h)) << Why(h);
  ASSERT_TRUE(std::filesystem::exists(saved + ".c3o"));
  std::unique_ptr<Gen> record(new Gen);
  ASSERT_TRUE(ReadSavedGame(saved + ".c3o", record.get()));
  EXPECT_EQ(record->dealNumber, kDeal);
  EXPECT_EQ(record->tableaus[move.to].numCards,
            target.numCards + source.numCards - move.index);  // the dragged cards moved
  EXPECT_EQ(record->waste.numCards, 3);  // the stock turned three
  // The Game page shows the saved game face down: its picture is drawn (the
  // table's light felt), and not one red pip lies in its frame, though the
  // table holds red faces.
  auto redPips = [&h] {
    const std::vector<unsigned long> menu = h.Pixels();
    int red = 0;
    for (int y = 138 * kHeight / 480; y < 359 * kHeight / 480; y += 2) {
      for (int x = 218 * kWidth / 640; x < 623 * kWidth / 640; x += 2) {
        const unsigned long c = menu[static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x)];
        red += ((c >> 16) & 0xFF) > 140 && ((c >> 8) & 0xFF) < 70 && (c & 0xFF) < 70 ? 1 : 0;
      }
    }
    return red;
  };
  ASSERT_TRUE(h.WaitForPixel(320, 240, [](int r, int g, int b) { return r + g + b > 120; }, 60))
      << "the Game page's picture of the saved game" << Why(h);
  Shot(h, "PlayMenuFaceDown.png");
  EXPECT_EQ(redPips(), 0);

  // Continue: the same table.
  h.ClickVirtual(420, 443);
  h.MoveVirtual(320, 470);
  // A busy machine resumes later: wait, bounded, for the same picture.
  double share = 1;
  h.WaitUntil([&] { return (share = DifferentShare(before, h.Pixels())) < 0.001; }, 60, 0.3);
  Shot(h, "PlayContinued.png");
  EXPECT_LT(share, 0.001) << Why(h);

  // P hides the faces, P shows them again.
  const CardGroup& column = record->tableaus[move.to];
  const ScreenPoint face = CardOnScreen(column, column.numCards - 1);
  // A busy machine draws each change later: wait for it, bounded.
  auto faceIsLight = [&h, &face] { return IsLight(h.PixelVirtual(face.x, face.y)); };
  EXPECT_TRUE(h.WaitUntil(faceIsLight, 30)) << "the continued table's face" << Why(h);
  h.Key("p");
  EXPECT_TRUE(h.WaitUntil([&] { return !faceIsLight(); }, 30)) << "the faces hidden by P" << Why(h);
  Shot(h, "PlayPaused.png");
  h.Key("p");
  EXPECT_TRUE(h.WaitUntil(faceIsLight, 30)) << "the faces shown again by P" << Why(h);

  // Rules with the glossary, over the table.
  h.Key("F1");
  ASSERT_TRUE(h.WaitForPixel(320, 417.5f, IsButtonGreen, 60)) << "the rules' Done" << Why(h);
  Shot(h, "PlayRules.png");
  h.ClickVirtual(125, 380);  // the first glossary button (the screen is centred)
  // The glossary popup dims Done beneath it and shows its own OK.
  ASSERT_TRUE(h.WaitForPixel(320, 417.5f, [](int r, int g, int b) { return !IsButtonGreen(r, g, b); }, 60))
      << "the glossary popup" << Why(h);
  EXPECT_TRUE(h.WaitForPixel(300, 268, IsButtonGreen, 60)) << "the glossary popup's OK" << Why(h);
  Shot(h, "PlayGlossary.png");
  h.Key("Return");  // the popup's OK
  ASSERT_TRUE(h.WaitForPixel(320, 417.5f, IsButtonGreen, 60)) << "the rules again" << Why(h);
  h.Key("Escape");  // Done: back to play
  h.MoveVirtual(320, 470);
  EXPECT_TRUE(h.WaitUntil(faceIsLight, 60)) << "the table again" << Why(h);

  // Escape saves and goes to the menu: the same table as before.
  h.Key("Escape");
  ASSERT_TRUE(WaitForMenu(h)) << Why(h);
  std::unique_ptr<Gen> again(new Gen);
  ASSERT_TRUE(ReadSavedGame(saved + ".c3o", again.get()));
  EXPECT_TRUE(SameTable(*record, *again));
  h.ClickVirtual(612, 458);  // Exit
  EXPECT_EQ(h.WaitForExit(60), 0);
  EXPECT_EQ(h.LogErrorLines(), "");
}

// Stock turns are undo steps; leaving the table saves the game, and Exit
// from the menu (after the Game page has reset the table for its picture)
// keeps that save: after a restart Continue gives the same table. A saved
// game damaged between runs is kept aside and the player told, in play and
// in the menu, and the deal that replaces it holds every card once.
TEST_F(PlayRunTest, TheSavedGameSurvivesExitAndADamagedOneIsKeptAside) {
  DealHere(kGameKlondike, kDeal);
  std::unique_ptr<Gen> dealt(new Gen(g_GenLive));
  const ScreenPoint stock = CardOnScreen(dealt->deck, dealt->deck.numCards - 1);

  ProgramHarness h(dir_ + "/home");
  ASSERT_TRUE(StartAnnAtTheDeal(h, *dealt));
  const std::string saved = h.UserFolder() + "/SavedGames/Ann_Klondike";

  // Three stock turns, then one undo: the table of two turns is back.
  std::vector<unsigned long> table;
  for (int turn = 1; turn <= 3; ++turn) {
    const std::vector<unsigned long> before = h.Pixels();
    h.ClickVirtual(stock.x, stock.y);
    h.MoveVirtual(320, 470);
    ASSERT_TRUE(WaitForStockChange(h, before, stock)) << "stock turn " << turn << " turned nothing";
    ASSERT_TRUE(WaitStill(h)) << Why(h);
    if (turn == 2) table = h.Pixels();
  }
  h.Key("ctrl+z");
  double undone = 1;
  h.WaitUntil([&] { return (undone = DifferentShare(table, h.Pixels())) < 0.001; }, 10, 0.25);
  Shot(h, "SavedTwoTurns.png");
  EXPECT_LT(undone, 0.001) << "one undo takes back one stock turn";

  // Leave: the game is saved and the Game page shows it; Exit keeps it.
  h.Key("Escape");
  ASSERT_TRUE(WaitForGamePage(h)) << Why(h);
  Shot(h, "SavedMenu.png");
  std::unique_ptr<Gen> left(new Gen);
  ASSERT_TRUE(ReadSavedGame(saved + ".c3o", left.get()));
  EXPECT_EQ(left->dealNumber, kDeal);
  EXPECT_EQ(left->waste.numCards, 6);
  EXPECT_EQ(left->deck.numCards, dealt->deck.numCards - 6);
  h.ClickVirtual(612, 458);  // Exit
  ASSERT_EQ(h.WaitForExit(60), 0);
  EXPECT_EQ(h.LogErrorLines(), "");
  std::unique_ptr<Gen> afterExit(new Gen);
  ASSERT_TRUE(ReadSavedGame(saved + ".c3o", afterExit.get())) << "Exit left no readable saved game";
  EXPECT_TRUE(SameTable(*left, *afterExit)) << "Exit wrote another record over the saved game";

  // A restart: Continue gives the same table.
  double share = 1;
  ASSERT_TRUE(ContinueAnnsGame(h, table, &share));
  Shot(h, "SavedContinued.png");
  EXPECT_LT(share, 0.001) << Why(h);
  EXPECT_EQ(h.LogErrorLines(), "");
  h.Key("Escape");
  ASSERT_TRUE(WaitForMenu(h)) << Why(h);
  h.ClickVirtual(612, 458);  // Exit
  ASSERT_EQ(h.WaitForExit(60), 0);

  // Damaged between runs: Continue keeps it aside, says so over a new
  // deal, and that deal holds every card once.
  std::string bytes = ReadFile(saved + ".c3o");
  ASSERT_EQ(bytes.size(), static_cast<std::size_t>(kGenSaveFileSize));
  for (std::size_t i = 40000; i < 90000; ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5A);
  WriteFile(saved + ".c3o", bytes);
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 30));
  ASSERT_TRUE(h.WaitForPixel(210, 400, IsButtonGreen, 30)) << "Continue Player" << Why(h);
  h.ClickVirtual(320, 400);
  ASSERT_TRUE(WaitForGamePage(h)) << Why(h);
  h.ClickVirtual(420, 443);  // Continue Game
  ASSERT_TRUE(h.WaitForLog("kept as <", 60)) << Why(h);
  h.MoveVirtual(320, 470);
  ASSERT_TRUE(h.WaitForPixel(320, 215, IsPopupGreen, 120)) << "the word of the damaged game" << Why(h);
  Shot(h, "SavedDamagedInPlay.png");
  EXPECT_EQ(ReadFile(saved + ".c3o.damaged"), bytes);
  h.Key("Return");  // the popup's OK: play goes on
  h.MoveVirtual(320, 470);
  ASSERT_TRUE(h.WaitForPixel(320, 215, [](int r, int g, int b) { return !IsPopupGreen(r, g, b); }, 120))
      << "the word closed" << Why(h);
  ASSERT_TRUE(WaitStill(h)) << Why(h);
  Shot(h, "SavedNewDeal.png");
  h.Key("Escape");
  ASSERT_TRUE(WaitForMenu(h)) << Why(h);
  std::unique_ptr<Gen> replacing(new Gen);
  ASSERT_TRUE(ReadSavedGame(saved + ".c3o", replacing.get()));
  EXPECT_TRUE(HoldsEachCardOnce(*replacing));
  h.ClickVirtual(612, 458);  // Exit
  ASSERT_EQ(h.WaitForExit(60), 0);

  // Cut short between runs: the menu keeps it aside beside the first one
  // and says so at once.
  WriteFile(saved + ".c3o", bytes.substr(0, 1000));
  ASSERT_TRUE(h.StartProgram());
  ASSERT_TRUE(h.WaitForLog("RESOLUTION2", 30));
  ASSERT_TRUE(h.WaitForPixel(210, 400, IsButtonGreen, 30)) << "Continue Player" << Why(h);
  h.ClickVirtual(320, 400);
  ASSERT_TRUE(h.WaitForLog("kept as <", 240)) << Why(h);
  ASSERT_TRUE(h.WaitForPixel(320, 215, IsPopupGreen, 120)) << "the word of the damaged game" << Why(h);
  Shot(h, "SavedDamagedInMenu.png");
  EXPECT_EQ(ReadFile(saved + ".c3o.damaged-2"), bytes.substr(0, 1000));
  EXPECT_EQ(ReadFile(saved + ".c3o.damaged"), bytes);
  h.Key("Return");
  ASSERT_TRUE(h.WaitForPixel(320, 215, [](int r, int g, int b) { return !IsPopupGreen(r, g, b); }, 120))
      << "the word closed" << Why(h);
  h.ClickVirtual(612, 458);  // Exit
  EXPECT_EQ(h.WaitForExit(60), 0);
}

// SIGTERM (a desktop logout, kill), SIGINT (Ctrl+C) and SIGHUP (the
// terminal closed) end the program through its shutdown: the game in play
// is saved, "CLOSING DOWN" logged, exit status 0; after a restart Continue
// gives the same table.
TEST_F(PlayRunTest, ASignalEndsPlayThroughTheShutdownThatSavesTheGame) {
  const std::unique_ptr<Gen> dealt = KlondikeDealtHere();

  ProgramHarness h(dir_ + "/home");
  ASSERT_TRUE(StartAnnAfterAStockTurn(h, *dealt));
  const std::vector<unsigned long> table = h.Pixels();

  ASSERT_TRUE(h.SignalProgram(SIGTERM));
  ASSERT_EQ(h.WaitForExit(60), 0) << Why(h);
  EXPECT_NE(h.LogText().find("CLOSING DOWN"), std::string::npos) << Why(h);
  EXPECT_EQ(h.LogErrorLines(), "");
  const std::string saved = h.UserFolder() + "/SavedGames/Ann_Klondike.c3o";
  std::unique_ptr<Gen> record(new Gen);
  ASSERT_TRUE(ReadSavedGame(saved, record.get())) << "SIGTERM left no readable saved game";
  EXPECT_EQ(record->dealNumber, kDeal);
  EXPECT_EQ(record->waste.numCards, 3);

  // A restart: Continue gives the same table; SIGINT, and SIGHUP (the
  // terminal the game was started from closed), save it again.
  for (const int signalNumber : {SIGINT, SIGHUP}) {
    SCOPED_TRACE(signalNumber);
    double share = 1;
    ASSERT_TRUE(ContinueAnnsGame(h, table, &share));
    Shot(h, "SignalContinued.png");
    EXPECT_LT(share, 0.001) << Why(h);
    ASSERT_TRUE(h.SignalProgram(signalNumber));
    ASSERT_EQ(h.WaitForExit(60), 0) << Why(h);
    EXPECT_NE(h.LogText().find("CLOSING DOWN"), std::string::npos) << Why(h);
    std::unique_ptr<Gen> again(new Gen);
    ASSERT_TRUE(ReadSavedGame(saved, again.get())) << "the signal left no readable saved game";
    EXPECT_TRUE(SameTable(*record, *again));
  }
}

// The game's clock in the player's per-game options (what a continued game
// counts on from): Klondike's elapsed seconds, or -1 when the file does not
// read. The file: the cipher's counter block, then 2688 bytes whose last
// 84 x 4 are the games' seconds.
int SavedClockSeconds(const std::string& optionsFile) {
  constexpr std::size_t kOptionsSize = 2688, kTimeBlock = 2352;
  std::vector<std::uint8_t> bytes(16 + kOptionsSize + 1);
  std::FILE* f = std::fopen(optionsFile.c_str(), "rb");
  if (!f) return -1;
  const std::size_t n = std::fread(bytes.data(), 1, 16 + kOptionsSize, f);
  std::fclose(f);
  if (n != 16 + kOptionsSize || !EngEncryptionDecrypt(bytes.data(), kOptionsSize)) return -1;
  return GenGetI32(bytes.data(), kTimeBlock + 4 * kGameKlondike);
}

// The display going away under play (the X server ended, as at a logout)
// ends the program at once with status 1, but the game in play is saved
// first, and the player with it: the clock the game continues from.
TEST_F(PlayRunTest, ALostDisplayEndsPlayWithTheGameSaved) {
  const std::unique_ptr<Gen> dealt = KlondikeDealtHere();

  ProgramHarness h(dir_ + "/home");
  ASSERT_TRUE(StartAnnAtTheDeal(h, *dealt));
  // The clock counts from the dealt table on; the player plays a few
  // seconds.
  const auto dealtAt = std::chrono::steady_clock::now();
  ASSERT_TRUE(TurnStock(h, StockOnScreen(*dealt)));
  ProgramHarness::WaitUntil([&] { return std::chrono::steady_clock::now() - dealtAt > std::chrono::seconds(4); }, 10);
  ASSERT_TRUE(h.StopDisplay());
  EXPECT_EQ(h.WaitForExit(60), 1) << h.LogText();
  EXPECT_NE(h.LogText().find("DISPLAY LOST"), std::string::npos) << h.LogText();
  std::unique_ptr<Gen> record(new Gen);
  ASSERT_TRUE(ReadSavedGame(h.UserFolder() + "/SavedGames/Ann_Klondike.c3o", record.get()))
      << "the lost display left no readable saved game";
  EXPECT_EQ(record->dealNumber, kDeal);
  EXPECT_EQ(record->waste.numCards, 3);
  // Four seconds of play, the last ones perhaps not yet counted.
  EXPECT_GE(SavedClockSeconds(h.UserFolder() + "/Users/Ann.opt"), 2) << "the game's clock was not saved with it";
}

// A save that fails as the table is left keeps the game at the table, says
// so and asks: Stay (also Escape) plays on, and once there is room leaving
// saves the game. Exit over a read-only disk asks the same, and Give Up
// ends the program without the game, which counts as lost.
TEST_F(PlayRunTest, AFailedSaveKeepsTheGameAtTheTableUntilItIsSavedOrGivenUp) {
  const std::unique_ptr<Gen> dealt = KlondikeDealtHere();
  const ScreenPoint stock = StockOnScreen(*dealt);
  const std::string folder = dir_ + "/home/data/Quarnix/Free Cardolia 3D";
  std::string noDisk;
  SavedGamesDisk disk(folder + "/SavedGames", &noDisk);
  if (!noDisk.empty()) GTEST_SKIP() << noDisk;

  ProgramHarness h(dir_ + "/home");
  ASSERT_EQ(h.UserFolder(), folder);
  ASSERT_TRUE(StartAnnAfterAStockTurn(h, *dealt));
  const std::string saved = folder + "/SavedGames/Ann_Klondike.c3o";
  auto popupShown = [&h] { return h.WaitForPixel(320, 215, IsPopupGreen, 60); };
  auto popupGone = [&h] {
    return h.WaitForPixel(320, 215, [](int r, int g, int b) { return !IsPopupGreen(r, g, b); }, 60);
  };
  const std::vector<unsigned long> table = h.Pixels();

  // The disk is full: Escape leaves nothing, the game stays and the player
  // is told; Escape again answers Stay.
  h.Key("Escape");
  ASSERT_TRUE(h.WaitForLog("Could not create file", 60)) << Why(h);
  ASSERT_TRUE(popupShown()) << "no word of the failed save; " << Why(h);
  Shot(h, "SaveFailedLeaving.png");
  EXPECT_FALSE(std::filesystem::exists(saved));
  // The popup is over the table alone: nothing of the main menu (its Game
  // page's picture, its splash panel) is drawn or looked for behind it.
  EXPECT_LT(NotDimmedTableShare(table, h.Pixels()), 0.02) << "the menu's pictures behind the popup";
  EXPECT_EQ(h.LogErrorLines().find("GetCollectionFromID"), std::string::npos) << h.LogErrorLines();
  h.Key("Escape");
  ASSERT_TRUE(popupGone()) << Why(h);
  double share = 1;
  h.WaitUntil([&] { return (share = DifferentShare(table, h.Pixels())) < 0.001; }, 60, 0.3);
  EXPECT_LT(share, 0.001) << "the game did not stay at the table; " << Why(h);

  // Room made: Escape saves the game and leaves.
  ASSERT_TRUE(disk.Grow()) << std::strerror(errno);
  h.Key("Escape");
  ASSERT_TRUE(WaitForGamePage(h)) << Why(h);
  std::unique_ptr<Gen> record(new Gen);
  ASSERT_TRUE(ReadSavedGame(saved, record.get()));
  EXPECT_EQ(record->waste.numCards, 3);

  // Continued, played on, then the disk is read-only: the in-game menu's
  // Exit asks the same, and Give Up ends the program without the game.
  h.ClickVirtual(420, 443);  // Continue Game
  h.MoveVirtual(320, 470);
  h.WaitUntil([&] { return (share = DifferentShare(table, h.Pixels())) < 0.001; }, 60, 0.3);
  ASSERT_LT(share, 0.001) << "Continue did not give the same table; " << Why(h);
  ASSERT_TRUE(TurnStock(h, stock));
  ASSERT_TRUE(disk.MakeReadOnly()) << std::strerror(errno);
  h.MoveVirtual(610, 10);
  ASSERT_TRUE(h.WaitForPixel(580.6f, 156.2f, IsFrameGold, 60)) << "the in-game menu" << Why(h);
  h.ClickVirtual(609.5f, 239);  // Exit
  ASSERT_TRUE(popupShown()) << "no word of the failed save at Exit; " << Why(h);
  Shot(h, "SaveFailedExit.png");
  EXPECT_TRUE(h.IsProgramRunning());
  float giveUpX = 0, giveUpY = 0;
  ASSERT_TRUE(FindLeftPopupButton(h.Pixels(), &giveUpX, &giveUpY)) << Why(h);
  h.ClickVirtual(giveUpX, giveUpY);
  EXPECT_EQ(h.WaitForExit(60), 0) << Why(h);
  // Given up, the game is a lost game of the statistics.
  const std::vector<StatsGame> games = ReadStatsGames(folder + "/Users/Ann.sta");
  ASSERT_EQ(games.size(), 1u);
  EXPECT_FALSE(games[0].won);
  EXPECT_EQ(games[0].tag, "_Klondike_");
}

// Where the machine refuses a private mount namespace, as container
// runtimes do by default, the failed-save run skips and says why, as every
// test that needs one does.
TEST_F(PlayRunTest, AFailedSaveWhereMountsAreRefusedSkipsWithTheReason) {
  std::string said;
  EXPECT_TRUE(SkipsWhereMountsAreRefused("PlayRunTest.AFailedSaveKeepsTheGameAtTheTableUntilItIsSavedOrGivenUp", &said))
      << said;
  EXPECT_NE(said.find("no private mount namespace: unshare: unshare failed: Operation not permitted"),
            std::string::npos)
      << said;
}

// A game given up after one move is a lost game of the statistics, once,
// however it is given up: Quit Game in the menu, the in-game New (Ctrl+N),
// a deal number typed over the saved game.
TEST_F(PlayRunTest, AGameGivenUpAfterAMoveCountsAsLostOnce) {
  const std::unique_ptr<Gen> dealt = KlondikeDealtHere();
  const ScreenPoint stock = StockOnScreen(*dealt);

  ProgramHarness h(dir_ + "/home");
  ASSERT_TRUE(StartAnnAfterAStockTurn(h, *dealt));
  const std::string stats = h.UserFolder() + "/Users/Ann.sta";
  auto recorded = [&](std::size_t count) {
    return h.WaitUntil([&] { return ReadStatsGames(stats).size() >= count; }, 60, 0.2);
  };

  h.Key("Escape");
  ASSERT_TRUE(WaitForGamePage(h)) << Why(h);
  h.ClickVirtual(497, 443);  // Quit Game
  EXPECT_TRUE(recorded(1)) << "Quit Game counted nothing; " << Why(h);

  ASSERT_TRUE(WaitForMenu(h)) << Why(h);
  h.ClickVirtual(343, 449);  // New Game
  h.MoveVirtual(320, 470);
  ASSERT_TRUE(WaitForDealt(h, *dealt)) << "no new deal; " << Why(h);
  ASSERT_TRUE(TurnStock(h, stock));
  const std::vector<unsigned long> turned = h.Pixels();
  h.Key("ctrl+n");
  EXPECT_TRUE(recorded(2)) << "the in-game New counted nothing; " << Why(h);

  ASSERT_TRUE(h.WaitUntil([&] { return DifferentShare(turned, h.Pixels()) > 0.001; }, 60, 0.3)) << Why(h);
  ASSERT_TRUE(WaitForDealt(h, *dealt)) << "no new deal; " << Why(h);
  ASSERT_TRUE(TurnStock(h, stock));
  h.Key("Escape");
  ASSERT_TRUE(WaitForGamePage(h)) << Why(h);
  h.ClickVirtual(322, 384);  // the deal number
  ASSERT_TRUE(h.WaitForPixel(kDealFieldX, kDealFieldY, IsGold, 120)) << "the deal-number popup" << Why(h);
  h.Type("77");
  ASSERT_TRUE(h.WaitForPixelIn(300, 228, 340, 239, IsLightText, 30)) << "the deal number typed" << Why(h);
  h.Key("Return");
  ASSERT_TRUE(h.WaitForPixel(320, 215, IsPopupGreen, 120)) << "the deal note" << Why(h);
  h.Key("Return");
  h.MoveVirtual(320, 470);
  EXPECT_TRUE(recorded(3)) << "the typed deal counted nothing; " << Why(h);
  ASSERT_TRUE(WaitStill(h)) << Why(h);

  const std::vector<StatsGame> games = ReadStatsGames(stats);
  ASSERT_EQ(games.size(), 3u);
  for (const StatsGame& game : games) {
    EXPECT_FALSE(game.won);
    EXPECT_EQ(game.tag, "_Klondike_");
  }
  h.Key("Escape");
  ASSERT_TRUE(WaitForMenu(h)) << Why(h);
  h.ClickVirtual(612, 458);  // Exit
  EXPECT_EQ(h.WaitForExit(60), 0);
  EXPECT_EQ(ReadStatsGames(stats).size(), 3u) << "a game counted twice";
}

// Input that reaches a program held still (SIGSTOP, as a busy machine
// holds it) is all taken once it runs again, and what it asked for is done
// and drawn with no more input: the deal number typed and its popup's OK
// by Return bring the note, Return on the note deals, and so does the
// menu's New Game clicked as a quick player clicks it.
TEST_F(PlayRunTest, InputSentWhileTheProgramIsHeldIsDoneWithNoMoreInput) {
  const std::unique_ptr<Gen> dealt = KlondikeDealtHere();
  ProgramHarness h(dir_ + "/home");
  ASSERT_TRUE(StartAnnAtKlondike(h));
  const auto held = [&h](const std::function<void()>& input) {
    ASSERT_TRUE(h.SignalProgram(SIGSTOP));
    input();
    ASSERT_TRUE(h.SignalProgram(SIGCONT));
  };

  h.ClickVirtual(322, 384);  // the deal number
  ASSERT_TRUE(h.WaitForPixel(kDealFieldX, kDealFieldY, IsGold, 120)) << "the deal-number popup" << Why(h);
  held([&] {
    h.Type(std::to_string(kDeal));
    h.Key("Return");
  });
  ASSERT_TRUE(h.WaitForPixel(320, 215, IsPopupGreen, 120)) << "the deal note" << Why(h);
  held([&] { h.Key("Return"); });
  ASSERT_TRUE(h.WaitUntil([&] { return TopsShowFaces(h, *dealt); }, 90, 0.2)) << "the deal by its number" << Why(h);
  Shot(h, "HeldDealNumberDealt.png");

  h.Key("Escape");
  ASSERT_TRUE(WaitForGamePage(h)) << Why(h);
  held([&] { h.ClickAndMoveAwayVirtual(343, 449); });  // New Game
  ASSERT_TRUE(h.WaitUntil([&] { return TopsShowFaces(h, *dealt); }, 90, 0.2)) << "the deal by New Game" << Why(h);
  Shot(h, "HeldNewGameDealt.png");
}

}  // namespace
