// DamagedFile.h - what the player's files do when one is found damaged: the
// damaged file is kept under a new name in its folder (moved or copied
// there; never deleted: what a reader could not make sense of may still be
// worth something to the player), and the player is told once, in one
// toolkit popup, at the next screen that shows the notices.
//
// The readers decide what damage is and keep whatever can be read (the
// statistics, the score tables, the player's profile); this unit only keeps
// the file and the notices.
//
// A file that cannot be read at all (no permission to read it, a folder in
// its place, too large to be a file of ours) is another case: it is left as
// it is, its reader writes nothing over it, and the player is told once in
// a run (DamagedFileNotifyTextOnce).
//
// State: the notices not yet shown (a few lines of text), the files already
// told of in this run, the files that could not be put aside in this run,
// and the name buffer.
#pragma once

// The most notices kept until they are shown; later ones are only logged.
constexpr int kDamagedFileMaxNotices = 8;

// Moves the file to the first free name of "<path>.damaged",
// "<path>.damaged-2" ... "<path>.damaged-99" in its folder (an existing file
// is never replaced). A folder that stands where a file should be is moved
// the same way. The new name in a buffer the next call overwrites, or null
// when the file could not be moved (the file stays). A failure other than a
// taken name (a read-only folder, a full disk) ends the trying at once; it
// is reported in one line with its reason, and the file is not tried again
// in the run: a later call for the same path answers null at once, unlogged.
const char* DamagedFileMoveAside(const char* path);
// The same with a copy: the file stays where it is, for its reader to
// write it again with what could be read.
const char* DamagedFileCopyAside(const char* path);
// The part of a path after its last separator ('\\' or '/').
const char* DamagedFileBaseName(const char* path);

// Queues a text for the player (copied; logged at once).
void DamagedFileNotify(const char* text);
// Queues the language text of the token with "%1" and "%2" replaced by the
// two texts; without that text, the token and the two texts as they are.
void DamagedFileNotifyText(const char* token, const char* text1, const char* text2);
// The same, once per key (a file's path) in a run: a file that stays as it
// is is told at its first failed read, not at every one. True when queued.
bool DamagedFileNotifyTextOnce(const char* key, const char* token, const char* text1, const char* text2);
// Shows the queued texts in one OK popup, titled with the "Damaged_Title"
// text, when the toolkit is on and no popup is open; then they are gone.
// Run by the screens that a player reaches after a file was read: the
// player selection, the load player screen, the main menu and its pages.
void DamagedFileShowNotices();
// The number of texts waiting (tests).
int DamagedFileGetPendingCount();
// Forgets the queued texts, the files told of and the files that could not
// be put aside (tests).
void DamagedFileClearNotices();
