#include "MenuTestHelpers.h"

#include "FrameworkTest.h"
#include "SkinTestHelpers.h"

namespace {
void AddMenuBarKeys(TSkinEntry& ini) {
    std::string text(ini.Data.begin(), ini.Data.end());
    size_t at = text.find("[Personality]");
    EXPECT_NE(at, std::string::npos);
    at = text.find('\n', at) + 1;
    text.insert(at, "menuBar=MenuBar.bmp\r\nTileLeftMenu=3\r\nTileRightMenu=3\r\nTileMenu=1\r\n");
    ini.Data.assign(text.begin(), text.end());
}
} // namespace

TColor MenuBarColumn(int frame, int x, int width) {
    int base = frame == 1 ? 0x40 : 0x90;
    if (x < MenuBarMargin) return RGB(base + 10 * x, 0x20, 0x30);
    if (x >= width - MenuBarMargin) return RGB(0x20, base + 10 * (width - x), 0x30);
    return RGB(0x30, 0x30, base);
}

TMemoryStream& MenuBarSkin() {
    static TMemoryStream packed = [] {
        std::vector<TSkinEntry> entries = SkinEntriesOf(QL_DEFAULT_SKIN);
        for (TSkinEntry& e : entries)
            if (e.Name.ends_with(".ini")) AddMenuBarKeys(e);
        int width = 40, height = GetSystemMetrics(SM_CYMENU);
        auto bmp = BmpFile(width, 2 * height, 0,
                           [=](int x, int y) { return MenuBarColumn(y < height ? 1 : 2, x, width); });
        entries.insert(entries.end() - 1, {"MenuBar.bmp", bmp});
        TMemoryStream out;
        WriteSkinArchive(entries, out);
        return out;
    }();
    packed.SetPosition(0);
    return packed;
}

// ---- The form -------------------------------------------------------------------------------------

TMenuItem* TMenuForm::Add(TMenuItem* parent, const std::string& name, const std::string& caption) {
    auto* item = new TMenuItem(Form);
    item->SetCaption(caption);
    item->SetName(name);
    if (caption != "-") item->OnClick.Code = [this, name](TObject*) { Log.push_back(name); };
    parent->Add(item);
    return item;
}

TMenuForm::TMenuForm() : Form(new TForm(nullptr)), Menu(new TMainMenu(Form)) {
    TMenuItem* root = Menu->Items();
    File = Add(root, "File", "&File");
    Open = Add(File, "Open", "&Open");
    Add(File, "N1", "-");
    Add(File, "N2", "-");
    Save = Add(File, "Save", "&Save");
    Add(File, "Exit", "E&xit");
    Add(File, "N3", "-");
    Edit = Add(root, "Edit", "&Edit");
    Add(Edit, "Cut", "Cu&t");
    Add(Edit, "Copy", "&Copy");
    Help = Add(root, "Help", "&Help");
    Add(Help, "About", "&About");
    Form->SetBounds(60, 60, 360, 240);
    Form->SetMenu(Menu);
    Form->Show();
    MenuHandle = Menu->Handle();
    PumpUntil([this] { return Skinned(); });
}

TMenuForm::~TMenuForm() {
    Form->Free();
    Application->ProcessMessages();
}

TWinSkinForm* TMenuForm::Skin() const {
    return SkinManager && Form->HandleAllocated() ? SkinManager->FindSkinForm(Wnd()) : nullptr;
}

bool TMenuForm::Skinned() const {
    TWinSkinForm* skin = Skin();
    return skin && skin->SkinState == 1;
}

// ---- Menu loops -----------------------------------------------------------------------------------

namespace {
BOOL CALLBACK CollectMenu(HWND wnd, LPARAM list) {
    wchar_t name[16] = {};
    GetClassNameW(wnd, name, 16);
    if (lstrcmpW(name, L"#32768") == 0 && IsWindowVisible(wnd))
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
    return TRUE;
}
} // namespace

std::vector<HWND> OpenMenus() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectMenu, reinterpret_cast<LPARAM>(&found));
    return found;
}

namespace {
TMenuScript* CurrentScript = nullptr;
constexpr UINT TickMs = 40;
} // namespace

void CALLBACK TMenuScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    TMenuScript& s = *CurrentScript;
    if (GetTickCount() - s.FStart > s.FLimit) {
        if (OpenMenus().empty()) return;
        s.FExpired = true;
        EndMenu();
        for (HWND menu : OpenMenus())
            PostMessageW(menu, WM_CANCELMODE, 0, 0);
        return;
    }
    if (s.FNext < s.FSteps.size() && s.FSteps[s.FNext]()) ++s.FNext;
}

bool TMenuScript::Run(const std::function<void()>& open, DWORD ms) {
    CurrentScript = this;
    FStart = GetTickCount();
    FLimit = ms;
    UINT_PTR timer = SetTimer(nullptr, 0, TickMs, Tick);
    open();
    PumpUntil([this] { return (FNext == FSteps.size() && OpenMenus().empty()) || FExpired; }, ms + 1000);
    KillTimer(nullptr, timer);
    CurrentScript = nullptr;
    EXPECT_FALSE(FExpired) << "a menu loop was still running after " << ms << " ms: ended";
    return FNext == FSteps.size();
}

// ---- Input ------------------------------------------------------------------------------------------

namespace {
INPUT Key(WORD key, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

INPUT Mouse(POINT screen, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = screen.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = screen.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return in;
}
} // namespace

void PressKey(WORD key) {
    INPUT in[] = {Key(key, false), Key(key, true)};
    SendInput(2, in, sizeof(INPUT));
}

void PressAlt() {
    PressKey(VK_MENU);
}

void MoveMouse(POINT screen) {
    INPUT in = Mouse(screen, 0);
    SendInput(1, &in, sizeof(INPUT));
}

void ClickMouse(POINT screen) {
    INPUT in[] = {Mouse(screen, MOUSEEVENTF_LEFTDOWN), Mouse(screen, MOUSEEVENTF_LEFTUP)};
    SendInput(2, in, sizeof(INPUT));
}

POINT BarItemCentre(TWinSkinForm& skin, int index) {
    const RECT& r = skin.MenuBar->Buttons.at(size_t(index))->BoundsRect;
    RECT window{};
    GetWindowRect(skin.Handle, &window);
    return {window.left + (r.left + r.right) / 2, window.top + (r.top + r.bottom) / 2};
}
