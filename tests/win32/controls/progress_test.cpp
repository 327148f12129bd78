// Progress bars skinned: background and fill are the skin's images, in both orientations, and the
// bar repaints itself at every new position.
#include "ComCtrls.h"
#include "SkinProgress.h"
#include "SkinnedFormTest.h"

namespace {

constexpr COLORREF Empty = RGB(128, 128, 128), Full = RGB(0, 0, 255);

// Two solid frames, 8 x 8: empty and full.
std::unique_ptr<TDataSkinBorder> TwoFrameProgress() {
    auto o = std::make_unique<TDataSkinBorder>();
    o->Image.SetSize(16, 8);
    HDC dc = o->Image.MemoryDC();
    for (int x = 0; x < 16; x++)
        for (int y = 0; y < 8; y++)
            SetPixel(dc, x, y, x < 8 ? Empty : Full);
    o->Frame = 2;
    return o;
}

class TProgressTest : public TSkinnedFormTest {
  protected:
    void SetUp() override {
        TSkinnedFormTest::SetUp();
        Bar = Add<TProgressBar>(10, 10, 150, 19);
        Upright = Add<TProgressBar>(200, 10, 150, 19);
        Upright->SetOrientation(pbVertical);
        Form->Show();
        Pump();
    }
    // Whether the bar shows the chunk image, tiled from `Inset`, at (x, y) of the lying bar.
    bool ChunkAt(const TCapture& c, int x, int y, bool vertical = false) {
        TBitmap& chunk = SkinData->ProgressChunk->Image;
        const int h = vertical ? c.W : c.H, top = (h - chunk.Height()) / 2;
        COLORREF want = ImagePixel(chunk, (x - 2) % chunk.Width(), y - top);
        return (vertical ? c.At(y, c.H - 1 - x) : c.At(x, y)) == want;
    }
    COLORREF Background() { return ImagePixel(SkinData->Progress->Image, 4, 9); }

    TProgressBar* Bar = nullptr;
    TProgressBar* Upright = nullptr;
};

TEST(ProgressGeometry, TheChunkRowIsCentredAcrossTheBar) {
    EXPECT_EQ(ChunkRowRect(73, 12, 19, 2), (RECT{2, 3, 75, 15}));
    EXPECT_EQ(ChunkRowRect(0, 12, 12, 2), (RECT{2, 0, 2, 12}));
}

TEST_F(TProgressTest, ChunksFillFromTheLeftAndRepaintAtEachNewPosition) {
    Skin<TSkinProgress>(Bar);
    TCapture c = Capture(Bar->Handle());
    EXPECT_EQ(c.At(5, 9), Background()) << "position 0: the background only";
    EXPECT_EQ(c.At(0, 9), ImagePixel(SkinData->Progress->Image, 0, 9)) << "its left edge";

    for (int position : {50, 100, 20}) {
        Bar->SetPosition(position);
        c = Capture(Bar->Handle()); // no repaint asked for: the skinner repaints itself
        const int end = 2 + FilledLength(146, position, 0, 100);
        int wrong = 0;
        for (int x = 2; x < end; x++)
            for (int y = 3; y < 15; y++)
                wrong += !ChunkAt(c, x, y);
        EXPECT_EQ(wrong, 0) << position;
        if (end < 147) {
            EXPECT_EQ(c.At(end + 1, 9), Background()) << position;
        }
    }
}

TEST_F(TProgressTest, AVerticalBarFillsFromTheBottom) {
    Skin<TSkinProgress>(Upright);
    Upright->SetPosition(50);
    TCapture c = Capture(Upright->Handle());
    ASSERT_EQ(c.W, 19);
    int wrong = 0;
    for (int x = 2; x < 2 + 73; x++)
        for (int y = 3; y < 15; y++)
            wrong += !ChunkAt(c, x, y, true);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(c.At(9, 20), Background()) << "the top half stays empty";
}

TEST_F(TProgressTest, TheTwoFrameStyleFillsWithTheSecondFrameFromTheLowerLimit) {
    SkinData->Progress = TwoFrameProgress();
    Bar->SetBounds(10, 10, 100, 10);
    Bar->SetMax(150);
    Bar->SetMin(50);
    Bar->SetPosition(100);
    Skin<TSkinProgress>(Bar);
    TCapture c = Capture(Bar->Handle());
    EXPECT_EQ(c.At(0, 5), Full);
    EXPECT_EQ(c.At(49, 5), Full);
    EXPECT_EQ(c.At(50, 5), Empty);
    Bar->SetPosition(75);
    c = Capture(Bar->Handle());
    EXPECT_EQ(c.At(24, 5), Full);
    EXPECT_EQ(c.At(25, 5), Empty);

    Upright->SetBounds(200, 10, 10, 100);
    Upright->SetPosition(30);
    Skin<TSkinProgress>(Upright);
    c = Capture(Upright->Handle());
    EXPECT_EQ(c.At(5, 99), Full);
    EXPECT_EQ(c.At(5, 70), Full);
    EXPECT_EQ(c.At(5, 69), Empty);
}

} // namespace
