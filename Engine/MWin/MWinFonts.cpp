// MWinFonts.cpp - the font registry.
#include "Engine/MWin/MWinFonts.h"

#include <cstring>

#include "Engine/Debug.h"

MWinFonts::MWinFonts(MWin* mw) {
  if (!mw) {
    DebugError("MWinFonts::MWinFonts", "No mw");
    DebugWriteFormattedMessagesToFile();
    DebugFatalErrorIf(true, "MWinFonts::MWinFonts", "No mw");
  }
}

MWinFonts::~MWinFonts() {
  ReleaseFonts();
  for (Entry& e : user_) e.pointer = nullptr;
  standard_.pointer = nullptr;
}

MWinFonts::Entry* MWinFonts::EntryForNew(const char* id, int* num, bool* atCount) {
  *atCount = false;
  if (!id) {
    *num = kMWinFontDefault;
    return &standard_;
  }
  if (MWinIsIDEmpty(id)) {
    DebugError("MWinFonts::AddFont", "Empty id");
    return nullptr;
  }
  for (int i = 0; i < count_; ++i) {
    if (MWinCompareIDs(user_[i].id, id)) {
      DebugError("MWinFonts::AddFont", "Font <%s> already created", id);
      return nullptr;
    }
  }
  for (int i = 0; i < count_; ++i) {
    if (MWinIsIDEmpty(user_[i].id)) {
      *num = i;
      return &user_[i];
    }
  }
  if (count_ < kMWinMaxUserFonts) {
    *num = count_;
    *atCount = true;
    return &user_[count_];
  }
  DebugError("MWinFonts::AddFont", "No more user fonts can be created");
  return nullptr;
}

int MWinFonts::AddUserFontPointer(const char* id, EngFont* font) {
  if (MWinIsIDEmpty(id)) {
    DebugError("MWinFonts::AddUserFontPointer", "No id specified");
    return kMWinFontNone;
  }
  return AddFontPointer(id, font);
}

int MWinFonts::AddFontPointer(const char* id, EngFont* font) {
  if (!font) {
    DebugError("MWinFonts::AddFontPointer", "No font passed in");
    return kMWinFontNone;
  }
  int num = kMWinFontNone;
  bool atCount = false;
  Entry* e = EntryForNew(id, &num, &atCount);
  if (!e) return kMWinFontNone;
  if (e->state != 0) {
    DebugError("MWinFonts::AddFontPointer", "Font is already loaded");
    return kMWinFontNone;
  }
  if (!MWinCopyID(e->id, id ? id : "MWIN_STANDARD_FONT")) return kMWinFontNone;
  e->pointer = font;
  e->state = 2;
  if (atCount) ++count_;
  return num;
}

int MWinFonts::AddFontParams(const char* id, const MWinEngFontParams& params) {
  int num = kMWinFontNone;
  bool atCount = false;
  Entry* e = EntryForNew(id, &num, &atCount);
  if (!e) return kMWinFontNone;
  if (e->state != 0 || e->hasParams) {
    DebugError("MWinFonts::AddFontParams", "Font is already loaded");
    return kMWinFontNone;
  }
  if (!MWinCopyID(e->id, id ? id : "MWIN_STANDARD_FONT")) return kMWinFontNone;
  e->params = params;
  e->hasParams = true;
  if (atCount) ++count_;
  return num;
}

int MWinFonts::GetFontNumFromID(const char* id) {
  if (MWinIsIDEmpty(id)) return kMWinFontNone;
  if (MWinCompareIDs(id, "MWIN_FONT_DEFAULT")) return kMWinFontDefault;
  if (MWinCompareIDs(id, "MWIN_FONT_NONE")) return kMWinFontNone;
  for (int i = 0; i < count_; ++i)
    if (MWinCompareIDs(user_[i].id, id)) return i;
  DebugError("MWinFonts::GetFontNumFromID", "Font <%s> does not exist", id);
  return kMWinFontNone;
}

EngFont* MWinFonts::GetFont(int num) {
  const Entry* e = nullptr;
  if (num == kMWinFontDefault) e = &standard_;
  else if (num >= 0 && num < count_) e = &user_[num];
  if (!e) return nullptr;
  if (e->state == 1) return e->own;
  if (e->state == 2) return e->pointer;
  return nullptr;
}

bool MWinFonts::LoadFont(Entry* e) {
  if (MWinIsIDEmpty(e->id)) return false;
  if (e->state != 0) return true;
  if (!e->hasParams) return false;
  MWinEngBackEnd* eng = MWinEng();
  if (e->own) {
    eng->FontDestroy(e->own);
    e->own = nullptr;
  }
  e->own = eng->FontCreate(e->params);
  if (!e->own) {
    DebugError("MWinFonts::LoadFont", "Could not create font <%s>", e->id);
    return false;
  }
  e->state = 1;
  return true;
}

bool MWinFonts::LoadFonts() {
  bool ok = true;
  if (!MWinIsIDEmpty(standard_.id)) LoadFont(&standard_);
  for (int i = 0; i < count_; ++i)
    if (!MWinIsIDEmpty(user_[i].id) && !LoadFont(&user_[i])) ok = false;
  loaded_ = ok ? 1 : 0;
  return ok;
}

void MWinFonts::ReleaseFonts() {
  auto release = [](Entry& e) {
    if (e.state == 1) {
      if (e.own) MWinEng()->FontDestroy(e.own);
      e.own = nullptr;
      e.state = 0;
    }
  };
  release(standard_);
  for (Entry& e : user_) release(e);
  loaded_ = 0;
}
