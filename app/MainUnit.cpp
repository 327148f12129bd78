#include "MainUnit.h"

#include "Dialogs.h"
#include "WinSkinDlg.h"

TMainForm* MainForm = nullptr;

namespace {
const char* const NotConnectedMessage = "请先连接！";
const char* const ConnectCaption = "Connect(连接)";
const char* const DisconnectCaption = "Disconnect(断开)";
} // namespace

const TClassInfo& TMainForm::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TMainForm>("TMainForm", TForm::StaticClassInfo()).Build();
    return info;
}

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner) {
    // The description names the endpoint and the skin data besides the framework's classes; the
    // skin data starts the skin manager, which skins this window and every dialog at activation.
    RegisterNetClasses();
    RegisterSkinClasses();
    RegisterSkinManager();
    BindFields();
    BindHandlers();
}

// An archive named at the start replaces the stored skin once; one that does not load leaves it.
void TMainForm::ApplyStartOptions() {
    if (!SkinData1) return;
    if (StartOptions.Plain) {
        SkinData1->SetActive(false);
        return;
    }
    const std::string& file = StartOptions.SkinFile;
    if (file.empty() || SkinData1->SkinFile() == file) return;
    SkinData1->LoadFromFile(file);
}

void TMainForm::BindFields() {
    Field("ButtonConnect", ButtonConnect);
    Field("ButtonDefault", ButtonDefault);
    Field("ButtonRead", ButtonRead);
    Field("ButtonWrite", ButtonWrite);
    Field("ButtonClear", ButtonClear);
    Field("EditIP", EditIP);
    Field("EditHostUdpPort", EditHostUdpPort);
    Field("EditDevUdpPort", EditDevUdpPort);
    for (int i = 0; i < 4; ++i) {
        std::string n = std::to_string(i);
        Field("EditHostIP" + n, EditHostIP[i]);
        Field("EditDevIP" + n, EditDevIP[i]);
        Field("EditDeviceIpMask" + n, EditDeviceIpMask[i]);
        Field("EditDevGatewayIP" + n, EditDevGatewayIP[i]);
    }
    for (int c = 0; c < 2; ++c) {
        std::string n = std::to_string(c);
        Field("EditArbitrationBaudrateCAN" + n, EditArbitrationBaudrateCAN[c]);
        Field("EditDataBaudrateCAN" + n, EditDataBaudrateCAN[c]);
        Field("CheckBoxBuadrateCustomCAN" + n, CheckBoxBuadrateCustomCAN[c]);
        Field("ComboBoxtArbitrationBaudrateIndexCAN" + n, ComboBoxtArbitrationBaudrateIndexCAN[c]);
        Field("ComboBoxtDataBaudrateIndexCAN" + n, ComboBoxtDataBaudrateIndexCAN[c]);
    }
    Field("StatusBar1", StatusBar1);
    Field("NMUDP1", NMUDP1);
    Field("SkinData1", SkinData1);
    Field("SkinCaption1", SkinCaption1);
}

void TMainForm::BindHandlers() {
    Handler("ButtonConnectClick", &TMainForm::ButtonConnectClick);
    Handler("ButtonReadClick", &TMainForm::ButtonReadClick);
    Handler("ButtonWriteClick", &TMainForm::ButtonWriteClick);
    Handler("ButtonDefaultClick", &TMainForm::ButtonDefaultClick);
    Handler("ButtonClearClick", &TMainForm::ButtonClearClick);
    Handler("CheckBoxBuadrateCustomCAN0Click", &TMainForm::CheckBoxBuadrateCustomCAN0Click);
    Handler("CheckBoxBuadrateCustomCAN1Click", &TMainForm::CheckBoxBuadrateCustomCAN1Click);
    Handler("NMUDP1DataReceived", &TMainForm::NMUDP1DataReceived);
    Handler("NMUDP1DataSend", &TMainForm::NMUDP1DataSend);
    Handler("NMUDP1InvalidHost", &TMainForm::NMUDP1InvalidHost);
    Handler("FormClose", &TMainForm::FormClose);
}

// ---- Commands -----------------------------------------------------------------------------------

void TMainForm::ButtonConnectClick(TObject*) {
    if (Connected) {
        Connected = false;
        ButtonConnect->SetCaption(ConnectCaption);
        NMUDP1->RemoteHost.clear();
        NMUDP1->RemotePort = 0;
        NMUDP1->SetLocalPort(0);
        return;
    }
    // Connect only prepares the endpoint; a host name is looked up at the first send.
    NMUDP1->RemoteHost = EditIP->Text();
    NMUDP1->RemotePort = DeviceCommandPort;
    NMUDP1->SetLocalPort(HostCommandPort);
    NMUDP1->ReportLevel = 2;
    ButtonConnect->SetCaption(DisconnectCaption);
    Connected = true;
}

void TMainForm::ButtonReadClick(TObject*) {
    if (!Connected) {
        ShowMessage(NotConnectedMessage);
        return;
    }
    Send(ReadRequest.data(), ReadRequest.size());
}

void TMainForm::ButtonWriteClick(TObject*) {
    if (!Connected) {
        ShowMessage(NotConnectedMessage);
        return;
    }
    WriteCommand command = EncodeWriteCommand(RecordFromFields(ReadFields()));
    Send(command.data(), command.size());
}

void TMainForm::ButtonDefaultClick(TObject*) {
    ShowAddresses(DefaultDeviceFields());
    for (int c = 0; c < 2; ++c) {
        ComboBoxtArbitrationBaudrateIndexCAN[c]->SetItemIndex(0);
        ComboBoxtDataBaudrateIndexCAN[c]->SetItemIndex(0);
    }
}

void TMainForm::ButtonClearClick(TObject*) {
    ShowAddresses(DeviceFields{}); // every address and port text empty
    for (int c = 0; c < 2; ++c) {
        CheckBoxBuadrateCustomCAN[c]->SetChecked(false);
        EditArbitrationBaudrateCAN[c]->SetText("");
        EditDataBaudrateCAN[c]->SetText("");
    }
    SetPanel(1, "");
    SetPanel(0, "");
}

void TMainForm::CheckBoxBuadrateCustomCAN0Click(TObject*) {
    ApplyCustomState(0);
}
void TMainForm::CheckBoxBuadrateCustomCAN1Click(TObject*) {
    ApplyCustomState(1);
}

// The ticked box puts the custom fields in force; the other group keeps its values, disabled.
void TMainForm::ApplyCustomState(int c) {
    bool custom = CheckBoxBuadrateCustomCAN[c]->Checked();
    EditArbitrationBaudrateCAN[c]->SetEnabled(custom);
    EditDataBaudrateCAN[c]->SetEnabled(custom);
    ComboBoxtArbitrationBaudrateIndexCAN[c]->SetEnabled(!custom);
    ComboBoxtDataBaudrateIndexCAN[c]->SetEnabled(!custom);
}

// ---- The endpoint's events ----------------------------------------------------------------------

void TMainForm::NMUDP1DataReceived(TObject*, int32_t NumberBytes, const std::string& FromIP, int32_t Port) {
    if (Port != DeviceCommandPort) return;
    std::vector<uint8_t> bytes(static_cast<size_t>(std::max(NumberBytes, 0)));
    int32_t length = 0;
    NMUDP1->ReadDatagram(bytes.data(), static_cast<int32_t>(bytes.size()), length);
    std::string from =
        "FromIP: " + FromIP + "  Port: " + std::to_string(Port) + "  Bytes: " + std::to_string(NumberBytes);
    std::optional<DeviceAnswer> answer = DecodeDeviceAnswer(bytes.data(), static_cast<size_t>(length));
    if (!answer) {
        // Never fill a field from bytes that did not arrive.
        SetPanel(0, from + "  (short answer ignored)");
        return;
    }
    ShowFields(FieldsFromRecord(answer->Record));
    SetPanel(1, FormatMacAddress(answer->Mac));
    SetPanel(0, from);
}

void TMainForm::NMUDP1DataSend(TObject*) {
    SetPanel(0, "Data sent");
}

void TMainForm::NMUDP1InvalidHost(bool& handled) {
    std::string host = NMUDP1->RemoteHost;
    if (!InputQuery("Invalid host", "Specify valid hostname: ", host)) return;
    NMUDP1->RemoteHost = host;
    handled = true;
}

void TMainForm::FormClose(TObject*, TCloseAction&) {
    NMUDP1->RemoteHost.clear();
    NMUDP1->RemotePort = 0;
    NMUDP1->SetLocalPort(0);
}

// ---- Fields -------------------------------------------------------------------------------------

DeviceFields TMainForm::ReadFields() const {
    DeviceFields f;
    for (int i = 0; i < 4; ++i) {
        f.HostIP[i] = EditHostIP[i]->Text();
        f.DevIP[i] = EditDevIP[i]->Text();
        f.DeviceIpMask[i] = EditDeviceIpMask[i]->Text();
        f.DevGatewayIP[i] = EditDevGatewayIP[i]->Text();
    }
    f.HostUdpPort = EditHostUdpPort->Text();
    f.DevUdpPort = EditDevUdpPort->Text();
    for (int c = 0; c < 2; ++c) {
        ChannelFields& ch = f.Can[c];
        ch.Custom = CheckBoxBuadrateCustomCAN[c]->Checked();
        ch.ArbitrationCustom = EditArbitrationBaudrateCAN[c]->Text();
        ch.DataCustom = EditDataBaudrateCAN[c]->Text();
        ch.ArbitrationIndex = ComboBoxtArbitrationBaudrateIndexCAN[c]->ItemIndex();
        ch.DataIndex = ComboBoxtDataBaudrateIndexCAN[c]->ItemIndex();
    }
    return f;
}

// In record order; for each channel the check box first, so that its handler sets the enabling,
// then only the group the answer has in force.
void TMainForm::ShowFields(const DeviceFields& f) {
    ShowAddresses(f);
    for (int c = 0; c < 2; ++c) {
        const ChannelFields& ch = f.Can[c];
        CheckBoxBuadrateCustomCAN[c]->SetChecked(ch.Custom);
        if (ch.Custom) {
            EditArbitrationBaudrateCAN[c]->SetText(ch.ArbitrationCustom);
            EditDataBaudrateCAN[c]->SetText(ch.DataCustom);
        } else {
            ComboBoxtArbitrationBaudrateIndexCAN[c]->SetItemIndex(ch.ArbitrationIndex);
            ComboBoxtDataBaudrateIndexCAN[c]->SetItemIndex(ch.DataIndex);
        }
    }
}

// The address and port fields, in record order.
void TMainForm::ShowAddresses(const DeviceFields& f) {
    for (int i = 0; i < 4; ++i)
        EditHostIP[i]->SetText(f.HostIP[i]);
    EditHostUdpPort->SetText(f.HostUdpPort);
    for (int i = 0; i < 4; ++i)
        EditDevIP[i]->SetText(f.DevIP[i]);
    for (int i = 0; i < 4; ++i)
        EditDeviceIpMask[i]->SetText(f.DeviceIpMask[i]);
    for (int i = 0; i < 4; ++i)
        EditDevGatewayIP[i]->SetText(f.DevGatewayIP[i]);
    EditDevUdpPort->SetText(f.DevUdpPort);
}

void TMainForm::Send(const uint8_t* bytes, size_t count) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes, static_cast<int64_t>(count));
    NMUDP1->SendDatagram(stream);
}

void TMainForm::SetPanel(int index, const std::string& text) {
    StatusBar1->Panels()[index]->SetText(text);
}
