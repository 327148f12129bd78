// What the command line asks of the start: the window unskinned, or skinned from another archive.
#pragma once

#include <string>

struct TStartOptions {
    bool Plain = false;     // --plain
    std::string SkinFile;   // --skin FILE (UTF-8); empty: the stored skin
    std::string TimingFile; // --measure-start FILE: time the start into FILE, then end
};

// A whole command line as Windows passes it, program name first; unknown options are passed over.
TStartOptions ParseStartOptions(const wchar_t* commandLine);
