// BakersDozen.h - the Baker's Dozen family's callbacks (Baker's Dozen,
// Castles in Spain); BakersDozenSetup is in GenSetups.h.
#pragma once

// Deal plan: every card face up cyclically over the 13 tableau piles; in
// Baker's Dozen an ace goes to the foundation of its suit instead (its
// pile's turn passes).
bool BakersDozenDeal(int a, int b);
// When the deal has landed: in Baker's Dozen each of the first three places
// from the bottom of a pile that holds no king takes a king from higher up
// the pile, so that no king lies above another card; then the standard
// autoplay step. Gives false.
bool BakersDozenDealAnimation(int a, int b);
