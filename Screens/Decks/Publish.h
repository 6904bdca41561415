// Publish.h - "Publish": sending the player's own card deck to the maker's
// deck service, and the FTP test the start-up dialog runs.
//
// A publish packs the deck's settings and the player's own element pictures
// into one package (PublishPackage.cpp), compresses it as a zlib stream,
// asks the service over HTTP whether it takes decks from this version,
// uploads the compressed package by FTP and announces it over HTTP
// (PublishTransfer.cpp). All three transfers run on libcurl's easy
// interface, one after the other in one job on a worker thread
// (Engine/EngJob.h): the screen keeps drawing, its status line follows the
// steps, and Send and Done stay off until the outcome is told. Each transfer
// gives up after 10 s without reaching the server (for FTP: its greeting
// and log-in) or 10 s without a byte moving; the two HTTP requests and the
// FTP test also after 15 s in all. Every reply of the FTP server, also the
// one that confirms the upload once the last byte has gone, comes within
// 10 s or the transfer ends (a reply trickled a byte at a time included).
//
// The service lies below the maker's site address (CARDOLIA_SITE_URL); the
// FTP server is the site's host with the deck account and its folder.
//
// Answers of the service: at most 511 bytes; an HTTP error status, a failed
// or timed-out transfer is no answer. The second character decides, the
// text part starts at the fourth (empty for a shorter answer).
//
// Files: PublishScreen.cpp (the screen and the run), PublishPackage.cpp
// (the package), PublishTransfer.cpp (libcurl, the three transfers, the FTP
// test, reading the answers).
//
// State (one publish at a time): the upload buffer, the bytes sent, the
// answer, the status line's last percentage; all freed when a run ends.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class MWinCollection;
class MWinWindow;

constexpr int kPublishGameVersion = 430;     // the file version 4.30 times 100
constexpr const char* kPublishPlatform = "W";
constexpr int kPublishMaxAnswer = 512;       // an answer this long is refused
constexpr std::size_t kPublishChunk = 8192;  // bytes per read callback
constexpr int kPublishHeaderSize = 564;      // the package before its parts
constexpr int kPublishNumParts = 11;         // one per generator element slot
constexpr int kPublishMaxNameLength = 64;    // the publisher name sent

// ---- The screen (PublishScreen.cpp) -------------------------------------------------
MWinCollection* PublishAddCollectionToDesktop();
void PublishCreateCB();
void PublishClearButtonHandles();
bool PublishGetButtonHandles();
void PublishStartingCB();
void PublishSendCB();
// Packs, compresses and starts the three transfers; false (its popup
// showing) when nothing could be sent. ended (optional) gets whether the
// deck was sent once the outcome has been told (the success popup is then
// showing).
bool PublishSendTheDeck(const std::function<void(bool sent)>& ended = nullptr);

// ---- The package (PublishPackage.cpp) -------------------------------------------------
// The size of a slot's part: its picture's size + 3, or -1 when the slot has
// no picture or the file cannot be opened.
long PublishGetPartSize(int slot);
// Writes the picture's extension (its last three characters) and then its
// bytes at offset; 1, or -1 on failure (reported).
int PublishAddPartToData(int slot, std::uint8_t* package, long offset, long packageSize);
// Whether a slot's part is sent by the deck's element kinds.
bool PublishIsPartSent(int slot);
// The whole package of the current deck and generator slots: the publisher
// name (cut to 64 characters), the country name, the deck name, the
// settings blocks and the eleven parts. False (and the player's popup
// text in error) when a part cannot be had.
bool PublishBuildPackage(const char* publisher, const char* country, const char* deckName,
                         std::vector<std::uint8_t>* package, std::string* error);
// The package compressed as one zlib stream at level 9 (into an output of
// compressBound size, so pictures that do not shrink still fit).
bool PublishCompress(const std::vector<std::uint8_t>& package, std::vector<std::uint8_t>* out);

// ---- The transfers (PublishTransfer.cpp) ------------------------------------------------
// Reading the check answer (SendDeck.cgi).
enum PublishCheckResult : int {
  kPublishCheckNoAnswer = 0,
  kPublishCheckTooLong,
  kPublishCheckOk,        // 'Y'
  kPublishCheckRefused,   // 'N', the text part says why
  kPublishCheckVersion,   // 'V', the two versions
  kPublishCheckError,     // 'X', the service's error number
  kPublishCheckOther,     // anything else, also a 'V' or 'X' whose numbers do not read
};
struct PublishCheckAnswer {
  PublishCheckResult result = kPublishCheckNoAnswer;
  unsigned received = 0;  // 'V': the version the service received
  unsigned service = 0;   // 'V': the service's version
  long error = 0;         // 'X'
  std::string text;       // the text part
};
// The answer as received (size bytes, any bytes); size 0 is no answer.
PublishCheckAnswer PublishReadCheckAnswer(const char* answer, std::size_t size);

// Reading the announcement answer (SendDeckEmail.cgi).
enum PublishEmailResult : int {
  kPublishEmailNoAnswer = 0,
  kPublishEmailTooLong,
  kPublishEmailOk,     // 'Y'
  kPublishEmailError,  // 'X'
  kPublishEmailOther,
};
struct PublishEmailAnswer {
  PublishEmailResult result = kPublishEmailNoAnswer;
  std::string whole;  // the answer as text
  std::string text;   // the text part
};
PublishEmailAnswer PublishReadEmailAnswer(const char* answer, std::size_t size);

// The three steps of a run, on the upload buffer set by PublishSetUpload,
// each waited for here: its status text, its transfer and its popup when
// it fails.
bool PublishCheckIfOkToUploadData();
// 1 sent whole, 0 nothing to send, -1 failed.
int PublishUploadData();
bool PublishSendEmail();

// The parts of the steps. The transfers run on any thread and touch only
// the upload buffer and its counters; the tellings show the outcome (main
// thread).
struct PublishUploadOutcome {
  std::size_t sent = 0;   // bytes handed to libcurl
  bool complete = false;  // all of them, and the transfer ended well
  // All of them went, but the server never confirmed the upload in time.
  bool unconfirmed = false;
};
std::string PublishRequestCheck(const std::string& url);
PublishUploadOutcome PublishTransferUpload(const std::string& url);
std::string PublishRequestEmail(const std::string& url);
bool PublishTellCheck(const std::string& answer);
int PublishTellUpload(const PublishUploadOutcome& outcome);
bool PublishTellEmail(const std::string& answer);
// The upload's address for today and the current player.
std::string PublishUploadUrl();
// Runs the three transfers in one job, the status line following them, and
// tells their outcomes (up to the first failure) when it has ended; then
// ended gets whether the deck was sent. False when a run is going already
// or there is nothing to upload.
bool PublishStartTransfers(const std::function<void(bool sent)>& ended);
bool PublishIsRunning();
// The FTP test: writes an empty "ftp_test" into the deck folder. 1 done, 0
// the server cannot be reached (libcurl's code 7), -1 any other failure
// ("curl_easy_perform() error %d").
int PublishDoFtpInternetTest();

// libcurl's callbacks (data, size, count, context).
std::size_t PublishCurlWriteDataCB(char* data, std::size_t size, std::size_t count, void* context);
std::size_t PublishCurlReadDataCB(char* buffer, std::size_t size, std::size_t count, void* context);
std::size_t PublishCurlTestWriteDataCB(char* data, std::size_t size, std::size_t count, void* context);
std::size_t PublishCurlTestReadDataCB(char* buffer, std::size_t size, std::size_t count, void* context);

// The compressed package to upload (the run's buffer); Free forgets it and
// every answer.
void PublishSetUpload(std::vector<std::uint8_t> data);
void PublishFreeTransferState();
// The upload's file name for a date, a player name and id: "YYYYMMDD_name_id.deck"
// with every byte of the name but letters, digits, '-' and '_' made '_'.
std::string PublishUploadFileName(int year, int month, int day, const char* player, unsigned id);
// The player name as the announcement carries it: "%03d" of each byte as a
// signed byte ("Bob" gives "066111098").
std::string PublishEncodeName(const char* name);
// The addresses of the three transfers (the maker's site and FTP host).
std::string PublishCheckUrl();
std::string PublishEmailUrl(const char* player, unsigned id);
std::string PublishFtpUrl(const char* fileName);

// ---- Test seams ----------------------------------------------------------------------
// The FTP server's port (0: the standard one).
void PublishSetFtpPortForTests(int port);
// Connect time-out (ms), stall limit (seconds without a byte, also the
// longest wait for an FTP reply) and the HTTP requests' total time-out
// (ms); 0 keeps a value.
void PublishSetTimeoutsForTests(long connectMs, long stallSeconds, long totalMs);
// The percentages shown so far in this run.
const std::vector<int>& PublishGetPercentagesForTests();
void PublishResetForTests();
