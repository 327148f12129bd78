// The skin engine's private window messages; their numbers are fixed, other parts of the engine
// and the skinned windows' own code send and answer them.
#pragma once

#include <windows.h>

enum : UINT {
    WM_SKINCHANGED = 0x3401,       // to the form handler: a new skin was loaded
    WM_SKINFRAMEPAINT = 0x3502,    // repaint the skinned frame
    WM_SKINACTIVATE = 0x3503,      // take the frame over now (posted with lParam 1000)
    WM_SKINBUTTONACTION = 0x3514,  // a caption button of the window's own kind; wParam: its action
    WM_SKINBUTTONVISIBLE = 0x3515, // sent: is that caption button shown? wParam action, lParam code
    WM_SKINMDIREPAINT = 0x3516,    // posted to an MDI client: repaint the frame; wParam the sender
    WM_SKINTABCLOSE = 0x3507,      // to the form: may a tab's page go (answer 0)? wParam tabs, lParam tab
    WM_SKINONOFF = 0x3506,         // to a skinned control: wParam > 0 skinning on (and repaint), else off
    WM_SKINMENUSELECT = 0x3518,    // open the menu bar item under the screen point in lParam
    WM_SKINQUERY = 0x3523,         // answered 1 by every skinned window
    WM_SKINPAINTNC = 0xBC4B,       // paint the frame into the DC in wParam; lParam and answer SkinMessageTag
    WM_SKINASK = 0xBC4D,           // answered SkinMessageTag when lParam is the tag
    WM_SKINDONE = 0xBC4E,          // end of skinning notice, lParam SkinMessageTag
    WM_UNDOCUMENTEDCAPTION = 0x00AE,
};
