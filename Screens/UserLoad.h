// UserLoad.h - "UserLoad": the players found in "Users", each with its
// country's flag; load one or delete one.
//
// State: the screen's handles (the list itself is g_UserList, Users.h).
#pragma once

#include <cstdint>

class MWinButton;
class MWinCollection;
struct MWinArea;

MWinCollection* UserLoadAddCollectionToDesktop();
void UserLoadCreateCB();
void UserLoadClearButtonHandles();
bool UserLoadGetButtonHandles();
void UserLoadControlStartingCB();
const char* UserLoadControlGetEntryText(int entry, int maxChars);
void UserLoadControlDrawFlags(MWinButton* panel, MWinArea* area, int drawState);
void UserLoadControlDeleteCB();
void UserLoadControlDeleteDoneCB(int result);
void UserLoadControlLoadCB();
void UserLoadControlBackCB();
