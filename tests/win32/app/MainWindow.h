// The main window as the program makes it, and the ways a user reaches it: clicks, typing,
// choosing list items, reading what the windows show.
#pragma once

#include "MainUnit.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Created by the application from its stored description and shown; freed at the end.
class TMainWindow {
  public:
    TMainWindow();
    TMainWindow(const TMainWindow&) = delete;
    TMainWindow& operator=(const TMainWindow&) = delete;
    ~TMainWindow();

    TMainForm* operator->() const { return MainForm; }
    // Datagrams the endpoint has reported to the window so far, whatever the window made of them.
    int Datagrams() const { return FDatagrams; }
    // Pumps until the endpoint has reported one more datagram than `before`.
    bool AwaitDatagram(int before);
    // Called after the window has handled each datagram, with what the endpoint reported.
    std::function<void(int32_t bytes, int32_t port)> AfterDatagram;

  private:
    int FDatagrams = 0;
};

// Pumps the message queue until `done` holds or `ms` have passed; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD ms = 2000);

// A click as the mouse gives it: through the control's window, so an exception that leaves the
// handler ends in the framework's error box instead of reaching the test.
void Click(TWinControl* control);
void Type(TWinControl* edit, const std::string& text);

// What the windows show, read from the windows themselves.
std::string WindowText(TWinControl* control);
std::string PanelText(TStatusBar* bar, int panel);
bool IsChecked(TCheckBox* box);
bool IsEnabled(TWinControl* control);
int Selected(TComboBox* list);
std::vector<std::string> Items(TComboBox* list);

// What a skinner changes on a window to take it over, per window: the form, then its controls.
struct TControlHooks {
    std::string Name;
    LONG_PTR Procedure;
    void* WindowProcData;
    LONG_PTR Style, ExStyle;
    bool operator==(const TControlHooks&) const = default;
};
void PrintTo(const TControlHooks& hooks, std::ostream* os); // for failure messages
std::vector<TControlHooks> Hooks(TMainForm* form);
// The windows, form included, that answer the skin engine's query as skinned.
int SkinnedWindows(TMainForm* form);
