// Internet.h - sending the player's best score of a game to the online
// high-score service, and telling the player what the service answered.
//
// The submission is one HTTP GET on the maker's site (App/Various.h):
//   <site>/cgi-bin/cardolia/scores/AddHighScore.cgi?hs=W<639 digits>
// The digits code a 213-character record of the entry (fixed widths, see
// InternetBuildRecord) enciphered with Blowfish, each byte as three decimal
// digits; the last five bytes, which fill no Blowfish block, travel as they
// are. The reply's second character says what happened and its numbers
// start at its fourth; a reply that is not 4 to 19 bytes long is not one.
// The request waits on a worker thread (Engine/EngJob.h) for at most 10
// seconds while the game keeps drawing with the Scores page's "please wait"
// text shown; the reply is read on the main thread when it comes. One
// submission is out at a time. The game's online value is stored only while
// the player who sent it is still the current one.
//
// State: the record and coded texts, the popup's title and text, the
// submission that is out (its job, game, player and whether a popup waits
// for it).
#pragma once

#include <cstdint>

struct ScoreEntry;

constexpr unsigned kInternetClientVersion = 460;
constexpr int kInternetRecordLength = 213;
constexpr int kInternetCodedLength = 639;
constexpr int kInternetTextSize = 1024;
constexpr const char* kInternetCipherKey = "Wendigo7tSquallRun";
constexpr const char* kInternetAddScorePath = "/cgi-bin/cardolia/scores/AddHighScore.cgi?hs=";

// The Scores page's "Add Your Score Online": the player's best entry of the
// current game is sent, unless it was dealt by number (then the player is
// asked whether to remove those entries instead).
void InternetAddUsersBestScoreOnline();
// go: sends, and shows the outcome in an OK popup when it has come (at
// once when nothing could be sent). Nothing while a submission is out.
void InternetAddScoreCB(bool go);
// Builds, codes and sends the record; the popup's title and text are set
// when the reply has come (EngJobDeliver), or at once when nothing could be
// sent. Nothing while a submission is out.
void InternetDoAddHighScore();
// From the sending until the reply has been read.
bool InternetIsSubmitting();
// Codes the record text into the digit string; false (the popup's title and
// text set) when it is not expectedLength characters or cannot be
// enciphered.
bool InternetCodeString(int expectedLength);

// The record of an entry of a game ("%05u%10u%-32s%-64s%-64s%010u%010u%01u
// %05u%05u%07u": version, id, name, country, game, score, time, reserved,
// day, month, year) into out (at least 1024 bytes); its length.
int InternetBuildRecord(const ScoreEntry& entry, const char* gameName, char* out);
// Turns a reply (length bytes) into the popup's title and text; on the
// letters A, B, C and D the game's online value is set. Numbers are read
// one by one within their range: a reply without the numbers its letter
// needs is reported like an unknown letter and changes nothing.
void InternetInterpretReply(const char* reply, int length, std::uint32_t* onlineValue, char* title,
                            char* text);

const char* InternetGetPopupTitle();
const char* InternetGetPopupText();
const char* InternetGetCodedString();
