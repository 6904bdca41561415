// General.h - "General" ("MAIN OPTIONS"), the player's general game
// options: undo level, card sounds and their volume, foundation effects,
// swapped mouse buttons, highlighting of playable moves, and the end of a
// won game (the card sequence, what follows, music, congratulations).
// Options page 0 and a screen of its own. Every control is bound straight
// to its byte of the player's record; the sound hook and the volume take
// effect when the page is left, the music stops at once when switched off.
//
// The unit also makes a player's stored language current when play starts
// for him (GeneralControlApplyLanguage).
//
// State: the screen's handles (missing rows of the small layouts stay
// none) and the language index chosen on the page.
#pragma once

#include <cstdint>

class MWinCollection;
class MWinWindow;
struct MWinCallbackRecord;

MWinCollection* GeneralAddCollectionToDesktop();
void GeneralCreateCB();
bool GeneralAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
void GeneralClearButtonHandles();
// Looks up the rows of a layout (0 Normal ... 3 IPadPortrait).
bool GeneralGetButtonHandlesForLayout(const char* collection, const char* window, int layout);
bool GeneralGetButtonHandles();

void GeneralControlStartingCB();
void GeneralControlUndoInfoCB();
// "CardSoundsVol" enabled exactly when card sounds are on.
void GeneralControlCardSoundsCB();
// Music switched off stops the music.
void GeneralControlEndGameMusicCB();
// Music and congratulations enabled exactly when the end choice is 0.
void GeneralControlEndGameSeqCB();
void GeneralControlLanguageCB(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
// Clears the handles and applies the sound hook and the volume; with a
// record (the page's Done) also returns to the game or menu.
void GeneralControlDoneCB(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
// Makes the player's stored language current when play starts for him (or
// has him adopt the language chosen in the settings).
void GeneralControlApplyLanguage();
