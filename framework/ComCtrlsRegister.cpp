// The common-control classes a description may name.
#include "ComCtrls.h"

void RegisterCommonControlClasses() {
    for (const TClassInfo* c :
         {&TTrackBar::StaticClassInfo(), &TProgressBar::StaticClassInfo(), &TUpDown::StaticClassInfo(),
          &TTabControl::StaticClassInfo(), &TPageControl::StaticClassInfo(), &TTabSheet::StaticClassInfo(),
          &TListView::StaticClassInfo(), &THeaderControl::StaticClassInfo(), &TToolBar::StaticClassInfo(),
          &TToolButton::StaticClassInfo(), &TDateTimePicker::StaticClassInfo()})
        RegisterClassInfo(*c);
}
