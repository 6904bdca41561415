// About.h - "About": the game's title, version and acknowledgements with
// one OK button. From the main menu its previous screen is always the main
// menu; during a game OK returns to the game.
//
// State: the screen's handles and the re-entry guard.
#pragma once

class MWinCollection;

MWinCollection* AboutAddCollectionToDesktop();
void AboutCreateCB();
void AboutClearButtonHandles();
bool AboutGetButtonHandles();
void AboutControlStartingCB();
void AboutControlDoneCB();
