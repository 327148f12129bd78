// The items of a list box or combo box: kept in the window while there is one, and in the object
// before and between windows. An item's object is its item data.
#pragma once

#include "Controls.h"

#include <functional>

// The messages of one control family that read and change its items and the selected index.
struct TItemMessages {
    UINT GetCount, GetText, GetTextLen, GetData, SetData, Insert, Add, Delete, Reset, GetIndex, SetIndex;
};
extern const TItemMessages ListBoxItemMessages, ComboBoxItemMessages;

class TItemStrings : public TStrings {
  public:
    TItemStrings(TWinControl& control, const TItemMessages& messages)
        : FControl(control), FMessages(messages) {}

    const TItemMessages& Messages() const { return FMessages; }
    int Count() const override;
    std::string Get(int i) const override;
    TObject* Objects(int i) const override;
    void SetObjects(int i, TObject* obj) override;
    int Add(const std::string& s) override;
    void Insert(int i, const std::string& s) override;
    void Delete(int i) override;
    void Clear() override;

    // The items kept in the object are added again: a new window takes them over this way.
    void AddPendingAgain();
    // An old window leaves its items behind.
    void SaveFromWindow();

    // Added items go where the order puts them: the control sorts them in its window (it has the
    // sorting style then), this list while there is none.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool v);
    // Told of each item the window took, with its index.
    std::function<void(int)> OnInserted;

  private:
    bool InWindow() const { return FControl.HandleAllocated(); }
    LRESULT Send(UINT msg, WPARAM w = 0, LPARAM l = 0) const { return FControl.Perform(msg, w, l); }
    void CheckIndex(int i) const;
    int SortedIndex(const std::string& s) const;
    int Inserted(LRESULT at);

    TWinControl& FControl;
    const TItemMessages& FMessages;
    TStringList FPending;
    bool FSorted = false;
};
