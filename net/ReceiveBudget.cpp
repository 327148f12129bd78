#include "ReceiveBudget.h"

bool TReceiveBudget::Admit(int64_t nowUs) {
    if (!FStarted || nowUs - FSliceStartUs >= SliceUs || nowUs < FSliceStartUs) {
        FStarted = true;
        FSliceStartUs = nowUs;
        FSpentUs = 0;
        FAdmitted = 0;
    }
    if (FAdmitted >= AlwaysPerSlice && FSpentUs >= HandlerShareUs) return false;
    ++FAdmitted;
    return true;
}
