// Alternations.h - the Alternations family's callbacks (Alternations,
// Interchange, Unlimited); AlternationsSetup is in GenSetups.h.
#pragma once

// Deal plan: cyclically over the tableau piles, the rows alternately face
// up (the first, third, fifth and seventh) and face down.
bool AlternationsDeal(int a, int b);
// Tableau, foundations, the waste's top card, then the stock: one card to
// the waste, or with the stock empty (Unlimited only) the waste turned back.
bool AlternationsSelection(int quick, int down);
