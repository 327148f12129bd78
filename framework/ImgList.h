// TImageList: a list of equal-sized images with masks, drawn transparently or greyed.
#pragma once

#include "Graphics.h"

#include <commctrl.h>

#include <memory>
#include <type_traits>

class TImageList : public TComponent {
    QL_CLASS_INFO()
  public:
    explicit TImageList(TComponent* AOwner);
    ~TImageList() override;

    int Width = 16, Height = 16; // changing either empties the list
    int Count() const;
    HIMAGELIST Handle(); // made on demand; EInvalidGraphicOperation for a size below 1
    void Clear();

    // Replaces the list with a strip of Width-wide images from an RT_BITMAP resource; false when the
    // resource is missing or not a valid bitmap.
    bool LoadFromResourceName(HINSTANCE instance, const std::u16string& name, TColor maskColor);
    // Adds the strip's Width-wide images; pixels of maskColor become transparent (clDefault: the
    // bottom-left pixel's colour, clNone: none). The strip is left as it was. Returns the first new
    // index, or -1.
    int AddMasked(TBitmap& strip, TColor maskColor);
    // Greyed when not enabled: the image's non-white shape embossed in the button highlight and
    // shadow colours. An index outside the list draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);

  private:
    struct TDestroyList {
        void operator()(HIMAGELIST h) const { ImageList_Destroy(h); }
    };
    bool SizeChanged() const { return FHandleWidth != Width || FHandleHeight != Height; }
    void DrawGreyed(HDC dc, int x, int y, int index);

    std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, TDestroyList> FHandle;
    int FHandleWidth = 0, FHandleHeight = 0;
};
