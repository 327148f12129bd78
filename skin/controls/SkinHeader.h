// Header controls and the column header of report-style list views: each section a fitted frame of
// the skin's Headerbar strip with its icon and text, the section under the mouse lit, the pressed one
// shown pressed, and the space after the last section frame 1.
#pragma once

#include "WinSubClass.h"

#include <vector>

// The Headerbar frames: 1 normal, 2 hot, 3 pressed (hot again in a strip of fewer frames).
int HeaderFrame(bool Hot, bool Pressed, int Count);
// The caption alignment of a section format: 0 left, 1 centre, 2 right.
int HeaderAlignment(int Format);
// The part of a section that reacts to the mouse: the outer 3 pixels belong to the divider.
RECT HeaderHitRect(const RECT& Section);

class TSkinHeader : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;

    bool BeforeProc(TMessage& Message) override;
    void AfterProc(TMessage& Message) override;
    void DrawControl(HDC DC, const RECT& R) override;

    std::vector<RECT> ItemRects; // of the last paint, shrunk to their hit parts
    int HotItem = -1, PressedItem = -1;

  private:
    bool Skinned() const;
    int ItemAt(POINT P) const;
    void WMMouseMove(TMessage& Message);
    void SetItem(int& Item, int Value);
    void DrawItem(HIMAGELIST Images, TCanvas& C, int Index, const RECT& R);
    void DrawRest(HDC DC, const RECT& Rest);
};

// The column header of a list view, skinned as a bare window that the list view owns; null when
// the list view has no header or it is skinned already.
TSkinControl* AttachListViewHeader(TControl& ListView, TSkinControlList& List, bool ParentBK);
