// Proves the Windows test pipeline: a real window on the test display, painted and read back.
#include <windows.h>

#include <gtest/gtest.h>

namespace {
constexpr COLORREF Known = RGB(0x12, 0x9A, 0xE4);

LRESULT CALLBACK PaintProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        HBRUSH b = CreateSolidBrush(Known);
        RECT r;
        GetClientRect(w, &r);
        FillRect(dc, &r, b);
        DeleteObject(b);
        EndPaint(w, &ps);
        return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

HWND MakeWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PaintProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QlPipelineTest";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, wc.lpszClassName, L"pipeline", WS_OVERLAPPEDWINDOW, 10, 10, 200, 120, nullptr,
                             nullptr, wc.hInstance, nullptr);
    ShowWindow(w, SW_SHOW);
    UpdateWindow(w);
    return w;
}
} // namespace

TEST(Pipeline, PaintedColourReadsBackThroughAMemoryDC) {
    HWND w = MakeWindow();
    ASSERT_TRUE(w);
    HDC wdc = GetDC(w);
    HDC mem = CreateCompatibleDC(wdc);
    HBITMAP bmp = CreateCompatibleBitmap(wdc, 8, 8);
    HGDIOBJ old = SelectObject(mem, bmp);
    BitBlt(mem, 0, 0, 8, 8, wdc, 20, 20, SRCCOPY);
    EXPECT_EQ(GetPixel(mem, 4, 4), Known);
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    ReleaseDC(w, wdc);
    DestroyWindow(w);
}

TEST(Pipeline, ChineseCaptionRoundTrips) {
    HWND w = MakeWindow();
    const wchar_t* caption = L"QUARLINK Config 读取(Read) 连接";
    ASSERT_TRUE(SetWindowTextW(w, caption));
    wchar_t back[64] = {};
    GetWindowTextW(w, back, 64);
    EXPECT_STREQ(back, caption);
    DestroyWindow(w);
}
