#include "runtime/key_manager.h"

#include <cstddef>
#include <stdexcept>
#include <string>

#include "runtime/gamelib/gamelib.h"

namespace {

constexpr int kNoPadBit = PAD_INPUT_28;  // never pressed on any joypad
constexpr int kNoKey = 0;

// Layout 0, one entry per EGameKey.
constexpr std::array<int, kGameKeyCount> kKeyboardLayout0 = {
    KEY_INPUT_J,      KEY_INPUT_I,     KEY_INPUT_L,     KEY_INPUT_K,      // LEFT UP RIGHT DOWN
    KEY_INPUT_LEFT,   KEY_INPUT_UP,    KEY_INPUT_RIGHT, KEY_INPUT_DOWN,   // ARROW_*
    KEY_INPUT_Z,      KEY_INPUT_X,                                        // DECIDE CANCEL
    KEY_INPUT_A,      KEY_INPUT_S,     KEY_INPUT_Q,     KEY_INPUT_W,      // SUB1..SUB4
    KEY_INPUT_LSHIFT, KEY_INPUT_SPACE,                                    // SUB5 SUB6
    KEY_INPUT_F1,     KEY_INPUT_F2,    KEY_INPUT_F3,    KEY_INPUT_F4,
    KEY_INPUT_F5,     KEY_INPUT_F6,    KEY_INPUT_F7,    KEY_INPUT_F8,
    KEY_INPUT_F9,     KEY_INPUT_F10,   KEY_INPUT_F11,   KEY_INPUT_F12,
    KEY_INPUT_ESCAPE, kNoKey,          kNoKey,                            // ESCAPE ANALOG_X ANALOG_Y
};

// Joypad bits of keys 0..15 before the player's assignment is applied.
constexpr std::array<int, 16> kDefaultPad = {
    PAD_INPUT_LEFT, PAD_INPUT_UP, PAD_INPUT_RIGHT, PAD_INPUT_DOWN,
    PAD_INPUT_LEFT, PAD_INPUT_UP, PAD_INPUT_RIGHT, PAD_INPUT_DOWN,
    PAD_INPUT_1,    PAD_INPUT_2,  PAD_INPUT_3,     PAD_INPUT_4,
    PAD_INPUT_5,    PAD_INPUT_6,  PAD_INPUT_7,     PAD_INPUT_8,
};

// The hat's own bits: a direction always answers to them, whatever the
// player assigned.
constexpr std::array<int, 4> kFixedDirectionPad = {PAD_INPUT_LEFT, PAD_INPUT_UP, PAD_INPUT_RIGHT, PAD_INPUT_DOWN};

int Index(EGameKey k) {
  const int i = static_cast<int>(k);
  if (i < 0 || i >= kGameKeyCount) {
    throw std::runtime_error("not a game key: " + std::to_string(i));
  }
  return i;
}

}  // namespace

CKeyManager::CKeyManager(const std::vector<std::int32_t>& joypadAssign_, int layout_)
    : joypadAssign(joypadAssign_), layout(layout_) {
  if (layout != 0) {
    throw std::runtime_error("unknown keyboard layout " + std::to_string(layout) + " (only layout 0 exists)");
  }
  keyboardMap = kKeyboardLayout0;
  for (std::size_t i = 0; i < kDefaultPad.size(); ++i) padMap[i] = kDefaultPad[i];
  LoadPadConfig();
  for (std::size_t i = kDefaultPad.size(); i < padMap.size(); ++i) padMap[i] = kNoPadBit;
  // Keys held while the game starts must be released before they count.
  pushedBefore.fill(true);
  pushedNow.fill(true);
}

void CKeyManager::Update() {
  pushedBefore = pushedNow;
  for (int k = 0; k < kGameKeyCount; ++k) {
    state[k] = IsRawDown(static_cast<EGameKey>(k)) ? 1 : 0;
  }
  int x = 0;
  int y = 0;
  GetJoypadAnalogInput(&x, &y, DX_INPUT_PAD1);
  state[static_cast<int>(EGameKey::ANALOG_X)] = x;
  state[static_cast<int>(EGameKey::ANALOG_Y)] = y;
}

int CKeyManager::GetDirection9() const {
  const bool left = IsDown(EGameKey::LEFT);
  const bool up = IsDown(EGameKey::UP);
  const bool right = IsDown(EGameKey::RIGHT);
  const bool down = IsDown(EGameKey::DOWN);
  // Left wins over right and up over down when both are held.
  if (left) return up ? 6 : down ? 0 : 3;
  if (up) return right ? 8 : 7;
  if (right) return down ? 2 : 5;
  if (down) return 1;
  return 4;
}

bool CKeyManager::IsRawDown(EGameKey k) const { return IsKeyboardDown(k) || IsPadDown(k); }

bool CKeyManager::DetectPush(int k, bool down) {
  if (down) {
    if (pushedBefore[k]) return false;  // still held since an earlier push
    pushedNow[k] = true;
    return true;
  }
  if (pushedBefore[k]) pushedNow[k] = false;  // seen released: the next press counts
  return false;
}

bool CKeyManager::IsKeyboardPush(EGameKey k) { return DetectPush(Index(k), IsKeyboardDown(k)); }

bool CKeyManager::IsDown(EGameKey k) const { return state[Index(k)] == 1; }

bool CKeyManager::IsPush(EGameKey k, bool edge) {
  const int i = Index(k);
  if (!edge) return state[i] == 1;
  return DetectPush(i, state[i] == 1);
}

void CKeyManager::LoadPadConfig() {
  // Only the directions and the buttons follow the player's assignment; the
  // arrow keys keep the hat. A short assignment leaves the rest at defaults.
  const auto& assign = joypadAssign;
  for (std::size_t i = 0; i < kDefaultPad.size(); ++i) {
    if (i >= 4 && i < 8) continue;
    padMap[i] = i < assign.size() ? assign[i] : kDefaultPad[i];
  }
}

int CKeyManager::GetAnalogX() const { return state[static_cast<int>(EGameKey::ANALOG_X)]; }

int CKeyManager::GetAnalogY() const { return state[static_cast<int>(EGameKey::ANALOG_Y)]; }

void CKeyManager::ResetPushState() {
  pushedBefore.fill(true);
  pushedNow.fill(true);
}

bool CKeyManager::IsKeyboardDown(EGameKey k) const {
  const int i = Index(k);
  auto hit = [](int code) { return code != kNoKey && CheckHitKey(code) != 0; };
  // The four directions answer to both their letter key and their arrow.
  if (i < 4) return hit(keyboardMap[i]) || hit(keyboardMap[i + 4]);
  return hit(keyboardMap[i]);
}

bool CKeyManager::IsPadDown(EGameKey k) const {
  const int i = Index(k);
  if (i >= kPadKeyCount) return false;
  const int s = GetJoypadInputState(DX_INPUT_PAD1);
  if (i < 4 && (s & kFixedDirectionPad[i]) != 0) return true;
  return (s & padMap[i]) != 0;
}

int CKeyManager::GetKeyCode(EGameKey k) const { return keyboardMap[Index(k)]; }

int CKeyManager::GetPadMask(EGameKey k) const {
  const int i = Index(k);
  return i < kPadKeyCount ? padMap[i] : 0;
}
