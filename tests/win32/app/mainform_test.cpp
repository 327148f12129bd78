// The main window driven through its controls, as a user would, against a peer socket that stands
// in for the device on 127.0.0.1:3000. Every datagram stays on 127.0.0.1.
#include "DialogAnswerer.h"
#include "MainWindow.h"
#include "UdpPeer.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace {
constexpr int DevicePort = 3000, WindowPort = 4800;

std::string Pad(const std::string& text, int blanks) {
    return text + std::string(blanks, ' ');
}

// "CC DD" as bytes.
std::string Bytes(const std::string& hex) {
    std::istringstream in(hex);
    std::string out, pair;
    while (in >> pair)
        out += static_cast<char>(std::stoi(pair, nullptr, 16));
    return out;
}

std::string Hex(const std::string& bytes) {
    std::string out;
    for (unsigned char b : bytes)
        out += Format("%.2X ", b);
    return out;
}

const std::string DefaultWrite =
    Bytes("AA BB C0 A8 00 37 12 C0 C0 A8 00 65 FF FF FF 00 C0 A8 00 01 0F A0") + std::string(25, '\0');

// 10.20.30.40:8080, device 172.16.5.250/255.255.0.0 via 172.16.0.1, port 3000; CAN0 on the lists
// (3, 8) with stray custom words, CAN1 custom (flag 7) with stray list positions; then the MAC.
const std::string FullAnswer = Bytes("0A 14 1E 28 1F 90 AC 10 05 FA FF FF 00 00 AC 10 00 01 0B B8"
                                     " 11 22 33 44 55 66 77 88 00 00 03 08"
                                     " 00 01 F4 A0 DE AD BE EF 00 07 05 06"
                                     " 00 02 00 00 0A 1B FF");

// The defaults again, CAN1 back on the lists at positions 15 (past the table) and 14.
const std::string StandardAnswer = Bytes("C0 A8 00 37 12 C0 C0 A8 00 65 FF FF FF 00 C0 A8 00 01 0F A0"
                                         " 00 00 00 00 00 00 00 00 00 00 00 00"
                                         " 00 00 00 00 00 00 00 00 00 00 0F 0E"
                                         " 00 02 00 00 0A 1B FE");

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Device.Bound()) << "127.0.0.1:3000, the device port the window sends to, is busy";
    }

    // In every test the window is pointed at 127.0.0.1 before it connects: nothing leaves the machine.
    void Connect(const std::string& host = "127.0.0.1") {
        Type(W->EditIP, host);
        Click(W->ButtonConnect);
        ASSERT_EQ(WindowText(W->ButtonConnect), "Disconnect(断开)");
    }
    // The device's answer, from port 3000 to the window's port; true once the window has it.
    bool Answer(const std::string& bytes, TUdpPeer& from) {
        int before = W.Datagrams();
        from.SendTo(WindowPort, bytes);
        return W.AwaitDatagram(before);
    }
    bool Answer(const std::string& bytes) { return Answer(bytes, Device); }
    std::string Panel(int i) { return PanelText(W->StatusBar1, i); }
    // The one message box shown since the last look, or a note that there were none or several.
    TSeenDialog OneBox() {
        std::vector<TSeenDialog> seen = Dialogs.Take();
        if (seen.size() == 1 && !seen[0].Input) return seen[0];
        TSeenDialog none;
        none.Text = Format("%d dialogs", int(seen.size()));
        return none;
    }
    void ExpectNothingSent() {
        TDatagram d = Device.Receive(100);
        EXPECT_TRUE(d.Bytes.empty()) << "sent: " << Hex(d.Bytes);
    }

    TUdpPeer Device{DevicePort};
    TMainWindow W;
    TDialogAnswerer Dialogs;
};

// Everything the user can see of the window, for "nothing changed".
std::vector<std::string> Snapshot(TMainForm* f) {
    std::vector<std::string> s;
    for (int i = 0; i < f->ComponentCount(); ++i) {
        auto* c = dynamic_cast<TWinControl*>(f->Components(i));
        if (!c || c == f->StatusBar1) continue; // its panels come last
        s.push_back(c->Name() + "=" + WindowText(c) + (IsEnabled(c) ? "" : " disabled"));
        if (auto* box = dynamic_cast<TCheckBox*>(c)) s.back() += IsChecked(box) ? " ticked" : "";
        if (auto* list = dynamic_cast<TComboBox*>(c)) s.back() += " #" + std::to_string(Selected(list));
    }
    s.push_back("panel 0=" + PanelText(f->StatusBar1, 0));
    s.push_back("panel 1=" + PanelText(f->StatusBar1, 1));
    return s;
}

// The entries that differ, as "was -> now" lines; empty when nothing changed.
std::string Changes(const std::vector<std::string>& was, const std::vector<std::string>& now) {
    std::string out;
    for (size_t i = 0; i < std::max(was.size(), now.size()); ++i) {
        std::string a = i < was.size() ? was[i] : "", b = i < now.size() ? now[i] : "";
        if (a != b) out += a + " -> " + b + "\n";
    }
    return out;
}

// Where each window control sits in its parent, and the text it starts with.
struct TPlace {
    const char* Name;
    const char* Parent;
    int Left, Top, Width, Height; // height -1: not checked (a list's window is as tall as its drop-down)
    std::string Text;
};

const std::string Standard = "Standard Buadrate(标准波特率)", Custom = "Custom Buadrate(自定义波特率)",
                  UseCustom = "使用自定义波特率 ";
// The device address the window shows at start-up; only ever compared, never sent to.
const std::string ShownDeviceAddress = "192.168.0.101";

const TPlace Places[] = {
    {"ButtonConnect", "MainForm", 752, 32, 89, 25, "Connect(连接)"},
    {"ButtonDefault", "MainForm", 752, 152, 89, 25, "Default(默认)"},
    {"ButtonRead", "MainForm", 752, 104, 89, 25, "Read(读取)"},
    {"ButtonWrite", "MainForm", 752, 128, 89, 25, "Write(写入)"},
    {"GroupBox5", "MainForm", 24, 96, 705, 177, "Ethernet (以太网)"},
    {"GroupBox7", "MainForm", 24, 280, 400, 281, "CAN0(0通道)"},
    {"GroupBox8", "MainForm", 432, 280, 400, 281, "CAN1(1通道)"},
    {"GroupBox9", "MainForm", 16, 8, 833, 65, "Conncet(连接)"},
    {"GroupBox10", "MainForm", 16, 80, 833, 489, "Setup(参数设置)"},
    {"StatusBar1", "MainForm", 0, 572, 855, 19, ""},
    {"EditIP", "GroupBox9", 176, 24, 89, 21, ShownDeviceAddress},
    {"ButtonClear", "GroupBox10", 736, 96, 89, 25, "Clear(清除)"},
    {"EditHostUdpPort", "GroupBox5", 152, 60, 49, 21, "4800"},
    {"EditDevUdpPort", "GroupBox5", 152, 140, 49, 21, "4000"},
    {"EditHostIP0", "GroupBox5", 152, 24, 33, 21, "192"},
    {"EditHostIP1", "GroupBox5", 200, 24, 33, 21, "168"},
    {"EditHostIP2", "GroupBox5", 248, 24, 33, 21, "0"},
    {"EditHostIP3", "GroupBox5", 296, 24, 33, 21, "55"},
    {"EditDevIP0", "GroupBox5", 152, 100, 33, 21, "192"},
    {"EditDevIP1", "GroupBox5", 200, 100, 33, 21, "168"},
    {"EditDevIP2", "GroupBox5", 248, 100, 33, 21, "0"},
    {"EditDevIP3", "GroupBox5", 296, 100, 33, 21, "101"},
    {"EditDevGatewayIP0", "GroupBox5", 512, 60, 33, 21, "192"},
    {"EditDevGatewayIP1", "GroupBox5", 560, 60, 33, 21, "168"},
    {"EditDevGatewayIP2", "GroupBox5", 608, 60, 33, 21, "0"},
    {"EditDevGatewayIP3", "GroupBox5", 656, 60, 33, 21, "1"},
    {"EditDeviceIpMask0", "GroupBox5", 512, 20, 33, 21, "255"},
    {"EditDeviceIpMask1", "GroupBox5", 560, 20, 33, 21, "255"},
    {"EditDeviceIpMask2", "GroupBox5", 608, 20, 33, 21, "255"},
    {"EditDeviceIpMask3", "GroupBox5", 656, 20, 33, 21, "0"},
    {"GroupBox18", "GroupBox7", 16, 24, 370, 105, Standard},
    {"GroupBox1", "GroupBox7", 16, 144, 370, 129, Custom},
    {"GroupBox2", "GroupBox8", 16, 24, 370, 105, Standard},
    {"GroupBox3", "GroupBox8", 16, 144, 370, 121, Custom},
    {"ComboBoxtDataBaudrateIndexCAN0", "GroupBox18", 200, 66, 89, -1, "5Mbps"},
    {"ComboBoxtArbitrationBaudrateIndexCAN0", "GroupBox18", 200, 26, 89, -1, "1Mbps"},
    {"ComboBoxtDataBaudrateIndexCAN1", "GroupBox2", 192, 66, 89, -1, "5Mbps"},
    {"ComboBoxtArbitrationBaudrateIndexCAN1", "GroupBox2", 192, 26, 89, -1, "1Mbps"},
    {"EditArbitrationBaudrateCAN0", "GroupBox1", 200, 52, 81, 21, "00050B2E"},
    {"EditDataBaudrateCAN0", "GroupBox1", 200, 92, 81, 21, "00008207"},
    {"CheckBoxBuadrateCustomCAN0", "GroupBox1", 40, 24, 150, 17, UseCustom},
    {"EditArbitrationBaudrateCAN1", "GroupBox3", 192, 52, 81, 21, "00050B2E"},
    {"EditDataBaudrateCAN1", "GroupBox3", 192, 84, 81, 21, "00008207"},
    {"CheckBoxBuadrateCustomCAN1", "GroupBox3", 48, 24, 150, 17, UseCustom},
};

// The windowless labels as "parent left,top caption".
std::multiset<std::string> ExpectedLabels() {
    return {"GroupBox9 8,28 " + Pad("Device IP Address(设备IP地址):", 4),
            "GroupBox5 16,28 " + Pad("HostIP(主机IP地址):", 4),
            "GroupBox5 16,64 " + Pad("HostUdpPort(主机端口):", 5),
            "GroupBox5 16,104 " + Pad("DevIP(设备IP地址):", 6),
            "GroupBox5 16,144 " + Pad("DevUdpPort(设备端口):", 5),
            "GroupBox5 368,24 " + Pad("Device Mask(设备掩码):", 6),
            "GroupBox5 368,64 " + Pad("Device Gateway(设备网关):", 6),
            "GroupBox5 192,28 :  ",
            "GroupBox5 240,28 :  ",
            "GroupBox5 288,28 :  ",
            "GroupBox5 192,104 :  ",
            "GroupBox5 240,104 :  ",
            "GroupBox5 288,104 :  ",
            "GroupBox18 42,30 " + Pad("Arbitrate(仲裁域波特率):", 6),
            "GroupBox18 42,70 " + Pad("Data(数据域波特率):", 5),
            "GroupBox2 42,30 " + Pad("Arbitrate(仲裁域波特率):", 9),
            "GroupBox2 42,70 " + Pad("Data(数据域波特率):", 5),
            "GroupBox1 42,54 " + Pad("Arbitrate(仲裁域波特率): 0x", 5),
            "GroupBox1 56,94 " + Pad("Data(数据域波特率): 0x", 8),
            "GroupBox3 26,54 " + Pad("Arbitrate(仲裁域波特率): 0x", 5),
            "GroupBox3 40,86 " + Pad("Data(数据域波特率): 0x", 8)};
}

RECT BoundsInParent(HWND wnd) {
    RECT r;
    GetWindowRect(wnd, &r);
    MapWindowPoints(nullptr, GetParent(wnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}
} // namespace

TEST_F(MainWindowTest, StartsWithTheStoredLayoutAndTexts) {
    std::string caption = WindowText(W.operator->());
    ASSERT_GT(caption.size(), 20u);
    EXPECT_EQ(caption.substr(0, 18), "QUARLINK Config   ");
    EXPECT_EQ(caption.substr(caption.size() - 2), "  ");
    EXPECT_EQ(caption.substr(18, caption.size() - 20).find(' '), std::string::npos) << caption;
    RECT client;
    GetClientRect(W->Handle(), &client);
    EXPECT_EQ(client.right, 855);
    EXPECT_EQ(client.bottom, 591);
    // The skinned frame takes WS_SYSMENU off the window while it paints, so that the system draws
    // no caption buttons of its own; the window keeps its system menu.
    EXPECT_TRUE(W->BorderIcons() & (1u << biSystemMenu));
    EXPECT_NE(GetSystemMenu(W->Handle(), FALSE), nullptr);
    LONG style = GetWindowLongW(W->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));

    for (const TPlace& p : Places) {
        SCOPED_TRACE(p.Name);
        auto* c = dynamic_cast<TWinControl*>(W->FindComponent(p.Name));
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->Parent()->Name(), p.Parent);
        EXPECT_TRUE(IsWindowVisible(c->Handle()));
        RECT r = BoundsInParent(c->Handle());
        EXPECT_EQ(r.left, p.Left);
        EXPECT_EQ(r.top, p.Top);
        EXPECT_EQ(r.right - r.left, p.Width);
        if (p.Height >= 0) {
            EXPECT_EQ(r.bottom - r.top, p.Height);
        }
        EXPECT_EQ(WindowText(c), p.Text);
    }
    std::multiset<std::string> labels;
    for (int i = 0; i < W->ComponentCount(); ++i)
        if (auto* l = dynamic_cast<TLabel*>(W->Components(i)))
            labels.insert(Format("%s %d,%d ", l->Parent()->Name().c_str(), l->Left(), l->Top()) +
                          l->Caption());
    EXPECT_EQ(labels, ExpectedLabels());

    std::vector<std::string> tabOrder;
    for (TWinControl* c : W->TabList())
        if (c != W->StatusBar1) tabOrder.push_back(c->Name()); // a status bar takes no focus
    EXPECT_EQ(tabOrder,
              (std::vector<std::string>{"ButtonConnect", "ButtonDefault", "ButtonRead", "ButtonWrite",
                                        "GroupBox5", "GroupBox7", "GroupBox8", "GroupBox9", "GroupBox10"}));
}

TEST_F(MainWindowTest, StartsOnStandardRatesWithAnEmptyStatusBar) {
    std::vector<std::string> arbitration(ArbitrationBaudrateTable.begin(), ArbitrationBaudrateTable.end());
    std::vector<std::string> data(DataBaudrateTable.begin(), DataBaudrateTable.end());
    for (int c = 0; c < 2; ++c) {
        SCOPED_TRACE(c);
        EXPECT_FALSE(IsChecked(W->CheckBoxBuadrateCustomCAN[c]));
        EXPECT_FALSE(IsEnabled(W->EditArbitrationBaudrateCAN[c]));
        EXPECT_FALSE(IsEnabled(W->EditDataBaudrateCAN[c]));
        EXPECT_EQ(SendMessageW(W->EditDataBaudrateCAN[c]->Handle(), EM_GETLIMITTEXT, 0, 0), 8);
        for (TComboBox* list :
             {W->ComboBoxtArbitrationBaudrateIndexCAN[c], W->ComboBoxtDataBaudrateIndexCAN[c]}) {
            EXPECT_TRUE(IsEnabled(list));
            EXPECT_EQ(Selected(list), 0);
            EXPECT_EQ(GetWindowLongW(list->Handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
        }
        EXPECT_EQ(Items(W->ComboBoxtArbitrationBaudrateIndexCAN[c]), arbitration);
        EXPECT_EQ(Items(W->ComboBoxtDataBaudrateIndexCAN[c]), data);
    }
    EXPECT_EQ(Panel(0), "");
    EXPECT_EQ(Panel(1), "");
    EXPECT_EQ(W->StatusBar1->Panels().Count(), 2);
    EXPECT_EQ(W->StatusBar1->Panels()[0]->Width(), 420);
    EXPECT_TRUE(Dialogs.Seen().empty());
}

// The stored skin is unpacked into the model while the window is read; nothing draws with it yet.
TEST_F(MainWindowTest, StartsWithItsStoredSkinLoaded) {
    TSkinData* skin = W->SkinData1;
    ASSERT_NE(skin, nullptr);
    EXPECT_TRUE(skin->Active());
    EXPECT_FALSE(skin->SkinPending);
    EXPECT_EQ(skin->SysButtonList.size(), 8u); // five caption buttons and the three of an MDI child
    EXPECT_EQ(skin->Button->Image.Width(), 100);
    EXPECT_EQ(skin->Borders[0]->Frame, 2);
    EXPECT_EQ(skin->Colors[csButtonFace], 0xE9E9E9u);
    EXPECT_EQ(skin->Skin3rd->Count(), 116);
}

// The caption component follows the skin data in the description, switched on, with its fixed author.
TEST_F(MainWindowTest, CarriesASkinCaptionAfterItsSkinData) {
    ASSERT_NE(W->SkinCaption1, nullptr);
    std::vector<std::string> components;
    // The window's form skinner is owned by the window too, but nameless: it is not described.
    for (int i = 0; i < W->ComponentCount(); ++i)
        if (!dynamic_cast<TControl*>(W->Components(i)) && !W->Components(i)->Name().empty())
            components.push_back(W->Components(i)->Name());
    EXPECT_EQ(components, (std::vector<std::string>{"NMUDP1", "SkinData1", "SkinCaption1"}));
    EXPECT_TRUE(W->SkinCaption1->Active());
    EXPECT_EQ(W->SkinCaption1->Author, TSkinCaption::FixedAuthor);
    EXPECT_EQ(W->SkinCaption1->SkinAlpha, 0);
}

TEST_F(MainWindowTest, ReadAndWriteAskToConnectFirstThenSendFromTheCommandPort) {
    for (TButton* b : {W->ButtonRead, W->ButtonWrite}) {
        Click(b);
        TSeenDialog box = OneBox();
        EXPECT_EQ(box.Text, "请先连接！");
        EXPECT_EQ(box.Caption, Application->Title());
        EXPECT_FALSE(box.StopIcon);
    }
    ExpectNothingSent();
    EXPECT_EQ(Panel(0), "");

    Connect();
    ExpectNothingSent(); // Connect only prepares the endpoint
    Click(W->ButtonRead);
    TDatagram d = Device.Receive();
    EXPECT_EQ(d.Bytes, Bytes("CC DD"));
    EXPECT_EQ(d.FromPort, WindowPort);
    ExpectNothingSent();
    EXPECT_EQ(Panel(0), "Data sent");
    EXPECT_TRUE(Dialogs.Seen().empty());

    Click(W->ButtonConnect); // Disconnect
    EXPECT_EQ(WindowText(W->ButtonConnect), "Connect(连接)");
    Click(W->ButtonRead);
    EXPECT_EQ(OneBox().Text, "请先连接！");
    ExpectNothingSent();

    Connect(); // and back
    Click(W->ButtonRead);
    EXPECT_EQ(Device.Receive().FromPort, WindowPort);
}

TEST_F(MainWindowTest, AnAnswerFillsEveryFieldTheTickedChannelAndBothPanels) {
    Connect();
    W->ComboBoxtArbitrationBaudrateIndexCAN[1]->SetItemIndex(2);
    W->ComboBoxtDataBaudrateIndexCAN[1]->SetItemIndex(4);
    ASSERT_TRUE(Answer(FullAnswer));

    const std::pair<TEdit*, const char*> texts[] = {
        {W->EditHostIP[0], "10"},
        {W->EditHostIP[1], "20"},
        {W->EditHostIP[2], "30"},
        {W->EditHostIP[3], "40"},
        {W->EditHostUdpPort, "8080"},
        {W->EditDevIP[0], "172"},
        {W->EditDevIP[1], "16"},
        {W->EditDevIP[2], "5"},
        {W->EditDevIP[3], "250"},
        {W->EditDeviceIpMask[0], "255"},
        {W->EditDeviceIpMask[1], "255"},
        {W->EditDeviceIpMask[2], "0"},
        {W->EditDeviceIpMask[3], "0"},
        {W->EditDevGatewayIP[0], "172"},
        {W->EditDevGatewayIP[1], "16"},
        {W->EditDevGatewayIP[2], "0"},
        {W->EditDevGatewayIP[3], "1"},
        {W->EditDevUdpPort, "3000"},
        {W->EditArbitrationBaudrateCAN[0], "00050B2E"},
        {W->EditDataBaudrateCAN[0], "00008207"}, // not in force
        {W->EditArbitrationBaudrateCAN[1], "0001F4A0"},
        {W->EditDataBaudrateCAN[1], "DEADBEEF"},
        {W->EditIP, "127.0.0.1"},
    };
    for (auto [edit, text] : texts)
        EXPECT_EQ(WindowText(edit), text) << edit->Name();
    EXPECT_FALSE(IsChecked(W->CheckBoxBuadrateCustomCAN[0]));
    EXPECT_EQ(Selected(W->ComboBoxtArbitrationBaudrateIndexCAN[0]), 3);
    EXPECT_EQ(Selected(W->ComboBoxtDataBaudrateIndexCAN[0]), 8);
    EXPECT_TRUE(IsChecked(W->CheckBoxBuadrateCustomCAN[1]));
    EXPECT_TRUE(IsEnabled(W->EditArbitrationBaudrateCAN[1]));
    EXPECT_TRUE(IsEnabled(W->EditDataBaudrateCAN[1]));
    EXPECT_FALSE(IsEnabled(W->ComboBoxtArbitrationBaudrateIndexCAN[1]));
    EXPECT_FALSE(IsEnabled(W->ComboBoxtDataBaudrateIndexCAN[1]));
    EXPECT_EQ(Selected(W->ComboBoxtArbitrationBaudrateIndexCAN[1]), 2); // kept, not the stray 5 and 6
    EXPECT_EQ(Selected(W->ComboBoxtDataBaudrateIndexCAN[1]), 4);
    EXPECT_EQ(Panel(1), "MAC Address: 02-00-00-0A-1B-FF");
    EXPECT_EQ(Panel(0), "FromIP: 127.0.0.1  Port: 3000  Bytes: 51");

    // The next answer overwrites: CAN1 back on its lists, the custom words stay where they were.
    ASSERT_TRUE(Answer(StandardAnswer));
    EXPECT_EQ(WindowText(W->EditHostUdpPort), "4800");
    EXPECT_EQ(WindowText(W->EditDevIP[3]), "101");
    EXPECT_FALSE(IsChecked(W->CheckBoxBuadrateCustomCAN[1]));
    EXPECT_FALSE(IsEnabled(W->EditArbitrationBaudrateCAN[1]));
    EXPECT_EQ(WindowText(W->EditDataBaudrateCAN[1]), "DEADBEEF");
    EXPECT_TRUE(IsEnabled(W->ComboBoxtArbitrationBaudrateIndexCAN[1]));
    EXPECT_EQ(Selected(W->ComboBoxtArbitrationBaudrateIndexCAN[1]), -1); // 15 is past the table
    EXPECT_EQ(Selected(W->ComboBoxtDataBaudrateIndexCAN[1]), 14);
    EXPECT_EQ(Panel(1), "MAC Address: 02-00-00-0A-1B-FE");
    EXPECT_TRUE(Dialogs.Seen().empty());
}

TEST_F(MainWindowTest, ClearThenDefaultThenWriteSendsTheDefaultsAndATickedChannelItsWords) {
    Connect();
    W->ComboBoxtDataBaudrateIndexCAN[0]->SetItemIndex(6);
    Click(W->ButtonRead);
    Device.Receive();
    Click(W->ButtonClear);
    for (TEdit* e : {W->EditHostIP[0], W->EditHostIP[3], W->EditHostUdpPort, W->EditDevIP[2],
                     W->EditDeviceIpMask[1], W->EditDevGatewayIP[3], W->EditDevUdpPort,
                     W->EditArbitrationBaudrateCAN[0], W->EditDataBaudrateCAN[1]})
        EXPECT_EQ(WindowText(e), "") << e->Name();
    EXPECT_EQ(WindowText(W->EditIP), "127.0.0.1");
    EXPECT_EQ(Selected(W->ComboBoxtDataBaudrateIndexCAN[0]), 6);
    EXPECT_EQ(Panel(0), "");

    Click(W->ButtonDefault);
    EXPECT_EQ(WindowText(W->EditDevIP[3]), "101");
    EXPECT_EQ(WindowText(W->EditDevUdpPort), "4000");
    EXPECT_EQ(Selected(W->ComboBoxtDataBaudrateIndexCAN[0]), 0);
    EXPECT_EQ(WindowText(W->EditArbitrationBaudrateCAN[0]), ""); // Default leaves the custom words alone
    EXPECT_FALSE(IsChecked(W->CheckBoxBuadrateCustomCAN[0]));
    Click(W->ButtonWrite);
    TDatagram d = Device.Receive();
    EXPECT_EQ(Hex(d.Bytes), Hex(DefaultWrite));
    EXPECT_EQ(d.FromPort, WindowPort);
    EXPECT_EQ(Panel(0), "Data sent");

    // Ticking the box by a click puts the custom words in force.
    Click(W->CheckBoxBuadrateCustomCAN[0]);
    EXPECT_TRUE(IsChecked(W->CheckBoxBuadrateCustomCAN[0]));
    EXPECT_TRUE(IsEnabled(W->EditArbitrationBaudrateCAN[0]));
    EXPECT_FALSE(IsEnabled(W->ComboBoxtDataBaudrateIndexCAN[0]));
    Type(W->EditArbitrationBaudrateCAN[0], "b2e");
    Type(W->EditDataBaudrateCAN[0], "FFFFFFFF");
    Click(W->ButtonWrite);
    std::string custom = DefaultWrite;
    custom.replace(2 + 20, 12, Bytes("00 00 0B 2E FF FF FF FF 00 01 00 00"));
    EXPECT_EQ(Hex(Device.Receive().Bytes), Hex(custom));
    EXPECT_TRUE(Dialogs.Seen().empty());
}

TEST_F(MainWindowTest, AFieldThatDoesNotConvertEndsInTheErrorBoxAndSendsNothing) {
    Connect();
    Click(W->ButtonClear);
    Click(W->ButtonWrite);
    TSeenDialog box = OneBox();
    EXPECT_EQ(box.Text, "'' is not a valid integer value.");
    EXPECT_EQ(box.Caption, Application->Title());
    EXPECT_TRUE(box.StopIcon);
    ExpectNothingSent();

    // An empty custom word is named with the prefix it was converted with.
    Click(W->ButtonDefault);
    Click(W->CheckBoxBuadrateCustomCAN[1]);
    Click(W->ButtonWrite);
    EXPECT_EQ(OneBox().Text, "'0x' is not a valid integer value.");
    Type(W->EditArbitrationBaudrateCAN[1], "-1");
    Type(W->EditDataBaudrateCAN[1], "1");
    Click(W->ButtonWrite);
    EXPECT_EQ(OneBox().Text, "'0x-1' is not a valid integer value.");
    ExpectNothingSent();
    EXPECT_EQ(Panel(0), "");
    EXPECT_EQ(WindowText(W->ButtonConnect), "Disconnect(断开)"); // the window carries on
}

TEST_F(MainWindowTest, AnUnresolvableHostAsksForAnotherNameCancelGivesUpOkSends) {
    Connect("no-such-host.invalid");
    Dialogs.SetInputAnswer(false);
    Click(W->ButtonRead);
    std::vector<TSeenDialog> seen = Dialogs.Take();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[0].Input);
    EXPECT_EQ(seen[0].Caption, "Invalid host");
    EXPECT_EQ(seen[0].Text, "Specify valid hostname: ");
    EXPECT_EQ(seen[0].Value, "no-such-host.invalid");
    EXPECT_FALSE(seen[1].Input);
    EXPECT_EQ(seen[1].Text, "Host Lookup Canceled.");
    EXPECT_EQ(seen[1].Caption, Application->Title());
    EXPECT_TRUE(seen[1].StopIcon);
    ExpectNothingSent();
    EXPECT_EQ(Panel(0), "");

    Dialogs.SetInputAnswer(true, "127.0.0.1");
    Click(W->ButtonRead);
    seen = Dialogs.Take();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Value, "no-such-host.invalid");
    TDatagram d = Device.Receive();
    EXPECT_EQ(d.Bytes, Bytes("CC DD"));
    EXPECT_EQ(d.FromPort, WindowPort);
    EXPECT_EQ(Panel(0), "Data sent");

    Click(W->ButtonRead); // the name given is kept: no second question
    EXPECT_EQ(Device.Receive().Bytes, Bytes("CC DD"));
    EXPECT_TRUE(Dialogs.Seen().empty());
}

TEST_F(MainWindowTest, OnlyWholeAnswersFromTheDevicePortChangeTheWindow) {
    Connect();
    ASSERT_TRUE(Answer(StandardAnswer));
    std::vector<std::string> before = Snapshot(W.operator->());

    TUdpPeer stranger(0);
    ASSERT_TRUE(Answer(FullAnswer, stranger)); // arrives, from another port
    EXPECT_EQ(Changes(before, Snapshot(W.operator->())), "");

    for (size_t length : {20u, 50u, 0u}) {
        SCOPED_TRACE(length);
        ASSERT_TRUE(Answer(FullAnswer.substr(0, length)));
        std::vector<std::string> now = Snapshot(W.operator->());
        EXPECT_EQ(PanelText(W->StatusBar1, 0)
                      .rfind("FromIP: 127.0.0.1  Port: 3000  Bytes: " + std::to_string(length), 0),
                  0u);
        now.end()[-2] = before.end()[-2]; // panel 0 may say what arrived; nothing else may change
        EXPECT_EQ(Changes(before, now), "");
    }

    ASSERT_TRUE(Answer(FullAnswer + "extra bytes")); // what follows the answer is ignored
    EXPECT_EQ(WindowText(W->EditHostIP[0]), "10");
    EXPECT_EQ(Panel(0), "FromIP: 127.0.0.1  Port: 3000  Bytes: 62");
    EXPECT_TRUE(Dialogs.Seen().empty());
}
