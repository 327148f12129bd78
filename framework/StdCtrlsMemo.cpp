// TMemo: a multi-line EDIT whose lines are read from and written to its text.
#include "StdCtrls.h"

#include "ControlsPublish.h"

const TEnumNames ScrollStyleNames{"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};

namespace {
const std::u16string LineBreak = u"\r\n";

// Where each line starts. A break at the very end (or an empty text) starts no further line.
std::vector<size_t> LineStarts(const std::u16string& text) {
    std::vector<size_t> starts{0};
    for (size_t at = text.find(LineBreak); at != std::u16string::npos; at = text.find(LineBreak, at + 2))
        starts.push_back(at + 2);
    if (starts.back() == text.size()) starts.pop_back();
    return starts;
}

size_t LineEnd(const std::u16string& text, size_t start) {
    return std::min(text.find(LineBreak, start), text.size());
}
} // namespace

// Every change replaces a range of the text: in the window the way typing would (the scroll
// position and the rest of the text stay), without one in the text the control keeps.
class TCustomMemo::TMemoStrings : public TStrings {
  public:
    explicit TMemoStrings(TCustomMemo& memo) : FMemo(memo) {}

    int Count() const override { return int(LineStarts(Text16()).size()); }
    std::string Get(int i) const override {
        std::u16string text = Text16();
        size_t start = Start(text, i);
        return Utf16ToUtf8(text.substr(start, LineEnd(text, start) - start));
    }
    void Put(int i, const std::string& s) override {
        std::u16string text = Text16();
        size_t start = Start(text, i);
        Replace(text, start, LineEnd(text, start), Utf8ToUtf16(s));
    }
    // At the end of a text without a final break the new line needs one before it.
    void Insert(int i, const std::string& s) override {
        std::u16string text = Text16();
        std::vector<size_t> starts = LineStarts(text);
        if (i < 0 || i > int(starts.size())) RaiseIndexError(i);
        std::u16string line = Utf8ToUtf16(s);
        if (i < int(starts.size()))
            return Replace(text, starts[size_t(i)], starts[size_t(i)], line + LineBreak);
        bool open = !text.empty() && LineEnd(text, starts.back()) == text.size();
        Replace(text, text.size(), text.size(), open ? LineBreak + line : line + LineBreak);
    }
    void Delete(int i) override {
        std::u16string text = Text16();
        std::vector<size_t> starts = LineStarts(text);
        size_t start = Start(text, i);
        Replace(text, start, size_t(i) + 1 < starts.size() ? starts[size_t(i) + 1] : text.size(), u"");
    }
    void Clear() override { FMemo.SetText(""); }

  private:
    std::u16string Text16() const { return Utf8ToUtf16(FMemo.Text()); }
    static size_t Start(const std::u16string& text, int i) {
        std::vector<size_t> starts = LineStarts(text);
        if (i < 0 || i >= int(starts.size())) RaiseIndexError(i);
        return starts[size_t(i)];
    }
    void Replace(std::u16string& text, size_t start, size_t end, const std::u16string& with) {
        if (!FMemo.HandleAllocated()) {
            text.replace(start, end - start, with);
            return FMemo.SetText(Utf16ToUtf8(text));
        }
        FMemo.Perform(EM_SETSEL, start, LPARAM(end));
        FMemo.Perform(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(with.c_str()));
    }
    TCustomMemo& FMemo;
};

const TClassInfo& TCustomMemo::StaticClassInfo() {
    static const TClassInfo info{"TCustomMemo", &TCustomEdit::StaticClassInfo(), {}, {}};
    return info;
}

const TClassInfo& TMemo::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TMemo> b("TMemo", TCustomMemo::StaticClassInfo());
        b.Creatable()
            .Enum("Alignment", AlignmentNames, &TMemo::Alignment, &TMemo::SetAlignment)
            .Enum("BorderStyle", BorderStyleNames, &TMemo::BorderStyle, &TMemo::SetBorderStyle)
            .Obj<TStrings>("Lines", [](const TMemo& m) { return const_cast<TStrings*>(&m.Lines()); })
            .Int("MaxLength", &TMemo::MaxLength, &TMemo::SetMaxLength)
            .Bool("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly)
            .Enum("ScrollBars", ScrollStyleNames, &TMemo::ScrollBars, &TMemo::SetScrollBars)
            .Bool("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns)
            .Bool("WantTabs", &TMemo::WantTabs, &TMemo::WantTabs)
            .Bool("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap);
        PublishTabs(PublishLook(b));
        PublishOnClick(b).Event("OnChange", static_cast<TNotifyEvent TMemo::*>(&TMemo::OnChange));
        return b.Build();
    }();
    return info;
}

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(*this)) {
    StoreBounds({0, 0, 185, 89});
}

TCustomMemo::~TCustomMemo() = default;

TStrings& TCustomMemo::Lines() {
    return *FLines;
}
const TStrings& TCustomMemo::Lines() const {
    return *FLines;
}

void TCustomMemo::SetScrollBars(TScrollStyle v) {
    SetWindowValue(*this, FScrollBars, v);
}

void TCustomMemo::SetWordWrap(bool v) {
    SetWindowValue(*this, FWordWrap, v);
}

void TCustomMemo::SetAlignment(TAlignment v) {
    SetWindowValue(*this, FAlignment, v);
}

void TCustomMemo::SetWantReturns(bool v) {
    SetWindowValue(*this, FWantReturns, v);
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
    static const DWORD bars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
    static const DWORD aligns[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    TCustomEdit::CreateParams(Params);
    Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL | bars[FScrollBars] | aligns[FAlignment] |
                    (FWantReturns ? ES_WANTRETURN : 0);
    if (FWordWrap) Params.Style &= ~DWORD(ES_AUTOHSCROLL | WS_HSCROLL);
}

// A multi-line edit wants every key; the memo gives the form back what it does not want.
LRESULT TCustomMemo::DialogCode(WPARAM key, LRESULT code) const {
    code &= ~LRESULT(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
    if (WantTabs) code |= DLGC_WANTTAB;
    if (FWantReturns && key == VK_RETURN) code |= DLGC_WANTALLKEYS;
    return code;
}

// The edit is not shown the key's message: it would take it for a sign that it sits in a dialog
// and then refuse the Tab and Enter it was given.
void TCustomMemo::WndProc(TMessage& Message) {
    if (Message.Msg == WM_GETDLGCODE) Message.LParam = 0;
    TCustomEdit::WndProc(Message);
    if (Message.Msg == WM_GETDLGCODE) Message.Result = DialogCode(Message.WParam, Message.Result);
}
