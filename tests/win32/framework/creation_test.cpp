// A framework window knows its control from HCBT_CREATEWND on, a creation inside another keeps the
// outer one's state, and a window that could not be attached or was refused leaves nothing behind.
#include "FrameworkTest.h"
#include "TestForm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {
// Its window class name is taken by someone else's class in the test.
class TClashControl : public TWinControl {
    QL_CLASS_INFO()
  public:
    using TWinControl::TWinControl;
};

const TClassInfo& TClashControl::StaticClassInfo() {
    static const TClassInfo info{"TClashControl", &TWinControl::StaticClassInfo(), {}, {}};
    return info;
}

// A child of an MDI client window, made through WM_MDICREATE.
class TMdiChildControl : public TWinControl {
    QL_CLASS_INFO()
  public:
    TMdiChildControl(HWND client) : TWinControl(nullptr), FClient(client) { StoreBounds({0, 0, 120, 80}); }

  protected:
    void CreateParams(TCreateParams& Params) override {
        TWinControl::CreateParams(Params);
        Params.ExStyle |= WS_EX_MDICHILD;
        Params.Style |= WS_CAPTION;
        Params.WndParent = FClient;
    }
    HWND CreateWindowHandle(const TCreateParams& p) override {
        MDICREATESTRUCTW mdi{WideChars(p.WinClassName),
                             WideChars(p.Caption),
                             GetModuleHandleW(nullptr),
                             p.X,
                             p.Y,
                             p.Width,
                             p.Height,
                             p.Style,
                             reinterpret_cast<LPARAM>(this)};
        return reinterpret_cast<HWND>(SendMessageW(FClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mdi)));
    }

  private:
    HWND FClient;
};

const TClassInfo& TMdiChildControl::StaticClassInfo() {
    static const TClassInfo info{"TMdiChildControl", &TWinControl::StaticClassInfo(), {}, {}};
    return info;
}

struct TSeenCreation {
    HWND Window;
    TControl* Found;
    LPARAM Parameter;
};

// Every HCBT_CREATEWND from install on: what FindControl says then, and the creation parameter.
struct TCreationWatch {
    std::vector<TSeenCreation> Seen;
    THook Hook{WH_CBT, {}};
    TCreationWatch() {
        Hook.OnHook.Code = [this](THookMessage& m) {
            if (m.Code != HCBT_CREATEWND) return;
            auto wnd = reinterpret_cast<HWND>(m.WParam);
            auto* cs = reinterpret_cast<const CBT_CREATEWNDW*>(m.LParam)->lpcs;
            Seen.push_back({wnd, FindControl(wnd), reinterpret_cast<LPARAM>(cs->lpCreateParams)});
        };
        Hook.Install();
    }
    bool KnewAtCreation(TWinControl* c) const {
        for (const TSeenCreation& s : Seen)
            if (s.Window == c->Handle()) return s.Found == c;
        return false;
    }
};

HWND Outer = nullptr; // the window the starving hook keeps for itself
TWinControl* Inner = nullptr;

// Installed after the framework's shared hook, and so called before it: at the creation of one
// window it makes another, and does not pass that creation on.
LRESULT CALLBACK StarvingHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && !Outer && Inner) {
        Outer = reinterpret_cast<HWND>(wParam);
        std::exchange(Inner, nullptr)->HandleNeeded();
        return 0;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

TEST(Creation, TheControlIsKnownFromHcbtCreateWnd) {
    TCreationWatch watch;
    auto form = ReadTestForm();
    form->HandleNeeded();
    for (TWinControl* c : std::vector<TWinControl*>{form.get(), form->GroupBox1, form->Edit1, form->CheckBox1,
                                                    form->ComboBox1, form->Button1, form->StatusBar1}) {
        EXPECT_TRUE(watch.KnewAtCreation(c)) << c->Name();
        auto it = std::find_if(watch.Seen.begin(), watch.Seen.end(),
                               [c](const TSeenCreation& s) { return s.Window == c->Handle(); });
        ASSERT_NE(it, watch.Seen.end());
        EXPECT_EQ(it->Parameter, reinterpret_cast<LPARAM>(c)) << c->Name(); // the creation parameter
    }
}

TEST(Creation, AWindowMadeInsideAnotherCreationKeepsTheOuterState) {
    THook shared(WH_CBT, {}); // the framework's creation hook joins this one: the raw hook comes first
    shared.Install();
    HHOOK raw = SetWindowsHookExW(WH_CBT, StarvingHook, nullptr, GetCurrentThreadId());
    auto outer = ReadTestForm();
    TOwned<TForm> inner(new TForm(nullptr));
    Inner = inner.get();
    outer->HandleNeeded(); // attached at its first message, after the inner one was made and attached
    UnhookWindowsHookEx(raw);
    EXPECT_EQ(outer->Handle(), Outer);
    EXPECT_EQ(FindControl(outer->Handle()), outer.get());
    EXPECT_EQ(FindControl(inner->Handle()), inner.get());
    outer->SetCaption("外");
    inner->SetCaption("内");
    EXPECT_EQ(WindowText(outer->Handle()), u"外");
    EXPECT_EQ(WindowText(inner->Handle()), u"内");
    EXPECT_EQ(FindControl(outer->Edit1->Handle()), outer->Edit1);
}

TEST(Creation, AWindowThatCannotBeAttachedOrIsRefusedLeavesNothing) {
    auto form = ReadTestForm();
    form->Show();
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW; // the framework's class of that name cannot be registered now
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TClashControl";
    ASSERT_TRUE(RegisterClassW(&wc));
    int windows = ThreadWindows();
    auto* clash = new TClashControl(form.get());
    EXPECT_THROW(clash->SetParent(form.get()), Exception);
    EXPECT_FALSE(clash->HandleAllocated());
    EXPECT_EQ(ThreadWindows(), windows); // the orphan window was destroyed
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
    clash->HandleNeeded();
    EXPECT_EQ(FindControl(clash->Handle()), clash);

    auto* button = new TButton(form.get());
    THook refuse(WH_CBT, {});
    refuse.OnHook.Code = [button](THookMessage& m) {
        if (m.Code == HCBT_CREATEWND && FindControl(reinterpret_cast<HWND>(m.WParam)) == button) m.Result = 1;
    };
    refuse.Install();
    windows = ThreadWindows();
    EXPECT_THROW(button->SetParent(form.get()), Exception);
    EXPECT_FALSE(button->HandleAllocated());
    EXPECT_EQ(ThreadWindows(), windows);
    refuse.Remove();
    button->HandleNeeded();
    EXPECT_EQ(FindControl(button->Handle()), button);
}

TEST(Creation, AnMdiChildCarriesItsControlInItsCreateStruct) {
    auto form = ReadTestForm();
    form->Show();
    CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
    HWND client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 300, 200,
                                  form->Handle(), nullptr, GetModuleHandleW(nullptr), &ccs);
    ASSERT_TRUE(client);
    TCreationWatch watch;
    TOwned<TMdiChildControl> child(new TMdiChildControl(client));
    child->HandleNeeded();
    EXPECT_EQ(GetParent(child->Handle()), client);
    EXPECT_TRUE(watch.KnewAtCreation(child.get()));
    child->SetCaption("MDI 子窗口");
    EXPECT_EQ(WindowText(child->Handle()), u"MDI 子窗口");
}
