// A whole campaign played through the keys alone, as a player would: the
// title, the camp, the map list, the sortie, every battle, the result
// dialog, spending points and money, saving after every victory, and a lost
// map tried again from the last save, until the bonus map is won.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct SCampaignResult {
  int mapsCleared = 0;
  bool bonusOpened = false;
  bool bonusCleared = false;
  int battles = 0;
  long frames = 0;
  int saves = 0;
};

// Runs the game (set up for a campaign) from its title for at most
// `maxFrames` frames. `print` gets one line per finished battle:
//   battle K stage S result cleared|gameover|gaveup turns T frames F
// `afterFrame`, when given, is called after every frame with its number.
// Throws std::runtime_error when the game stops taking the keys anywhere.
SCampaignResult PlayCampaign(long maxFrames, const std::function<void(const std::string&)>& print,
                             const std::function<void(long)>& afterFrame = {});
