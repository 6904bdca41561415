// Various.h - opening a page of the maker's web site in the player's
// browser, asking first and ending the game first where the display mode
// asks for it (in full screen the browser would open behind the game).
//
// The maker's site is one setting: the environment variable
// CARDOLIA_SITE_URL, else kVariousDefaultSite (a reserved host that never
// answers). The online high-score service lives on the same site.
//
// The page is handed to ShellExecuteA (Platform/Shell.h), which starts the
// browser detached from the game, so the game never waits for it, also when
// it ends first.
//
// State: the address of the last page (at most 506 characters).
#pragma once

constexpr const char* kVariousDefaultSite = "https://www.cardolia.invalid";
constexpr int kVariousMaxAddress = 506;

// The maker's site address, without a trailing "/". Any thread; the text
// stays until the same thread asks again.
const char* VariousGetSiteAddress();

// The site address, "/" and the page path, then VariousGoOnline.
void VariousGoOnlineToSitePage(const char* question, const char* pagePath, bool askInFullScreen,
                               bool askInWindow, bool exitInFullScreen, bool exitInWindow);
// Keeps the address (longer than 506 characters: "Path too long", nothing
// happens) and, by the flags of the current display mode: opens it now;
// ends the game and then opens it; or asks first (the question, else the
// language text "Various_GoOnline" or "Various_ExitProgramAndGoOnline").
void VariousGoOnline(const char* question, const char* address, bool askInFullScreen, bool askInWindow,
                     bool exitInFullScreen, bool exitInWindow);
// Hands the kept address to the browser.
void VariousOpenPage();
// Popup answers: 1 opens the page; with exit, 1 ends the game and the page
// opens once the window is gone (no program object: at once).
void VariousOpenCB(int answer);
void VariousExitAndOpenCB(int answer);
