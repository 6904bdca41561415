// Updater.h - the check for a newer version of the game (once a week after
// the game window is up, and from the start-up dialog's "Check New
// Version") and its download to the player's desktop.
//
// The check asks the update service below the maker's site (the environment
// variable CARDOLIA_SITE_URL, else a reserved address that never answers:
// the check then ends in "Check Failed."):
//   <site>/cgi-bin/common/updater/CheckVersionV2.cgi?platform=PC&program=Cardolia
//     &program_type=<type>&version=<version, three decimals>
// A reply containing "is out of date." offers a download; its message is
// shown up to the first of its marks. A reply that is empty or begins with
// " X" is the service's error. Marks (the service puts them at the end):
//   #SIZE:<bytes>        the file's size (1 byte to 1 GiB)
//   #SHA256:<64 hex>     the file's SHA-256
//   #DL:<link>           the file (the last mark: the text from "#DL:<" on
//                        must stay below 256 characters)
//
// What the player sees are small plain windows (the engine's SWin, apart
// from the game window): "Checking for updates ...", then "Check Failed."
// or "No new version exists at this time." for two seconds, or the reply in
// a window with Download and Close. Download fetches the link with libcurl
// into "Download.part" in the per-user main folder behind a window with
// Cancel, then moves it to the desktop and says so in a message box.
//
// Nothing waits on the network with the game held: the check's request and
// the download run as jobs on worker threads (Engine/EngJob.h) and the
// windows are looked after by UpdaterTick, which the program's tick calls
// while the game runs. Before the game window exists (the start-up dialog)
// UpdaterCheckForUpdates runs the same steps to their end in a loop of its
// own that keeps the plain windows answering.
//
// A download is careful with what the reply says: the link must be https
// (no redirects are followed) and its file name, the last part of its path,
// 1 to 64 letters, digits, '.', '-', '_' or '+', not beginning with '.'.
// The file is complete only when:
//   - the reply was a 2xx and no more bytes came than the stated size (64
//     MiB when none is stated); a stated size must be met exactly;
//   - with a stated SHA-256 the file has it; without one, its first bytes
//     are those of its kind, known by its name (.gz/.tgz, .zip, .exe, .msi,
//     .deb, .rpm, .xz, .bz2, .AppImage); a file of any other kind needs the
//     SHA-256;
//   - every write and the close of "Download.part" went, and the file on
//     disk, there and again on the desktop, holds exactly the bytes that
//     came (a full disk is told to the player as a file that could not be
//     saved).
// A link that is not taken is told as the service's link refused.
// On the desktop nothing is replaced: the file takes the first free name of
// "<name>", "Latest_<name>", "Latest_2_<name>" ... "Latest_99_<name>". A
// cancelled or failed download leaves no file behind, says "The download
// was not completed." and the game goes on; a complete one ends the game
// (it is to be installed). The transfer gives up when the connection takes
// more than 15 s or less than 1 KB a second arrives for 30 s; Cancel ends
// it at once. The log gets a line at the
// start, at each quarter of a stated size and at the end.
//
// State: the request, the reply, the link and the facts of the file, the
// last error text, the message text of the last download, the
// Download-pressed flag, and the run: its stage, its window's text control,
// its job and whether it placed a file.
#pragma once

#include <cstdint>
#include <string>

#include "Engine/EngMisc.h"

constexpr int kUpdaterRequestSize = 1536;
constexpr int kUpdaterReplySize = 2047;  // the reply buffer, terminator included
constexpr int kUpdaterLinkSize = 256;    // the link: at most 255 characters
constexpr int kUpdaterMaxFileName = 64;
// The most a download may be: without a stated size, and as stated.
constexpr std::uint64_t kUpdaterDefaultMaxBytes = 64ull << 20;
constexpr std::uint64_t kUpdaterMaxStatedBytes = 1ull << 30;
// The temporary file in the per-user main folder.
constexpr const char* kUpdaterPartFile = "Download.part";
// The service's script below the site.
constexpr const char* kUpdaterScriptPath = "/cgi-bin/common/updater/CheckVersionV2.cgi";

// ---- At start-up and from the start-up dialog ---------------------------------------

// When the last check (the settings' date) lies within the last six days,
// false; otherwise the date becomes today and true: the check is due. A date
// after today (a clock set back, a damaged file) makes it due too.
bool UpdaterWeeklyCheckDue(EngDate* lastCheck);
// UpdaterWeeklyCheckDue, and when due UpdaterCheckForUpdates. True when a
// download was placed on the desktop.
bool UpdaterWeeklyCheck(EngDate* lastCheck, float version, const char* programType);
// The check and what follows it, whatever the date, run to its end here
// (for callers without a running main loop: it delivers jobs itself). True
// when a download was placed on the desktop. False at once while a check
// is already running.
bool UpdaterCheckForUpdates(float version, const char* programType);

// ---- While the game runs ------------------------------------------------------------

// Starts the check: the status window opens and the request is sent; the
// rest follows from UpdaterTick. False when a check is already running.
bool UpdaterBeginCheck(float version, const char* programType);
// Main thread, every frame: looks after the open window (its messages, the
// result's two seconds, the offer's buttons, the download's progress and
// Cancel). Nothing while no check runs.
void UpdaterTick();
// From UpdaterBeginCheck until its last window has closed.
bool UpdaterIsBusy();
// Whether the last check ended with a file placed on the desktop.
bool UpdaterDownloadPlaced();

// ---- The steps ----------------------------------------------------------------------

// Builds the request (UpdaterGetRequest). False when it does not fit.
bool UpdaterBuildRequest(float version, const char* programType);
// What a fetch of the service gave: whether something was read, and what.
struct UpdaterFetch {
  bool read = false;
  std::string reply;  // at most kUpdaterReplySize - 1 bytes
};
// Fetches the URL (5 s). Any thread: it touches no state of the updater.
UpdaterFetch UpdaterFetchURL(const std::string& url);
// Judges a fetch as UpdaterReadURL does, on the main thread: the reply, the
// link, the file's facts and the last error text are set from it.
bool UpdaterJudgeFetch(const UpdaterFetch& fetch, bool checkOnly);
// Reads the URL into the reply (2047 bytes, 5 s), waiting for it.
// checkOnly: true as soon as something was read. Otherwise the reply is
// judged and cut before its first mark, and the link taken from it. False
// with the last error text set: "Could not read result from the URL",
// "Error returned from the URL".
bool UpdaterReadURL(const char* url, bool checkOnly);
// The start-up dialog's HTTP test on a fetch of the service's script (no
// query): true with "Internet Test Ok" in the buffer (when it holds 33
// bytes or more); false with the updater's last error text, cut to size - 1.
bool UpdaterInternetTestResult(const UpdaterFetch& fetch, char* buffer, int size);
// The same, fetching and waiting.
bool UpdaterInternetTest(char* buffer, int size);

// ---- The rules, without windows or network --------------------------------------

// What the reply says of the file: its size (0: not stated) and its SHA-256
// (64 lower-case hex digits, "": not stated); unreadable when a mark is
// there but does not read (the download is then refused).
struct UpdaterFileFacts {
  std::uint64_t size = 0;
  std::string sha256;
  bool unreadable = false;
};
// Judges a reply in place (terminated): false for the service's error (empty,
// or " X" first). Otherwise reads the file's facts (facts may be null),
// cuts the reply before its first mark and copies the link (the text after
// "#DL:<" up to the first '>', when that part is longer than 10 characters)
// into link (kUpdaterLinkSize bytes; emptied first); a tail from "#DL:<" of
// 256 characters or more gives no link and tooLong.
bool UpdaterParseReply(char* reply, char link[kUpdaterLinkSize], bool* tooLong, UpdaterFileFacts* facts = nullptr);
// The file name a link may be saved as (see the file head); false when the
// link is not https or its name breaks the rule.
bool UpdaterLinkFileName(const char* link, std::string* name);
// The candidate names on the desktop, in order: n = 0 "<name>", 1
// "Latest_<name>", 2..99 "Latest_<n>_<name>".
std::string UpdaterDesktopName(const std::string& name, int n);
constexpr int kUpdaterDesktopNames = 100;
// Whether a file's first bytes are those of the kind its name says (see the
// file head); false for a kind not in the table.
bool UpdaterContentMatchesName(const std::string& name, const unsigned char* head, std::size_t length);

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
// Lets downloads use http:// links too, so that tests can serve them from
// a loopback server that misbehaves.
void UpdaterAllowHttpLinksForTests(bool allow);
// The download's connect time-out and stall time in seconds (0: the
// standard 15 and 30; both are set back by every call).
void UpdaterSetDownloadLimitsForTests(long connectSeconds, long stallSeconds);
