// TDateTimePicker: the common controls' date and time picker; the user's changes come back as a
// reflected DTN_DATETIMECHANGE.
#include "ComCtrls.h"

#include "ComCtrlsCommon.h"
#include "ControlsPublish.h"

#include <cmath>

const TEnumNames DateTimeKindNames{"dtkDate", "dtkTime"};
const TEnumNames DTDateModeNames{"dmComboBox", "dmUpDown"};
const TEnumNames DTDateFormatNames{"dfShort", "dfLong"};

namespace {
SYSTEMTIME ToSystemTime(TDateTime value) {
    TDateTimeParts p = DecodeDateTime(value);
    return {WORD(p.Year), WORD(p.Month),  WORD(DayOfWeek(value)), WORD(p.Day),
            WORD(p.Hour), WORD(p.Minute), WORD(p.Second),         WORD(p.Millisecond)};
}

TDateTime FromSystemTime(const SYSTEMTIME& t) {
    return EncodeDateTime({t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds});
}

TDateTime Now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return FromSystemTime(t);
}
} // namespace

const TClassInfo& TDateTimePicker::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TDateTimePicker> b("TDateTimePicker", TWinControl::StaticClassInfo());
        b.Creatable()
            .Str(
                "Date", [](const TDateTimePicker& p) { return DateToText(p.Date()); },
                [](TDateTimePicker& p, const std::string& v) { p.SetDate(TextToDate(v)); })
            .Str(
                "Time", [](const TDateTimePicker& p) { return TimeToText(p.Time()); },
                [](TDateTimePicker& p, const std::string& v) { p.SetTime(TextToTime(v)); })
            .Enum("DateFormat", DTDateFormatNames, &TDateTimePicker::DateFormat,
                  &TDateTimePicker::SetDateFormat)
            .Enum("DateMode", DTDateModeNames, &TDateTimePicker::DateMode, &TDateTimePicker::SetDateMode)
            .Enum("Kind", DateTimeKindNames, &TDateTimePicker::Kind, &TDateTimePicker::SetKind)
            .Event("OnChange", &TDateTimePicker::OnChange);
        PublishTabs(PublishLook(b));
        return b.Build();
    }();
    return info;
}

TDateTimePicker::TDateTimePicker(TComponent* AOwner) : TWinControl(AOwner), FDateTime(Now()) {
    StoreBounds({0, 0, 186, 21});
    SetTabStop(true);
}

TDateTime TDateTimePicker::DateTime() const {
    SYSTEMTIME t{};
    if (!HandleAllocated() || SendTo(*this, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&t)) != GDT_VALID)
        return FDateTime;
    return FromSystemTime(t);
}

void TDateTimePicker::SetDateTime(TDateTime v) {
    FDateTime = v;
    SYSTEMTIME t = ToSystemTime(v);
    if (HandleAllocated()) Perform(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&t));
}

TDateTime TDateTimePicker::Date() const {
    return std::floor(DateTime());
}

void TDateTimePicker::SetDate(TDateTime v) {
    SetDateTime(std::floor(v) + Time());
}

TDateTime TDateTimePicker::Time() const {
    TDateTime v = DateTime();
    return v - std::floor(v);
}

void TDateTimePicker::SetTime(TDateTime v) {
    SetDateTime(Date() + (v - std::floor(v)));
}

void TDateTimePicker::SetKind(TDateTimeKind v) {
    SetStyleField(*this, FKind, v);
}

void TDateTimePicker::SetDateMode(TDTDateMode v) {
    SetStyleField(*this, FDateMode, v);
}

void TDateTimePicker::SetDateFormat(TDTDateFormat v) {
    SetStyleField(*this, FDateFormat, v);
}

void TDateTimePicker::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    NeedCommonControls(ICC_DATE_CLASSES);
    CreateSubClass(Params, DATETIMEPICK_CLASSW);
    Params.Style |= (FKind == dtkTime ? DTS_TIMEFORMAT : 0) | (FDateMode == dmUpDown ? DTS_UPDOWN : 0) |
                    (FDateFormat == dfLong ? DTS_LONGDATEFORMAT : 0);
}

void TDateTimePicker::CreateWnd() {
    TWinControl::CreateWnd();
    SetDateTime(FDateTime);
}

void TDateTimePicker::DestroyWnd() {
    FDateTime = DateTime();
    TWinControl::DestroyWnd();
}

void TDateTimePicker::WndProc(TMessage& Message) {
    if (Message.Msg == CN_NOTIFY) {
        if (reinterpret_cast<const NMHDR*>(Message.LParam)->code == DTN_DATETIMECHANGE) OnChange(this);
        return;
    }
    TWinControl::WndProc(Message);
}
