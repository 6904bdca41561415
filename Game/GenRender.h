// GenRender.h - the drawing of the ready record's piles (the playing scene
// and the celebrations draw them).
//
// State: the deck count's text, kept until the count changes.
#pragma once

// The piles of the ready record in drawing order, the deck's card count
// over its top card, the selection with its shadows.
void GenRenderPiles();

// The frames of carried cards (GameFrames.cpp).
// Where the carried cards (the selection and its shadows) were drawn, taken
// where they are drawn; forgotten when nothing is carried.
void GameFramesNoteSelectionDrawn();
// Once a tick: carried cards that moved since they were drawn ask for the
// area they left and the one they reach; a drop target lit or put out asks
// for a whole frame.
void GameFramesAskForSelection();
