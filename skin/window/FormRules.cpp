#include "FormRules.h"

bool IsDialogClass(const std::string& className) {
    return className == "#32770" || className == "TMessageForm";
}

TSkinFormBorder BorderStyleOf(DWORD style, DWORD exStyle, bool dialogClass) {
    TSkinFormBorder border = sbsSingle;
    if ((style & WS_CAPTION) != WS_CAPTION)
        border = sbsNone;
    else if (style & WS_THICKFRAME)
        border = sbsSizeable;
    else if (style & DS_MODALFRAME)
        border = sbsDialog;
    if ((exStyle & WS_EX_DLGMODALFRAME) || dialogClass) border = sbsDialog;
    return border;
}

TSkinWindowState WindowStateOf(UINT showCmd) {
    switch (showCmd) {
    case SW_SHOWMAXIMIZED:
        return swsMax;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        return swsMin;
    default:
        return swsNormal;
    }
}

TSkinWindowState WindowStateOfSize(WPARAM sizeType, TSkinWindowState current) {
    switch (sizeType) {
    case SIZE_RESTORED:
        return swsNormal;
    case SIZE_MINIMIZED:
        return swsMin;
    case SIZE_MAXIMIZED:
        return swsMax;
    default:
        return current;
    }
}

TSkinFormIcons BorderIconsOf(DWORD style, bool sysMenuKnown) {
    TSkinFormIcons icons;
    if (style & WS_MAXIMIZEBOX) icons.Include(sbiMax);
    if (style & WS_MINIMIZEBOX) icons.Include(sbiMin);
    if ((style & WS_SYSMENU) || sysMenuKnown) icons.Include(sbisystem);
    return icons;
}

bool StripsCaption(DWORD version, DWORD exStyle, bool owned, bool mdiChild) {
    bool nt = !(version & 0x80000000u);
    bool win2000 = nt && LOBYTE(LOWORD(version)) == 5 && HIBYTE(LOWORD(version)) == 0;
    return win2000 && ((exStyle & WS_EX_APPWINDOW) || (!owned && !mdiChild));
}

namespace {

enum class TVisRule {
    Never,
    Always,
    Maximized,
    NotMaximized,
    Active,
    Inactive,
    HasMax,
    LacksMax,
    HasMin,
    LacksMin,
    MDIChildMaximized,
    DialogBorder,
    Custom
};

struct TVisRange {
    int Lo, Hi;
    TVisRule Rule;
};

// Codes outside every range never show.
constexpr TVisRange VisibilityRanges[] = {
    {0, 0, TVisRule::Always},           {1, 1, TVisRule::Maximized},
    {2, 2, TVisRule::NotMaximized},     {3, 3, TVisRule::Active},
    {4, 4, TVisRule::Inactive},         {6, 6, TVisRule::HasMax},
    {7, 7, TVisRule::LacksMax},         {8, 8, TVisRule::HasMin},
    {9, 9, TVisRule::LacksMin},         {100, 100, TVisRule::MDIChildMaximized},
    {200, 200, TVisRule::DialogBorder}, {201, 999, TVisRule::Always},
    {1000, 2000, TVisRule::Custom},
};

TVisRule RuleOf(int code) {
    for (const TVisRange& r : VisibilityRanges)
        if (code >= r.Lo && code <= r.Hi) return r.Rule;
    return TVisRule::Never;
}

// `second`: the code is Visibility1, whose box rules do not ask for the system menu and whose
// custom codes always hold.
bool Holds(int action, int code, bool second, const TButtonScene& s) {
    bool sys = second || s.Icons.Contains(sbisystem);
    switch (RuleOf(code)) {
    case TVisRule::Never:
        return false;
    case TVisRule::Always:
        return true;
    case TVisRule::Maximized:
        return s.Maximized;
    case TVisRule::NotMaximized:
        return !s.Maximized;
    case TVisRule::Active:
        return s.Active;
    case TVisRule::Inactive:
        return !s.Active;
    case TVisRule::HasMax:
        return s.Icons.Contains(sbiMax) && sys;
    case TVisRule::LacksMax:
        return !s.Icons.Contains(sbiMax);
    case TVisRule::HasMin:
        return s.Icons.Contains(sbiMin) && sys;
    case TVisRule::LacksMin:
        return !s.Icons.Contains(sbiMin);
    case TVisRule::MDIChildMaximized:
        return s.MDIChildMaximized;
    case TVisRule::DialogBorder:
        return !s.DialogClass && s.Border == sbsDialog;
    case TVisRule::Custom:
        return second || (s.Custom && s.Custom(action, code));
    }
    return false;
}

bool ActionAllowed(int action, const TButtonScene& s) {
    switch (action) {
    case 0:
        return s.Icons.Contains(sbisystem);
    case 1:
        return s.Icons.Contains(sbiMax);
    case 2:
        return s.Icons.Contains(sbiMin);
    default:
        return !(IsIconAction(action) && s.Border == sbsDialog);
    }
}

} // namespace

bool ButtonVisible(const TDataSkinSysButton& b, const TButtonScene& scene) {
    return Holds(b.Action, b.Visibility, false, scene) && Holds(b.Action, b.Visibility1, true, scene) &&
           ActionAllowed(b.Action, scene);
}

bool IsIconAction(int action) {
    return action == 3 || action == 11 || action == 12;
}

bool DrawsIconImage(int action) {
    return action == 3 || action == 11;
}

POINT ButtonOrigin(const TDataSkinSysButton& b, SIZE size, const TButtonPlace& p) {
    switch (b.Align) {
    case 0:
        return {b.XCoord, b.YCoord};
    case 1:
        return {p.FrameWidth - b.XCoord, b.YCoord};
    case 2:
    case 8:
        return {p.RefA - size.cx - b.XCoord, b.YCoord};
    case 3:
    case 9:
        return {b.XCoord + p.RefB, b.YCoord};
    case 100: {
        int x = p.LeftScrollBar ? b.XCoord + p.BorderLeft + p.MenuLeft
                                : p.FrameWidth - b.XCoord - p.BorderRight - p.MenuLeft;
        return {x, p.BorderTop + (p.MenuBarHeight - size.cy) / 2};
    }
    default:
        return {0, 0};
    }
}

int RestingButtonFrame(bool active, int frameCount) {
    return !active && frameCount >= 4 ? 4 : 1;
}

int StateButtonFrame(int state, int visibility) {
    return visibility == 100 && state == 3 ? 4 : state;
}
