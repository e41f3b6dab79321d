#include "persist/option_info.h"

#include "runtime/gamelib/gamelib.h"

void COptionInfo::ResetToDefaults() {
  soundEnabled = true;
  joypadAssign = {PAD_INPUT_LEFT, PAD_INPUT_UP, PAD_INPUT_RIGHT, PAD_INPUT_DOWN,
                  PAD_INPUT_LEFT, PAD_INPUT_UP, PAD_INPUT_RIGHT, PAD_INPUT_DOWN,
                  PAD_INPUT_1,    PAD_INPUT_2,  PAD_INPUT_3,     PAD_INPUT_4,
                  PAD_INPUT_5,    PAD_INPUT_6,  PAD_INPUT_7,     PAD_INPUT_8};
}
