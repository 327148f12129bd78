// How a window's styles read to the form skinner (border kind, caption icons, window state) and
// the caption buttons' rules: when a button shows, where it stands, which frame it draws.
#pragma once

#include "WinSkinData.h"

#include <windows.h>

#include <functional>
#include <string>

enum TSkinFormStyle { sfsNormal, sfsMDIform, sfsMDIChild, sfsChild };
enum TSkinFormBorder { sbsSizeable, sbsSingle, sbsNone, sbsDialog };
enum TSkinWindowState { swsNormal, swsMax, swsMin };
enum TSkinFormIcon { sbiMax, sbiMin, sbiHelp, sbisystem, sbicaption };
using TSkinFormIcons = TEnumSet<TSkinFormIcon>;

// The system dialog class and the framework's message box.
bool IsDialogClass(const std::string& className);
TSkinFormBorder BorderStyleOf(DWORD style, DWORD exStyle, bool dialogClass);
TSkinWindowState WindowStateOf(UINT showCmd);
// WM_SIZE's size type; other types keep the state.
TSkinWindowState WindowStateOfSize(WPARAM sizeType, TSkinWindowState current);
TSkinFormIcons BorderIconsOf(DWORD style, bool sysMenuKnown);
// Only Windows 2000 draws its own caption over ours: there the caption style goes while skinned.
bool StripsCaption(DWORD version, DWORD exStyle, bool owned, bool mdiChild);

// What a caption button's visibility codes are tested against.
struct TButtonScene {
    bool Maximized = false, Active = true, MDIChildMaximized = false, DialogClass = false;
    TSkinFormBorder Border = sbsSizeable;
    TSkinFormIcons Icons;
    std::function<bool(int action, int code)> Custom; // codes 1000 ... 2000: the window's own answer
};
bool ButtonVisible(const TDataSkinSysButton& b, const TButtonScene& scene);

bool IsIconAction(int action);   // opens the system menu
bool DrawsIconImage(int action); // shows the window's icon instead of an image

// Where the buttons are placed from: the window's width, its frame and two reference columns
// (RefA: buttons aligned 2 and 8 stand left of it; RefB: buttons aligned 3 and 9 right of it).
struct TButtonPlace {
    int FrameWidth = 0, BorderLeft = 0, BorderTop = 0, BorderRight = 0, MenuBarHeight = 0;
    int MenuLeft = 0;
    bool LeftScrollBar = false;
    int RefA = 0, RefB = 0;
};
POINT ButtonOrigin(const TDataSkinSysButton& b, SIZE size, const TButtonPlace& place);

// Frame of a button in a full frame paint, and while it changes state (1 normal, 2 pressed, 3 hot).
int RestingButtonFrame(bool active, int frameCount);
int StateButtonFrame(int state, int visibility);
