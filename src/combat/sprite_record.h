// The pictures of effects and weapon sprites: one image or a strip of
// images numbered from 1, fetched by key from the image manager.
#pragma once

#include "gfx/draw_data.h"

// `keyPattern` is an image key, or a printf pattern taking the image number
// ("effect/shot_hit%02d.png") when `count` is above 1. The record is shown
// at width x height around its position, and its source images have that
// size too. A key with no image yields handle 0 (the image manager says so).
SDrawData MakeSpriteRecord(const char* keyPattern, int count, int width, int height);
