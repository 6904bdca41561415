// DecksPending.cpp - STAND-INS for two calls of work in flight elsewhere:
// the maker's site address of the web-page opener and the Scores page's
// check that the game may go online from full screen. Each is removed when
// its unit lands (App/Various, Screens/Scores).
#include <cstdlib>
#include <string>

#include "App/Resolution.h"
#include "Decks/PublishLocal.h"

const char* VariousGetSiteAddress() {
  static std::string site;
  const char* configured = std::getenv("CARDOLIA_SITE_URL");
  site = configured && *configured ? configured : "https://www.cardolia.invalid";
  while (!site.empty() && site.back() == '/') site.pop_back();
  return site.c_str();
}

bool ScoresControlCheckInternetAccess() { return g_ResolutionSettings.httpTest == 1; }

// The file chooser: nothing is chosen until it is built (the chooser
// screen is not entered either).
#include "Decks/DecksPending.h"

void GetFileSetTitle(const char*) {}
void GetFileSetStartDir(const char*) {}
void GetFileSetExtensions(const char* const*) {}
void GetFileSetFileChosenCB(GetFileChosenCB) {}
const char* GetFileGetChosenFilename() { return ""; }
const char* GetFileGetCurrentDir() { return ""; }

// The Options screen's page layout: the rows stay where they are built.
void OptionsControlMoveButtons(MWinButton*, MWinButton*, MWinButton*) {}
