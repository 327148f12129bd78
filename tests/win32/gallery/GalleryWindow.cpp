#include "GalleryWindow.h"

#include "MainWindow.h"
#include "SkinTestHelpers.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstdio>
#include <fstream>

namespace {

std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return name;
}

} // namespace

TGalleryWindow::TGalleryWindow() {
    Application->Initialize(); // as the program does; doing it again changes nothing
    std::remove(RecentFile.c_str());
    Application->CreateForm(GalleryForm);
    GalleryForm->UseRecentFile(RecentFile);
    GalleryForm->Show();
    PumpUntil([] { return SkinManager && SkinnerOf(GalleryForm->Handle()); }, 2000);
    RunSkinAction();
}

TGalleryWindow::~TGalleryWindow() {
    GalleryForm->Free();
    GalleryForm = nullptr;
    Application->ProcessMessages();
    std::remove(RecentFile.c_str());
}

void RunSkinAction() {
    if (SkinManager && SkinManager->PendingAction) SkinManager->OnTimer(nullptr);
    Application->ProcessMessages();
    PumpUntil(
        [] {
            if (!SkinManager) return true;
            for (TWinSkinForm* f : SkinManager->Forms)
                if (f->SkinState != 1) return false;
            return true;
        },
        2000);
}

void PumpFor(DWORD ms) {
    DWORD start = GetTickCount();
    PumpUntil([&] { return GetTickCount() - start >= ms; }, ms + 100);
}

TWinSkinForm* SkinnerOf(HWND wnd) {
    return SkinManager ? SkinManager->FindSkinForm(wnd) : nullptr;
}

void RepaintAll(HWND wnd) {
    RedrawWindow(wnd, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

const std::string& SecondSkinFile() {
    static const std::string file = [] {
        TMemoryStream packed;
        EXPECT_TRUE(
            RepackWithIniEdit(QL_DEFAULT_SKIN, "ButtonFace=233 233 233", "ButtonFace=200 230 200", packed));
        return WriteFile("gallery_second.skn", packed.Bytes());
    }();
    return file;
}

const std::string& BrokenSkinFile() {
    static const std::string file = WriteFile("gallery_broken.skn", Text("not a skin archive at all"));
    return file;
}

void DropFiles(HWND wnd, const std::vector<std::string>& files) {
    std::u16string names;
    for (const std::string& f : files)
        names += Utf8ToUtf16(f) + u'\0';
    names += u'\0';
    const size_t size = sizeof(DROPFILES) + names.size() * sizeof(char16_t);
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size() * sizeof(char16_t));
    GlobalUnlock(memory);
    // The window finishes the drop, which frees the memory.
    SendMessageW(wnd, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}
