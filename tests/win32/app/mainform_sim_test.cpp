// The whole round trip against the device stand-in, quarlink-sim.exe, started on 127.0.0.1:3000.
#include "DialogAnswerer.h"
#include "MainWindow.h"
#include "SimProcess.h"

#include <gtest/gtest.h>

TEST(MainWindowAndDevice, ReadEditWriteAndReadBackThroughTheStandIn) {
    TSimProcess sim(WinePath(QL_SIM_EXE), "--bind 127.0.0.1 --port 3000 --mac 02-11-22-33-44-55");
    ASSERT_TRUE(sim.Listening()) << "quarlink-sim did not start on 127.0.0.1:3000 (port busy?):\n"
                                 << sim.Output();
    TMainWindow w;
    TDialogAnswerer dialogs;
    auto panel = [&](int i) { return PanelText(w->StatusBar1, i); };

    Type(w->EditIP, "127.0.0.1");
    Click(w->ButtonConnect);
    Click(w->ButtonClear);
    Click(w->ButtonRead);
    ASSERT_TRUE(PumpUntil([&] { return panel(1) == "MAC Address: 02-11-22-33-44-55"; })) << sim.Output();
    EXPECT_EQ(panel(0), "FromIP: 127.0.0.1  Port: 3000  Bytes: 51");
    EXPECT_EQ(WindowText(w->EditHostIP[3]), "55"); // the stand-in starts from the window's defaults
    EXPECT_EQ(WindowText(w->EditDevUdpPort), "4000");

    Type(w->EditDevUdpPort, "4321");
    Type(w->EditHostIP[3], "77");
    w->ComboBoxtDataBaudrateIndexCAN[0]->SetItemIndex(8);
    Click(w->CheckBoxBuadrateCustomCAN[1]);
    Type(w->EditArbitrationBaudrateCAN[1], "1f4a0");
    Type(w->EditDataBaudrateCAN[1], "8207"); // Clear emptied it
    Click(w->ButtonWrite);
    ASSERT_TRUE(PumpUntil([&] { return sim.Output().find("out 127.0.0.1:4800 51") != std::string::npos; }))
        << sim.Output();

    Click(w->ButtonClear);
    Click(w->ButtonDefault);
    Click(w->ButtonRead);
    ASSERT_TRUE(PumpUntil([&] { return WindowText(w->EditDevUdpPort) == "4321"; })) << sim.Output();
    EXPECT_EQ(WindowText(w->EditHostIP[3]), "77");
    EXPECT_EQ(Selected(w->ComboBoxtDataBaudrateIndexCAN[0]), 8);
    EXPECT_TRUE(IsChecked(w->CheckBoxBuadrateCustomCAN[1]));
    EXPECT_EQ(WindowText(w->EditArbitrationBaudrateCAN[1]), "0001F4A0");
    EXPECT_EQ(WindowText(w->EditDataBaudrateCAN[1]), "00008207");
    EXPECT_EQ(panel(1), "MAC Address: 02-11-22-33-44-55");
    EXPECT_TRUE(dialogs.Seen().empty());
    // Every command reached the stand-in from the window's command port.
    EXPECT_NE(sim.Output().find("in  127.0.0.1:4800 2: CC DD"), std::string::npos) << sim.Output();
    EXPECT_NE(sim.Output().find("in  127.0.0.1:4800 47: AA BB"), std::string::npos) << sim.Output();
}
