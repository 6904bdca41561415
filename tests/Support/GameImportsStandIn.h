// GameImportsStandIn.h - the player data as the card core's and the shell's
// tests see it: the calls of Game/GameImports.h that the card core makes
// (filled into its import table before any test runs), and those the shell
// (Shell/) makes of the player data, answered by a stand-in that records
// what it was asked for.
//
// The player's record and per-game block start as a new player's; the
// per-user folder is a folder relative to the current one (the tests run in
// a temporary folder); sounds, statistics and foundation effects are only
// counted; the score calls do nothing. Each Reset*ForTests call clears one
// record; a test base resets them all before each test.
//
// State: the loaded flag, the folder name and the three call records below.
#pragma once

#include "Game/GameImports.h"
#include "tests/Support/ScreensStandIn.h"

// Fills every slot of the card core's import table with this stand-in's
// calls; done once before the tests run, again by a test that emptied a slot.
void GameImportsFillStandIn();

// Marks a player as loaded or not (the profile's loading, in the shell).
void UserSetLoaded(bool loaded);

// The sound calls since the last reset: how many samples and foundation
// sounds were asked for, and the last of each (-1 for none).
struct SoundCallsForTests {
  int samples = 0;
  int lastSample = -1;
  int foundationSounds = 0;
  int lastRank = -1;
};
const SoundCallsForTests& SoundGetCallsForTests();
void SoundResetForTests();

// How many games were added to the statistics as won / not won since the
// last reset: the reports the statistics take, once per game by the live
// game's recorded state.
int StatsGetAddedForTests(bool won);
void StatsResetForTests();

// The number of foundation effects started since the last reset, and the
// position and scale of the last one (scale 1, 1, 1 when none was given).
int FoundationEffectsGetAddedForTests(float* position, float* scale);
void FoundationEffectsResetForTests();

// The display settings the shell reads (the texture cursor off).
GameDisplaySettings& StandInDisplaySettings();
