// GenCopyTest.cpp - the quick record copy: whatever happened to either
// record since they were last alike, the copy is the same game in every
// pile slot it covers, as the record image shows.
#include <memory>
#include <vector>

#include "Game/CardsSettings.h"
#include "Game/GenDeal.h"
#include "Game/GenSelection.h"
#include "tests/Game/GameFixture.h"
#include "tests/Support/GameImportsStandIn.h"

namespace {

std::vector<uint8_t> Image(const Gen& g) {
  std::vector<uint8_t> bytes(kGenImageSize);
  GenWriteImage(g, bytes.data());
  return bytes;
}

class GenCopyTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    GenSetSetupOverrideForTests(FixtureFreeCellPlaySetup);
    ASSERT_TRUE(GenInit());
    ASSERT_TRUE(FixtureBuild("D: ; T0: 9h 8s* 7d*; T1: 9d*; C0: 4c*; F0: Ah*"));
  }
};

TEST_F(GenCopyTest, ACopyIsTheSameGameWhateverHappenedBetween) {
  static Gen copy;
  struct Step {
    const char* what;
    void (*change)();
  };
  const Step steps[] = {
      {"nothing", [] {}},
      {"a card added and taken off again",
       [] {
         Card card;
         CardsSetupCard(&card, 1, 2, 5, 0, 0, 0);
         g_GenLive.tableaus[1].AddCardToGroup(&card, false, false, true);
         g_GenLive.tableaus[1].RemoveCardFromEnd();
       }},
      {"a lift", [] {
         FixtureClick(kWhereTableau, 1, -1);
       }},
      {"the lift dropped", [] {
         float x, y;
         FixtureCardPlace(kWhereTableau + 1, 0, &x, &y);
         GenSetPointerTablePoint(x, y);
         GenHandleSelection(0, 0, 0);
       }},
      {"a card turned", [] { g_GenLive.tableaus[0].cards[0].faceUp = 1; }},
      {"a pile laid out again", [] { g_GenLive.tableaus[2].Refresh(true); }},
      // These move or write every slot of the piles, past the top card too.
      {"the piles laid out for larger cards",
       [] {
         CardsSetCardSize(7, 10.5f, 0, 0, 0, 0);
         for (int i = 0; i < g_GenLive.numTableaus; ++i) g_GenLive.tableaus[i].Refresh(true);
       }},
      // An empty stack's head does not change with the card thickness; every
      // slot of it moves.
      {"the empty foundations laid out for thicker cards",
       [] {
         CardsSetCardSize(0, 0, 0.2f, 0, 0, 0);
         for (int i = 1; i < g_GenLive.numFoundations; ++i) {
           ASSERT_EQ(g_GenLive.foundations[i].numCards, 0);
           g_GenLive.foundations[i].Refresh(true);
         }
       }},
      {"new card angles",
       [] {
         g_UserRecord.cardAngle = 3;
         GenSetRandomCardAngles();
       }},
      {"new spacing",
       [] {
         g_UserRecord.cardSpacing = 3;
         GenSetCardSpacingLevel(false);
       }},
  };
  GenCopyRecord(copy, g_GenLive);
  EXPECT_EQ(Image(copy), Image(g_GenLive));
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    s.change();
    // Both ways: a save before a trial and the restore after it.
    static Gen saved;
    GenCopyRecord(saved, g_GenLive);
    EXPECT_EQ(Image(saved), Image(g_GenLive));
    GenCopyRecord(copy, g_GenLive);
    EXPECT_EQ(Image(copy), Image(g_GenLive));
    // Every copied card belongs to its own record's pile.
    EXPECT_EQ(copy.tableaus[0].cards[0].owner, &copy.tableaus[0]);
  }
  // Restoring an older copy undoes everything since.
  static Gen before;
  GenCopyRecord(before, g_GenLive);
  const std::vector<uint8_t> image = Image(g_GenLive);
  ASSERT_TRUE(RunAnimations());
  FixtureClick(kWhereCell, -1, -1);
  ASSERT_EQ(g_GenLive.selection.numCards, 1);
  g_GenLive.tableaus[1].cards[0].suit = 3;
  GenCopyRecord(g_GenLive, before);
  EXPECT_EQ(Image(g_GenLive), image);
  EXPECT_EQ(g_GenLive.selection.cards[0].owner, nullptr);
  EXPECT_EQ(g_GenLive.cells[0].cards[0].owner, &g_GenLive.cells[0]);
}

}  // namespace
