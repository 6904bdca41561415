// Print.h - "Print": turns the current deck into picture files for
// printing. The deck is generated once more at print size into a scratch
// folder on the desktop, laid out nine cards to a page into one JPEG sheet
// of backs and six of fronts at 300 dots per inch in the desktop folder
// "Cardolia 3D Printing"; then the scratch folder goes and the game's own
// card pictures are made again. Also shown inside the Options window.
//
// State: the screen's handles; the scratch folder this run made (the only
// folder the clean-up deletes).
#pragma once

#include <string>

class MWinCollection;
class MWinWindow;

// The sheet sizes (pixels) and the cells' size.
constexpr int kPrintCellWidth = 732;
constexpr int kPrintCellHeight = 1039;

MWinCollection* PrintAddCollectionToDesktop();
void PrintCreateCB();
bool PrintGetButtonHandles();
void PrintClearButtonHandles();
void PrintControlStartingCB();
void PrintShapeInfoCB();
void PrintImagesSizeInfoCB();
void PrintBlurInfoCB();
void PrintControlCreateFilesCB();
void PrintControlBackCB();

// The whole print run with its messages; true when the seven sheets were
// written.
bool PrintCreateFiles();
// Generates the deck at print size and writes the seven sheets.
bool PrintGenerateSheets();
// Deletes the scratch folder this run made, with its files; nothing when
// the run made none.
void PrintDeleteGeneratedCards();
// The game's own card pictures made again at game size.
void PrintRestoreDeck();

// Sheet geometry of an image size (0 A4 with margins, 1 the cells alone).
void PrintGetSheetGeometry(int imageSize, int* width, int* height, int* left, int* top);
// The card in cell 0-8 of front sheet 1-6 ("ah", "ts", ...); "" for an
// empty cell.
std::string PrintGetFrontCard(int sheet, int cell);
// "Cardolia 3D Printing" on the desktop (created when missing).
const char* PrintGetOutputFolder();
