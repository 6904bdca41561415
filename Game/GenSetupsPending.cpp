// GenSetupsPending.cpp - placeholders for the variant set-up routines whose
// variants are not written yet; on purpose, not dead code.
//
// The game table names a set-up routine for every one of the 84 games, so
// each routine must exist. Until its variant is written a routine here only
// logs "Variant set-up not written yet" and leaves the record not ready, so
// that game cannot be dealt (tests and the fixture variants install their
// own set-up with GenSetSetupOverrideForTests). When a variant is written
// its routine moves out of this file into the variant's own, and the file
// goes once it is empty.
#include "Engine/Debug.h"
#include "Game/GenSetups.h"

namespace {

void SetupNotWritten(const char* routine) {
  DebugError(routine, "Variant set-up not written yet");
}

}  // namespace

void AccordionSetup() { SetupNotWritten("AccordionSetup"); }
void GapsSetup() { SetupNotWritten("GapsSetup"); }
