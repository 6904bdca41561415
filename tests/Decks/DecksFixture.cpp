// DecksFixture.cpp - the deck and board tests' base (see DecksFixture.h).
#include "tests/Decks/DecksFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "App/PrefFolder.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/Sets.h"
#include "Game/GameImports.h"
#include "Game/UserRecord.h"

namespace {

void Keep(const char* name, std::string* value, bool* had) {
  const char* v = std::getenv(name);
  *had = v != nullptr;
  *value = v ? v : "";
}

void Restore(const char* name, const std::string& value, bool had) {
  if (had) {
    setenv(name, value.c_str(), 1);
  } else {
    unsetenv(name);
  }
}

}  // namespace

void DecksTest::SetUp() {
  TempDirTest::SetUp();
  Keep("HOME", &oldHome_, &hadHome_);
  Keep("XDG_DATA_HOME", &oldData_, &hadData_);
  Keep("XDG_CONFIG_HOME", &oldConfig_, &hadConfig_);
  setenv("HOME", dir_.c_str(), 1);
  setenv("XDG_DATA_HOME", (dir_ + "/data").c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
  std::filesystem::create_directories(dir_ + "/Documents");
  std::filesystem::create_directory_symlink(std::string(CARDOLIA_BUILD_DIR) + "/Data", dir_ + "/Data");
  PrefFolderSetup("Free Cardolia 3D", false, nullptr);
  g_UserRecord = UserRecord();
  CardsDecksResetForTests();
  CardsGenerateResetForTests();
  SetsResetForTests();
}

void DecksTest::TearDown() {
  CardsGenerateResetForTests();
  Restore("HOME", oldHome_, hadHome_);
  Restore("XDG_DATA_HOME", oldData_, hadData_);
  Restore("XDG_CONFIG_HOME", oldConfig_, hadConfig_);
  TempDirTest::TearDown();
}

void DecksTest::Write(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

bool DecksTest::UseRealDecks() {
  std::filesystem::create_directories(dir_ + "/DeckGen");
  return CardsDecksSetPaths("Data\\DeckSettings", "Data\\Elements", nullptr, "DeckGen") &&
         CardsDecksGetNumStandardDecks() == 2;
}
