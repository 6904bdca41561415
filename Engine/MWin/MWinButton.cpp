// MWinButton.cpp - the button base: construction, placement, the look,
// callbacks, binding and the dispatch of input to the kinds. Texts are in
// MWinButtonText.cpp; each kind's own behaviour in its own file.
#include "Engine/MWin/MWinButton.h"

#include <algorithm>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinKeys.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinTextures.h"
#include "Engine/MWin/MWinWindow.h"

namespace {
int g_liveButtons = 0;
}  // namespace

int MWinButton::GetLiveCount() { return g_liveButtons; }

MWinButton::MWinButton(MWin* mw, const char* id, MWinWindow* parent, int kind,
                       const char* texButID, const char* text, float x, float y, float w, float h)
    : mw_(mw), parent_(parent), kind_(kind) {
  if (!mw) {
    DebugError("MWinButton::MWinButton", "No mw");
    DebugWriteFormattedMessagesToFile();
    DebugFatalErrorIf(true, "MWinButton::MWinButton", "No mw");
  }
  MWinCopyID(id_, id);
  DebugFatalErrorIf(parent == nullptr, "MWinButton::MWinButton", "No Parent");
  fit_ = mw_->Style().textFit;
  ResetKindData();
  SetTexBut(texButID ? texButID : "MWIN_TEXBUT_NONE");
  if (kind_ != 0) {
    const float* m = Metrics();
    const MWinArea& c = parent_->GetClientArea();
    if (w < 0) w = m[kMetDefaultWidth];
    if (h < 0) h = m[kMetDefaultHeight];
    w = std::min(w, c.w);
    h = std::min(h, c.h);
    if (x < c.x) x = c.x + (c.w - w) / 2;
    if (y < c.y) y = c.y + (c.h - h) / 2;
  }
  SetPos(x, y, w, h);
  SetFont("MWIN_FONT_DEFAULT");
  AllocAndSetText(0, text);
  AllocAndSetText(1, "");
  SetTextLanguageToken(nullptr);
  SetTextColour(0, 0, 0, 1);
  SetTextScale(1, 1);
  align_ = 1;
  SetTint(false, 1, 1, 1, 1);
  varKind_ = MWIN_VAR_NONE;
  valid_ = 1;
  ++g_liveButtons;
}

MWinButton::~MWinButton() {
  FreeTexts();
  delete[] te_.buffer;
  te_.buffer = nullptr;
  delete[] script_.pars;
  script_.pars = nullptr;
  delete[] script_.text;
  script_.text = nullptr;
  MWinButton::DestroyGraphicsObjects();
  if (textAllocCount_ != 0)
    DebugError("MWinButton::~MWinButton", "Text alloc count: %d", textAllocCount_);
  --g_liveButtons;
  PictureDestroyPie();
}

void MWinButton::ResetKindData() {
  te_ = MWinTextEditData{};
  list_ = MWinListData{};
  checkState_ = 0;
  choice_ = MWinChoiceData{};
  panel_ = MWinPanelData{};
  colour_ = MWinColourData{};
  picture_.mode = 0;
  picture_.texture = nullptr;
  picture_.a = 0.5f;
  picture_.b = 1.0f;
  std::memcpy(picture_.colours, mw_->Style().pieColours, sizeof(picture_.colours));
  inputReady_ = (kind_ == MWIN_BUT_NONE || kind_ == MWIN_BUT_PUSH || kind_ == MWIN_BUT_CHECKBOX ||
                 kind_ == MWIN_BUT_COLOUR)
                    ? 1
                    : 0;
}

const float* MWinButton::Metrics() const {
  if (parent_) return parent_->Metrics();
  return mw_->Metrics(-1);
}

// ---- Placement -------------------------------------------------------------------

void MWinButton::SetPos(float x, float y, float w, float h) {
  if (!parent_) {
    DebugError("MWinButton::SetPos", "Button has no parent");
    return;
  }
  const float* m = Metrics();
  const MWinArea& c = parent_->GetClientArea();
  if (w < 0) w = m[kMetDefaultWidth];
  if (h < 0) h = m[kMetDefaultHeight];
  w = std::max(std::min(std::max(w, 5.0f), c.w), 5.0f);
  h = std::max(std::min(std::max(h, 5.0f), c.h), 5.0f);
  w_ = w;
  h_ = h;
  SetPosXY(x, y);
}

void MWinButton::SetPosXY(float x, float y) {
  if (!parent_) {
    DebugError("MWinButton::SetPos", "Button has no parent");
    return;
  }
  if (kind_ != 0) {
    const MWinArea& c = parent_->GetClientArea();
    const float rx = x, ry = y;
    if (x < c.x) x = c.x;
    if (y < c.y) y = c.y;
    if (x + w_ > c.x + c.w) x = c.x + c.w - w_;
    if (y + h_ > c.y + c.h) y = c.y + c.h - h_;
    if (x < c.x || y < c.y || x + w_ > c.x + c.w || y + h_ > c.y + c.h) {
      DebugError("MWinButton::SetPos", "Invalid position [%.1f,%.1f]", rx, ry);
      return;
    }
  }
  x_ = x;
  y_ = y;
  ParentMoved();
}

void MWinButton::ParentMoved() {
  if (parent_) {
    absX_ = parent_->GetArea().x + x_;
    absY_ = parent_->GetArea().y + y_;
  }
  const float* m = Metrics();
  textInset_ = m[kMetTextInset];
  if (kind_ == MWIN_BUT_PUSH && (texButNum_ >= 0 || customTex_))
    textInset_ = w_ * m[kMetTexturedInset] + m[kMetTextInset];
  PositionUpdated();
}

void MWinButton::GetPos(float* x, float* y, float* w, float* h, bool relative) const {
  const bool rel = relative || !parent_;
  if (x) *x = rel ? x_ : absX_;
  if (y) *y = rel ? y_ : absY_;
  if (w) *w = w_;
  if (h) *h = h_;
}

void MWinButton::GetPosInt(int* x, int* y, int* w, int* h, bool relative) const {
  float fx, fy, fw, fh;
  GetPos(&fx, &fy, &fw, &fh, relative);
  if (x) *x = static_cast<int>(fx);
  if (y) *y = static_cast<int>(fy);
  if (w) *w = static_cast<int>(fw);
  if (h) *h = static_cast<int>(fh);
}

void MWinButton::GetArea(MWinArea* area, bool relative) const {
  if (area) GetPos(&area->x, &area->y, &area->w, &area->h, relative);
}

bool MWinButton::IsMouseOver() const {
  return MWinIsInArea(mw_->GetMouseX(), mw_->GetMouseY(), absX_, absY_, w_, h_);
}

// ---- Look ---------------------------------------------------------------------------

bool MWinButton::SetFont(const char* fontID) {
  bool ok = true;
  if (MWinIsIDEmpty(fontID)) {
    DebugError("MWinButton::SetFont", "Font id is empty");
    fontID = "MWIN_FONT_DEFAULT";
    ok = false;
  }
  if (MWinCompareIDs(fontID, "MWIN_FONT_DEFAULT")) {
    fontNum_ = kMWinFontDefault;
  } else if (MWinCompareIDs(fontID, "MWIN_FONT_NONE")) {
    fontNum_ = kMWinFontNone;
  } else {
    fontNum_ = mw_->GetFonts()->GetFontNumFromID(fontID);
    if (fontNum_ == kMWinFontNone) {
      DebugError("MWinButton::SetFont", "User font <%s> not found", fontID);
      fontID = "MWIN_FONT_DEFAULT";
      fontNum_ = kMWinFontDefault;
      ok = false;
    }
  }
  MWinCopyID(fontID_, fontID);
  if (kind_ == MWIN_BUT_SCRIPT) ScriptParseText();
  return ok;
}

bool MWinButton::SetTexBut(const char* texButID) {
  ReleaseCustomTexBut();
  customTex_ = 0;
  MWinTextures* t = mw_->GetTextures();
  if (MWinCompareIDs(texButID, "MWIN_TEXBUT_DEFAULT")) {
    int slot = 3;
    if (kind_ == 2 || kind_ == 5 || kind_ == 7 || kind_ == 8) slot = 4;
    else if (kind_ == 3 || kind_ == 9) slot = 10;
    texButNum_ = t->GetStandardTexButNum(slot);
    MWinCopyID(texButID_, texButID);
    if (valid_) ParentMoved();
    return true;
  }
  if (MWinIsIDEmpty(texButID) || MWinCompareIDs(texButID, "MWIN_TEXBUT_NONE")) {
    MWinCopyID(texButID_, "MWIN_TEXBUT_NONE");
    texButNum_ = -1;
    if (valid_) ParentMoved();
    return true;
  }
  if (!MWinCopyID(texButID_, texButID)) {
    texButNum_ = -1;
    return false;
  }
  texButNum_ = t->GetTexButNumFromID(texButID);
  if (valid_) ParentMoved();  // a push button's text inset follows its look
  return texButNum_ >= 0;
}

void MWinButton::ReleaseCustomTexBut() {
  for (MWinButtonTexButState& s : custom_) {
    if (s.owned) MWinEng()->TextureDelete(s.owned);
    s.owned = nullptr;
  }
}

bool MWinButton::SetCustomTexBut(int state, EngTexture* texture, int flag, float left, float top,
                                 float right, float bottom, float r, float g, float b, float a) {
  SetTexBut("MWIN_TEXBUT_NONE");
  for (MWinButtonTexButState& s : custom_) s = MWinButtonTexButState{};
  if (!texture) return true;
  if (state < 0 || state > 3) state = 0;
  MWinButtonTexButState& s = custom_[state];
  s.fileName[0] = '\0';
  s.borrowed = texture;
  s.flag = static_cast<std::uint8_t>(flag);
  s.rect[0] = left;
  s.rect[1] = top;
  s.rect[2] = right;
  s.rect[3] = bottom;
  s.colour[0] = r;
  s.colour[1] = g;
  s.colour[2] = b;
  s.colour[3] = a;
  customTex_ = 1;
  if (!CreateCustomTexBut()) {
    ReleaseCustomTexBut();
    customTex_ = 0;
    return false;
  }
  ParentMoved();
  return true;
}

bool MWinButton::SetCustomTexBut(int state, EngTexture* texture) {
  return SetCustomTexBut(state, texture, 0, 0, 0, 1, 1, 1, 1, 1, 1);
}

bool MWinButton::SetCustomTexButFile(int state, const char* fileName, int loadFlag1,
                                     int loadFlag2) {
  if (state < 0 || state > 3) state = 0;
  if (!fileName || std::strlen(fileName) >= sizeof(custom_[0].fileName)) return false;
  if (!customTex_) {
    SetTexBut("MWIN_TEXBUT_NONE");
    for (MWinButtonTexButState& s : custom_) s = MWinButtonTexButState{};
  }
  MWinButtonTexButState& s = custom_[state];
  std::strcpy(s.fileName, fileName);
  s.loadFlag1 = static_cast<std::uint8_t>(loadFlag1);
  s.loadFlag2 = static_cast<std::uint8_t>(loadFlag2);
  customTex_ = 1;
  ParentMoved();
  return true;
}

bool MWinButton::CreateCustomTexBut() {
  MWinEngBackEnd* eng = MWinEng();
  for (int i = 0; i < 4; ++i) {
    MWinButtonTexButState& s = custom_[i];
    if (!s.fileName[0]) continue;
    if (!s.owned) s.owned = eng->TextureNew();
    if (!s.owned) {
      DebugError("MWinButton::CreateCustomTexBut", "No memory");
      return false;
    }
    if (!eng->TextureLoad(s.owned, s.fileName, s.loadFlag1, s.loadFlag2, mw_->GetDatKind())) {
      DebugError("MWinButton::CreateCustomTexBut", "Could not load custom texture state %d <%s>", i,
                 s.fileName);
      customTex_ = 0;
      eng->TextureDelete(s.owned);
      s.owned = nullptr;
      return false;
    }
  }
  return true;
}

void MWinButton::SetAlpha(float alpha) {
  if (alpha != 1.0f || tintOn_) {
    tintOn_ = 1;
    tint_[3] = alpha;
  }
}

void MWinButton::SetTint(bool on, float r, float g, float b, float a) {
  tintOn_ = on ? 1 : 0;
  tint_[0] = r;
  tint_[1] = g;
  tint_[2] = b;
  tint_[3] = a;
}

bool MWinButton::SetEscapeButtonForParentWindow() {
  if (!parent_) {
    DebugError("MWinButton::SetEscapeButtonForParentWindow", "No parent");
    return false;
  }
  parent_->SetEscapeButton(this);
  return true;
}

bool MWinButton::SetDefaultButtonForParentWindow() {
  if (!parent_) {
    DebugError("MWinButton::SetDefaultButtonForParentWindow", "No parent");
    return false;
  }
  parent_->SetDefaultButton(this);
  return true;
}

void MWinButton::Hide() {
  if (highlighted_) Deactivate();
  visible_ = 0;
}

int MWinButton::GetDrawState() const {
  if (forcedState_ >= 0) return forcedState_;
  if (!enabled_) return 3;
  if (pressed_) return 2;
  if (highlighted_) return 1;
  return 0;
}

// ---- Callbacks and binding ------------------------------------------------------------

void MWinButton::SetCallback(MWinCallback callback, std::uint32_t user1, std::uint32_t user2) {
  callback_ = callback;
  user1_ = user1;
  user2_ = user2;
  simpleCallback_ = nullptr;
  callbackSet_ = 1;
}

void MWinButton::SetSimpleCallback(MWinSimpleCallback callback) {
  simpleCallback_ = callback;
  callback_ = nullptr;
  user1_ = user2_ = 0;
  callbackSet_ = 1;
}

void MWinButton::FillCallbackRecord(MWinCallbackRecord* record) {
  std::memset(record, 0, sizeof(*record));
  MWinCopyID(record->buttonID, id_);
  if (parent_) MWinCopyID(record->windowID, parent_->GetID());
  record->button = this;
}

bool MWinButton::CallCallback(MWinCallbackRecord* record) {
  if (callback_) {
    MWinCallbackRecord fresh;
    if (!record) {
      FillCallbackRecord(&fresh);
      record = &fresh;
    }
    callback_(record, user1_, user2_);
    return true;
  }
  if (simpleCallback_) {
    simpleCallback_();
    return true;
  }
  return false;
}

bool MWinButton::RegisterIntVariable(int* variable, int multiplier) {
  if (!variable) {
    varKind_ = MWIN_VAR_NONE;
    varInt_ = nullptr;
    return true;
  }
  if (multiplier == 0) {
    DebugError("MWinButton::RegisterIntVariable", "ID: %s - 0 val passed as mult", id_);
    return false;
  }
  varKind_ = MWIN_VAR_INT;
  varInt_ = variable;
  varIntMult_ = multiplier;
  return true;
}

bool MWinButton::RegisterCharVariable(signed char* variable) {
  varKind_ = variable ? MWIN_VAR_CHAR : MWIN_VAR_NONE;
  varChar_ = variable;
  return true;
}

bool MWinButton::RegisterFloatVariable(float* variable, float multiplier) {
  if (!variable) {
    varKind_ = MWIN_VAR_NONE;
    varFloat_ = nullptr;
    return true;
  }
  // A multiplier of 0 would write inf into the variable (and saved options).
  if (multiplier == 0.0f) {
    DebugError("MWinButton::RegisterFloatVariable", "ID: %s - 0 val passed as mult", id_);
    return false;
  }
  varKind_ = MWIN_VAR_FLOAT;
  varFloat_ = variable;
  varFloatMult_ = multiplier;
  return true;
}

bool MWinButton::RegisterColourVariable(float* rgb) {
  varKind_ = rgb ? MWIN_VAR_COLOUR : MWIN_VAR_NONE;
  varColour_ = rgb;
  return true;
}

void MWinButton::WriteBoundIndex(int value) {
  if (varKind_ == MWIN_VAR_CHAR && varChar_) *varChar_ = static_cast<signed char>(value);
  else if (varKind_ == MWIN_VAR_INT && varInt_) *varInt_ = value;
}

// ---- Drawing ------------------------------------------------------------------------

void MWinButton::DrawLook(int state, float x, float y, float w, float h) {
  const float* tint = tintOn_ ? tint_ : nullptr;
  if (customTex_) {
    const MWinButtonTexButState* s = &custom_[state < 0 || state > 3 ? 0 : state];
    if (!s->borrowed && !s->fileName[0]) s = &custom_[0];
    float c[4];
    for (int i = 0; i < 4; ++i) c[i] = s->colour[i] * (tint ? tint[i] : 1.0f);
    MWinEngBackEnd* eng = MWinEng();
    if (s->fileName[0] && s->owned) {
      const float colours[4][4] = {{c[0], c[1], c[2], c[3]}, {c[0], c[1], c[2], c[3]},
                                   {c[0], c[1], c[2], c[3]}, {c[0], c[1], c[2], c[3]}};
      eng->TextureDraw(s->owned, x, y, w, h, s->rect, colours);
    } else if (s->borrowed) {
      eng->EngTextureDraw(s->borrowed, x, y, w, h, s->rect, c);
    }
    return;
  }
  if (texButNum_ >= 0) mw_->GetTextures()->DrawTexBut(texButNum_, state, x, y, w, h, tint);
}

void MWinButton::PrepareFont(EngFont* font) {
  const float* m = Metrics();
  float sx = textScale_[0], sy = textScale_[1];
  if (m[kMetFontScaleX] > 0 && m[kMetFontScaleY] > 0) {
    sx *= m[kMetFontScaleX];
    sy *= m[kMetFontScaleY];
  }
  MWinEngBackEnd* eng = MWinEng();
  eng->FontSetRatio(font, sx, sy);
  float c[4] = {textColour_[0], textColour_[1], textColour_[2], textColour_[3]};
  if (tintOn_)
    for (int i = 0; i < 4; ++i) c[i] *= tint_[i];
  eng->FontSetColour(font, c[0], c[1], c[2], c[3]);
}

MWinButton::PreparedFont::PreparedFont(MWinButton* button)
    : font_(button->mw_->GetFonts()->GetFont(button->fontNum_)) {
  if (!font_) return;
  MWinEng()->FontGetRatio(font_, &oldX_, &oldY_);
  button->PrepareFont(font_);
}

MWinButton::PreparedFont::~PreparedFont() {
  if (font_) MWinEng()->FontSetRatio(font_, oldX_, oldY_);
}

void MWinButton::DrawTexts() {
  const PreparedFont prepared(this);
  EngFont* font = prepared.get();
  if (!font) return;
  MWinEngBackEnd* eng = MWinEng();
  const float* m = Metrics();
  float d = m[kMetHalfLineSpacing] * textScale_[1];
  if (m[kMetFontScaleY] > 0) d *= m[kMetFontScaleY];
  const char* line1 = nullptr;
  const char* line2 = nullptr;
  if (tokenOn_) {
    line1 = eng->LanguageString(token_, 0);
    if (tokenSubTexts_ >= 2) line2 = eng->LanguageString(token_, 1);
  } else {
    line1 = texts_[0];
    if (texts_[1] && texts_[1][0]) line2 = texts_[1];
  }
  if (line2) {
    mw_->DrawText(fontNum_, align_, textInset_, absX_, absY_ - d, w_, h_, nullptr, line1, true,
                  fit_ != 0);
    mw_->DrawText(fontNum_, align_, textInset_, absX_, absY_ + d, w_, h_, nullptr, line2, true,
                  fit_ != 0);
  } else {
    mw_->DrawText(fontNum_, align_, textInset_, absX_, absY_, w_, h_, nullptr, line1, true,
                  fit_ != 0);
  }
}

void MWinButton::RangeDraw(int state) {
  MWinTextures* t = mw_->GetTextures();
  const float* m = Metrics();
  const float* tint = tintOn_ ? tint_ : nullptr;
  const float tw = m[kMetRangeThumbW], th = m[kMetRangeThumbH];
  t->DrawTexBut(t->GetStandardTexButNum(9), state, absX_, absY_ + h_ / 2 - th / 4, w_, th / 2,
                tint);
  const float low = 0.25f, high = 0.75f;
  t->DrawTexBut(t->GetStandardTexButNum(5), state, absX_ + low * (w_ - tw), absY_ + h_ / 2 - th / 2,
                tw, th, tint);
  t->DrawTexBut(t->GetStandardTexButNum(6), state, absX_ + high * (w_ - tw),
                absY_ + h_ / 2 - th / 2, tw, th, tint);
}

void MWinButton::LookBorders(float* x, float* y) const {
  *x = *y = 0;
  if (texButNum_ < 0 && !customTex_) return;
  // A sliced look keeps its frame in its borders; a look drawn whole is
  // kept off by the script text's margins.
  const float* m = Metrics();
  *x = m[kMetScriptMarginX];
  *y = m[kMetScriptMarginY];
  const MWinTexBut* look = texButNum_ >= 0 ? mw_->GetTextures()->GetTexBut(texButNum_) : nullptr;
  if (look && look->modeH > 1) *x = look->borderH;
  if (look && look->modeV > 1) *y = look->borderV;
}

void MWinButton::Draw() {
  if (!valid_ || !visible_) return;
  if (tintOn_ && tint_[3] == 0.0f) return;
  const int s = GetDrawState();
  switch (kind_) {
    case MWIN_BUT_LIST:
      ListDrawClosed(s);
      break;
    case MWIN_BUT_CHOICE:
      ChoiceDraw();
      ChoiceBoxesDrawTexts();
      break;
    case MWIN_BUT_PANEL:
      PanelDraw();
      break;
    case MWIN_BUT_SCRIPT:
      ScriptDrawBackground(s);
      ScriptDraw();
      break;
    case MWIN_BUT_COLOUR:
      ColourDraw(s);
      break;
    default:
      DrawLook(s, absX_, absY_, w_, h_);
      if (kind_ == MWIN_BUT_CHECKBOX) CheckboxDraw(s);
      if (kind_ == MWIN_BUT_PICTURE) {
        PictureDrawPie();
        PictureDrawTexture();
      }
      if (kind_ == MWIN_BUT_RANGE) RangeDraw(s);
      if (kind_ == MWIN_BUT_TEXTEDIT) TextEditDraw();
      else if (multiline_) {
        // Wrapped text takes the button's colour and scale as one line does.
        PreparedFont prepared(this);
        float borderX = 0, borderY = 0;
        LookBorders(&borderX, &borderY);
        mw_->DrawMultilineText(fontNum_, align_, textInset_ + borderX, absX_, absY_ + borderY, w_,
                               h_ - 2 * borderY, nullptr, texts_[0], true);
      }
      else
        DrawTexts();
      break;
  }
  if (drawHook_) {
    MWinArea a = {absX_, absY_, w_, h_};
    drawHook_(this, &a, s);
  }
}

bool MWinButton::CreateGraphicsObjects() {
  bool ok = true;
  if (customTex_ && !CreateCustomTexBut()) ok = false;
  if (kind_ == MWIN_BUT_PICTURE && !MWinEng()->HasDevice()) ok = false;
  ParentMoved();
  return ok;
}

void MWinButton::DestroyGraphicsObjects() {
  ReleaseCustomTexBut();
  if (kind_ == MWIN_BUT_PICTURE) PictureDestroyPie();
}

void MWinButton::PositionUpdated() {
  switch (kind_) {
    case MWIN_BUT_PANEL:
      PanelLayout();
      break;
    case MWIN_BUT_PICTURE:
      PictureBuildPie();
      break;
    case MWIN_BUT_SCRIPT:
      ScriptParseText();
      break;
    default:
      break;
  }
}

// ---- Input dispatch ---------------------------------------------------------------------

bool MWinButton::BaseReady() const {
  return IsInputReady() && highlighted_ && enabled_ && visible_;
}

bool MWinButton::PushPress(int pressed) {
  if (capture_ && !pressed) {
    capture_ = 0;
    return false;
  }
  if (pressed) {
    pressed_ = 1;
    return true;
  }
  if (!pressed_) return true;
  pressed_ = 0;
  if (kind_ == MWIN_BUT_TEXTEDIT) {
    if (te_.editActive) TextEditTurnOffEditing(0);
    else TextEditStartEditing();
    return true;
  }
  if (callbackSet_) mw_->CallButtonHook(0);
  CallCallback(nullptr);
  return true;
}

bool MWinButton::ButtonPressed(int button, int pressed) {
  if (!IsInputReady()) return false;
  if (!(highlighted_ && enabled_ && visible_)) {
    pressed_ = 0;
    capture_ = 0;
    return false;
  }
  if (button != 0) return false;
  switch (kind_) {
    case MWIN_BUT_LIST:
      return ListPress(pressed);
    case MWIN_BUT_CHECKBOX:
      return CheckboxPress(pressed);
    case MWIN_BUT_CHOICE:
      return pressed ? ChoiceHandleMousePress() : false;
    case MWIN_BUT_PANEL:
      return PanelPress(pressed);
    case MWIN_BUT_COLOUR:
      return ColourPress(pressed);
    case MWIN_BUT_SCRIPT:
      return ScriptPress(pressed);
    case MWIN_BUT_NONE:
    case MWIN_BUT_PUSH:
    case MWIN_BUT_TEXTEDIT:
      return PushPress(pressed);
    default:
      return false;
  }
}

bool MWinButton::ButtonDoubleClicked(int button) {
  if (!BaseReady() || button != 0) return false;
  if (kind_ == MWIN_BUT_PANEL) {
    PanelLayout();
    PanelSetPos(panel_.selected, 2, 2);
    return true;
  }
  return false;
}

void MWinButton::CancelPress() {
  if (!IsInputReady()) return;
  if (kind_ == MWIN_BUT_COLOUR) ColourEndDrag();
  pressed_ = 0;
  capture_ = 0;
}

bool MWinButton::MouseMove() {
  if (!IsInputReady() || !visible_) return false;
  if (MWinEng()->ConsumeReleasedOutside()) CancelPress();
  if (capture_) {
    switch (kind_) {
      case MWIN_BUT_PANEL:
        return PanelDrag();
      case MWIN_BUT_COLOUR:
        return ColourDrag();
      case MWIN_BUT_SCRIPT:
        return ScriptDrag();
      default:
        capture_ = 0;
        return false;
    }
  }
  if (kind_ == MWIN_BUT_LIST && list_.open) return ListMouseMove();
  return false;
}

bool MWinButton::MouseWheelMoved(int steps) {
  if (!IsInputReady() || !highlighted_ || !visible_) return false;
  if (kind_ == MWIN_BUT_PANEL) return PanelWheel(steps);
  if (kind_ == MWIN_BUT_SCRIPT) {
    const int n = steps < 0 ? -steps : steps;
    for (int i = 0; i < n; ++i) ScriptKeyDown(steps < 1 ? 40 : 38);
    return true;
  }
  return false;
}

bool MWinButton::KeyDown(int key) {
  if (!IsInputReady() || !highlighted_ || !visible_) return false;
  MWinWindow* parent = parent_;
  bool taken = false;
  switch (kind_) {
    case MWIN_BUT_PUSH:
      if (key == kMWinKeyEnter || key == kMWinKeySpace) CallCallback(nullptr);
      break;
    case MWIN_BUT_TEXTEDIT:
      taken = TextEditHandleKeyDown(key);
      break;
    case MWIN_BUT_LIST:
      taken = ListKeyDown(key);
      break;
    case MWIN_BUT_PANEL:
      taken = PanelKeyDown(key);
      break;
    case MWIN_BUT_SCRIPT:
      taken = ScriptKeyDown(key);
      break;
    default:
      break;
  }
  // A callback that removed this button or its window ends the key here.
  if (parent_ != parent || (parent && !parent->GetCollection())) return true;
  if (taken) return true;
  return keyHook_ ? keyHook_(key) : false;
}

bool MWinButton::KeyDownChar(int character) {
  if (kind_ != MWIN_BUT_TEXTEDIT || !IsInputReady() || !highlighted_ || !visible_) return false;
  return TextEditHandleKeyDownUChar(character);
}

bool MWinButton::KeyUp(int /*key*/) { return false; }

bool MWinButton::IsCapturingInput() {
  if (!IsInputReady() || !highlighted_) return false;
  switch (kind_) {
    case MWIN_BUT_TEXTEDIT:
      return editing_ != 0;
    case MWIN_BUT_LIST:
      return list_.open != 0;
    case MWIN_BUT_PANEL:
    case MWIN_BUT_COLOUR:
    case MWIN_BUT_SCRIPT:
      return capture_ != 0;
    default:
      return false;
  }
}

void MWinButton::Activate() { highlighted_ = 1; }

void MWinButton::Deactivate() {
  if (kind_ == MWIN_BUT_TEXTEDIT && editing_) TextEditTurnOffEditing(0);
  if (kind_ == MWIN_BUT_LIST && list_.open) ListClose(false, true);
  if (kind_ == MWIN_BUT_PANEL) capture_ = 0;
  if (kind_ == MWIN_BUT_COLOUR) ColourEndDrag();
  capture_ = 0;
  highlighted_ = 0;
}

bool MWinButton::Tick() {
  if (!IsInputReady() || !enabled_ || !visible_) return false;
  if (kind_ == MWIN_BUT_TEXTEDIT) return TextEditTick();
  if (kind_ == MWIN_BUT_LIST && list_.open) return ListTick();
  return false;
}

bool MWinButton::CanTakeFocus() const {
  return enabled_ && visible_ && (kind_ != MWIN_BUT_PUSH || callbackSet_);
}
