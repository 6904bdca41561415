// FixtureVariants.cpp - two small variants for tests, set up the way the
// real variant set-ups do: card scale, reset, deck and deal, rule bytes,
// piles through the standard positioners, callbacks, ready.
#include "Game/CardsSettings.h"
#include "Game/GenDeal.h"
#include "Game/GenLayout.h"
#include "tests/Game/GameFixture.h"

namespace {

bool PlanForward(int, int) { return GenPlanDealForward() != 0; }

}  // namespace

void FixtureKlondikeSetup() {
  GenSetCardScale(GenGameLayoutsGetCurGameCardScaleX(), GenGameLayoutsGetCurGameCardScaleY());
  GenReset();
  GenSetDeckAndDealGroup(52, 28, 3, 1.0f);
  Gen& g = g_GenLive;
  g.rules[kRulePickupTableau] = 1;
  g.rules[kRuleDropFoundation] = 10;
  g.rules[kRuleDropTableau] = 1;
  g.rules[kRuleDropEmptyTableau] = 17;
  g.rules[kRuleDropWaste] = 16;
  GenSetDealCB(PlanForward);
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
  GenSetCardScale(1.0f, 1.0f);
  GenReset();
  GenSetDeckAndDealGroup(52, 52, 1, 1.0f);
  Gen& g = g_GenLive;
  g.rules[kRulePickupTableau] = 1;
  g.rules[kRuleDropFoundation] = 10;
  g.rules[kRuleDropTableau] = 1;
  GenSetDealCB(PlanForward);
  const GenLayoutConstants& c = GenGetLayoutConstants();
  GenStdSetFourCellsInTopRow();
  GenStdSetFourFoundationsInTopRow(1);
  GenStdSetNTableausPosition(8, 0, c.secondRowY, 0.1f * CardsGetCardWidth(), 1);
  GenSetDeckPosition(0, c.lowerEdgeY, 0, 0);
  GenSetReady();
}
