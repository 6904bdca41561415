// MWinFonts.h - the toolkit's font registry.
//
// One standard font entry ("MWIN_STANDARD_FONT") and up to 8 user entries,
// each known by an MWinID. Font numbers: -1 the standard font
// ("MWIN_FONT_DEFAULT"), -2 no font ("MWIN_FONT_NONE", also the error
// answer), 0-7 user entries. An entry holds either a font made elsewhere (a
// pointer the owner keeps and re-creates) or the parameters of a font the
// registry makes itself with the other graphics.
#pragma once

#include <cstdint>

#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinID.h"

class MWin;

constexpr int kMWinMaxUserFonts = 8;
constexpr int kMWinFontDefault = -1;
constexpr int kMWinFontNone = -2;

class MWinFonts {
 public:
  explicit MWinFonts(MWin* mw);
  ~MWinFonts();

  // Registers a font made elsewhere under a non-empty ID ("No id
  // specified"); its number, or -2.
  int AddUserFontPointer(const char* id, EngFont* font);
  // The registration itself: a null ID registers the standard font and
  // returns -1 (its number). -2 on refusal.
  int AddFontPointer(const char* id, EngFont* font);
  // Registers a font the registry makes itself from parameters when the
  // graphics are loaded (null ID: the standard entry). Its number, or -2.
  int AddFontParams(const char* id, const MWinEngFontParams& params);
  int GetFontNumFromID(const char* id);
  // The engine font behind a number; null for -2, empty entries or numbers
  // out of range. -1 is the standard font.
  EngFont* GetFont(int num);
  bool LoadFonts();
  void ReleaseFonts();
  bool IsLoaded() const { return loaded_ != 0; }
  int GetUserCount() const { return count_; }

 private:
  struct Entry {
    MWinID id = {};
    bool hasParams = false;
    MWinEngFontParams params = {};
    EngFont* own = nullptr;      // made by the registry
    EngFont* pointer = nullptr;  // made elsewhere
    std::uint8_t state = 0;      // 0 none, 1 made here, 2 pointer
  };
  // Finds the entry a new registration goes to; null (reported) when refused.
  Entry* EntryForNew(const char* id, int* num, bool* atCount);
  bool LoadFont(Entry* entry);

  std::uint8_t loaded_ = 0;
  int count_ = 0;
  Entry user_[kMWinMaxUserFonts];
  Entry standard_;
};
