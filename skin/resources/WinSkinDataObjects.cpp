// The skin data component: its published settings, construction and release, and services.
// TypInfo.h before windows.h, so that its RegisterClass keeps its own name.
#include "TypInfo.h"
#include "WinSkinData.h"

#include "FaceCache.h"
#include "Forms.h"
#include "SkinCaption.h"
#include "SkinRead.h"
#include "WinSkinIni.h"
#include "WinSkinStore.h"

// windows.h maps RegisterClass to RegisterClassW; here it means the description reader's registry.
#undef RegisterClass

const TEnumNames SkinControlTypeNames{
    "xcMainMenu", "xcPopupMenu",   "xcMenuItem",   "xcToolbar",   "xcControlbar", "xcCombo",
    "xcCheckBox", "xcRadioButton", "xcProgress",   "xcScrollbar", "xcEdit",       "xcButton",
    "xcBitBtn",   "xcSpeedButton", "xcSpin",       "xcPanel",     "xcGroupBox",   "xcStatusBar",
    "xcTab",      "xcTrackBar",    "xcSystemMenu", "xcFastReport"};
const TEnumNames SkinOptionNames{"xoMDIScrollbar", "xoMenuMerge",        "xoTransparent",
                                 "xoPreview",      "xoParentBackGround", "xoNoFocusRect",
                                 "xoToolbarBK",    "xoMDIChildBorder",   "xoMenuBG"};
const TEnumNames SkinFormTypeNames{"sfMainform", "sfOnlyThisForm", "sfDialog", "sfDLL"};

namespace {

// Other makers' control classes and the skinner kind each one gets.
const char* const BuiltInSkin3rd[] = {"TPngBitBtn=pngbitbtn",
                                      "TVirtualStringTree=scrollbar",
                                      "TVirtualDrawTree=scrollbar",
                                      "TTBXDockablePanel=Panel",
                                      "TAdvPanelGroup=scrollbar",
                                      "TComboboxex=combobox",
                                      "TRxSpeedButton=speedbutton",
                                      "THTMLViewer=scrollbar",
                                      "TDBCtrlGrid=scrollbar",
                                      "TfrSpeedButton=speedbutton",
                                      "TfrTBButton=speedbutton",
                                      "TControlBar=Panel",
                                      "TTBDock=Panel",
                                      "TTBToolbar=Panel",
                                      "TImageEnMView=scrollbar",
                                      "TImageEnView=scrollbar",
                                      "TAdvMemo=scrollbar",
                                      "TDBAdvMemo=scrollbar",
                                      "TcxDBLookupComboBox=combobox",
                                      "TcxDBComboBox=combobox",
                                      "TcxDBDateEdit=combobox",
                                      "TcxDBImageComboBox=combobox",
                                      "TcxDBCalcEdit=combobox",
                                      "TcxDBBlobEdit=combobox",
                                      "TcxDBPopupEdit=combobox",
                                      "TcxDBFontNameComboBox=combobox",
                                      "TcxDBShellComboBox=combobox",
                                      "TRxLookupEdit=combobox",
                                      "TRxDBLookupCombo=combobox",
                                      "TRzGroup=panel",
                                      "TRzButton=button",
                                      "TRzBitbtn=bitbtn",
                                      "TRzMenuButton=menubtn",
                                      "TRzCheckGroup=CheckGroup",
                                      "TRzRadioGroup=Radiogroup",
                                      "TRzButtonEdit=Edit",
                                      "TRzDBRadioGroup=Radiogroup",
                                      "TRzDBRadioButton=Radiobutton",
                                      "TRzDateTimeEdit=combobox",
                                      "TRzColorEdit=combobox",
                                      "TRzDateTimePicker=combobox",
                                      "TRzDBDateTimeEdit=combobox",
                                      "TRzDbColorEdit=combobox",
                                      "TRzDBDateTimePicker=combobox",
                                      "TLMDButton=bitbtn",
                                      "TLMDGroupBox=Groupbox",
                                      "TDBCheckboxEh=Checkbox",
                                      "TDBCheckboxEh=Checkbox",
                                      "TLMDCHECKBOX=Checkbox",
                                      "TLMDDBCHECKBOX=Checkbox",
                                      "TLMDRadiobutton=Radiobutton",
                                      "TLMDCalculator=panel",
                                      "TLMDGROUPBOX=Panel",
                                      "TLMDSIMPLEPANEL=Panel",
                                      "TLMDDBCalendar=Panel",
                                      "TLMDButtonPanel=Panel",
                                      "TLMDLMDCalculator=Panel",
                                      "TLMDHeaderPanel=Panel",
                                      "TLMDTechnicalLine=Panel",
                                      "TLMDLMDClock=Panel",
                                      "TLMDTrackbar=panel",
                                      "TLMDListCombobox=combobox",
                                      "TLMDCheckListCombobox=combobox",
                                      "TLMDHeaderListCombobox=combobox",
                                      "TLMDImageCombobox=combobox",
                                      "TLMDColorCombobox=combobox",
                                      "TLMDFontCombobox=combobox",
                                      "TLMDFontSizeCombobox=combobox",
                                      "TLMDFontSizeCombobox=combobox",
                                      "TLMDPrinterCombobox=combobox",
                                      "TLMDDriveCombobox=combobox",
                                      "TLMDCalculatorComboBox=combobox",
                                      "TLMDTrackBarComboBox=combobox",
                                      "TLMDCalendarComboBox=combobox",
                                      "TLMDTreeComboBox=combobox",
                                      "TLMDRADIOGROUP=radiogroup",
                                      "TLMDCheckGroup=CheckGroup",
                                      "TLMDDBRADIOGROUP=radiogroup",
                                      "TLMDDBCheckGroup=CheckGroup",
                                      "TLMDCalculatorEdit=edit",
                                      "TLMDEDIT=Edit",
                                      "TLMDMASKEDIT=Edit",
                                      "TLMDBROWSEEDIT=Edit",
                                      "TLMDEXTSPINEDIT=Edit",
                                      "TLMDCALENDAREDIT=Edit",
                                      "TLMDFILEOPENEDIT=Edit",
                                      "TLMDFILESAVEEDIT=Edit",
                                      "TLMDCOLOREDIT=Edit",
                                      "TLMDDBEDIT=Edit",
                                      "TLMDDBMASKEDIT=Edit",
                                      "TLMDDBEXTSPINEDIT=Edit",
                                      "TLMDDBSPINEDIT=Edit",
                                      "TLMDDBEDITDBLookup=Edit",
                                      "TLMDEDITDBLookup=Edit",
                                      "TDBLookupCombobox=Combobox",
                                      "TWWDBCombobox=Combobox",
                                      "TWWDBLookupCombo=Combobox",
                                      "TWWDBCombobox=Combobox",
                                      "TWWKeyCombo=Combobox",
                                      "TWWTempKeyCombo=combobox",
                                      "TWWDBDateTimePicker=Combobox",
                                      "TWWRADIOGROUP=radiogroup",
                                      "TWWDBEDIT=Edit",
                                      "TcxButton=bitbtn",
                                      "TcxDBRadioGroup=radiogroup",
                                      "TcxRadioGroup=radiogroup",
                                      "TcxGroupbox=groupbox",
                                      "TOVCPICTUREFIELD=Edit",
                                      "TOVCDBPICTUREFIELD=Edit",
                                      "TOVCSLIDEREDIT=Edit",
                                      "TOVCDBSLIDEREDIT=Edit",
                                      "TOVCSIMPLEFIELD=Edit",
                                      "TOVCDBSIMPLEFIELD=Edit",
                                      "TO32DBFLEXEDIT=Edit",
                                      "TOVCNUMERICFIELD=Edit",
                                      "TOVCDBNUMERICFIELD=Edit"};

// The archive reader's complaint as the plain message box, titled like the framework's dialogs.
void ShowSkinMessage(const std::string& text) {
    std::u16string caption = StrToWideStr(Application ? Application->Title() : std::string());
    MessageBoxW(nullptr, WideChars(StrToWideStr(text)), WideChars(caption), MB_OK | MB_TASKMODAL);
}

// The first skin data routes the archive reader's complaints to a message box. A reporter set
// afterwards (tests set one) stays.
void InstallSkinReadReport() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    SkinReadReport = ShowSkinMessage;
}

void NoWrite(TSkinData&, const std::string&) {}

} // namespace

const TClassInfo& TSkinData::StaticClassInfo() {
    static const TClassInfo info =
        TClassBuilder<TSkinData>("TSkinData", TComponent::StaticClassInfo())
            .Creatable()
            .Bool("Active", &TSkinData::Active, &TSkinData::SetActive)
            .Int("DisableTag", &TSkinData::DisableTag, &TSkinData::DisableTag)
            .Set(
                "SkinControls", SkinControlTypeNames, [](const TSkinData& d) { return d.SkinControls.Bits; },
                [](TSkinData& d, uint32_t v) { d.SkinControls.Bits = v; })
            .Set(
                "Options", SkinOptionNames, [](const TSkinData& d) { return d.Options.Bits; },
                [](TSkinData& d, uint32_t v) { d.Options.Bits = v; })
            .Obj<TStrings>("Skin3rd", [](const TSkinData& d) -> TStrings* { return d.Skin3rd.get(); })
            .Str("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile)
            .Str("SkinStore", &TSkinData::SkinStore, NoWrite)
            .Enum("SkinFormtype", SkinFormTypeNames, &TSkinData::SkinFormtype, &TSkinData::SkinFormtype)
            .Str("Version", &TSkinData::Version, NoWrite)
            .Bool("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::MenuUpdate)
            .Bool("MenuMerge", &TSkinData::MenuMerge, &TSkinData::MenuMerge)
            .Event("OnFormSkin", &TSkinData::OnFormSkin)
            .Event("OnSkinChanged", &TSkinData::OnSkinChanged)
            .Event("OnSkinControl", &TSkinData::OnSkinControl)
            .Binary("SkinStream", &TSkinData::ReadSkinStream, &TSkinData::WriteSkinStream)
            .Build();
    return info;
}

void RegisterSkinClasses() {
    RegisterClassInfo(TSkinData::StaticClassInfo());
    RegisterClassInfo(TSkinStore::StaticClassInfo());
    RegisterClassInfo(TSkinCaption::StaticClassInfo());
}

TSkinModel::TSkinModel() {
    static const char* const borderNames[] = {"Left", "Right", "Top", "Bottom"};
    for (size_t i = 0; i < Borders.size(); i++) {
        Borders[i] = std::make_unique<TDataSkinBorder>();
        Borders[i]->Name = borderNames[i];
    }
    Title = std::make_unique<TDataSkinTitle>();
    Title->Name = "Title";
    Button = std::make_unique<TDataSkinButton>();
    Button->Name = "Buttons";
}

void TSkinModel::ForEachObject(const std::function<void(TDataSkinObject&)>& fn) {
    auto visit = [&](TDataSkinObject* o) {
        if (o) fn(*o);
    };
    for (auto& border : Borders)
        visit(border.get());
    visit(Title.get());
    for (auto& button : SysButtonList)
        visit(button.get());
    visit(Button.get());
    for (TDataSkinBorder* o :
         {Progress.get(), Tabs.get(), ComboButton.get(), UpDownHorz.get(), UpDownVert.get()})
        visit(o);
    visit(GroupBox.get());
    for (TDataSkinObject* o : {ProgressChunk.get(),
                               MenuBarSkin.get(),
                               GroupBoxEdge.get(),
                               StatusBarEdges.get(),
                               TabPane.get(),
                               ToolBars.get(),
                               SunkEdge.get(),
                               ExtraImages.get(),
                               Headerbar.get(),
                               MenuItem.get(),
                               MenuBackground.get(),
                               Scrollbar.get(),
                               HorzScroll.get(),
                               VertScroll.get(),
                               HorzScrollThumb.get(),
                               VertScrollThumb.get(),
                               TrackbarThumbHorz.get(),
                               TrackbarThumbVert.get(),
                               TrackbarThumbLeft.get(),
                               TrackbarThumbRight.get(),
                               TrackbarThumbUp.get(),
                               TrackbarThumbDown.get(),
                               Track.get(),
                               TrackVert.get(),
                               ComboxArrow.get(),
                               Toolbar.get(),
                               MinCaption.get()})
        visit(o);
}

TSkinData::TSkinData(TComponent* AOwner)
    : TComponent(AOwner), Skin3rd(std::make_unique<TStringList>()),
      SystemCaptionFont(std::make_unique<TFont>()), MenuImages(std::make_unique<TImageList>(nullptr)) {
    for (const char* line : BuiltInSkin3rd)
        Skin3rd->Add(line);
    MenuImages->LoadFromResourceName(GetModuleHandleW(nullptr), u"GLAZKITMENU", clWhite);
    MaxWidth = GetSystemMetrics(SM_CXMAXIMIZED);
    MaxHeight = GetSystemMetrics(SM_CYMAXIMIZED);
    InstallSkinReadReport();
}

TSkinData::~TSkinData() {
    Unregister();
    if (GSkinData == this) GSkinData = nullptr;
    FlushFaceCache(); // the memory of faces that can never be drawn again
}

std::string TSkinData::SkinStore() const {
    return IsDesigning() && !ArchiveStream.Bytes().empty() ? "(Good)" : "(none)";
}

// Stored form: int32 length, then the archive; a length of 0 or less keeps what there is.
void TSkinData::ReadSkinStream(TStream& s) {
    int32_t length = 0;
    s.ReadBuffer(&length, sizeof length);
    if (length <= 0) return;
    TMemoryStream bytes;
    bytes.CopyFrom(s, length);
    LoadArchive(bytes);
}

void TSkinData::WriteSkinStream(TStream& s) const {
    const std::vector<uint8_t>& bytes = ArchiveStream.Bytes();
    int32_t length = int32_t(bytes.size());
    s.WriteBuffer(&length, sizeof length);
    if (length > 0) s.WriteBuffer(bytes.data(), length);
}

bool TSkinData::GetScrollBarInfo(HWND wnd, LONG idObject, SCROLLBARINFO& info) const {
    return pGetScrollBarInfo && pGetScrollBarInfo(wnd, idObject, &info);
}

void TSkinData::DoDebug(const std::string& text) {
    if (DebugLog) DebugLog->Add(text);
}

void TSkinData::ChangeProperty(TObject* obj, const std::string& prop, const std::string& value) {
    const TPropInfo* p = GetPropInfo(obj, prop);
    if (p && p->Kind == tkEnumeration) SetProperty(obj, prop, value);
}
