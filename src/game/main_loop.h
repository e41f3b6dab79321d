// Start-up, the per-frame main loop and the orderly end of a run.
#pragma once

#include <string>

// Makes the six game fonts (the font handle globals). Throws
// std::runtime_error when no Japanese-capable face is installed.
void CreateFonts();

// Creates the global objects in their fixed order and the first scene.
// Throws std::runtime_error when the game's data cannot be read.
void InitGlobals();

// Releases the global objects (the game library must still be running).
void ReleaseGlobals();

// One pass of the main loop; false when the loop must end (the window was
// closed, or a scene asked to quit). While Space (the joypad's Start) is
// held, a scene that plays on by itself gets up to four updates before the
// frame is drawn; F12 saves the drawn frame (game/screenshot.h).
bool RunFrame();

// The time the last RunFrame spent on the game's own work: input, updates,
// the draw records and their queue; the picture's presentation (and the
// wait for the next frame) are left out. Processor time of the main thread,
// so it reads the same on a busy machine and on a virtual clock.
double LastFrameWorkSeconds();

// Start-up (the stage summaries printed once), frames until the end,
// clean-up. Returns the exit code: 0 after a normal end, 1 after an error
// that ended the game (logged and printed).
int RunGame();

// Deletes the replay files left under dat/replay/ (below `dataDir`), if any.
void DeleteReplayFiles(const std::string& dataDir = "dat");
