// The skin gallery as the program makes it, and what the smoke test does to it: skin actions run
// at once, a second skin to switch to, files dropped on the window.
#pragma once

#include "GalleryUnit.h"
#include "WinSkinDlg.h"

#include <string>

// Made from its description, shown and skinned; its recent-skins list in a file of the test's own.
class TGalleryWindow {
  public:
    TGalleryWindow();
    TGalleryWindow(const TGalleryWindow&) = delete;
    TGalleryWindow& operator=(const TGalleryWindow&) = delete;
    ~TGalleryWindow();

    TGalleryForm* operator->() const { return GalleryForm; }
    const std::string RecentFile = "gallery_recent_skins.txt";
};

// The skin action asked for runs now instead of a tick later; then every skinned window is active.
void RunSkinAction();
void PumpFor(DWORD ms);
// The window's skinner, or null when it is plain.
TWinSkinForm* SkinnerOf(HWND wnd);
// Repaints the window now, frame and children included.
void RepaintAll(HWND wnd);

// The default skin with another face colour, packed anew and written to a file.
constexpr COLORREF SecondFace = RGB(200, 230, 200), DefaultFace = RGB(233, 233, 233);
const std::string& SecondSkinFile();
// A file that is no skin archive at all.
const std::string& BrokenSkinFile();

// Hands the window a drop of these files, as the shell would.
void DropFiles(HWND wnd, const std::vector<std::string>& files);
