// The skin caption component and the process-wide values it publishes.
#include "SkinCaption.h"

bool SkinCaptionActive = true;
uint8_t SkinCaptionAlpha = 0;

const char* const TSkinCaption::FixedAuthor = "QUARLINK Config skin engine";

const TClassInfo& TSkinCaption::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TSkinCaption>("TSkinCaption", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Bool("Active", &TSkinCaption::Active, &TSkinCaption::SetActive)
                                       .Str("Author", &TSkinCaption::Author, &TSkinCaption::Author)
                                       .Int("SkinAlpha", &TSkinCaption::SkinAlpha, &TSkinCaption::SkinAlpha)
                                       .Build();
    return info;
}

void TSkinCaption::Loaded() {
    TComponent::Loaded();
    Author = FixedAuthor;
    SkinCaptionAlpha = SkinAlpha;
}
