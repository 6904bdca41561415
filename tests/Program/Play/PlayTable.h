// PlayTable.h - a Klondike table as the program tests of play see it: the
// deal laid out by the card core in the test's own process, where its cards
// lie on the program's screen, and whether the screen shows it dealt.
#pragma once

#include "tests/Program/TablePoint.h"

class ProgramHarness;
struct CardGroup;
struct Gen;

namespace playrun {

// Deals the game in this process as the program deals it for a new player
// (into the live record, its animations run out).
void DealHere(int game, unsigned deal);
// Where a card of a pile lies on the screen (its centre, a little up).
ScreenPoint CardOnScreen(const CardGroup& pile, int index, float up = 0);
// Light: a card's face under the table's warm light (the backs, the table
// and the menu's frames are far darker).
bool IsLight(long colour);
// Every column's top card of a Klondike deal shows its face where the
// dealt layout puts it (every deal of the game lays its columns out alike,
// so any dealt record tells): the deal has flown out and been drawn.
bool TopsShowFaces(ProgramHarness& h, const Gen& dealt);

}  // namespace playrun
