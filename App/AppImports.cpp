// AppImports.cpp - the player data's import table (see AppImports.h).
#include "App/AppImports.h"

constinit AppImports g_AppImports;
