// Subclassing any window: framework controls together with a WindowProc swap, windows of foreign
// classes, windows destroyed while subclassed, and text that must not pass through a code page.
#include "FrameworkTest.h"
#include "SubClass.h"
#include "TestForm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct TKindA {
    static constexpr wchar_t Property[] = L"QlTestSubclassA";
};
struct TKindB {
    static constexpr wchar_t Property[] = L"QlTestSubclassB";
};

// Notes `name` for every message `watched` it sees, then passes the message on.
template <class Kind> struct TLogging {
    TSubclassOf<Kind> Sub;
    TLogging(std::vector<std::string>& log, const char* name, UINT watched = WM_SETTEXT) {
        Sub.OnMessage.Code = [this, &log, name, watched](TMessage& m) {
            if (m.Msg == watched) log.push_back(name);
            Sub.CallPrevious(m);
        };
    }
};

// Keeps what each WM_SETTEXT carries, as the handler is given it: UTF-16 or ANSI.
template <class Text> void WatchSetText(TSubclass& sub, Text& seen) {
    sub.OnMessage.Code = [&sub, &seen](TMessage& m) {
        if (m.Msg == WM_SETTEXT) seen = reinterpret_cast<const typename Text::value_type*>(m.LParam);
        sub.CallPrevious(m);
    };
}

LONG_PTR ProcOf(HWND wnd) {
    return GetWindowLongPtrW(wnd, GWLP_WNDPROC);
}

std::vector<std::string> SetTextLog(HWND wnd, std::vector<std::string>& log, const wchar_t* text) {
    log.clear();
    SetWindowTextW(wnd, text);
    return log;
}

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT msg, WPARAM, LPARAM) {
    return msg == WM_INITDIALOG;
}

// A dialog of the system's dialog class from an empty template.
HWND MakeDialog() {
    alignas(4) static WORD tpl[16] = {};
    auto* t = reinterpret_cast<DLGTEMPLATE*>(tpl);
    t->style = WS_POPUP | WS_CAPTION;
    t->cx = 120;
    t->cy = 60;
    return CreateDialogIndirectParamW(nullptr, t, nullptr, EmptyDialogProc, 0);
}

// An ANSI window: its class has an A procedure.
HWND MakeAnsiWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = "QlTestAnsiWindow";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, wc.hInstance,
                           nullptr);
}

std::u16string TextOf(HWND wnd) {
    return WindowText(wnd);
}

// Outside both Western and Chinese ANSI code pages: Thai, an astral-plane emoji, and Chinese.
const std::u16string Wide = u"读取 กข \U0001F600 Ω";
} // namespace

TEST(Subclass, OverAFrameworkControlWithAWindowProcSwapRemovedOutOfOrder) {
    auto form = ReadTestForm();
    form->Show();
    TButton* button = form->Button1;
    HWND wnd = button->Handle();
    LONG_PTR own = ProcOf(wnd);
    std::vector<std::string> log;

    auto a = std::make_unique<TLogging<TKindA>>(log, "A");
    a->Sub.Attach(wnd);
    TWndMethod ownMethod = button->WindowProc;
    button->WindowProc.Code = [&](TMessage& m) {
        if (m.Msg == WM_SETTEXT) log.push_back("swap");
        ownMethod(m);
    };
    TLogging<TKindB> b(log, "B");
    b.Sub.Attach(wnd);
    EXPECT_EQ(SetTextLog(wnd, log, L"one"), (std::vector<std::string>{"B", "A", "swap"}));
    EXPECT_EQ(button->Caption(), "one");

    a.reset(); // under B: its place stays, passing messages on
    EXPECT_NE(GetPropW(wnd, TKindA::Property), nullptr);
    EXPECT_EQ(SetTextLog(wnd, log, L"two"), (std::vector<std::string>{"B", "swap"}));
    button->WindowProc = ownMethod; // out of order as well
    EXPECT_EQ(SetTextLog(wnd, log, L"three"), std::vector<std::string>{"B"});

    b.Sub.Release(); // on top: gone at once; A's empty place leaves with the next message
    EXPECT_EQ(GetPropW(wnd, TKindB::Property), nullptr);
    EXPECT_EQ(SetTextLog(wnd, log, L"four"), std::vector<std::string>{});
    EXPECT_EQ(ProcOf(wnd), own);
    EXPECT_EQ(GetPropW(wnd, TKindA::Property), nullptr);
    EXPECT_EQ(button->Caption(), "four");
    SendMessageW(wnd, BM_CLICK, 0, 0);
    EXPECT_EQ(form->Clicks, 1);
}

TEST(Subclass, AKindOnceAWindowAndAnEmptyPlaceTakenOver) {
    HWND wnd = CreateWindowExW(0, L"BUTTON", L"", WS_POPUP, 0, 0, 40, 20, nullptr, nullptr, nullptr, nullptr);
    LONG_PTR own = ProcOf(wnd);
    std::vector<std::string> log;
    auto first = std::make_unique<TLogging<TKindA>>(log, "A1");
    first->Sub.Attach(wnd);
    TLogging<TKindA> second(log, "A2");
    EXPECT_THROW(second.Sub.Attach(wnd), ESubclassError); // one of a kind per window
    EXPECT_THROW(first->Sub.Attach(wnd), ESubclassError); // attached already
    TLogging<TKindB> b(log, "B");
    b.Sub.Attach(wnd);
    first.reset();
    second.Sub.Attach(wnd); // the empty place of its kind, under B
    EXPECT_EQ(SetTextLog(wnd, log, L"x"), (std::vector<std::string>{"B", "A2"}));
    second.Sub.Release();
    b.Sub.Release();
    SetWindowTextW(wnd, L"y");
    EXPECT_EQ(ProcOf(wnd), own);
    DestroyWindow(wnd);

    EXPECT_THROW(second.Sub.Attach(nullptr), ESubclassError);
    EXPECT_THROW(second.Sub.Attach(GetDesktopWindow()), ESubclassError); // not this thread's
}

TEST(Subclass, ForeignClassesPlainButtonAndSystemDialog) {
    auto form = ReadTestForm();
    form->Show();
    HWND button = CreateWindowExW(0, L"BUTTON", L"plain", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 320, 60,
                                  80, 20, form->Handle(), nullptr, nullptr, nullptr);
    HWND dialog = MakeDialog();
    ASSERT_TRUE(button && dialog);
    EXPECT_EQ(FindControl(button), nullptr); // no framework object behind either
    for (HWND wnd : {button, dialog}) {
        LONG_PTR own = ProcOf(wnd);
        int seen = 0;
        TSubclassOf<TKindA> sub;
        sub.OnMessage.Code = [&](TMessage& m) {
            ++seen;
            if (m.Msg == 0x3523) return void(m.Result = 1); // answered here, never passed on
            sub.CallPrevious(m);
        };
        sub.Attach(wnd);
        EXPECT_EQ(sub.Handle(), wnd);
        EXPECT_EQ(SendMessageW(wnd, 0x3523, 0, 0), 1);
        SetWindowTextW(wnd, L"再见");
        EXPECT_EQ(TextOf(wnd), u"再见");
        EXPECT_GE(seen, 2);
        sub.Release();
        EXPECT_EQ(ProcOf(wnd), own);
        EXPECT_EQ(SendMessageW(wnd, 0x3523, 0, 0), 0); // the class's own answer again
    }
    TSubclassOf<TKindA> sub; // the class's own behaviour goes on under the subclass
    sub.Attach(button);
    SendMessageW(button, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(button, BM_GETCHECK, 0, 0), BST_CHECKED);
    sub.Release();
    sub.Attach(dialog);
    SendMessageW(dialog, DM_SETDEFID, 7, 0);
    EXPECT_EQ(LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), 7);
    DestroyWindow(dialog);
    EXPECT_FALSE(sub.Attached());
}

TEST(Subclass, WindowDestroyedWhileSubclassed) {
    auto form = ReadTestForm();
    form->Show();
    TEdit* edit = form->Edit1;
    HWND old = edit->Handle();
    std::vector<std::string> log;
    TSubclassOf<TKindA> a;
    a.OnMessage.Code = [&](TMessage& m) {
        if (m.Msg == WM_NCDESTROY) {
            // the control's own procedure had it first and let go of the window
            log.push_back(FindControl(old) ? "A: control still there" : "A: after the control");
            log.push_back(a.Attached() ? "A: attached" : "A: let go");
            return; // swallowed: the window's own procedure has had it anyway
        }
        a.CallPrevious(m);
    };
    a.Attach(old);
    auto b = std::make_unique<TLogging<TKindB>>(log, "B: NCDESTROY", WM_NCDESTROY);
    b->Sub.Attach(old);
    auto orphan = std::make_unique<TLogging<TKindB>>(log, "?"); // left under another, then destroyed
    HWND plain =
        CreateWindowExW(0, L"BUTTON", L"", WS_POPUP, 0, 0, 40, 20, nullptr, nullptr, nullptr, nullptr);
    orphan->Sub.Attach(plain);
    TSubclassOf<TKindA> above;
    above.Attach(plain);
    orphan.reset();

    edit->RecreateWnd(); // the old window goes
    EXPECT_EQ(log, (std::vector<std::string>{"A: after the control", "A: let go", "B: NCDESTROY"}));
    EXPECT_FALSE(a.Attached());
    EXPECT_EQ(a.Handle(), nullptr);
    EXPECT_FALSE(b->Sub.Attached());
    b.reset();
    EXPECT_TRUE(IsWindow(edit->Handle()));
    edit->SetText("new window");
    EXPECT_EQ(edit->Text(), "new window");
    a.Attach(edit->Handle()); // a subclass that let go can attach again

    DestroyWindow(plain);
    EXPECT_FALSE(above.Attached());
}

TEST(Subclass, DestroyedFromItsOwnHandler) {
    HWND wnd = CreateWindowExW(0, L"BUTTON", L"", WS_POPUP, 0, 0, 40, 20, nullptr, nullptr, nullptr, nullptr);
    TSubclassOf<TKindA> sub;
    bool passed = false;
    sub.OnMessage.Code = [&](TMessage& m) {
        if (m.Msg == WM_USER + 1) {
            DestroyWindow(wnd);  // WM_NCDESTROY comes through this place while it is in use
            sub.CallPrevious(m); // let go: nothing to pass to
            passed = m.Result == 0;
            m.Result = 42;
            return;
        }
        sub.CallPrevious(m);
    };
    sub.Attach(wnd);
    EXPECT_EQ(SendMessageW(wnd, WM_USER + 1, 0, 0), 42);
    EXPECT_TRUE(passed);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_FALSE(sub.Attached());
}

TEST(Subclass, UnicodeTextThroughSetTextAndGetText) {
    auto form = ReadTestForm();
    form->Show();
    HWND plainEdit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 320, 90, 80, 20, form->Handle(), nullptr,
                                     nullptr, nullptr);
    for (HWND wnd : {form->Edit1->Handle(), plainEdit}) {
        std::u16string seen;
        TSubclassOf<TKindA> sub;
        WatchSetText(sub, seen);
        sub.Attach(wnd);
        EXPECT_TRUE(sub.Unicode());
        EXPECT_TRUE(IsWindowUnicode(wnd)); // set with the W function: the window stays a W window
        SendMessageW(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide.c_str()));
        EXPECT_EQ(seen, Wide);
        EXPECT_EQ(TextOf(wnd), Wide);
        sub.Release();
        EXPECT_TRUE(IsWindowUnicode(wnd));
    }
    EXPECT_EQ(form->Edit1->Text(), Utf16ToUtf8(Wide));

    HWND ansi = MakeAnsiWindow(); // an A window stays one: the handler gets its bytes unconverted
    std::string bytes;
    TSubclassOf<TKindA> sub;
    WatchSetText(sub, bytes);
    sub.Attach(ansi);
    EXPECT_FALSE(sub.Unicode());
    EXPECT_FALSE(IsWindowUnicode(ansi));
    SetWindowTextA(ansi, "ansi text");
    EXPECT_EQ(bytes, "ansi text"); // a W procedure would have been given UTF-16
    char back[16] = {};
    GetWindowTextA(ansi, back, 16);
    EXPECT_STREQ(back, "ansi text");
    sub.Release();
    EXPECT_FALSE(IsWindowUnicode(ansi));
    DestroyWindow(ansi);
}
