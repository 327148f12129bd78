// The start timed from wWinMain to the main window's first complete paint, in three steps: the form
// read with its skin, the window shown (and taken over), and everything it asked to paint painted.
#pragma once

#include <string>

class TStartTiming {
  public:
    TStartTiming(); // the clock starts
    void FormRead();
    void Shown();
    void Painted();
    // One line: load, take-over and first-paint microseconds, then 1 when the window is skinned.
    bool WriteTo(const std::string& file, bool skinned) const;

  private:
    long long Start, Read = 0, Show = 0, Paint = 0;
};

// Shows the main form, lets it paint, records the steps into the options' file and ends the program.
void TimeFirstPaint(TStartTiming& timing, const std::string& file);
