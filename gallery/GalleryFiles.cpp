#include "GalleryFiles.h"

#include "Controls.h"

#include <commdlg.h>
#include <shlobj.h>

namespace {

std::string Utf8(const wchar_t* text) {
    return Utf16ToUtf8(reinterpret_cast<const char16_t*>(text));
}

// Frees the drop however the reading ends.
struct TDropOwner {
    HDROP Drop;
    ~TDropOwner() { DragFinish(Drop); }
};

} // namespace

std::string AskSkinFile(HWND owner) {
    wchar_t path[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = L"Skin files (*.skn)\0*.skn\0All files (*.*)\0*.*\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = L"Open skin";
    ofn.lpstrDefExt = L"skn";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    return GetOpenFileNameW(&ofn) ? Utf8(path) : std::string();
}

std::vector<std::string> TakeDroppedFiles(HDROP drop) {
    TDropOwner owner{drop};
    std::vector<std::string> files;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), UINT(name.size())));
        files.push_back(Utf8(name.c_str()));
    }
    return files;
}

std::string DefaultRecentFile() {
    wchar_t base[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, base))) return {};
    std::wstring folder = std::wstring(base) + L"\\QUARLINK";
    CreateDirectoryW(folder.c_str(), nullptr);
    folder += L"\\SkinGallery";
    CreateDirectoryW(folder.c_str(), nullptr);
    return Utf8((folder + L"\\recent-skins.txt").c_str());
}
