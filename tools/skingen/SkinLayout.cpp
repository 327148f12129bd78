#include "SkinLayout.h"

#include "Classes.h"
#include "Painters.h"
#include "SysUtils.h"

const std::vector<TSkinBitmapSpec>& DefaultSkinBitmaps() {
    static const std::vector<TSkinBitmapSpec> entries = {
        {"Buttons.bmp", 100, 23, 24, 5, false, PaintButtons},
        {"Checkbox.bmp", 156, 13, 24, 12, false, PaintCheckbox},
        {"RadioButton.bmp", 104, 13, 24, 8, false, PaintRadioButton},
        {"Progress.bmp", 9, 19, 24, 1, false, PaintProgress},
        {"ProgressChunk.bmp", 10, 12, 24, 1, false, PaintProgressChunk},
        {"Tab.bmp", 90, 18, 24, 5, false, PaintTab},
        {"TabSheet.bmp", 48, 48, 24, 1, false, PaintTabSheet},
        {"ComboboxBtn.bmp", 60, 16, 24, 4, false, PaintComboboxBtn},
        {"StatusBar.bmp", 204, 21, 24, 3, false, PaintStatusBar},
        {"Header.bmp", 72, 18, 24, 4, false, PaintHeader},
        {"ScrollbarArrow.bmp", 391, 17, 32, 23, false, PaintScrollbarArrow},
        {"ScrollbarHThumb.bmp", 88, 15, 24, 4, false, PaintScrollbarHThumb},
        {"ScrollbarVThumb.bmp", 60, 22, 24, 4, false, PaintScrollbarVThumb},
        {"ScrollbarHBar.bmp", 68, 17, 24, 4, false, PaintScrollbarHBar},
        {"ScrollbarVBar.bmp", 68, 17, 24, 4, false, PaintScrollbarVBar},
        {"MenuBackground.bmp", 20, 20, 32, 1, false, PaintMenuBackground},
        {"MenuItem.bmp", 100, 18, 32, 5, false, PaintMenuItem},
        {"ExtraImages.bmp", 80, 17, 24, 5, false, PaintExtraImages},
        {"TrackThumbH.bmp", 55, 21, 24, 5, false, PaintTrackThumbH},
        {"TrackBot.bmp", 55, 21, 24, 5, false, PaintTrackBot},
        {"Mdibutton.bmp", 156, 13, 24, 12, false, PaintMdibutton},
        {"Spin.bmp", 120, 16, 24, 8, false, PaintSpin},
        {"SpinArrow.bmp", 56, 6, 24, 8, false, PaintSpinArrow},
        {"Spinh.bmp", 120, 16, 24, 8, false, PaintSpinh},
        {"SpinhArrow.bmp", 48, 7, 24, 8, false, PaintSpinhArrow},
        {"CloseButton.bmp", 126, 21, 24, 6, false, PaintCloseButton},
        {"MaxButton.bmp", 126, 21, 24, 6, false, PaintMaxButton},
        {"MinButton.bmp", 126, 21, 24, 6, false, PaintMinButton},
        {"RestroreButton.bmp", 126, 21, 24, 6, false, PaintRestoreButton},
        {"FrameLeft.bmp", 8, 100, 24, 2, false, PaintFrameLeft},
        {"FrameRight.bmp", 8, 100, 24, 2, false, PaintFrameRight},
        {"FrameTop.bmp", 312, 58, 24, 2, true, PaintFrameTop},
        {"FrameBottom.bmp", 312, 10, 24, 2, true, PaintFrameBottom},
        {"MinCaption.bmp", 320, 58, 24, 2, true, PaintMinCaption},
    };
    return entries;
}

std::vector<uint8_t> RenderEntry(const TSkinBitmapSpec& entry) {
    TBmpImage img = entry.Paint();
    if (img.Width != entry.Width || img.Height != entry.Height)
        throw Exception(Format("%s drawn as %d x %d instead of %d x %d", entry.FileName, img.Width,
                               img.Height, entry.Width, entry.Height));
    return EncodeBmp(img, entry.BitCount);
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    TFileStream f(path, fmCreate);
    f.WriteBuffer(bytes.data(), int64_t(bytes.size()));
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    TMemoryStream m;
    m.LoadFromFile(path);
    return m.Bytes();
}
