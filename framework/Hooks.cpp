// THook: one system hook per type and thread, shared by its owners; one static procedure per type.
#include "Hooks.h"

#include "ErrorSink.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace {
struct TThreadHook {
    HHOOK Handle = nullptr;
    std::vector<THook*> Owners; // newest first
};
using TKey = std::pair<int, DWORD>; // type, thread

// Hooks may run on other threads of the process: the table is locked, the callbacks are not.
std::mutex TableLock;

// Never freed: a hook may still be called while the program's globals go.
std::map<TKey, TThreadHook>& Table() {
    static auto* table = new std::map<TKey, TThreadHook>;
    return *table;
}

bool Listed(const TKey& key, const THook* hook) {
    std::lock_guard lock(TableLock);
    const auto& owners = Table()[key].Owners;
    return std::find(owners.begin(), owners.end(), hook) != owners.end();
}

// The owners listed when the call came; one that is removed meanwhile is skipped.
LRESULT Dispatch(int type, int code, WPARAM wParam, LPARAM lParam) noexcept {
    THookMessage m{code, wParam, lParam, 0};
    TKey key{type, GetCurrentThreadId()};
    std::vector<THook*> owners;
    {
        std::lock_guard lock(TableLock);
        if (code >= 0) owners = Table()[key].Owners;
    }
    for (THook* hook : owners)
        if (Listed(key, hook)) GuardCallback([&] { hook->OnHook(m); });
    LRESULT next = CallNextHookEx(nullptr, code, wParam, lParam);
    return m.Result ? m.Result : next;
}

template <int Type> LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam) {
    return Dispatch(Type, code, wParam, lParam);
}

HOOKPROC ProcOf(int type) {
    static const std::pair<int, HOOKPROC> procs[] = {
        {WH_CBT, HookProc<WH_CBT>},
        {WH_MSGFILTER, HookProc<WH_MSGFILTER>},
        {WH_CALLWNDPROC, HookProc<WH_CALLWNDPROC>},
        {WH_CALLWNDPROCRET, HookProc<WH_CALLWNDPROCRET>},
        {WH_GETMESSAGE, HookProc<WH_GETMESSAGE>},
    };
    for (const auto& [t, proc] : procs)
        if (t == type) return proc;
    return nullptr;
}
} // namespace

THook::THook(int Type, THookEvent Callback) : OnHook(std::move(Callback)), FType(Type) {
    if (!ProcOf(Type)) throw EHookError(Format("Hook type %d is not supported", Type));
}

void THook::Install(DWORD ThreadId) {
    if (FThread) return;
    if (!ThreadId) throw EHookError("Only thread hooks are supported");
    std::lock_guard lock(TableLock);
    TThreadHook& shared = Table()[{FType, ThreadId}];
    if (!shared.Handle) shared.Handle = SetWindowsHookExW(FType, ProcOf(FType), nullptr, ThreadId);
    if (!shared.Handle) throw EHookError(Format("Cannot install a hook of type %d", FType));
    shared.Owners.insert(shared.Owners.begin(), this);
    FThread = ThreadId;
}

void THook::Remove() {
    if (!FThread) return;
    std::lock_guard lock(TableLock);
    TThreadHook& shared = Table()[{FType, std::exchange(FThread, 0)}];
    std::erase(shared.Owners, this);
    if (shared.Owners.empty() && shared.Handle) UnhookWindowsHookEx(std::exchange(shared.Handle, nullptr));
}
