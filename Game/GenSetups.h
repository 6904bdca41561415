// GenSetups.h - the set-up routines of the 84 games.
//
// Each routine turns the empty game record into one variant (piles, rule
// codes, deal, callbacks) and ends with GenSetReady; GenInit reaches it only
// through the game table. One routine may serve several games and tell them
// apart by the current game number.
#pragma once

void AccordionSetup();
void AcesUpSetup();
void AgnesSetup();
void AlternationsSetup();
void BakersDozenSetup();
void FreeCellSetup();
void BaronessSetup();
void BeleagueredCastleSetup();
void BlackHoleSetup();
void QueenOfItalySetup();
void FlowerGardenSetup();
void BristolSetup();
void BuffaloBillSetup();
void CalculationSetup();
void CanfieldSetup();
void ColeopterSetup();
void CurdsAndWheySetup();
void KlondikeSetup();
void YukonSetup();
void LaBelleLucieSetup();
void FortyThievesSetup();
void GapsSetup();
void HarpSetup();
void GiantSetup();
void GizaSetup();
void GolfSetup();
void GrandfathersClockSetup();
void KingsSetup();
void MarthaSetup();
void MemorySetup();
void MissMilliganSetup();
void MonteCarloSetup();
void NewYorkSetup();
void PenguinSetup();
void PokerSetup();
// The poker games' row and column scores, drawn over the table after the
// piles.
void PokerSquareRenderScores();
void RougeEtNoirSetup();
void ScorpionSetup();
void SpiderSetup();
void SpiderTrapSetup();
void SpidersCrossingSetup();
void TwentySetup();
void WaningMoonSetup();
