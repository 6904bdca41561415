// GameFixture.cpp - the pile-text fixture builder and the game test base.
#include "tests/Game/GameFixture.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "App/PrefFolder.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngProgram.h"
#include "Game/AnimGameOver.h"
#include "Game/AnimSetup.h"
#include "Game/CardsAnim.h"
#include "Game/CardsSettings.h"
#include "Game/GameTime.h"
#include "Game/Gen.h"
#include "Game/GenGameTable.h"
#include "Game/GenGame.h"
#include "Game/GenLayout.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/GenUndo.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

const char kRanks[] = "A23456789TJQK";
const char kSuits[] = "hsdc";

// Pile code of a name ("T0", "F1", "D"); 0 when it is not one.
int CodeOf(const std::string& name) {
  if (name.empty()) return 0;
  char kind = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
  if (name.size() == 1) {
    switch (kind) {
      case 'D': return kWhereDeck;
      case 'W': return kWhereWaste;
      case 'S': return kWhereSelection;
      default: return 0;
    }
  }
  int index = 0;
  for (size_t i = 1; i < name.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
    index = index * 10 + (name[i] - '0');
  }
  switch (kind) {
    case 'F': return index < kGenMaxFoundations ? kWhereFoundation + index : 0;
    case 'C': return index < kGenMaxCells ? kWhereCell + index : 0;
    case 'T': return index < kGenMaxTableaus ? kWhereTableau + index : 0;
    case 'N': return index < kGenMaxFans ? kWhereFan + index : 0;
    case 'R': return index < kGenMaxReserves ? kWhereReserve + index : 0;
    default: return 0;
  }
}

// Reads one card ("6s*", "10h"); false when it is not one.
bool ParseCard(const std::string& word, int* suit, int* rank, bool* faceUp) {
  std::string w = word;
  *faceUp = !w.empty() && w.back() == '*';
  if (*faceUp) w.pop_back();
  if (w.size() == 3 && w.compare(0, 2, "10") == 0) {
    w.erase(0, 1);  // "10h" -> "Th"
    w[0] = 'T';
  }
  if (w.size() != 2) return false;
  const char* r = std::strchr(kRanks, std::toupper(static_cast<unsigned char>(w[0])));
  const char* s = std::strchr(kSuits, std::tolower(static_cast<unsigned char>(w[1])));
  if (!r || !s || !*r || !*s) return false;
  *rank = static_cast<int>(r - kRanks) + 1;
  *suit = static_cast<int>(s - kSuits);
  return true;
}

// Sets up a pile that is not set up yet with a plain layout for its kind and
// counts it in its kind.
void SetupPlainPile(Gen& g, int code) {
  CardGroup* group = GenGetGroup(g, code);
  int base = GenGetKindBase(code);
  int index = code - base;
  float x = static_cast<float>(index) * 7.0f;
  switch (base) {
    case kWhereTableau:
      group->SetupCardGroup({.maxCards = 156, .x = x, .alignType = 2, .absFaceUpGap = 3.0f,
                             .absFaceDownGap = 0.725f, .where = code});
      if (g.numTableaus <= index) g.numTableaus = index + 1;
      break;
    case kWhereFoundation:
      group->SetupCardGroup({.maxCards = 52, .x = x, .y = 20, .where = code});
      if (g.numFoundations <= index) g.numFoundations = index + 1;
      break;
    case kWhereCell:
      group->SetupCardGroup({.maxCards = 1, .x = -x, .y = 20, .where = code});
      if (g.numCells <= index) g.numCells = index + 1;
      break;
    case kWhereFan:
      group->SetupCardGroup({.maxCards = 32, .x = x, .y = -20, .alignType = 3, .absFaceUpGap = 1.16f,
                             .absFaceDownGap = 1.16f, .where = code});
      if (g.numFans <= index) g.numFans = index + 1;
      break;
    case kWhereReserve:
      group->SetupCardGroup({.maxCards = 156, .x = x, .y = -30, .alignType = 2, .absFaceUpGap = 3.0f,
                             .absFaceDownGap = 0.725f, .where = code});
      if (g.numReserves <= index) g.numReserves = index + 1;
      break;
    default:
      group->SetupCardGroup({.maxCards = 156, .faceUp = 0, .x = -20, .y = 20, .where = code});
      break;
  }
}

// A pile named by a text is in use: its kind's count grows to include it
// (a set-up may have made more piles than it counts at first).
void CountPile(Gen& g, int code) {
  const int base = GenGetKindBase(code);
  const int index = code - base;
  int32_t* count = nullptr;
  switch (base) {
    case kWhereTableau: count = &g.numTableaus; break;
    case kWhereFoundation: count = &g.numFoundations; break;
    case kWhereCell: count = &g.numCells; break;
    case kWhereFan: count = &g.numFans; break;
    case kWhereReserve: count = &g.numReserves; break;
    default: break;
  }
  if (count && *count <= index) *count = index + 1;
}

}  // namespace

bool FixtureBuild(const std::string& text) {
  Gen& g = g_GenLive;
  std::string all = text;
  for (char& c : all) {
    if (c == ';') c = '\n';
  }
  std::istringstream lines(all);
  std::string line;
  while (std::getline(lines, line)) {
    size_t colon = line.find(':');
    if (colon == std::string::npos) {
      if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
      ADD_FAILURE() << "pile text without a colon: " << line;
      return false;
    }
    std::string name = line.substr(0, colon);
    name.erase(0, name.find_first_not_of(" \t"));
    name.erase(name.find_last_not_of(" \t") + 1);
    int code = CodeOf(name);
    if (code == 0) {
      ADD_FAILURE() << "unknown pile name: " << name;
      return false;
    }
    CardGroup* group = GenGetGroup(g, code);
    if (!group->active) SetupPlainPile(g, code);
    CountPile(g, code);
    group->numCards = 0;
    group->RelinkOwners();
    std::istringstream words(line.substr(colon + 1));
    std::string word;
    while (words >> word) {
      int suit, rank;
      bool faceUp;
      if (!ParseCard(word, &suit, &rank, &faceUp)) {
        ADD_FAILURE() << "unknown card: " << word;
        return false;
      }
      Card card;
      CardsSetupCard(&card, faceUp, suit, rank, 0, 0, 0);
      if (!group->AddCardToGroup(&card, false, false, true)) {
        ADD_FAILURE() << "pile full: " << name;
        return false;
      }
    }
  }
  return true;
}

int FixtureCountAllCards() {
  Gen& g = g_GenLive;
  int total = g.deck.numCards + g.waste.numCards + g.selection.numCards;
  for (int i = 0; i < kGenMaxFoundations; ++i) total += g.foundations[i].numCards;
  for (int i = 0; i < kGenMaxCells; ++i) total += g.cells[i].numCards;
  for (int i = 0; i < kGenMaxTableaus; ++i) total += g.tableaus[i].numCards;
  for (int i = 0; i < kGenMaxFans; ++i) total += g.fans[i].numCards;
  for (int i = 0; i < kGenMaxReserves; ++i) total += g.reserves[i].numCards;
  return total;
}

void FixtureUseRealLayouts() {
  std::filesystem::create_directories("Data/Main");
  std::filesystem::copy_file(std::string(CARDOLIA_SOURCE_DIR) + "/Data/Main/0110.dat",
                             "Data/Main/0110.dat",
                             std::filesystem::copy_options::overwrite_existing);
  GenGameLayoutsLoad();
}

bool FixtureTable(void (*setup)(), const std::string& piles) {
  GenSetSetupOverrideForTests(setup);
  EXPECT_TRUE(GenInit());
  // The program's card set-up gives columns a default bottom; the fixture
  // tables place their piles freely, as the tests ask.
  CardsSetDefaultColumnBottom(false, 0);
  if (!g_GenLive.ready || !FixtureBuild("D: ; " + piles)) return false;
  GenUndoReset();
  GenUndoRecordState();
  return true;
}

void GameTest::SetUp() {
  TempDirTest::SetUp();
  CardsResetSettingsForTests();
  CardsAnimCancelAll();
  for (int slot = 0; slot < kCardsAnimSlots; ++slot) CardsRegisterOnEndOrCancelCB(slot, nullptr);
  GameTimeResetForTests();
  g_UserRecord = UserRecord();
  g_UserOptions = UserOptions();
  now_ = 0;
  EngProgramSetCurrentTimeForTests(now_);
  EngProgramSetFrameTimeForTests(1.0f / 60.0f);
  GenSetSetupOverrideForTests(nullptr);
  GenSetCurGame(kGameKlondike);
  GenReset();
  AnimReset();
  AnimInit();
  AnimGameOverResetForTests();
  GenSetCardScale(1.0f, 1.0f);
  // The program's card set-up gives columns a default bottom; the fixture
  // tables place their piles freely, as the tests ask.
  CardsSetDefaultColumnBottom(false, 0);
  GenSetTableHeight(0);
  // The play state of the last test: no player, no saved-game handlers, no
  // selection, pointer or history left over.
  UserSetLoaded(false);
  StatsResetForTests();
  SoundResetForTests();
  FoundationEffectsResetForTests();
  GenSetAfterWinHandlers(nullptr, nullptr);
  GenSetGameInProgress(false);
  GenSetFinishing(false);
  GenCancelSelection();
  GenResetBestDropCandidate();
  GenSetPickRayCB(nullptr);
  GenSetPointerTablePoint(0, 0);
  GenUndoReset();
}

void GameTest::TearDown() {
  // Debug builds report a pile a writer changed without a new change stamp
  // (GenCopyRecord's cross-check): every game test watches for it.
  EXPECT_FALSE(LogContains("without MarkChanged()"));
  CardsAnimCancelAll();
  GenSetSetupOverrideForTests(nullptr);
  TempDirTest::TearDown();
}

void GameTest::AdvanceTime(double seconds) {
  now_ += seconds;
  EngProgramSetCurrentTimeForTests(now_);
}

bool GameTest::RunAnimations(int maxFrames) {
  for (int frame = 0; frame < maxFrames && CardsAnimIsAnimating(); ++frame) {
    AdvanceTime(1.0 / 60.0);
    AnimTick();
  }
  return !CardsAnimIsAnimating();
}

void FixtureUsePlayer(const char* name) {
  PrefFolderSetup("Cardolia Test", false, nullptr);
  EngEncryptionInit("test phrase");
  std::snprintf(g_UserRecord.name, sizeof g_UserRecord.name, "%s", name);
  UserSetLoaded(true);
}
