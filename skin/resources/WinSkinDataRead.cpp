// Reading rules: how each skin object, colour and caption button comes out of the description.
#include "WinSkinDataRead.h"

#include "ImgUtil.h"

#include <algorithm>

namespace {

constexpr TColor SysColor(int n) {
    return clSystemColor + TColor(n);
}

bool StartsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

// Tile keys: some objects know only 0 and 1 and read anything larger as 0, others as 1.
int32_t TileOrZero(int32_t v) {
    return v > 1 ? 0 : v;
}
int32_t TileOrOne(int32_t v) {
    return v > 1 ? 1 : v;
}

struct TColourKey {
    TShemeColor Index;
    const char* Key;
    TColor Default;
};
// csMenuBar defaults to the button face just read; csCaption is computed after the load.
constexpr TColourKey ColourKeys[] = {
    {csText, "WindowText", SysColor(COLOR_WINDOWTEXT)},
    {csTitleTextActive, "TitleTextActive", SysColor(COLOR_CAPTIONTEXT)},
    {csTitleTextNoActive, "TitleTextNoActive", SysColor(COLOR_INACTIVECAPTIONTEXT)},
    {csButtonFace, "ButtonFace", SysColor(COLOR_BTNFACE)},
    {csButtonText, "ButtonText", SysColor(COLOR_BTNTEXT)},
    {csButtonHilight, "ButtonHilight", SysColor(COLOR_BTNHIGHLIGHT)},
    {csButtonlight, "Buttonlight", SysColor(COLOR_BTNHIGHLIGHT)},
    {csButtonShadow, "ButtonShadow", SysColor(COLOR_BTNSHADOW)},
    {csButtonDkshadow, "ButtonDkShadow", SysColor(COLOR_3DDKSHADOW)},
    {csHilightText, "HilightText", SysColor(COLOR_HIGHLIGHTTEXT)},
    {csHilight, "Hilight", SysColor(COLOR_HIGHLIGHT)},
    {csMenuBarText, "MenuBarText", SysColor(COLOR_MENUTEXT)},
    {csMenuText, "MenuText", SysColor(COLOR_MENUTEXT)},
    {csMenubg, "Menu", SysColor(COLOR_MENU)},
    {csScrollbar, "Scrollbar", SysColor(COLOR_SCROLLBAR)},
};

void ClampMargins(TDataSkinObject& o, LONG most) {
    for (LONG* m : {&o.Margins.left, &o.Margins.top, &o.Margins.right, &o.Margins.bottom})
        *m = std::clamp(*m, LONG(0), most);
}

bool IsCaptionButtonSection(const std::string& upper) {
    return StartsWith(upper, "BUTTON") && upper != "BUTTONS" && upper != "BUTTON.RADIO" &&
           upper != "BUTTON.CHECKBOX" && upper != "BUTTON";
}

} // namespace

int32_t SysButtonFrames(const TBitmap& image, int32_t action) {
    if (action < 0 || image.Empty()) return 6;
    return double(image.Width()) / double(image.Height()) <= 3.8 ? 3 : 6;
}

int32_t StripFrames(const TBitmap& image) {
    int32_t frames = image.Width() / (image.Height() < 16 ? 13 : 16);
    return std::max(frames, 4);
}

// ---- Colours --------------------------------------------------------------------------------------

TColor TSkinData::GetColor(const std::string& text, TColor def) const {
    if (text.empty()) return def;
    int32_t parts[3] = {0, 0, 0};
    int taken = 0;
    std::string digits;
    auto take = [&] {
        int32_t v;
        if (!digits.empty() && taken < 3 && TryStrToInt(digits, v)) parts[taken++] = v % 256;
        digits.clear();
    };
    for (char c : Trim(text)) {
        if (c >= '0' && c <= '9')
            digits += c;
        else
            take();
    }
    if (taken == 2) take();
    return RGBToColor(uint8_t(parts[0]), uint8_t(parts[1]), uint8_t(parts[2]));
}

void TSkinData::ReadRGB(const std::string& section, const std::string& name, TColor& color) const {
    if (!Ini) return;
    int32_t r = Ini->ReadInteger(section, name + "R", -1);
    int32_t g = Ini->ReadInteger(section, name + "G", -1);
    int32_t b = Ini->ReadInteger(section, name + "B", -1);
    if (r >= 0 && g >= 0 && b >= 0) color = RGBToColor(uint8_t(r % 256), uint8_t(g % 256), uint8_t(b % 256));
}

bool TSkinData::GetPrecolor(TColor& color, int index) const {
    if (index < 0 || size_t(index) >= PreColors.size()) return false;
    color = PreColors[size_t(index)];
    return true;
}

TColor TSkinData::GetCaptionColor() {
    TBitmap& top = Borders[bdTop]->Image;
    if (top.Empty()) return Colors[csButtonFace];
    int frameHeight = top.Height() / Borders[bdTop]->Frame;
    return top.Canvas().Pixel(top.Width() / 3, frameHeight / 3);
}

std::string TSkinData::GetFileName(const std::string& name) {
    size_t dot = name.find('.');
    return dot == std::string::npos ? std::string() : name.substr(0, dot);
}

int TSkinData::GetSectionNum(const std::string& prefix, const std::string& key) const {
    int n = 0;
    if (!Ini) return n;
    while (!Ini->ReadString(prefix + IntToStr(n), key, "").empty())
        n++;
    return n;
}

TColor TSkinDataLoader::ReadColour(const std::string& key, TColor def) const {
    return D.GetColor(Str("Colours", key), def);
}

void TSkinDataLoader::ReadColours() {
    D.Colors.fill(0);
    for (const TColourKey& c : ColourKeys) {
        D.Colors[c.Index] = ReadColour(c.Key, c.Default);
        if (c.Index == csButtonFace) D.Colors[csMenuBar] = ReadColour("Menubar", D.Colors[csButtonFace]);
    }
    D.PreColors.clear();
    for (int i = 0; i < Sections.Count(); i++) {
        std::string upper = UpperCase(Sections[i]);
        if (StartsWith(upper, "COLOUR") && upper != "COLOURS")
            D.PreColors.push_back(D.GetColor(Str(Sections[i], "color"), SysColor(COLOR_WINDOWTEXT)));
    }
    for (int i = 0; i < 10; i++)
        D.CustomColors[size_t(i)] = D.GetColor(Str("Customcolors", "Color" + IntToStr(i)), clWhite);
}

// ---- Object rules ---------------------------------------------------------------------------------

void TSkinDataLoader::ReadMargins(TDataSkinObject& o, const std::string& section) {
    o.Margins = {Int(section, "LeftWidth"), Int(section, "TopHeight"), Int(section, "RightWidth"),
                 Int(section, "BottomHeight")};
}

void TSkinDataLoader::ReadTextColours(TDataSkinObject& o, const std::string& section) {
    o.NormalColour = Int(section, "NormalColour", -1);
    o.MouseOverColour = Int(section, "MouseOverColour", -1);
    o.PressedColour = Int(section, "PressedColour", -1);
    TColor text = D.Colors[csButtonText];
    o.NormalColour2 = D.GetColor(Str(section, "NormalColour2"), text);
    o.MouseOverColour2 = D.GetColor(Str(section, "MouseOverColour2"), text);
    o.PressedColour2 = D.GetColor(Str(section, "PressedColour2"), text);
}

template <class T> TSkinPtr<T> TSkinDataLoader::General(const std::string& section, bool withFrame) {
    std::string image = Str(section, "Image");
    if (image.empty()) return nullptr;
    auto o = std::make_unique<T>();
    o->Name = section;
    D.Readbmp(o->Image, image);
    o->Style = Int(section, "Style");
    ReadMargins(*o, section);
    if (withFrame) o->Frame = Int(section, "Frame");
    o->Trans = Int(section, "Trans");
    o->Tile = TileOrZero(Int(section, "Tile"));
    ReadTextColours(*o, section);
    return o;
}
template TSkinPtr<TDataSkinObject> TSkinDataLoader::General(const std::string&, bool);

TSkinPtr<TDataSkinBorder> TSkinDataLoader::TwoImage(const std::string& section,
                                                    const std::string& secondKey) {
    auto o = General<TDataSkinBorder>(section, false);
    if (!o) return o;
    std::string second = Str(section, secondKey);
    if (!second.empty()) D.Readbmp(o->Image2, second);
    return o;
}

TSkinPtr<TDataSkinBorder> TSkinDataLoader::Progress() {
    const std::string section = "Progress";
    std::string image = Str(section, "Bitmap");
    if (image.empty()) return nullptr;
    auto o = std::make_unique<TDataSkinBorder>();
    o->Name = section;
    D.Readbmp(o->Image, image);
    o->Style = Int(section, "Style");
    ReadMargins(*o, section);
    o->Trans = Int(section, "Trans");
    o->Tile = TileOrOne(Int(section, "Tile"));
    return o;
}

TSkinPtr<TDataSkinBoxLabel> TSkinDataLoader::BoxLabel(const std::string& section) {
    auto o = General<TDataSkinBoxLabel>(section, false);
    if (!o) return o;
    o->BackgroundAlignment = Int(section, "BackgroundAlignment");
    o->BackgroundLeftShift = Int(section, "BackgroundLeftShift");
    o->BackgroundRightShift = Int(section, "BackgroundRightShift");
    return o;
}

TSkinPtr<TDataSkinObject> TSkinDataLoader::MenuBar() {
    const std::string section = "Personality";
    std::string image = Str(section, "menuBar");
    if (image.empty()) return nullptr;
    auto o = std::make_unique<TDataSkinObject>();
    o->Name = section;
    D.Readbmp(o->Image, image);
    o->Margins = {Int(section, "TileLeftMenu", 1), 0, Int(section, "TileRightMenu", 1), 0};
    o->Tile = TileOrOne(Int(section, "TileMenu", 1));
    return o;
}

void TSkinDataLoader::ReadTitle() {
    const std::string section = "Personality";
    TDataSkinTitle& t = *D.Title;
    D.Readbmp(t.Image, Str(section, "TextBack"));
    t.Margins = {Int(section, "TextShift"), Int(section, "TextShiftVert"), Int(section, "TextRightClip"), 0};
    t.TextAlignment = Int(section, "TextAlignment");
    t.Textbackground = Int(section, "Textbackground");
    t.TXTBackleft = Int(section, "TXTBackleft");
    t.TXTBackRight = Int(section, "TXTBackRight");
    t.FontHeight = Int("Fonts", "FontHeight", 14);
    t.ActiveText = clNone;
    t.InActiveText = clNone;
    D.ReadRGB(section, "ActiveText", t.ActiveText);
    D.ReadRGB(section, "InActiveText", t.InActiveText);
}

void TSkinDataLoader::ReadBorders() {
    const std::string section = "Personality";
    for (auto& border : D.Borders) {
        const std::string& n = border->Name;
        D.Readbmp(border->Image, Str(section, n));
        border->Frame = Int(section, n + "Frame", 1);
        border->Tile = TileOrOne(Int(section, n + "Stretch", 1));
        border->Trans = Int(section, n + "Trans", 1);
        int32_t first = Int(section, n + "TopHeight"), last = Int(section, n + "BotHeight");
        bool vertical = &border == &D.Borders[bdLeft] || &border == &D.Borders[bdRight];
        border->Margins = vertical ? RECT{0, first, 0, last} : RECT{first, 0, last, 0};
    }
}

void TSkinDataLoader::ReadButton() {
    const std::string section = "Buttons";
    TDataSkinButton& b = *D.Button;
    ReadMargins(b, section);
    b.Trans = Int(section, "Trans");
    D.Readbmp(b.Image, Str(section, "Bitmap"));
    b.Tile = TileOrZero(Int(section, "Tile"));
    D.Readbmp(b.CheckImage, Str(section, "CheckButton"));
    D.Readbmp(b.RadioImage, Str(section, "RadioButton"));
    b.RadioButtonFrame = Int(section, "RadioButtonFrame");
    b.CheckButtonFrame = Int(section, "CheckButtonFrame");
    b.HasNormalColour2 = !Str(section, "NormalColour2").empty();
    b.HasMouseOverColour2 = !Str(section, "MouseOverColour2").empty();
    b.HasPressedColour2 = !Str(section, "PressedColour2").empty();
    ReadTextColours(b, section);
}

// ---- Caption buttons --------------------------------------------------------------------------------

TSkinPtr<TDataSkinSysButton> TSkinDataLoader::SysButton(const std::string& section) {
    auto b = std::make_unique<TDataSkinSysButton>();
    b->Name = UpperCase(section);
    b->Action = Int(section, "Action");
    b->Align = Int(section, "Align");
    b->XCoord = Int(section, "Xcoord");
    b->YCoord = Int(section, "Ycoord");
    b->Visibility = Int(section, "Visibility");
    b->Visibility1 = Int(section, "Visibility1", b->Action == -1 ? -1 : 0);
    b->CombineOp = Int(section, "CombineOp", -1);
    b->Frame = Int(section, "frame");
    D.Readbmp(b->Image, Str(section, "ButtonImage"));
    if (b->Frame == 0) {
        b->Frame = SysButtonFrames(b->Image, b->Action);
        if (b->Action == 3 || b->Action == 11) b->Image.FreeImage();
    }
    return b;
}

// The buttons of a maximized MDI child, cut from one image of 12 equal cells.
void TSkinDataLoader::MdiButtons() {
    TBitmap strip;
    D.Readbmp(strip, Str("MDICONTROLS", "Image"));
    int w = strip.Width() / 12, h = strip.Height();
    for (int i = 0; i < 3; i++) {
        auto b = std::make_unique<TDataSkinSysButton>();
        b->Action = 7 + i;
        b->Align = b->Visibility = b->Visibility1 = 100;
        b->Frame = 4;
        b->XCoord = (w + 4) * (3 - i);
        if (w > 0 && h > 0) {
            b->Image.SetSize(4 * w, h);
            BitBlt(b->Image.MemoryDC(), 0, 0, 4 * w, h, strip.MemoryDC(), 4 * w * i, 0, SRCCOPY);
        }
        D.SysButtonList.push_back(std::move(b));
    }
}

void TSkinDataLoader::ReadSysButtons() {
    D.SysButtonList.clear();
    for (int i = 0; i < Sections.Count(); i++) {
        const std::string section = Sections[i];
        if (!IsCaptionButtonSection(UpperCase(section))) continue;
        if (Int(section, "Action") == -1 && Int(section, "Visibility", -1) != 0) continue;
        D.SysButtonList.push_back(SysButton(section));
    }
    MdiButtons();
}

// The objects of the control skinners, in the order the description is read.
void TSkinDataLoader::ReadControlObjects() {
    D.Progress = Progress();
    D.ProgressChunk = General("Progress.Chunk");
    D.MenuBarSkin = MenuBar();
    D.GroupBoxEdge = General("GroupBoxEdge");
    D.GroupBox = BoxLabel("GroupBox");
    D.Tabs = TwoImage("Tabs", "Border");
    D.StatusBarEdges = General("StatusBarEdges");
    D.TabPane = General("Tab.Pane");
    if (D.TabPane) ClampMargins(*D.TabPane, 4);
    D.ToolBars = General("ToolBars");
    D.ComboButton = TwoImage("ComboButton", "****");
    if (D.ComboButton && !D.ComboButton->Image.Empty()) {
        D.ComboButton->Image2.Assign(&D.ComboButton->Image);
        D.ComboButton->Image2.SetPixelFormat(pf24bit);
        SpiegelnHorizontal(D.ComboButton->Image2);
    }
    D.SunkEdge = General("SunkEdge");
    D.ExtraImages = General("ExtraImages");
    D.Headerbar = General("Headerbar");
    D.MenuItem = General("MenuItem");
    D.MenuBackground = General("MenuBackground");
    D.Scrollbar = General("Scrollbar");
    D.HorzScroll = General("HorzScroll");
    D.VertScroll = General("VertScroll");
    D.HorzScrollThumb = General("HorzScrollThumb");
    D.VertScrollThumb = General("VertScrollThumb");
    D.TrackbarThumbHorz = General("Trackbar.ThumbHorz");
    D.TrackbarThumbVert = General("Trackbar.ThumbVert");
    D.TrackbarThumbLeft = General("Trackbar.ThumbLeft");
    D.TrackbarThumbRight = General("Trackbar.ThumbRight");
    D.TrackbarThumbUp = General("Trackbar.ThumbUp");
    D.TrackbarThumbDown = General("Trackbar.ThumbDown");
    D.UpDownHorz = TwoImage("UpDown.Horz", "GlyphImage");
    D.UpDownVert = TwoImage("UpDown.Vert", "GlyphImage");
    D.Track = General("Track");
    D.TrackVert = General("TRACKVERT");
    BuiltInTracks();
}

// ---- After the objects are read ---------------------------------------------------------------------

void TSkinDataLoader::BuiltInTracks() {
    struct {
        TSkinPtr<TDataSkinObject>& Member;
        const char* Name;
    } tracks[] = {{D.Track, "Track"}, {D.TrackVert, "TRACKVERT"}};
    for (auto& t : tracks) {
        if (t.Member) continue;
        t.Member = std::make_unique<TDataSkinObject>();
        t.Member->Name = t.Name;
        try {
            t.Member->Image.LoadFromResourceName(GetModuleHandleW(nullptr), Utf8ToUtf16(UpperCase(t.Name)));
        } catch (const EResNotFound&) {
            // a program built without the engine's bitmaps gets an empty track
        }
        t.Member->Margins = {3, 3, 3, 3};
        t.Member->Frame = 1;
    }
}

void TSkinDataLoader::ButtonFrames() {
    TDataSkinButton& b = *D.Button;
    b.Frame = 5;
    if (b.RadioButtonFrame == 0) b.RadioButtonFrame = StripFrames(b.RadioImage);
    if (b.CheckButtonFrame == 0) b.CheckButtonFrame = StripFrames(b.CheckImage);
}

void TSkinDataLoader::ApplyFrameCounts() {
    struct TFixed {
        TDataSkinObject* Object;
        int32_t Frames;
    };
    const TFixed fixed[] = {{D.MenuBarSkin.get(), 2},        {D.GroupBoxEdge.get(), 2},
                            {D.GroupBox.get(), 1},           {D.Tabs.get(), 5},
                            {D.StatusBarEdges.get(), 3},     {D.TabPane.get(), 1},
                            {D.ToolBars.get(), 5},           {D.ComboButton.get(), 4},
                            {D.SunkEdge.get(), 4},           {D.ExtraImages.get(), 5},
                            {D.MenuItem.get(), 5},           {D.MenuBackground.get(), 1},
                            {D.Scrollbar.get(), 23},         {D.HorzScroll.get(), 4},
                            {D.VertScroll.get(), 4},         {D.TrackbarThumbHorz.get(), 5},
                            {D.TrackbarThumbVert.get(), 5},  {D.TrackbarThumbLeft.get(), 5},
                            {D.TrackbarThumbRight.get(), 5}, {D.TrackbarThumbUp.get(), 5},
                            {D.TrackbarThumbDown.get(), 5},  {D.UpDownHorz.get(), 8},
                            {D.UpDownVert.get(), 8},         {D.Title.get(), 2}};
    for (const TFixed& f : fixed)
        if (f.Object) f.Object->Frame = f.Frames;
    if (D.Progress) D.Progress->Frame = D.Progress->Style == 0 ? 2 : 1;
    if (D.Headerbar && D.Headerbar->Frame == 0) D.Headerbar->Frame = 5;
    if (D.HorzScrollThumb) D.HorzScrollThumb->Frame = Int("HorzScrollThumb", "FrameCount", 3);
    if (D.VertScrollThumb) D.VertScrollThumb->Frame = Int("VertScrollThumb", "FrameCount", 3);
    ButtonFrames();
}

void TSkinDataLoader::ClampObjects() {
    D.ForEachObject([](TDataSkinObject& o) {
        o.Frame = FrameCount(o.Frame);
        ClampMargins(o, MaxMargin);
    });
    D.Button->RadioButtonFrame = FrameCount(D.Button->RadioButtonFrame);
    D.Button->CheckButtonFrame = FrameCount(D.Button->CheckButtonFrame);
}
