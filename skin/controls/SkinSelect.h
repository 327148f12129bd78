// Which skinner takes over a control: by framework class (the selection chain), by the skin data's
// Skin3rd keywords (controls of other makers) and by window class (bare windows). Each rule is a
// row of a const table; a control family is added with one row and its skinner's source pair.
#pragma once

#include "SkinControlList.h"
#include "WinSkinData.h"

#include <optional>
#include <string>

// Makes a skinner for the control, attached and listed (null when none is made).
using TAttachControl = TSkinControl* (*)(TControl& Control, TSkinControlList& List, bool ParentBK);
// Makes a skinner for a bare window, owned by the list, attached and listed.
using TAttachWindow = TSkinControl* (*)(HWND Wnd, TSkinControlList& List);
using TSkinGate = bool (*)(const TSkinData& Skin);

template <TSkinControlType T> bool Gated(const TSkinData& Skin) {
    return Skin.SkinControls.Contains(T);
}
inline bool Ungated(const TSkinData&) {
    return true;
}

template <class S> TSkinControl* AttachNew(TControl& Control, TSkinControlList& List, bool ParentBK) {
    auto* s = new S(&Control);
    s->Init(&List, List.SkinData, &List.ControlCanvas, ParentBK);
    return s;
}
template <class S> TSkinControl* AttachNewHwnd(HWND Wnd, TSkinControlList& List) {
    auto* s = new S(&List);
    s->Inithwnd(Wnd, List.SkinData, &List.ControlCanvas, &List);
    return s;
}

// The keyword of the class in a Skin3rd list ("Class=keyword" lines; class compared without case).
std::optional<std::string> Skin3rdKeyword(const TStrings& Skin3rd, const std::string& ClassName);

// The skinner a framework control gets (attached and listed), or null.
TSkinControl* SelectSkinner(TControl& Control, TSkinControlList& List);
// The skinner a bare window gets (attached and listed), or null; child windows of containers
// (dialogs, panels) go through the same table.
TSkinControl* SelectHwndSkinner(HWND Wnd, TSkinControlList& List);

// The kinds of a "button" window, from its type (style & 0xF).
enum TButtonKind { bkNone, bkPush, bkCheck, bkRadio, bkGroup };
TButtonKind ButtonKind(LONG_PTR Style);
// A scroll-bar window that is a size box or size grip.
bool IsSizeBox(LONG_PTR Style);
