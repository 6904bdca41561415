// SolMWin.h - the game's toolkit look: the button texture "Buttons.tga"
// (Data\Main\0101.dat) and the texture buttons cut from it ("Main",
// "Back1", "Panel", the arrows, the list, scroll and check parts in the
// toolkit's standard slots), the game's per-layout metrics and style, the
// game's toolkit font, and the clearing of every screen's button handles
// before a screen change.
//
// Everything here is set once before the graphics device exists; the
// toolkit makes and releases the texture with the device.
//
// No state of its own; it writes into the toolkit (g_MWin).
#pragma once

class MWin;
class EngFont;

// Registers "Buttons.tga" and makes every texture button with its draw
// style; a failed step is reported (under "SolMWinSetupTexturesAndTexButs()")
// and the next one still runs. True only when every step succeeded.
bool SolMWinSetupTexturesAndTexButs();
// Creates the game's toolkit font (font number 0 only; "Bad font number %d")
// from a font file with the game's glyph settings. False without a font or
// file name, or when the font cannot be made ("EngFont::Create failed <Main>").
bool SolMWinCreateFontApart(int fontNumber, const char* fontFile, EngFont* font);
// Writes the style's two switches and the 23 game metrics of each of the
// five layout blocks (game metric k is the toolkit's entry k + 3). False
// without a toolkit.
bool SolMWinSetupLayoutConstants(MWin* mw);
// The game's whole toolkit style: the layout constants, the standard looks
// of windows (slot 0 "Back1"), title bars (1 "TitleBack") and buttons (3, 4
// and 10 "Main"), the popups in those looks with the font "Main" and
// readable colours, and gameFont (registered as "Main") also as the
// toolkit's standard font. False without a toolkit.
bool SolMWinSetupStyleOf(MWin* mw, EngFont* gameFont);
// The same for the program's toolkit and the game shell's font.
void SolMWinSetupStyle();
// Clears the button handles of every screen.
void SolMWinClearAllButtonHandles();
