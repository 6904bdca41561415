// BoxText.h - the text of SDL's message box broken into rows that fit the
// screen (SDL's box does not wrap; see Starter/SdlBox.h).
//
// The rows are at most two thirds of the width the box may take, measured
// with the very font SDL's box draws with, so that the box and its margins
// fit whatever fonts the X server has. Without an X display, or without
// that font (SDL then cannot show its box either, and GTK's box wraps by
// itself), the text is left as it is.
//
// No state: each fit opens the display, measures and closes it.
#pragma once

#include <string>

// The text for SDL's box on the X display of $DISPLAY: wrapped to two
// thirds of the screen's width, or of the window the box is centred on
// when that is narrower (windowWidth; 0 for none).
std::string BoxTextFitScreen(const std::string& utf8Text, int windowWidth);
