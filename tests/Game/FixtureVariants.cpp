// FixtureVariants.cpp - two small variants for tests, set up the way the
// real variant set-ups do: card scale, reset, deck and deal, rule bytes,
// piles through the standard positioners, callbacks, ready.
#include "Game/CardsSettings.h"
#include "Game/Gen.h"
#include "Game/GenCallbacks.h"
#include "Game/GenDeal.h"
#include "Game/GenLayout.h"
#include "Game/GenRecord.h"
#include "Game/GenVariant.h"
#include "tests/Game/GameFixture.h"

namespace {

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

}  // namespace

void FixtureBeginSetup(float scaleX, float scaleY, int deckSize, int dealCards, int faceMode,
                       std::initializer_list<FixtureRule> rules) {
  GenSetCardScale(scaleX, scaleY);
  GenReset();
  GenSetDeckAndDealGroup(deckSize, dealCards, faceMode, 1.0f);
  for (const FixtureRule& rule : rules) g_GenLive.rules[rule.byte] = static_cast<uint8_t>(rule.code);
  GenSetDealCB(PlanForward);
}

void FixtureKlondikeSetup() {
  FixtureBeginSetup(GenGameLayoutsGetCurGameCardScaleX(), GenGameLayoutsGetCurGameCardScaleY(), 52,
                    28, 3,
                    {{kRulePickupTableau, 1},
                     {kRuleDropFoundation, 10},
                     {kRuleDropTableau, 1},
                     {kRuleDropEmptyTableau, 17},
                     {kRuleDropWaste, 16}});
  const GenLayoutConstants& c = GenGetLayoutConstants();
  float cw = CardsGetCardWidth(), ch = CardsGetCardHeight();
  GenStdSetFourFoundationsInTopRow(1);
  // Layout values: x 0 the tableau gap, x 1 and x 2 the deck and waste x (in
  // card widths); y 0 how far the tableau row lies below the top row (in
  // card heights).
  GenStdSetNTableausPosition(7, 0, c.topRowY - GenGameLayoutsGetCurGameYVar(0) * ch,
                             GenGameLayoutsGetCurGameXVar(0) * cw, 1);
  GenSetDeckPosition(GenGameLayoutsGetCurGameXVar(1) * cw, c.topRowY, 1, 0);
  GenSetWastePosition(GenGameLayoutsGetCurGameXVar(2) * cw, c.topRowY, 1, 1);
  GenSetReady();
}

void FixtureFreeCellSetup() {
  FixtureBeginSetup(1.0f, 1.0f, 52, 52, 1,
                    {{kRulePickupTableau, 1}, {kRuleDropFoundation, 10}, {kRuleDropTableau, 1}});
  const GenLayoutConstants& c = GenGetLayoutConstants();
  GenStdSetFourCellsInTopRow();
  GenStdSetFourFoundationsInTopRow(1);
  GenStdSetNTableausPosition(8, 0, c.secondRowY, 0.1f * CardsGetCardWidth(), 1);
  GenSetDeckPosition(0, c.lowerEdgeY, 0, 0);
  GenSetReady();
}
