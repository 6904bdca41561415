// ScreensHandles.h - the clear operations of every screen's button
// handles, which SolMWinClearAllButtonHandles runs before each screen
// change. A screen that is added declares its clear operation here.
#pragma once

void UsersClearButtonHandles();
void UserNewClearButtonHandles();
void UserLoadClearButtonHandles();
void CountryClearButtonHandles();
void MainClearButtonHandles();
void AboutClearButtonHandles();
void OptionsClearButtonHandles();
void GeneralClearButtonHandles();
void DisplayClearButtonHandles();
void CamerasClearButtonHandles();
void LightsClearButtonHandles();
void StartupClearButtonHandles();
void KeysClearButtonHandles();
void SystemClearButtonHandles();
void GetFileClearButtonHandles();
void GameClearButtonHandles();
void HelpClearButtonHandles();
void InGameClearButtonHandles();
void PauseClearButtonHandles();
void PopupClearButtonHandles();
// The main menu's pages.
void ScoresClearButtonHandles();
void StatsClearButtonHandles();
