// DeckGenScreen.cpp - the deck generator screen's 103 rows and their
// handles (see DeckGen.h).
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "Engine/MWin/MWinHorzScrollbar.h"
#include "Screens/Decks/DeckGen.h"
#include "Screens/ScreenRows.h"

namespace {

constexpr const char* kName = "DeckGen";
constexpr const char* kRowNames[8] = {"Shape", "Base", "Suits", "Ranks", "Aces", "Kings", "Queens", "Jacks"};

// Ids and tokens built from names ("SysKings", "DeckGen_KingsText") live
// as long as the rows.
const char* Keep(const std::string& text) {
  static std::deque<std::string> kept;  // a deque never moves what it holds
  kept.push_back(text);
  return kept.back().c_str();
}

ScreenRow Row(const char* id, int kind, const char* look, const char* text, float x, float y, float w, float h,
              const char* token = nullptr, int align = 1, float sx = 1.0f, float sy = 1.2f) {
  return {id, kind, look, text, x, y, w, h, {1, 1, 1, 0.7f}, sx, sy, align, token, nullptr};
}

ScreenRow Label(const char* id, const char* text, float x, float y, float w, float h, const char* token = nullptr,
                int align = 1) {
  return Row(id, MWIN_BUT_PUSH, "MWIN_TEXBUT_NONE", text, x, y, w, h, token, align);
}

ScreenRow Choice(const char* id, float x, float y, float w, float h, const char* text = "") {
  return Row(id, MWIN_BUT_CHOICE, "Main", text, x, y, w, h);
}

ScreenRow Bar(const char* id, const char* text, float x, float y, float w, float h, const char* token) {
  return Row(id, MWIN_BUT_HORZSCROLLBAR, "Main", text, x, y, w, h, token);
}

std::vector<ScreenRow> MakeRows() {
  std::vector<ScreenRow> r;
  r.push_back(Label("NameText", "Name", 15, 6, 114, 19, "DeckGen_NameText", 2));
  r.push_back(Row("Name", MWIN_BUT_PUSH, "Back3", "Unset", 132, 6, 169, 19));
  r.push_back(Label("EditText", "Edit", 15, 53, 114, 19, "DeckGen_EditText", 2));
  r.push_back(Choice("EditSet", 132, 53, 501, 19, "Unset"));
  for (int i = 0; i < 8; ++i) {
    const std::string id = std::string(kRowNames[i]) + "Text";
    const float x = i == 1 ? 16.0f : 15.0f;
    const float y = i == 0 ? 77.0f : 312.0f + 21.0f * static_cast<float>(i - 1);
    r.push_back(Label(Keep(id), kRowNames[i], x, y, i == 0 ? 114.0f : 140.0f, 19, Keep("DeckGen_" + id), 2));
  }
  r.push_back(Choice("Shape", 132, 77, 384, 19));
  r.push_back(Choice("Base", 162, 312, 290, 19));
  for (int i = 2; i < 8; ++i) {
    r.push_back(Choice(kRowNames[i], 161, 333.0f + 21.0f * static_cast<float>(i - 2), 290, 19));
  }
  r.push_back(Row("SysShape", MWIN_BUT_PANEL, "Panel", "Default Shapes", 524, 77, 109, 355, "DeckGen_SysShape", 0));
  r.push_back(Row("SysBase", MWIN_BUT_PANEL, "Panel", "Default Bases", 459, 312, 164, 19, "DeckGen_SysBase", 0));
  for (int i = 2; i < 8; ++i) {
    const std::string id = std::string("Sys") + kRowNames[i];
    r.push_back(Row(Keep(id), MWIN_BUT_PANEL, "Panel", Keep(std::string("Default ") + kRowNames[i]), 458,
                    333.0f + 21.0f * static_cast<float>(i - 2), 164, 19, Keep("DeckGen_" + id), 0));
  }
  r.push_back(Label("CardsBg", "", 6, 193, 65, 23));
  r.push_back(Row("Pic", MWIN_BUT_PUSH, "Main", "", 6, 250, 129, 182));
  for (int i = 0; i < 14; ++i) {
    r.push_back(Row(Keep("CardPic" + std::to_string(i + 1)), MWIN_BUT_PUSH, "Main", "",
                    141.0f + 53.0f * static_cast<float>(i % 7), i < 7 ? 250.0f : 342.0f, 52, 90));
  }
  const float bigX[4] = {146, 237, 328, 419};
  for (int i = 0; i < 4; ++i) {
    r.push_back(Row(Keep("CardBigPic" + std::to_string(i + 1)), MWIN_BUT_PUSH, "Main", "", bigX[i], 264, 88, 149));
  }
  r.push_back(Row("CardBiggestPic1", MWIN_BUT_PUSH, "Main", "", 187, 254, 129, 176));
  r.push_back(Row("CardBiggestPic2", MWIN_BUT_PUSH, "Main", "", 333, 254, 129, 176));
  r.push_back(Row("ElemName", MWIN_BUT_PUSH, "Back3", "Unset", 6, 227, 93, 19));
  r.push_back(Row("EditElem", MWIN_BUT_PUSH, "Main", "Edit", 103, 227, 32, 19, "DeckGen_EditElem"));
  r.push_back(Label("TexQualText", "Texture Quality", 14, 29, 115, 19, "DeckGen_TexQualText", 2));
  r.push_back(Choice("TexQual", 132, 29, 347, 19));
  r.push_back(Row("Config", MWIN_BUT_PUSH, "Main", "Config", 7, 440, 62, 30, "DeckGen_Config"));
  r.push_back(Row("Done", MWIN_BUT_PUSH, "Main", "Done", 565, 440, 68, 30, "Common_ButtonDone"));
  r.push_back(Label("AcesCenterPipText", "Center Pip", 126, 111, 73, 19, "DeckGen_AcesCenterPipText"));
  r.push_back(Choice("AcesCenterPip", 203, 111, 110, 19));
  r.push_back(Bar("CourtWidth", "Pictures Width", 133, 111, 182, 17, "DeckGen_CourtWidth"));
  r.push_back(Bar("CourtHeight", "Pictures Height", 133, 131, 182, 17, "DeckGen_CourtHeight"));
  r.push_back(Choice("CourtMirror", 133, 151, 182, 17));
  r.push_back(Choice("CourtPips", 329, 111, 182, 17));
  const char* const courtPips[4][3] = {{"CourtPipsX", "Pips X Pos", "DeckGen_CourtPipsX"},
                                       {"CourtPipsY", "Pips Y Pos", "DeckGen_CourtPipsY"},
                                       {"CourtPipsW", "Pips Width", "DeckGen_CourtPipsW"},
                                       {"CourtPipsH", "Pips Height", "DeckGen_CourtPipsH"}};
  for (int i = 0; i < 4; ++i) {
    r.push_back(Bar(courtPips[i][0], courtPips[i][1], 329, 131.0f + 20.0f * static_cast<float>(i), 182, 17,
                    courtPips[i][2]));
  }
  r.push_back(Label("SuitColsText", "Keep Colours", 134, 102, 73.51f, 19, nullptr, 2));
  r.push_back(Choice("SuitCols", 204.74f, 102, 84.24f, 19));
  r.push_back(Label("SuitTransText", "Transparent Part:", 302, 102, 114.51f, 19, nullptr, 2));
  r.push_back(Choice("SuitTrans", 417.76f, 102, 99.24f, 19));
  r.push_back(Row("HeartsColText", MWIN_BUT_PUSH, "Main", "Hearts Colour", 136, 130, 90, 9, "DeckGen_HeartsColText"));
  r.push_back(Row("HeartsCol", MWIN_BUT_COLOUR, "Main", "", 136, 142, 90, 98));
  r.push_back(
      Row("DiamondsColText", MWIN_BUT_PUSH, "Main", "Diamonds Colour", 330, 130, 90, 9, "DeckGen_DiamondsColText"));
  r.push_back(Row("DiamondsCol", MWIN_BUT_COLOUR, "Main", "", 331, 142, 90, 98));
  r.push_back(Row("SpadesColText", MWIN_BUT_PUSH, "Main", "Spades Colour", 235, 130, 90, 9, "DeckGen_SpadesColText"));
  r.push_back(Row("SpadesCol", MWIN_BUT_COLOUR, "Main", "", 233, 142, 90, 98.46f));
  r.push_back(Row("ClubsColText", MWIN_BUT_PUSH, "Main", "Clubs Colour", 428, 130, 90, 9, "DeckGen_ClubsColText"));
  r.push_back(Row("ClubsCol", MWIN_BUT_COLOUR, "Main", "", 428, 142, 90, 98.46f));
  r.push_back(Label("FourColNote", "The Diamonds and Clubs colours are for when four colour decks are being used.",
                    135.99f, 240.53f, 359, 17));
  r.push_back(Row("DiamondsLock", MWIN_BUT_CHECKBOX, "Main", "Lock", 468, 122, 51, 19, "DeckGen_DiamondsLock", 1,
                  0.9f, 1.0f));
  r.push_back(
      Row("ClubsLock", MWIN_BUT_CHECKBOX, "Main", "Lock", 468, 188, 51, 19, "DeckGen_ClubsLock", 1, 0.9f, 1.0f));
  r.push_back(Row("RanksOn", MWIN_BUT_CHOICE, "Main", "Rank X Pos", 132, 111, 384, 17, "DeckGen_RanksOn"));
  r.push_back(Choice("RankTrans", 417.76f, 213, 99.24f, 20));
  r.push_back(Label("RankTransText", "Transparent Part:", 302, 213, 114.51f, 20, nullptr, 2));
  const char* const rank[4][3] = {{"RankX", "Rank X Pos", "DeckGen_RankX"},
                                  {"RankY", "Rank Y Pos", "DeckGen_RankY"},
                                  {"RankW", "Rank Width", "DeckGen_RankW"},
                                  {"RankH", "Rank Height", "DeckGen_RankH"}};
  for (int i = 0; i < 4; ++i) {
    r.push_back(Bar(rank[i][0], rank[i][1], 132, 131.0f + 20.0f * static_cast<float>(i), 384, 17, rank[i][2]));
  }
  r.push_back(Choice("MainPipsType", 132, 99, 384, 17));
  r.push_back(Bar("MainPipW", "Main Pip Width", 132, 119, 190, 17, "DeckGen_MainPipW"));
  r.push_back(Bar("MainPipH", "Main Pip Height", 132, 139, 190, 17, "DeckGen_MainPipH"));
  r.push_back(Bar("MainPipsW", "Main Pips Width", 326, 119, 190, 17, "DeckGen_MainPipsW"));
  r.push_back(Bar("MainPipsH", "Main Pips Height", 326, 139, 190, 17, "DeckGen_MainPipsH"));
  r.push_back(Choice("SidePipsType", 132, 171, 384, 17));
  r.push_back(Bar("SidePipsX", "Side Pips X", 132, 191, 190, 17, "DeckGen_SidePipsX"));
  r.push_back(Bar("SidePipsY", "Side Pips Y", 132, 211, 190, 17, "DeckGen_SidePipsY"));
  r.push_back(Bar("SidePipsW", "Side Pips Width", 326, 191, 190, 17, "DeckGen_SidePipsW"));
  r.push_back(Bar("SidePipsH", "Side Pips Height", 326, 211, 190, 17, "DeckGen_SidePipsH"));
  r.push_back(Label("BaseColText", "Base Colour", 132, 111, 194, 9, "DeckGen_BaseColText"));
  r.push_back(Row("BaseCol", MWIN_BUT_COLOUR, "Main", "", 132, 123, 194, 90.7f));
  r.push_back(Label("UseBaseColText", "Enable", 329.36f, 139.18f, 98.76f, 19, "DeckGen_UseBaseColText"));
  r.push_back(Choice("UseBaseCol", 329.36f, 157.26f, 98.76f, 19, "Unset"));
  r.push_back(Label("Note", "This deck is located in <>", 143, 463, 359, 17));
  return r;
}

const std::vector<ScreenRow>& Rows() {
  static const std::vector<ScreenRow> rows = MakeRows();
  return rows;
}

}  // namespace

bool DeckGenAddMainWinWindowButtonsToWindowNormal(MWinWindow* window) {
  return ScreenAddRows(kName, window, Rows().data(), static_cast<int>(Rows().size()));
}

MWinCollection* DeckGenAddCollectionToDesktop() {
  return ScreenAddCollection(kName, Rows().data(), static_cast<int>(Rows().size()));
}

void DeckGenCreateCB() { DeckGenAddCollectionToDesktop(); }

bool DeckGenGetButtonHandlesNormal(const char* collection, const char* windowId) {
  DeckGenHandles& h = DeckGenGetHandles();
  h = DeckGenHandles{};
  ScreenLookUp get(collection, windowId);
  h.nameText = get("NameText");
  h.name = get("Name");
  h.editText = get("EditText");
  h.editSet = get("EditSet");
  for (int i = 0; i < 8; ++i) {
    h.rowText[i] = get((std::string(kRowNames[i]) + "Text").c_str());
    h.rowChoice[i] = get(kRowNames[i]);
    h.rowPanel[i] = get((std::string("Sys") + kRowNames[i]).c_str());
  }
  h.cardsBg = get("CardsBg");
  h.pic = get("Pic");
  for (int i = 0; i < 14; ++i) h.cardPic[i] = get(("CardPic" + std::to_string(i + 1)).c_str());
  for (int i = 0; i < 4; ++i) h.cardBigPic[i] = get(("CardBigPic" + std::to_string(i + 1)).c_str());
  h.cardBiggestPic[0] = get("CardBiggestPic1");
  h.cardBiggestPic[1] = get("CardBiggestPic2");
  h.elemName = get("ElemName");
  h.editElem = get("EditElem");
  h.texQualText = get("TexQualText");
  h.texQual = get("TexQual");
  h.config = get("Config");
  h.done = get("Done");
  h.acesCenterPipText = get("AcesCenterPipText");
  h.acesCenterPip = get("AcesCenterPip");
  h.courtWidth = get.Scrollbar("CourtWidth");
  h.courtHeight = get.Scrollbar("CourtHeight");
  h.courtMirror = get("CourtMirror");
  h.courtPips = get("CourtPips");
  const char* const courtPips[4] = {"CourtPipsX", "CourtPipsY", "CourtPipsW", "CourtPipsH"};
  for (int i = 0; i < 4; ++i) h.courtPipsXYWH[i] = get.Scrollbar(courtPips[i]);
  h.suitColsText = get("SuitColsText");
  h.suitCols = get("SuitCols");
  h.suitTransText = get("SuitTransText");
  h.suitTrans = get("SuitTrans");
  h.heartsColText = get("HeartsColText");
  h.heartsCol = get("HeartsCol");
  h.diamondsColText = get("DiamondsColText");
  h.diamondsCol = get("DiamondsCol");
  h.spadesColText = get("SpadesColText");
  h.spadesCol = get("SpadesCol");
  h.clubsColText = get("ClubsColText");
  h.clubsCol = get("ClubsCol");
  h.fourColNote = get("FourColNote");
  h.diamondsLock = get("DiamondsLock");
  h.clubsLock = get("ClubsLock");
  h.ranksOn = get("RanksOn");
  h.rankTrans = get("RankTrans");
  h.rankTransText = get("RankTransText");
  const char* const rank[4] = {"RankX", "RankY", "RankW", "RankH"};
  for (int i = 0; i < 4; ++i) h.rankXYWH[i] = get.Scrollbar(rank[i]);
  h.mainPipsType = get("MainPipsType");
  const char* const mainPips[4] = {"MainPipW", "MainPipH", "MainPipsW", "MainPipsH"};
  for (int i = 0; i < 4; ++i) h.mainPips[i] = get.Scrollbar(mainPips[i]);
  h.sidePipsType = get("SidePipsType");
  const char* const sidePips[4] = {"SidePipsX", "SidePipsY", "SidePipsW", "SidePipsH"};
  for (int i = 0; i < 4; ++i) h.sidePips[i] = get.Scrollbar(sidePips[i]);
  h.baseColText = get("BaseColText");
  h.baseCol = get("BaseCol");
  h.useBaseColText = get("UseBaseColText");
  h.useBaseCol = get("UseBaseCol");
  h.note = get("Note");
  if (!get.AllFound()) h = DeckGenHandles{};
  return get.AllFound();
}

bool DeckGenGetButtonHandles() { return DeckGenGetButtonHandlesNormal(kName, "MainWin"); }
