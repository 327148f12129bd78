#include "ItemList.h"

#include <gtest/gtest.h>

namespace {

class TRow {
  public:
    explicit TRow(TItemList<TRow>& list) : FList(list) {}
    int Width = 50;
    void SetWidth(int v) {
        Width = v;
        FList.ItemChanged(this);
    }

  private:
    TItemList<TRow>& FList;
};

} // namespace

TEST(ItemList, OwnerHearsOfEveryChange) {
    TItemList<TRow> list;
    std::vector<std::pair<TItemChange, int>> heard;
    list.OnChange = [&](TItemChange c, int i) { heard.emplace_back(c, i); };
    list.Add();
    TRow* second = list.Add();
    second->SetWidth(7);
    list.Delete(0);
    second->SetWidth(8);
    list.Clear();
    list.Clear(); // nothing left to change
    std::vector<std::pair<TItemChange, int>> want{{icAdded, 0},   {icAdded, 1},   {icChanged, 1},
                                                  {icDeleted, 0}, {icChanged, 0}, {icCleared, -1}};
    EXPECT_EQ(heard, want);
    EXPECT_THROW(list.Items(0), EListError);
    EXPECT_THROW(list.Insert(1), EListError);
}
