// Internet.cpp - the online high-score submission (see Internet.h).
#include "App/Internet.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "App/AppImports.h"
#include "App/Score.h"
#include "App/Various.h"
#include "Engine/DX9/EngInternetDX9.h"
#include "Engine/Debug.h"
#include "Engine/EngEncryption.h"
#include "Engine/EngJob.h"
#include "Engine/EngLanguages.h"
#include "Engine/EngMisc.h"
#include "Engine/MWin/MWinManager.h"
#include "Game/GenGameTable.h"
#include "Game/UserOptions.h"
#include "Game/UserRecord.h"

namespace {

constexpr int kReplySize = 1024;      // at most 1023 bytes are read
constexpr int kReplyMinLength = 4;
constexpr int kReplyMaxLength = 19;
constexpr int kFetchTimeoutSeconds = 10;

struct Submission {
  char record[kInternetTextSize] = {};
  char coded[kInternetCodedLength + 1] = {};
  char title[kInternetTextSize] = {};
  char text[kInternetTextSize] = {};
};
Submission g_sub;

// The one submission whose request is out, and what its reply is for.
struct Pending {
  int job = 0;
  int game = -1;
  std::uint32_t playerId = 0;
  bool popup = false;  // the outcome goes into the popup when it arrives
};
Pending g_pending;

// What the request's worker brings back.
struct Fetched {
  bool read = false;
  char reply[kReplySize] = {};
  int length = 0;
  char error[kInternetTextSize] = {};
};

void SetError(char* title, char* text, const char* message) {
  std::snprintf(title, kInternetTextSize, "%s", EngLanguagesGetFirstString("Common_ErrorCaps"));
  std::snprintf(text, kInternetTextSize, "%s", message);
}

// Reads the numbers of a reply one at a time: blanks, then digits (a minus
// sign only where allowed) up to a blank or the end; each must lie within
// its range.
class ReplyNumbers {
 public:
  ReplyNumbers(const char* text, int length) : text_(text), end_(text + length) {}
  bool Unsigned(std::uint32_t* value) {
    std::int64_t v = 0;
    if (!Read(false, 0, UINT32_MAX, &v)) return false;
    *value = static_cast<std::uint32_t>(v);
    return true;
  }
  bool Signed(std::int32_t* value, std::int64_t least, std::int64_t most) {
    std::int64_t v = 0;
    if (!Read(true, least, most, &v)) return false;
    *value = static_cast<std::int32_t>(v);
    return true;
  }

 private:
  static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
  bool Read(bool allowMinus, std::int64_t least, std::int64_t most, std::int64_t* value) {
    while (text_ < end_ && IsBlank(*text_)) ++text_;
    bool negative = false;
    if (allowMinus && text_ < end_ && *text_ == '-') {
      negative = true;
      ++text_;
    }
    if (text_ >= end_ || *text_ < '0' || *text_ > '9') return false;
    std::int64_t v = 0;
    while (text_ < end_ && *text_ >= '0' && *text_ <= '9') {
      v = v * 10 + (*text_ - '0');
      if (v > most + 1) return false;  // also keeps the sum far from overflowing
      ++text_;
    }
    // A number ends at a blank or at the end of the reply ("12a" is none).
    if (text_ < end_ && !IsBlank(*text_)) return false;
    if (negative) v = -v;
    if (v < least || v > most) return false;
    *value = v;
    return true;
  }
  const char* text_;
  const char* end_;
};

constexpr std::int32_t kMaxPosition = 2147483646;  // position + 1 stays an int

// The numbers of a letter could not be read: as an unknown letter.
void UnreadableReply(char* title, char* text) {
  DebugError("InternetDoAddHighScore", "Cgi unknown error");
  SetError(title, text, "Problem reading high scores list  [04]");
}

void VersionReply(std::uint32_t understood, std::uint32_t current, char* title, char* text) {
  const char* where = "InternetDoAddHighScore";
  char message[kInternetTextSize];
  if (understood != kInternetClientVersion) {
    DebugError(where, "Game version [%u] not same as reported game version [%" PRIu32 "]  (CGIV: %" PRIu32 ")",
               kInternetClientVersion, understood, current);
    std::snprintf(message, sizeof message, "Problem reading high scores list  [GV%u > CGV%" PRIu32 "]",
                  kInternetClientVersion, understood);
    SetError(title, text, message);
  } else if (current == kInternetClientVersion) {
    DebugError(where, "Versions the same but version problem reported");
    std::snprintf(message, sizeof message, "Problem reading high scores list  [V SAME %" PRIu32 "]", current);
    SetError(title, text, message);
  } else if (current < kInternetClientVersion) {
    DebugError(where, "Game version [%u] is greater than CGI version [%" PRIu32 "]", kInternetClientVersion, current);
    std::snprintf(message, sizeof message, "Problem reading high scores list  [V%u > V%" PRIu32 "]",
                  kInternetClientVersion, current);
    SetError(title, text, message);
  } else {
    std::snprintf(title, kInternetTextSize, "%s", EngLanguagesGetFirstString("Publish_OldVersion"));
    std::snprintf(text, kInternetTextSize, "%s", EngLanguagesGetFirstString("Publish_OldVersionMessage"));
  }
}

}  // namespace

int InternetBuildRecord(const ScoreEntry& e, const char* gameName, char* out) {
  const int written = std::snprintf(
      out, kInternetTextSize, "%05u%10" PRIu32 "%-32.32s%-64.64s%-64.64s%010" PRIu32 "%010" PRIu32 "%01u%05u%05u%07u",
      kInternetClientVersion, e.playerId, e.name, e.country, gameName, e.score, e.playTime,
      static_cast<unsigned>(e.reserved), static_cast<unsigned>(e.day), static_cast<unsigned>(e.month),
      static_cast<unsigned>(e.year));
  return written < 0 ? 0 : written;
}

bool InternetCodeString(int expectedLength) {
  const std::size_t length = strnlen(g_sub.record, sizeof g_sub.record);
  g_sub.coded[0] = '\0';
  if (length > static_cast<std::size_t>(kInternetTextSize - 2)) {
    SetError(g_sub.title, g_sub.text, "INTERNAL ERROR [ICSa]");
    return false;
  }
  if (length != static_cast<std::size_t>(expectedLength) || expectedLength * 3 > kInternetCodedLength) {
    SetError(g_sub.title, g_sub.text, "INTERNAL ERROR [ICSb]");
    return false;
  }
  unsigned char bytes[kInternetTextSize];
  std::memcpy(bytes, g_sub.record, length);
  if (!EngEncryptionEncryptData2(kInternetCipherKey, bytes, length)) {
    DebugError("InternetCodeString", "Problem setting up the data");
    SetError(g_sub.title, g_sub.text, "INTERNAL ERROR [ICSc]");
    return false;
  }
  for (std::size_t i = 0; i < length; ++i) {
    std::snprintf(g_sub.coded + 3 * i, 4, "%03u", static_cast<unsigned>(bytes[i]));
  }
  return true;
}

void InternetInterpretReply(const char* reply, int length, std::uint32_t* onlineValue, char* title, char* text) {
  const char* where = "InternetDoAddHighScore";
  if (length < kReplyMinLength || length > kReplyMaxLength) {
    DebugError(where, "Downloaded %d", length);
    SetError(title, text, "Problem reading high scores list  [03]");
    return;
  }
  ReplyNumbers numbers(reply + 3, length - 3);
  std::uint32_t value = 0;
  std::int32_t position = 0;
  switch (reply[1]) {
    case 'B':
      if (!numbers.Unsigned(&value)) return UnreadableReply(title, text);
      *onlineValue = value;
      std::snprintf(title, kInternetTextSize, "%s", EngLanguagesGetFirstString("Score_InternetSorry"));
      std::snprintf(text, kInternetTextSize, "%s %" PRIu32,
                    EngLanguagesGetFirstString("Score_InternetScoreTooLowMinIs"), value);
      return;
    case 'A':
    case 'C':
      if (!numbers.Unsigned(&value) || !numbers.Signed(&position, 0, kMaxPosition)) {
        return UnreadableReply(title, text);
      }
      *onlineValue = value;
      std::snprintf(title, kInternetTextSize, "%s", EngLanguagesGetFirstString("Game_Congratulations"));
      if (reply[1] == 'A') {
        std::snprintf(text, kInternetTextSize, "%s %d\n",
                      EngLanguagesGetFirstString("Score_InternetScoreAddedAtPos"), position + 1);
      } else {
        std::snprintf(text, kInternetTextSize, "%s %d", EngLanguagesGetFirstString("Score_InternetEntryUpdated"),
                      position + 1);
      }
      return;
    case 'D': {
      if (!numbers.Unsigned(&value) || !numbers.Signed(&position, 0, kMaxPosition)) {
        return UnreadableReply(title, text);
      }
      *onlineValue = value;
      char place[16];
      std::snprintf(place, sizeof place, "%d", position + 1);
      std::snprintf(title, kInternetTextSize, " ");
      if (!EngLanguagesGetStringWithParam("Score_InternetAlreadyHaveBetter", place, text, kInternetTextSize)) {
        std::snprintf(text, kInternetTextSize, "%s", place);
      }
      return;
    }
    case 'V': {
      std::uint32_t understood = 0, current = 0;
      if (!numbers.Unsigned(&understood) || !numbers.Unsigned(&current)) return UnreadableReply(title, text);
      VersionReply(understood, current, title, text);
      return;
    }
    case 'X': {
      std::int32_t error = 0;
      if (!numbers.Signed(&error, INT32_MIN, INT32_MAX)) return UnreadableReply(title, text);
      DebugError(where, "Cgi Result error: %02" PRId32, error);
      char message[kInternetTextSize];
      std::snprintf(message, sizeof message, "Problem reading high scores list  [%" PRId64 "]",
                    static_cast<std::int64_t>(error) + 10000);
      SetError(title, text, message);
      return;
    }
    default:
      return UnreadableReply(title, text);
  }
}

namespace {

void NoOutcome(int) {}

// The reply, on the main thread.
void SubmissionEnded(const Fetched& fetched) {
  const Pending pending = g_pending;
  g_pending = Pending();
  g_AppImports.ScoresControlHideInternetWait();
  if (!fetched.read) {
    SetError(g_sub.title, g_sub.text, fetched.error);
  } else {
    std::uint32_t online = g_UserOptions.onlineValue[pending.game];
    InternetInterpretReply(fetched.reply, fetched.length, &online, g_sub.title, g_sub.text);
    // Another player may have been loaded while the reply was on its way.
    if (g_UserRecord.playerId == pending.playerId) g_UserOptions.onlineValue[pending.game] = online;
  }
  if (pending.popup && g_MWin.IsOn()) g_MWin.PopupOkWithCallback(g_sub.title, g_sub.text, NoOutcome);
}

// Builds and codes the record and sends it; false (the texts set) when
// nothing could be sent.
bool SendBestScore(bool popup) {
  const char* where = "InternetDoAddHighScore";
  ScoreEntry best;
  g_sub.title[0] = g_sub.text[0] = '\0';
  if (!ScoreGetUsersBestScore(&best)) {
    DebugError(where, "Internal Error");
    SetError(g_sub.title, g_sub.text, EngLanguagesGetFirstString("Score_InternetInternalError"));
    return false;
  }
  const int game = GenGetCurGame();
  if (InternetBuildRecord(best, GenGetGameFilename(game), g_sub.record) != kInternetRecordLength) {
    DebugError(where, "Invalid char string");
    SetError(g_sub.title, g_sub.text, "INTERNAL ERROR [1002]");
    return false;
  }
  if (!InternetCodeString(kInternetRecordLength)) {
    SetError(g_sub.title, g_sub.text, "INTERNAL ERROR [1002b]");
    return false;
  }
  if (std::strlen(g_sub.coded) != static_cast<std::size_t>(kInternetCodedLength)) {
    DebugError(where, "Invalid coded string");
    SetError(g_sub.title, g_sub.text, "INTERNAL ERROR [1003]");
    return false;
  }
  const std::string address =
      std::string(VariousGetSiteAddress()) + kInternetAddScorePath + "W" + g_sub.coded;
  g_AppImports.ScoresControlShowInternetWait(
      EngLanguagesGetFirstString("Score_InternetCheckingOnline"));
  g_pending.game = game;
  g_pending.playerId = g_UserRecord.playerId;
  g_pending.popup = popup;
  // The worker fills its own record; the reply is read on the main thread.
  auto fetched = std::make_shared<Fetched>();
  g_pending.job = EngJobStart(
      "high score",
      [fetched, address] {
        fetched->read = EngInternetConnectAndReadURL(address.c_str(), fetched->reply, kReplySize, &fetched->length,
                                                     fetched->error, nullptr, kFetchTimeoutSeconds);
      },
      [fetched] { SubmissionEnded(*fetched); });
  if (g_pending.job == 0) {
    std::snprintf(fetched->error, sizeof fetched->error, "%s", "Internal Error");
    SubmissionEnded(*fetched);
  }
  return true;
}

}  // namespace

void InternetDoAddHighScore() {
  if (InternetIsSubmitting()) return;
  SendBestScore(false);
}

bool InternetIsSubmitting() { return g_pending.job != 0; }

void InternetAddScoreCB(bool go) {
  // One submission at a time: a second press while one is out does nothing.
  if (!go || InternetIsSubmitting()) return;
  if (!SendBestScore(true)) g_MWin.PopupOkWithCallback(g_sub.title, g_sub.text, NoOutcome);
}

void InternetAddUsersBestScoreOnline() {
  ScoreEntry best;
  if (!ScoreGetUsersBestScore(&best)) {
    DebugError("InternetAddUsersBestScoreOnline", "Internal Error");
    g_MWin.PopupOk(nullptr, EngLanguagesGetFirstString("Score_InternetInternalError"));
    return;
  }
  if (best.dealtByNumber) {
    g_MWin.PopupYesNo(nullptr, EngLanguagesGetFirstString("Score_InternetGameNumberMessage"),
                    ScoreDeleteUserNumberedGameScoresCB);
    return;
  }
  InternetAddScoreCB(true);
}

const char* InternetGetPopupTitle() { return g_sub.title; }
const char* InternetGetPopupText() { return g_sub.text; }
const char* InternetGetCodedString() { return g_sub.coded; }
