// ScreenRows.cpp - building a screen from its rows (see ScreenRows.h).
#include "Screens/ScreenRows.h"

#include <cstring>

#include "Engine/Debug.h"
#include "Engine/MWin/MWinHorzScrollbar.h"

bool ScreenAddRows(const char* where, MWinWindow* window, const ScreenRow* rows, int count) {
  if (!window) {
    DebugError(where, "No window");
    return false;
  }
  bool ok = true;
  for (int i = 0; i < count; ++i) {
    const ScreenRow& r = rows[i];
    // Scrollbars have their own adder.
    MWinButton* b = r.kind == MWIN_BUT_HORZSCROLLBAR
                        ? window->AddHorzScrollbar(r.id, r.texBut, r.text, r.x, r.y, r.w, r.h)
                        : window->AddButton(r.id, r.kind, r.texBut, r.text, r.x, r.y, r.w, r.h);
    if (!b) {
      ok = false;
      continue;
    }
    b->SetFont("Main");
    b->SetTextColour(r.colour[0], r.colour[1], r.colour[2], r.colour[3]);
    b->SetTextScale(r.scaleX, r.scaleY);
    b->SetTextAlign(r.align);
    if (r.text2) b->SetText2(r.text2);
    if (r.token) b->SetTextLanguageToken(r.token);
  }
  if (!ok) DebugError(where, "Could not add button(s) to window");
  return ok;
}

int ScreenLayoutFor(const ScreenLayoutRows layouts[4]) {
  const int index = g_MWin.GetScreenLayout();
  return index >= 0 && index < 4 && layouts[index].count > 0 ? index : 0;
}

MWinCollection* ScreenAddCollection(const char* name, const ScreenRow* rows, int count) {
  const ScreenLayoutRows layouts[4] = {{rows, count}, {nullptr, 0}, {nullptr, 0}, {nullptr, 0}};
  return ScreenAddCollectionLayouts(name, layouts);
}

MWinCollection* ScreenAddCollectionLayouts(const char* name, const ScreenLayoutRows layouts[4]) {
  const char* where = "ScreenAddCollection";
  const int layout = ScreenLayoutFor(layouts);
  MWinDesktop* desktop = g_MWin.GetDesktop();
  if (!desktop) {
    DebugError(where, "Could not get default desktop");
    return nullptr;
  }
  MWinCollection* collection = desktop->AddCollection(name);
  if (!collection) {
    DebugError(where, "Could not create collection <%s>", name);
    return nullptr;
  }
  collection->SetScreenLayout(layout);
  MWinWindowSetup setup = {};
  setup.x = 0;
  setup.y = 0;
  setup.w = 640;
  setup.h = 480;
  std::strcpy(setup.titleTexBut, "MWIN_TEXBUT_NONE");
  std::strcpy(setup.windowTexBut, "MWIN_TEXBUT_NONE");
  std::strcpy(setup.titleFont, "MWIN_FONT_DEFAULT");
  MWinWindow* window = collection->AddWindow("MainWin", &setup);
  if (!window) {
    DebugError(where, "Could not add window");
    return collection;
  }
  if (!ScreenAddRows(name, window, layouts[layout].rows, layouts[layout].count)) {
    DebugError(where, "Could not add buttons to window");
  }
  return collection;
}

ScreenLookUp::ScreenLookUp(const char* collection, const char* window)
    : collection_(collection), window_(g_MWin.GetWindowFromIDs(collection, window)), allFound_(window_ != nullptr) {}

MWinButton* ScreenLookUp::operator()(const char* id) {
  MWinButton* b = window_ ? window_->GetButtonFromIDChecked(id) : nullptr;
  allFound_ = allFound_ && b;
  return b;
}

MWinHorzScrollbar* ScreenLookUp::Scrollbar(const char* id) {
  MWinButton* b = (*this)(id);
  if (!b || b->GetKind() == MWIN_BUT_HORZSCROLLBAR) return static_cast<MWinHorzScrollbar*>(b);
  DebugError("ScreenLookUp::Scrollbar", "<%s> of <%s> is not a scrollbar", id, collection_);
  allFound_ = false;
  return nullptr;
}

MWinButton* ScreenLookUp::Optional(const char* id) const {
  return window_ ? window_->GetButtonFromID(id, false) : nullptr;
}

MWinWindow* ScreenWindow(const char* collection) { return g_MWin.GetWindowFromIDs(collection, "MainWin"); }

void DoNothingCB() {}
