// The UDP endpoint: one IPv4 datagram socket (Windows Sockets 1.1) bound to a local port. It sends
// a whole stream as one datagram to a remote host and port, and reports every datagram received as
// an event on the GUI thread through a hidden notification window.
#pragma once

#include "Classes.h"
#include "ReceiveBudget.h"
#include "TypInfo.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sockaddr_in;

class UDPSockError : public Exception {
    using Exception::Exception;
};

// (Sender, NumberBytes, FromIP as "%d.%d.%d.%d", Port in host byte order)
using TOnReceive = TEvent<TObject*, int32_t, const std::string&, int32_t>;
using TOnStatus = TEvent<TObject*, const std::string&>;
// (handled): false on entry; true asks for one more look-up of RemoteHost.
using THandlerEvent = TEvent<bool&>;
// (handled, Stream): false on entry; true asks to look at the stream once more.
using TStreamInvalid = TEvent<bool&, TStream*>;

class TNMUDP : public TComponent {
    QL_CLASS_INFO()
  public:
    explicit TNMUDP(TComponent* AOwner);
    ~TNMUDP() override;
    void Loaded() override;

    std::string RemoteHost;
    int32_t RemotePort = 0;
    int32_t LocalPort() const { return FLocalPort; }
    void SetLocalPort(int32_t value); // rebuilds the socket and binds it
    int32_t ReportLevel = 1;          // status lines up to this level reach OnStatus

    TOnReceive OnDataReceived;
    TNotifyEvent OnDataSend;
    TOnStatus OnStatus;
    THandlerEvent OnInvalidHost;
    TStreamInvalid OnStreamInvalid;

    // Binds to LocalPort on every interface and switches read notifications on; failures are quiet.
    void BindLocal();
    // The stream's whole content as one datagram to RemoteHost:RemotePort.
    void SendDatagram(TStream& stream);
    // The last datagram received, at most capacity bytes; length is the number of bytes copied.
    void ReadDatagram(void* buffer, int32_t capacity, int32_t& length) const;
    // Raises UDPSockError for the socket layer's last error unless it has every bit of allowed.
    void CheckSocketError(int32_t allowed);
    int32_t LastErrorNo() const { return FLastErrorNo; }
    // Datagrams read but never passed on: failed receives, and under a flood those past the
    // handlers' share of the time (ReceiveBudget.h).
    int64_t DroppedCount() const { return FBudget.Dropped(); }

    static constexpr UINT NotificationMessage = WM_USER + 101;
    static constexpr int ReceiveBufferSize = 2048;

  protected:
    void ReportStatus(int32_t level, const std::string& text);

  private:
    struct THostLookup;
    void StartSocketLayer();
    void ShutSocketLayer();
    void CancelLookups();
    void MakeSocket();
    void CloseSocket();
    uint32_t ResolveRemoteHost();
    bool LookUpHost(std::string name, uint32_t& address);
    LRESULT Notify(UINT msg, WPARAM wParam, LPARAM lParam);
    void ReceiveDatagram();
    bool ReadOne(sockaddr_in& from);
    void DropQueued();
    void LookupAnswered(HANDLE task, LPARAM reply);

    uint8_t FReceiveBuffer[ReceiveBufferSize] = {};
    int32_t FReceivedLength = 0;
    TReceiveBudget FBudget;
    HWND FWindow = nullptr;
    std::vector<std::shared_ptr<THostLookup>> FLookups; // started and not answered yet, oldest first
    bool FStarted = false;                              // holds one start of the socket layer
    std::string FStatus;
    bool FCreated = false;
    int32_t FLastErrorNo = 0;
    UINT_PTR FSocket;
    int32_t FLocalPort = 0;
};

// Makes TNMUDP known to the description reader.
void RegisterNetClasses();
