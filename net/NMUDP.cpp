#include "NMUDP.h"

#include "AllocateHWnd.h"
#include "Forms.h"

#include <winsock.h>

#include <algorithm>
#include <cstring>

namespace {
constexpr int32_t WouldBlock = 10035; // the one error number the error check lets through
constexpr int LingerLevel = 0xFFFF;   // this socket layer's socket level and "don't linger" option
constexpr int DontLingerOption = 0xFF7F;
constexpr int64_t MaxDatagram = 65507; // largest UDP payload over IPv4
// Draining under a flood stops after this long or this many, whichever comes first: each read may
// wait for the socket layer, and the window must get back to its messages.
constexpr int64_t DrainUs = 2000;
constexpr int MaxDroppedPerNotification = 256;

int64_t Microseconds() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return count.QuadPart / frequency.QuadPart * 1000000 +
           count.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

std::string DottedAddress(const in_addr& address) {
    const auto* b = reinterpret_cast<const uint8_t*>(&address);
    return Format("%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
}

sockaddr_in MakeAddress(int32_t port, uint32_t address) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<u_short>(port));
    a.sin_addr.s_addr = address;
    return a;
}

std::vector<char> WholeStream(TStream& stream) {
    std::vector<char> data(static_cast<size_t>(stream.Size()));
    stream.SetPosition(0);
    stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    return data;
}

// Host entries of look-ups whose endpoint went before their answer came. Never freed: without the
// answer nothing tells us that the socket layer has stopped writing into them.
std::vector<std::shared_ptr<void>>& AbandonedEntries() {
    static auto* entries = new std::vector<std::shared_ptr<void>>;
    return *entries;
}
} // namespace

// One host-name look-up in flight; each send waits for its own answer, so nested sends during the
// wait cannot take each other's results. Shared by the waiting send and the endpoint: either may
// be gone first.
struct TNMUDP::THostLookup {
    HANDLE Task = nullptr;
    bool Done = false;
    bool Succeeded = false;
    bool Canceled = false;                   // the socket layer was shut down before the answer
    alignas(8) char Entry[MAXGETHOSTSTRUCT]; // the host entry the socket layer writes
};

const TClassInfo& TNMUDP::StaticClassInfo() {
    static const TClassInfo info = TClassBuilder<TNMUDP>("TNMUDP", TComponent::StaticClassInfo())
                                       .Creatable()
                                       .Str("RemoteHost", &TNMUDP::RemoteHost, &TNMUDP::RemoteHost)
                                       .Int("RemotePort", &TNMUDP::RemotePort, &TNMUDP::RemotePort)
                                       .Int("LocalPort", &TNMUDP::LocalPort, &TNMUDP::SetLocalPort)
                                       .Int("ReportLevel", &TNMUDP::ReportLevel, &TNMUDP::ReportLevel)
                                       .Event("OnDataReceived", &TNMUDP::OnDataReceived)
                                       .Event("OnDataSend", &TNMUDP::OnDataSend)
                                       .Event("OnStatus", &TNMUDP::OnStatus)
                                       .Event("OnInvalidHost", &TNMUDP::OnInvalidHost)
                                       .Event("OnStreamInvalid", &TNMUDP::OnStreamInvalid)
                                       .Build();
    return info;
}

void RegisterNetClasses() {
    RegisterClassInfo(TNMUDP::StaticClassInfo());
}

// ---- Life cycle ---------------------------------------------------------------------------------

TNMUDP::TNMUDP(TComponent* AOwner) : TComponent(AOwner), FSocket(INVALID_SOCKET) {
    FWindow = AllocateHWnd([this](UINT msg, WPARAM w, LPARAM l) { return Notify(msg, w, l); });
    ReportStatus(8, "Initializing Winsock");
    try {
        StartSocketLayer();
        MakeSocket();
        static const char True[4] = {'T', 'R', 'U', 'E'};
        setsockopt(FSocket, LingerLevel, DontLingerOption, True, sizeof True); // best effort
    } catch (...) {
        ShutSocketLayer();
        DeallocateHWnd(FWindow);
        throw;
    }
    FCreated = true;
}

TNMUDP::~TNMUDP() {
    DeallocateHWnd(FWindow);
    ShutSocketLayer();
    for (std::shared_ptr<THostLookup>& lookup : FLookups)
        AbandonedEntries().push_back(std::move(lookup));
}

void TNMUDP::Loaded() {
    TComponent::Loaded();
    BindLocal();
}

void TNMUDP::StartSocketLayer() {
    WSADATA data;
    if (WSAStartup(0x0101, &data) == 0)
        FStarted = true;
    else
        CheckSocketError(WouldBlock);
}

// Closes our socket itself: the socket layer is counted per process, so its shut-down closes
// nothing while someone else in the process still uses it.
void TNMUDP::ShutSocketLayer() {
    CancelLookups();
    CloseSocket();
    if (FStarted) WSACleanup();
    FStarted = false;
}

// The last clean-up drops pending look-ups without an answer, and a send meant for the old socket
// must not go out on a new one: the waiting sends give up. A cancelled look-up stays listed until
// its answer comes, as a socket layer may still write the entry after a cancel (Wine's does).
void TNMUDP::CancelLookups() {
    for (const std::shared_ptr<THostLookup>& lookup : FLookups)
        if (!lookup->Done) {
            WSACancelAsyncRequest(lookup->Task);
            lookup->Done = lookup->Canceled = true;
        }
}

void TNMUDP::MakeSocket() {
    FSocket = socket(AF_INET, SOCK_DGRAM, 0);
    if (FSocket == INVALID_SOCKET) CheckSocketError(WouldBlock);
}

void TNMUDP::CloseSocket() {
    if (FSocket != INVALID_SOCKET) closesocket(FSocket);
    FSocket = INVALID_SOCKET;
}

void TNMUDP::SetLocalPort(int32_t value) {
    ShutSocketLayer();
    try {
        StartSocketLayer();
        MakeSocket();
    } catch (...) {
        ShutSocketLayer();
        throw;
    }
    FLocalPort = value;
    BindLocal();
}

void TNMUDP::BindLocal() {
    sockaddr_in local = MakeAddress(FLocalPort, INADDR_ANY);
    // A port in use leaves the socket unbound, quietly: a bind after loading finds it bound already.
    bind(FSocket, reinterpret_cast<sockaddr*>(&local), sizeof local);
    WSAAsyncSelect(FSocket, FWindow, NotificationMessage, FD_READ);
}

// ---- Sending ------------------------------------------------------------------------------------

void TNMUDP::SendDatagram(TStream& stream) {
    if (stream.Size() == 0) {
        bool handled = false;
        if (OnStreamInvalid) OnStreamInvalid(handled, &stream);
        if (!handled || stream.Size() == 0) throw Exception("Invalid stream");
    }
    if (stream.Size() > MaxDatagram) throw UDPSockError("Stream too large for one datagram");
    uint32_t address = ResolveRemoteHost();
    if (address == 0) throw UDPSockError("Null Remote Address");
    ReportStatus(2, "Sending Data");
    sockaddr_in remote = MakeAddress(RemotePort, address);
    std::vector<char> data = WholeStream(stream);
    sendto(FSocket, data.data(), static_cast<int>(data.size()), 0, reinterpret_cast<sockaddr*>(&remote),
           sizeof remote); // like any datagram, it may be lost without notice
    OnDataSend(this);
}

uint32_t TNMUDP::ResolveRemoteHost() {
    uint32_t address = inet_addr(RemoteHost.c_str());
    if (address != INADDR_NONE) return address;
    for (bool retried = false;; retried = true) {
        if (LookUpHost(RemoteHost, address)) return address;
        bool handled = false;
        if (!retried) OnInvalidHost(handled);
        if (!handled) throw UDPSockError("Host Lookup Canceled");
    }
}

// Waits for the answer by running the message loop, so the GUI stays alive meanwhile.
// The name is our own copy: a handler may change RemoteHost while we wait.
bool TNMUDP::LookUpHost(std::string name, uint32_t& address) {
    auto lookup = std::make_shared<THostLookup>();
    lookup->Task = WSAAsyncGetHostByName(FWindow, NotificationMessage, name.c_str(), lookup->Entry,
                                         sizeof lookup->Entry);
    if (!lookup->Task) return false; // never started: no answer will come
    FLookups.push_back(lookup);
    while (!lookup->Done)
        Application->ProcessMessages(); // busy by design: no sleeping
    // A handler may have shut the layer down or destroyed us meanwhile: touch no member then.
    if (lookup->Canceled) throw UDPSockError("Host Lookup Canceled");
    const auto* entry = reinterpret_cast<const hostent*>(lookup->Entry);
    if (!lookup->Succeeded || entry->h_length != 4 || !entry->h_addr_list[0]) return false;
    std::memcpy(&address, entry->h_addr_list[0], 4);
    return true;
}

// ---- Notifications and receiving ----------------------------------------------------------------

LRESULT TNMUDP::Notify(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!FCreated || msg != NotificationMessage) return 0;
    if (WSAGETSELECTEVENT(lParam) == FD_READ)
        ReceiveDatagram();
    else
        LookupAnswered(reinterpret_cast<HANDLE>(wParam), lParam);
    return 0;
}

// The answer also says that the socket layer is done with the entry, so it leaves the list here.
void TNMUDP::LookupAnswered(HANDLE task, LPARAM reply) {
    std::erase_if(FLookups, [&](const std::shared_ptr<THostLookup>& lookup) {
        if (lookup->Task != task) return false;
        if (!lookup->Done) lookup->Succeeded = WSAGETASYNCERROR(reply) == 0;
        lookup->Done = true;
        return true;
    });
}

// Under a flood the receive budget keeps the handlers to their share of the GUI thread's time.
void TNMUDP::ReceiveDatagram() {
    if (!FBudget.Admit(Microseconds())) {
        DropQueued();
        return;
    }
    sockaddr_in from{};
    if (!ReadOne(from)) return;
    int64_t start = Microseconds();
    OnDataReceived(this, FReceivedLength, DottedAddress(from.sin_addr), ntohs(from.sin_port));
    FBudget.Spent(Microseconds() - start);
}

// A failed receive (an oversized datagram, an unreachable peer) is dropped and counted, never
// passed on with a negative length and an unfilled sender.
bool TNMUDP::ReadOne(sockaddr_in& from) {
    int fromLength = sizeof from;
    int n = recvfrom(FSocket, reinterpret_cast<char*>(FReceiveBuffer), sizeof FReceiveBuffer, 0,
                     reinterpret_cast<sockaddr*>(&from), &fromLength);
    FReceivedLength = n == SOCKET_ERROR ? 0 : n;
    if (n != SOCKET_ERROR) return true;
    int error = WSAGetLastError();
    if (error == WouldBlock) return false; // a late notice for a datagram already read
    FBudget.CountDropped();
    ReportStatus(8, "Datagram Dropped: Unknown Error No. " + IntToStr(error));
    return false;
}

// Past the handlers' share, one notification reads and drops what is queued (within bounds), so
// the queue shrinks faster than the flood fills it.
void TNMUDP::DropQueued() {
    sockaddr_in from{};
    int dropped = 0;
    for (int64_t start = Microseconds();
         dropped < MaxDroppedPerNotification && Microseconds() - start < DrainUs && ReadOne(from);)
        ++dropped;
    FBudget.CountDropped(dropped);
    if (dropped > 0) ReportStatus(8, "Datagrams Dropped: " + IntToStr(dropped) + " past the receive budget");
}

void TNMUDP::ReadDatagram(void* buffer, int32_t capacity, int32_t& length) const {
    length = std::min(FReceivedLength, std::max(capacity, 0));
    if (length > 0) std::memcpy(buffer, FReceiveBuffer, static_cast<size_t>(length));
}

// ---- Errors and status --------------------------------------------------------------------------

void TNMUDP::CheckSocketError(int32_t allowed) {
    ReportStatus(16, "Checking Error In Error Manager");
    FLastErrorNo = WSAGetLastError();
    if ((FLastErrorNo & allowed) == allowed) return;
    std::string message = FLastErrorNo == 0 ? "" : "Unknown Error No. " + IntToStr(FLastErrorNo);
    ReportStatus(8, "Looking Up Error Message" + message);
    throw UDPSockError(message);
}

void TNMUDP::ReportStatus(int32_t level, const std::string& text) {
    if (level > ReportLevel) return;
    FStatus = text;
    OnStatus(this, FStatus);
}
