// AppGameImports.cpp - fills the card core's import table with the player
// data's functions (see AppGameImports.h).
#include "App/AppGameImports.h"

#include "App/DirList.h"
#include "App/FoundationEffects.h"
#include "App/Main.h"
#include "App/PrefFolder.h"
#include "App/Resolution.h"
#include "App/ScoreSystem.h"
#include "App/Sound.h"
#include "App/Stats.h"
#include "App/User.h"
#include "Game/GameImports.h"

void AppFillGameImports() {
  GameImports& t = g_GameImports;
  t.UserIsLoaded = UserIsLoaded;
  t.PrefFolderGetSubFolder = PrefFolderGetSubFolder;
  t.PrefFolderGetMyDocsSubSubFolder = PrefFolderGetMyDocsSubSubFolder;
  t.DirListOpenDir = DirListOpenDir;
  t.DirListPrepareToGetFilenamesInDir = DirListPrepareToGetFilenamesInDir;
  t.DirListGetNextFilenameInDir = DirListGetNextFilenameInDir;
  t.DirListGetFilenameWithPath = DirListGetFilenameWithPath;
  t.DirListCleanupAfterGettingFilenamesInDir = DirListCleanupAfterGettingFilenamesInDir;
  t.DirListCloseDir = DirListCloseDir;
  t.ResolutionGetForGame = ResolutionGetForGame;
  t.ScoreUpdateCurrentScore = ScoreUpdateCurrentScore;
  t.ScoreResetCurrentScore = ScoreResetCurrentScore;
  t.ScoreGetScoreText = ScoreGetScoreText;
  t.StatsAddCurrentGame = StatsAddCurrentGame;
  t.SoundPlaySample = SoundPlaySample;
  t.SoundPlayFoundationSound = SoundPlayFoundationSound;
  t.SoundStartMusic = SoundStartMusic;
  t.SoundStopMusic = SoundStopMusic;
  t.MainStartMenuCardAnim = MainStartMenuCardAnim;
  t.MainMenuButtonShow = MainMenuButtonShow;
  t.MainDrawMenuButton = MainDrawMenuButton;
  t.FoundationEffectsAdd = FoundationEffectsAdd;
}
