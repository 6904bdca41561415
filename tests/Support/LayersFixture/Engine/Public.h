// A public engine header that shows portable code its back end.
#include "Engine/DX9/ComDxWin.h"
