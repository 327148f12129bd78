// Track bar, progress bar, up-down and date-time picker on real windows, driven by real messages.
#include "comctrls_form.h"

#include <gtest/gtest.h>

namespace {
LONG StyleOf(TWinControl* c) {
    return GetWindowLongW(c->Handle(), GWL_STYLE);
}

LRESULT Send(TWinControl* c, UINT msg, WPARAM w = 0, LPARAM l = 0) {
    return SendMessageW(c->Handle(), msg, w, l);
}

SYSTEMTIME PickerTime(TDateTimePicker* p) {
    SYSTEMTIME t{};
    Send(p, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t));
    return t;
}
} // namespace

TEST(TrackBar, OnlyTheUsersMovesRunOnChange) {
    auto form = ShownComCtrlsForm();
    TTrackBar* bar = form->TrackBar1;
    EXPECT_EQ(Send(bar, TBM_GETRANGEMAX), 20);
    EXPECT_EQ(Send(bar, TBM_GETPOS), 5);
    EXPECT_EQ(Send(bar, TBM_GETNUMTICS), 11); // every second position of 0..20
    PressKey(bar->Handle(), VK_RIGHT);
    EXPECT_EQ(bar->Position(), 6);
    bar->SetPosition(12);
    EXPECT_EQ(Send(bar, TBM_GETPOS), 12);
    RECT channel{};
    Send(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    ClickAt(bar->Handle(), {channel.right - 2, (channel.top + channel.bottom) / 2}); // a page to the right
    EXPECT_EQ(bar->Position(), 16);
    PressKey(bar->Handle(), VK_HOME);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(form->Log,
              (std::vector<std::string>{"TrackBar1.Change", "TrackBar1.Change", "TrackBar1.Change"}));
}

TEST(TrackBar, RangeKeepsMinBelowMaxWithAndWithoutAWindow) {
    TOwned<TTrackBar> loose(new TTrackBar(nullptr));
    loose->SetPosition(8);
    loose->SetMin(30); // past Max: takes Max along, the position with it
    EXPECT_EQ(loose->Max(), 30);
    EXPECT_EQ(loose->Position(), 30);
    loose->SetMax(-5);
    EXPECT_EQ(loose->Min(), -5);
    EXPECT_EQ(loose->Position(), -5);

    auto form = ShownComCtrlsForm();
    TTrackBar* bar = form->TrackBar1;
    PressKey(bar->Handle(), VK_END); // the user's position is the one a new range keeps
    bar->SetMin(-10);
    EXPECT_EQ(Send(bar, TBM_GETRANGEMIN), -10);
    EXPECT_EQ(Send(bar, TBM_GETPOS), 20);
    bar->SetMax(15);
    EXPECT_EQ(Send(bar, TBM_GETPOS), 15);
    EXPECT_EQ(bar->Position(), 15);
}

TEST(TrackBar, StylesFollowOrientationAndTicksAndSurviveANewWindow) {
    auto form = ShownComCtrlsForm();
    TTrackBar* bar = form->TrackBar1;
    EXPECT_EQ(StyleOf(form->TrackBar2) & (TBS_VERT | TBS_BOTH), TBS_VERT | TBS_BOTH);
    EXPECT_TRUE(StyleOf(bar) & TBS_AUTOTICKS);
    bar->SetOrientation(trVertical);
    EXPECT_TRUE(StyleOf(bar) & TBS_VERT);
    EXPECT_EQ(bar->Width(), 45);
    EXPECT_EQ(bar->Height(), 200);
    EXPECT_EQ(Send(bar, TBM_GETPOS), 5);
    bar->SetTickStyle(tsManual);
    bar->SetTick(7);
    EXPECT_FALSE(StyleOf(bar) & (TBS_AUTOTICKS | TBS_NOTICKS));
    EXPECT_EQ(Send(bar, TBM_GETNUMTICS), 3); // both ends and the one set
    bar->SetTickMarks(tmTopLeft);
    EXPECT_TRUE(StyleOf(bar) & TBS_LEFT);
    EXPECT_EQ(Send(bar, TBM_GETNUMTICS), 3);
    bar->SetTickStyle(tsNone);
    EXPECT_TRUE(StyleOf(bar) & TBS_NOTICKS);
}

TEST(ProgressBar, StepItStartsOverPastMaxAndStepByStopsAtTheEnds) {
    auto form = ShownComCtrlsForm();
    TProgressBar* bar = form->ProgressBar1;
    EXPECT_EQ(Send(bar, PBM_GETPOS), 40);
    EXPECT_EQ(Send(bar, PBM_GETRANGE, FALSE), 100);
    for (int i = 0; i < 6; ++i)
        bar->StepIt();
    EXPECT_EQ(Send(bar, PBM_GETPOS), 100);
    bar->StepIt();
    EXPECT_EQ(Send(bar, PBM_GETPOS), 10);
    bar->StepBy(-50);
    EXPECT_EQ(bar->Position(), 0);
    bar->SetMin(20);
    EXPECT_EQ(Send(bar, PBM_GETRANGE, TRUE), 20);
    EXPECT_EQ(Send(bar, PBM_GETPOS), 20);
    bar->SetStep(7);
    bar->SetPosition(99);
    bar->StepIt(); // 106 is 6 past the end of 20..100
    EXPECT_EQ(bar->Position(), 26);

    TOwned<TProgressBar> loose(new TProgressBar(nullptr));
    loose->SetMax(0);
    loose->StepIt(); // an empty range has nowhere to go
    EXPECT_EQ(loose->Position(), 0);
}

TEST(ProgressBar, OrientationAndSmoothnessAreStylesKeptWithThePosition) {
    auto form = ShownComCtrlsForm();
    TProgressBar* bar = form->ProgressBar2;
    EXPECT_EQ(StyleOf(bar) & (PBS_VERTICAL | PBS_SMOOTH), PBS_VERTICAL | PBS_SMOOTH);
    bar->SetOrientation(pbHorizontal);
    bar->SetSmooth(false);
    EXPECT_FALSE(StyleOf(bar) & (PBS_VERTICAL | PBS_SMOOTH));
    EXPECT_EQ(bar->Width(), 120);
    EXPECT_EQ(bar->Height(), 17);
    EXPECT_EQ(Send(bar, PBM_GETPOS), 70);
}

TEST(UpDown, ButtonsAskFirstThenStepTheAssociate) {
    auto form = ShownComCtrlsForm();
    TUpDown* spin = form->UpDown1;
    TEdit* edit = form->Edit1;
    EXPECT_EQ(edit->Text(), "3");
    EXPECT_EQ(spin->Left(), edit->Left() + edit->Width()); // beside it, the edit's size kept
    EXPECT_EQ(edit->Width(), 60);
    EXPECT_EQ(spin->Height(), edit->Height());
    EXPECT_EQ(reinterpret_cast<HWND>(Send(spin, UDM_GETBUDDY)), edit->Handle());

    POINT up{spin->Width() / 2, 2}, down{spin->Width() / 2, spin->Height() - 3};
    ClickAt(spin->Handle(), up);
    EXPECT_EQ(spin->Position(), 4);
    EXPECT_EQ(edit->Text(), "4");
    ClickAt(spin->Handle(), down);
    ClickAt(spin->Handle(), down);
    EXPECT_EQ(edit->Text(), "2");
    form->Refuse = true;
    ClickAt(spin->Handle(), up);
    EXPECT_EQ(spin->Position(), 2);
    form->Refuse = false;
    PressKey(edit->Handle(), VK_UP); // the arrow keys in the associate step it too
    EXPECT_EQ(spin->Position(), 3);
    spin->SetPosition(10);
    ClickAt(spin->Handle(), up); // against the end: asked, but nothing moves
    EXPECT_EQ(edit->Text(), "10");
    EXPECT_EQ(form->Log,
              (std::vector<std::string>{"UpDown1.Changing", "UpDown1.Click next", "UpDown1.Changing",
                                        "UpDown1.Click prev", "UpDown1.Changing", "UpDown1.Click prev",
                                        "UpDown1.Changing", "UpDown1.Changing", "UpDown1.Click next",
                                        "UpDown1.Changing"}));
}

TEST(UpDown, AssociateMayGoFirstOrComeAgain) {
    auto form = ShownComCtrlsForm();
    TUpDown* spin = form->UpDown1;
    spin->SetWrap(true); // a new window: the associate is told again and keeps its size
    EXPECT_EQ(reinterpret_cast<HWND>(Send(spin, UDM_GETBUDDY)), form->Edit1->Handle());
    EXPECT_EQ(form->Edit1->Width(), 60);
    spin->SetPosition(10);
    ClickAt(spin->Handle(), {spin->Width() / 2, 2});
    EXPECT_EQ(spin->Position(), 0); // wrapped

    form->Edit1->Free();
    EXPECT_EQ(spin->Associate(), nullptr);
    EXPECT_EQ(Send(spin, UDM_GETBUDDY), 0);
    ClickAt(spin->Handle(), {spin->Width() / 2, 2});
    EXPECT_EQ(spin->Position(), 1);

    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    edit->SetBounds(100, 136, 50, 21);
    spin->SetAlignButton(udLeft);
    spin->SetAssociate(edit);
    EXPECT_EQ(spin->Left() + spin->Width(), 100);
    EXPECT_EQ(edit->Text(), "1");
}

TEST(DateTimePicker, DescriptionValuesReachTheWindowAndSurviveANewOne) {
    auto form = ShownComCtrlsForm();
    TDateTimePicker* picker = form->DateTimePicker1;
    SYSTEMTIME t = PickerTime(picker);
    EXPECT_EQ(t.wYear, 2024);
    EXPECT_EQ(t.wMonth, 5);
    EXPECT_EQ(t.wDay, 17);
    EXPECT_EQ(t.wHour, 13);
    EXPECT_EQ(t.wMinute, 45);
    picker->SetDate(TextToDate("2024-02-29")); // keeps the time
    picker->SetDateFormat(dfLong);
    EXPECT_TRUE(StyleOf(picker) & DTS_LONGDATEFORMAT);
    t = PickerTime(picker);
    EXPECT_EQ(t.wMonth, 2);
    EXPECT_EQ(t.wDay, 29);
    EXPECT_EQ(t.wDayOfWeek, 4); // a Thursday
    EXPECT_EQ(t.wHour, 13);
    EXPECT_EQ(TimeToText(picker->Time()), "13:45:00");
    EXPECT_EQ(StyleOf(form->DateTimePicker2) & DTS_TIMEFORMAT, DTS_TIMEFORMAT);
    EXPECT_EQ(TimeToText(form->DateTimePicker2->Time()), "08:30:00");
    EXPECT_TRUE(form->Log.empty()); // the program's changes run no OnChange
}

TEST(DateTimePicker, TheUsersKeysRunOnChange) {
    auto form = ShownComCtrlsForm();
    TDateTimePicker* picker = form->DateTimePicker1;
    picker->SetFocus();
    ClickAt(picker->Handle(), {6, picker->Height() / 2}); // into the first field
    TDateTime before = picker->DateTime();
    PressKey(picker->Handle(), VK_UP);
    EXPECT_NE(picker->DateTime(), before);
    EXPECT_EQ(form->Log, (std::vector<std::string>{"DateTimePicker1.Change"}));
}
