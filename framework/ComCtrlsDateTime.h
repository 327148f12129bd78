// The date-time picker, over the common controls' date and time picker.
#pragma once

#include "Controls.h"
#include "DateUtils.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };
extern const TEnumNames DateTimeKindNames, DTDateModeNames, DTDateFormatNames;

// Starts at the moment it is made. A description states the date and the time as "2024-05-17" and
// "13:45:00". OnChange runs when the user changes the value, not when the program does.
class TDateTimePicker : public TWinControl {
    QL_CLASS_INFO()
  public:
    explicit TDateTimePicker(TComponent* AOwner);

    TDateTime DateTime() const;
    void SetDateTime(TDateTime v);
    // The day alone, and the time of day alone; setting one keeps the other.
    TDateTime Date() const;
    void SetDate(TDateTime v);
    TDateTime Time() const;
    void SetTime(TDateTime v);
    // Picks a date or a time of day.
    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind v);
    // Dates drop down a calendar, or step with up-down buttons.
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode v);
    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat v);
    TNotifyEvent OnChange;

  protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& Message) override;

  private:
    TDateTime FDateTime = 0;
    TDateTimeKind FKind = dtkDate;
    TDTDateMode FDateMode = dmComboBox;
    TDTDateFormat FDateFormat = dfShort;
};
