// PublishLocal.h - what the Publish screen's files share (PublishScreen.cpp,
// PublishPackage.cpp, PublishTransfer.cpp). Not for use outside them.
#pragma once

class MWinButton;

// The screen's status line (null while the screen is not shown).
void PublishSetStatusButton(MWinButton* status);
// Shows the text in the screen's status line, where it stays until the run
// hides the line at its end. Without the screen's status line (tests, the
// start-up dialog) nothing is shown.
void PublishShowStatus(const char* text);
// A popup with OK; a null title is the error title ("Engmon_Error"). The
// text is also logged, so that the log tells what the player was shown.
void PublishPopup(const char* title, const char* text);
// The same with the texts of two language tokens (title token may be null).
void PublishPopupTokens(const char* titleToken, const char* textToken);

// The maker's site address without a trailing '/' (the web-page opener's
// setting, CARDOLIA_SITE_URL).
const char* VariousGetSiteAddress();
// From full screen: whether the game may go online (the start-up tests
// passed); otherwise the player is told and the tests are due.
bool ScoresControlCheckInternetAccess();
