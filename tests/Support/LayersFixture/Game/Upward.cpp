// A card core file that reaches up into the application shell.
#include "App/User.h"
#include "Game/Gen.h"
