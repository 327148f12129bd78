// Small components with every kind of published property, for the description reader's tests and
// fuzz target. Setters, parenting and Loaded() append to ReaderLog() so that order can be checked.
#pragma once

#include "FormReader.h"

#include <cstdint>
#include <string>
#include <vector>

std::vector<std::string>& ReaderLog();
void RegisterReaderTestClasses();

enum TTestAlign { taNone, taLeft, taClient };

class TTestFont : public TPersistent {
    QL_CLASS_INFO()
  public:
    std::string Name = "MS Sans Serif";
    int Size = 8;
    uint32_t Style = 0;
};

// A collection item with a nested collection of its own kind.
class TTestItem : public TCollectionItem {
    QL_CLASS_INFO()
  public:
    explicit TTestItem(TCollection* Collection) : TCollectionItem(Collection) {}
    std::string Caption;
    int Width = 50;
    std::vector<uint8_t> Data;
    TCollection Subs{CollectionItemClass<TTestItem>(), this};
};

// Logs "Name.what", marked when it happens outside reading.
class TTestComponent : public TComponent {
    QL_CLASS_INFO()
  public:
    using TComponent::TComponent;
    void Note(const std::string& what) const;
    void SetParentComponent(TComponent* parent) override;
    void Loaded() override;
};

// Logs "Owner.Rows" when told of a change.
class TTestRows : public TCollection {
  public:
    explicit TTestRows(TTestComponent* owner) : TCollection(CollectionItemClass<TTestItem>(), owner) {}

  protected:
    void Update(TCollectionItem* Item) override;
};

class TTestTimer : public TTestComponent {
    QL_CLASS_INFO()
  public:
    using TTestComponent::TTestComponent;
    int Interval = 1000;
    TNotifyEvent OnTimer;
};

class TTestControl : public TTestComponent {
    QL_CLASS_INFO()
  public:
    using TTestComponent::TTestComponent;
    ~TTestControl() override;
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override { return Parent; }

    TComponent* Parent = nullptr;
    int Left = 0;
    TTestAlign Align = taNone;
    uint32_t Anchors = 1;
    bool Visible = true;
    std::string Caption;
    std::u16string Hint;
    TStringList* Items = new TStringList;
    TTestFont* Font = new TTestFont;
    std::vector<uint8_t> Data;
    TTestRows Rows{this};
    TNotifyEvent OnClick;
};

// The root: a handler table of two notify handlers and one of another signature.
class TTestForm : public TTestControl {
    QL_CLASS_INFO()
  public:
    using TTestControl::TTestControl;
    TMethod MethodAddress(const std::string& name) const override;
    void ButtonClick(TObject* sender);
    void FormClose(TObject* sender);
    void DataReceived(TObject* sender, int count);

    TNotifyEvent OnClose;
    std::vector<std::string> Calls;
};
