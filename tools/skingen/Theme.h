// The default skin's palette: one calm blue accent on light neutral surfaces. The description's fixed
// colours (ButtonFace 233, ButtonShadow 201, white title text) are what these were chosen around.
#pragma once

#include "Paint.h"

namespace Theme {

constexpr uint32_t Face = Grey(233); // the description's ButtonFace: window and bar backgrounds
constexpr uint32_t Accent = Rgb(42, 104, 174);
constexpr uint32_t AccentDark = Rgb(28, 74, 130);
constexpr uint32_t AccentLight = Rgb(86, 142, 206);
constexpr uint32_t AccentTint = Rgb(229, 240, 252);        // hot faces
constexpr uint32_t AccentTintPressed = Rgb(204, 225, 247); // pressed faces
constexpr uint32_t AccentEdge = Rgb(122, 168, 220);        // edge of a hot face

constexpr uint32_t White = Grey(255);
constexpr uint32_t ControlTop = Grey(253), ControlBottom = Grey(243); // resting button face
constexpr uint32_t ControlBorder = Grey(173);
constexpr uint32_t BoxBorder = Grey(122);   // check box and radio outline: needs more contrast than a button
constexpr uint32_t FieldBorder = Grey(201); // the description's ButtonShadow, as edit frames use it
constexpr uint32_t DisabledFace = Grey(240), DisabledBorder = Grey(208), DisabledGlyph = Grey(178);
constexpr uint32_t Glyph = Grey(70);
constexpr uint32_t Divider = Grey(214);

constexpr uint32_t Track = Grey(240); // scroll bar channel
constexpr uint32_t Thumb = Grey(196), ThumbHot = Grey(166), ThumbDragged = Grey(134),
                   ThumbDisabled = Grey(226);

constexpr uint32_t MenuSurface = Grey(250), MenuBorder = Grey(178);

constexpr uint32_t TitleInactive = Rgb(120, 131, 145); // the description's inactive title text is 225 grey
constexpr uint32_t BorderInactive = Rgb(142, 150, 160);
constexpr uint32_t CloseHot = Rgb(200, 48, 38), ClosePressed = Rgb(150, 32, 24);

} // namespace Theme
