// Sets.h - the table boards: the board record, the 14 built-in boards, the
// player's boards as ".brd" files, and the current board.
//
// A ".brd" file holds 15 lines "KEY: value" ending CR LF. The reader takes
// a key only at the start of a line, reads CR LF, CR CR LF and LF alike,
// copies texts bounded to their fields, skips the tail of an over-long line,
// and keeps the template's value for anything out of range (kinds, shapes,
// tilings, gradients, colours that are not numbers 0..1). Files are written
// through a temporary file and a rename.
//
// Board files live in the documents folder's "Free Cardolia 3D/Boards".
// State: the current board, the board list (built-ins first), the current
// board's index comes from the player's options.
#pragma once

#include <cstdint>

constexpr int kSetsNumBuiltIn = 14;
constexpr int kSetsMaxBoards = 50;
constexpr int kSetsNumStdTextures = 19;
constexpr int kSetsNumShapes = 12;

struct BoardSet {
  int32_t bgType;            // 0 plain colour, 1 standard texture, 2 own picture
  char bgFilename[512];
  char bgStdTex[64];
  float bgCol1[3];
  float bgCol2[3];
  int32_t bgGradientType;    // 0-7
  int32_t bgTiling[2];       // across, down: 0-4
  int32_t tableType;         // 0 none, 1 standard texture, 2 own picture
  char tableFilename[512];
  char tableStdTex[64];
  float tableCol1[3];
  float tableCol2[3];
  int32_t tableGradientType;
  int32_t tableShape;        // 0-11
  int32_t tableTiling[2];
};

// The new-board template.
const BoardSet& SetsGetTemplate();
const BoardSet& SetsGetBuiltIn(int index);
void SetsSetBoardToDefaults(BoardSet* board);
// The boards folder, or a board's file in it (made when asked). Null for a
// bad folder ("Invalid dir <%s>") or name ("Invalid name <%s>"). Shared
// buffer.
const char* SetsGetDirOrFileName(const char* name, bool makeFolder);
// Rebuilds the list (built-ins, then the player's boards sorted by byte
// order) and loads the current board; the count.
int SetsGetBoards();
int SetsGetNumBoards();
const char* SetsGetBoardName(int index);
// The current board from the current index (clamped to the list).
bool SetsLoadCurrentBoard();
BoardSet& SetsGetCurrentBoard();
// Reads a ".brd" file over the template; false when it cannot be read.
bool SetsReadBoardFile(const char* path, BoardSet* board);
// Parses ".brd" text over what board holds (tests and the reader).
void SetsParseBoardText(const char* text, int length, BoardSet* board);
// Writes a board file (temporary file, then rename).
bool SetsWriteBoardFile(const char* name, const BoardSet* board);
// 1 created, 0 bad name or write failure, -1 the file exists.
int SetsCreateBoard(const char* name);
// False for a built-in; else the real result of the write (a failure
// shows a popup and keeps the edits).
bool SetsSaveCurrentBoard();
// Nothing for a built-in; else deletes the file and rescans; the count.
int SetsDeleteCurrentBoard();
int SetsFindBoard(const char* name);
// Position in the standard-texture table (0 for none, empty or unknown).
int SetsGetStandardTextureNum(const char* name);
const char* SetsGetStandardTextureName(int index);
// "Data\Boards\" + stem + ".jpg" of that entry. Shared buffer.
const char* SetsGetStandardTextureFileName(const char* name);
// The current board's background kind (0 plain colour) and its first colour
// (three floats).
int BoardGetBackgroundType();
void BoardGetBackgroundColour(float* rgb);

void SetsResetForTests();
