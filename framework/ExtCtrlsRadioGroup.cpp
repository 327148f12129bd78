// TRadioGroup: a group box that makes, lays out and listens to one radio button per item.
#include "ExtCtrls.h"

#include "ControlsPublish.h"

// A radio button that tells its group when it becomes checked.
class TCustomRadioGroup::TGroupButton : public TRadioButton {
  public:
    explicit TGroupButton(TCustomRadioGroup& group) : TRadioButton(&group), FGroup(group) {}

  protected:
    void Click() override { FGroup.ButtonClicked(this); }

  private:
    TCustomRadioGroup& FGroup;
};

RECT RadioGroupCell(const RECT& area, int index, int count, int columns) {
    columns = std::clamp(columns, 1, std::max(count, 1));
    int perColumn = (count + columns - 1) / columns;
    int width = (area.right - area.left) / columns;
    int height = (area.bottom - area.top) / perColumn;
    int top = area.top + (area.bottom - area.top) % perColumn / 2;
    int column = index / perColumn, row = index % perColumn;
    return {area.left + column * width, top + row * height, area.left + (column + 1) * width,
            top + (row + 1) * height};
}

const TClassInfo& TCustomRadioGroup::StaticClassInfo() {
    static const TClassInfo info{"TCustomRadioGroup", &TCustomGroupBox::StaticClassInfo(), {}, {}};
    return info;
}

const TClassInfo& TRadioGroup::StaticClassInfo() {
    static const TClassInfo info = [] {
        TClassBuilder<TRadioGroup> b("TRadioGroup", TCustomRadioGroup::StaticClassInfo());
        b.Creatable();
        PublishCaption(b)
            .Int("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns)
            .Obj<TStrings>("Items", [](const TRadioGroup& g) { return const_cast<TStrings*>(&g.Items()); })
            .Int("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex);
        PublishTabs(PublishLook(b));
        return PublishOnClick(b).Build();
    }();
    return info;
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner) : TCustomGroupBox(AOwner) {
    FItems.OnChange.Bind(this, &TCustomRadioGroup::ItemsChanged);
}

int TCustomRadioGroup::ItemIndex() const {
    return FItemIndex < ButtonCount() || Loading() ? FItemIndex : -1;
}

// Checking a button unchecks the others and reports back through ButtonClicked.
void TCustomRadioGroup::SetItemIndex(int v) {
    if (Loading()) {
        FItemIndex = v;
        return;
    }
    v = std::clamp(v, -1, ButtonCount() - 1);
    if (v == FItemIndex) return;
    if (FItemIndex >= 0 && FItemIndex < ButtonCount()) FButtons[size_t(FItemIndex)]->SetChecked(false);
    FItemIndex = v;
    if (v >= 0) FButtons[size_t(v)]->SetChecked(true);
}

void TCustomRadioGroup::ButtonClicked(const TRadioButton* button) {
    if (FUpdating) return;
    FItemIndex = int(std::find(FButtons.begin(), FButtons.end(), button) - FButtons.begin());
    Click();
}

void TCustomRadioGroup::SetColumns(int v) {
    v = std::clamp(v, 1, 16);
    if (v == FColumns) return;
    FColumns = v;
    ArrangeButtons();
}

void TCustomRadioGroup::ItemsChanged(TObject*) {
    if (!Loading()) UpdateButtons();
}

void TCustomRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    UpdateButtons();
}

// As many buttons as items, captioned and placed, the checked one after ItemIndex.
void TCustomRadioGroup::UpdateButtons() {
    FUpdating = true;
    struct TDone {
        bool& Flag;
        ~TDone() { Flag = false; }
    } done{FUpdating};
    while (ButtonCount() > FItems.Count())
        FButtons.back()->Free();
    while (ButtonCount() < FItems.Count()) {
        auto* button = new TGroupButton(*this);
        FButtons.push_back(button);
        button->SetParent(this);
    }
    for (int i = 0; i < ButtonCount(); ++i)
        FButtons[size_t(i)]->SetCaption(FItems.Get(i));
    ArrangeButtons();
    CheckItemIndex();
}

void TCustomRadioGroup::CheckItemIndex() {
    if (FItemIndex >= ButtonCount()) FItemIndex = -1;
    for (int i = 0; i < ButtonCount(); ++i)
        FButtons[size_t(i)]->SetChecked(i == FItemIndex);
}

// Below the caption, inside the frame.
void TCustomRadioGroup::ArrangeButtons() {
    if (FButtons.empty()) return;
    TClientDC dc(nullptr);
    TSelectObject font(dc, const_cast<TFont&>(Font()).Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT area{8, metrics.tmHeight + 1, Width() - 2, Height() - 4};
    for (int i = 0; i < ButtonCount(); ++i) {
        RECT cell = RadioGroupCell(area, i, ButtonCount(), FColumns);
        FButtons[size_t(i)]->SetBounds(cell.left, cell.top, cell.right - cell.left, cell.bottom - cell.top);
    }
}

void TCustomRadioGroup::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomGroupBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    ArrangeButtons();
}

void TCustomRadioGroup::WndProc(TMessage& Message) {
    TCustomGroupBox::WndProc(Message);
    if (Message.Msg == CM_FONTCHANGED) ArrangeButtons();
}

void TCustomRadioGroup::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomGroupBox::Notification(AComponent, Operation);
    if (Operation == opRemove)
        FButtons.erase(std::remove(FButtons.begin(), FButtons.end(), AComponent), FButtons.end());
}
