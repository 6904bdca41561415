// PlayTable.cpp - a Klondike table as the program tests of play see it (see
// PlayTable.h).
#include "tests/Program/Play/PlayTable.h"

#include "Game/AnimSetup.h"
#include "Game/CardsSettings.h"
#include "Game/GenGame.h"
#include "Game/GenGameTable.h"
#include "Game/GenLayout.h"
#include "Game/GenRecord.h"
#include "Game/GenSelectionLocal.h"
#include "Game/SolCards.h"
#include "Game/UserOptions.h"
#include "tests/Support/ProgramHarness.h"

namespace playrun {

void DealHere(int game, unsigned deal) {
  GenGameLayoutsLoad();
  CardsInit();
  SolCardsSetup();
  g_UserOptions.autoplayMode[game] = 1;  // a new player's Klondike level
  GenSetCurGame(game);
  GenNewGameWithNumber(deal, true);
  for (int i = 0; i < 1000 && AnimIsAnimating(); ++i) {
    AnimClearStartDelay();
    GenSelEndAllAnimations();
  }
}

ScreenPoint CardOnScreen(const CardGroup& pile, int index, float up) {
  const Card& card = pile.cards[index];
  return ProjectTablePoint(pile.pos[0] + card.pos[0], pile.pos[1] + card.pos[1] + up, pile.pos[2] + card.pos[2]);
}

bool IsLight(long colour) {
  const long r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
  return colour >= 0 && r > 150 && (r + g + b) / 3 > 120;
}

// A face is known by its light margin beside the middle of the card, left
// of any pip or picture; a back is dark there. The first column is left
// out: its one card, an ace in about one deal of ten, goes on to a
// foundation by autoplay, and the column stays empty.
bool TopsShowFaces(ProgramHarness& h, const Gen& dealt) {
  constexpr float kMargin = 2.2f;  // table units left of the card's middle
  for (int t = 1; t < dealt.numTableaus; ++t) {
    const CardGroup& pile = dealt.tableaus[t];
    const Card& card = pile.cards[pile.numCards - 1];
    const ScreenPoint p =
        ProjectTablePoint(pile.pos[0] + card.pos[0] - kMargin, pile.pos[1] + card.pos[1], pile.pos[2] + card.pos[2]);
    if (!IsLight(h.PixelVirtual(p.x, p.y))) return false;
  }
  return true;
}

}  // namespace playrun
