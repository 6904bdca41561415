// MWinButtonText.cpp - a button's two texts, its language token and text
// measuring.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "Engine/Debug.h"
#include "Engine/MWin/MWinButton.h"
#include "Engine/MWin/MWinEng.h"
#include "Engine/MWin/MWinFonts.h"
#include "Engine/MWin/MWinManager.h"

namespace {
char g_formatBuffer[511];
}

bool MWinButton::AllocAndSetText(int num, const char* text) {
  if (num < 0 || num > 1) {
    DebugError("MWinButton::AllocAndSetText", "Invalid text num");
    return false;
  }
  FreeText(num);
  if (!text || !text[0]) return true;
  const std::size_t length = std::strlen(text);
  if (length >= 512) DebugError("MWinButton::AllocAndSetText", "String too long");
  char* copy = new (std::nothrow) char[length + 1];
  if (!copy) {
    DebugError("MWinButton::AllocAndSetText", "No memory");
    textLengths_[num] = 0;
    return false;
  }
  std::memcpy(copy, text, length + 1);
  texts_[num] = copy;
  textLengths_[num] = static_cast<int>(length);
  ++textAllocCount_;
  return true;
}

void MWinButton::FreeText(int num) {
  if (num < 0 || num > 1 || !texts_[num]) return;
  delete[] texts_[num];
  texts_[num] = nullptr;
  textLengths_[num] = 0;
  --textAllocCount_;
}

void MWinButton::FreeTexts() {
  FreeText(0);
  FreeText(1);
}

bool MWinButton::SetText(const char* text) {
  // A text the button does not show yet asks for a frame: a screen may set
  // it in its tick, when no input brings a frame that would show it.
  const char* shown = texts_[0] ? texts_[0] : "";
  if (tokenOn_ || std::strcmp(shown, text ? text : "") != 0) MWinEng()->RequestFrame();
  tokenOn_ = 0;
  return AllocAndSetText(0, text);
}

bool MWinButton::SetTextFormatted(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(g_formatBuffer, sizeof(g_formatBuffer), format, args);
  va_end(args);
  return SetText(g_formatBuffer);
}

bool MWinButton::HasText(int num) const {
  if (num < 0 || num > 1) {
    DebugError("MWinButton::HasText", "Invalid text number %d", num);
    return false;
  }
  return texts_[num] && texts_[num][0];
}

const char* MWinButton::GetTextP(int num) const {
  if (num < 0 || num > 1) return nullptr;
  if (!texts_[num]) {
    DebugError("MWinButton::GetTextP", num == 0 ? "No text present. Ensure call HasText() first."
                                                : "No text present. Ensure call HasText2() first.");
    return nullptr;
  }
  return texts_[num];
}

bool MWinButton::SetTextLanguageToken(const char* token) {
  if (!token || !token[0] || std::strlen(token) >= sizeof(token_)) {
    tokenOn_ = 0;
    token_[0] = '\0';
    tokenIndex_ = -1;
    tokenSubTexts_ = 0;
    return token == nullptr || !token[0];
  }
  if (!tokenOn_ || std::strcmp(token_, token) != 0) MWinEng()->RequestFrame();  // as SetText
  std::strcpy(token_, token);
  tokenIndex_ = MWinEng()->LanguageTokenNum(token_, &tokenSubTexts_);
  tokenOn_ = 1;
  return true;
}

void MWinButton::UpdateLanguageToken() {
  if (!token_[0]) return;
  tokenIndex_ = MWinEng()->LanguageTokenNum(token_, &tokenSubTexts_);
  if (kind_ == MWIN_BUT_LIST && list_.languageList) ListSetPos(list_.selected, false);
}

void MWinButton::SetTextColour(float r, float g, float b, float a) {
  if (r >= 0) textColour_[0] = r;
  if (g >= 0) textColour_[1] = g;
  if (b >= 0) textColour_[2] = b;
  if (a >= 0) textColour_[3] = a;
}

void MWinButton::GetTextScale(float* x, float* y) const {
  if (x) *x = textScale_[0];
  if (y) *y = textScale_[1];
}

float MWinButton::GetTextWidth() {
  if (multiline_ || !HasText(0)) return 0;
  const PreparedFont prepared(this);
  EngFont* font = prepared.get();
  if (!font) return 0;
  return MWinEng()->FontStringWidth(font, texts_[0]);
}

bool MWinButton::GetMultilineTextExtent(float* width, float* height) {
  if (width) *width = 0;
  if (height) *height = 0;
  const PreparedFont prepared(this);
  EngFont* font = prepared.get();
  if (!font || !HasText(0)) return false;
  MWinEngBackEnd* eng = MWinEng();
  MWinEngMultilineResult r;
  const bool ok = eng->FontDrawMultiline(font, absX_ + textInset_, absY_, w_ - 2 * textInset_, h_,
                                         0, 0, texts_[0], false, 0, &r);
  if (width) *width = r.widest;
  if (height) *height = r.usedHeight;
  return ok;
}
