// Print.cpp - the Print screen: its rows, its options and the print run
// that lays the deck out on JPEG sheets (see Print.h).
#include "Screens/Decks/Print.h"

#include <unistd.h>

#include <cstdio>
#include <iterator>
#include <string>

#include "App/DirList.h"
#include "App/PrefFolder.h"
#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngJpeg.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/EngTga.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/Decks/CardsDecks.h"
#include "Game/Decks/CardsGenerate.h"
#include "Game/Decks/DecksBacks.h"
#include "Game/Decks/DecksCurrent.h"
#include "Game/Decks/LoadCards.h"
#include "Game/UserRecord.h"
#include "Platform/Files.h"
#include "Screens/Decks/DecksScreens.h"
#include "Screens/ScreenRows.h"
#include "Screens/Screens.h"
#include "Screens/ScreensImports.h"

namespace {

constexpr const char* kName = "Print";
constexpr const char* kOutputFolder = "Cardolia 3D Printing";
constexpr const char* kScratchName = "PrintDeck";
constexpr int kSheetQuality = 100;
constexpr int kSheetDotsPerInch = 300;
constexpr int kFrontSheets = 6;
constexpr int kCellsPerSheet = 9;

#define PRINT_ROW(id, kind, look, text, x, y, w, h, sx, align, token) \
  {id, kind, look, text, x, y, w, h, {1, 1, 1, 0.7f}, sx, sx == 1.3f ? 1.3f : 1.2f, align, token, nullptr}

const ScreenRow kRows[] = {
    PRINT_ROW("Title", MWIN_BUT_PUSH, "Back1", "PRINT CARD DECK", 86, 67, 465, 36, 1.3f, 1, "Print_Title"),
    PRINT_ROW("Bg", MWIN_BUT_PUSH, "Back1", "", 86, 103, 465, 311, 1.0f, 1, nullptr),
    PRINT_ROW("Info", MWIN_BUT_PUSH, "Back1",
              "Pressing the \"Print\" button below will create a number of picture files.", 94, 111, 449, 155, 1.0f,
              1, nullptr),
    PRINT_ROW("CardShapeText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Cards Background", 101.22f, 273, 144.78f, 21,
              1.0f, 2, "Print_CardShapeText"),
    PRINT_ROW("CardShape", MWIN_BUT_LIST, "Main", "First Panel Entry 1", 245, 273, 215, 21, 1.0f, 1, nullptr),
    PRINT_ROW("CardShapeInfo", MWIN_BUT_PUSH, "Main", "?", 463, 273, 23.02f, 21, 1.0f, 1, nullptr),
    PRINT_ROW("ImagesSizeText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Images Size", 101.22f, 298, 144.78f, 21, 1.0f, 2,
              "Print_ImagesSizeText"),
    PRINT_ROW("ImagesSize", MWIN_BUT_CHOICE, "Main", "", 245, 298, 215, 21, 1.0f, 1, nullptr),
    PRINT_ROW("ImagesSizeInfo", MWIN_BUT_PUSH, "Main", "?", 463, 298, 23.02f, 21, 1.0f, 1, nullptr),
    PRINT_ROW("BlurCardsText", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Apply Blur to Cards", 101.22f, 323, 144.78f, 21,
              1.0f, 2, "Print_BlurCardsText"),
    PRINT_ROW("BlurCards", MWIN_BUT_CHOICE, "Main", "Prev", 245, 323, 215, 21, 1.0f, 1, nullptr),
    PRINT_ROW("BlurInfo", MWIN_BUT_PUSH, "Main", "?", 463, 323, 23.02f, 21, 1.0f, 1, nullptr),
    PRINT_ROW("CreateFiles", MWIN_BUT_PUSH, "Main", "Create Files for Printing", 235, 355, 167, 28, 1.0f, 1,
              "Print_CreateFiles"),
    PRINT_ROW("Note1", MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", "Note: The file creation process can take some time.", 89,
              390, 465, 13, 1.0f, 1, "Print_Note1"),
    PRINT_ROW("Done", MWIN_BUT_PUSH, "Main", "Done", 264, 414, 112, 29, 1.0f, 1, "Common_ButtonDone"),
};
#undef PRINT_ROW

struct Handles {
  MWinButton* info = nullptr;
  MWinButton* cardShape = nullptr;
  MWinButton* cardShapeInfo = nullptr;
  MWinButton* imagesSize = nullptr;
  MWinButton* imagesSizeInfo = nullptr;
  MWinButton* blur = nullptr;
  MWinButton* blurInfo = nullptr;
  MWinButton* createFiles = nullptr;
  MWinButton* done = nullptr;
};

struct PrintState {
  Handles h;
  // The folder this run pointed the generator at: the clean-up deletes this
  // one only, never the game's own deck folder.
  std::string scratch;
};
PrintState g_print;

const char* Text(const char* token) { return EngLanguagesGetFirstString(token); }

// A wait message without buttons, drawn at once: the run blocks the game.
void ShowWait(const char* text) {
  g_MWin.PopupCloseIfOpen();
  g_MWin.PopupMessage(nullptr, text);
  for (int i = 0; i < 4; ++i) EngMiscRenderFrameNow(true, false);
  g_MWin.PopupCloseIfOpen();
}

void Popup(const char* title, const char* text) {
  g_MWin.PopupCloseIfOpen();
  g_MWin.PopupOk(title, text);
}

std::uint8_t& CardsBackground() { return g_UserRecord.printOptions[0]; }
std::uint8_t& ImageSize() { return g_UserRecord.printOptions[1]; }
std::uint8_t& Blur() { return g_UserRecord.printOptions[2]; }

// The sheet is written beside its old self and renamed over it, so a
// failed write never leaves half a sheet where a whole one was.
bool WriteSheet(const EngTga& sheet, const std::string& name) {
  const std::string temporary = name + ".tmp-" + std::to_string(getpid());
  if (!EngJpegSaveToFileFromTga(temporary.c_str(), &sheet, kSheetQuality, kSheetDotsPerInch)) {
    EngFileDelete(temporary.c_str());
    return false;
  }
  if (!MoveFileA(temporary.c_str(), name.c_str())) {
    DebugError("PrintGenerateSheets", "Could not write <%s>", name.c_str());
    EngFileDelete(temporary.c_str());
    return false;
  }
  return true;
}

bool PlaceCard(EngTga* sheet, const std::string& file, int cell, int left, int top) {
  EngTga card;
  if (!card.LoadFromFile(file.c_str())) return false;
  return sheet->FillFromOtherTga(0, 0, -1, -1, &card, left + (cell % 3) * kPrintCellWidth,
                                 top + (cell / 3) * kPrintCellHeight, kPrintCellWidth, kPrintCellHeight, false, false,
                                 0, false);
}

bool Whiten(EngTga* sheet) { return sheet->SetDataPartColour(0, 0, -1, -1, 1, 1, 1, 1); }

}  // namespace

// ---- Layout -------------------------------------------------------------------------------------

MWinCollection* PrintAddCollectionToDesktop() {
  return ScreenAddCollection(kName, kRows, static_cast<int>(std::size(kRows)));
}

void PrintCreateCB() { PrintAddCollectionToDesktop(); }

void PrintClearButtonHandles() { g_print.h = Handles{}; }

bool PrintGetButtonHandles() {
  const char* collection = DecksScreensHostCollection(kName);
  ScreenLookUp get(collection);
  Handles& h = g_print.h;
  h.info = get("Info");
  h.cardShape = get("CardShape");
  h.cardShapeInfo = get("CardShapeInfo");
  h.imagesSize = get("ImagesSize");
  h.imagesSizeInfo = get("ImagesSizeInfo");
  h.blur = get("BlurCards");
  h.blurInfo = get("BlurInfo");
  h.createFiles = get("CreateFiles");
  h.done = get("Done");
  const bool ok = get.AllFound();
  if (!ok) PrintClearButtonHandles();
  return ok;
}

// ---- Control ------------------------------------------------------------------------------------

void PrintControlStartingCB() {
  if (!PrintGetButtonHandles()) return;
  Handles& h = g_print.h;
  h.cardShapeInfo->SetSimpleCallback(PrintShapeInfoCB);
  h.imagesSizeInfo->SetSimpleCallback(PrintImagesSizeInfoCB);
  h.blurInfo->SetSimpleCallback(PrintBlurInfoCB);
  h.createFiles->SetSimpleCallback(PrintControlCreateFilesCB);
  h.done->SetSimpleCallback(PrintControlBackCB);
  h.done->SetEscapeButtonForParentWindow();
  DecksRescan();
  const int deck = g_UserRecord.currentDeck;
  if (deck < 0 || deck >= CardsDecksGetNumDecks()) {
    DebugError("PrintControlStartingCB", "Invalid deck num %d", deck);
    PrintControlBackCB();
    return;
  }
  h.info->SetMultilineText(true);
  h.info->SetText(Text("Print_MainMessage"));
  if (CardsBackground() > 2) CardsBackground() = 0;
  if (ImageSize() > 1) ImageSize() = 0;
  if (Blur() > 1) Blur() = 0;
  h.cardShape->ListSetStringsLanguageToken(3, "Print_ShapeList");
  h.cardShape->ListRegisterCharVariable(reinterpret_cast<signed char*>(&CardsBackground()));
  h.imagesSize->ChoiceSetStringsLanguageToken(2, "Print_ImagesSizeList");
  h.imagesSize->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&ImageSize()), false);
  h.blur->ChoiceSetStringsLanguageToken(2, "Engmon_NoYesList");
  h.blur->ChoiceRegisterCharVariable(reinterpret_cast<signed char*>(&Blur()), false);
}

void PrintShapeInfoCB() { Popup(Text("Print_CardsBg"), Text("Print_ShapeInfoMessage")); }
void PrintImagesSizeInfoCB() { Popup(Text("Print_ImagesSizeText"), Text("Print_ImagesSizeMessage")); }
void PrintBlurInfoCB() { Popup(Text("Print_Blur"), Text("Print_BlurMessage")); }
void PrintControlCreateFilesCB() { PrintCreateFiles(); }
void PrintControlBackCB() { ScreensGoBack(); }

// ---- The print run ------------------------------------------------------------------------------

void PrintGetSheetGeometry(int imageSize, int* width, int* height, int* left, int* top) {
  const bool cellsOnly = imageSize == 1;
  if (width) *width = cellsOnly ? 3 * kPrintCellWidth : 2480;
  if (height) *height = cellsOnly ? 3 * kPrintCellHeight : 3508;
  if (left) *left = cellsOnly ? 0 : 142;
  if (top) *top = cellsOnly ? 0 : 195;
}

std::string PrintGetFrontCard(int sheet, int cell) {
  if (sheet < 1 || sheet > kFrontSheets || cell < 0 || cell >= kCellsPerSheet) return "";
  // Hearts, a gap, spades, diamonds, a gap, clubs: each suit ace to king.
  int index = (sheet - 1) * kCellsPerSheet + cell;
  static const char kSuits[] = "hsdc";
  static const char kRanks[] = "a23456789tjqk";
  for (int suit = 0; suit < 4; ++suit) {
    if (index < 13) return std::string{kRanks[index], kSuits[suit]};
    index -= 13;
    if (suit == 0 || suit == 2) {
      if (index == 0) return "";
      --index;
    }
  }
  return "";
}

const char* PrintGetOutputFolder() { return PrefFolderGetDesktopSubFolder(kOutputFolder); }

bool PrintCreateFiles() {
  const bool fourColour = CardsDecksIsFourColor();
  CardsDecksSetFourColor(false);
  const bool done = PrintGenerateSheets();
  g_MWin.PopupCloseIfOpen();
  if (done) ShowWait(Text("Print_CleaningUp"));
  PrintDeleteGeneratedCards();
  CardsDecksSetFourColor(fourColour);
  PrintRestoreDeck();
  if (done) {
    Popup("", Text("Print_CreatedOkMessage"));
  } else {
    Popup("ERROR", "Problem generating deck");
  }
  return done;
}

bool PrintGenerateSheets() {
  const char* where = "PrintGenerateSheets";
  DecksControlSetBackElements(true);
  if (!DeckGenLoadSettingsAndElements(CardsBackground())) return false;
  const std::string output = PrintGetOutputFolder();
  if (!CardsGenerateSetGeneratedCardsPath(output.c_str(), kScratchName, true, true)) return false;
  const char* scratch = CardsGenerateGetGeneratedCardsPath();
  if (!scratch || !scratch[0]) return false;
  g_print.scratch = scratch;
  if (!LoadCardsSetTextureSize(Blur() + 1)) return false;
  CardsGenerateForceRegeneration();
  ShowWait(Text("Print_GenHighResDeck"));
  if (CardsGenerateAllCards() < 0) return false;

  int width = 0, height = 0, left = 0, top = 0;
  PrintGetSheetGeometry(ImageSize(), &width, &height, &left, &top);
  EngTga sheet;
  if (!sheet.CreateWithColour(width, height, 32, 1, 1, 1, 1)) return false;

  ShowWait(Text("Print_CreatingCardBackPic"));
  const std::string back = g_print.scratch + "/ba.tga";
  for (int cell = 0; cell < kCellsPerSheet; ++cell) {
    if (!PlaceCard(&sheet, back, cell, left, top)) {
      DebugError(where, "Could not place the card back");
      return false;
    }
  }
  if (!WriteSheet(sheet, output + "/Card Backs.jpg") || !Whiten(&sheet)) return false;

  for (int s = 1; s <= kFrontSheets; ++s) {
    char number[8], message[64];
    std::snprintf(number, sizeof number, "%d", s);
    if (!EngLanguagesGetStringWithParam("Print_CreatingCardFrontsPic", number, message, sizeof message)) {
      message[0] = 0;
    }
    ShowWait(message);
    for (int cell = 0; cell < kCellsPerSheet; ++cell) {
      const std::string card = PrintGetFrontCard(s, cell);
      if (card.empty()) continue;
      if (!PlaceCard(&sheet, g_print.scratch + "/" + card + ".tga", cell, left, top)) {
        DebugError(where, "Could not place card <%s>", card.c_str());
        return false;
      }
    }
    if (!WriteSheet(sheet, output + "/Card Fronts " + number + ".jpg") || !Whiten(&sheet)) return false;
  }
  return true;
}

void PrintDeleteGeneratedCards() {
  if (g_print.scratch.empty()) return;
  const std::string folder = g_print.scratch;
  g_print.scratch.clear();
  if (DirListOpenDir(folder.c_str(), nullptr) && DirListPrepareToGetFilenamesInDir()) {
    for (const char* name = DirListGetNextFilenameInDir(); name && name[0]; name = DirListGetNextFilenameInDir()) {
      const std::string path = DirListGetFilenameWithPath(name);
      if (EngFileExists(path.c_str())) EngFileDelete(path.c_str());
    }
    DirListCleanupAfterGettingFilenamesInDir();
  }
  DirListCloseDir();
  EngFileDeleteDirectory(folder.c_str());
}

void PrintRestoreDeck() {
  LoadCardsSetTextureSize(0);
  CardsGenerateForceRegeneration();
  LoadCardsGenerateCurrentDeckIfNeeded(false, 0);
}
