// UserNew.h - "UserNew", the new player screen: the player types a name in
// a text-entry popup and picks a country on the Country screen; "Continue"
// creates the player and goes to the main menu.
//
// State: the typed name and the chosen country (kept while the player goes
// to the Country screen and back; forgotten each time the player selection
// opens the screen), the check delay, the asked-once flag, the screen's
// handles.
#pragma once

class MWinButton;
class MWinCollection;
struct MWinArea;

// The name rule: present and not empty, no blank or tab at either end, at
// most 32 characters for a player name (64 for a country), none of
// "unset", "unselected", "not selected" in any letter case; a player name
// must also be able to name the player's files (EngFileIsSafeName).
bool UserNewIsValidName(const char* text, bool isPlayerName);
// The text token that refuses a typed player name, saying why where the
// player can mend it (a blank at either end); null for a name the rule
// takes.
const char* UserNewPlayerNameRefusal(const char* name);

const char* UserNewGetTypedName();
// The Country screen's choice.
void UserNewSetChosenCountry(const char* country);
// Forgets the typed name, the country and the asked-once flag: the next
// visit opens as at the first start, with the name popup. The player
// selection calls it before it opens the screen.
void UserNewStartAfresh();

MWinCollection* UserNewAddCollectionToDesktop();
void UserNewCreateCB();
void UserNewClearButtonHandles();
bool UserNewGetButtonHandles();
void UserNewControlStartingCB();
void UserNewControlTickCB();
void UserNewControlNameCB();
void UserNewControlNameDoneCB(int result);
void UserNewControlCountryCB();
void UserNewControlContinueCB();
void UserNewControlDrawCountryFlag(MWinButton* button, MWinArea* area, int drawState);
