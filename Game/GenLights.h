// GenLights.h - the scene lights of a game.
#pragma once

// Applies the scene lights for the current variant (ambient level, point or
// directional light from the player's light settings). Without a graphics
// device (device type 0) there is nothing to light and nothing happens.
void GenApplyLights();
