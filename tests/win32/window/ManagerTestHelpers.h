// What the tests of the skin manager's windows share: the main window skinned for a whole suite,
// running a requested action at once, and the default skin's entries to pack variants from.
#pragma once

#include "FormTestHelpers.h"
#include "SkinWrite.h"

#include <vector>

// The action the skin asked for runs now instead of a tick later; the windows' activation follows.
void RunSkinAction();

// One main window for a whole suite, skinned by the manager from its stored setting.
class SkinnedMainWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

  private:
    static TMainWindow* FWindow;
};
