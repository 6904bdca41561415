// MWinTextEdit.cpp - the text-entry kind: a private edit buffer with a
// blinking cursor while editing, copied back to the button's text, the bound
// variable and the callback when editing ends.
//
// States: idle <-> editing.
//   idle -> editing     Enter, a completed click, the popup's text dialog
//   editing -> idle     Enter (code 1); Escape, a completed click, losing the
//                       highlight, a press routed to another button (code 0)
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
// The last cursor toggle of any text entry.
unsigned g_lastBlink = 0;
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
  editing_ = 1;
  if (parent_) {
    if (MWinCollection* c = parent_->GetCollection()) c->Activate();
    parent_->SetActive(true);
  }
  Activate();
  return true;
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
  const unsigned char c = static_cast<unsigned char>(character);
  if (c < 32 || character > 255 || character < 0) return false;
  mw_->CallButtonHook(3);
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

void MWinButton::TextEditDraw() {
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
