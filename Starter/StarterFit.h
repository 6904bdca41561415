// StarterFit.h - the starter's question fitted to the screen for SDL's box.
//
// SDL's box (Starter/SdlBox.h) is as wide as its widest row of text or its
// row of buttons, where every button is as wide as the widest caption: the
// box of a missing library, with the package page's address as a caption,
// can be wider than the screen and cut off at both ends. Measured with
// SDL's font (StarterBox.cpp opens Xlib with the dynamic loader, as it
// does the kits), the lines are broken into rows of at most two thirds of
// the screen's width, and a caption too wide for its share of the screen
// is cut in its middle with "...".
//
// No state.
#pragma once

#include <string>

#include "Starter/SdlBox.h"
#include "Starter/Starter.h"

// The caption itself when it is no wider than maxWidth, else its start and
// end around "..." as wide as fits.
std::string StarterCutCaption(const std::string& caption, int maxWidth, const SdlBoxMeasure& measure);
// Fits the lines and captions to a screen of screenWidth pixels, measured
// with measure; lineHeight is the font's height (a button's padding).
void StarterFitMessage(StarterMessage* message, int screenWidth, int lineHeight, const SdlBoxMeasure& measure);
