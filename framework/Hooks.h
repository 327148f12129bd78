// Thread hooks with owners: WH_CBT, WH_MSGFILTER, WH_CALLWNDPROC, WH_CALLWNDPROCRET and
// WH_GETMESSAGE. All owners of one type on one thread share one system hook, which calls them
// newest first (as the system orders hooks) and always passes the call on with CallNextHookEx.
#pragma once

#include "Classes.h"

#include <windows.h>

class EHookError : public Exception {
    using Exception::Exception;
};

struct THookMessage {
    int Code = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    // What the hook answers when not 0, else the next hook's answer: for WH_CBT a refusal of the
    // action, for WH_MSGFILTER "handled". The next hooks are called either way.
    LRESULT Result = 0;
};
using THookEvent = TEvent<THookMessage&>;

class THook {
  public:
    // Not installed yet. A type not listed above: EHookError.
    THook(int Type, THookEvent Callback);
    THook(const THook&) = delete;
    THook& operator=(const THook&) = delete;
    ~THook() { Remove(); }

    // Hooks a thread of this process (this one by default); the callback runs on that thread.
    // Installing an installed hook does nothing. EHookError when the system refuses.
    void Install(DWORD ThreadId = GetCurrentThreadId());
    void Remove();
    bool Installed() const { return FThread != 0; }
    int Type() const { return FType; }

    // Codes below 0 never reach it. What it throws goes to the error sink.
    THookEvent OnHook;

  private:
    int FType;
    DWORD FThread = 0;
};
