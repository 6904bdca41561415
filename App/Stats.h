// Stats.h - the player's statistics file (".sta" in "Users", named after the
// player).
//
// Stand-in until the statistics unit is built: the card core's calls
// (Game/GameImports.h) record nothing; deleting the player's file is real,
// so that deleting or re-creating a player never leaves an old file behind.
#pragma once

// The player's statistics file name; null without a loaded player.
const char* StatsGetFilename();
// Deletes the player's statistics file when it exists.
void StatsDeleteFile();
