// Pause.h - "Pause": the box "GAME PAUSED" over the table with a Resume
// button, while the game clock is paused and every card is drawn face down.
// Opened by the P key and by a minute without input; Resume, Escape and
// the P key return to play.
//
// State: the screen's handles.
#pragma once

class MWinCollection;

MWinCollection* PauseAddCollectionToDesktop();
void PauseCreateCB();
void PauseClearButtonHandles();
bool PauseGetButtonHandles();
void PauseControlStartingCB();
void PauseControlResumeCB();
void PauseControlTickCB();
