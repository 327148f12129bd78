#include "ErrorSink.h"

#include <windows.h>

namespace {
TErrorSink Sink = nullptr;

void Trace(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        OutputDebugStringA(e.what());
    } catch (...) {
        OutputDebugStringA("unknown exception in a callback");
    }
}
} // namespace

TErrorSink SetErrorSink(TErrorSink sink) {
    TErrorSink old = Sink;
    Sink = sink;
    return old;
}

void ReportError(std::exception_ptr error) noexcept {
    if (!error) return;
    try {
        if (Sink)
            Sink(error);
        else
            Trace(error);
    } catch (...) {
        // the sink itself failed: nobody is left to tell
    }
}
