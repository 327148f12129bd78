// Which windows the skin manager takes over, and with which skin: the rules on their own, over
// what was read from the window.
#pragma once

#include "WinSkinData.h"

#include <windows.h>

#include <string>
#include <vector>

struct TWindowFacts {
    std::string ClassName;
    DWORD Style = 0, ExStyle = 0;
    std::string ParentClass; // of a child window
    bool OurModule = false;  // its instance is this program's
    bool FrameworkForm = false;
    int FormTag = 0;
    bool EmptyRect = false;
};

// A child window that is not an MDI child of an MDI client.
bool IsNestedWindow(const TWindowFacts& w);
// Every rule but the skin's own say: framework forms, this program's windows and system dialogs,
// never a form tagged 99, never an empty window, never nested unless asked.
bool MaySkinWindow(const TWindowFacts& w, bool skinNested);
// The main skin refuses preview windows unless it has xoPreview.
bool RefusesPreview(const TSkinData& mainSkin, const std::string& className);

// A registered skin as the choice sees it.
struct TSkinCandidate {
    TSkinData* Skin = nullptr;
    HWND OwnerWindow = nullptr; // the window of the form that owns the skin
};
// A skin of only this form, then a dialog skin for dialog classes, then a main skin, then the
// first one; within a rule the last registered wins.
TSkinData* ChooseSkin(const std::vector<TSkinCandidate>& skins, HWND wnd, const std::string& className);
