// TPopupMenu: shown at a point with TrackPopupMenuEx; a hidden window of its own hears the messages
// the system sends about it and hands them to the items.
#include "Menus.h"

#include "Forms.h"

const TEnumNames PopupAlignmentNames{"paLeft", "paRight", "paCenter"};

namespace {
constexpr wchar_t OwnerClassName[] = L"QlMenuOwner";

LRESULT CALLBACK MenuOwnerProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    try {
        if (DispatchMenuMessage(m)) return m.Result;
    } catch (...) {
        Application->HandleException(std::current_exception());
        return 0;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
}

// A hidden top-level window: a message-only one cannot own the menu window the system makes.
HWND CreateOwnerWindow() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    if (!GetClassInfoW(instance, OwnerClassName, &wc)) {
        wc.lpfnWndProc = MenuOwnerProc;
        wc.hInstance = instance;
        wc.lpszClassName = OwnerClassName;
        if (!RegisterClassW(&wc)) return nullptr;
    }
    return CreateWindowExW(WS_EX_TOOLWINDOW, OwnerClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           instance, nullptr);
}
} // namespace

const TClassInfo& TPopupMenu::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TPopupMenu>("TPopupMenu", TMenu::StaticClassInfo())
            .Creatable()
            .Enum("Alignment", PopupAlignmentNames, &TPopupMenu::Alignment, &TPopupMenu::Alignment)
            .Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::AutoPopup)
            .Event("OnPopup", &TPopupMenu::OnPopup)
            .Build();
    return info;
}

void TPopupMenu::SetPopupComponent(TComponent* v) {
    SetReference(FPopupComponent, v);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove) ForgetReference(FPopupComponent, AComponent);
}

HWND TPopupMenu::OwnerWindow() {
    if (!FOwnerWindow) FOwnerWindow.reset(CreateOwnerWindow());
    if (!FOwnerWindow) throw EMenuError("Cannot create the window of a pop-up menu");
    return FOwnerWindow.get();
}

void TPopupMenu::Popup(int X, int Y) {
    static const UINT alignments[] = {TPM_LEFTALIGN, TPM_RIGHTALIGN, TPM_CENTERALIGN};
    OnPopup(this);
    TrackPopupMenuEx(Handle(), alignments[Alignment] | TPM_RIGHTBUTTON, X, Y, OwnerWindow(), nullptr);
}
