// Subclassing a window of any class, made by the framework or not: a handler put in front of the
// window's own procedure. No executable thunks: each kind of subclass has a window property that
// names its object on the window and one static window procedure that looks the object up there.
#pragma once

#include "Messages.h"

class ESubclassError : public Exception {
    using Exception::Exception;
};

// This kind's place in a window's procedure chain (the window property points to it). It outlives
// its subclass while a procedure above it may still call it.
struct TSubclassLink;

class TSubclass {
  public:
    TSubclass(const TSubclass&) = delete;
    TSubclass& operator=(const TSubclass&) = delete;

    // Puts the handler in front of the window's procedure: set with the W or A function as the
    // window speaks, so text never passes through a code page. A window of another thread, a second
    // subclass of this kind on the window, or attaching twice: ESubclassError.
    void Attach(HWND wnd);
    // Gives the window its previous procedure back while this one is on top of the chain. Under
    // another subclass it stays in the chain, passing every message on, and leaves once it is on top
    // again or the window is destroyed. Attaching this kind again takes that place over.
    void Release();
    bool Attached() const { return FLink != nullptr; }
    HWND Handle() const { return FHandle; }
    // Whether the handler gets UTF-16 text (W messages) or ANSI text, fixed when attached.
    bool Unicode() const { return FUnicode; }
    // The previous procedure's answer to the message, called the same way (W or A). Nothing once
    // the subclass has let go.
    void CallPrevious(TMessage& Message);

    // Every message while attached; what it does not consume it passes to CallPrevious. Without a
    // handler every message passes on. WM_NCDESTROY reaches it after the window's own procedure
    // had it and the subclass has let go. What it throws goes to the error sink.
    TWndMethod OnMessage;

  protected:
    struct TKind {
        const wchar_t* Property;
        WNDPROC Proc;
    };
    TSubclass(const TKind& kind, TWndMethod handler);
    ~TSubclass() { Release(); }
    static LRESULT Dispatch(const TKind& kind, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

  private:
    TSubclassLink* NewLink(HWND wnd) const;
    void Deliver(TMessage& Message);
    static void LetGo(const TKind& kind, HWND wnd, TSubclassLink& link, TMessage& Message);
    static void Forward(const TKind& kind, HWND wnd, TSubclassLink& link, TMessage& Message);

    const TKind& FKind;
    TSubclassLink* FLink = nullptr;
    HWND FHandle = nullptr;
    bool FUnicode = true;
};

// One kind of subclass. Kind names its window property in a static member, for example
//   struct TButtonSkin { static constexpr wchar_t Property[] = L"QlSkinButton"; };
// A window holds at most one subclass of each kind; kinds of their own let several stack.
template <class Kind> class TSubclassOf : public TSubclass {
  public:
    explicit TSubclassOf(TWndMethod handler = {}) : TSubclass(Info(), std::move(handler)) {}

  private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return Dispatch(Info(), wnd, msg, wParam, lParam);
    }
    static const TKind& Info() {
        static const TKind kind{Kind::Property, Proc};
        return kind;
    }
};
