// Window, frame, time, devices and the test seams of the game library layer.
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "runtime/gamelib/gamelib_state.h"

namespace gamelib_detail {

State& S() {
  static State state;
  return state;
}

std::string Arg(int v) { return std::to_string(v); }
std::string Arg(unsigned int v) { return std::to_string(v); }
std::string Arg(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}
std::string Arg(const char* s) { return std::string("\"") + (s ? s : "") + "\""; }

void Record(const char* name, std::initializer_list<std::string> args) {
  State& s = S();
  if (!s.recording) return;
  std::string line = name;
  line += '(';
  bool first = true;
  for (const auto& a : args) {
    if (!first) line += ',';
    line += a;
    first = false;
  }
  line += ')';
  s.calls.push_back(std::move(line));
}

namespace {

// Keys the game library reads as the keypad of a joypad.
struct PadButton {
  SDL_GameControllerButton button;
  int bit;
};
constexpr PadButton kPadButtons[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PAD_INPUT_DOWN},   {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PAD_INPUT_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PAD_INPUT_RIGHT}, {SDL_CONTROLLER_BUTTON_DPAD_UP, PAD_INPUT_UP},
    {SDL_CONTROLLER_BUTTON_A, PAD_INPUT_1},              {SDL_CONTROLLER_BUTTON_B, PAD_INPUT_2},
    {SDL_CONTROLLER_BUTTON_X, PAD_INPUT_3},              {SDL_CONTROLLER_BUTTON_Y, PAD_INPUT_4},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, PAD_INPUT_5},   {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, PAD_INPUT_6},
    {SDL_CONTROLLER_BUTTON_BACK, PAD_INPUT_7},           {SDL_CONTROLLER_BUTTON_START, PAD_INPUT_8},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, PAD_INPUT_9},      {SDL_CONTROLLER_BUTTON_RIGHTSTICK, PAD_INPUT_10},
};

constexpr int kStickDeadZone = 16000;  // of 32767: the stick counts as a direction beyond half way

void OpenController(int deviceIndex) {
  if (!SDL_IsGameController(deviceIndex)) return;
  if (SDL_GameController* c = SDL_GameControllerOpen(deviceIndex)) S().controllers.push_back(c);
}

void CloseController(SDL_JoystickID id) {
  auto& list = S().controllers;
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(*it)) == id) {
      SDL_GameControllerClose(*it);
      list.erase(it);
      return;
    }
  }
}

int InitialWindowScale() {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
  const int sx = static_cast<int>(usable.w * 0.9) / S().screenW;
  const int sy = static_cast<int>(usable.h * 0.9) / S().screenH;
  return std::clamp(std::min(sx, sy), 1, 3);
}

void ToggleFullscreen() {
  State& s = S();
  s.fullscreen = !s.fullscreen;
  SDL_SetWindowFullscreen(s.window, s.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

}  // namespace
}  // namespace gamelib_detail

using namespace gamelib_detail;

// ---- start and frame --------------------------------------------------------

int SetOutApplicationLogValidFlag(int) { return 0; }
int SetWindowIconID(int id) {
  S().iconId = id;
  return 0;
}

int SetMainWindowText(const char* text) {
  if (Recording()) Record("SetMainWindowText", {Arg(text)});
  State& s = S();
  s.title = text ? text : "";
  if (s.window) SDL_SetWindowTitle(s.window, s.title.c_str());
  return 0;
}

int SetGraphMode(int width, int height, int, int) {
  if (width <= 0 || height <= 0) return -1;
  S().screenW = width;
  S().screenH = height;
  S().clip = {0, 0, width, height};
  return 0;
}

int ChangeWindowMode(int windowed) {
  S().windowed = windowed != 0;
  return 0;
}
int SetUseFPUPreserveFlag(int) { return 0; }
int SetWaitVSyncFlag(int) { return 0; }

const char* GameLib_GetLastError() { return S().lastError.c_str(); }

int GameLib_Init() {
  State& s = S();
  if (s.initialised) return 0;
  s.closeRequested = false;
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_GAMECONTROLLER) != 0) {
    s.lastError = std::string("cannot start the display: ") + SDL_GetError();
    return -1;
  }
  const int scale = InitialWindowScale();
  Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  if (!s.windowed) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  s.fullscreen = !s.windowed;
  s.window = SDL_CreateWindow(s.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, s.screenW * scale,
                              s.screenH * scale, flags);
  if (!s.window) {
    s.lastError = std::string("cannot open the game window: ") + SDL_GetError();
    SDL_Quit();
    return -1;
  }
  SDL_SetWindowMinimumSize(s.window, s.screenW / 2, s.screenH / 2);
  s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
  if (!s.renderer) s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
  if (s.renderer) {
    s.backBuffer = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, s.screenW,
                                     s.screenH);
  }
  if (!s.renderer || !s.backBuffer) {
    s.lastError = std::string("cannot draw into the game window: ") + SDL_GetError();
    if (s.renderer) SDL_DestroyRenderer(s.renderer);
    SDL_DestroyWindow(s.window);
    s.renderer = nullptr;
    s.window = nullptr;
    SDL_Quit();
    return -1;
  }
  // The back buffer is shown with whole-number scaling: keep its pixels sharp.
  SDL_SetTextureScaleMode(s.backBuffer, SDL_ScaleModeNearest);
  SDL_SetRenderTarget(s.renderer, s.backBuffer);
  SDL_SetRenderDrawColor(s.renderer, 0, 0, 0, 255);
  SDL_RenderClear(s.renderer);
  s.clip = {0, 0, s.screenW, s.screenH};
  s.initialised = true;

  // Typed text is only collected while a text entry is active.
  SDL_StopTextInput();
  IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
  OpenAudio();
  for (int i = 0; i < SDL_NumJoysticks(); ++i) OpenController(i);
  return 0;
}

int GameLib_End() {
  State& s = S();
  if (!s.initialised) return 0;
  for (auto* c : s.controllers) SDL_GameControllerClose(c);
  s.controllers.clear();
  ReleaseSounds();
  CloseAudio();
  ReleaseText();
  ReleaseFonts();
  ReleaseImages();
  s.keyInputs.clear();
  s.activeKeyInput = -1;
  SDL_DestroyTexture(s.backBuffer);
  SDL_DestroyRenderer(s.renderer);
  SDL_DestroyWindow(s.window);
  s.backBuffer = nullptr;
  s.renderer = nullptr;
  s.window = nullptr;
  s.initialised = false;
  s.blendMode = DX_BLENDMODE_NOBLEND;
  s.blendParam = 255;
  s.brightR = s.brightG = s.brightB = 255;
  IMG_Quit();
  SDL_Quit();
  return 0;
}

int SetTransColor(int r, int g, int b) {
  S().transR = r;
  S().transG = g;
  S().transB = b;
  return 0;
}

int SetDrawMode(int mode) {
  S().drawMode = mode;
  return 0;
}

int ProcessMessage() {
  State& s = S();
  if (s.initialised) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
      switch (e.type) {
        case SDL_QUIT:
          s.closeRequested = true;
          break;
        case SDL_KEYDOWN:
          if (e.key.keysym.scancode == SDL_SCANCODE_RETURN && (e.key.keysym.mod & KMOD_ALT) && !e.key.repeat) {
            ToggleFullscreen();
            break;
          }
          HandleTextInputEvent(e);
          break;
        case SDL_TEXTINPUT:
          HandleTextInputEvent(e);
          break;
        case SDL_CONTROLLERDEVICEADDED:
          OpenController(e.cdevice.which);
          break;
        case SDL_CONTROLLERDEVICEREMOVED:
          CloseController(e.cdevice.which);
          break;
        default:
          break;
      }
    }
  }
  return s.closeRequested ? -1 : 0;
}

int SetDrawScreen(int) { return 0; }

int ClsDrawScreen() {
  if (Recording()) Record("ClsDrawScreen", {});
  State& s = S();
  if (!s.initialised) return 0;
  SDL_RenderSetClipRect(s.renderer, nullptr);
  SDL_SetRenderDrawBlendMode(s.renderer, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(s.renderer, 0, 0, 0, 255);
  SDL_RenderClear(s.renderer);
  SDL_RenderSetClipRect(s.renderer, &s.clip);
  return 0;
}

namespace {

// Draws the back buffer into the window with the whole-number scaling of the
// present; leaves the window as the render target.
void CopyBackBufferToWindow() {
  State& s = S();
  SDL_SetRenderTarget(s.renderer, nullptr);
  SDL_RenderSetClipRect(s.renderer, nullptr);
  SDL_SetRenderDrawColor(s.renderer, 0, 0, 0, 255);
  SDL_RenderClear(s.renderer);
  int outW = 0, outH = 0;
  SDL_GetRendererOutputSize(s.renderer, &outW, &outH);
  // Whole-number scaling keeps the pixel art crisp; a window smaller than the
  // game screen still shows all of it.
  const int scale = std::min(outW / s.screenW, outH / s.screenH);
  SDL_Rect dst;
  if (scale >= 1) {
    dst = {(outW - s.screenW * scale) / 2, (outH - s.screenH * scale) / 2, s.screenW * scale, s.screenH * scale};
  } else {
    const double f = std::min(static_cast<double>(outW) / s.screenW, static_cast<double>(outH) / s.screenH);
    const int w = std::max(1, static_cast<int>(s.screenW * f));
    const int h = std::max(1, static_cast<int>(s.screenH * f));
    dst = {(outW - w) / 2, (outH - h) / 2, w, h};
  }
  SDL_RenderCopy(s.renderer, s.backBuffer, nullptr, &dst);
}

void ReturnToBackBuffer() {
  State& s = S();
  SDL_SetRenderTarget(s.renderer, s.backBuffer);
  SDL_RenderSetClipRect(s.renderer, &s.clip);
}

}  // namespace

int ScreenFlip() {
  if (Recording()) Record("ScreenFlip", {});
  State& s = S();
  if (!s.initialised) return 0;
  CopyBackBufferToWindow();
  SDL_RenderPresent(s.renderer);
  ReturnToBackBuffer();
  return 0;
}

int gamelib_test::SaveWindowPicture(const char* path, int windowWidth, int windowHeight) {
  State& s = S();
  if (!s.initialised || windowWidth <= 0 || windowHeight <= 0) return -1;
  SDL_SetWindowSize(s.window, windowWidth, windowHeight);
  CopyBackBufferToWindow();
  int outW = 0, outH = 0;
  SDL_GetRendererOutputSize(s.renderer, &outW, &outH);
  int rc = -1;
  if (SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, outW, outH, 32, SDL_PIXELFORMAT_ARGB8888)) {
    if (SDL_RenderReadPixels(s.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, surface->pixels, surface->pitch) == 0) {
      rc = SaveOpaquePng(surface, path);
    }
    SDL_FreeSurface(surface);
  }
  ReturnToBackBuffer();
  return rc;
}

// ---- time -----------------------------------------------------------------------

int GetNowCount() {
  State& s = S();
  if (s.virtualClock) return static_cast<int>(s.virtualNow);
  const auto elapsed = std::chrono::steady_clock::now() - s.start;
  return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

int WaitTimer(int milliseconds) {
  if (milliseconds <= 0) return 0;
  State& s = S();
  if (s.virtualClock) {
    s.virtualNow += milliseconds;
    return 0;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  return 0;
}

// ---- devices ----------------------------------------------------------------------

int CheckHitKey(int keyCode) {
  if (keyCode <= 0 || keyCode >= KEY_CODE_COUNT) return 0;
  State& s = S();
  if (s.injectedKeys[keyCode]) return 1;
  if (!s.initialised) return 0;
  int count = 0;
  const Uint8* keys = SDL_GetKeyboardState(&count);
  return (keyCode < count && keys[keyCode]) ? 1 : 0;
}

int GetJoypadInputState(int inputType) {
  State& s = S();
  int bits = s.injectedPad;
  if (inputType != DX_INPUT_PAD1 || !s.initialised || s.controllers.empty()) return bits;
  SDL_GameController* c = s.controllers.front();
  for (const auto& b : kPadButtons) {
    if (SDL_GameControllerGetButton(c, b.button)) bits |= b.bit;
  }
  const int x = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
  const int y = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY);
  if (x < -kStickDeadZone) bits |= PAD_INPUT_LEFT;
  if (x > kStickDeadZone) bits |= PAD_INPUT_RIGHT;
  if (y < -kStickDeadZone) bits |= PAD_INPUT_UP;
  if (y > kStickDeadZone) bits |= PAD_INPUT_DOWN;
  return bits;
}

int GetJoypadAnalogInput(int* x, int* y, int inputType) {
  State& s = S();
  int ax = s.injectedAnalogX, ay = s.injectedAnalogY;
  if (inputType == DX_INPUT_PAD1 && s.initialised && !s.controllers.empty() && ax == 0 && ay == 0) {
    SDL_GameController* c = s.controllers.front();
    ax = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX) * 1000 / 32767;
    ay = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY) * 1000 / 32767;
  }
  if (x) *x = std::clamp(ax, -1000, 1000);
  if (y) *y = std::clamp(ay, -1000, 1000);
  return 0;
}

// ---- test seams -------------------------------------------------------------------

namespace gamelib_test {

void UseHeadlessDrivers() {
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("SDL_RENDER_DRIVER", "software", 1);
}

void UseVirtualClock(bool on, int startMilliseconds) {
  S().virtualClock = on;
  S().virtualNow = startMilliseconds;
}

void AdvanceVirtualClock(int milliseconds) { S().virtualNow += milliseconds; }

void SetKeyDown(int keyCode, bool down) {
  if (keyCode > 0 && keyCode < KEY_CODE_COUNT) S().injectedKeys[keyCode] = down;
}
void SetJoypadBits(int bits) { S().injectedPad = bits; }
void SetAnalog(int x, int y) {
  S().injectedAnalogX = x;
  S().injectedAnalogY = y;
}
void ClearInjectedInput() {
  S().injectedKeys.fill(false);
  S().injectedPad = 0;
  S().injectedAnalogX = S().injectedAnalogY = 0;
}

void StartRecording() { S().recording = true; }
void StopRecording() { S().recording = false; }
const std::vector<std::string>& RecordedCalls() { return S().calls; }
void ClearRecordedCalls() { S().calls.clear(); }

void RequestClose(bool close) { S().closeRequested = close; }

void SetRasterising(bool on) { S().rasterise = on; }

}  // namespace gamelib_test
