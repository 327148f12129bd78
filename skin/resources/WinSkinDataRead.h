// Inside the skin data unit: the rules that read one skin description into the model.
#pragma once

#include "BmpCodec.h"
#include "WinSkinData.h"
#include "WinSkinIni.h"

class TSkinDataLoader {
  public:
    TSkinDataLoader(TSkinData& data, const TQuickIni& ini, const TStrings& sections)
        : D(data), Ini(ini), Sections(sections) {}

    void ReadBorders();
    void ReadColours();
    void ReadSysButtons();
    void ReadButton();
    void ReadTitle();
    // Progress ... TrackVert, with the built-in tracks for whichever is still missing.
    void ReadControlObjects();
    // One object per rule; nil when the section gives no image.
    template <class T = TDataSkinObject>
    TSkinPtr<T> General(const std::string& section, bool withFrame = true);
    TSkinPtr<TDataSkinBorder> TwoImage(const std::string& section, const std::string& secondKey);
    TSkinPtr<TDataSkinBorder> Progress();
    TSkinPtr<TDataSkinBoxLabel> BoxLabel(const std::string& section);
    TSkinPtr<TDataSkinObject> MenuBar();
    void ApplyFrameCounts();
    // Whatever the skin says: counts of at least 1 and margins within 0 ... MaxMargin, for every object.
    void ClampObjects();

  private:
    int32_t Int(const std::string& section, const std::string& key, int32_t def = 0) const {
        return Ini.ReadInteger(section, key, def);
    }
    std::string Str(const std::string& section, const std::string& key) const {
        return Ini.ReadString(section, key, "");
    }
    void ReadMargins(TDataSkinObject& o, const std::string& section);
    void ReadTextColours(TDataSkinObject& o, const std::string& section);
    TColor ReadColour(const std::string& key, TColor def) const;
    TSkinPtr<TDataSkinSysButton> SysButton(const std::string& section);
    void MdiButtons();
    void BuiltInTracks(); // Track and TrackVert from the built-in images when the skin has none
    void ButtonFrames();

    TSkinData& D;
    const TQuickIni& Ini;
    const TStrings& Sections;
};

// Number of frames a caption button image holds when the skin does not say.
int32_t SysButtonFrames(const TBitmap& image, int32_t action);
// A check or radio strip's frame count when the skin does not say.
int32_t StripFrames(const TBitmap& image);
// A frame count that is safe to divide by.
inline int32_t FrameCount(int32_t frames) {
    return frames < 1 ? 1 : frames;
}
// No margin can be longer than the side of the largest image a skin may hold; this bound also keeps
// every sum and difference of margins and sizes in the drawing code far from overflow.
constexpr LONG MaxMargin = kBmpMaxSide;
