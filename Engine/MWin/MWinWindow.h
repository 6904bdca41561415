// MWinWindow.h - windows: rectangles of a collection holding ordered buttons.
//
// A window may have a title bar (drawn above its area), a hide button, a
// texture-button frame, a key hook, an escape and a default button, and may
// be dragged. It routes the mouse and keys its collection passes on to its
// buttons; later buttons lie above earlier ones, so hit tests walk the list
// from last to first.
//
// Mouse routing, per move (MouseMove):
//   dragging        -> the window follows the grab point, clamped to the screen
//   capture         -> the highlighted button that captures input gets the move
//   hover           -> last-to-first, the first visible button under the mouse
//                      is activated; every other highlighted one deactivated
//   press/release   -> a release goes to the highlighted button wherever the
//                      mouse is; a press to the capturing button, else to the
//                      button under the mouse; else a title-bar drag may start
// Keys: Escape and Enter queue the escape/default button's press (not while a
// drop-down list is open); Tab walks the focus one full cycle at most.
#pragma once

#include <cstdint>

#include "Engine/MWin/MWinID.h"

class MWin;
class MWinCollection;
class MWinButton;
class MWinHorzScrollbar;
class MWinGraph;

using MWinKeyHook = bool (*)(int key);

// The record a screen fills for MWinCollection::AddWindow.
struct MWinWindowSetup {
  float x, y, w, h;  // x or y negative: centred; w or h negative: 100
  std::int32_t moveMode;  // 0 fixed, 1 dragged by the title bar, 2 dragged anywhere
  std::uint8_t hideButton;
  std::uint8_t titleBar;
  char title[256];
  MWinID titleTexBut;
  MWinID windowTexBut;
  MWinID titleFont;
};

class MWinWindow {
 public:
  // Construction (only through MWinCollection::AddWindow). A missing manager
  // is fatal; a null setup reports "No info passed in" and takes defaults.
  MWinWindow(MWin* mw, const char* id, MWinCollection* collection, const MWinWindowSetup* setup);
  ~MWinWindow();

  // ---- Buttons --------------------------------------------------------------
  // Kinds 3, 4, 11 and 13 are refused ("Use individual class buttons
  // instead"): scrollbars and graphs have their own adders.
  MWinButton* AddButton(const char* id, int kind, const char* texButID, const char* text, float x,
                        float y, float w, float h);
  MWinHorzScrollbar* AddHorzScrollbar(const char* id, const char* texButID, const char* text,
                                      float x, float y, float w, float h);
  MWinGraph* AddGraph(const char* id, const char* texButID, float x, float y, float w, float h);
  // Appends the button; null reports "No button (no memory)".
  bool CompleteAddButton(MWinButton* button);
  // Unlinks and frees the button ("Button <%s> not in window <%s>").
  bool RemoveButton(MWinButton* button);
  void RemoveAllButtons();
  // Searches last to first; reports an empty ID or a miss only with report.
  MWinButton* GetButtonFromID(const char* id, bool report);
  MWinButton* GetButtonFromIDChecked(const char* id) { return GetButtonFromID(id, true); }
  // The last highlighted button of a visible window, or null.
  MWinButton* GetHighlightedButton();
  MWinButton* GetFirstButton() { return first_; }
  // Queues a press of one of this window's buttons ("Invalid button").
  bool SendButtonCallCallbackMessage(MWinButton* button);

  void SetEscapeButton(MWinButton* button) { escape_ = button; }
  void SetDefaultButton(MWinButton* button) { default_ = button; }
  MWinButton* GetEscapeButton() { return escape_; }
  MWinButton* GetDefaultButton() { return default_; }
  void SetKeyHook(MWinKeyHook hook) { keyHook_ = hook; }
  // Forget a button that is leaving the window.
  void ForgetButton(MWinButton* button);

  // ---- Look -----------------------------------------------------------------
  void SetTitleFont(const char* fontID);
  void SetTitleColour(float r, float g, float b, float a);
  void SetTitleScale(float x, float y);
  void SetTitleAlignment(int align);
  // The frame's and the title bar's look by texture-button ID (see
  // TakeTexBut); false for an unknown ID, which leaves no look.
  bool SetTexBut(const char* texButID);
  bool SetTitleTexBut(const char* texButID);
  void SetTint(bool on, float r, float g, float b, float a);
  const char* GetTitle() const { return setup_.title; }

  // ---- Placement -----------------------------------------------------------------
  void SetArea(float x, float y, float w, float h);
  void SetPosXY(float x, float y);
  void SetPos();
  void CentreButtons(bool horizontal, bool vertical);
  bool IsMouseInside();
  bool IsInTitleBar(float x, float y);
  const MWinArea& GetArea() const { return area_; }
  const MWinArea& GetClientArea() const { return client_; }
  const MWinArea& GetTitleArea() const { return titleArea_; }
  float TitleHeight() const;

  // ---- Frame ---------------------------------------------------------------
  bool CreateGraphicsObjects();
  void DestroyGraphicsObjects();
  void Draw();
  bool Tick();

  // ---- Input (from the collection) -------------------------------------------------
  bool MouseMove();
  bool ButtonPressed(int button, int pressed);
  bool ButtonDoubleClicked(int button);
  bool MouseWheelMoved(int notches);
  bool KeyDown(int key);
  bool KeyDownChar(int character);
  bool KeyUp(int key);

  // ---- State ----------------------------------------------------------------
  const char* GetID() const { return id_; }
  MWin* GetMWin() { return mw_; }
  MWinCollection* GetCollection() { return collection_; }
  void SetCollection(MWinCollection* collection) { collection_ = collection; }
  bool IsActive() const { return active_ != 0; }
  void SetActive(bool on) { active_ = on ? 1 : 0; }
  bool IsVisible() const { return visible_ != 0; }
  void SetVisible(bool on) { visible_ = on ? 1 : 0; }
  bool IsDragging() const { return dragging_ != 0; }
  void StopDragging() { dragging_ = 0; }
  bool HasTitleBar() const { return setup_.titleBar != 0; }
  // Deactivates every highlighted button and clears every pressed flag.
  void DeactivateButtons();
  void ClearPressed();
  // The metric block of the layout this window is shown in.
  const float* Metrics() const;

  MWinWindow* next_ = nullptr;
  MWinWindow* prev_ = nullptr;
  int savedActive_ = 0;

 private:
  // Window frame (slot 0) and title bar (slot 1): "MWIN_TEXBUT_DEFAULT"
  // takes the standard slot, "MWIN_TEXBUT_NONE" no look, another ID its
  // texture button; an unknown ID gives -1, false, and keeps the stored ID.
  bool TakeTexBut(const char* texButID, int standardSlot, int* num, char* storedID);
  bool CanWalkTo(MWinButton* button);
  bool TabWalk(bool backwards);
  // The topmost visible button under the mouse that a press works on (one
  // that can take the focus), or null.
  MWinButton* ButtonTakingPressUnderMouse();

  MWin* mw_;
  std::uint8_t valid_ = 0;
  MWinButton* hide_ = nullptr;
  std::uint8_t active_ = 0, visible_ = 0, dragging_ = 0;
  float grabX_ = 0, grabY_ = 0, grabWinX_ = 0, grabWinY_ = 0;
  MWinKeyHook keyHook_ = nullptr;
  MWinID id_ = {};
  MWinCollection* collection_;
  MWinButton* first_ = nullptr;
  MWinButton* last_ = nullptr;
  MWinWindowSetup setup_ = {};
  MWinArea area_ = {0, 0, 0, 0};
  MWinArea titleArea_ = {0, 0, 0, 0};
  MWinArea client_ = {0, 0, 0, 0};
  MWinButton* escape_ = nullptr;
  MWinButton* default_ = nullptr;
  int titleFont_ = -1;
  int titleTexBut_ = -1;
  int winTexBut_ = -1;
  float titleColour_[4] = {0, 0, 0, 1};
  float titleScale_[2] = {1, 1};
  int titleAlign_ = 0;
  std::uint8_t tintOn_ = 0;
  float tint_[4] = {1, 1, 1, 1};
};
