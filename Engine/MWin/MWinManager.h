// MWinManager.h - the toolkit manager (MWin) and its input routing.
//
// Exactly one MWin serves the program (the global `g_MWin`); tests make their
// own. It owns the desktop of collections, the texture and font registries,
// the optional background image, the mouse position in the virtual 640 x 480
// space, the appearance record, the one-slot message queue through which the
// escape and default keys and every popup answer press buttons (so their
// callbacks run from the next tick, never inside the input routing), and the
// popup state (MWinPopup.cpp).
//
// Frame protocol: the program calls Tick once per tick (the queued message,
// or else every active button's tick) and Render once per frame after the 3D
// scene; every input event goes to HandleInputEvent first and only events it
// does not take go on to the game.
//
// Removal during routing: a handler may remove the very collection, window or
// button that is being served. Such objects are unlinked at once and parked;
// they are freed when the outermost event, tick or render returns (Busy scope
// below), so the routing never touches freed memory.
#pragma once

#include <cstdint>
#include <vector>

#include "Engine/EngInput.h"
#include "Engine/MWin/MWinID.h"
#include "Engine/MWin/MWinStyle.h"

class MWinDesktop;
class MWinCollection;
class MWinWindow;
class MWinButton;
class MWinTextures;
class MWinFonts;
class MWinEngTexture;

using MWinPopupCallback = void (*)(int result);
using MWinButtonHook = void (*)(std::uint32_t word);
struct MWinCallbackRecord;
using MWinButtonCallback = void (*)(MWinCallbackRecord* record, std::uint32_t user1,
                                    std::uint32_t user2);

class MWin {
 public:
  MWin();
  ~MWin();
  MWin(const MWin&) = delete;
  MWin& operator=(const MWin&) = delete;

  // ---- Life ---------------------------------------------------------------
  // Turns the toolkit on ("MWin already on" when it was, and goes on), loads
  // the graphics ("Could not create graphics objects" goes on) and selects
  // layout 0. Always true.
  bool Startup();
  // Closes an open popup, removes every collection, releases the graphics
  // and turns the toolkit off ("MWin not on" when it was off). True.
  bool Shutdown();
  // Shutdown when on, then frees the desktop's collections (program exit).
  void Cleanup();
  bool IsOn() const { return on_ != 0; }
  MWinDesktop* GetDesktop() { return desktop_; }
  MWinTextures* GetTextures() { return textures_; }
  MWinFonts* GetFonts() { return fonts_; }

  // Loads textures, fonts, the collections' graphics, the background image
  // and the colour picker's textures; every step runs, true only when all
  // succeeded. Nothing (true) while off.
  bool CreateGraphicsObjects();
  void DestroyGraphicsObjects();

  // ---- Frame --------------------------------------------------------------
  // Runs the queued message; when there was none, ticks the desktop. True
  // when a message ran or a button's tick asked for a redraw.
  bool Tick();
  // Draws the desktop. While a popup is open, underPopup (when given) draws
  // between the collections it covers and the popup: what it draws is
  // dimmed with them and stays beneath the popup. It runs with the device
  // as the caller left it before the call (outside 2D, its blending).
  void Render(void (*underPopup)() = nullptr);

  // ---- Input --------------------------------------------------------------
  // True when the toolkit took the event; false while off or input disabled.
  bool HandleInputEvent(int kind, int a, int b);
  bool MouseMove(float pixelX, float pixelY);
  bool ButtonPressed(int button, int pressed);
  bool ButtonDoubleClicked(int button);
  bool MouseWheelMoved(int notches);
  bool KeyDown(int key);
  bool KeyUp(int key);
  bool KeyDownChar(int character);
  // Re-runs the mouse move at the window's cursor so hover states follow.
  void ButtonsChanged();
  void EnableInput(bool on) { inputEnabled_ = on ? 1 : 0; }
  void EnableKeys(bool on) { keysEnabled_ = on ? 1 : 0; }

  // Mapped mouse position: what every hit test uses.
  float GetMouseX() const { return mouseX_; }
  float GetMouseY() const { return mouseY_; }
  // Sets the raw virtual position and maps it (as after a mouse move).
  void SetMousePosition(float virtualX, float virtualY);
  // The optional mapping rectangle (off by default).
  void SetMappingRect(bool on, float x, float y, float w, float h);

  // ---- Layouts and look-ups -----------------------------------------------------
  void SetScreenLayout(int layout);
  int GetScreenLayout() const { return layout_; }
  MWinCollection* GetCollectionFromID(const char* collectionID);
  MWinWindow* GetWindowFromIDs(const char* collectionID, const char* windowID);
  MWinButton* GetButtonFromIDs(const char* collectionID, const char* windowID,
                               const char* buttonID);
  bool IsAnyListOpen();
  void UpdateLanguageTexts();

  // ---- Message queue --------------------------------------------------------------
  // Queues a press of a button by its three IDs (mode 0 = call its callback).
  // False ("ID(s) invalid", "Queue not empty") when refused.
  bool AddMessageToQueue(const char* collectionID, const char* windowID, const char* buttonID,
                         int mode);
  // Runs the queued message; false when there was none or its button is gone.
  bool ProcessQueueMessages();
  int GetQueueCount() const { return queueCount_; }
  // True while ProcessQueueMessages runs a button's callback (the popup's
  // buttons answer only from there, never from inside the input routing).
  bool IsRunningQueuedMessage() const { return runningQueued_ != 0; }

  // ---- Style ----------------------------------------------------------------------
  void GetStyle(MWinStyle* style) const { *style = style_; }
  void SetStyle(const MWinStyle& style) { style_ = style; }
  MWinStyle& Style() { return style_; }
  const MWinStyle& Style() const { return style_; }
  void ResetStyle(bool full);
  // The metric block of a layout (the manager's layout when out of range).
  const float* Metrics(int layout) const;
  int GetDatKind() const { return datKind_; }

  // ---- Text -------------------------------------------------------------------------
  // One line through the font's aligned drawing, centred vertically in the
  // area; alignment 0 left, 1 centre, other right. With fit, a text wider than
  // the room is squeezed for this draw. Nothing for an unknown font or an
  // empty text.
  void DrawText(int fontNum, int align, float margin, float x, float y, float w, float h,
                const float* offset, const char* text, bool prepare2D, bool fit);
  void DrawText(int fontNum, int align, float margin, const MWinArea& area, const float* offset,
                const char* text, bool prepare2D, bool fit);
  // The width a fitted line may take in an area of width w: it keeps at
  // least the script text's margin off both edges.
  float FittedTextRoom(float margin, float w) const;
  void DrawMultilineText(int fontNum, int align, float margin, float x, float y, float w, float h,
                         const float* offset, const char* text, bool prepare2D);

  void SetButtonHook(MWinButtonHook hook) { buttonHook_ = hook; }
  void CallButtonHook(std::uint32_t word);

  // ---- Popups (MWinPopup.cpp) --------------------------------------------------------
  // Each opens a popup and returns true; false when one is already open or a
  // step failed. Result callbacks get 1 (OK/Yes), 0 (Cancel, or No of two
  // buttons) or 2 (the third button, No), from the tick that runs the
  // queued press of the answering button, after the popup has closed.
  bool PopupOk(const char* title, const char* text);
  bool PopupOkWithCallback(const char* title, const char* text, MWinPopupCallback callback);
  bool PopupOkCancel(const char* title, const char* text, MWinPopupCallback callback);
  bool PopupYesNo(const char* title, const char* text, MWinPopupCallback callback);
  bool PopupYesNoCancel(const char* title, const char* text, MWinPopupCallback callback);
  // Edits a copy of the caller's buffer (at most length - 1 characters, and
  // never more than 511); an answer of OK copies the text into the buffer,
  // any other answer or a close leaves the buffer as it was.
  bool PopupTextEdit(const char* title, const char* text, char* buffer, int length,
                     MWinPopupCallback callback);
  bool PopupMessage(const char* title, const char* text);
  bool PopupMessageForTime(const char* title, const char* text, float seconds);
  // Closes an open popup without its callback; true when one was open.
  bool PopupCloseIfOpen();
  bool IsPopupOpen() const { return popupOpen_ != 0; }
  // Empty IDs and negative numbers keep the current value; alignment -1 keeps.
  void PopupSetStyle(const char* windowTexBut, const char* titleTexBut, const char* titleFont,
                     const char* buttonTexBut, const char* buttonFont, float buttonR,
                     float buttonB, float buttonG, float buttonA, float buttonScaleX,
                     float buttonScaleY, float titleR, float titleB, float titleG, float titleA,
                     float titleScaleX, float titleScaleY, int titleAlign);
  // Above 0 taken; -2 restores 200, 400, 60, 20; other values keep.
  void PopupSetSizes(float baseWidth, float wrapWidth, float buttonWidth, float buttonHeight);
  // Texts of the next popup's buttons, by the answer they give: 1 (OK or
  // Yes), 0 (Cancel, or No of a Yes/No popup), 2 (the third button, No).
  void PopupSetButtonTexts(const char* textResult1, const char* textResult0,
                           const char* textResult2);
  // The general builder: first 0 none / 1 OK / 2 Yes, second 0 none / 1
  // Cancel / 2 No, third (No) flag.
  bool Popup(const char* title, const char* text, int first, int second, bool third,
             float extraWidth, float extraHeight);
  MWinWindow* GetPopupWindow() { return popupWindow_; }
  // Called by the popup buttons' callbacks.
  static void PopupAnswer(int result);

  // ---- Removal during routing ---------------------------------------------------------
  // While a Busy scope is open, removed objects are parked and freed when the
  // outermost scope closes.
  class Busy {
   public:
    explicit Busy(MWin* mw);
    ~Busy();
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

   private:
    MWin* mw_;
  };
  bool IsBusy() const { return busy_ > 0; }
  void Discard(MWinCollection* collection);
  void Discard(MWinWindow* window);
  void Discard(MWinButton* button);
  void FreeDiscarded();

  // The colour picker's shared textures and hue table.
  MWinEngTexture* PickerStrip() { return pickerStrip_; }
  MWinEngTexture* PickerSquare() { return pickerSquare_; }
  const float* PickerHue(int row) const { return pickerHue_[row < 0 ? 0 : (row > 255 ? 255 : row)]; }

 private:
  // Draws the desktop's collections of the part in the toolkit's 2D state.
  void RenderPart(int part, bool background);
  bool CreateBackgroundImage();
  bool CreatePickerTextures();
  void DestroyPickerTextures();
  void MapMouse(float rawX, float rawY);
  bool PopupOpen(const char* title, const char* text, int first, int second, bool third,
                 MWinPopupCallback callback);
  void PopupAbandon();
  bool PopupCreateCollection();
  bool PopupCompleteSetup(MWinPopupCallback callback);
  bool PopupCloseCollection();
  MWinButton* PopupAddButton(MWinWindow* window, const char* id, const char* text, float x,
                             float y, int result);
  void PopupApplyButtonLook(MWinButton* button);

  // Message queue.
  MWinID queueCollection_;
  MWinID queueWindow_;
  MWinID queueButton_;
  int queueMode_ = 0;
  int queueCount_ = 0;
  std::uint8_t runningQueued_ = 0;

  std::uint8_t inputEnabled_ = 1;
  std::uint8_t keysEnabled_ = 1;
  int layout_ = 0;
  MWinButtonHook buttonHook_ = nullptr;
  MWinStyle style_;
  std::uint8_t on_ = 0;

  MWinDesktop* desktop_ = nullptr;
  MWinTextures* textures_ = nullptr;
  MWinFonts* fonts_ = nullptr;
  MWinEngTexture* background_ = nullptr;

  float pixelX_ = 0, pixelY_ = 0;  // the last mouse position in window pixels
  float rawX_ = 0, rawY_ = 0;
  float mouseX_ = 0, mouseY_ = 0;
  std::uint8_t mappingOn_ = 0;
  MWinArea mapping_ = {0, 0, 0, 0};

  // Base metrics the style reset builds the layout blocks from.
  float baseScale_ = 1.0f;
  float baseWidth1_ = 12.0f, baseWidth2_ = 12.0f;
  float baseBorder1_ = 3.0f, baseBorder2_ = 3.0f;
  std::int8_t datKind_ = 2;

  // Popup state.
  std::uint8_t popupOpen_ = 0;
  std::int8_t popupSavedHover_ = -1;
  std::int8_t popupMenuHidden_ = -1;
  MWinID popupWinTexBut_, popupTitleTexBut_, popupTitleFont_, popupButtonTexBut_,
      popupButtonFont_;
  float popupButtonColour_[4] = {0, 0, 0, 1};
  float popupButtonScale_[2] = {1, 1};
  float popupTitleColour_[4] = {0, 0, 0, 1};
  float popupTitleScale_[2] = {1, 1};
  float popupBaseWidth_ = 200, popupWrapWidth_ = 400, popupButtonWidth_ = 60,
        popupButtonHeight_ = 30;
  int popupTitleAlign_ = 0;
  char popupTextOk_[512] = {}, popupTextCancel_[512] = {}, popupTextNo_[512] = {};
  // A text-entry popup's copy of the text being typed, and the caller's
  // buffer (with its size) that OK hands it to; null without such a popup.
  char popupEditText_[512] = {};
  char* popupEditTarget_ = nullptr;
  int popupEditTargetSize_ = 0;
  MWinPopupCallback popupCallback_ = nullptr;
  MWinCollection* popupCollection_ = nullptr;
  MWinWindow* popupWindow_ = nullptr;
  MWinButton* popupOk_ = nullptr;
  MWinButton* popupCancel_ = nullptr;
  MWinButton* popupNo_ = nullptr;

  // Colour picker graphics.
  MWinEngTexture* pickerStrip_ = nullptr;
  MWinEngTexture* pickerSquare_ = nullptr;
  float pickerHue_[256][3];

  // Removal during routing.
  int busy_ = 0;
  std::vector<MWinCollection*> deadCollections_;
  std::vector<MWinWindow*> deadWindows_;
  std::vector<MWinButton*> deadButtons_;
};

// The program's toolkit.
extern MWin g_MWin;

// Lets the engine's screen table run on the program's toolkit: the screens
// start and shut down `g_MWin` (the program's frame ticks it itself, before
// the screen's tick), and a started screen refreshes its buttons'
// highlight. The program's screen set-up calls it, before the screens start.
void MWinInstallScreenHooks();

// Finds the button and sets its callback ("Could not find button %s:%s").
bool MWinSetButtonCallback(const char* collectionID, const char* windowID, const char* buttonID,
                           MWinButtonCallback callback, std::uint32_t user1, std::uint32_t user2);
