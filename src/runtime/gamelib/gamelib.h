// The game library layer: window and frame, time, images, drawing, fonts,
// one-line text entry, sound, keyboard and joypad, as plain functions with
// integer handles. Implemented on SDL2; this header includes no SDL header.
//
// Handles: 0 is "nothing" (drawing or playing it does nothing), -1 is a load
// that failed. Every function returns 0 on success and -1 on failure unless
// it says otherwise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// ---- constants ------------------------------------------------------------
constexpr int DX_SCREEN_BACK = -2;
constexpr int DX_SCREEN_FRONT = -1;

constexpr int DX_DRAWMODE_NEAREST = 0;
constexpr int DX_DRAWMODE_BILINEAR = 1;

constexpr int DX_BLENDMODE_NOBLEND = 0;
constexpr int DX_BLENDMODE_ALPHA = 1;
constexpr int DX_BLENDMODE_ADD = 2;
constexpr int DX_BLENDMODE_MUL = 3;

constexpr int DX_FONTTYPE_NORMAL = 0;
constexpr int DX_FONTTYPE_EDGE = 1;
constexpr int DX_FONTTYPE_ANTIALIASING = 2;
constexpr int DX_FONTTYPE_ANTIALIASING_EDGE = 3;

constexpr int DX_SOUNDDATATYPE_MEMNOPRESS = 0;
constexpr int DX_SOUNDDATATYPE_MEMPRESS = 2;

constexpr int DX_PLAYTYPE_NORMAL = 0;  // blocks until the sound ends (never used by the game)
constexpr int DX_PLAYTYPE_BACK = 1;    // once, in the background
constexpr int DX_PLAYTYPE_LOOP = 3;    // looping, in the background

constexpr int DX_INPUT_PAD1 = 1;

// Joypad button bits as GetJoypadInputState reports them.
constexpr int PAD_INPUT_DOWN = 0x00000001;
constexpr int PAD_INPUT_LEFT = 0x00000002;
constexpr int PAD_INPUT_RIGHT = 0x00000004;
constexpr int PAD_INPUT_UP = 0x00000008;
constexpr int PAD_INPUT_1 = 0x00000010;
constexpr int PAD_INPUT_2 = 0x00000020;
constexpr int PAD_INPUT_3 = 0x00000040;
constexpr int PAD_INPUT_4 = 0x00000080;
constexpr int PAD_INPUT_5 = 0x00000100;
constexpr int PAD_INPUT_6 = 0x00000200;
constexpr int PAD_INPUT_7 = 0x00000400;
constexpr int PAD_INPUT_8 = 0x00000800;
constexpr int PAD_INPUT_9 = 0x00001000;
constexpr int PAD_INPUT_10 = 0x00002000;
constexpr int PAD_INPUT_28 = static_cast<int>(0x80000000u);

// Keyboard key codes for CheckHitKey. The values are the physical key
// positions of the keyboard (USB usage ids); 0 means "no key".
constexpr int KEY_INPUT_A = 4;
constexpr int KEY_INPUT_B = 5;
constexpr int KEY_INPUT_C = 6;
constexpr int KEY_INPUT_D = 7;
constexpr int KEY_INPUT_E = 8;
constexpr int KEY_INPUT_F = 9;
constexpr int KEY_INPUT_G = 10;
constexpr int KEY_INPUT_H = 11;
constexpr int KEY_INPUT_I = 12;
constexpr int KEY_INPUT_J = 13;
constexpr int KEY_INPUT_K = 14;
constexpr int KEY_INPUT_L = 15;
constexpr int KEY_INPUT_M = 16;
constexpr int KEY_INPUT_N = 17;
constexpr int KEY_INPUT_O = 18;
constexpr int KEY_INPUT_P = 19;
constexpr int KEY_INPUT_Q = 20;
constexpr int KEY_INPUT_R = 21;
constexpr int KEY_INPUT_S = 22;
constexpr int KEY_INPUT_T = 23;
constexpr int KEY_INPUT_U = 24;
constexpr int KEY_INPUT_V = 25;
constexpr int KEY_INPUT_W = 26;
constexpr int KEY_INPUT_X = 27;
constexpr int KEY_INPUT_Y = 28;
constexpr int KEY_INPUT_Z = 29;
constexpr int KEY_INPUT_1 = 30;
constexpr int KEY_INPUT_0 = 39;
constexpr int KEY_INPUT_RETURN = 40;
constexpr int KEY_INPUT_ESCAPE = 41;
constexpr int KEY_INPUT_BACK = 42;
constexpr int KEY_INPUT_TAB = 43;
constexpr int KEY_INPUT_SPACE = 44;
constexpr int KEY_INPUT_F1 = 58;
constexpr int KEY_INPUT_F2 = 59;
constexpr int KEY_INPUT_F3 = 60;
constexpr int KEY_INPUT_F4 = 61;
constexpr int KEY_INPUT_F5 = 62;
constexpr int KEY_INPUT_F6 = 63;
constexpr int KEY_INPUT_F7 = 64;
constexpr int KEY_INPUT_F8 = 65;
constexpr int KEY_INPUT_F9 = 66;
constexpr int KEY_INPUT_F10 = 67;
constexpr int KEY_INPUT_F11 = 68;
constexpr int KEY_INPUT_F12 = 69;
constexpr int KEY_INPUT_DELETE = 76;
constexpr int KEY_INPUT_RIGHT = 79;
constexpr int KEY_INPUT_LEFT = 80;
constexpr int KEY_INPUT_DOWN = 81;
constexpr int KEY_INPUT_UP = 82;
constexpr int KEY_INPUT_LCONTROL = 224;
constexpr int KEY_INPUT_LSHIFT = 225;
constexpr int KEY_INPUT_LALT = 226;
constexpr int KEY_INPUT_RCONTROL = 228;
constexpr int KEY_INPUT_RSHIFT = 229;
constexpr int KEY_INPUT_RALT = 230;
constexpr int KEY_CODE_COUNT = 512;

// ---- start and frame ------------------------------------------------------
int SetOutApplicationLogValidFlag(int flag);
int SetWindowIconID(int id);
int SetMainWindowText(const char* text);
int SetGraphMode(int width, int height, int colorBits, int refreshRate);
int ChangeWindowMode(int windowed);
int SetUseFPUPreserveFlag(int flag);
int SetWaitVSyncFlag(int flag);
// Opens the window and the renderer, fonts and audio. Returns -1 when no
// window can be had; GameLib_GetLastError() then says why.
int GameLib_Init();
const char* GameLib_GetLastError();
// Ends the library: every image, font, sound and text-entry handle becomes invalid.
int GameLib_End();
int SetTransColor(int r, int g, int b);
int SetDrawMode(int mode);
// Handles the window's events. Non-zero once the window was closed.
int ProcessMessage();
int SetDrawScreen(int screen);
int ClsDrawScreen();
int ScreenFlip();

// ---- time -------------------------------------------------------------------
int GetNowCount();           // milliseconds since the library started
int WaitTimer(int milliseconds);

// ---- images -----------------------------------------------------------------
int LoadGraph(const char* path);
// Splits an image into allNum cells of w x h, xNum across, row by row, and
// writes one handle per cell into handles[0..allNum-1].
int LoadDivGraph(const char* path, int allNum, int xNum, int yNum, int w, int h, int* handles);
// One handle for the w x h rectangle at (x, y) of the picture in the file,
// or -1 when the file cannot be read or the rectangle leaves the picture.
// Like LoadDivGraph it cuts from a picture of that file already held.
int CutGraph(const char* path, int x, int y, int w, int h);
int DeleteGraph(int handle);
int GetGraphSize(int handle, int* width, int* height);

// ---- drawing ----------------------------------------------------------------
unsigned int GetColor(int r, int g, int b);
int DrawGraph(int x, int y, int handle, int transFlag);
int DrawTurnGraph(int x, int y, int handle, int transFlag);
int DrawExtendGraph(int x1, int y1, int x2, int y2, int handle, int transFlag);
// (x, y) is the image centre; angle in radians, clockwise.
int DrawRotaGraph(int x, int y, double rate, double angle, int handle, int transFlag, int turnFlag = FALSE);
// The box covers x1 <= x < x2, y1 <= y < y2.
int DrawBox(int x1, int y1, int x2, int y2, unsigned int color, int fillFlag);
int DrawLine(int x1, int y1, int x2, int y2, unsigned int color, int thickness = 1);
int SetDrawBlendMode(int blendMode, int param);
int SetDrawBright(int r, int g, int b);
// Clip area, x1 <= x < x2, y1 <= y < y2.
int SetDrawArea(int x1, int y1, int x2, int y2);

// ---- text -------------------------------------------------------------------
// fontName null or empty: the game's default face (a Japanese-capable sans
// serif found through fontconfig). Returns a font handle, or -1.
int CreateFontToHandle(const char* fontName, int size, int thick, int fontType,
                       int charSet = -1, int edgeSize = -1, int italic = FALSE, int handle = -1);
int SetFontSize(int size);  // size of the library's default font
int DrawStringToHandle(int x, int y, const char* text, unsigned int color, int fontHandle,
                       unsigned int edgeColor = 0, int verticalFlag = FALSE);
int GetDrawStringWidthToHandle(const char* text, int byteLength, int fontHandle);
// Any pointer may be null.
int GetFontStateToHandle(std::string* fontName, int* size, int* thick, int fontHandle);

// ---- one-line text entry --------------------------------------------------
int MakeKeyInput(int maxLength, int cancelValidFlag, int singleByteOnlyFlag, int numberOnlyFlag);
int SetActiveKeyInput(int inputHandle);
int SetKeyInputString(const char* text, int inputHandle);
std::string GetKeyInputString(int inputHandle);
// 0 while editing, 1 when finished with Enter, 2 when cancelled with Escape,
// -1 for an unknown handle.
int CheckKeyInput(int inputHandle);
int DrawKeyInputString(int x, int y, int inputHandle);
int DrawKeyInputModeString(int x, int y);
int DeleteKeyInput(int inputHandle);

// ---- sound ------------------------------------------------------------------
int SetCreateSoundDataType(int type);
int LoadSoundMem(const char* path, int bufferNum = 3, int unionHandle = -1);
int DeleteSoundMem(int soundHandle);
int PlaySoundMem(int soundHandle, int playType, int topPositionFlag = TRUE);
int StopSoundMem(int soundHandle);
int CheckSoundMem(int soundHandle);  // 1 while playing
int ChangeVolumeSoundMem(int volume255, int soundHandle);
int SetFrequencySoundMem(int frequency, int soundHandle);

// ---- devices ------------------------------------------------------------------
int CheckHitKey(int keyCode);  // 1 while the key is held
int GetJoypadInputState(int inputType);
int GetJoypadAnalogInput(int* x, int* y, int inputType);  // -1000..1000

// ---- test seams (all off unless a test turns them on) ----------------------
namespace gamelib_test {

// Makes SDL use its offscreen video driver and dummy audio driver. Call
// before GameLib_Init. Only tests and tools call it; the game never does.
void UseHeadlessDrivers();

// Virtual clock: GetNowCount reads it, WaitTimer advances it at once.
void UseVirtualClock(bool on, int startMilliseconds = 0);
void AdvanceVirtualClock(int milliseconds);

// Injected devices: read by CheckHitKey, GetJoypadInputState and
// GetJoypadAnalogInput in addition to the real devices.
void SetKeyDown(int keyCode, bool down);
void SetJoypadBits(int bits);
void SetAnalog(int x, int y);
void ClearInjectedInput();
// Feeds text and editing keys to the active text entry.
void TypeText(const char* utf8);
void PressEditKey(int keyCode);  // KEY_INPUT_RETURN, ESCAPE, BACK, LEFT, RIGHT, DELETE

// Call recorder: every drawing and draw-state call is logged as its name and
// arguments, e.g. "SetDrawBlendMode(1,128)" or "DrawGraph(10,20,5,1)".
// While recording without an initialised library the calls do nothing else.
void StartRecording();
void StopRecording();
const std::vector<std::string>& RecordedCalls();
void ClearRecordedCalls();

// Makes ProcessMessage report the window as closed (or open again).
void RequestClose(bool close = true);

// Off: pictures, boxes and lines are not handed to the renderer (text and
// screen clears still are), so a benchmark can tell the game's own work
// from the rasteriser's.
void SetRasterising(bool on);

// The pictures held in memory: every file read, however many handles were
// cut from it.
int LoadedPictureCount();

// Reads one pixel of the back buffer as 0xRRGGBB.
unsigned int GetBackBufferPixel(int x, int y);

// Resizes the window, shows the back buffer in it as the frame's present
// would (whole-number scaling, centred) and writes what the window shows to
// a PNG file, without presenting.
int SaveWindowPicture(const char* path, int windowWidth, int windowHeight);

}  // namespace gamelib_test

// Writes the back buffer to a PNG file.
int SaveScreenshot(const char* path);
