// The blocking socket against loopback peers: both address families, whole sends, and every wait
// ending in its time-out.

#include "platform/net/Socket.h"

#include "tests/support/Listener.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

class SocketTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(AfxSocketInit()); }
};

struct AddressCase {
    const char* name;
    const char* host;
    bool ipv6;
};

class SocketAddressTest : public SocketTest, public ::testing::WithParamInterface<AddressCase> {};

TEST_P(SocketAddressTest, ConnectsAndExchangesBytes) {
    const AddressCase& c = GetParam();
    Listener listener(c.ipv6);
    ASSERT_NE(0u, listener.Port());
    std::string received;
    std::thread peer([&] {
        const int connection = listener.Accept();
        received = ReadUntil(connection, "\r\n");
        WriteAll(connection, "220 bereit\r\n");
        close(connection);
    });
    CSocket socket;
    ASSERT_TRUE(socket.Create());
    ASSERT_TRUE(socket.Connect(c.host, listener.Port()));
    EXPECT_EQ(6, socket.Send("HELO\r\n", 6));
    char buffer[64] = {};
    int total = 0;
    for (int read; (read = socket.Receive(buffer + total, static_cast<int>(sizeof buffer) - 1 - total)) > 0;)
        total += read;
    peer.join();
    EXPECT_EQ("HELO\r\n", received);
    EXPECT_EQ("220 bereit\r\n", std::string(buffer, static_cast<std::size_t>(total)));
    EXPECT_EQ(c.ipv6 ? 'I' : '1', socket.GetLocalAddressLiteral()[1]);
}

INSTANTIATE_TEST_SUITE_P(Families, SocketAddressTest,
                         ::testing::Values(AddressCase{"IPv4Address", "127.0.0.1", false},
                                           AddressCase{"IPv6Address", "::1", true},
                                           AddressCase{"Name", "localhost", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SocketTest, ConnectFailsForARefusedPortABadPortAndAnUncreatedSocket) {
    unsigned closedPort;
    {
        Listener gone;
        closedPort = gone.Port();
    }
    CSocket socket;
    EXPECT_FALSE(socket.Connect("127.0.0.1", closedPort)) << "not created";
    ASSERT_TRUE(socket.Create());
    EXPECT_FALSE(socket.Create());
    EXPECT_FALSE(socket.Connect("127.0.0.1", closedPort));
    EXPECT_FALSE(socket.TimedOut());
    EXPECT_FALSE(socket.Connect("127.0.0.1", 70000));
    EXPECT_EQ(SOCKET_ERROR, socket.Send("x", 1)) << "unconnected";
    char byte;
    EXPECT_EQ(SOCKET_ERROR, socket.Receive(&byte, 1));
}

TEST_F(SocketTest, ASilentPeerEndsAReceiveWithItsTimeOut) {
    Listener listener;
    CSocket socket;
    ASSERT_TRUE(socket.Create());
    ASSERT_TRUE(socket.Connect("127.0.0.1", listener.Port()));
    const int connection = listener.Accept();
    socket.SetReceiveTimeout(50);
    char byte;
    EXPECT_EQ(SOCKET_ERROR, socket.Receive(&byte, 1));
    EXPECT_TRUE(socket.TimedOut());
    close(connection);
    EXPECT_EQ(0, socket.Receive(&byte, 1)) << "the peer closed";
    EXPECT_FALSE(socket.TimedOut());
}

TEST_F(SocketTest, APeerThatStopsReadingEndsASendWithItsTimeOut) {
    Listener listener;
    CSocket socket;
    ASSERT_TRUE(socket.Create());
    ASSERT_TRUE(socket.Connect("127.0.0.1", listener.Port()));
    const int connection = listener.Accept();
    socket.SetSendTimeout(100);
    const std::vector<char> block(64 << 20, 'x');
    EXPECT_EQ(SOCKET_ERROR, socket.Send(block.data(), static_cast<int>(block.size())));
    EXPECT_TRUE(socket.TimedOut());
    close(connection);
}

TEST_F(SocketTest, SendWritesEveryByteOfALargeBlock) {
    Listener listener;
    const std::string block(8 << 20, 'y');
    std::size_t received = 0;
    std::thread peer([&] {
        const int connection = listener.Accept();
        char buffer[4096];
        for (ssize_t read; (read = ::read(connection, buffer, sizeof buffer)) > 0;)
            received += static_cast<std::size_t>(read);
        close(connection);
    });
    CSocket socket;
    ASSERT_TRUE(socket.Create());
    ASSERT_TRUE(socket.Connect("127.0.0.1", listener.Port()));
    EXPECT_EQ(static_cast<int>(block.size()), socket.Send(block.data(), static_cast<int>(block.size())));
    socket.Close();
    peer.join();
    EXPECT_EQ(block.size(), received);
}

TEST_F(SocketTest, AConnectThatIsNeverAnsweredEndsWithItsTimeOut) {
    // A listener whose queue is full and that never accepts drops further connection requests.
    Listener listener(false, 0);
    std::vector<std::unique_ptr<CSocket>> fillers;
    bool timedOut = false;
    for (int i = 0; i < 8 && !timedOut; ++i) {
        auto socket = std::make_unique<CSocket>();
        ASSERT_TRUE(socket->Create());
        socket->SetConnectTimeout(200);
        if (!socket->Connect("127.0.0.1", listener.Port()))
            timedOut = socket->TimedOut();
        fillers.push_back(std::move(socket));
    }
    EXPECT_TRUE(timedOut);
}

TEST_F(SocketTest, TheLocalHostHasAName) {
    EXPECT_FALSE(GetLocalHostName().IsEmpty());
}

} // namespace
