// MWinTextEdit.cpp - the text-entry kind: a private edit buffer with a
// blinking cursor while editing, copied back to the button's text, the bound
// variable and the callback when editing ends.
//
// States: idle <-> editing.
//   idle -> editing     Enter, a completed click, the popup's text dialog
//   editing -> idle     Enter (code 1); Escape, a completed click, losing the
//                       highlight, a press routed to another button (code 0)
// While editing the whole text may be selected (the popup opens so on its
// old text): a character typed then replaces it, Backspace and Delete
// empty it, an arrow key drops the selection.
// The text is CP1252. A character it cannot hold (the platform passes its
// code point, above 255) is refused: nothing is inserted and for a moment
// the box says why in place of its text.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include "Engine/Debug.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinDesktop.h"
#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinKeys.h"
#include "Engine/MWin/MWinManager.h"
#include "Engine/MWin/MWinWindow.h"

namespace {
constexpr int kMaxEditLength = 511;
// How long the box shows why a character was refused.
constexpr unsigned kRefusalShownMs = 2500;
// The selection band behind selected text (RGBA).
constexpr float kSelectionColour[4] = {0.15f, 0.3f, 0.75f, 0.85f};
// The last cursor toggle of any text entry.
unsigned g_lastBlink = 0;

// What the box shows after a refused character: the language's text, or
// English before any language is loaded.
const char* RefusalNote(MWinEngBackEnd* eng) {
  int subTexts = 0;
  if (eng->LanguagesLoaded() && eng->LanguageTokenNum("TextEdit_CharacterRefused", &subTexts) >= 0) {
    const char* text = eng->LanguageString("TextEdit_CharacterRefused", 0);
    if (text && text[0]) return text;
  }
  return "Only Western European letters can be typed";
}
}  // namespace

void MWinButton::TextEditSetLength(int length) {
  if (length > kMaxEditLength) {
    DebugError("MWinButton::TextEditSetLength", "Length too long: %d", length);
    length = kMaxEditLength;
  }
  if (te_.buffer && length > te_.maxLength) {
    // Editing goes on in a buffer that must hold the new length.
    char* bigger = new (std::nothrow) char[length + 3];
    if (!bigger) {
      DebugError("MWinButton::TextEditSetLength", "No memory");
      return;
    }
    std::memset(bigger, 0, length + 3);
    std::strcpy(bigger, te_.buffer);
    delete[] te_.buffer;
    te_.buffer = bigger;
  }
  te_.maxLength = length;
  inputReady_ = 1;
}

void MWinButton::TextEditSetText(const char* text) {
  if (!text) text = "";
  const int max = te_.maxLength < 0 ? 0 : te_.maxLength;
  int length = static_cast<int>(std::strlen(text));
  if (length > max) length = max;
  char* copy = new char[length + 1];
  std::memcpy(copy, text, length);
  copy[length] = '\0';
  if (te_.cursor > max - 1) te_.cursor = max - 1;
  if (te_.cursor < 0) te_.cursor = 0;
  SetText(copy);
  delete[] copy;
}

void MWinButton::TextEditRegisterText(char* buffer, int size) {
  if (!buffer || size < 1) return;
  varKind_ = MWIN_VAR_TEXT;
  varText_ = buffer;
  te_.registeredSize = size;
  TextEditSetLength(size - 1);
  // The buffer may not be terminated within its size: read at most size - 1.
  char* copy = new char[size];
  std::memcpy(copy, buffer, size - 1);
  copy[size - 1] = '\0';
  TextEditSetText(copy);
  delete[] copy;
}

int MWinButton::TextEditGetNumber() {
  const char* text = nullptr;
  if (editing_) {
    if (!te_.buffer) {
      DebugError("MWinButton::TextEditGetNumber", "No text");
      return 0;
    }
    text = te_.buffer;
  } else {
    text = texts_[0];
  }
  if (!text) return 0;
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text) return 0;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

bool MWinButton::TextEditAllocText() {
  if (te_.maxLength < 1) {
    DebugError("MWinButton::TextEditAllocText", "Length not set");
    return false;
  }
  delete[] te_.buffer;
  te_.buffer = new (std::nothrow) char[te_.maxLength + 3];
  if (!te_.buffer) {
    DebugError("MWinButton::TextEditAllocText", "No memory");
    return false;
  }
  std::memset(te_.buffer, 0, te_.maxLength + 3);
  return true;
}

bool MWinButton::TextEditStartEditing() {
  te_.editActive = 1;
  if (!TextEditAllocText()) {
    te_.editActive = 0;
    return false;
  }
  if (texts_[0] && textLengths_[0] < te_.maxLength) std::strcpy(te_.buffer, texts_[0]);
  te_.cursor = static_cast<int>(std::strlen(te_.buffer));
  te_.allSelected = 0;
  te_.refusalShown = 0;
  editing_ = 1;
  if (parent_) {
    if (MWinCollection* c = parent_->GetCollection()) c->Activate();
    parent_->SetActive(true);
  }
  Activate();
  return true;
}

void MWinButton::TextEditSelectAll() {
  if (!editing_ || !te_.buffer) return;
  te_.allSelected = te_.buffer[0] ? 1 : 0;
  te_.cursor = static_cast<int>(std::strlen(te_.buffer));
}

void MWinButton::TextEditCopyBack() {
  if (varKind_ == MWIN_VAR_TEXT && varText_ && te_.registeredSize > 0) {
    // Never more than the caller registered, whatever the length became.
    std::strncpy(varText_, te_.buffer, te_.registeredSize - 1);
    varText_[te_.registeredSize - 1] = '\0';
  } else if (varKind_ == MWIN_VAR_INT && varInt_) {
    *varInt_ = TextEditGetNumber();
  }
}

void MWinButton::TextEditTurnOffEditing(int endCode) {
  if (!te_.buffer) {
    DebugError("MWinButton::TextEditTurnOffEditing", "No text");
    return;
  }
  if (te_.maxLength >= 0) te_.buffer[te_.maxLength] = '\0';
  // The number is read while editing is still on (from the buffer).
  TextEditCopyBack();
  SetText(te_.buffer);
  te_.editActive = 0;
  te_.cursorShown = 0;
  te_.allSelected = 0;
  te_.refusalShown = 0;
  pressed_ = 0;
  editing_ = 0;
  CallCallbackWith([&](MWinCallbackRecord& r) { r.textEditEnter = endCode; });
}

void MWinButton::TextEditUpdateCursor() {
  if (!editing_) return;
  if (!te_.buffer) {
    DebugError("MWinButton::TextEditUpdateCursor", "No text");
    return;
  }
  SetText(te_.buffer);
}

bool MWinButton::TextEditHandleKeyDown(int key) {
  if (!editing_) {
    if (key == kMWinKeyEnter) {
      TextEditStartEditing();
      return true;
    }
    return false;
  }
  if (!te_.buffer) {
    DebugError("MWinButton::TextEditHandleKeyDown", "No text");
    return false;
  }
  if (te_.allSelected) {
    switch (key) {
      case kMWinKeyBackspace:
      case kMWinKeyDelete:
        te_.buffer[0] = '\0';
        te_.cursor = 0;
        te_.allSelected = 0;
        TextEditUpdateCursor();
        mw_->CallButtonHook(3);
        return true;
      case kMWinKeyLeft:
      case kMWinKeyRight:
      case kMWinKeyUp:
      case kMWinKeyDown:
        // The cursor goes to the side of the selection the arrow points to.
        te_.allSelected = 0;
        te_.cursor = key == kMWinKeyLeft ? 0 : static_cast<int>(std::strlen(te_.buffer));
        TextEditUpdateCursor();
        mw_->CallButtonHook(3);
        return true;
      default:
        break;
    }
  }
  const int length = static_cast<int>(std::strlen(te_.buffer));
  switch (key) {
    case kMWinKeyEscape:
      TextEditTurnOffEditing(0);
      return true;
    case kMWinKeyEnter:
      TextEditTurnOffEditing(1);
      return true;
    case kMWinKeyLeft:
      if (te_.cursor >= 1) --te_.cursor;
      TextEditUpdateCursor();
      mw_->CallButtonHook(3);
      return true;
    case kMWinKeyRight:
      if (te_.cursor < length) ++te_.cursor;
      TextEditUpdateCursor();
      mw_->CallButtonHook(3);
      return true;
    case kMWinKeyBackspace:
      if (te_.cursor >= 1) {
        std::memmove(te_.buffer + te_.cursor - 1, te_.buffer + te_.cursor, length - te_.cursor + 1);
        --te_.cursor;
        TextEditUpdateCursor();
        mw_->CallButtonHook(3);
      }
      return true;
    case kMWinKeyDelete:
      if (te_.cursor < length) {
        std::memmove(te_.buffer + te_.cursor, te_.buffer + te_.cursor + 1, length - te_.cursor);
        TextEditUpdateCursor();
        mw_->CallButtonHook(3);
      }
      return true;
    case kMWinKeyUp:
    case kMWinKeyDown:
      return true;
    default:
      return false;
  }
}

bool MWinButton::TextEditHandleKeyDownUChar(int character) {
  if (!editing_) return false;
  if (!te_.buffer) {
    DebugError("MWinButton::TextEditHandleKeyDownUChar", "No text");
    return false;
  }
  if (te_.maxLength < 1) {
    DebugError("MWinButton::TextEditHandleKeyDownUChar", "No text length");
    return false;
  }
  // Control characters (8, 13 and 27 arrive as keys) never enter the text:
  // a 0 byte would end it early.
  if (character < 32) return false;
  mw_->CallButtonHook(3);
  if (character > 255) {
    // A character the text cannot hold: never dropped without a word.
    te_.refusalShown = 1;
    te_.refusedAtMs = MWinEng()->TimeMs();
    MWinEng()->RequestFrame();
    return true;
  }
  const unsigned char c = static_cast<unsigned char>(character);
  if (te_.allSelected) {
    te_.buffer[0] = '\0';
    te_.cursor = 0;
    te_.allSelected = 0;
  }
  const int length = static_cast<int>(std::strlen(te_.buffer));
  if (length >= te_.maxLength) return true;
  if (te_.cursor > length) te_.cursor = length;
  std::memmove(te_.buffer + te_.cursor + 1, te_.buffer + te_.cursor, length - te_.cursor + 1);
  te_.buffer[te_.cursor] = static_cast<char>(c);
  if (te_.cursor < length + 1) ++te_.cursor;
  TextEditUpdateCursor();
  return true;
}

bool MWinButton::TextEditTick() {
  if (!te_.editActive) {
    if (te_.cursorShown) te_.cursorShown = 0;
    return false;
  }
  pressed_ = 1;
  MWinEngBackEnd* eng = MWinEng();
  if (te_.refusalShown) {
    if (eng->TimeMs() - te_.refusedAtMs >= kRefusalShownMs) {
      te_.refusalShown = 0;
      eng->RequestFrame();
    } else {
      eng->WakeAtMs(te_.refusedAtMs + kRefusalShownMs);
    }
  }
  if (eng->HasDevice()) {
    const unsigned now = eng->TimeMs();
    if (now - g_lastBlink >= 300) {
      te_.cursorShown = te_.cursorShown ? 0 : 1;
      TextEditUpdateCursor();
      g_lastBlink = now;
      eng->RequestFrame();
    }
    eng->WakeAtMs(g_lastBlink + 300);
  }
  return true;
}

void MWinButton::TextEditDrawRefusal() {
  const PreparedFont prepared(this);
  if (!prepared.get()) return;
  mw_->DrawText(fontNum_, align_, textInset_, absX_, absY_, w_, h_, nullptr, RefusalNote(MWinEng()), true,
                true);
}

void MWinButton::TextEditDrawSelection() {
  if (!HasText(0)) return;
  const PreparedFont prepared(this);
  EngFont* font = prepared.get();
  if (!font) return;
  MWinEngBackEnd* eng = MWinEng();
  // Where the text lies, as MWin::DrawText places (and squeezes) it.
  float width = eng->FontStringWidth(font, texts_[0]);
  const float room = mw_->FittedTextRoom(textInset_, w_);
  if (fit_ && room > 0 && width > room) width = room;
  float x0 = absX_ + textInset_;
  if (align_ == 1) x0 = absX_ + (w_ - width) / 2;
  if (align_ != 0 && align_ != 1) x0 = absX_ + w_ - textInset_ - width;
  const float x1 = x0 + width, y0 = absY_ + h_ * 0.15f, y1 = absY_ + h_ * 0.85f;
  MWinEngTriList* band = eng->TriListCreate(2);
  if (!band) return;
  const float a[6] = {x0, y0, x1, y0, x0, y1};
  const float b[6] = {x1, y0, x1, y1, x0, y1};
  eng->TriListSet(band, 0, a, kSelectionColour);
  eng->TriListSet(band, 1, b, kSelectionColour);
  eng->TriListDraw(band, 0, 0);
  eng->TriListDestroy(band);
}

void MWinButton::TextEditDraw() {
  if (editing_ && te_.refusalShown) {
    TextEditDrawRefusal();
    return;
  }
  if (editing_ && te_.allSelected) TextEditDrawSelection();
  if (!editing_ || !te_.cursorShown) {
    DrawTexts();
    return;
  }
  EngFont* font = mw_->GetFonts()->GetFont(fontNum_);
  if (!font) return;
  MWinEngBackEnd* eng = MWinEng();
  eng->FontTrackCharPos(te_.cursor);
  if (HasText(0)) {
    DrawTexts();
  } else {
    float oldX = 1, oldY = 1;
    eng->FontGetRatio(font, &oldX, &oldY);
    PrepareFont(font);
    mw_->DrawText(fontNum_, align_, textInset_, absX_, absY_, w_, h_, nullptr, " ", true, false);
    eng->FontSetRatio(font, oldX, oldY);
  }
  const float x = eng->FontTrackCharPos(-1);
  const float* m = Metrics();
  float oldX = 1, oldY = 1;
  eng->FontGetRatio(font, &oldX, &oldY);
  if (m[kMetFontScaleX] > 0 && m[kMetFontScaleY] > 0)
    eng->FontSetRatio(font, textScale_[0] * m[kMetFontScaleX],
                      1.5f * textScale_[1] * m[kMetFontScaleY]);
  else
    eng->FontSetRatio(font, textScale_[0], textScale_[1]);
  eng->FontSetColour(font, textColour_[0], textColour_[1], textColour_[2], textColour_[3] * 0.6f);
  eng->FontDrawAligned(font, x, absY_ + h_ / 2, 1, 1, "I", true);
  eng->FontSetColour(font, textColour_[0], textColour_[1], textColour_[2], textColour_[3]);
  eng->FontSetRatio(font, oldX, oldY);
  eng->RequestRedraw();
}
