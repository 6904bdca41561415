// PairGames.cpp - what the games that remove pairs to reserve pile 1 share
// (Baroness, Memory, Memory 2, Monte Carlo): their score.
#include "Game/GenRecord.h"
#include "Game/GenScores.h"

int PairGamesGetScore() {
  const Gen& g = g_GenLive;
  if (g.numReserves < 1) return 0;
  return g.reserves[0].numCards * 50;
}
