// The skin data's companion on a form: the process-wide switch for skinned captions and their
// alpha value. Portable: no Windows headers.
#pragma once

#include "TypInfo.h"

#include <cstdint>
#include <string>

// Shared by every TSkinCaption: switched on from the program's start, however many exist.
extern bool SkinCaptionActive;
// SkinAlpha of the caption component loaded last.
extern uint8_t SkinCaptionAlpha;

class TSkinCaption : public TComponent {
    QL_CLASS_INFO()
  public:
    static const char* const FixedAuthor;

    explicit TSkinCaption(TComponent* AOwner) : TComponent(AOwner) {}
    // Author goes back to FixedAuthor whatever was stored, and SkinAlpha becomes the process's.
    void Loaded() override;

    bool Active() const { return SkinCaptionActive; }
    void SetActive(bool value) { SkinCaptionActive = value; }
    std::string Author = FixedAuthor;
    uint8_t SkinAlpha = 0;
};
