// SetsScreens.h - the table boards' two screens: "Sets", where the player
// picks the board, sets the board texture quality and creates, edits and
// deletes own boards (also the Options screen's page 3, with a live preview
// of the board in the main menu), and "SetsEdit", the board editor, which
// changes the current board in place and rebuilds its textures at once
// (its own screen during play; built into the Options window in place of
// the page otherwise).
//
// Files: SetsControl.cpp (the boards screen), SetsEdit.cpp (the editor),
// SetsGraphics.cpp (the preview, reloading the board; the game's loading
// and render steps call these, so they need no other screen code).
//
// State: each screen's handles; the setting-up flags; the preview texture
// and viewport; whether the editor is open in place of the page; the
// editor's picture-choosing marks.
#pragma once

#include <cstdint>
#include <string>

class MWinButton;
class MWinCollection;
class MWinWindow;
struct MWinCallbackRecord;

// ---- The boards screen (SetsControl.cpp) ---------------------------------------------
MWinCollection* SetsAddCollectionToDesktop();
void SetsCreateCB();
bool SetsAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
bool SetsGetButtonHandles();
void SetsClearButtonHandles();
void SetsControlStartingCB();
// List entry n: the board's name, "???" outside the list.
const char* SetsBoardNameCB(int entry, int maxChars);
// The current index put into the list, the list rescanned, Edit and Delete
// for the player's boards only, Create while fewer than 50 boards exist.
void SetsControlUpdateButtons();
void SetsControlFillList();
void SetsControlSelectCB();
void SetsControlTexQualCB();
void SetsControlTexQualInfoCB();
void SetsControlCreateCB();
void SetsControlCreateNameCB(int result);
// Opens the editor for a player's board: its own screen during play,
// else in place of the page.
void SetsControlEditCB();
void SetsControlDeleteCB();
void SetsControlDeleteResultCB(int result);
void SetsControlDoneCB();
// The name a new board may have: the deck names' rule (no separators, no
// "..", no control characters, not empty), no leading blank or tab, under
// 64 characters. A trailing blank is allowed.
bool SetsIsValidNewBoardName(const char* name);

// ---- The preview and the board's textures (SetsGraphics.cpp) ------------------------
// Makes the board current (the player's index), sets the clear colour and
// rebuilds the background (with the preview) and the table top.
void SetsControlLoadBoard(int board);
void SetsControlReloadBackground();
// On the Options boards page: the preview texture (256 x 256) for a
// plain-colour background.
void SetsControlCreateGraphics();
void SetsControlReleaseGraphics();
// The preview picture: the plain colour or the background texture, shown
// in the page's (else the editor's) picture button.
void SetsControlUpdatePreviewPicture();
// The background texture over the whole screen again.
void SetsControlResetPictureRect();
// The preview's viewport: the picture button inset by 4, in pixels.
void SetsControlUpdatePreviewViewport();
// Draws the table top in the preview viewport (the Options screen's render).
void SetsControlRenderPreview();
// The picture buttons the preview is shown in (null: none).
void SetsSetPreviewButtons(MWinButton* page, MWinButton* editor);
// True while the current screen is Options showing its boards page.
bool SetsIsOptionsBoardsPage();

// ---- The board editor (SetsEdit.cpp) --------------------------------------------------
MWinCollection* SetsEditAddCollectionToDesktop();
void SetsEditCreateCB();
bool SetsEditAddMainWinWindowButtonsToWindowNormal(MWinWindow* window);
bool SetsEditGetButtonHandles();
void SetsEditClearButtonHandles();
void SetsEditControlStartingCB();
void SetsEditControlUpdateControls();
void SetsEditWhichCB();
void SetsEditTypeCB();
void SetsEditShapeCB();
void SetsEditTexturesCB(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
void SetsEditGradientCB();
void SetsEditColour1CB(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
void SetsEditColour2CB(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
void SetsEditTilingCB();
void SetsEditBrowseCB();
void SetsEditOpenFileChooser(const char* title, const char* startFolder);
void SetsEditFileChosenCB(int result);
// The text a path is shown as in 14 characters: the path itself, its file
// name, or "..." and its last 11 characters.
std::string SetsEditShortFileName(const char* path);
void SetsEditShowFileName(MWinButton* button, const char* path);
// Entry n of the standard textures (0-18), "" beyond.
const char* SetsEditTextureNameCB(int entry);
// Saves the board; with a record (the editor's Done) also returns to play.
void SetsEditControlDoneCB(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
// The editor is open in place of the Options boards page (marked by the
// boards page when it builds the editor's rows into its window).
bool SetsEditControlIsOpen();
void SetsEditOpenInPlace();
