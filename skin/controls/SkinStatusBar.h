// The status bar painted whole off-screen: one StatusBarEdges frame per panel bevel (1 lowered,
// 2 raised, 3 none), the panel texts, and the size grip from frame 5 of ExtraImages.
#pragma once

#include "WinSubClass.h"

class TCustomStatusBar;

// One part of the bar as the skinner draws it.
struct TStatusItem {
    RECT Rect;
    int Bevel;      // StatusBarEdges frame: 1 lowered, 2 raised, 3 none
    UINT Alignment; // DT_LEFT, DT_RIGHT or DT_CENTER
    std::u16string Text;
    bool HasText; // owner-drawn panels get their text from OnDrawPanel
};

// The size grip's place: frame size W x H, its right and bottom edges 1 pixel inside R.
RECT SizeGripRect(const RECT& R, int W, int H);

class TSkinStatusBar : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

    bool BeforeProc(TMessage& Message) override;
    void DrawControl(HDC DC, const RECT& R) override;

  private:
    TCustomStatusBar* Bar() const;
    std::vector<TStatusItem> Items(const RECT& R) const;
    void DrawItem(TCanvas& C, const TStatusItem& Item);
    void DrawEdges(HDC DC, const TStatusItem& Item);
    void DrawSizeGrip(HDC DC, const RECT& R);
    void DrawOwnerPanels(HDC DC);
};
