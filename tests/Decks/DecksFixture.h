// DecksFixture.h - the deck and board tests' base: a temporary HOME (so the
// documents folder holds the player's decks and boards), the per-user
// folder, the build folder's generated Data reachable as "Data" from the
// test's folder, and the deck library, generator and boards reset.
#pragma once

#include <string>

#include "tests/Support/TestSupport.h"

class DecksTest : public TempDirTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The player's decks folder and boards folder (native paths).
  std::string UserDecks() const { return dir_ + "/Documents/Quarnix/Card Decks"; }
  std::string UserBoards() const { return dir_ + "/Documents/Free Cardolia 3D/Boards"; }
  // Writes a text file, creating its folders.
  static void Write(const std::string& path, const std::string& text);
  // Points the deck library at the real data (the generated elements and the
  // two standard decks) with the generated-decks folder in the test's
  // folder; true when both decks were found.
  bool UseRealDecks();

 private:
  std::string oldHome_, oldData_, oldConfig_;
  bool hadHome_ = false, hadData_ = false, hadConfig_ = false;
};
