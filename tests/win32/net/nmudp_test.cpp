// The UDP endpoint against a plain peer socket; every datagram stays on 127.0.0.1.
#include "NMUDP.h"

#include "AllocateHWnd.h"
#include "FormReader.h"

#include <winsock.h>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

namespace {
struct Winsock { // the test's own hold, so the endpoint's restarts never close the peer
    Winsock() {
        WSADATA d;
        WSAStartup(0x0101, &d);
    }
    ~Winsock() { WSACleanup(); }
};

sockaddr_in Address(uint32_t host, int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<u_short>(port));
    a.sin_addr.s_addr = host;
    return a;
}

class Peer { // a plain UDP socket on 127.0.0.1
  public:
    Peer() {
        sockaddr_in a = Address(inet_addr("127.0.0.1"), 0);
        int len = sizeof a;
        bind(S, reinterpret_cast<sockaddr*>(&a), sizeof a);
        getsockname(S, reinterpret_cast<sockaddr*>(&a), &len);
        Port = ntohs(a.sin_port);
    }
    ~Peer() { closesocket(S); }
    bool Pending(long ms = 0) {
        fd_set set;
        FD_ZERO(&set);
        FD_SET(S, &set);
        timeval t{0, ms * 1000};
        return select(0, &set, nullptr, nullptr, &t) == 1;
    }
    std::string Receive(int* fromPort = nullptr) { // waits up to a second; "" when nothing came
        static char buffer[65536];
        if (!Pending(1000)) return "";
        sockaddr_in from{};
        int len = sizeof from;
        int n = recvfrom(S, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &len);
        if (fromPort) *fromPort = ntohs(from.sin_port);
        return n > 0 ? std::string(buffer, n) : "";
    }
    void SendTo(int port, const std::string& data) {
        sockaddr_in a = Address(inet_addr("127.0.0.1"), port);
        sendto(S, data.data(), static_cast<int>(data.size()), 0, reinterpret_cast<sockaddr*>(&a), sizeof a);
    }
    SOCKET S = socket(AF_INET, SOCK_DGRAM, 0);
    int Port = 0;
};

std::pair<int, int> FreePorts() {
    Peer a, b;
    return {a.Port, b.Port};
}

void PumpUntil(const std::function<bool()>& done, DWORD ms = 2000) {
    DWORD end = GetTickCount() + ms;
    MSG m;
    while (!done() && GetTickCount() < end) {
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&m);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

template <class E = Exception, class F> std::string Raised(F f) {
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return "<nothing raised>";
}

void Send(TNMUDP& udp, const std::string& data) {
    TMemoryStream s;
    s.Write(data.data(), static_cast<int32_t>(data.size()));
    udp.SendDatagram(s);
}

// Runs an action from the message loop at its next chance. Posted before a send to a host name,
// it runs inside that send while the look-up waits: the answer is queued behind it.
class Poke {
  public:
    explicit Poke(std::function<void()> action)
        : FWindow(AllocateHWnd([action](UINT msg, WPARAM, LPARAM) -> LRESULT {
              if (msg == WM_USER) action();
              return 0;
          })) {
        PostMessageW(FWindow, WM_USER, 0, 0);
    }
    ~Poke() { DeallocateHWnd(FWindow); }
    Poke(const Poke&) = delete;
    Poke& operator=(const Poke&) = delete;

  private:
    HWND FWindow;
};

// Ends the run when a send waits for good: it would spin at full load until ctest gives up.
class Watchdog {
  public:
    explicit Watchdog(int ms) : FThread([this, ms] { Watch(ms); }) {}
    ~Watchdog() {
        {
            std::lock_guard<std::mutex> lock(FMutex);
            FStopped = true;
        }
        FWake.notify_one();
        FThread.join();
    }

  private:
    void Watch(int ms) {
        std::unique_lock<std::mutex> lock(FMutex);
        if (FWake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return FStopped; })) return;
        std::fprintf(stderr, "%s: still waiting after %d ms\n",
                     ::testing::UnitTest::GetInstance()->current_test_info()->name(), ms);
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    std::mutex FMutex;
    std::condition_variable FWake;
    bool FStopped = false;
    std::thread FThread; // last, so that it starts with the rest in place
};

struct Received {
    int32_t Length;
    std::string FromIP;
    int32_t Port;
    std::string Bytes;
};
} // namespace

class NMUDPTest : public ::testing::Test {
  protected:
    NMUDPTest() {
        Udp->RemoteHost = "127.0.0.1";
        Udp->RemotePort = PeerA.Port;
        Udp->OnDataSend.Code = [this](TObject* sender) {
            EXPECT_EQ(sender, Udp);
            Events.push_back("sent");
        };
        Udp->OnStatus.Code = [this](TObject*, const std::string& s) { Events.push_back(s); };
        Udp->OnDataReceived.Code = [this](TObject*, int32_t n, const std::string& ip, int32_t port) {
            std::string bytes(n, '\0');
            int32_t length = -1;
            Udp->ReadDatagram(bytes.data(), n, length);
            EXPECT_EQ(length, n);
            Got.push_back({n, ip, port, bytes});
        };
    }
    void Send(const std::string& data) { ::Send(*Udp, data); }

    Winsock Hold;
    Peer PeerA, PeerB;
    TComponent Owner{nullptr};
    TNMUDP* Udp = new TNMUDP(&Owner);
    std::vector<std::string> Events;
    std::vector<Received> Got;
};

TEST_F(NMUDPTest, DottedAddressSendsAtOnceReportingFirstAndNotifyingAfter) {
    Send("\xCC\xDD");
    EXPECT_EQ(PeerA.Receive(), "\xCC\xDD");
    EXPECT_EQ(Events, std::vector<std::string>{"sent"}); // level 1 reports nothing

    Events.clear();
    Udp->ReportLevel = 2;
    Udp->OnStatus.Code = [this](TObject*, const std::string& s) {
        Events.push_back(s + (PeerA.Pending() ? " (already out)" : ""));
    };
    Udp->OnDataSend.Code = [this](TObject*) { Events.push_back(PeerA.Pending() ? "sent" : "not out"); };
    Send(std::string(3000, 'x')); // longer than any fixed send buffer would hold
    EXPECT_EQ((std::vector<std::string>{"Sending Data", "sent"}), Events);
    EXPECT_EQ(PeerA.Receive(), std::string(3000, 'x'));

    EXPECT_EQ(Raised<UDPSockError>([&] { Send(std::string(70000, 'x')); }),
              "Stream too large for one datagram");
    EXPECT_FALSE(PeerA.Pending(50));
}

TEST_F(NMUDPTest, NullAddressAndEmptyStreamsAreRefusedBeforeAnythingGoesOut) {
    Udp->RemoteHost = "0.0.0.0";
    EXPECT_EQ(Raised<UDPSockError>([&] { Send("a"); }), "Null Remote Address");

    Udp->RemoteHost = "127.0.0.1";
    EXPECT_EQ(Raised([&] { Send(""); }), "Invalid stream");
    int calls = 0;
    bool answer = false;
    TMemoryStream empty;
    Udp->OnStreamInvalid.Code = [&](bool& handled, TStream* s) {
        EXPECT_FALSE(handled);
        EXPECT_EQ(s, &empty);
        ++calls;
        handled = answer;
    };
    EXPECT_EQ(Raised([&] { Udp->SendDatagram(empty); }), "Invalid stream");
    answer = true; // handled, but the stream is still empty: no second call
    EXPECT_EQ(Raised([&] { Udp->SendDatagram(empty); }), "Invalid stream");
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(Events.empty());
    EXPECT_FALSE(PeerA.Pending(50));

    Udp->OnStreamInvalid.Code = [](bool& handled, TStream* s) {
        s->Write("late", 4);
        handled = true;
    };
    Udp->SendDatagram(empty);
    EXPECT_EQ(PeerA.Receive(), "late");
}

TEST_F(NMUDPTest, UnresolvableHostAsksOnceThenUsesTheSuppliedAddressOrGivesUp) {
    for (std::string host : {std::string("no-such-host.invalid"), std::string(300, 'h')}) {
        int calls = 0;
        std::string supplied = "127.0.0.1";
        Udp->OnInvalidHost.Code = [&](bool& handled) {
            EXPECT_FALSE(handled);
            ++calls;
            Udp->RemoteHost = supplied;
            handled = !supplied.empty();
        };
        Udp->RemoteHost = host;
        Send("named");
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(PeerA.Receive(), "named");

        for (std::string next : {std::string(), host}) { // left unhandled; handled with another bad name
            supplied = next;
            calls = 0;
            Udp->RemoteHost = host;
            Events.clear();
            EXPECT_EQ(Raised<UDPSockError>([&] { Send("x"); }), "Host Lookup Canceled");
            EXPECT_EQ(calls, 1);
            EXPECT_TRUE(Events.empty());
        }
    }
    Udp->OnInvalidHost = {};
    EXPECT_EQ(Raised<UDPSockError>([&] { Send("x"); }), "Host Lookup Canceled");
    EXPECT_FALSE(PeerA.Pending(50));
}

// A send started while another waits for its look-up must wait for its own answer.
TEST_F(NMUDPTest, NestedSendsDuringALookUpKeepTheirOwnAnswers) {
    std::string nested;
    Poke inner([&] {
        Udp->RemoteHost = "no-such-host.invalid";
        nested = Raised<UDPSockError>([&] { Send("inner"); });
    });
    Udp->RemoteHost = "localhost";
    Send("outer");
    EXPECT_EQ(nested, "Host Lookup Canceled");
    EXPECT_EQ(PeerA.Receive(), "outer");
    EXPECT_FALSE(PeerA.Pending(50));
}

TEST_F(NMUDPTest, EachDatagramArrivesWithItsOwnLengthAndSender) {
    int port = FreePorts().first;
    Udp->SetLocalPort(port);
    PeerA.SendTo(port, "first");
    PeerB.SendTo(port, "second!");
    PumpUntil([&] { return Got.size() >= 2; });
    ASSERT_EQ(Got.size(), 2u);
    EXPECT_EQ(Got[0].Length, 5);
    EXPECT_EQ(Got[0].Bytes, "first");
    EXPECT_EQ(Got[0].FromIP, "127.0.0.1");
    EXPECT_EQ(Got[0].Port, PeerA.Port);
    EXPECT_EQ(Got[1].Bytes, "second!");
    EXPECT_EQ(Got[1].Port, PeerB.Port);

    // the caller's capacity bounds the copy
    char small[4] = {'-', '-', '-', '-'};
    int32_t length = -1;
    Udp->ReadDatagram(small, 3, length);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(std::string(small, 4), "sec-");
    Udp->ReadDatagram(small, -1, length);
    EXPECT_EQ(length, 0);
}

TEST_F(NMUDPTest, OversizedDatagramIsDroppedAndReportedNotPassedOn) {
    int port = FreePorts().first;
    Udp->SetLocalPort(port);
    Udp->ReportLevel = 8;
    PeerA.SendTo(port, std::string(TNMUDP::ReceiveBufferSize + 1, 'o'));
    PeerA.SendTo(port, "after");
    PumpUntil([&] { return !Got.empty(); });
    ASSERT_EQ(Got.size(), 1u);
    EXPECT_EQ(Got[0].Bytes, "after");
    EXPECT_EQ(Events, std::vector<std::string>{"Datagram Dropped: Unknown Error No. 10040"});
}

TEST_F(NMUDPTest, LocalPortChangeRebuildsTheSocket) {
    auto [oldPort, newPort] = FreePorts();
    Udp->SetLocalPort(oldPort);
    PeerA.SendTo(oldPort, "old");
    PumpUntil([&] { return !Got.empty(); });
    ASSERT_EQ(Got.size(), 1u);

    Udp->SetLocalPort(newPort);
    PeerA.SendTo(oldPort, "lost");
    PeerA.SendTo(newPort, "new");
    PumpUntil([&] { return Got.size() >= 3; }, 300);
    ASSERT_EQ(Got.size(), 2u);
    EXPECT_EQ(Got[1].Bytes, "new");

    int from = 0;
    Send("from new");
    EXPECT_EQ(PeerA.Receive(&from), "from new");
    EXPECT_EQ(from, newPort);
}

TEST_F(NMUDPTest, ErrorCheckLetsThroughNumbersWithAllBitsOfTheAllowedCode) {
    Udp->ReportLevel = 16;
    for (int passing : {10035, 10039, 10047}) {
        WSASetLastError(passing);
        EXPECT_NO_THROW(Udp->CheckSocketError(10035));
        EXPECT_EQ(Udp->LastErrorNo(), passing);
    }
    Events.clear();
    WSASetLastError(10054);
    EXPECT_EQ(Raised<UDPSockError>([&] { Udp->CheckSocketError(10035); }), "Unknown Error No. 10054");
    EXPECT_EQ(Events, (std::vector<std::string>{"Checking Error In Error Manager",
                                                "Looking Up Error MessageUnknown Error No. 10054"}));
}

// The start-up order: created from a description, LocalPort set while reading, bound again when
// loading ends; the second bind fails quietly and the endpoint still receives.
TEST(NMUDPDescription, CreatedFromADescriptionItBindsAndReceives) {
    struct Root : TComponent {
        using TComponent::TComponent;
        std::vector<int32_t> Lengths;
        void DataReceived(TObject*, int32_t n, const std::string&, int32_t) { Lengths.push_back(n); }
        TMethod MethodAddress(const std::string& name) const override {
            TOnReceive e(const_cast<Root*>(this), &Root::DataReceived);
            return name == "NMUDP1DataReceived" ? ToMethod(e) : TMethod{};
        }
    };
    Winsock hold;
    RegisterNetClasses();
    int port = FreePorts().first;
    Root root(nullptr);
    ReadComponentText(&root, "object Root: TComponent\n  object NMUDP1: TNMUDP\n    RemotePort = 3000\n"
                             "    LocalPort = " +
                                 std::to_string(port) +
                                 "\n    ReportLevel = 2\n"
                                 "    OnDataReceived = NMUDP1DataReceived\n  end\nend\n");
    auto* udp = static_cast<TNMUDP*>(root.FindComponent("NMUDP1"));
    ASSERT_TRUE(udp);
    EXPECT_EQ(udp->ReportLevel, 2);
    EXPECT_EQ(GetIntProperty(udp, "LocalPort"), port);
    Peer peer;
    peer.SendTo(port, "hello");
    PumpUntil([&] { return !root.Lengths.empty(); });
    EXPECT_EQ(root.Lengths, std::vector<int32_t>{5});
}

// No hold of the test's own: as in the program, the endpoint's start of the socket layer is the only
// one, so its shut-down is the last clean-up, which drops pending look-ups without an answer.
class NMUDPShutDownTest : public ::testing::Test {
  protected:
    void SetUp() override {
        {
            Winsock hold; // only while finding a free port
            Port = FreePorts().first;
        }
        ASSERT_EQ(socket(AF_INET, SOCK_DGRAM, 0), INVALID_SOCKET) << "the socket layer is held elsewhere";
        Udp = new TNMUDP(Owner.get());
        Udp->SetLocalPort(Port); // connected, as the main window does it
        Udp->RemoteHost = "localhost";
        Udp->RemotePort = Port; // a datagram that went out comes back to us
        Udp->ReportLevel = 2;
        Udp->OnStatus.Code = [this](TObject*, const std::string& s) { Events.push_back(s); };
        Udp->OnDataSend.Code = [this](TObject*) { Events.push_back("sent"); };
        Udp->OnDataReceived.Code = [this](TObject*, int32_t, const std::string&, int32_t) {
            Events.push_back("received");
        };
        Udp->OnInvalidHost.Code = [this](bool& handled) { // would send anyway, to a dotted address
            Events.push_back("asked");
            Udp->RemoteHost = "127.0.0.1";
            handled = true;
        };
    }

    int Port = 0;
    std::unique_ptr<TComponent> Owner = std::make_unique<TComponent>(nullptr);
    TNMUDP* Udp = nullptr;
    std::vector<std::string> Events;
};

TEST_F(NMUDPShutDownTest, ADisconnectDuringTheLookUpCancelsTheSendAndNothingGoesOut) {
    Watchdog watchdog(5000);
    Poke disconnect([&] { Udp->SetLocalPort(Port); }); // what Disconnect does, on our port
    EXPECT_EQ(Raised<UDPSockError>([&] { Send(*Udp, "late"); }), "Host Lookup Canceled");
    PumpUntil([&] { return !Events.empty(); }, 300); // the dropped look-up may still answer
    EXPECT_EQ(Events, std::vector<std::string>{});

    Send(*Udp, "again"); // a new look-up is not answered by the old one
    PumpUntil([&] { return Events.size() >= 3; });
    EXPECT_EQ(Events, (std::vector<std::string>{"Sending Data", "sent", "received"}));
}

// Closing the window destroys its components: a send waiting inside must return, or the program
// never ends.
TEST_F(NMUDPShutDownTest, DestroyedDuringTheLookUpTheSendReturns) {
    Watchdog watchdog(5000);
    Poke close([&] { Owner.reset(); });
    EXPECT_EQ(Raised<UDPSockError>([&] { Send(*Udp, "late"); }), "Host Lookup Canceled");
    PumpUntil([] { return false; }, 100); // an answer for the gone window goes nowhere
    EXPECT_EQ(Events, std::vector<std::string>{});
    EXPECT_EQ(socket(AF_INET, SOCK_DGRAM, 0), INVALID_SOCKET); // its clean-up was the last
}
