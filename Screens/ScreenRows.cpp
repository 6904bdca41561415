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

bool ScreenLookUpRows(const char* collection, const char* window, const ScreenRow* rows, int count,
                      const ScreenHandleSlot* slots, int slotCount) {
  bool all = true;
  for (int i = 0; i < count; ++i) {
    MWinButton* b = g_MWin.GetButtonFromIDs(collection, window, rows[i].id);
    all = all && b;
    for (int k = 0; k < slotCount; ++k) {
      if (std::strcmp(slots[k].id, rows[i].id) == 0) *slots[k].handle = b;
    }
  }
  return all;
}

MWinButton* ScreenButton(const char* collection, const char* id) {
  return g_MWin.GetButtonFromIDs(collection, "MainWin", id);
}

MWinWindow* ScreenWindow(const char* collection) { return g_MWin.GetWindowFromIDs(collection, "MainWin"); }

void DoNothingCB() {}
