// ScreensImports.cpp - the screens' import table (see ScreensImports.h).
#include "Screens/ScreensImports.h"

constinit ScreensImports g_ScreensImports;
