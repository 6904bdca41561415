// User.h - players: the current player's profile and per-game options, and
// their files. A player is a name and a country with everything the game
// remembers for that person; the profile (".usr") and the per-game block
// (".opt") are two enciphered files in the per-user "Users" folder, named
// after the player.
//
// The records themselves are in Game/UserRecord.h and Game/UserOptions.h;
// this unit keeps the one global of each, their file images (little-endian,
// field by field through offset tables, behind the version float 4.3), and
// the loaded flag. A reader checks the size and the version, terminates
// every text and clamps every choice into its range.
//
// Players' files are never deleted by reading them: a damaged or foreign
// profile fails to load (and is reported), and only UserDeleteFiles removes
// a player's files. A damaged profile (a folder in its place included) can
// be made anew with the defaults (UserRemakeProfile): the player's
// statistics, score rows, per-game block and saved games stay theirs, and
// the damaged file is kept aside. A damaged per-game block (another size) is
// kept aside as it was and written again with every field that reads; one
// that cannot be read at all is left as it is and not written while the
// player is loaded. Either way the player is told (App/DamagedFile.h). A
// player's name must be a safe file-name part of 1 to 32 characters
// (EngFileIsSafeName), the same rule as saved games.
//
// Depends on: the per-user folders, the settings file (the last player), the
// engine's record encryption, the splash panel, statistics and scores
// (deleting a player), and through App/AppImports.h the shell
// (GameStartForUser), the screens and the decks.
#pragma once

#include <cstddef>
#include <cstdint>

struct UserOptions;
struct UserRecord;

constexpr std::size_t kUserRecordFileSize = 10804;
constexpr std::size_t kUserOptionsFileSize = 2688;
constexpr float kUserFileVersion = 4.3f;

// The file images of the two records. The readers terminate the texts and
// clamp the enumerated bytes and the ranged floats; they do not judge the
// version.
void UserRecordToBytes(const UserRecord& record, std::uint8_t bytes[kUserRecordFileSize]);
void UserRecordFromBytes(const std::uint8_t bytes[kUserRecordFileSize], UserRecord* record);
void UserOptionsToBytes(const UserOptions& options, std::uint8_t bytes[kUserOptionsFileSize]);
void UserOptionsFromBytes(const std::uint8_t bytes[kUserOptionsFileSize], UserOptions* options);
// Reads the fields that lie wholly in the first length bytes of an image
// (a cut file); the others keep their values in *options.
void UserOptionsFromPartialBytes(const std::uint8_t* bytes, std::size_t length, UserOptions* options);

// True when the name may name a player's files: 1 to 32 characters that
// pass EngFileIsSafeName.
bool UserIsValidFileName(const char* name);
// "<Users folder>\<name>.usr" (options false) or ".opt" (true) in a buffer
// the next call overwrites; null name: the current player. Null (reported
// "Invlalid name parameter" / "Invlalid name") for a name that fails
// UserIsValidFileName.
const char* UserGetFileName(const char* name, bool options);
// True when a profile file of that name exists, readable or not (a folder
// in its place counts: it is a damaged profile).
bool UserProfileExists(const char* name);
// True when a profile file of that name exists but cannot be loaded
// (wrong size, key or version): cut, emptied, changed or foreign.
bool UserProfileIsDamaged(const char* name);

bool UserIsLoaded();
// Test seam: marks the current record as a loaded player (or none) without
// reading files or starting play.
void UserSetLoadedForTests(bool loaded);
// The defaults of a new player for both records (the version, id, name,
// country and the remembered mode and screen are left to the caller).
void UserSetDefaults();
void UserOptionsSetDefaults();
// A new player's per-game block.
UserOptions UserOptionsDefaults();

// Writes the profile, then the settings file with the player as the last
// player, then the per-game block (unless the load left it unread). False
// without a loaded player or when a write failed (reported under
// "UserSave"; the records stay in memory; a failed profile write leaves the
// settings as they were).
bool UserSave();
// Creates a player and starts play for it. False, with nothing changed,
// for a name that fails UserIsValidFileName, an empty or too long country,
// or a name whose profile file exists already ("Player exists").
bool UserNew(const char* name, const char* country);
// Reads and checks a profile without loading it; true when it exists, has
// the right size, deciphers and carries version 4.3; then *profile (when
// given) holds it. Never deletes anything; reports a profile that exists
// but cannot be read ("Error reading user file").
bool UserReadProfile(const char* name, UserRecord* profile);
// Loads a player: checkOnly only checks the profile (a missing one is false
// without a report) and gives its always-start byte. A full load makes the
// profile current, reads the per-game block (defaults when it is missing;
// what reads of a damaged one), marks the player loaded, starts play and
// runs the after-load action. A profile that fails the check fails the
// load; nothing is deleted.
bool UserLoad(const char* name, bool checkOnly, std::uint8_t* alwaysStart);
// Makes a damaged profile anew with a new player's defaults: the damaged
// file is moved aside ("<name>.usr.damaged"), and the new profile keeps the
// name, takes the country and player id of the player's newest score row
// (so that the rows stay the player's), or fallbackCountry and a new id
// when no table holds the name. The per-game block, statistics and saved
// games are not touched, nor is the loaded player. False (reported, the
// damaged file back in place) when the profile is not damaged or cannot be
// written; the caller then loads the player (UserLoad).
bool UserRemakeProfile(const char* name, const char* fallbackCountry);
// Removes every file of that player: statistics, score entries, saved games,
// profile and per-game block (a folder in the place of either is moved
// aside, not deleted). Deleting the loaded player also unloads it and
// clears the settings' last player, so nothing re-creates its files.
void UserDeleteFiles(const char* name);
