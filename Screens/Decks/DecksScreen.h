// DecksScreen.h - "Decks": the player picks the card deck (a list with a
// fan of seven preview cards) and the card back (a grid of 16 standard
// backs and 16 slots for pictures of the player's own), creates, edits and
// deletes own decks, sets the card texture quality and the four-colour
// option, and opens Print and Publish. Also the Options screen's page 2.
//
// A new deck or quality reaches the table's cards when the page is left or
// another deck screen opens, and only when it differs from what the cards
// were last made from; a new card back is painted and applied at once and
// copied to every deck.
//
// Files: DecksScreen.cpp (the rows, the Starting callback and the callbacks
// that change screens), DecksControl.cpp (the previews and the back grid's
// textures, applying a deck, choosing a back; the game's loading and render
// steps and the card loader call these, so they need no other screen code).
//
// State: the handles; the program mode found on entry; the deck and quality
// last applied; 7 preview and 32 back textures; the user slot waiting for a
// picture; the new deck name.
#pragma once

#include <cstdint>

class MWinCollection;
class MWinWindow;
struct MWinCallbackRecord;

constexpr int kDecksNumPreviews = 7;

// ---- Screen (DecksScreen.cpp) ------------------------------------------------------
MWinCollection* DecksAddCollectionToDesktop();
void DecksCreateCB();
bool DecksAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
bool DecksGetButtonHandles();
bool DecksGetButtonHandlesWithIDs(const char* collection, const char* window);
void DecksClearButtonHandles();
void DecksControlStartingCB();
// Generates the current deck's pictures when they are needed.
void DecksControlGenerateCurrentDeck();
void DecksControlNewCB();
void DecksControlNewDeckNameCB(int result);
void DecksControlEditCB();
void DecksControlDeleteCB();
void DecksControlDeleteConfirmedCB(int result);
void DecksControlPrintCB();
void DecksControlUploadCB();
// "+" of an empty or current user slot opens the chooser; "-" empties it.
void DecksControlEditBackCB(MWinCallbackRecord* record, std::uint32_t back, std::uint32_t);
void DecksControlBackPictureChosenCB(int result);
// Applies the deck; with a record (Done) also returns to the game.
void DecksControlClose(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);

// ---- Control (DecksControl.cpp) -----------------------------------------------------------
// Message kind 0 plain, 1 new deck, 2 card back; kind 0 does nothing when
// the deck and the quality are the ones applied last.
void DecksControlApplyDeck(int kind, bool show);
void DecksControlLoadPreviews();
// Back n's picture: a standard back, or a user slot's picture (".tga",
// ".bmp", ".jpg", also in capitals); a user slot whose picture is gone is
// emptied. False when there is none.
bool DecksControlLoadDeckGraphics(int back);
void DecksControlReleaseGraphics();
void DecksControlCreateGraphics();
void DecksControlRenderPreview();
void DecksControlSetupDeckList();
void DecksControlUpdateButtons();
void DecksControlSetPageCB();
void DecksControlDeckChosenCB();
void DecksControlTexQualCB();
void DecksControlTexQualInfoCB();
void DecksControlFourColourCB();
void DecksControlFourColsInfoCB();
// Makes back n current: paints the current deck's back and side with it,
// applies them to the table and copies them to every deck. The show flag
// is whether a callback record came (the wait message).
void DecksControlSelectBackCB(MWinCallbackRecord* record, std::uint32_t back, std::uint32_t);
// The same with the back to return to when painting fails.
bool DecksSelectBack(int back, bool show, int previous);
// The texture of back n or preview card i (tests).
bool DecksIsBackLoadedForTests(int back);
bool DecksIsPreviewLoadedForTests(int card);
