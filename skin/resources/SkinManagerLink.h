// What a skin component asks of the process's skin manager. The manager lives in the window layer
// above the skin data; it registers how it is reached, so the skin data needs no window headers.
#pragma once

class TSkinData;

class TSkinManagerLink {
  public:
    virtual void AddSkinData(TSkinData* skin) = 0;
    // Every reference to the skin goes: pending action, main skin, the windows skinned with it.
    virtual void RemoveSkinData(TSkinData* skin) = 0;
    virtual void InstallHook() = 0;
    // The action runs `interval` ms later with `target` as its skin; a new request replaces it.
    virtual void RequestAction(TSkinData* target, int code, unsigned interval) = 0;
    // A window was taken over or a skin switched on: pending actions may run.
    virtual void SetRunning() = 0;
    virtual bool Running() const = 0;
    // The caption buttons built from the skin's old button list go before that list does.
    virtual void DeleteSysbtn(TSkinData* skin) = 0;

  protected:
    ~TSkinManagerLink() = default;
};

// Returns the manager, making it when `create` and there is none; null when no manager layer is
// registered (or none exists and `create` is false).
using TSkinManagerAccess = TSkinManagerLink* (*)(bool create);
void RegisterSkinManagerAccess(TSkinManagerAccess access);
TSkinManagerLink* SkinManagerOf(bool create);

// The actions a skin component asks for.
enum TSkinAction { saStart = 1, saStop = 2, saSkinChanged = 3, saReskinWindow = 7 };
constexpr unsigned SkinActionInterval = 250;
