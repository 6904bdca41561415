// ScreensUnits.h - the screens' create, starting and tick callbacks, for
// the registry.
#pragma once

#include "App/GetFile.h"
#include "Screens/About.h"
#include "Screens/Cameras.h"
#include "Screens/Country.h"
#include "Screens/Display.h"
#include "Screens/GamePage.h"
#include "Screens/General.h"
#include "Screens/Help.h"
#include "Screens/InGame.h"
#include "Screens/Keys.h"
#include "Screens/Lights.h"
#include "Screens/Main.h"
#include "Screens/Options.h"
#include "Screens/Pause.h"
#include "Screens/Popup.h"
#include "Screens/Startup.h"
#include "Screens/UserLoad.h"
#include "Screens/UserNew.h"
#include "Screens/Users.h"
