// The skin gallery: every control family the skin engine draws, under any skin archive.
#include "GalleryFiles.h"
#include "GalleryUnit.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    return RunApplication([] {
        Application->SetTitle("QUARLINK Skin Gallery");
        Application->CreateForm(GalleryForm);
        GalleryForm->UseRecentFile(DefaultRecentFile());
    });
}
