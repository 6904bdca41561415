// MWinDesktop.h - the desktop: the list of collections.
//
// The desktop holds the collections in a doubly linked list, last drawn on
// top. A collection is one screen's set of windows: five window lists, one
// per screen layout, of which only the current layout's list is ever used.
// The desktop decides which collection receives input (hover activation,
// clicks, capture by an open drop-down list), draws the collections back to
// front and dims everything behind an open popup.
//
// The collections themselves are in MWinCollection.h.
#pragma once

#include <cstdint>

#include "Engine/MWin/MWinCollection.h"
#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinID.h"

class MWin;
class MWinWindow;
class MWinButton;

class MWinDesktop {
 public:
  // A missing manager is fatal ("No mw").
  explicit MWinDesktop(MWin* mw);
  ~MWinDesktop();

  // Null when the ID is in use ("Collection already exists <%s>"). The new
  // collection is appended and is the only active one.
  MWinCollection* AddCollection(const char* id);
  // False when not found ("Could not find collection").
  bool RemoveCollection(const char* id);
  MWinCollection* GetCollectionFromID(const char* id);
  // As GetCollectionFromID without the miss report.
  bool HasCollection(const char* id);
  void RemoveAllCollections();
  MWinCollection* GetFirstCollection() { return first_; }

  bool CreateGraphicsObjects();
  void DestroyGraphicsObjects();
  bool Tick();
  // The parts of the desktop a frame draws: the inactive collections (under
  // an open popup), the dimming and the active ones, or all of it.
  enum RenderPart { kRenderUnderPopup, kRenderPopup, kRenderAll };
  void Render(int part = kRenderAll);

  MWinCollection* GetActiveCollection();
  MWinWindow* GetActiveWindow();
  MWinButton* GetActiveButton();

  bool MouseMove();
  bool ButtonPressed(int button, int pressed);
  bool ButtonDoubleClicked(int button);
  bool MouseWheelMoved(int notches);
  bool KeyDown(int key);
  bool KeyDownChar(int character);
  bool KeyUp(int key);

  void SetPopupFlag(bool on) { popup_ = on ? 1 : 0; }
  bool GetPopupFlag() const { return popup_ != 0; }
  void SetDimFactor(float f) { dim_ = f; }
  float GetDimFactor() const { return dim_; }
  MWin* GetMWin() { return mw_; }

 private:
  // The open drop-down list that captures input, or null.
  MWinButton* CapturingList();
  // The last collection in list order without a hit area or holding the mouse.
  MWinCollection* CollectionUnderMouse();
  void Unlink(MWinCollection* collection);
  template <typename F>
  bool ForActiveCollections(F call);

  MWin* mw_;
  MWinCollection* first_ = nullptr;
  std::uint8_t popup_ = 0;
  float dim_ = 0.5f;
};
