// Updater.h - the check for a newer version of the game (once a week at
// start-up, and from the start-up dialog's "Check New Version") and its
// download to the player's desktop.
//
// The check asks the update service below the maker's site (the environment
// variable CARDOLIA_SITE_URL, else a reserved address that never answers:
// the check then ends in "Check Failed."):
//   <site>/cgi-bin/common/updater/CheckVersionV2.cgi?platform=PC&program=Cardolia
//     &program_type=<type>&version=<version, three decimals>
// A reply containing "is out of date." offers a download; its message is
// shown up to an optional "#DL:<link>" naming the file. A reply that is empty
// or begins with " X" is the service's error.
//
// What the player sees are small plain windows (the engine's SWin, apart
// from the game window, which does not exist yet at start-up): "Checking for
// updates ...", then "Check Failed." or "No new version exists at this
// time." for two seconds, or the reply in a window with Download and Close.
// Download fetches the link with libcurl into "Download.part" in the
// per-user main folder behind a window with Cancel, then moves it to the
// desktop and says so in a message box. Everything blocks the one thread.
//
// A download is careful with what the reply says: the link must be https
// (no redirects are followed) and its file name, the last part of its path,
// 1 to 64 letters, digits, '.', '-', '_' or '+', not beginning with '.'.
// Only a complete 2xx reply is kept. On the desktop nothing is replaced: the
// file takes the first free name of "<name>", "Latest_<name>",
// "Latest_2_<name>" ... "Latest_99_<name>". A cancelled or failed download
// leaves no file behind. The transfer gives up when the connection takes
// more than 15 s or nothing arrives for 30 s.
//
// State: the request, the reply, the link, the last error text, the message
// text of the last download, the Download-pressed flag and the index of the
// status window's text control.
#pragma once

#include <string>

#include "Engine/EngMisc.h"

constexpr int kUpdaterRequestSize = 1536;
constexpr int kUpdaterReplySize = 2047;  // the reply buffer, terminator included
constexpr int kUpdaterLinkSize = 256;    // the link: at most 255 characters
constexpr int kUpdaterMaxFileName = 64;
// The temporary file in the per-user main folder.
constexpr const char* kUpdaterPartFile = "Download.part";
// The service's script below the site.
constexpr const char* kUpdaterScriptPath = "/cgi-bin/common/updater/CheckVersionV2.cgi";

// At start-up: when the last check (the settings' date) lies within the
// last six days, nothing; otherwise the date becomes today and the check
// runs. A date after today (a clock set back, a damaged file) runs the
// check too. True when a download was started (start-up then ends quietly).
bool UpdaterWeeklyCheck(EngDate* lastCheck, float version, const char* programType);
// The check and what follows it, whatever the date. True when a download
// was started.
bool UpdaterCheckForUpdates(float version, const char* programType);
// Builds the request (UpdaterGetRequest). False when it does not fit.
bool UpdaterBuildRequest(float version, const char* programType);
// Reads the URL into the reply (2047 bytes, 5 s). checkOnly: true as soon
// as something was read. Otherwise the reply is judged and cut before
// "#DL:<", and the link taken from it. False with the last error text set:
// "Could not read result from the URL", "Error returned from the URL".
bool UpdaterReadURL(const char* url, bool checkOnly);
// The download window, the download and its message box. False only when
// the link names no valid file ("Internal Error 3.").
bool UpdaterStartDownload();
// The transfer and the move to the desktop; true when the file is there
// (UpdaterGetMessageText says where).
bool UpdaterDoDownload();
// The start-up dialog's HTTP test: fetches the service's script without a
// query. True with "Internet Test Ok" in the buffer (when it holds 33 bytes
// or more); false with the updater's last error text, cut to size - 1.
bool UpdaterInternetTest(char* buffer, int size);

// ---- The rules, without windows or network --------------------------------------

// Judges a reply in place (terminated): false for the service's error (empty,
// or " X" first). Otherwise cuts it before "#DL:<" and copies the link (the
// text after "#DL:<" up to the first '>', when that part is longer than 10
// characters) into link (kUpdaterLinkSize bytes; emptied first); a tail of
// 256 characters or more gives no link and tooLong.
bool UpdaterParseReply(char* reply, char link[kUpdaterLinkSize], bool* tooLong);
// The file name a link may be saved as (see the file head); false when the
// link is not https or its name breaks the rule.
bool UpdaterLinkFileName(const char* link, std::string* name);
// The candidate names on the desktop, in order: n = 0 "<name>", 1
// "Latest_<name>", 2..99 "Latest_<n>_<name>".
std::string UpdaterDesktopName(const std::string& name, int n);
constexpr int kUpdaterDesktopNames = 100;

// ---- What the tests read and set ------------------------------------------------------

const char* UpdaterGetRequest();
const char* UpdaterGetReply();
const char* UpdaterGetLink();
const char* UpdaterGetLastError();
// The text of the last download's message box.
const char* UpdaterGetMessageText();
// The update service's script URL ("<site><script path>").
std::string UpdaterScriptUrl();
// Seconds a result stays in the small window (2 unless set).
void UpdaterSetResultPauseForTests(double seconds);
// Bytes per second of the last completed transfer (0 before any).
double UpdaterGetLastDownloadRate();
