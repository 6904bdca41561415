// Sets.cpp - the table boards: built-ins, the template, the board list and
// the current board, and the ".brd" files (see Sets.h).
#include "Game/Decks/Sets.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Engine/Debug.h"
#include "Engine/EngFile.h"
#include "Engine/EngLanguages.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/Decks/Board.h"
#include "Game/Decks/DecksFiles.h"
#include "Game/GameImports.h"
#include "Game/UserRecord.h"

namespace {

constexpr std::size_t kMaxLine = 597;  // a line of the reader's 598-character buffer

BoardSet MakeTemplate() {
  BoardSet b{};
  b.tableType = 1;
  std::snprintf(b.tableStdTex, sizeof(b.tableStdTex), "Blinds");
  b.tableCol1[0] = 0.5f;
  b.tableCol1[1] = 0.5f;
  b.tableCol1[2] = 0.75f;
  b.tableCol2[0] = b.tableCol2[1] = b.tableCol2[2] = 0.5f;
  b.tableGradientType = 1;
  return b;
}

const BoardSet kTemplate = MakeTemplate();

struct BuiltIn {
  const char* texture;
  float col1[3];
  float col2[3];
  int gradient, shape, tilingX, tilingY;
};

constexpr BuiltIn kBuiltIns[kSetsNumBuiltIn] = {
    {"Wood & Velvet 1", {0, 0, 0}, {0, 0, 0}, 0, 0, 0, 0},
    {"Wood & Velvet 2", {0, 0, 0}, {0, 0, 0}, 0, 0, 0, 0},
    {"Wood & Velvet 3", {0, 0, 0}, {0, 0, 0}, 0, 0, 0, 0},
    {"Wood & Velvet 4", {0, 0, 0}, {0, 0, 0}, 0, 0, 0, 0},
    {"Wood", {0.729f, 0.574f, 0.484f}, {0.684f, 0.574f, 0.497f}, 2, 1, 0, 4},
    {"Checkered", {0.781f, 0.387f, 0.387f}, {0, 0, 0}, 1, 5, 3, 3},
    {"Checkered", {0.445f, 0.632f, 0.819f}, {0.342f, 0.342f, 0.716f}, 1, 11, 3, 3},
    {"Discobol", {0.542f, 0.542f, 0.542f}, {0, 0, 0}, 1, 2, 0, 0},
    {"Velvet 2", {0.471f, 0.490f, 0.368f}, {0, 0, 0}, 1, 4, 2, 2},
    {"Blinds", {0.684f, 0.658f, 0.548f}, {0.781f, 0.523f, 0.252f}, 1, 5, 0, 4},
    {"Glass", {0.516f, 0.645f, 0.716f}, {0, 0, 0}, 1, 2, 0, 0},
    {"Leather", {0.561f, 0.619f, 0.561f}, {0, 0, 0}, 1, 0, 0, 4},
    {"Paper", {0.432f, 0.400f, 0.381f}, {0.871f, 0.871f, 0.871f}, 1, 10, 4, 4},
    {"None", {0.232f, 0.323f, 0.445f}, {0, 0, 0}, 1, 5, 0, 0},
};

BoardSet MakeBuiltIn(int i) {
  BoardSet b{};
  const BuiltIn& d = kBuiltIns[i];
  b.tableType = 1;
  std::snprintf(b.tableStdTex, sizeof(b.tableStdTex), "%s", d.texture);
  for (int c = 0; c < 3; ++c) {
    b.tableCol1[c] = d.col1[c];
    b.tableCol2[c] = d.col2[c];
  }
  b.tableGradientType = d.gradient;
  b.tableShape = d.shape;
  b.tableTiling[0] = d.tilingX;
  b.tableTiling[1] = d.tilingY;
  if (i == 10) std::snprintf(b.bgStdTex, sizeof(b.bgStdTex), "Leather");
  return b;
}

struct StdTexture {
  const char* name;
  const char* stem;
};
constexpr StdTexture kStdTextures[kSetsNumStdTextures] = {
    {"None", "Plain"},
    {"Blinds", "Blinds"},
    {"Cement", "Cement"},
    {"Checkered", "Checkered"},
    {"Glass", "Glass"},
    {"Grid", "Grid"},
    {"Leather", "Leather"},
    {"Paper", "Paper"},
    {"Smooth", "Smooth"},
    {"Wood", "Wood"},
    {"Velvet 1", "Velvet1"},
    {"Velvet 2", "Velvet2"},
    {"Velvet 3", "Velvet3"},
    {"Velvet 4", "Velvet4"},
    {"Wood & Velvet 1", "VelvetWoodBorder1"},
    {"Wood & Velvet 2", "VelvetWoodBorder2"},
    {"Wood & Velvet 3", "VelvetWoodBorder3"},
    {"Wood & Velvet 4", "VelvetWoodBorder4"},
    {"Discobol", "Discobol"},
};

// The board list and the current board; the list is rebuilt by every scan.
struct SetsState {
  std::vector<std::string> names;
  BoardSet current = MakeTemplate();
};

SetsState g_sets;

void ResetListToBuiltIns() {
  g_sets.names.clear();
  char name[32];
  for (int i = 0; i < kSetsNumBuiltIn; ++i) {
    std::snprintf(name, sizeof(name), "Default Board %d", i + 1);
    g_sets.names.emplace_back(name);
  }
}

// The current index kept inside the list (a stored index may name a board
// that is gone; a negative one would read before the built-ins).
int ClampedCurrent() {
  int& index = g_UserRecord.currentBoard;
  const int count = static_cast<int>(g_sets.names.size());
  if (index < 0 || index >= count) index = count - 1;
  return index;
}

// ---- The ".brd" format -------------------------------------------------------------

enum BrdForm { kBrdInt, kBrdPair, kBrdColour, kBrdText512, kBrdText64 };

struct BrdKey {
  const char* key;
  BrdForm form;
  std::size_t offset;
  int minimum, maximum;  // ints and pairs
};

const BrdKey kBrdKeys[] = {
    {"BG_TYPE", kBrdInt, offsetof(BoardSet, bgType), 0, 2},
    {"BG_FILENAME", kBrdText512, offsetof(BoardSet, bgFilename), 0, 0},
    {"BG_STD_TEX", kBrdText64, offsetof(BoardSet, bgStdTex), 0, 0},
    {"BG_COL_1", kBrdColour, offsetof(BoardSet, bgCol1), 0, 0},
    {"BG_COL_2", kBrdColour, offsetof(BoardSet, bgCol2), 0, 0},
    {"BG_GRADIENT_TYPE", kBrdInt, offsetof(BoardSet, bgGradientType), 0, 7},
    {"BG_TILING", kBrdPair, offsetof(BoardSet, bgTiling), 0, 4},
    {"TABLE_TYPE", kBrdInt, offsetof(BoardSet, tableType), 0, 2},
    {"TABLE_FILENAME", kBrdText512, offsetof(BoardSet, tableFilename), 0, 0},
    {"TABLE_STD_TEX", kBrdText64, offsetof(BoardSet, tableStdTex), 0, 0},
    {"TABLE_COL_1", kBrdColour, offsetof(BoardSet, tableCol1), 0, 0},
    {"TABLE_COL_2", kBrdColour, offsetof(BoardSet, tableCol2), 0, 0},
    {"TABLE_GRADIENT_TYPE", kBrdInt, offsetof(BoardSet, tableGradientType), 0, 7},
    {"TABLE_SHAPE", kBrdInt, offsetof(BoardSet, tableShape), 0, kSetsNumShapes - 1},
    {"TABLE_TILING", kBrdPair, offsetof(BoardSet, tableTiling), 0, 4},
};

bool ReadLong(const char** p, long* value) {
  char* end = nullptr;
  const long v = std::strtol(*p, &end, 10);
  if (end == *p) return false;
  *value = v;
  *p = end;
  return true;
}

bool ReadUnitFloat(const char** p, float* value) {
  char* end = nullptr;
  const float v = std::strtof(*p, &end);
  if (end == *p || !std::isfinite(v) || v < 0 || v > 1) return false;
  *value = v;
  *p = end;
  return true;
}

void ApplyBrdLine(const std::string& line, BoardSet* board) {
  unsigned char* base = reinterpret_cast<unsigned char*>(board);
  for (const BrdKey& k : kBrdKeys) {
    const std::size_t n = std::strlen(k.key);
    // "KEY: " at the start of the line only: a key inside a value (a path
    // holding "BG_TYPE") is text, not a key.
    if (line.compare(0, n, k.key) != 0 || line.compare(n, 2, ": ") != 0) continue;
    const char* p = line.c_str() + n + 2;
    switch (k.form) {
      case kBrdInt: {
        long v;
        if (ReadLong(&p, &v) && v >= k.minimum && v <= k.maximum) {
          *reinterpret_cast<int32_t*>(base + k.offset) = static_cast<int32_t>(v);
        }
        break;
      }
      case kBrdPair: {
        long a, b;
        if (ReadLong(&p, &a) && ReadLong(&p, &b) && a >= k.minimum && a <= k.maximum &&
            b >= k.minimum && b <= k.maximum) {
          int32_t* out = reinterpret_cast<int32_t*>(base + k.offset);
          out[0] = static_cast<int32_t>(a);
          out[1] = static_cast<int32_t>(b);
        }
        break;
      }
      case kBrdColour: {
        float c[3];
        if (ReadUnitFloat(&p, &c[0]) && ReadUnitFloat(&p, &c[1]) && ReadUnitFloat(&p, &c[2])) {
          std::memcpy(base + k.offset, c, sizeof(c));
        }
        break;
      }
      case kBrdText512:
      case kBrdText64: {
        const std::size_t size = k.form == kBrdText512 ? 512 : 64;
        std::snprintf(reinterpret_cast<char*>(base + k.offset), size, "%s", p);
        break;
      }
    }
    return;
  }
}

std::string FormatBoard(const BoardSet& b) {
  char line[700];
  std::string text;
  auto add = [&text, &line]() {
    text += line;
    text += "\r\n";
  };
  auto colour = [&](const char* key, const float* c) {
    std::snprintf(line, sizeof(line), "%s: %.3f %.3f %.3f", key, static_cast<double>(c[0]),
                  static_cast<double>(c[1]), static_cast<double>(c[2]));
    add();
  };
  std::snprintf(line, sizeof(line), "BG_TYPE: %d", b.bgType);
  add();
  std::snprintf(line, sizeof(line), "BG_FILENAME: %s", b.bgFilename);
  add();
  std::snprintf(line, sizeof(line), "BG_STD_TEX: %s", b.bgStdTex);
  add();
  colour("BG_COL_1", b.bgCol1);
  colour("BG_COL_2", b.bgCol2);
  std::snprintf(line, sizeof(line), "BG_GRADIENT_TYPE: %d", b.bgGradientType);
  add();
  std::snprintf(line, sizeof(line), "BG_TILING: %d %d", b.bgTiling[0], b.bgTiling[1]);
  add();
  std::snprintf(line, sizeof(line), "TABLE_TYPE: %d", b.tableType);
  add();
  std::snprintf(line, sizeof(line), "TABLE_FILENAME: %s", b.tableFilename);
  add();
  std::snprintf(line, sizeof(line), "TABLE_STD_TEX: %s", b.tableStdTex);
  add();
  colour("TABLE_COL_1", b.tableCol1);
  colour("TABLE_COL_2", b.tableCol2);
  std::snprintf(line, sizeof(line), "TABLE_GRADIENT_TYPE: %d", b.tableGradientType);
  add();
  std::snprintf(line, sizeof(line), "TABLE_SHAPE: %d", b.tableShape);
  add();
  std::snprintf(line, sizeof(line), "TABLE_TILING: %d %d", b.tableTiling[0], b.tableTiling[1]);
  add();
  return text;
}

// A popup the player sees when a board could not be saved (the edits stay).
void ShowSaveFailed() {
  if (!g_MWin.IsOn() || g_MWin.IsPopupOpen()) return;
  g_MWin.PopupOk(EngLanguagesGetFirstString("Sets_SaveFailedTitle"),
               EngLanguagesGetFirstString("Sets_SaveFailed"));
}

}  // namespace

const BoardSet& SetsGetTemplate() { return kTemplate; }

const BoardSet& SetsGetBuiltIn(int index) {
  static BoardSet boards[kSetsNumBuiltIn];
  static bool made = false;
  if (!made) {
    for (int i = 0; i < kSetsNumBuiltIn; ++i) boards[i] = MakeBuiltIn(i);
    made = true;
  }
  return boards[std::clamp(index, 0, kSetsNumBuiltIn - 1)];
}

void SetsSetBoardToDefaults(BoardSet* board) {
  if (board) *board = kTemplate;
}

const char* SetsGetDirOrFileName(const char* name, bool makeFolder) {
  const char* where = "SetsGetDirOrFileName";
  static std::string buffer;
  const char* folder =
      g_GameImports.PrefFolderGetMyDocsSubSubFolder("Free Cardolia 3D", "Boards", makeFolder);
  const std::string path = folder ? folder : "";
  if (path.size() < 26 || path.size() > 443 || !DecksIsFolderAskedFor(path, "Free Cardolia 3D/Boards")) {
    DebugError(where, "Invalid dir <%s>", path.c_str());
    return nullptr;
  }
  buffer = path;
  if (!name) return buffer.c_str();
  if (!name[0] || std::strlen(name) >= 64 || !EngFileIsSafeName(name)) {
    DebugError(where, "Invalid name <%s>", DebugForeignText(name).c_str());  // a file's name, as found
    return nullptr;
  }
  buffer += "\\";
  buffer += name;
  buffer += ".brd";
  return buffer.c_str();
}

int SetsGetBoards() {
  ResetListToBuiltIns();
  const char* folder = SetsGetDirOrFileName(nullptr, false);
  std::vector<std::string> files;
  if (folder && DecksListFolder(folder, false, &files)) {
    for (const std::string& file : files) {
      if (static_cast<int>(g_sets.names.size()) >= kSetsMaxBoards) break;
      if (file.size() <= 4 || file.compare(file.size() - 4, 4, ".brd") != 0) continue;
      const std::string name = file.substr(0, file.size() - 4);
      if (name.size() < 64) g_sets.names.push_back(name);
    }
  }
  ClampedCurrent();
  SetsLoadCurrentBoard();
  return static_cast<int>(g_sets.names.size());
}

int SetsGetNumBoards() { return static_cast<int>(g_sets.names.size()); }

const char* SetsGetBoardName(int index) {
  if (index < 0 || index >= SetsGetNumBoards()) return "???";
  return g_sets.names[index].c_str();
}

void SetsParseBoardText(const char* text, int length, BoardSet* board) {
  if (!text || !board || length <= 0) return;
  const std::string all(text, static_cast<std::size_t>(length));
  // Lines end in LF; a CR before it (once or twice) belongs to the line end.
  for (const std::string& line : DecksSplitLines(all, kMaxLine)) ApplyBrdLine(line, board);
}

bool SetsReadBoardFile(const char* path, BoardSet* board) {
  *board = kTemplate;
  std::string text;
  if (!DecksReadWholeFile(path, &text)) return false;
  SetsParseBoardText(text.data(), static_cast<int>(text.size()), board);
  return true;
}

bool SetsLoadCurrentBoard() {
  if (g_sets.names.empty()) ResetListToBuiltIns();
  const int index = ClampedCurrent();
  if (index < kSetsNumBuiltIn) {
    g_sets.current = SetsGetBuiltIn(index);
    return true;
  }
  g_sets.current = kTemplate;
  const char* path = SetsGetDirOrFileName(g_sets.names[index].c_str(), false);
  return path && SetsReadBoardFile(path, &g_sets.current);
}

BoardSet& SetsGetCurrentBoard() { return g_sets.current; }

bool SetsWriteBoardFile(const char* name, const BoardSet* board) {
  if (!name || !name[0] || !board) return false;
  const char* path = SetsGetDirOrFileName(name, true);
  if (!path) return false;
  const std::string text = FormatBoard(*board);
  return EngFileWriteReplacing(path, text.data(), text.size());
}

int SetsCreateBoard(const char* name) {
  if (!name || !name[0]) return 0;
  const char* path = SetsGetDirOrFileName(name, true);
  if (!path) return 0;
  // Creating never replaces a board the player already has.
  if (EngFileExists(path)) return -1;
  return SetsWriteBoardFile(name, &kTemplate) ? 1 : 0;
}

bool SetsSaveCurrentBoard() {
  const int index = ClampedCurrent();
  if (index < kSetsNumBuiltIn) return false;
  if (!SetsWriteBoardFile(g_sets.names[index].c_str(), &g_sets.current)) {
    DebugError("SetsSaveCurrentBoard", "Could not save board <%s>", g_sets.names[index].c_str());
    ShowSaveFailed();
    return false;
  }
  return true;
}

int SetsDeleteCurrentBoard() {
  const int index = ClampedCurrent();
  if (index < kSetsNumBuiltIn) return SetsGetNumBoards();
  if (const char* path = SetsGetDirOrFileName(g_sets.names[index].c_str(), false)) {
    EngFileDelete(path);
  }
  return SetsGetBoards();
}

int SetsFindBoard(const char* name) {
  if (!name) return -1;
  for (int i = 0; i < SetsGetNumBoards(); ++i)
    if (g_sets.names[i] == name) return i;
  return -1;
}

int SetsGetStandardTextureNum(const char* name) {
  if (!name || !name[0]) return 0;
  for (int i = 0; i < kSetsNumStdTextures; ++i)
    if (std::strcmp(kStdTextures[i].name, name) == 0) return i;
  DebugError("SetsGetStandardTextureNum", "Unknown name <%s>", DebugForeignText(name).c_str());  // a board file's word
  return 0;
}

const char* SetsGetStandardTextureName(int index) {
  return kStdTextures[std::clamp(index, 0, kSetsNumStdTextures - 1)].name;
}

const char* SetsGetStandardTextureFileName(const char* name) {
  static char path[600];
  std::snprintf(path, sizeof(path), "Data\\Boards\\%s.jpg",
                kStdTextures[SetsGetStandardTextureNum(name)].stem);
  return path;
}

int BoardGetBackgroundType() { return g_sets.current.bgType; }

void BoardGetBackgroundColour(float* rgb) {
  for (int c = 0; c < 3; ++c) rgb[c] = g_sets.current.bgCol1[c];
}

void SetsResetForTests() {
  g_sets = SetsState();
  ResetListToBuiltIns();
}
