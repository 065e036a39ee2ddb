// The control Varnholt as a host sees it: created by programmatic identifier through the control
// model, called by dispatch identifier, talking to the fake game server on 127.0.0.1.

#include <QtTest>

#include <QUdpSocket>

#include <chrono>

#include "platform/Twips.h"
#include "tests/rconctl/ControlHost.h"

using namespace std::chrono_literals;
using platform::Variant;
using quorvane::testing::ControlHost;
using quorvane::testing::FakeGameServer;
using quorvane::testing::Origin;
using quorvane::testing::OutgoingDatagram;
using quorvane::testing::Response;
namespace ids = varnholt::ids;

namespace {

using Clock = std::chrono::steady_clock;

const std::string H = FakeGameServer::kHeader;

const std::string kHead =
    "map: mp_harbor\n"
    "num score ping name            lastmsg address               qport rate\n"
    "--- ----- ---- --------------- ------- --------------------- ----- -----\n";
const std::string kAnn =
    "  0     5   48 Ann^7                50 10.0.0.1:28960        1111 25000\n";
const std::string kBigBob = "  3 12 48 Big Bob    105 10.0.0.7:28960 4711 5000\n";

QByteArray Bytes(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

QStringList Fields(const Variant& record) {
    QStringList fields;
    for (const Variant& field : record.Fields()) {
        fields << QString::fromStdString(platform::Describe(field));
    }
    return fields;
}

}  // namespace

class TestControl : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void createdWithTheInitialSettings();
    void keepsItsSizeWhenResized();

    // sendRcon
    void requestDatagram_data();
    void requestDatagram();
    void replyText_data();
    void replyText();
    void badPassword_data();
    void badPassword();
    void aRealServersBadPasswordAnswer();
    void timeOutSelection_data();
    void timeOutSelection();
    void silentServerTimesOutOnTime();
    void silentServerWithTheDefaultTimeOut();
    void theFiveSecondCapEndsTheWaitWhenTheTimerDoesNot();
    void closedPortIsAnError();
    void unusableAddressIsAnError_data();
    void unusableAddressIsAnError();
    void rconBreakEndsTheWait();
    void aCallStartedDuringAWaitTakesItOver();
    void theFirstDatagramEndsTheWait();
    void aLateDatagramIsDroppedByTheNextExchange();
    void spoofedDatagramsAreIgnored_data();
    void spoofedDatagramsAreIgnored();
    void hostEventsRunDuringTheWait();

    // getStatus
    void statusRequestAndReturn();
    void statusPlayers_data();
    void statusPlayers();
    void statusSplitMidLine();
    void statusBadPassword_data();
    void statusBadPassword();
    void statusTimeOutRaisesOneEvent();
    void statusTimeOutSelection_data();
    void statusTimeOutSelection();
    void statusClosedPort();
    void statusLineLimit();
    void statusSpoofedAnswerIgnored();
    void statusIncompleteAnswerEndsSilently();
};

void TestControl::createdWithTheInitialSettings() {
    ControlHost host;
    QVERIFY(host.control->widget() != nullptr);
    QCOMPARE(host.control->widget()->parentWidget(), &host.window);
    QCOMPARE(host.control->TypeInfo().progId, std::string("Varnholt32.Varnholt"));
    QCOMPARE(host.control->TypeInfo().description,
             std::string("Quake 3 Rcon Socket Control And Parser"));
    QVERIFY(host.Child<QUdpSocket>("rSock") != nullptr);
    QVERIFY(host.Child<QUdpSocket>("mSock") != nullptr);
    struct {
        const char* name;
        int interval;
    } timers[] = {{"Rcon_Timer", 1000}, {"StatusSock_Timer", 1500}, {"CleanUP_Timer", 10000}};
    for (const auto& timer : timers) {
        QTimer* t = host.Timer(timer.name);
        QVERIFY2(t != nullptr, timer.name);
        QVERIFY2(!t->isActive(), timer.name);
        QCOMPARE(t->interval(), timer.interval);
    }
}

void TestControl::keepsItsSizeWhenResized() {
    ControlHost host;
    QWidget* control = host.control->widget();
    const QSize side(platform::TwipsToPixels(520), platform::TwipsToPixels(520));
    QCOMPARE(control->size(), side);
    control->resize(400, 300);
    QCOMPARE(control->size(), side);
    host.window.resize(800, 600);
    host.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host.window));
    control->setGeometry(10, 10, 1, 1);
    QCoreApplication::processEvents();
    QCOMPARE(control->size(), side);
}

// ---- sendRcon ----

void TestControl::requestDatagram_data() {
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("with a password") << QByteArray("secret") << QByteArray("sv_hostname")
                                     << QByteArray(
                                            "\xFF\xFF\xFF\xFF"
                                            "rcon secret sv_hostname\r\n");
    QTest::newRow("without a password: two spaces in a row")
        << QByteArray("") << QByteArray("say hello")
        << QByteArray(
               "\xFF\xFF\xFF\xFF"
               "rcon  say hello\r\n");
    QTest::newRow("quotes and 8-bit characters go out unchanged")
        << QByteArray("p\"w") << QByteArray("say \"caf\xE9\"")
        << QByteArray(
               "\xFF\xFF\xFF\xFF"
               "rcon p\"w say \"caf\xE9\"\r\n");
}

void TestControl::requestDatagram() {
    QFETCH(QByteArray, password);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, bytes);
    FakeGameServer server;
    server.SetDefaultResponse(FakeGameServer::Reply("ok\n"));
    ControlHost host;
    QCOMPARE(host.SendRcon(server, password.toStdString(), command.toStdString()),
             std::string("ok\n"));
    QCOMPARE(server.received().size(), std::size_t{1});
    QCOMPARE(Bytes(server.received()[0].bytes), bytes);
}

void TestControl::replyText_data() {
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QByteArray>("result");
    QTest::newRow("a line of text: exactly the body")
        << Bytes(H + "\"sv_hostname\" is:\"My Server^7\" default:\"CoD Host\"\n")
        << QByteArray("\"sv_hostname\" is:\"My Server^7\" default:\"CoD Host\"\n");
    QTest::newRow("line feeds and spaces are kept, nothing trimmed")
        << Bytes(H + "  two\n\n lines with spaces  \n\n")
        << QByteArray("  two\n\n lines with spaces  \n\n");
    QTest::newRow("the bare header is the empty text") << Bytes(H) << QByteArray("");
    QTest::newRow("two replies packed together lose both headers")
        << Bytes(H + "first\n" + H + "second\n") << QByteArray("first\nsecond\n");
    QTest::newRow("a header in the middle is removed too")
        << Bytes("a" + H + "b") << QByteArray("ab");
    QTest::newRow("8-bit bytes and carriage returns survive")
        << Bytes(H + "caf\xE9 \xFF\r\n") << QByteArray("caf\xE9 \xFF\r\n");
    QTest::newRow("an empty datagram is the empty text") << QByteArray("") << QByteArray("");
    QTest::newRow("a datagram without a header is taken as it is")
        << QByteArray("raw") << QByteArray("raw");
}

void TestControl::replyText() {
    QFETCH(QByteArray, datagram);
    QFETCH(QByteArray, result);
    FakeGameServer server;
    server.OnCommand("cmd", {OutgoingDatagram{datagram.toStdString()}});
    ControlHost host;
    QCOMPARE(Bytes(host.SendRcon(server, "pw", "cmd")), result);
    QVERIFY(host.events.empty());
}

void TestControl::badPassword_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("Call of Duty's answer") << QByteArray("Bad rconpassword.\n");
    QTest::newRow("in capitals, within other text") << QByteArray("x\nBAD RCONPASSWORD\n");
    QTest::newRow("Call of Duty 2's answer") << QByteArray("Invalid password.\n");
}

void TestControl::badPassword() {
    QFETCH(QByteArray, reply);
    FakeGameServer server;
    server.SetDefaultResponse(FakeGameServer::Reply(reply.toStdString()));
    ControlHost host;
    QCOMPARE(host.SendRcon(server, "wrong", "status"), std::string("RCON_BADPASS"));
    QVERIFY(host.events.empty());
}

void TestControl::aRealServersBadPasswordAnswer() {
    FakeGameServer server;
    server.RequirePassword("right");
    server.SetDefaultResponse(FakeGameServer::Reply("map_rotate...\n"));
    ControlHost host;
    QCOMPARE(host.SendRcon(server, "wrong", "map_rotate"), std::string("RCON_BADPASS"));
    QCOMPARE(host.SendRcon(server, "right", "map_rotate"), std::string("map_rotate...\n"));
}

void TestControl::timeOutSelection_data() {
    QTest::addColumn<std::optional<int>>("requested");
    QTest::addColumn<int>("interval");
    QTest::newRow("omitted") << std::optional<int>() << 1500;
    QTest::newRow("0") << std::optional<int>(0) << 1500;
    QTest::newRow("negative") << std::optional<int>(-100) << 1500;
    QTest::newRow("99") << std::optional<int>(99) << 1500;
    QTest::newRow("100 is used") << std::optional<int>(100) << 100;
    QTest::newRow("5000 is used") << std::optional<int>(5000) << 5000;
    QTest::newRow("5001") << std::optional<int>(5001) << 1500;
}

void TestControl::timeOutSelection() {
    QFETCH(std::optional<int>, requested);
    QFETCH(int, interval);
    FakeGameServer server;
    server.SetDefaultResponse(FakeGameServer::Reply("ok\n"));
    ControlHost host;
    QCOMPARE(host.SendRcon(server, "pw", "cmd", requested), std::string("ok\n"));
    QCOMPARE(host.Timer("Rcon_Timer")->interval(), interval);
    QVERIFY(!host.Timer("Rcon_Timer")->isActive());  // the reply disabled it
    QVERIFY(host.Timer("CleanUP_Timer")->isActive());
}

void TestControl::silentServerTimesOutOnTime() {
    FakeGameServer server;  // unscripted: silent
    ControlHost host;
    const auto start = Clock::now();
    QCOMPARE(host.SendRcon(server, "pw", "cmd", 100), std::string("RCON_TIMEOUT"));
    const long long elapsed = MillisecondsSince(start);
    QVERIFY2(elapsed >= 100 && elapsed < 1000, qPrintable(QString::number(elapsed)));
    QVERIFY(!host.Timer("Rcon_Timer")->isActive());
    QVERIFY(host.events.empty());  // sendRcon never raises Error
    QCOMPARE(server.received().size(), std::size_t{1});
}

void TestControl::silentServerWithTheDefaultTimeOut() {
    FakeGameServer server;
    ControlHost host;
    const auto start = Clock::now();
    QCOMPARE(host.SendRcon(server, "pw", "cmd"), std::string("RCON_TIMEOUT"));
    const long long elapsed = MillisecondsSince(start);
    QVERIFY2(elapsed >= 1500 && elapsed < 4000, qPrintable(QString::number(elapsed)));
}

void TestControl::theFiveSecondCapEndsTheWaitWhenTheTimerDoesNot() {
    // A host that stops the control's Rcon_Timer stands for timer events that never come: only
    // the 5000 ms limit can end the wait.
    FakeGameServer server;
    ControlHost host;
    QTimer::singleShot(20, host.control->widget(), [&] { host.Timer("Rcon_Timer")->stop(); });
    const auto start = Clock::now();
    QCOMPARE(host.SendRcon(server, "pw", "cmd", 100), std::string("RCON_TIMEOUT"));
    const long long elapsed = MillisecondsSince(start);
    QVERIFY2(elapsed >= 5000 && elapsed < 7000, qPrintable(QString::number(elapsed)));
}

void TestControl::closedPortIsAnError() {
    ControlHost host;
    QCOMPARE(host.SendRcon("127.0.0.1", FakeGameServer::ClosedPort(), "pw", "cmd", 2000),
             std::string("RCON_ERROR"));
    QVERIFY(host.events.empty());  // no Error event from sendRcon
}

void TestControl::unusableAddressIsAnError_data() {
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<int>("port");
    QTest::newRow("an empty host") << QByteArray("") << 28960;
    QTest::newRow("port 0") << QByteArray("127.0.0.1") << 0;
    QTest::newRow("a port beyond 65535") << QByteArray("127.0.0.1") << 70000;
    QTest::newRow("a negative port") << QByteArray("127.0.0.1") << -1;
}

void TestControl::unusableAddressIsAnError() {
    QFETCH(QByteArray, address);
    QFETCH(int, port);
    ControlHost host;
    QCOMPARE(host.SendRcon(address.toStdString(), port, "pw", "cmd", 100),
             std::string("RCON_ERROR"));
    QVERIFY(host.events.empty());
    QVERIFY(!host.Timer("CleanUP_Timer")->isActive());  // not enabled after a failure
    QVERIFY(!host.Timer("Rcon_Timer")->isActive());
}

void TestControl::rconBreakEndsTheWait() {
    FakeGameServer server;
    ControlHost host;
    Variant breakResult = "not called";
    QTimer::singleShot(50, host.control->widget(),
                       [&] { breakResult = host.control->Invoke(ids::kRconBreak, {}); });
    const auto start = Clock::now();
    QCOMPARE(host.SendRcon(server, "pw", "cmd", 5000), std::string());
    QVERIFY(MillisecondsSince(start) < 2000);
    QVERIFY(breakResult.IsEmpty());
    QVERIFY(host.Timer("Rcon_Timer")->isActive());  // a fast reply leaves it running
}

void TestControl::aCallStartedDuringAWaitTakesItOver() {
    FakeGameServer server;
    server.OnCommand("slow", FakeGameServer::Reply("slow reply\n", 1000ms));
    server.OnCommand("fast", FakeGameServer::Reply("fast reply\n", 50ms));
    ControlHost host;
    std::string inner = "not called";
    QTimer::singleShot(50, host.control->widget(),
                       [&] { inner = host.SendRcon(server, "pw", "fast", 5000); });
    const std::string outer = host.SendRcon(server, "pw", "slow", 5000);
    QCOMPARE(inner, std::string("fast reply\n"));
    QCOMPARE(outer, std::string("fast reply\n"));
    QCOMPARE(server.received().size(), std::size_t{2});
}

void TestControl::theFirstDatagramEndsTheWait() {
    FakeGameServer server;
    server.OnCommand("long", FakeGameServer::Split({"part one\n", "part two\n"}, 500ms));
    ControlHost host;
    const auto start = Clock::now();
    QCOMPARE(host.SendRcon(server, "pw", "long", 5000), std::string("part one\n"));
    QVERIFY(MillisecondsSince(start) < 500);
}

void TestControl::aLateDatagramIsDroppedByTheNextExchange() {
    FakeGameServer server;
    server.OnCommand("long", FakeGameServer::Split({"one\n", "two\n"}, 100ms));
    server.OnCommand("next", FakeGameServer::Reply("next\n", 100ms));
    ControlHost host;
    QCOMPARE(host.SendRcon(server, "pw", "long"), std::string("one\n"));
    QTest::qWait(250);  // "two" arrives while the control is idle
    QCOMPARE(host.SendRcon(server, "pw", "next"), std::string("next\n"));
}

void TestControl::spoofedDatagramsAreIgnored_data() {
    QTest::addColumn<int>("origin");
    QTest::newRow("from another port of the server's address") << int(Origin::OtherPort);
    QTest::newRow("from another address, the server's port") << int(Origin::OtherAddress);
}

void TestControl::spoofedDatagramsAreIgnored() {
    QFETCH(int, origin);
    FakeGameServer server;
    Response spoofs = FakeGameServer::From(
        Origin(origin),
        {OutgoingDatagram{H + "Bad rconpassword.\n"}, OutgoingDatagram{H + "fake\n"}});
    Response withGenuine = spoofs;
    withGenuine.push_back(OutgoingDatagram{H + "genuine\n", 150ms});
    server.OnCommand("answered", withGenuine);
    server.OnCommand("spoofed only", spoofs);
    ControlHost host;
    QCOMPARE(host.SendRcon(server, "pw", "answered", 2000), std::string("genuine\n"));
    // Spoofed datagrams neither end the wait nor stop the time-out.
    const auto start = Clock::now();
    QCOMPARE(host.SendRcon(server, "pw", "spoofed only", 200), std::string("RCON_TIMEOUT"));
    QVERIFY(MillisecondsSince(start) >= 200);
}

void TestControl::hostEventsRunDuringTheWait() {
    FakeGameServer server;
    server.SetDefaultResponse(FakeGameServer::Reply("done\n", 300ms));
    ControlHost host;
    int ticks = 0;
    QTimer hostTimer;
    QObject::connect(&hostTimer, &QTimer::timeout, [&] { ++ticks; });
    hostTimer.start(20);
    QCOMPARE(host.SendRcon(server, "pw", "cmd", 2000), std::string("done\n"));
    QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
}

// ---- getStatus ----

void TestControl::statusRequestAndReturn() {
    FakeGameServer server;
    ControlHost host;
    const auto start = Clock::now();
    QVERIFY(host.GetStatus(server, "pw").IsEmpty());
    QVERIFY(MillisecondsSince(start) < 1000);  // returns at once
    QVERIFY(server.WaitForDatagrams(1, 2s));
    QCOMPARE(Bytes(server.received()[0].bytes), QByteArray("\xFF\xFF\xFF\xFF"
                                                           "rcon pw status\r\n"));
    QVERIFY(host.Timer("StatusSock_Timer")->isActive());
    QVERIFY(host.Timer("CleanUP_Timer")->isActive());
}

void TestControl::statusPlayers_data() {
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QList<QStringList>>("players");  // each record as Describe() shows it
    const QStringList ann{"Text(\"0\")",  "Text(\"5\")",     "Text(\"10.0.0.1:28960\")",
                          "Text(\"48\")", "Text(\"25000\")", "Text(\"1111\")",
                          "Text(\"50\")", "Text(\"Ann^7\")"};
    const QStringList bigBob{"Text(\"3\")",   "Text(\"12\")",     "Text(\"10.0.0.7:28960\")",
                             "Text(\"48\")",  "Text(\"5000\")",   "Text(\"4711\")",
                             "Text(\"105\")", "Text(\"Big Bob\")"};
    const QStringList empty{"Int(0)",     "Text(\"0\")", "Text(\"?\")", "Text(\"9999\")",
                            "Text(\"\")", "Int(0)",      "Int(0)",      "Text(\"?\")"};
    QTest::newRow("no player: no event") << Bytes(kHead + "\n") << QList<QStringList>{};
    QTest::newRow("one player") << Bytes(kHead + kAnn + "\n") << QList<QStringList>{ann};
    QTest::newRow("two players, in line order")
        << Bytes(kHead + kAnn + kBigBob + "\n") << QList<QStringList>{ann, bigBob};
    QTest::newRow("spaces after the two line feeds give empty player lines")
        << Bytes(kHead + "\n  ") << QList<QStringList>{empty, empty};
}

void TestControl::statusPlayers() {
    QFETCH(QByteArray, answer);
    QFETCH(QList<QStringList>, players);
    FakeGameServer server;
    server.OnCommand("status", FakeGameServer::Reply(answer.toStdString()));
    ControlHost host;
    host.GetStatus(server, "pw");
    QTRY_COMPARE(int(host.EventsOf(ids::kEventPlayerItem).size()), int(players.size()));
    QTest::qWait(200);  // then nothing further
    const auto items = host.EventsOf(ids::kEventPlayerItem);
    QCOMPARE(host.events.size(), items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        QCOMPARE(items[i].args.size(), std::size_t{1});
        QCOMPARE(Fields(items[i].args[0]), players[int(i)]);
    }
    QVERIFY(host.ErrorWords().empty());
}

void TestControl::statusSplitMidLine() {
    FakeGameServer server;
    const std::string answer = kHead + kAnn + kBigBob + "\n";
    const std::size_t cut = kHead.size() + 20;  // inside Ann's line
    server.OnCommand("status",
                     FakeGameServer::Split({answer.substr(0, cut), answer.substr(cut)}, 500ms));
    ControlHost host;
    host.GetStatus(server, "pw");
    QTest::qWait(150);
    QVERIFY(host.events.empty());                          // the first datagram alone does nothing
    QVERIFY(!host.Timer("StatusSock_Timer")->isActive());  // but it stopped the time-out
    QTRY_COMPARE(host.EventsOf(ids::kEventPlayerItem).size(), std::size_t{2});
    const auto items = host.EventsOf(ids::kEventPlayerItem);
    QCOMPARE(items.size(), std::size_t{2});
    QCOMPARE(items[0].args[0].Fields()[7], Variant("Ann^7"));
    QCOMPARE(items[1].args[0].Fields()[7], Variant("Big Bob"));
}

void TestControl::statusBadPassword_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("Call of Duty") << QByteArray("Bad rconpassword.\n");
    QTest::newRow("Call of Duty 2") << QByteArray("Invalid password.\n");
}

void TestControl::statusBadPassword() {
    QFETCH(QByteArray, reply);
    FakeGameServer server;
    server.OnCommand("status", FakeGameServer::Reply(reply.toStdString()));
    ControlHost host;
    host.GetStatus(server, "wrong", 200);
    QVERIFY(host.WaitForEvent(ids::kEventError, 3s));
    QTest::qWait(400);  // past the time-out: nothing else follows
    QCOMPARE(host.ErrorWords(), std::vector<std::string>{"RCON_BADPASS"});
    QCOMPARE(host.events.size(), std::size_t{1});
}

void TestControl::statusTimeOutRaisesOneEvent() {
    FakeGameServer server;
    ControlHost host;
    const auto start = Clock::now();
    host.GetStatus(server, "pw", 100);
    QVERIFY(host.WaitForEvent(ids::kEventError, 3s));
    QVERIFY(MillisecondsSince(start) >= 100);
    QTest::qWait(300);
    QCOMPARE(host.ErrorWords(), std::vector<std::string>{"RCON_TIMEOUT"});
    QCOMPARE(host.events.size(), std::size_t{1});
    QVERIFY(!host.Timer("StatusSock_Timer")->isActive());
}

void TestControl::statusTimeOutSelection_data() {
    QTest::addColumn<std::optional<int>>("requested");
    QTest::addColumn<int>("interval");
    QTest::newRow("omitted") << std::optional<int>() << 1500;
    QTest::newRow("99") << std::optional<int>(99) << 1500;
    QTest::newRow("100") << std::optional<int>(100) << 100;
    QTest::newRow("5000") << std::optional<int>(5000) << 5000;
    QTest::newRow("6000") << std::optional<int>(6000) << 1500;
}

void TestControl::statusTimeOutSelection() {
    QFETCH(std::optional<int>, requested);
    QFETCH(int, interval);
    FakeGameServer server;
    ControlHost host;
    host.GetStatus(server, "pw", requested);
    QCOMPARE(host.Timer("StatusSock_Timer")->interval(), interval);
    QVERIFY(host.Timer("StatusSock_Timer")->isActive());
}

void TestControl::statusClosedPort() {
    ControlHost host;
    host.GetStatus("127.0.0.1", FakeGameServer::ClosedPort(), "pw", 100);
    QVERIFY(host.WaitForEvent(ids::kEventError, 3s));
    QTest::qWait(300);
    // The socket error first, then the time-out, which a socket error does not stop.
    QCOMPARE(host.ErrorWords(), (std::vector<std::string>{"RCON_ERROR", "RCON_TIMEOUT"}));
}

void TestControl::statusLineLimit() {
    std::string answer = kHead;
    for (int i = 0; i < 300; ++i) {
        answer += "  " + std::to_string(i) + " 0 50 Player " + std::to_string(i) +
                  "  0 10.0.0.1:28960 1 25000\n";
    }
    answer += "\n";
    FakeGameServer server;
    server.OnCommand("status", FakeGameServer::Reply(answer));
    ControlHost host;
    host.GetStatus(server, "pw");
    QTRY_COMPARE(host.EventsOf(ids::kEventPlayerItem).size(), std::size_t{247});  // lines 4 to 250
    const auto items = host.EventsOf(ids::kEventPlayerItem);
    QCOMPARE(items.front().args[0].Fields()[0], Variant("0"));
    QCOMPARE(items.back().args[0].Fields()[0], Variant("246"));
    QCOMPARE(items.back().args[0].Fields()[7], Variant("Player 246"));
}

void TestControl::statusSpoofedAnswerIgnored() {
    FakeGameServer server;
    server.OnCommand("status", FakeGameServer::From(Origin::OtherPort,
                                                    FakeGameServer::Reply(kHead + kAnn + "\n")));
    ControlHost host;
    host.GetStatus(server, "pw", 100);
    QVERIFY(host.WaitForEvent(ids::kEventError, 3s));
    QCOMPARE(host.ErrorWords(), std::vector<std::string>{"RCON_TIMEOUT"});
    QVERIFY(host.EventsOf(ids::kEventPlayerItem).empty());
}

void TestControl::statusIncompleteAnswerEndsSilently() {
    FakeGameServer server;
    server.OnCommand("status", FakeGameServer::Reply(kHead + kAnn));  // no closing line feed
    ControlHost host;
    host.GetStatus(server, "pw", 100);
    QTest::qWait(400);
    QVERIFY(host.events.empty());
}

QTEST_MAIN(TestControl)
#include "test_control.moc"
