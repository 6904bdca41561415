// MWinButton.h - every control of the toolkit.
//
// One class serves push buttons and labels, text entry, drop-down lists,
// check boxes, choices, panels, colour pickers, pictures, script text and the
// range track; MWinHorzScrollbar and MWinGraph derive from it. A button lives
// in one window's ordered list; the window routes events to it through the
// virtual operations, draws and ticks it. Each kind's behaviour lives in its
// own file (MWinTextEdit.cpp, MWinList.cpp, MWinCheckChoice.cpp,
// MWinPanel.cpp, MWinColour.cpp, MWinScript.cpp); this header holds them all.
//
// Press behaviour of push buttons (kinds 0, 1, 2), frame by frame:
//   left press on the button            -> pressed = 1, taken
//   release while pressed               -> pressed = 0, fire (hook 0, callback)
//   release while not pressed           -> taken, nothing fires
//   mouse leaves (window hover)         -> pressed cleared, so no fire later
//   capture set and release             -> capture cleared, not taken
// Draw state: forced (>= 0), else 3 disabled, 2 pressed, 1 highlighted, 0.
//
// Capture (one owner at a time): an editing text entry, an open list, a
// panel, script or picker thumb drag, a scrollbar thumb drag. The owner is
// always the window's highlighted button: IsCapturingInput answers only for
// a highlighted button, losing the highlight (Deactivate) ends any capture,
// and while the owner captures the window sends it every move and press.
//
// Bound variables are written before the callback runs.
#pragma once

#include <cstdint>

#include "Engine/MWin/MWinID.h"

class MWin;
class MWinWindow;
class MWinEngTexture;
class MWinEngTriList;
class EngTexture;

enum MWinButtonKind : int {
  MWIN_BUT_NONE = 0,
  MWIN_BUT_PUSH = 1,
  MWIN_BUT_TEXTEDIT = 2,
  MWIN_BUT_HORZSCROLLBAR = 3,
  MWIN_BUT_LIST = 5,
  MWIN_BUT_CHECKBOX = 6,
  MWIN_BUT_CHOICE = 7,
  MWIN_BUT_PANEL = 8,
  MWIN_BUT_COLOUR = 9,
  MWIN_BUT_PICTURE = 10,
  MWIN_BUT_GRAPH = 11,
  MWIN_BUT_SCRIPT = 12,
  MWIN_BUT_RANGE = 14,
};

enum MWinButtonVariableKind : int {
  MWIN_VAR_NONE = 0,
  MWIN_VAR_CHAR = 1,
  MWIN_VAR_INT = 3,
  MWIN_VAR_FLOAT = 6,
  MWIN_VAR_COLOUR = 8,
  MWIN_VAR_TEXT = 9,
};

// The record every button callback receives, zero-filled before each call.
struct MWinCallbackRecord {
  MWinID buttonID;
  MWinID windowID;  // empty without a parent
  class MWinButton* button;
  std::int32_t textEditEnter;  // 1 editing ended with Enter
  std::uint8_t scrollbarDragging;
  double scrollbarValue;
  std::int32_t listEvent;  // 0 hover moved, 1 chosen, 2 closed without choosing
  std::int32_t listEntry;
  std::uint8_t checkboxState;
  std::int32_t choiceEntry;
  std::int32_t panelEvent;  // 0 selection, 1 confirmation
  std::int32_t panelEntry;
  std::uint8_t panelSource;  // 1 mouse, 2 double click, 0 keys or program
  std::uint8_t colourDragging;
};
static_assert(sizeof(MWinCallbackRecord) <= 128, "callback record grew past 128 bytes");

using MWinCallback = void (*)(MWinCallbackRecord* record, std::uint32_t user1, std::uint32_t user2);
using MWinSimpleCallback = void (*)();
using MWinButtonKeyHook = bool (*)(int key);
using MWinDrawHook = void (*)(class MWinButton* button, MWinArea* area, int drawState);
using MWinEntryText = const char* (*)(int entry);
using MWinPanelEntryText = const char* (*)(int entry, int maxChars);

// One custom look per draw state.
struct MWinButtonTexButState {
  std::uint8_t loadFlag1 = 0, loadFlag2 = 0, flag = 0;
  char fileName[256] = {};
  float rect[4] = {0, 0, 1, 1};
  float colour[4] = {1, 1, 1, 1};
  MWinEngTexture* owned = nullptr;
  EngTexture* borrowed = nullptr;
};

struct MWinTextEditData {
  std::uint8_t cursorShown = 0;
  std::uint8_t editActive = 0;
  char* buffer = nullptr;  // maxLength + 3 bytes while editing
  int cursor = 0;
  int maxLength = 511;
  int registeredSize = 0;  // size of a bound caller buffer
  // The whole text is selected: the next character typed replaces it,
  // Backspace or Delete empties it, an arrow key drops the selection.
  std::uint8_t allSelected = 0;
  // A character the text cannot hold was refused at this time of the
  // clock: the box shows why instead of its text for a moment.
  std::uint8_t refusalShown = 0;
  unsigned refusedAtMs = 0;
};

struct MWinListData {
  int selected = 0, count = 0;
  MWinEntryText entryText = nullptr;
  std::uint8_t languageList = 0;
  std::uint8_t open = 0;
  int first = -1, end = -1, hovered = -1, anchor = -1;
  float top = -1, height = -1, topCapY = -1, topCapH = -1, botCapY = -1, botCapH = -1,
        hoveredY = -1;
  std::uint8_t moreAbove = 0, moreBelow = 0;
  float upY = -1, upH = -1, downY = -1, downH = -1;
  int scroll = 0;
  int delay = 500;
};

struct MWinChoiceData {
  int selected = 0, count = 0;
  const char* const* strings = nullptr;
  MWinEntryText entryText = nullptr;
  std::uint8_t languageList = 0;
};

struct MWinPanelData {
  std::uint8_t allowNone = 0;
  int selected = 0;
  int count = 0, perPage = 10;
  MWinPanelEntryText entryText = nullptr;
  float scroll = 0, rowHeight = 0;
  int maxChars = 0;
  std::uint8_t barShown = 0;
  float textWidth = 0;
  float barX = 0, barW = 0, barY = 0, barH = 0, barRight = 0, barBottom = 0;
  float thumbX = 0, thumbW = 0, thumbTop = 0, thumbBottom = 0, thumbH = 0;
  float trackTop = 0, trackBottom = 0, trackLength = 0;
};

struct MWinColourData {
  std::uint8_t hueDrag = 0, squareDrag = 0;
  float hue = 127.5f;
  float s = 0.5f, v = 0.5f;
  float rgb[3] = {0.5f, 0.5f, 0.5f};
  float factor = 1.0f, offset = 0.0f;
};

struct MWinPictureData {
  int mode = 0;  // 0 none; 2 or 3 texture drawn with blending type mode - 2
  EngTexture* texture = nullptr;
  float a = 0.5f, b = 1.0f;
  float colours[3][3] = {};
  MWinEngTriList* lists[3] = {};  // outer ring, inner disc, value sector
};

struct MWinScriptParagraph {
  int style = 0;  // 0 plain, 1 or 2 heading
  int start = 0;  // offset in the text
  int lines = 1;
  int firstLine = 0;
};

struct MWinScriptData {
  char* text = nullptr;  // the button's own copy
  MWinScriptParagraph* pars = nullptr;
  int parCount = 0;
  int firstLine = 0;
  float heading[2][3] = {{1, 1, 1}, {1, 1, 1}};
  int linesPerPage = 1, totalLines = 0;
  std::uint8_t needsBar = 0;
  float textWidth = 0;
  float barX = 0, barY = 0, barRight = 0, barBottom = 0, barW = 0, barH = 0;
  float thumbX = 0, thumbRight = 0, thumbW = 0, thumbTop = 0, thumbBottom = 0, thumbH = 0;
  std::uint8_t barShown = 0;
};

class MWinButton {
 public:
  // Kinds 0-2, 5-10, 12, 14. A missing manager or parent is fatal.
  MWinButton(MWin* mw, const char* id, MWinWindow* parent, int kind, const char* texButID,
             const char* text, float x, float y, float w, float h);
  virtual ~MWinButton();
  MWinButton(const MWinButton&) = delete;
  MWinButton& operator=(const MWinButton&) = delete;

  // ---- Virtual operations ----------------------------------------------------------
  virtual bool CreateGraphicsObjects();
  virtual void DestroyGraphicsObjects();
  virtual void PositionUpdated();
  virtual void Draw();
  virtual bool ButtonPressed(int button, int pressed);
  virtual bool ButtonDoubleClicked(int button);
  virtual void CancelPress();
  virtual bool MouseMove();
  virtual bool MouseWheelMoved(int steps);
  virtual bool KeyDown(int key);
  virtual bool KeyDownChar(int character);
  virtual bool KeyUp(int key);
  virtual bool IsCapturingInput();
  virtual void Activate();
  virtual void Deactivate();

  // ---- Placement -------------------------------------------------------------------
  // Sizes below 5 become 5, and at most the client size; a negative size takes
  // the layout's default ("Button has no parent" without a parent).
  void SetPos(float x, float y, float w, float h);
  void SetPosArea(const MWinArea& area) { SetPos(area.x, area.y, area.w, area.h); }
  // Clamped into the client area; a button that cannot fit keeps its place
  // ("Invalid position [%.1f,%.1f]").
  void SetPosXY(float x, float y);
  void GetPos(float* x, float* y, float* w, float* h, bool relative) const;
  // As GetPos, each value truncated.
  void GetPosInt(int* x, int* y, int* w, int* h, bool relative) const;
  void GetArea(MWinArea* area, bool relative) const;
  MWinArea GetAreaRelative() const { return MWinArea{x_, y_, w_, h_}; }
  bool IsMouseOver() const;
  // Re-applies placement after the parent moved.
  void ParentMoved();

  // ---- Look ----------------------------------------------------------------------
  // False when a non-empty unknown font ("User font <%s> not found") or an
  // empty ID ("Font id is empty"); both fall back to the default font.
  bool SetFont(const char* fontID);
  int GetFontNum() const { return fontNum_; }
  // True when usable: the defaults, none, or a registered texture button.
  bool SetTexBut(const char* texButID);
  bool SetTexButDefault() { return SetTexBut("MWIN_TEXBUT_DEFAULT"); }
  bool SetTexButNone() { return SetTexBut("MWIN_TEXBUT_NONE"); }
  int GetTexButNum() const { return texButNum_; }
  // Shows part of a texture the caller keeps, in a state (-1 = 0).
  bool SetCustomTexBut(int state, EngTexture* texture, int flag, float left, float top,
                       float right, float bottom, float r, float g, float b, float a);
  bool SetCustomTexBut(int state, EngTexture* texture);
  // A custom look loaded from a file with the other graphics.
  bool SetCustomTexButFile(int state, const char* fileName, int loadFlag1, int loadFlag2);
  bool CreateCustomTexBut();
  // A custom look (a texture the caller keeps or a file) is set.
  bool HasCustomTexBut() const { return customTex_ != 0; }
  void ReleaseCustomTexBut();
  void SetAlpha(float alpha);
  void SetTint(bool on, float r, float g, float b, float a);
  void SetDrawHook(MWinDrawHook hook) { drawHook_ = hook; }
  void SetKeyHook(MWinButtonKeyHook hook) { keyHook_ = hook; }
  bool SetEscapeButtonForParentWindow();
  bool SetDefaultButtonForParentWindow();
  void Hide();
  void Show() { visible_ = 1; }
  void SetEnabled(bool on) { enabled_ = on ? 1 : 0; }
  void SetForcedDrawState(int state) { forcedState_ = state; }
  int GetDrawState() const;

  // ---- Texts -----------------------------------------------------------------------
  bool SetText(const char* text);
  bool SetText2(const char* text) { return AllocAndSetText(1, text); }
  bool AllocAndSetText(int num, const char* text);
  bool SetTextFormatted(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void FreeText(int num);
  void FreeTexts();
  bool HasText(int num = 0) const;
  const char* GetTextP(int num = 0) const;
  const char* GetTextP2() const { return GetTextP(1); }
  bool SetTextLanguageToken(const char* token);
  // The language token whose text is drawn, or "" when the text is drawn.
  const char* GetLanguageToken() const { return tokenOn_ ? token_ : ""; }
  void UpdateLanguageToken();
  void SetTextColour(float r, float g, float b, float a);
  // Red, green, blue, alpha.
  const float* GetTextColour() const { return textColour_; }
  void SetTextScale(float x, float y) { textScale_[0] = x; textScale_[1] = y; }
  void GetTextScale(float* x, float* y) const;
  void SetTextAlign(int align) { align_ = align; }
  void SetMultilineText(bool on) { multiline_ = on ? 1 : 0; }
  float GetTextWidth();
  bool GetMultilineTextExtent(float* width, float* height);

  // ---- Callbacks and binding ----------------------------------------------------------
  void SetCallback(MWinCallback callback, std::uint32_t user1, std::uint32_t user2);
  void SetSimpleCallback(MWinSimpleCallback callback);
  bool HasCallback() const { return callbackSet_ != 0; }
  void FillCallbackRecord(MWinCallbackRecord* record);
  bool CallCallback(MWinCallbackRecord* record);
  // Multiplier 0 is refused ("ID: %s - 0 val passed as mult"); null unbinds.
  bool RegisterIntVariable(int* variable, int multiplier);
  bool RegisterCharVariable(signed char* variable);
  bool RegisterFloatVariable(float* variable, float multiplier);
  bool RegisterColourVariable(float* rgb);

  // ---- Window services ----------------------------------------------------------
  virtual bool Tick();
  bool CanTakeFocus() const;

  // ---- Text entry (MWinTextEdit.cpp) ------------------------------------------------
  // Above 511 reports "Length too long: %d" and uses 511.
  void TextEditSetLength(int length);
  // Takes a copy of the text cut to the maximum length.
  void TextEditSetText(const char* text);
  // Binds a caller buffer of the given size; the copy back never writes more
  // than size bytes.
  void TextEditRegisterText(char* buffer, int size);
  // The number at the start of the text, clamped to the int range; 0 when none.
  int TextEditGetNumber();
  bool TextEditStartEditing();
  // While editing, selects the whole text (nothing for an empty text).
  void TextEditSelectAll();
  bool TextEditIsAllSelected() const { return te_.allSelected != 0; }
  void TextEditTurnOffEditing(int endCode);
  bool TextEditHandleKeyDown(int key);
  // A CP1252 character, or above 255 the code point of a character CP1252
  // lacks: that one is refused and the box says so for a moment.
  bool TextEditHandleKeyDownUChar(int character);
  bool TextEditIsShowingRefusal() const { return te_.refusalShown != 0; }
  void TextEditUpdateCursor();
  bool TextEditAllocText();
  bool TextEditIsEditing() const { return editing_ != 0; }
  int TextEditGetCursor() const { return te_.cursor; }
  int TextEditGetLength() const { return te_.maxLength; }
  const char* TextEditGetBuffer() const { return te_.buffer; }

  // ---- Drop-down list (MWinList.cpp) ----------------------------------------------------
  // Entries by function or by the sub-texts of a language token. False (and
  // nothing changed) for another kind, a count below 1 or a missing source.
  bool ListSetStringsCallback(int count, MWinEntryText entryText);
  bool ListSetStringsLanguageToken(int count, const char* token);
  // The selected entry (0 for another kind) and its text (null).
  int ListGetPos();
  const char* ListGetString();
  bool ListIsOpen() const;
  // Selects an entry (0 .. count - 1, else reported and unchanged), writes the
  // bound variable, then with call the callback (list event 1 open, 0 closed).
  bool ListSetPos(int entry, bool call);
  bool ListSetPosNoCallback(int entry) { return ListSetPos(entry, false); }
  // Binds the variable and selects the entry it holds, without a callback.
  bool ListRegisterCharVariable(signed char* variable);
  // Draws the open column over everything; false when closed or not a list.
  bool ListDrawOpenList();
  // Lays the open column out around the button; false when it closed or
  // cannot be laid out.
  bool ListCalcOpenListVariables();
  void ListOpen();
  // accept: the hovered entry is chosen (event 1); else the selection stays
  // (event 2, only when the hover had moved). Callbacks only with call.
  void ListClose(bool accept, bool call);
  // Moves the hover (clamped to the entries); false when it did not move.
  bool ListSetHovered(int entry);
  const MWinListData& ListData() const { return list_; }

  // ---- Check box and choice (MWinCheckChoice.cpp) ------------------------------------------
  // State 0 or 1 (else "Invalid check parameter: %d" and false); writes the
  // bound variable, then the callback with call.
  bool CheckboxSet(int state, bool call);
  bool CheckboxRegisterVariable(signed char* variable, bool call);
  int CheckboxGet() const { return checkState_; }
  // One source of entry texts each (the array is kept, not copied); the
  // selection becomes 0. False for a count below 1 or a missing source.
  bool ChoiceSetStrings(int count, const char* const* strings);
  bool ChoiceSetStringsCallback(int count, MWinEntryText entryText);
  bool ChoiceSetStringsLanguageToken(int count, const char* token);
  // -1 (no box selected) .. count - 1; else reported and unchanged.
  bool ChoiceSetSel(int entry, bool call);
  bool ChoiceSetSelNoCallback(int entry) { return ChoiceSetSel(entry, false); }
  int ChoiceGetSel() const { return choice_.selected; }
  bool ChoiceRegisterCharVariable(signed char* variable, bool call);
  bool ChoiceRegisterIntVariable(int* variable, bool call);
  void ChoiceDraw();
  void ChoiceBoxesDrawTexts();
  bool ChoiceHandleMousePress();
  // The state a choice box is drawn in (for tests and drawing).
  int ChoiceBoxState(int box) const;

  // ---- Panel (MWinPanel.cpp) ----------------------------------------------------------
  // count entries shown perPage rows at a time. A negative count, perPage
  // below 1 (then 1) or a null function are reported and change nothing else.
  bool PanelSetStringsCallback(int count, int perPage, MWinPanelEntryText entryText);
  // Selects (clamped; -1 only with no-selection allowed) and scrolls it into
  // view; callMode 1 selection, 2 confirmation, 0 no callback; source 1
  // mouse, 2 double click, 0 keys or program.
  void PanelSetPos(int entry, int callMode, int source);
  int PanelGetPos() const { return panel_.selected; }
  void PanelAllowNoSelection() { panel_.allowNone = 1; }
  void PanelSetMaxChars(int n) { panel_.maxChars = n; }
  float PanelGetScrollPos() const { return panel_.scroll; }
  void PanelSetScrollPos(float f);
  void PanelCentreOnPos();
  int PanelGetNumVisible() const;
  int PanelGetEntryFromVisibleRow(int row) const;
  bool PanelGetVisibleRowArea(int row, MWinArea* area) const;
  bool PanelRegisterIntVariable(int* variable, int callMode);
  void PanelUpdateFromVariable(int callMode);
  void PanelDraw();
  void PanelLayout();
  const MWinPanelData& PanelData() const { return panel_; }

  // ---- Colour picker and picture (MWinColour.cpp) --------------------------------------------
  // Without a binding each component must be 0..1 ("invalid col ..."); with
  // one the values are in the variable's scale. Places the markers so that a
  // press on them gives the same colour back.
  bool ColourSetFloat(float r, float g, float b, bool call);
  // Binds three floats (variable = factor x colour + offset; factor 0 becomes
  // 0.00001) and takes the colour from them. Null: "Var not set", false.
  bool ColourRegisterVariableMult(float* rgb, float factor, float offset);
  bool ColourRegisterVariable(float* rgb) { return ColourRegisterVariableMult(rgb, 1.0f, 0.0f); }
  void ColourUpdateFromVariable(bool call);
  void ColourGet(float* r, float* g, float* b) const;
  const MWinColourData& ColourData() const { return colour_; }
  // A loaded texture the caller keeps, drawn with blending type 0 or 1; a
  // missing or unloaded one is refused ("No texture") and detaches.
  bool PictureAttachTextureToButton(EngTexture* texture, int blendingType);
  void PictureDetachTexture();
  void PictureResetPie();
  void PictureSetPieColours(float r1, float g1, float b1, float r2, float g2, float b2, float r3,
                            float g3, float b3);
  // The value sector spans a / b of the circle; only 0 <= a <= b, b > 0.
  bool PictureSetPieValues(float a, float b);
  const MWinPictureData& PictureData() const { return picture_; }

  // ---- Script text (MWinScript.cpp) ------------------------------------------------------
  // Keeps its own copy of the text.
  void ScriptSetText(const char* text);
  void ScriptSetTextColour(float r, float g, float b, float a) { SetTextColour(r, g, b, a); }
  void ScriptSetParagraphColours(float r1, float g1, float b1, float r2, float g2, float b2);
  void ScriptParseText();
  void ScriptCalcLinesInPars();
  void ScriptDraw();
  const MWinScriptData& ScriptData() const { return script_; }

  // ---- State ---------------------------------------------------------------------------
  const char* GetID() const { return id_; }
  int GetKind() const { return kind_; }
  MWinWindow* GetParent() const { return parent_; }
  void SetParent(MWinWindow* parent) { parent_ = parent; }
  MWin* GetMWin() const { return mw_; }
  bool IsHighlighted() const { return highlighted_ != 0; }
  bool IsPressed() const { return pressed_ != 0; }
  void ClearPressed() { pressed_ = 0; }
  bool IsEnabled() const { return enabled_ != 0; }
  bool IsVisible() const { return visible_ != 0; }
  bool IsInputReady() const { return inputReady_ != 0 && valid_ != 0; }
  bool IsValid() const { return valid_ != 0; }
  float AbsX() const { return absX_; }
  float AbsY() const { return absY_; }
  float Width() const { return w_; }
  float Height() const { return h_; }
  // The metric block of the layout the button is shown in (never null).
  const float* Metrics() const;
  // How far wrapped text keeps off the button's look, across and down (0
  // without a look).
  void LookBorders(float* x, float* y) const;
  static int GetLiveCount();

  MWinButton* next_ = nullptr;
  MWinButton* prev_ = nullptr;

 protected:
  // Base conditions of most input: ready, highlighted, enabled, visible.
  bool BaseReady() const;
  void DrawLook(int state, float x, float y, float w, float h);
  void DrawTexts();
  void PrepareFont(class EngFont* font);
  // The button's font made ready for its text (PrepareFont) while the scope
  // lives; the size ratio it had before is put back at the end. get() is
  // null when the button has no font.
  class PreparedFont {
   public:
    explicit PreparedFont(MWinButton* button);
    ~PreparedFont();
    PreparedFont(const PreparedFont&) = delete;
    PreparedFont& operator=(const PreparedFont&) = delete;
    class EngFont* get() const { return font_; }

   private:
    class EngFont* font_;
    float oldX_ = 1, oldY_ = 1;
  };
  // Writes the bound variable of a whole-number value (char or int).
  void WriteBoundIndex(int value);
  // When a callback is set: a fresh record, completed by `fill` with the
  // kind's own fields, goes to CallCallback. Without a callback nothing runs.
  template <typename Fill>
  void CallCallbackWith(Fill fill) {
    if (!callbackSet_) return;
    MWinCallbackRecord record;
    FillCallbackRecord(&record);
    fill(record);
    CallCallback(&record);
  }

  MWin* mw_;
  std::uint8_t valid_ = 0, inputReady_ = 0, highlighted_ = 0, pressed_ = 0, enabled_ = 1,
               visible_ = 1, editing_ = 0;
  MWinCallback callback_ = nullptr;
  MWinSimpleCallback simpleCallback_ = nullptr;
  std::uint8_t callbackSet_ = 0;

  MWinTextEditData te_;
  MWinListData list_;
  std::uint8_t checkState_ = 0;
  MWinChoiceData choice_;
  MWinPanelData panel_;
  MWinColourData colour_;
  MWinPictureData picture_;
  MWinScriptData script_;

  int varKind_ = MWIN_VAR_NONE;
  signed char* varChar_ = nullptr;
  int* varInt_ = nullptr;
  float* varFloat_ = nullptr;
  float* varColour_ = nullptr;
  char* varText_ = nullptr;
  int varIntMult_ = 1;
  float varFloatMult_ = 1.0f;

  float textScale_[2] = {1, 1};
  std::uint8_t capture_ = 0;
  float grabX_ = 0, grabY_ = 0;
  std::uint8_t customTex_ = 0;
  MWinButtonTexButState custom_[4];
  int forcedState_ = -1;
  MWinButtonKeyHook keyHook_ = nullptr;
  char* texts_[2] = {nullptr, nullptr};
  int textLengths_[2] = {0, 0};
  int textAllocCount_ = 0;
  MWinDrawHook drawHook_ = nullptr;
  MWinID id_ = {};
  MWinWindow* parent_ = nullptr;
  float x_ = 0, y_ = 0, w_ = 0, h_ = 0;
  float absX_ = 0, absY_ = 0;
  int kind_ = 0;
  float textColour_[4] = {0, 0, 0, 1};
  std::uint8_t tintOn_ = 0;
  float tint_[4] = {1, 1, 1, 1};
  MWinID texButID_ = {};
  int texButNum_ = -1;
  std::uint32_t user1_ = 0, user2_ = 0;
  MWinID fontID_ = {};
  int fontNum_ = -1;
  int align_ = 1;
  std::uint8_t multiline_ = 0;
  std::uint8_t fit_ = 1;
  float textInset_ = 0;
  std::uint8_t tokenOn_ = 0;
  char token_[64] = {};
  int tokenIndex_ = -1;
  int tokenSubTexts_ = 0;

 private:
  void ResetKindData();
  bool PushPress(int pressed);
  const char* EntryText(int entry) const;  // list and choice entries
  // Text entry helpers.
  void TextEditCopyBack();
  bool TextEditTick();
  void TextEditDraw();
  // The band behind a selected text, and the note that stands in for the
  // text after a refused character.
  void TextEditDrawSelection();
  void TextEditDrawRefusal();
  // List helpers.
  // The entries come from a function or from a language token's sub-texts:
  // entry 0 selected and shown, closed, input-ready.
  void ListTakeSource(int count, MWinEntryText entryText, const char* token);
  bool ListPress(int pressed);
  bool ListMouseMove();
  bool ListKeyDown(int key);
  bool ListTick();
  void ListDrawClosed(int state);
  // Check box and choice.
  bool CheckboxPress(int pressed);
  void CheckboxDraw(int state);
  // The entries come from exactly one source: a string table, a function or
  // the sub-texts of a language token. Selects entry 0; input-ready.
  void ChoiceTakeSource(int count, const char* const* strings, MWinEntryText entryText,
                        const char* token);
  // The width of one box (count above 0); "No Width (ID =  %s)" under the
  // caller's name when it is 0 or less.
  float ChoiceBoxWidth(const char* where) const;
  // Panel.
  bool PanelPress(int pressed);
  bool PanelDrag();
  bool PanelKeyDown(int key);
  bool PanelWheel(int steps);
  // Colour picker and picture.
  void ColourGeometry(float sq[4], float sqInner[4], float strip[4], float stripInner[4]) const;
  void ColourRecompute();
  bool ColourSetHue(float y, bool flag);
  bool ColourSetSquare(float x, float y, bool flag);
  void ColourWrite(bool call, bool dragging);
  bool ColourPress(int pressed);
  bool ColourDrag();
  void ColourEndDrag();
  void ColourDraw(int state);
  void PictureBuildPie();
  void PictureDrawPie();
  void PictureDrawTexture();
  void PictureDestroyPie();
  // Script.
  void ScriptLayoutBar();
  bool ScriptPress(int pressed);
  bool ScriptDrag();
  bool ScriptKeyDown(int key);
  void ScriptDrawBackground(int state);
  // Range track.
  void RangeDraw(int state);
};
