// One function per bitmap of the default skin; each returns the finished strip.
#pragma once

#include "BmpCodec.h"

// Push buttons, check boxes, radio buttons.
TBmpImage PaintButtons();
TBmpImage PaintCheckbox();
TBmpImage PaintRadioButton();
// Bars and panes: progress, tabs, status bar, header, track-bar thumbs.
TBmpImage PaintProgress();
TBmpImage PaintProgressChunk();
TBmpImage PaintTab();
TBmpImage PaintTabSheet();
TBmpImage PaintStatusBar();
TBmpImage PaintHeader();
TBmpImage PaintTrackThumbH();
TBmpImage PaintTrackBot();
// Field parts: the combo button, its arrow and the size grip, up-down buttons.
TBmpImage PaintComboboxBtn();
TBmpImage PaintExtraImages();
TBmpImage PaintSpin();
TBmpImage PaintSpinArrow();
TBmpImage PaintSpinh();
TBmpImage PaintSpinhArrow();
// Scroll bars.
TBmpImage PaintScrollbarArrow();
TBmpImage PaintScrollbarHThumb();
TBmpImage PaintScrollbarVThumb();
TBmpImage PaintScrollbarHBar();
TBmpImage PaintScrollbarVBar();
// Menus and the buttons of a maximized MDI child.
TBmpImage PaintMenuBackground();
TBmpImage PaintMenuItem();
TBmpImage PaintMdibutton();
// The window frame and its caption buttons.
TBmpImage PaintFrameLeft();
TBmpImage PaintFrameRight();
TBmpImage PaintFrameTop();
TBmpImage PaintFrameBottom();
TBmpImage PaintMinCaption();
TBmpImage PaintCloseButton();
TBmpImage PaintMaxButton();
TBmpImage PaintMinButton();
TBmpImage PaintRestoreButton();
