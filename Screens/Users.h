// Users.h - "Users", the first screen: continue with the current player,
// create a new player, load or delete another, or leave the game. Its
// control unit also holds what the other player screens and the main menu
// share: the two player-screen pictures (the title picture and the flag
// sheet), the placing of the title picture, the player list and the splash
// panel's per-frame and render hooks.
//
// State: the screen's handles; the title picture and the flag sheet
// (loaded on demand, released with the game's graphics); the continuing
// player's country; the player list.
#pragma once

#include <cstdint>

#include "Engine/MWin/MWinID.h"
#include "Game/UserRecord.h"

class EngTexture;
class MWinButton;
class MWinCollection;

constexpr int kUserListMax = 50;

// The players found in "Users": name, country row (-1 unknown) and whether
// the profile is damaged (it exists but cannot be loaded).
struct UserList {
  char names[kUserListMax][kUserMaxNameLength + 1];
  int country[kUserListMax];
  bool damaged[kUserListMax];
  int count;
};
extern UserList g_UserList;

MWinCollection* UsersAddCollectionToDesktop();
void UsersCreateCB();
void UsersClearButtonHandles();
bool UsersGetButtonHandles();
void UsersControlStartingCB();
void UsersControlNewCB();
void UsersControlContinueCB();
void UsersControlLoadCB();
void UsersControlExitCB();
void UsersControlDrawContinueFlag(MWinButton* button, MWinArea* area, int drawState);

// A player whose profile is damaged: a Yes/No popup says so and offers a
// new profile with the defaults that keeps the player's other files; Yes
// makes it (UserRemakeProfile, the local country when no score row names
// one) and loads the player. False when the popup could not be opened.
bool UsersControlOfferNewProfile(const char* name);
void UsersControlNewProfileCB(int result);

// Loads the player-screen pictures that are not loaded yet, then the splash
// panel's graphics.
void UsersControlCreateGraphics();
void UsersControlReleaseGraphics();
// Shows the title picture in the button; without keepPlace the button
// moves to 110, 0, 420 x 80.
void UsersControlSetupTitlePicture(MWinButton* button, bool keepPlace);
// The splash panel's frame step while Users or the main menu is current.
void UsersControlTickSplash();
// Pass 0: the splash panel while Users is current; other passes clear the
// screen.
void UsersControlRenderSplash(int pass);
// The flag sheet (null before it is loaded).
EngTexture* UsersControlGetFlagSheet();

// Rebuilds the player list from the "Users" folder: files "<name>.usr"
// whose name may name a player's files (at most 32 characters), at most 50,
// in name order; an unreadable profile is listed with country -1.
void UserLoadControlScanUsers();
// Rebuilds the list; a lone player becomes the current player, and so does
// the player whose profile was written last when the settings name one
// without a profile. True when the current player's profile can be read;
// *alwaysStart then holds its always-start byte. (A damaged profile gives
// false: UserProfileIsDamaged tells it from a missing one.)
bool UserLoadControlGetCurrentUser(std::uint8_t* alwaysStart);
// The listing's filter: at least 5 characters ending exactly in ".usr".
bool UserLoadControlIsUserFile(int accepted, const char* name, const char* folder);
