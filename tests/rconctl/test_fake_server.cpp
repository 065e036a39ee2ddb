// The fake game server itself, seen from a plain UDP client: what later tests rely on.

#include <QtTest>

#include <QNetworkDatagram>
#include <QUdpSocket>

#include "tests/fixtures/FakeGameServer.h"

using namespace std::chrono_literals;
using quorvane::testing::FakeGameServer;
using quorvane::testing::Origin;

namespace {

QByteArray Request(const char* password, const char* command) {
    return QByteArray(
               "\xFF\xFF\xFF\xFF"
               "rcon ") +
           password + ' ' + command + "\r\n";
}

// Collects what a client socket receives for `wait`.
QList<QNetworkDatagram> Collect(QUdpSocket& client, std::chrono::milliseconds wait) {
    QList<QNetworkDatagram> got;
    auto drain = [&] {
        while (client.hasPendingDatagrams()) {
            got << client.receiveDatagram();
        }
    };
    const auto connection = QObject::connect(&client, &QUdpSocket::readyRead, drain);
    QTest::qWait(static_cast<int>(wait.count()));
    drain();  // also what had arrived before the wait
    QObject::disconnect(connection);
    return got;
}

}  // namespace

class TestFakeServer : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void listensOnLoopbackWithAnEphemeralPort();
    void recordsAndAnswersPerCommand();
    void splitDelayedAndForeignDatagrams();
    void passwordCheck();
};

void TestFakeServer::listensOnLoopbackWithAnEphemeralPort() {
    FakeGameServer a;
    FakeGameServer b;
    QCOMPARE(a.host(), std::string("127.0.0.1"));
    QVERIFY(a.port() > 0);
    QVERIFY(a.port() != b.port());
}

void TestFakeServer::recordsAndAnswersPerCommand() {
    FakeGameServer server;
    server.OnCommand("sv_hostname", FakeGameServer::Reply("\"sv_hostname\" is:\"My Server^7\"\n"));
    server.SetDefaultResponse(FakeGameServer::Reply("default\n"));
    server.OnCommand("quiet", FakeGameServer::Silence());
    QUdpSocket client;
    client.bind(QHostAddress(QHostAddress::LocalHost), 0);
    const QHostAddress to(QHostAddress::LocalHost);
    const auto before = std::chrono::steady_clock::now();
    client.writeDatagram(Request("pw", "sv_hostname"), to, quint16(server.port()));
    client.writeDatagram(Request("", "other"), to, quint16(server.port()));
    client.writeDatagram(Request("pw", "quiet"), to, quint16(server.port()));
    client.writeDatagram("not rcon", to, quint16(server.port()));
    QVERIFY(server.WaitForDatagrams(4, 2s));
    const QList<QNetworkDatagram> got = Collect(client, 100ms);

    const auto& received = server.received();
    QCOMPARE(received.size(), std::size_t{4});
    QVERIFY(received[0].isRcon);
    QCOMPARE(received[0].password, std::string("pw"));
    QCOMPARE(received[0].command, std::string("sv_hostname"));
    QCOMPARE(received[1].password, std::string());
    QCOMPARE(received[1].command, std::string("other"));
    QVERIFY(!received[3].isRcon);
    QCOMPARE(received[3].bytes, std::string("not rcon"));
    QCOMPARE(received[0].senderPort, client.localPort());
    QVERIFY(received[0].arrival >= before);
    for (std::size_t i = 1; i < received.size(); ++i) {
        QVERIFY(received[i].arrival >= received[i - 1].arrival);
    }

    QCOMPARE(got.size(), 2);  // "quiet" and the non-rcon datagram get nothing
    QCOMPARE(got[0].data(), QByteArray("\xFF\xFF\xFF\xFF"
                                       "print\n\"sv_hostname\" is:\"My Server^7\"\n"));
    QCOMPARE(got[1].data(), QByteArray("\xFF\xFF\xFF\xFF"
                                       "print\ndefault\n"));
    server.ClearReceived();
    QVERIFY(server.received().empty());
}

void TestFakeServer::splitDelayedAndForeignDatagrams() {
    FakeGameServer server;
    server.OnCommand("status", FakeGameServer::Split({"one", "two"}, 100ms));
    server.OnCommand("spoof", FakeGameServer::From(Origin::OtherPort, FakeGameServer::Reply("x")));
    server.OnCommand("spoof2",
                     FakeGameServer::From(Origin::OtherAddress, FakeGameServer::Reply("y")));
    QUdpSocket client;
    client.bind(QHostAddress(QHostAddress::LocalHost), 0);
    const QHostAddress to(QHostAddress::LocalHost);
    client.writeDatagram(Request("pw", "status"), to, quint16(server.port()));
    client.writeDatagram(Request("pw", "spoof"), to, quint16(server.port()));
    client.writeDatagram(Request("pw", "spoof2"), to, quint16(server.port()));
    const QList<QNetworkDatagram> got = Collect(client, 300ms);
    QCOMPARE(got.size(), 4);
    QList<QByteArray> bodies;
    for (const QNetworkDatagram& d : got) {
        bodies << d.data().mid(10);
        if (d.data().endsWith("x")) {
            QCOMPARE(d.senderAddress(), QHostAddress(QHostAddress::LocalHost));
            QVERIFY(d.senderPort() != server.port());
        } else if (d.data().endsWith("y")) {
            QCOMPARE(d.senderAddress(), QHostAddress(QStringLiteral("127.0.0.2")));
            QCOMPARE(int(d.senderPort()), server.port());
        } else {
            QCOMPARE(int(d.senderPort()), server.port());
        }
    }
    QVERIFY(bodies.indexOf("one") < bodies.indexOf("two"));  // "two" comes 100 ms later
    QCOMPARE(bodies.last(), QByteArray("two"));
}

void TestFakeServer::passwordCheck() {
    FakeGameServer server;
    server.RequirePassword("right");
    server.SetDefaultResponse(FakeGameServer::Reply("ok"));
    QUdpSocket client;
    client.bind(QHostAddress(QHostAddress::LocalHost), 0);
    client.writeDatagram(Request("wrong", "x"), QHostAddress(QHostAddress::LocalHost),
                         quint16(server.port()));
    client.writeDatagram(Request("right", "x"), QHostAddress(QHostAddress::LocalHost),
                         quint16(server.port()));
    const QList<QNetworkDatagram> got = Collect(client, 150ms);
    QCOMPARE(got.size(), 2);
    QCOMPARE(got[0].data(), QByteArray("\xFF\xFF\xFF\xFF"
                                       "print\nBad rconpassword.\n"));
    QCOMPARE(got[1].data(), QByteArray("\xFF\xFF\xFF\xFF"
                                       "print\nok"));
}

QTEST_GUILESS_MAIN(TestFakeServer)
#include "test_fake_server.moc"
