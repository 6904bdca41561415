// MWinID.cpp - identifiers and areas of the toolkit.
#include "Engine/MWin/MWinID.h"

#include <cstring>

#include "Engine/Debug.h"

bool MWinCopyID(char* destination, const char* source) {
  if (!destination) {
    DebugError("MWinCopyID", "No Dest ID");
    return false;
  }
  if (!source) {
    DebugError("MWinCopyID", "No Source ID");
    return false;
  }
  if (std::strlen(source) >= static_cast<size_t>(kMWinIDSize)) {
    DebugError("MWinCopyID", "Source string Too Long <%s>", source);
    return false;
  }
  if (destination != source) std::memmove(destination, source, std::strlen(source) + 1);
  return true;
}

bool MWinIsIDEmpty(const char* id) { return !id || id[0] == '\0'; }

bool MWinCompareIDs(const char* a, const char* b) {
  if (MWinIsIDEmpty(a) || MWinIsIDEmpty(b)) return false;
  return std::strncmp(a, b, kMWinIDSize) == 0;
}

const char* MWinIDForPrint(const char* id) { return MWinIsIDEmpty(id) ? "(empty id)" : id; }

MWinArea* MWinCopyArea(MWinArea* destination, const MWinArea* source) {
  if (!destination || !source) {
    DebugError("MWinCopyArea", "Parameter Error");
    return nullptr;
  }
  *destination = *source;
  return destination;
}

MWinArea* MWinSetArea(MWinArea* destination, float x, float y, float w, float h) {
  if (!destination) {
    DebugError("MWinSetArea", "Parameter Error");
    return nullptr;
  }
  *destination = MWinArea{x, y, w, h};
  return destination;
}

bool MWinIsInArea(float x, float y, float ax, float ay, float aw, float ah) {
  return x >= ax && x < ax + aw && y >= ay && y < ay + ah;
}
