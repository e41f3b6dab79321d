// Program entry: reads the settings, starts the game library, runs the game
// and ends the library. Returns the process exit code.
#pragma once

int GameMain();

// Reads "dat/setting.dat" into optionInfo; defaults when it is missing.
void LoadSettings();
