#include "ManageRules.h"

#include "SysUtils.h"

namespace {
constexpr int NeverSkinTag = 99;

TSkinData* LastOf(const std::vector<TSkinCandidate>& skins, auto match) {
    for (auto it = skins.rbegin(); it != skins.rend(); ++it)
        if (match(*it)) return it->Skin;
    return nullptr;
}
} // namespace

bool IsNestedWindow(const TWindowFacts& w) {
    return (w.Style & WS_CHILD) && !(w.ExStyle & WS_EX_MDICHILD) && LowerCase(w.ParentClass) != "mdiclient";
}

bool MaySkinWindow(const TWindowFacts& w, bool skinNested) {
    if (!skinNested && IsNestedWindow(w)) return false;
    if (!w.FrameworkForm && !w.OurModule && w.ClassName != "#32770") return false;
    if (w.EmptyRect && !(w.ExStyle & WS_EX_MDICHILD)) return false;
    if (w.FrameworkForm && w.FormTag == NeverSkinTag) return false;
    return w.ClassName.find("TcxPopupEditPopupWindow") == std::string::npos && w.ClassName != "TApplication";
}

bool RefusesPreview(const TSkinData& mainSkin, const std::string& className) {
    return !mainSkin.Options.Contains(xoPreview) && LowerCase(className).find("preview") != std::string::npos;
}

TSkinData* ChooseSkin(const std::vector<TSkinCandidate>& skins, HWND wnd, const std::string& className) {
    auto ofType = [](TSkinFormType type) {
        return [type](const TSkinCandidate& c) { return c.Skin->SkinFormtype == type; };
    };
    if (TSkinData* s = LastOf(skins, [wnd](const TSkinCandidate& c) {
            return c.Skin->SkinFormtype == sfOnlyThisForm && c.OwnerWindow == wnd;
        }))
        return s;
    std::string lower = LowerCase(className);
    if (lower == "tmessageform" || lower == "#32770")
        if (TSkinData* s = LastOf(skins, ofType(sfDialog))) return s;
    if (TSkinData* s = LastOf(skins, ofType(sfMainform))) return s;
    return skins.empty() ? nullptr : skins.front().Skin;
}
