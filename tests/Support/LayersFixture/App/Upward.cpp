// An application shell file that reaches up into a deck screen.
#include "Screens/Decks/DecksScreen.h"
