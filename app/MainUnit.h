// The tool's one window: the device's settings as fields, the connection state and the five commands.
#pragma once

#include "ComCtrls.h"
#include "DeviceProtocol.h"
#include "Forms.h"
#include "NMUDP.h"
#include "SkinCaption.h"
#include "StartOptions.h"
#include "StdCtrls.h"
#include "WinSkinData.h"

#include <array>

class TMainForm : public TForm {
    QL_CLASS_INFO()
  public:
    explicit TMainForm(TComponent* AOwner);

    bool Connected = false;

    TButton *ButtonConnect = nullptr, *ButtonDefault = nullptr, *ButtonRead = nullptr;
    TButton *ButtonWrite = nullptr, *ButtonClear = nullptr;
    TEdit *EditIP = nullptr, *EditHostUdpPort = nullptr, *EditDevUdpPort = nullptr;
    std::array<TEdit*, 4> EditHostIP{}, EditDevIP{}, EditDeviceIpMask{}, EditDevGatewayIP{};
    std::array<TEdit*, 2> EditArbitrationBaudrateCAN{}, EditDataBaudrateCAN{};
    std::array<TCheckBox*, 2> CheckBoxBuadrateCustomCAN{};
    std::array<TComboBox*, 2> ComboBoxtArbitrationBaudrateIndexCAN{}, ComboBoxtDataBaudrateIndexCAN{};
    TStatusBar* StatusBar1 = nullptr;
    TNMUDP* NMUDP1 = nullptr;
    TSkinData* SkinData1 = nullptr;
    TSkinCaption* SkinCaption1 = nullptr;
    static inline TStartOptions StartOptions;
    // Once the form is read from its description and before it is shown.
    void ApplyStartOptions();

    void ButtonConnectClick(TObject* Sender);
    void ButtonReadClick(TObject* Sender);
    void ButtonWriteClick(TObject* Sender);
    void ButtonDefaultClick(TObject* Sender);
    void ButtonClearClick(TObject* Sender);
    void CheckBoxBuadrateCustomCAN0Click(TObject* Sender);
    void CheckBoxBuadrateCustomCAN1Click(TObject* Sender);
    void NMUDP1DataReceived(TObject* Sender, int32_t NumberBytes, const std::string& FromIP, int32_t Port);
    void NMUDP1DataSend(TObject* Sender);
    void NMUDP1InvalidHost(bool& handled);
    void FormClose(TObject* Sender, TCloseAction& Action);

  private:
    void BindFields();
    void BindHandlers();
    DeviceFields ReadFields() const;
    void ShowFields(const DeviceFields& fields);
    void ShowAddresses(const DeviceFields& fields);
    void ApplyCustomState(int channel);
    void Send(const uint8_t* bytes, size_t count);
    void SetPanel(int index, const std::string& text);
};

extern TMainForm* MainForm;
