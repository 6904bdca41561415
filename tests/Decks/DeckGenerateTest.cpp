// The face generator over the real elements: both standard decks generate
// every picture at the quality's size; the completeness test asks for the
// back and the deck side too; deleting takes only the generated pictures.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "Decks/CardsDecks.h"
#include "Decks/CardsGenerate.h"
#include "Engine/EngTga.h"
#include "Game/GameImports.h"
#include "tests/Decks/DecksFixture.h"

namespace {

class DeckGenerateTest : public DecksTest {};

int CountPictures(const std::string& folder) {
  int n = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".tga") ++n;
  }
  return n;
}

TEST_F(DeckGenerateTest, BothStandardDecksGenerateEveryPicture) {
  ASSERT_TRUE(UseRealDecks());
  ASSERT_TRUE(CardsDecksSetTextureSizeForQuality(0, 0));  // 128, saved at 64
  for (int deck = 0; deck < 2; ++deck) {
    SCOPED_TRACE(deck);
    ASSERT_TRUE(CardsDecksGenerateDeckIfNeeded(deck, 0, true));  // needed
    ASSERT_TRUE(CardsDecksGenerateDeckIfNeeded(deck, 0, false));
    const std::string folder = dir_ + "/DeckGen/2Cols/" + CardsDecksGetDeckName(deck);
    EXPECT_EQ(CountPictures(folder), 54);
    EngTga king;
    ASSERT_TRUE(king.LoadFromFile((folder + "/kc.tga").c_str()));
    EXPECT_EQ(king.GetWidth(), 64);
    EXPECT_FALSE(CardsDecksGenerateDeckIfNeeded(deck, 0, true));  // complete now
  }
}

}  // namespace
