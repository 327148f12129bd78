#include "FormTestHelpers.h"

#include "FrameworkTest.h"

TMainWindow* MainFrameTest::FWindow = nullptr;

namespace {
bool MainSkinned() {
    TWinSkinForm* skin = SkinManager ? SkinManager->FindSkinForm(MainForm->Handle()) : nullptr;
    return skin && skin->SkinState == 1;
}
} // namespace

// The manager skins the main window alone: the cases take their own windows over themselves.
void MainFrameTest::SetUpTestSuite() {
    FWindow = new TMainWindow;
    MainForm->SkinData1->OnFormSkin.Code = [](TObject*, const std::string& cls, bool& skin) {
        skin = cls == "TMainForm";
    };
    PumpUntil(MainSkinned);
}

void MainFrameTest::TearDownTestSuite() {
    delete FWindow;
    FWindow = nullptr;
}

void MainFrameTest::SetUp() {
    ASSERT_TRUE(MainForm && MainSkinned());
    if (IsIconic(Wnd()) || IsZoomed(Wnd())) ShowWindow(Wnd(), SW_RESTORE);
    ActivateWindow(Wnd());
    SetCursorPos(1000, 700);
    PumpFor(20);
}

SIZE MainFrameTest::WindowSize() {
    RECT r{};
    GetWindowRect(Wnd(), &r);
    return {r.right - r.left, r.bottom - r.top};
}

SIZE MainFrameTest::ClientSize() {
    RECT r{};
    GetClientRect(Wnd(), &r);
    return {r.right, r.bottom};
}

POINT MainFrameTest::ToScreen(POINT p) {
    RECT r{};
    GetWindowRect(Wnd(), &r);
    return {r.left + p.x, r.top + p.y};
}

TWinSysButton& MainFrameTest::Button(int action, int visibility) {
    for (auto& b : Skin().SysButtons)
        if (b->Def.Action == action && b->Def.Visibility == visibility) return *b;
    throw Exception("no such caption button");
}

TWindowPixels::TWindowPixels(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    FBitmap.SetSize(r.right - r.left, r.bottom - r.top);
    TWindowDC dc(wnd);
    BitBlt(FBitmap.MemoryDC(), 0, 0, FBitmap.Width(), FBitmap.Height(), dc, 0, 0, SRCCOPY);
}

bool InWindowRegion(HWND wnd, int x, int y) {
    TGdiHandle<HRGN> rgn(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(wnd, rgn) == ERROR) return true;
    return PtInRegion(rgn, x, y);
}

TColor FramePixel(TBitmap& image, int frame, int count, bool stacked, int x, int y) {
    int w = stacked ? image.Width() : image.Width() / count,
        h = stacked ? image.Height() / count : image.Height();
    return image.Canvas().Pixel(stacked ? x : (frame - 1) * w + x, stacked ? (frame - 1) * h + y : y);
}

void ActivateWindow(HWND wnd) {
    SetForegroundWindow(wnd);
    SetActiveWindow(wnd);
    PumpUntil([wnd] { return GetActiveWindow() == wnd; }, 500);
}

HWND OtherWindow() {
    static HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 960, 700, 50, 50,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    return other;
}

void PumpFor(DWORD ms) {
    DWORD start = GetTickCount();
    PumpUntil([&] { return GetTickCount() - start >= ms; }, ms + 100);
}
