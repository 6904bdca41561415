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
// equal piles are equal in every slot and the copy is exact. Piles not in
// use hold no cards and compare in a moment.
//
// Debug builds check that trust: every skipped pile is compared in full, and
// one whose slots differ (a writer that forgot MarkChanged) is reported and
// copied whole.
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "Engine/Debug.h"
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

#ifndef NDEBUG
// The first slot past the count whose card differs; -1 when all are alike.
// (SamePile has compared the slots up to the count; equal heads have made
// as many slots.) The owner links, which may differ harmlessly, are
// skipped.
int FirstDifferentSlot(const CardGroup& a, const CardGroup& b) {
  const int first = a.numCards < 0 ? 0 : a.numCards;
  for (int i = first; i < a.writtenSlots && i < kCardGroupMaxCards; ++i) {
    const auto* x = reinterpret_cast<const unsigned char*>(&a.cards[i]) + kCardValueOffset;
    const auto* y = reinterpret_cast<const unsigned char*>(&b.cards[i]) + kCardValueOffset;
    if (std::memcmp(x, y, sizeof(Card) - kCardValueOffset) != 0) return i;
  }
  return -1;
}
#endif

void CopyPile(CardGroup& to, const CardGroup& from) {
  if (!SamePile(to, from)) {
    to = from;
    return;
  }
#ifndef NDEBUG
  const int slot = FirstDifferentSlot(to, from);
  if (slot >= 0) {
    DebugError("GenCopyRecord", "Pile %d changed in slot %d without MarkChanged()", from.where,
               slot);
    to = from;
  }
#endif
}

void CopyKind(CardGroup* to, const CardGroup* from, int n) {
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
  CopyKind(dst.reserves, src.reserves, kGenMaxReserves);
  CopyKind(dst.foundations, src.foundations, kGenMaxFoundations);
  CopyKind(dst.tableaus, src.tableaus, kGenMaxTableaus);
  CopyKind(dst.fans, src.fans, kGenMaxFans);
  CopyKind(dst.cells, src.cells, kGenMaxCells);
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

void GenPrimeWorkingCopies() {
  GenCopyRecord(GenQuickMoveCopy(), g_GenLive);
  GenCopyRecord(GenTrialScratch(), g_GenLive);
  GenCopyRecord(GenPickupCopy(), g_GenLive);
}
