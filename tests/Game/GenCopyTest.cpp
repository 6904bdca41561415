// GenCopyTest.cpp - the quick record copy: whatever happened to either
// record since they were last alike, the copy is the same game in every
// pile slot it covers, as the record image shows. A record takes memory for
// the piles in use only, whether made, copied, reset or read, and the
// working copies are made when first used.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenCopy.h"
#include "Game/GenDeal.h"
#include "Game/GenImage.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"
#include "Game/GenSelection.h"
#include "Game/UserRecord.h"
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
    // Debug builds: the copy's own tests cross-check every copy in full.
    GenCopyCheckEveryCopyInFullForTests(true);
  }
  void TearDown() override {
    GenCopyCheckEveryCopyInFullForTests(false);
    GameTest::TearDown();
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

// The card slots of two records that differ in their stored form (a slot
// not made counts as the blank card it stands for).
int DifferentSlots(const Gen& a, const Gen& b) {
  const int kinds[][2] = {{kWhereFoundation, kGenMaxFoundations}, {kWhereCell, kGenMaxCells},
                          {kWhereTableau, kGenMaxTableaus},       {kWhereFan, kGenMaxFans},
                          {kWhereDeck, 1},                        {kWhereWaste, 1},
                          {kWhereReserve, kGenMaxReserves},       {kWhereDealGroup, 1},
                          {kWhereSelection, 1}};
  int different = 0;
  for (const auto& kind : kinds) {
    for (int code = kind[0]; code < kind[0] + kind[1]; ++code) {
      const CardGroup* x = GenGetGroup(const_cast<Gen&>(a), code);
      const CardGroup* y = GenGetGroup(const_cast<Gen&>(b), code);
      for (int i = 0; i < kCardGroupMaxCards; ++i) {
        uint8_t p[kCardImageSize], q[kCardImageSize];
        CardWriteImage(x->SlotOrBlank(i), p);
        CardWriteImage(y->SlotOrBlank(i), q);
        if (std::memcmp(p, q, sizeof p) != 0) ++different;
      }
    }
  }
  return different;
}

// A record on pages of its own, untouched until something writes them.
class FreshRecord {
 public:
  FreshRecord() {
    void* pages = mmap(nullptr, sizeof(Gen), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages != MAP_FAILED) gen_ = new (pages) Gen;
  }
  ~FreshRecord() {
    if (!gen_) return;
    gen_->~Gen();
    munmap(gen_, sizeof(Gen));
  }
  FreshRecord(const FreshRecord&) = delete;
  FreshRecord& operator=(const FreshRecord&) = delete;
  Gen& operator*() const { return *gen_; }
  // Kilobytes of the record in memory.
  long ResidentKiB() const {
    const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> pages((sizeof(Gen) + page - 1) / page);
    if (!gen_ || mincore(gen_, sizeof(Gen), pages.data()) != 0) return -1;
    long resident = 0;
    for (unsigned char p : pages) resident += p & 1;
    return resident * static_cast<long>(page) / 1024;
  }

 private:
  Gen* gen_ = nullptr;
};

TEST_F(GenCopyTest, ARecordTakesMemoryOnlyForThePilesAGameUses) {
  // A whole record is 3,975 KiB; the heads of its 159 piles lie on as many
  // pages, the FreeCell table's 14 piles in use on about 30 KiB each.
  constexpr long kHeads = 800, kInUse = kHeads + 14 * 32;
  FreshRecord copy;
  ASSERT_GE(copy.ResidentKiB(), 0);
  EXPECT_LT(copy.ResidentKiB(), kHeads) << "a new record";
  GenCopyRecord(*copy, g_GenLive);
  EXPECT_LT(copy.ResidentKiB(), kInUse) << "a copy of the table";
  EXPECT_EQ(Image(*copy), Image(g_GenLive));
  EXPECT_EQ((*copy).tableaus[0].cards[0].owner, &(*copy).tableaus[0]);
  for (int i = 0; i < g_GenLive.numCells; ++i) (*copy).cells[i].Reset(false);
  (*copy).deck.Reset(false);
  EXPECT_LT(copy.ResidentKiB(), kInUse) << "piles reset";

  // A saved game read from its image.
  FreshRecord read;
  const std::vector<uint8_t> image = Image(g_GenLive);
  ASSERT_TRUE(GenReadImage(*read, image.data()));
  EXPECT_LT(read.ResidentKiB(), kInUse) << "a record read";
  EXPECT_EQ(DifferentSlots(*read, g_GenLive), 0);
}

// In a process of its own (the death test runs the test program again),
// where nothing has played yet: no working copy exists until one is used,
// and a used one is made once.
TEST(GenWorkingCopiesTest, TheWorkingCopiesAreMadeAtTheirFirstUse) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        const int atStart = GenWorkingCopiesMade();
        Gen& first = GenPickupCopy();
        const int afterUse = GenWorkingCopiesMade();
        const bool same = &GenPickupCopy() == &first;
        std::exit(atStart == 0 && afterUse == 1 && same && GenWorkingCopiesMade() == 1 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

#ifndef NDEBUG
// A writer that forgets MarkChanged after writing past a pile's top card is
// reported by the next copy that would skip the pile, and the pile is copied
// whole. Within the pile's capacity every copy sees it; past the capacity
// the sampled full compare does, and every copy in the copy's own seam.
TEST_F(GenCopyTest, APileWrittenPastItsTopWithoutANewStampIsReportedAndCopiedWhole) {
  static Gen copy;
  CardGroup& column = g_GenLive.tableaus[1];
  CardGroup& cell = g_GenLive.cells[0];
  ASSERT_GT(column.maxCards, column.numCards + 1);
  ASSERT_EQ(cell.maxCards, 1);
  const struct Case {
    const char* what;
    Card* slot;
    bool everyCopyInFull;
    int copiesAtMost;  // before the report
  } cases[] = {
      {"a column's slot just past its top", &column.cards[column.numCards], false, 1},
      {"a column's last slot", &column.cards[column.maxCards - 1], false, 1},
      {"a cell's slot past its capacity, every copy in full", &cell.cards[5], true, 1},
      {"a cell's slot past its capacity, sampled", &cell.cards[5], false, 64},
  };
  int suit = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GenCopyCheckEveryCopyInFullForTests(c.everyCopyInFull);
    GenCopyRecord(copy, g_GenLive);
    ClearLog();
    c.slot->suit = suit = (suit + 1) % 4;
    int copies = 0;
    while (copies < c.copiesAtMost && !LogContains("without MarkChanged()")) {
      GenCopyRecord(copy, g_GenLive);
      ++copies;
    }
    EXPECT_TRUE(LogContains("without MarkChanged()")) << "after " << copies << " copies";
    EXPECT_EQ(Image(copy), Image(g_GenLive));
  }
  ClearLog();  // the reports were wanted here
}
#endif

}  // namespace
