// The one place an exception goes when a callback catches it: window procedures, subclass and hook
// procedures, timers and hidden notification windows. The system's frames between a callback and
// its caller cannot unwind, so nothing may leave a callback.
#pragma once

#include <exception>

using TErrorSink = void (*)(std::exception_ptr error);

// The application installs its error box here; without a sink an error becomes a debug-output
// line. Returns the sink it replaces.
TErrorSink SetErrorSink(TErrorSink sink);
// Hands an error to the sink. Never throws: a failing sink is not asked again for that error.
void ReportError(std::exception_ptr error) noexcept;

// Runs body at a callback boundary; what it throws goes to the sink. False when it threw.
template <class F> bool GuardCallback(F&& body) noexcept {
    try {
        body();
        return true;
    } catch (...) {
        ReportError(std::current_exception());
        return false;
    }
}
