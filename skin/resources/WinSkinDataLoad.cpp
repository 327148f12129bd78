// Loading a skin archive into the model, and the images built from the loaded objects.
#include "WinSkinDataRead.h"

#include "FaceCache.h"
#include "ImgUtil.h"
#include "SkinDraw.h"
#include "SkinRead.h"
#include "WinSkinStore.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <optional>
#include <stdexcept>
#include <type_traits>

namespace {

// Releases the scratch objects of a load however it ends.
template <class F> struct TFinally {
    F Fn;
    ~TFinally() { Fn(); }
};
template <class F> TFinally(F) -> TFinally<F>;

std::string TempPath() {
    char path[MAX_PATH + 1] = {};
    DWORD n = GetTempPathA(256, path);
    return n > 0 && n <= 256 ? std::string(path, n) : std::string();
}

void FillColor(TBitmap& bmp, const RECT& r, TColor color) {
    TGdiHandle<HBRUSH> brush(CreateSolidBrush(ColorToRGB(color)));
    FillRect(bmp.MemoryDC(), &r, brush);
}

} // namespace

// ---- The load sequence --------------------------------------------------------------------------------

namespace {

const char* const NoMemoryMessage = "Not enough memory to load the skin";

static_assert(std::is_nothrow_move_constructible_v<TSkinModel> &&
              std::is_nothrow_move_assignable_v<TSkinModel>);
static_assert(std::is_nothrow_move_constructible_v<TMemoryStream> &&
              std::is_nothrow_move_assignable_v<TMemoryStream>);

// Sets the skin in use aside and gives the model a fresh one to read into; puts the old one back
// unless the new one is kept. Only moves: nothing here can fail half way.
class TStagedSkin {
  public:
    explicit TStagedSkin(TSkinModel& live) : FLive(live) { std::swap(FLive, FKept); }
    ~TStagedSkin() {
        if (!FTaken) std::swap(FLive, FKept);
    }
    TStagedSkin(const TStagedSkin&) = delete;
    TStagedSkin& operator=(const TStagedSkin&) = delete;
    void Keep() { FTaken = true; }

  private:
    TSkinModel& FLive;
    TSkinModel FKept; // a fresh model until the constructor swaps
    bool FTaken = false;
};

} // namespace

bool TSkinData::LoadSkin() {
    return LoadArchive(ArchiveStream);
}

// Every load ends here. Whatever goes wrong on the way, the skin in use and ArchiveStream stay as
// they were: a hostile archive must not leave half a skin behind.
bool TSkinData::LoadArchive(TStream& source) {
    const bool pending = SkinPending;
    auto refuse = [&](const std::string& why) {
        SkinPending = pending;
        SkinReadReport(why);
        return false;
    };
    try {
        TMemoryStream bytes;
        bytes.LoadFromStream(source);
        SkinPending = true;
        if (IsDesigning()) {
            std::swap(ArchiveStream, bytes); // the designer stores what it is given
            return false;
        }
        // A refused archive leaves the skin in use whole, and not pending: it keeps painting.
        if (!ReadArchive(bytes)) {
            SkinPending = pending;
            return false;
        }
        std::swap(ArchiveStream, bytes);
        FlushFaceCache(); // the old skin's faces can never be drawn again
        return true;
    } catch (const EGraphicTooLarge& e) {
        return refuse(e.Message());
    } catch (const EOutOfResources&) {
        return refuse(NoMemoryMessage);
    } catch (const std::bad_alloc&) {
        return refuse(NoMemoryMessage);
    } catch (const std::length_error&) {
        return refuse(NoMemoryMessage);
    } catch (const EStreamError&) {
        SkinPending = pending; // a source that cannot be read changes nothing
        return false;
    }
}

bool TSkinData::ReadArchive(TMemoryStream& bytes) {
    std::string temp = TempPath();
    Reader = std::make_unique<TSkinReader>();
    EntryStream = std::make_unique<TMemoryStream>();
    TFinally release{[this] {
        Reader.reset();
        EntryStream.reset();
        Ini.reset();
    }};
    if (!Reader->Loadfromstream(bytes)) return false;
    Ini = std::make_unique<TQuickIni>();
    std::string iniName;
    Reader->readIni(".ini", *EntryStream, iniName);
    EntryStream->SetPosition(0);
    Ini->LoadFromStream(EntryStream.get());
    Ini->FileName = temp + iniName;
    TStagedSkin staged(*this);
    LoadFromIni();
    staged.Keep();
    return true;
}

void TSkinData::LoadFromIni() {
    TStringList sections;
    Ini->ReadSections(sections);
    SkinName = Ini->ReadString("TitlebarSkin", "SkinName", "");
    TSkinDataLoader rules(*this, *Ini, sections);
    rules.ReadBorders();
    rules.ReadColours();
    rules.ReadSysButtons();
    rules.ReadButton();
    rules.ReadTitle();

    rules.ReadControlObjects();

    rules.ApplyFrameCounts();
    rules.ClampObjects();
    ReBuildCombobox();
    ReBuildComboxArrow();
    RebuildToolbar();
    Colors[csCaption] = GetCaptionColor();
    FaceBrush.reset(CreateSolidBrush(ColorToRGB(Colors[csButtonFace])));
    SkinPending = false;
}

// Only ".bmp" names (exactly so) are looked up; a missing, empty or undecodable entry empties the image.
void TSkinData::Readbmp(TBitmap& image, const std::string& name) {
    size_t sep = name.find_last_of("\\/:");
    std::string file = sep == std::string::npos ? name : name.substr(sep + 1);
    size_t dot = file.rfind('.');
    image.FreeImage();
    if (file.empty() || dot == std::string::npos || file.substr(dot) != ".bmp") return;
    Reader->readfile(file, *EntryStream);
    if (EntryStream->Size() == 0) return;
    // A broken image is only missing; one too large refuses the whole skin (LoadArchive).
    try {
        image.LoadFromStream(*EntryStream);
    } catch (const EGraphicTooLarge& e) {
        throw EGraphicTooLarge("Skin image \"" + file + "\": " + e.Message());
    } catch (const EInvalidGraphic&) {
        image.FreeImage();
    }
}

void TSkinData::LoadFromFile(const std::string& path) {
    FSkinFile = path;
    if (IsDesigning()) {
        SkinPending = true;
        if (!path.empty()) ArchiveStream.Clear();
        return;
    }
    // A file that cannot be opened leaves the current skin, and its state, as they are.
    std::optional<TFileStream> file;
    try {
        file.emplace(path, fmOpenRead | fmShareDenyWrite);
    } catch (const EStreamError&) {
        return;
    }
    if (LoadArchive(*file) && SkinFormtype == sfMainform) UpdateSkin();
}

void TSkinData::LoadFromStream(TStream& stream) {
    if (LoadArchive(stream) && SkinFormtype == sfMainform) UpdateSkin();
}

// The item keeps its bytes and their position; the load works on a copy.
void TSkinData::LoadFromCollection(const TSkinStore* store, int index) {
    if (!store || index < 0 || index >= store->Store().Count()) return;
    TMemoryStream bytes;
    store->Store()[index]->CopyData(bytes);
    if (LoadArchive(bytes)) UpdateSkin();
}

// ---- Images built from the loaded objects ---------------------------------------------------------------

// Combo boxes draw from a strip of 50 x 21 cells: the sunken edge with the button at its right.
void TSkinData::ReBuildCombobox() {
    if (!SunkEdge || !ComboButton) return;
    const int w = GetSystemMetrics(SM_CXHSCROLL) + 2, frames = SunkEdge->Frame;
    const RECT whole{0, 0, 50, 21}, button{50 - w, 0, 50, 21};
    TBitmap strip, cell;
    strip.SetSize(50 * frames, 21);
    FillColor(strip, {0, 0, 50 * frames, 21}, SkinTransColor);
    cell.SetSize(50, 21);
    for (int k = 1; k <= frames; k++) {
        FillColor(cell, whole, SkinTransColor);
        DrawRect2(cell.MemoryDC(), whole, SunkEdge->Image, SunkEdge->Margins, k, frames, SunkEdge->Trans == 1,
                  SunkEdge->Tile == 1, false);
        DrawRect2(cell.MemoryDC(), button, ComboButton->Image, ComboButton->Margins, k, ComboButton->Frame,
                  true, ComboButton->Tile == 1, false);
        if (ExtraImages) DrawRect3(cell.MemoryDC(), button, ExtraImages->Image, k, ExtraImages->Frame, true);
        FillColor(cell, {2, 2, 49 - w, 18}, SkinTransColor);
        BitBlt(strip.MemoryDC(), 50 * (k - 1), 0, 50, 21, cell.MemoryDC(), 0, 0, SRCCOPY);
    }
    ComboButton->Style = 2;
    ComboButton->Margins = {2, SunkEdge->Margins.top, w + 2, SunkEdge->Margins.bottom};
    ComboButton->Image.Assign(&strip);
    SpiegelnHorizontal(strip);
    SunkEdge->Image.Assign(&strip);
    SunkEdge->Margins.left = w + 2;
    SunkEdge->Margins.right = 2;
}

// The drop-down arrow alone, cut from the combo strip or taken from the plain combo button.
void TSkinData::ReBuildComboxArrow() {
    ComboxArrow = std::make_unique<TDataSkinObject>();
    ComboxArrow->Name = "ComboxArrow";
    if (SunkEdge) {
        if (!ComboButton || ComboButton->Style != 2) return;
        const int frames = SunkEdge->Frame, cw = ComboButton->Image.Width() / frames;
        TBitmap& arrow = ComboxArrow->Image;
        arrow.SetSize(17 * frames, 17);
        for (int k = 1; k <= frames; k++)
            BitBlt(arrow.MemoryDC(), 17 * (k - 1), 0, 17, 17, ComboButton->Image.MemoryDC(), k * cw - 19, 2,
                   SRCCOPY);
        ComboxArrow->Frame = frames;
    } else if (ComboButton) {
        ComboxArrow->Image.Assign(&ComboButton->Image);
        ChangeTrans(ComboxArrow->Image, Colors[csButtonFace]);
        ComboxArrow->Frame = ComboButton->Frame;
    }
}

// Tool bars get a vertical gradient from a light face colour to a shade of the caption colour.
void TSkinData::RebuildToolbar() {
    TColor caption = GetCaptionColor();
    TColor end = Blend(clGray, caption, 150);
    TColor start = Blend(Colors[csButtonFace], clWhite, 150);
    int value = GetHSV(caption);
    if (value > 110) end = Blend(caption, clWhite, (225 - value) * 25 / 140 + 50);
    Toolbar = std::make_unique<TDataSkinObject>();
    Toolbar->Name = "Toolbar";
    Toolbar->Image.SetSize(10, 40);
    GradFill(Toolbar->Image.MemoryDC(), {0, 0, 10, 40}, start, end, 1);
    Toolbar->Frame = 1;
}

// ---- Caption font and application icon --------------------------------------------------------------------

void TSkinData::CreateCaptionFont() {
    SystemCaptionFont = std::make_unique<TFont>();
    // The record as it was before the padded border width was added, so every system fills it.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return;
    const LOGFONTW& lf = metrics.lfCaptionFont;
    SystemCaptionFont->SetName(Utf16ToUtf8(reinterpret_cast<const char16_t*>(lf.lfFaceName)));
    SystemCaptionFont->SetHeight(lf.lfHeight);
    SystemCaptionFont->SetCharset(lf.lfCharSet);
    TFontStyles style = 0;
    if (lf.lfWeight >= FW_BOLD) style |= 1u << fsBold;
    if (lf.lfItalic) style |= 1u << fsItalic;
    if (lf.lfUnderline) style |= 1u << fsUnderline;
    if (lf.lfStrikeOut) style |= 1u << fsStrikeOut;
    SystemCaptionFont->SetStyle(style);
}

void TSkinData::GetAppIcon(HWND AppWindow) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(AppWindow, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(SendMessageW(AppWindow, WM_GETICON, ICON_BIG, 0));
    if (!icon) return;
    const int cx = GetSystemMetrics(SM_CXSMICON), cy = GetSystemMetrics(SM_CYSMICON);
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(cx, cy);
    FillColor(*bmp, {0, 0, cx, cy}, SkinTransColor);
    if (auto copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE))) {
        DrawIconEx(bmp->MemoryDC(), 0, 0, copy, cx, cy, 0, nullptr, DI_NORMAL);
        DestroyIcon(copy);
    }
    bmp->TransparentColor = SkinTransColor;
    bmp->Transparent = true;
    AppIcon = std::move(bmp);
}
