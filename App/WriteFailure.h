// WriteFailure.h - the player told of a file of theirs that could not be
// written (a full disk, a read-only one): the profile and per-game options,
// the settings (Resolution.dat), a game's statistics record, a score row.
// Each writer logs its own failure and keeps what was on the disk; this
// unit tells the player once per kind of file in a run, in one toolkit
// popup titled "Not Saved" (the "NotSaved_" texts), so a write that fails
// at every try never becomes a popup at every try. The saved game has its
// own question (the game stays at the table), not this notice.
//
// State: the texts not yet shown, the kinds already told in this run, and
// whether the toolkit was started for the popup.
#pragma once

enum class WriteFailureKind {
  kProfile,     // the player's profile or per-game options
  kSettings,    // Resolution.dat
  kStatistics,  // the player's statistics file
  kScore,       // a game's score table
};
constexpr int kWriteFailureKinds = 4;

// A write of the kind failed: the first time in a run its text is queued
// (logged at once), later ones are only logged by their writers. name is
// what the text names (the player; for a score, the game; null: nothing).
void WriteFailureNotify(WriteFailureKind kind, const char* name);
// Shows the queued texts in one OK popup when no popup is open; then they
// are gone. With the toolkit off (in play) it is started for the popup and
// closed with it. Run every tick by the shell wherever a popup may show.
void WriteFailureShowNotices();
// The number of texts waiting (tests).
int WriteFailureGetPendingCount();
// Forgets the queued texts and the kinds told (tests).
void WriteFailureClearNotices();
