// Published properties that several control classes share; each class publishes the groups it shows
// to a form designer (as the standard controls do, not every control has a Caption or a TabStop).
#pragma once

#include "Controls.h"

template <class T> TClassBuilder<T>& PublishLook(TClassBuilder<T>& b) {
    return b.Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled)
        .Bool("Visible", &TControl::Visible, &TControl::SetVisible)
        .template Obj<TFont>("Font", [](const T& c) { return const_cast<TFont*>(&c.Font()); })
        .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
        .Int(
            "Color", [](const T& c) { return static_cast<int32_t>(c.Color()); }, &TControl::SetColor)
        .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
        .Enum("Align", AlignNames, &TControl::Align, &TControl::SetAlign);
}

template <class T> TClassBuilder<T>& PublishTabs(TClassBuilder<T>& b) {
    return b.Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
}

template <class T> TClassBuilder<T>& PublishCaption(TClassBuilder<T>& b) {
    return b.Str("Caption", &TControl::Caption, &TControl::SetCaption);
}

template <class T> TClassBuilder<T>& PublishText(TClassBuilder<T>& b) {
    return b.Str("Text", &TControl::Text, &TControl::SetText);
}

template <class T> TClassBuilder<T>& PublishOnClick(TClassBuilder<T>& b) {
    return b.Event("OnClick", static_cast<TNotifyEvent T::*>(&TControl::OnClick));
}
