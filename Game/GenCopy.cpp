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
// Debug builds check that trust: the slots past the top card of every skipped
// pile are compared up to the pile's capacity (maxCards, the highest slot a
// card may ever reach, so every slot a forgetful writer could have used),
// and on one copy in kFullCheckEvery all its slots; only slots made are
// compared (the others are blank and stay out of memory). A pile whose slots differ
// (a writer that forgot MarkChanged) is reported and copied whole. A
// difference stays until the pile changes again, so the sampled full compare
// still meets a write past the capacity; the copy's own test checks every
// copy in full (GenCopyCheckEveryCopyInFullForTests). Comparing all slots of
// all 143 piles on every copy cost random play under the sanitizers half its
// time.
#include "Game/GenCopy.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>

#include "Engine/Debug.h"
#include "Game/GenPiles.h"
#include "Game/GenRecord.h"

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
constexpr unsigned kFullCheckEvery = 32;

// The Debug cross-check's state (whole run): copies made, and the test
// seam's choice.
struct CopyCheck {
  unsigned copies = 0;
  bool everyCopyInFull = false;
} g_copyCheck;

// The first slot from the count up to end whose card differs; -1 when all
// are alike. (SamePile has compared the slots up to the count; equal heads
// have made as many slots.) One block compare settles the usual case; the
// owner links, which may differ harmlessly, are skipped only when it finds a
// difference.
int FirstDifferentSlot(const CardGroup& a, const CardGroup& b, int end) {
  const int first = a.numCards < 0 ? 0 : a.numCards;
  end = std::min({end, a.writtenSlots, kCardGroupMaxCards});
  if (first >= end ||
      std::memcmp(&a.cards[first], &b.cards[first], sizeof(Card) * static_cast<std::size_t>(end - first)) == 0) {
    return -1;
  }
  for (int i = first; i < end; ++i) {
    const auto* x = reinterpret_cast<const unsigned char*>(&a.cards[i]) + kCardValueOffset;
    const auto* y = reinterpret_cast<const unsigned char*>(&b.cards[i]) + kCardValueOffset;
    if (std::memcmp(x, y, sizeof(Card) - kCardValueOffset) != 0) return i;
  }
  return -1;
}
#endif

// fullCheck (Debug builds): the skipped pile is compared in all its slots,
// not only up to its capacity.
void CopyPile(CardGroup& to, const CardGroup& from, [[maybe_unused]] bool fullCheck) {
  if (!SamePile(to, from)) {
    to = from;
    return;
  }
#ifndef NDEBUG
  const int slot = FirstDifferentSlot(to, from, fullCheck ? kCardGroupMaxCards : from.maxCards);
  if (slot >= 0) {
    DebugError("GenCopyRecord", "Pile %d changed in slot %d without MarkChanged()", from.where,
               slot);
    to = from;
  }
#endif
}

void CopyKind(CardGroup* to, const CardGroup* from, int n, bool fullCheck) {
  for (int i = 0; i < n; ++i) CopyPile(to[i], from[i], fullCheck);
}

// Copies the bytes of src from field first up to (not including) field end.
void CopyRegion(Gen& dst, const Gen& src, std::size_t first, std::size_t end) {
  std::memcpy(reinterpret_cast<unsigned char*>(&dst) + first,
              reinterpret_cast<const unsigned char*>(&src) + first, end - first);
}

}  // namespace

void GenCopyRecord(Gen& dst, const Gen& src) {
  if (&dst == &src) return;
#ifndef NDEBUG
  const bool full = g_copyCheck.everyCopyInFull || g_copyCheck.copies++ % kFullCheckEvery == 0;
#else
  const bool full = false;
#endif
  CopyKind(dst.reserves, src.reserves, kGenMaxReserves, full);
  CopyKind(dst.foundations, src.foundations, kGenMaxFoundations, full);
  CopyKind(dst.tableaus, src.tableaus, kGenMaxTableaus, full);
  CopyKind(dst.fans, src.fans, kGenMaxFans, full);
  CopyKind(dst.cells, src.cells, kGenMaxCells, full);
  CopyPile(dst.deck, src.deck, full);
  CopyPile(dst.waste, src.waste, full);
  CopyPile(dst.dealGroup, src.dealGroup, full);
  CopyPile(dst.selection, src.selection, full);
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

void GenCopyCheckEveryCopyInFullForTests([[maybe_unused]] bool every) {
#ifndef NDEBUG
  g_copyCheck.everyCopyInFull = every;
#endif
}
