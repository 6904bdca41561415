// WaningMoon.cpp - Waning Moon: Forty Thieves with 13 tableau piles and 39
// cards dealt, its piles laid out as a row of seven above a row of six.
//
// Layout values (Data/Main/0110.dat): those of the Forty Thieves set-up,
// then y 3 how far the second tableau row lies below the first, in card
// heights. The first row's columns are fitted above the second row.
#include "Game/CardsSettings.h"
#include "Game/GenLayout.h"
#include "Game/GenRecord.h"
#include "Game/GenSetups.h"
#include "Game/GenVariant.h"

void WaningMoonSetup() {
  FortyThievesSetup();
  Gen& g = g_GenLive;
  if (!g.ready) return;
  const GenLayoutConstants& c = GenGetLayoutConstants();
  const float step = CardsGetCardWidth() + GenLayoutXCards(0);
  const float middle = GenLayoutXCards(4);
  const float firstRowY = c.topRowY - GenLayoutYCards(4) - GenLayoutYCards(0);
  const float secondRowY = firstRowY - GenLayoutYCards(3);
  const float secondRowTop = secondRowY + CardsGetCardHeight() / 2;
  for (int pile = 1; pile <= 7; ++pile) {
    const int code = GenTableauCode(pile);
    GenSetPilePosition(code, middle + (static_cast<float>(pile) - 4.0f) * step, firstRowY);
    GenSetPileBottomLimit(code, secondRowTop + c.smallOffset3);
  }
  for (int pile = 8; pile <= 13; ++pile) {
    GenSetPilePosition(GenTableauCode(pile), middle + (static_cast<float>(pile) - 10.5f) * step,
                       secondRowY);
  }
}
