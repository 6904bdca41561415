// GenText.h - the texts of a game: display name, objective, rule titles and
// rule paragraphs, put together from the rules-text table and the current
// language.
#pragma once

// kind 1: the display name of game n (item n of "Game_GameList");
// kind 2: the objective text of game n; for kinds 1 and 2 a negative n is the
// current game and a number above 83 logs "Invalid game number %d" and gives
// "XXX".
// kind 3: the title of rule n of the current game: the title text with "%1"
// replaced by the rule's count when that is 2 or more, then " (place)" when
// the rule has a place ("%s (%s)").
// kind 4: the paragraph of rule n: the texts of its (up to four) text keys
// joined by single blanks.
// For kinds 3 and 4 a negative n logs "Invalid rule number %d" and gives
// "XXX"; a rule past the game's rules gives "". Any other kind logs "Unknown
// string kind %d" and gives "XXX". All reports are under "GenGetGameString".
// The result is a static buffer, valid until the next call.
const char* GenGetGameString(int kind, int n);
