// DeckGen.h - "DeckGen", the deck generator screen: edits the generator
// settings of one of the player's own decks part by part (pip layout,
// shape, base, suits, ranks, aces, kings, queens, jacks) and shows freshly
// generated preview cards of the part being edited. Done saves the
// settings and, when anything changed, makes the deck's pictures again and
// puts the deck on the table. The deck's own pictures are edited in a
// photo-editor program the player chooses once.
//
// Files: DeckGenScreen.cpp (the 103 rows, looking their handles up),
// DeckGenControl.cpp (the Starting callback, the visibility rules,
// regenerating, the callbacks), DeckGenGraphics.cpp (the handles, the
// element and preview textures; the game's loading steps call these),
// DeckGenEdits.cpp (the changed flag and discarding unsaved previews).
//
// State: the handles; the program mode found on entry; the changed flag;
// the element texture and 9 x 13 preview textures.
#pragma once

#include <cstdint>

class MWinButton;
class MWinCollection;
class MWinHorzScrollbar;
class MWinWindow;
struct MWinCallbackRecord;

constexpr int kDeckGenEditSets = 9;
constexpr int kDeckGenMaxPreviews = 13;

// The handles, in the rows' order.
struct DeckGenHandles {
  MWinButton *nameText, *name, *editText, *editSet;
  MWinButton* rowText[8];   // ShapeText .. JacksText
  MWinButton* rowChoice[8];  // Shape .. Jacks
  MWinButton* rowPanel[8];   // SysShape .. SysJacks
  MWinButton *cardsBg, *pic;
  MWinButton* cardPic[14];
  MWinButton* cardBigPic[4];
  MWinButton* cardBiggestPic[2];
  MWinButton *elemName, *editElem, *texQualText, *texQual, *config, *done;
  MWinButton *acesCenterPipText, *acesCenterPip;
  MWinHorzScrollbar *courtWidth, *courtHeight;
  MWinButton *courtMirror, *courtPips;
  MWinHorzScrollbar* courtPipsXYWH[4];
  MWinButton *suitColsText, *suitCols, *suitTransText, *suitTrans;
  MWinButton *heartsColText, *heartsCol, *diamondsColText, *diamondsCol;
  MWinButton *spadesColText, *spadesCol, *clubsColText, *clubsCol;
  MWinButton *fourColNote, *diamondsLock, *clubsLock;
  MWinButton *ranksOn, *rankTrans, *rankTransText;
  MWinHorzScrollbar* rankXYWH[4];
  MWinButton* mainPipsType;
  MWinHorzScrollbar* mainPips[4];  // MainPipW, MainPipH, MainPipsW, MainPipsH
  MWinButton* sidePipsType;
  MWinHorzScrollbar* sidePips[4];  // SidePipsX, SidePipsY, SidePipsW, SidePipsH
  MWinButton *baseColText, *baseCol, *useBaseColText, *useBaseCol, *note;
};

// ---- Screen (DeckGenScreen.cpp) ------------------------------------------------------------
MWinCollection* DeckGenAddCollectionToDesktop();
void DeckGenCreateCB();
bool DeckGenAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
bool DeckGenGetButtonHandlesNormal(const char* collection, const char* window);
bool DeckGenGetButtonHandles();
void DeckGenClearButtonHandles();
DeckGenHandles& DeckGenGetHandles();

// The edit set (0-8) of the player's profile, brought into range.
int DeckGenGetEditSet();

// ---- Control (DeckGenControl.cpp, DeckGenGraphics.cpp) ----------------------------------------------------------
void DeckGenControlStartingCB();
void DeckGenControlCreateGraphics();
void DeckGenControlReleaseGraphics();
void DeckGenControlLoadPreviews();
void DeckGenControlShowElementName();
void DeckGenControlAttachPreviews();
void DeckGenControlUpdateControls();
// Regenerates the edit set's preview cards; false when the generator
// could not be prepared (the previews then stay as they were).
bool DeckGenControlRegeneratePreview();
void DeckGenControlReloadAll();
void DeckGenControlDoneCB(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
void DeckGenControlConfigCB();
void DeckGenControlPhotoEditorChosenCB(int result);
void DeckGenControlEditElementCB();
// Edits of the screen that will not be saved (the settings are read again
// from the file, or the program ends on this screen): previews made from
// them are deleted from both colour folders of the deck, so no picture of
// unsaved settings stays in its cache.
void DeckGenControlDiscardEdits();
// ---- Edits not yet saved (DeckGenEdits.cpp) -------------------------------------------------
// The changed flag (a preview was regenerated since entry).
bool DeckGenIsChanged();
void DeckGenSetChanged(bool changed);
// Deletes every generated picture (".tga") of the current deck in both
// colour folders.
void DeckGenDeleteGeneratedPictures();
// The texture of preview card i of edit set s, loaded (tests).
bool DeckGenIsPreviewLoadedForTests(int set, int card);
// The card names of an edit set's preview row; count through cards.
const char* const* DeckGenGetPreviewCards(int set, int* count);
