// MWinCollection.h - a collection: one screen's set of windows on the
// desktop, kept in five lists (one per screen layout) of which only the
// current layout's list is used for drawing, ticking, input and graphics.
//
// Routing protection: a window handler may remove its own collection. Before
// handing an event on, a collection records its neighbours and ID; after the
// window returns the routing stops (event taken) when any of them changed.
// The removed objects themselves are parked by the manager and freed only
// after the outermost event (MWin::Busy), so those checks read live memory.
#pragma once

#include <cstdint>

#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinStyle.h"

class MWin;
class MWinDesktop;
class MWinWindow;
class MWinButton;
struct MWinWindowSetup;

class MWinCollection {
 public:
  // A missing manager is fatal ("No mw").
  MWinCollection(MWin* mw, const char* id, MWinDesktop* desktop);
  // Frees the windows of all five layouts and the background texture.
  ~MWinCollection();

  void Activate();
  void Deactivate();
  bool IsActive() const { return active_ != 0; }
  // Sets the flag alone (the popup restores several collections at once).
  void SetActiveFlag(bool on) { active_ = on ? 1 : 0; }
  // Tells every window it no longer belongs to a collection (removal).
  void Detach();
  void SetScreenLayout(int layout);
  int GetScreenLayout() const;
  const char* GetID() const { return id_; }
  MWin* GetMWin() { return mw_; }
  MWinDesktop* GetDesktop() { return desktop_; }

  // Creates a window from the record (null: defaults) at the end of the
  // current layout's list and makes it the only active one.
  MWinWindow* AddWindow(const char* windowID, const MWinWindowSetup* setup);
  // Unlinks and frees one window of the current layout; false when absent.
  bool RemoveWindow(MWinWindow* window);
  MWinWindow* GetWindowFromID(const char* windowID, bool report);
  MWinWindow* GetWindowFromIDChecked(const char* windowID) { return GetWindowFromID(windowID, true); }
  MWinWindow* GetActiveWindow();
  MWinWindow* GetFirstWindow() { return windows_[CurrentList()]; }
  // Frees the current layout's windows, last to first.
  void RemoveAllWindows();

  // Background image: set the name and flags, then CreateBgTexture.
  void SetBgTexture(const char* fileName, int flag1, int flag2);
  bool CreateBgTexture();
  bool CreateGraphicsObjects();
  void DestroyGraphicsObjects();
  void Render();
  bool Tick();

  void SetHitAreaFromWindow();
  void SetHitArea(bool on, float x, float y, float w, float h);
  bool HasHitArea() const { return hitAreaOn_ != 0; }
  bool HitAreaHolds(float x, float y) const;
  void SetViewport(bool on, const MWinEngViewport& viewport);
  bool IsValid() const { return valid_ != 0; }

  // Routing (from the desktop).
  bool MouseMove();
  bool ButtonPressed(int button, int pressed);
  bool ButtonDoubleClicked(int button);
  bool MouseWheelMoved(int notches);
  bool KeyDown(int key);
  bool KeyDownChar(int character);
  bool KeyUp(int key);

  // Popup save of the active flag.
  int savedActive_ = 0;

  MWinCollection* next_ = nullptr;
  MWinCollection* prev_ = nullptr;

 private:
  int CurrentList() const;
  void DeactivateWindow(MWinWindow* window);
  // The routing guard: true when the collection went away during a call.
  struct Guard {
    MWin* mw;
    MWinDesktop* desktop;
    MWinCollection* prev;
    MWinCollection* next;
    MWinID id;
  };
  void Record(Guard* guard);
  bool Gone(const Guard& guard);
  template <typename F>
  bool PassToActiveWindows(bool onlyFirst, F call);

  MWinDesktop* desktop_;
  std::uint8_t active_ = 0;
  char bgFile_[256] = {};
  int bgFlag1_ = 0, bgFlag2_ = 0;
  MWinEngTexture* bgTexture_ = nullptr;
  std::uint8_t valid_ = 0;
  int layout_ = 0;
  std::uint8_t layoutChosen_ = 0;
  MWin* mw_;
  MWinID id_ = {};
  MWinWindow* windows_[kMWinNumLayouts] = {};
  std::uint8_t viewportOn_ = 0;
  MWinEngViewport viewport_ = {};
  std::uint8_t hitAreaOn_ = 0;
  MWinArea hitArea_ = {0, 0, 0, 0};
};
