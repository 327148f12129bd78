// Shortcut texts and caption accelerators.
#include "Menus.h"

#include <algorithm>

namespace {
struct TKeyName {
    WORD Key;
    const char* Name;
};
constexpr TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_ESCAPE, "Esc"}, {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},    {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},  {VK_INSERT, "Ins"},   {VK_DELETE, "Del"}};

// Other keys by the keyboard layout's name for them.
std::string LayoutKeyName(WORD key) {
    UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    wchar_t name[32] = {};
    int n = scan ? GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 32) : 0;
    return Utf16ToUtf8(
        std::u16string(reinterpret_cast<const char16_t*>(name), static_cast<size_t>(std::max(n, 0))));
}

std::string KeyName(WORD key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
    if (key >= VK_F1 && key <= VK_F24) return "F" + IntToStr(key - VK_F1 + 1);
    for (const TKeyName& k : KeyNames)
        if (k.Key == key) return k.Name;
    return LayoutKeyName(key);
}

WCHAR UpperChar(WPARAM c) {
    // CharUpperW takes a single character in the low word of its "string" argument.
    return static_cast<WCHAR>(reinterpret_cast<UINT_PTR>(CharUpperW(reinterpret_cast<LPWSTR>(c & 0xFFFF))));
}
} // namespace

std::string ShortCutToText(TShortCut shortCut) {
    std::string name = KeyName(shortCut & 0xFF);
    if (name.empty()) return {};
    std::string text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    return text + name;
}

TShortCut ShortCutOfKey(WPARAM key) {
    return static_cast<TShortCut>((key & 0xFF) | (GetKeyState(VK_SHIFT) < 0 ? scShift : 0) |
                                  (GetKeyState(VK_CONTROL) < 0 ? scCtrl : 0) |
                                  (GetKeyState(VK_MENU) < 0 ? scAlt : 0));
}

bool IsAccel(WPARAM charCode, const std::string& caption) {
    std::u16string text = Utf8ToUtf16(caption);
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] != u'&') return UpperChar(text[i + 1]) == UpperChar(charCode);
        ++i;
    }
    return false;
}

std::string StripHotkey(const std::string& caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') ++i;
        if (i < caption.size()) out += caption[i];
    }
    return out;
}
