// GenSetupsPending.cpp - stand-ins for the variant set-up routines that are
// not written yet.
//
// Each stand-in logs one line and leaves the record not ready, so a game
// whose routine is missing cannot be dealt. A routine moves out of this file
// into its own when its variant is written.
#include "Engine/Debug.h"
#include "Game/GenSetups.h"

namespace {

void SetupNotWritten(const char* routine) {
  DebugError(routine, "Variant set-up not written yet");
}

}  // namespace

void AccordionSetup() { SetupNotWritten("AccordionSetup"); }
void AcesUpSetup() { SetupNotWritten("AcesUpSetup"); }
void AgnesSetup() { SetupNotWritten("AgnesSetup"); }
void AlternationsSetup() { SetupNotWritten("AlternationsSetup"); }
void BakersDozenSetup() { SetupNotWritten("BakersDozenSetup"); }
void FreeCellSetup() { SetupNotWritten("FreeCellSetup"); }
void BaronessSetup() { SetupNotWritten("BaronessSetup"); }
void BeleagueredCastleSetup() { SetupNotWritten("BeleagueredCastleSetup"); }
void BlackHoleSetup() { SetupNotWritten("BlackHoleSetup"); }
void QueenOfItalySetup() { SetupNotWritten("QueenOfItalySetup"); }
void FlowerGardenSetup() { SetupNotWritten("FlowerGardenSetup"); }
void BristolSetup() { SetupNotWritten("BristolSetup"); }
void BuffaloBillSetup() { SetupNotWritten("BuffaloBillSetup"); }
void CalculationSetup() { SetupNotWritten("CalculationSetup"); }
void CanfieldSetup() { SetupNotWritten("CanfieldSetup"); }
void ColeopterSetup() { SetupNotWritten("ColeopterSetup"); }
void CurdsAndWheySetup() { SetupNotWritten("CurdsAndWheySetup"); }
void KlondikeSetup() { SetupNotWritten("KlondikeSetup"); }
void YukonSetup() { SetupNotWritten("YukonSetup"); }
void LaBelleLucieSetup() { SetupNotWritten("LaBelleLucieSetup"); }
void FortyThievesSetup() { SetupNotWritten("FortyThievesSetup"); }
void GapsSetup() { SetupNotWritten("GapsSetup"); }
void HarpSetup() { SetupNotWritten("HarpSetup"); }
void GiantSetup() { SetupNotWritten("GiantSetup"); }
void GizaSetup() { SetupNotWritten("GizaSetup"); }
void GolfSetup() { SetupNotWritten("GolfSetup"); }
void GrandfathersClockSetup() { SetupNotWritten("GrandfathersClockSetup"); }
void KingsSetup() { SetupNotWritten("KingsSetup"); }
void MarthaSetup() { SetupNotWritten("MarthaSetup"); }
void MemorySetup() { SetupNotWritten("MemorySetup"); }
void MissMilliganSetup() { SetupNotWritten("MissMilliganSetup"); }
void MonteCarloSetup() { SetupNotWritten("MonteCarloSetup"); }
void NewYorkSetup() { SetupNotWritten("NewYorkSetup"); }
void PenguinSetup() { SetupNotWritten("PenguinSetup"); }
void PokerSetup() { SetupNotWritten("PokerSetup"); }
void RougeEtNoirSetup() { SetupNotWritten("RougeEtNoirSetup"); }
void ScorpionSetup() { SetupNotWritten("ScorpionSetup"); }
void SpiderSetup() { SetupNotWritten("SpiderSetup"); }
void SpiderTrapSetup() { SetupNotWritten("SpiderTrapSetup"); }
void SpidersCrossingSetup() { SetupNotWritten("SpidersCrossingSetup"); }
void TwentySetup() { SetupNotWritten("TwentySetup"); }
void WaningMoonSetup() { SetupNotWritten("WaningMoonSetup"); }
