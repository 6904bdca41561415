// GenCopy.cpp - copying a game record quickly.
//
// The trials of the rules engine (quick move, send to a foundation) save
// the live record before a trial move and restore it after, and every lift
// keeps a copy for a cancelled drag: several copies of a 4 MB record per
// click. A trial changes only a few piles, so GenCopyRecord copies the
// record's plain fields and then only the piles that differ: a pile is the
// same in both records when its head (change stamp included) and its cards
// up to its count are byte for byte equal. The change stamp moves whenever
// slots past the top card may have changed (CardGroup::MarkChanged), so
// equal piles are equal in every slot and the copy is exact for the piles
// it covers: every pile of a kind up to the larger of the two records'
// counts, the deck, the waste, the deal group and the selection.
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "Game/Gen.h"

static_assert(std::is_standard_layout_v<Gen>, "Gen is copied by regions");
static_assert(std::is_standard_layout_v<CardGroup>, "CardGroup is compared by regions");

namespace {

// The card fields after the owner link.
constexpr std::size_t kCardValueOffset = offsetof(Card, suit);
constexpr std::size_t kGroupHeadSize = offsetof(CardGroup, cards);

bool SamePile(const CardGroup& a, const CardGroup& b) {
  if (std::memcmp(&a, &b, kGroupHeadSize) != 0) return false;
  for (int i = 0; i < a.numCards && i < kCardGroupMaxCards; ++i) {
    const auto* x = reinterpret_cast<const unsigned char*>(&a.cards[i]) + kCardValueOffset;
    const auto* y = reinterpret_cast<const unsigned char*>(&b.cards[i]) + kCardValueOffset;
    if (std::memcmp(x, y, sizeof(Card) - kCardValueOffset) != 0) return false;
  }
  return true;
}

void CopyPile(CardGroup& to, const CardGroup& from) {
  if (!SamePile(to, from)) to = from;
}

void CopyKind(CardGroup* to, const CardGroup* from, int toCount, int fromCount, int most) {
  int n = toCount > fromCount ? toCount : fromCount;
  if (n < 0) n = 0;
  if (n > most) n = most;
  for (int i = 0; i < n; ++i) CopyPile(to[i], from[i]);
}

// Copies the bytes of src from field first up to (not including) field end.
void CopyRegion(Gen& dst, const Gen& src, std::size_t first, std::size_t end) {
  std::memcpy(reinterpret_cast<unsigned char*>(&dst) + first,
              reinterpret_cast<const unsigned char*>(&src) + first, end - first);
}

}  // namespace

void GenCopyRecord(Gen& dst, const Gen& src) {
  if (&dst == &src) return;
  // Counts before the piles, so the pile loops see both records' counts.
  const int counts[5] = {dst.numReserves, dst.numFoundations, dst.numTableaus, dst.numFans,
                         dst.numCells};
  CopyKind(dst.reserves, src.reserves, counts[0], src.numReserves, kGenMaxReserves);
  CopyKind(dst.foundations, src.foundations, counts[1], src.numFoundations, kGenMaxFoundations);
  CopyKind(dst.tableaus, src.tableaus, counts[2], src.numTableaus, kGenMaxTableaus);
  CopyKind(dst.fans, src.fans, counts[3], src.numFans, kGenMaxFans);
  CopyKind(dst.cells, src.cells, counts[4], src.numCells, kGenMaxCells);
  CopyPile(dst.deck, src.deck);
  CopyPile(dst.waste, src.waste);
  CopyPile(dst.dealGroup, src.dealGroup);
  CopyPile(dst.selection, src.selection);
  // The plain fields between and after the piles.
  CopyRegion(dst, src, 0, offsetof(Gen, deck));
  CopyRegion(dst, src, offsetof(Gen, dealPlan), offsetof(Gen, dealGroup));
  CopyRegion(dst, src, offsetof(Gen, rules), offsetof(Gen, selection));
  CopyRegion(dst, src, offsetof(Gen, selectionSource), sizeof(Gen));
}
