// WriteFailure.h - the player told of a file of theirs that could not be
// written (a full disk, a read-only one): the profile and per-game options,
// the settings (Resolution.dat), a game's statistics record, a score row.
// Each writer logs its own failure and keeps what was on the disk; this
// unit tells the player once per kind of file in a run, in one toolkit
// popup titled "Not Saved" (the "NotSaved_" texts), so a write that fails
// at every try never becomes a popup at every try. The saved game has its
// own question (the game stays at the table), not this notice.
//
// The program's own Exit writes the player's files while the window is up
// and ends only once the notice of a write that failed has been answered
// (WriteFailureRunAfterNotices).
//
// State: the texts not yet shown, the kinds already told in this run, the
// call waiting for the notices (and the one waiting for the popup shown),
// and whether the toolkit was started for the popup.
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
// A call waiting for the texts (WriteFailureRunAfterNotices) runs once the
// popup is answered, or at once when no popup can be shown.
void WriteFailureShowNotices();
// Runs after once the texts queued now have been shown and answered; at
// once when none is queued. A later call takes the place of one still
// waiting; null waits for nothing.
void WriteFailureRunAfterNotices(void (*after)());
// The number of texts waiting (tests).
int WriteFailureGetPendingCount();
// Forgets the queued texts, the kinds told and a call waiting (tests).
void WriteFailureClearNotices();
