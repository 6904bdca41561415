// GenRender.h - the drawing of the ready record's piles (the playing scene
// and the celebrations draw them).
//
// State: the deck count's text, kept until the count changes.
#pragma once

// The piles of the ready record in drawing order, the deck's card count
// over its top card, the selection with its shadows.
void GenRenderPiles();
