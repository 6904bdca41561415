// The face generator: both standard decks generate every picture at the
// quality's size; a deck missing its back or deck side is incomplete; the
// tint, blur and two-colour rules; and a coloured test element that pins
// which cell of the suits picture each suit is cut from.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "Engine/EngTga.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/DecksBacks.h"
#include "Game/GameImports.h"
#include "tests/Decks/DecksFixture.h"

namespace {

namespace fs = std::filesystem;

class DeckGenerateTest : public DecksTest {
 protected:
  std::string Folder(int deck, bool four = false) {
    return dir_ + "/DeckGen/" + (four ? "4Cols/" : "2Cols/") + CardsDecksGetDeckName(deck);
  }
};

int CountPictures(const std::string& folder) {
  int n = 0;
  for (const auto& entry : fs::directory_iterator(folder)) n += entry.path().extension() == ".tga";
  return n;
}

uint32_t Rgb(uint32_t argb) { return argb & 0xFFFFFFu; }

TEST_F(DeckGenerateTest, BothStandardDecksGenerateEveryPicture) {
  ASSERT_TRUE(UseRealDecks());
  DecksControlSetBackElements(false);
  ASSERT_TRUE(CardsDecksSetTextureSizeForQuality(0, 0));  // 128, saved at 64
  for (int deck = 0; deck < 2; ++deck) {
    SCOPED_TRACE(deck);
    ASSERT_TRUE(CardsDecksGenerateDeckIfNeeded(deck, 0, true));  // needed
    ASSERT_TRUE(CardsDecksGenerateDeckIfNeeded(deck, 0, false));
    EXPECT_EQ(CountPictures(Folder(deck)), 54);
    EngTga king;
    ASSERT_TRUE(king.LoadFromFile((Folder(deck) + "/kc.tga").c_str()));
    EXPECT_EQ(king.GetWidth(), 64);
    EXPECT_FALSE(CardsDecksGenerateDeckIfNeeded(deck, 0, true));  // complete now
  }
  // A saved size that is not the quality's asks for a new generation.
  ASSERT_TRUE(CardsDecksSetTextureSizeForQuality(1, 0));
  EXPECT_TRUE(CardsDecksGenerateDeckIfNeeded(1, 0, true));
}

TEST_F(DeckGenerateTest, ADeckMissingItsBackOrSideIsNotComplete) {
  ASSERT_TRUE(UseRealDecks());
  DecksControlSetBackElements(false);
  ASSERT_TRUE(CardsDecksSetTextureSizeForQuality(0, 0));
  ASSERT_TRUE(CardsDecksGenerateDeckIfNeeded(0, 0, false));
  for (const char* picture : {"/ba.tga", "/ds.tga", "/kh.tga"}) {
    SCOPED_TRACE(picture);
    const std::string file = Folder(0) + picture;
    fs::rename(file, file + ".away");
    EXPECT_TRUE(CardsDecksGenerateDeckIfNeeded(0, 0, true));
    fs::rename(file + ".away", file);
    EXPECT_FALSE(CardsDecksGenerateDeckIfNeeded(0, 0, true));
  }
}

TEST_F(DeckGenerateTest, TintKeepsWhiteAndColoursTheStrokes) {
  const float red[3] = {1, 0, 0}, grey[3] = {0.5f, 0.5f, 0.5f};
  const struct {
    uint32_t pixel;
    const float* colour;
    uint32_t tinted;
  } cases[] = {
      {0xFF000000u, red, 0xFFFF0000u},   // a black stroke takes the colour
      {0x80FFFFFFu, red, 0x80FFFFFFu},   // white stays white, alpha kept
      {0xFF808080u, red, 0xFFFF8080u},   // grey blends: 255 - 127 x 255 / 255
      {0xFF000000u, grey, 0xFF7F7F7Fu},  // 0.5 x 255 truncated to 127
  };
  for (const auto& c : cases) EXPECT_EQ(CardsGenerateTintPixel(c.pixel, c.colour), c.tinted);
}

TEST_F(DeckGenerateTest, BlurWeighsTheNeighbourhoodAndZeroPassesLeaveThePicture) {
  EngTga image;
  ASSERT_TRUE(image.CreateWithColour(64, 64, 32, 0, 0, 0, 0));
  image.SetPixelFromTop(10, 10, 0xFFFFFFFFu);
  ASSERT_TRUE(CardsGenerateApplyBlurToData(&image, 0));
  EXPECT_EQ(image.GetPixelFromTop(10, 10), 0xFFFFFFFFu);
  ASSERT_TRUE(CardsGenerateApplyBlurToData(&image, 1));
  // Weights 1, 0.5, 0.25 (sum 4 with all neighbours): 255/4, 255/8, 255/16.
  EXPECT_EQ(image.GetPixelFromTop(10, 10), 0x40404040u);
  EXPECT_EQ(image.GetPixelFromTop(11, 10), 0x20202020u);
  EXPECT_EQ(image.GetPixelFromTop(11, 11), 0x10101010u);
  EXPECT_EQ(image.GetPixelFromTop(13, 10), 0u);
  EngTga odd;
  ASSERT_TRUE(odd.Create(48, 48, 32));
  EXPECT_FALSE(CardsGenerateApplyBlurToData(&odd, 1));
  EXPECT_TRUE(LogContains("Invalid data dimensions (2)"));
}

// A suits picture whose four cells are four plain colours (not tinted):
// each suit's pip shows the colour of its own cell, top-left as seen first.
TEST_F(DeckGenerateTest, TheSuitCellsCountFromTheTopLeftAsSeen) {
  ASSERT_TRUE(UseRealDecks());
  const uint32_t colours[4] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u};  // TL TR BL BR
  EngTga suits;
  ASSERT_TRUE(suits.Create(64, 64, 32));
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) suits.SetPixelFromTop(x, y, colours[(y / 32) * 2 + x / 32]);
  fs::create_directories(dir_ + "/Mine");
  ASSERT_TRUE(suits.SaveToFile((dir_ + "/Mine/Test Suits.tga").c_str()));
  ASSERT_TRUE(CardsDecksLoadDeckSettings(0));
  ASSERT_TRUE(CardsDecksSetupDeckElements(0, 0));
  ASSERT_TRUE(CardsGenerateSetElementFilename(kGenSlotSuits, (dir_ + "/Mine/Test Suits").c_str()));
  DeckGeneratorSettings s = CardsGenerateGetSettings();
  s.suitsNoColours = 1;
  CardsGenerateSetSettings(&s);
  ASSERT_TRUE(CardsGenerateSetGeneratedCardsPath(dir_.c_str(), "Out", true, false));
  ASSERT_TRUE(CardsGenerateSetCardTextureSize(256, 0, 0));
  ASSERT_GE(CardsGeneratePrepareForGenerating(), 0);
  // The five's middle pip covers the canvas centre.
  const struct {
    int suit;
    uint32_t colour;
  } cases[] = {{0, colours[0]}, {1, colours[1]}, {3, colours[2]}, {2, colours[3]}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.suit);
    ASSERT_TRUE(CardsGenerateASingleCard(c.suit, 5));
    EXPECT_EQ(Rgb(CardsGenerateGetLastCanvasForTests()->GetPixelFromTop(128, 128)), Rgb(c.colour));
  }
  CardsGenerateFreeAll();
}

TEST_F(DeckGenerateTest, TwoColourDecksPaintDiamondsAndClubsInHeartsAndSpades) {
  ASSERT_TRUE(UseRealDecks());
  ASSERT_TRUE(CardsDecksLoadDeckSettings(1));  // Standard: orange diamonds, green clubs
  ASSERT_TRUE(CardsDecksSetupDeckElements(1, 0));
  ASSERT_TRUE(CardsGenerateSetGeneratedCardsPath(dir_.c_str(), "Out", true, false));
  ASSERT_TRUE(CardsGenerateSetCardTextureSize(256, 0, 0));
  auto centre = [](int suit) {
    EXPECT_TRUE(CardsGenerateASingleCard(suit, 5));
    return Rgb(CardsGenerateGetLastCanvasForTests()->GetPixelFromTop(128, 128));
  };
  for (bool four : {false, true}) {
    SCOPED_TRACE(four);
    CardsDecksSetFourColor(four);
    ASSERT_GE(CardsGeneratePrepareForGenerating(), 0);
    const uint32_t hearts = centre(0), diamonds = centre(2), spades = centre(1), clubs = centre(3);
    EXPECT_EQ(diamonds == hearts, !four);
    EXPECT_EQ(clubs == spades, !four);
    CardsGenerateFreeAll();
  }
}

}  // namespace
