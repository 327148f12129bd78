// Where the gallery's skin files come from: the open-file dialog, files dropped on the window, and
// the place of its recent-skins list.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

// The chosen *.skn file, or empty when the user cancelled.
std::string AskSkinFile(HWND owner);
// The files of a drop, in the order given; the drop is finished (its memory freed) on return.
std::vector<std::string> TakeDroppedFiles(HDROP drop);
// The recent-skins file in the user's application data, its folder made when missing; empty when
// there is no such place.
std::string DefaultRecentFile();
