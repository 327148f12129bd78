// TSubclass: the window property of a kind points to its link; the kind's static procedure finds
// the link, hands the message to the subclass that owns it, and passes on what it is given back.
#include "SubClass.h"

#include "ErrorSink.h"

#include <memory>
#include <utility>

struct TSubclassLink {
    TSubclass* Owner = nullptr; // null once its subclass let go while others were above it
    WNDPROC Previous = nullptr;
    bool Unicode = true;
    int Calls = 0;         // dispatches through it still running
    bool Unhooked = false; // out of the chain: freed when the last dispatch returns
};

namespace {
WNDPROC SetProc(HWND wnd, bool unicode, WNDPROC proc) {
    auto value = reinterpret_cast<LONG_PTR>(proc);
    return reinterpret_cast<WNDPROC>(unicode ? SetWindowLongPtrW(wnd, GWLP_WNDPROC, value)
                                             : SetWindowLongPtrA(wnd, GWLP_WNDPROC, value));
}

// Read the way it was set: the other character set would give a stand-in handle instead.
bool OnTop(HWND wnd, const TSubclassLink& link, WNDPROC proc) {
    LONG_PTR current =
        link.Unicode ? GetWindowLongPtrW(wnd, GWLP_WNDPROC) : GetWindowLongPtrA(wnd, GWLP_WNDPROC);
    return reinterpret_cast<WNDPROC>(current) == proc;
}

LRESULT CallProc(WNDPROC proc, bool unicode, HWND wnd, const TMessage& m) {
    return unicode ? CallWindowProcW(proc, wnd, m.Msg, m.WParam, m.LParam)
                   : CallWindowProcA(proc, wnd, m.Msg, m.WParam, m.LParam);
}

bool OfThisThread(HWND wnd) {
    return wnd && GetWindowThreadProcessId(wnd, nullptr) == GetCurrentThreadId();
}

TSubclassLink* LinkOf(HWND wnd, const wchar_t* property) {
    return static_cast<TSubclassLink*>(GetPropW(wnd, property));
}

// The previous procedure is back on the window; the link goes when nothing runs through it.
void Unhook(HWND wnd, const wchar_t* property, TSubclassLink& link) {
    SetProc(wnd, link.Unicode, link.Previous);
    RemovePropW(wnd, property);
    link.Unhooked = true;
    if (link.Calls == 0) delete &link;
}
} // namespace

TSubclass::TSubclass(const TKind& kind, TWndMethod handler) : OnMessage(std::move(handler)), FKind(kind) {}

// ---- Attaching and letting go -------------------------------------------------------------------

void TSubclass::Attach(HWND wnd) {
    if (FLink) throw ESubclassError("The subclass is attached already");
    if (!OfThisThread(wnd)) throw ESubclassError("Only windows of this thread can be subclassed");
    TSubclassLink* link = LinkOf(wnd, FKind.Property);
    if (link && link->Owner) throw ESubclassError("The window has a subclass of this kind already");
    if (!link) link = NewLink(wnd);
    link->Owner = this;
    FLink = link;
    FHandle = wnd;
    FUnicode = link->Unicode;
}

TSubclassLink* TSubclass::NewLink(HWND wnd) const {
    auto link = std::make_unique<TSubclassLink>();
    link->Unicode = IsWindowUnicode(wnd);
    if (!SetPropW(wnd, FKind.Property, link.get())) throw ESubclassError("Cannot mark the window");
    SetLastError(0);
    link->Previous = SetProc(wnd, link->Unicode, FKind.Proc);
    if (!link->Previous && GetLastError()) {
        RemovePropW(wnd, FKind.Property);
        throw ESubclassError("Cannot subclass the window");
    }
    return link.release();
}

void TSubclass::Release() {
    TSubclassLink* link = std::exchange(FLink, nullptr);
    HWND wnd = std::exchange(FHandle, nullptr);
    if (!link) return;
    link->Owner = nullptr;
    if (OnTop(wnd, *link, FKind.Proc)) Unhook(wnd, FKind.Property, *link);
}

// ---- Messages -----------------------------------------------------------------------------------

void TSubclass::CallPrevious(TMessage& Message) {
    if (FLink) Message.Result = CallProc(FLink->Previous, FLink->Unicode, FHandle, Message);
}

void TSubclass::Deliver(TMessage& Message) {
    if (OnMessage)
        OnMessage(Message);
    else
        CallPrevious(Message);
}

LRESULT TSubclass::Dispatch(const TKind& kind, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    TSubclassLink* link = LinkOf(wnd, kind.Property);
    if (!link) // the chain lost this place: nothing is left to pass the message to
        return IsWindowUnicode(wnd) ? DefWindowProcW(wnd, msg, wParam, lParam)
                                    : DefWindowProcA(wnd, msg, wParam, lParam);
    TMessage m{msg, wParam, lParam, 0};
    ++link->Calls;
    GuardCallback([&] {
        if (msg == WM_NCDESTROY)
            LetGo(kind, wnd, *link, m);
        else if (link->Owner)
            link->Owner->Deliver(m);
        else
            Forward(kind, wnd, *link, m);
    });
    if (--link->Calls == 0 && link->Unhooked) delete link;
    return m.Result;
}

// The window's own procedure has the message first, so that it frees what it holds whatever the
// handler does; the handler then sees the message with the subclass already let go.
void TSubclass::LetGo(const TKind& kind, HWND wnd, TSubclassLink& link, TMessage& Message) {
    Message.Result = CallProc(link.Previous, link.Unicode, wnd, Message);
    TSubclass* owner = std::exchange(link.Owner, nullptr);
    RemovePropW(wnd, kind.Property);
    link.Unhooked = true;
    if (!owner) return;
    owner->FLink = nullptr;
    owner->FHandle = nullptr;
    if (owner->OnMessage) owner->OnMessage(Message);
}

// A place whose subclass has gone: it leaves as soon as it is on top, and passes messages on.
void TSubclass::Forward(const TKind& kind, HWND wnd, TSubclassLink& link, TMessage& Message) {
    if (OnTop(wnd, link, kind.Proc)) Unhook(wnd, kind.Property, link);
    Message.Result = CallProc(link.Previous, link.Unicode, wnd, Message);
}
