// MWinID.h - the toolkit's identifiers and areas.
//
// Every collection, window, button, font, texture and texture button is known
// by an MWinID: a fixed 32-byte field holding a NUL-terminated name of at most
// 31 characters. Areas are four floats in the virtual 640 x 480 space (x to
// the right, y downward, origin top left). No state.
#pragma once

constexpr int kMWinIDSize = 32;
using MWinID = char[kMWinIDSize];

struct MWinArea {
  float x, y, w, h;
};

// Copies source into the 32-byte destination. Both must be given ("No Dest
// ID", "No Source ID"); a source of 32 characters or more is refused ("Source
// string Too Long <%s>") and nothing is copied. True when copied.
bool MWinCopyID(char* destination, const char* source);
// True for a null pointer or an empty text.
bool MWinIsIDEmpty(const char* id);
// True only when both are non-empty and equal byte for byte.
bool MWinCompareIDs(const char* a, const char* b);
// The ID, or "(empty id)" for an empty one (for messages).
const char* MWinIDForPrint(const char* id);

// Copy four floats; a missing pointer reports "Parameter Error" and gives null.
MWinArea* MWinCopyArea(MWinArea* destination, const MWinArea* source);
MWinArea* MWinSetArea(MWinArea* destination, float x, float y, float w, float h);
// The hit rule of every toolkit element: left and top edges inside, right and
// bottom edges outside.
bool MWinIsInArea(float x, float y, float ax, float ay, float aw, float ah);
