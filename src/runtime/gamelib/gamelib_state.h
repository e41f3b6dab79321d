// Shared state of the game library layer. Private to src/runtime/gamelib.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "runtime/gamelib/gamelib.h"

namespace gamelib_detail {

struct Image {
  SDL_Texture* keyed = nullptr;   // magenta made transparent
  SDL_Texture* opaque = nullptr;  // as in the file, made on first use
  SDL_Surface* surface = nullptr; // kept for the opaque texture; owned by the sheet
  SDL_Rect src{0, 0, 0, 0};
  int sheet = 0;                  // handle that owns the textures (itself for a whole image)
  // For a whole image only:
  std::string path;               // the file it was read from
  int cells = 0;                  // live handles cut from it
  bool ownedByCells = false;      // nobody holds its own handle: it goes with its last cell
};

struct Sound {
  Mix_Chunk* chunk = nullptr;
  Mix_Chunk* pitched = nullptr;  // resampled copy after SetFrequencySoundMem
  Mix_Music* music = nullptr;
  int channel = -1;
  int volume = 255;
};

struct Font {
  TTF_Font* face = nullptr;
  // Latin letters come from a face drawn for small sizes, no wider than the
  // main face's half-width cell; nullptr when there is none. `latinRise`
  // puts its baseline on the main face's.
  TTF_Font* latin = nullptr;
  int latinRise = 0;
  bool heavy = false;  // strokes doubled one pixel to the right
  int size = 16;
  int thick = 6;
  int type = DX_FONTTYPE_NORMAL;
  int edge = 0;
  bool antialias = false;
};

struct KeyInput {
  int maxLength = 0;
  bool cancelValid = true;
  bool singleByteOnly = false;
  bool numberOnly = false;
  std::vector<std::string> chars;  // one UTF-8 character per entry
  size_t cursor = 0;
  int state = 0;                   // 0 editing, 1 finished, 2 cancelled
};

struct CachedText {
  SDL_Texture* texture = nullptr;
  int w = 0, h = 0;
  uint64_t lastUse = 0;
};

struct State {
  // configuration before start-up
  std::string title = "";
  int screenW = 640, screenH = 480;
  bool windowed = true;
  int iconId = 0;

  bool initialised = false;
  bool closeRequested = false;
  bool fullscreen = false;
  std::string lastError;
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* backBuffer = nullptr;

  // drawing state
  int transR = 255, transG = 0, transB = 255;
  int drawMode = DX_DRAWMODE_NEAREST;
  int blendMode = DX_BLENDMODE_NOBLEND;
  int blendParam = 255;
  int brightR = 255, brightG = 255, brightB = 255;
  SDL_Rect clip{0, 0, 640, 480};

  std::map<int, Image> images;
  std::unordered_map<std::string, int> picturesByPath;  // whole images read from a file
  int nextImage = 1;

  // text
  bool ttfReady = false;
  std::string fontPath;
  std::string latinFontPath;
  std::map<int, Font> fonts;
  // Font files read whole, by path: faces read their glyphs from memory.
  std::map<std::string, std::vector<unsigned char>> fontFiles;
  int nextFont = 1;
  int defaultFont = -1;
  int defaultFontSize = 16;
  std::map<std::string, CachedText> textCache;
  uint64_t textUse = 0;
  std::unordered_map<std::string, int> textWidths;  // measured widths, keyed like the text cache

  // text entry
  std::map<int, KeyInput> keyInputs;
  int nextKeyInput = 1;
  int activeKeyInput = -1;

  // sound
  bool audioReady = false;
  bool audioWarned = false;
  std::map<int, Sound> sounds;
  int nextSound = 1;

  // devices
  std::vector<SDL_GameController*> controllers;
  std::array<bool, KEY_CODE_COUNT> injectedKeys{};
  int injectedPad = 0;
  int injectedAnalogX = 0, injectedAnalogY = 0;

  // time
  bool virtualClock = false;
  int64_t virtualNow = 0;
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();

  // call recorder
  bool recording = false;
  bool rasterise = true;  // off: draw calls stop before reaching the renderer
  std::vector<std::string> calls;
};

State& S();
// True while the call recorder is on; callers test it first so that the
// arguments are only turned into text when they are recorded.
inline bool Recording() { return S().recording; }

// Records a call as Name(arg,arg,...).
void Record(const char* name, std::initializer_list<std::string> args);
std::string Arg(int v);
std::string Arg(unsigned int v);
std::string Arg(double v);
std::string Arg(const char* s);

Image* FindImage(int handle);
SDL_Texture* TextureFor(Image& image, bool transparent);
void ApplyDrawState(SDL_Texture* texture);
void ApplyPrimitiveState(unsigned int color);
SDL_Color ColorOf(unsigned int color);

bool EnsureTtf();
void ReleaseText();
void ReleaseFonts();  // every font handle becomes invalid
void ReleaseImages();
// Writes the surface as PNG with every pixel made opaque; 0 or -1.
int SaveOpaquePng(SDL_Surface* surface, const char* path);
void ReleaseSounds();
void CloseAudio();
bool OpenAudio();
void HandleTextInputEvent(const SDL_Event& e);

}  // namespace gamelib_detail
