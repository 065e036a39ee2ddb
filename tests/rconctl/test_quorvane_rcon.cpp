// quorvane-rcon as an admin or a script runs it: a real process, talking to the fake game server
// that runs in this test's event loop.

#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>
#include <QUdpSocket>

#include "tests/fixtures/FakeGameServer.h"

using namespace std::chrono_literals;
using quorvane::testing::FakeGameServer;

namespace {

struct Outcome {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

QString Tool() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quorvane-rcon"));
}

// Runs the tool and keeps this thread's event loop running meanwhile, so the fake server answers.
Outcome Run(const QStringList& args,
            const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    QProcessEnvironment environment = env;
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    process.start(Tool(), args);
    loop.exec();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

QStringList Server(const FakeGameServer& server, const char* password = "pw") {
    return {QString::fromStdString(server.host()), QString::number(server.port()),
            QString::fromLatin1(password)};
}

const std::string kHead = "map: mp_harbor\nnum score ping name lastmsg address qport rate\n---\n";

}  // namespace

class TestQuorvaneRcon : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void help();
    void usageErrors_data();
    void usageErrors();
    void printsTheReplyUnchanged();
    void joinsTheCommandWords();
    void passesTheTimeOutOnlyWhenGiven();
    void exitStatuses_data();
    void exitStatuses();
    void statusPrintsOneLinePerPlayer();
    void statusWithoutPlayers();
    void statusFailures_data();
    void statusFailures();
    void registerAndUnregister();
    void registerAMissingLibrary();
};

void TestQuorvaneRcon::help() {
    const Outcome result = Run({QStringLiteral("--help")});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.out.contains("quorvane-rcon [--timeout MS] HOST PORT PASSWORD COMMAND..."));
    QVERIFY(result.out.contains("--status"));
    QVERIFY(result.out.contains("--register"));
}

void TestQuorvaneRcon::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("no arguments") << QStringList{};
    QTest::newRow("no command") << QStringList{"127.0.0.1", "28960", "pw"};
    QTest::newRow("a port that is no number") << QStringList{"127.0.0.1", "port", "pw", "status"};
    QTest::newRow("a time-out that is no number")
        << QStringList{"--timeout", "soon", "127.0.0.1", "28960", "pw", "status"};
    QTest::newRow("status with a command")
        << QStringList{"--status", "127.0.0.1", "28960", "pw", "x"};
    QTest::newRow("an unknown option") << QStringList{"--loud", "127.0.0.1", "28960", "pw", "x"};
}

void TestQuorvaneRcon::usageErrors() {
    QFETCH(QStringList, args);
    const Outcome result = Run(args);
    QCOMPARE(result.exitCode, 1);
    QVERIFY(result.out.isEmpty());
    QVERIFY(result.err.contains("--help"));
}

void TestQuorvaneRcon::printsTheReplyUnchanged() {
    FakeGameServer server;
    const std::string reply =
        "\"sv_hostname\" is:\"My Server^7\" default:\"CoD Host^7\"\n  \xE9 \n\n";
    server.OnCommand("sv_hostname", FakeGameServer::Reply(reply));
    const Outcome result = Run(Server(server) << QStringLiteral("sv_hostname"));
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray(reply.data(), qsizetype(reply.size())));
    QVERIFY(result.err.isEmpty());
}

void TestQuorvaneRcon::joinsTheCommandWords() {
    FakeGameServer server;
    server.SetDefaultResponse(FakeGameServer::Reply(""));
    const Outcome result = Run(Server(server) << QStringLiteral("say") << QStringLiteral("-style")
                                              << QStringLiteral("hello  there"));
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray());  // the bare header: the empty text
    QCOMPARE(server.received().size(), std::size_t{1});
    QCOMPARE(server.received()[0].password, std::string("pw"));
    QCOMPARE(server.received()[0].command, std::string("say -style hello  there"));

    // "--" lets a password that looks like an option through.
    const Outcome dashed =
        Run({QStringLiteral("--"), QString::fromStdString(server.host()),
             QString::number(server.port()), QStringLiteral("--pw"), QStringLiteral("status")});
    QCOMPARE(dashed.exitCode, 0);
    QCOMPARE(server.received().back().password, std::string("--pw"));
}

void TestQuorvaneRcon::passesTheTimeOutOnlyWhenGiven() {
    FakeGameServer server;  // silent
    QElapsedTimer timer;
    timer.start();
    Outcome result = Run(QStringList{"--timeout", "100"} << Server(server) << QStringLiteral("x"));
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(timer.elapsed() < 1400, qPrintable(QString::number(timer.elapsed())));
    timer.start();
    result = Run(Server(server) << QStringLiteral("x"));  // omitted: the control's 1500 ms
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(timer.elapsed() >= 1500, qPrintable(QString::number(timer.elapsed())));
}

void TestQuorvaneRcon::exitStatuses_data() {
    QTest::addColumn<QByteArray>("reply");  // empty: silence; "closed": a closed port
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::newRow("a reply") << QByteArray("fine\n") << 0 << QByteArray("fine\n");
    QTest::newRow("silence: RCON_TIMEOUT") << QByteArray() << 2 << QByteArray("RCON_TIMEOUT");
    QTest::newRow("a closed port: RCON_ERROR")
        << QByteArray("closed") << 3 << QByteArray("RCON_ERROR");
    QTest::newRow("a bad password: RCON_BADPASS")
        << QByteArray("Bad rconpassword.\n") << 4 << QByteArray("RCON_BADPASS");
}

void TestQuorvaneRcon::exitStatuses() {
    QFETCH(QByteArray, reply);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    FakeGameServer server;
    if (!reply.isEmpty()) {
        server.SetDefaultResponse(FakeGameServer::Reply(reply.toStdString()));
    }
    QStringList args{
        "--timeout",
        "100",
        QString::fromStdString(server.host()),
        QString::number(reply == "closed" ? FakeGameServer::ClosedPort() : server.port()),
        "pw",
        "status"};
    const Outcome result = Run(args);
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.out, out);
}

void TestQuorvaneRcon::statusPrintsOneLinePerPlayer() {
    FakeGameServer server;
    server.OnCommand("status", FakeGameServer::Split(
                                   {kHead + "  0 5 48 Ann^7  50 10.0.0.1:28960 1111 25000\n  3 1",
                                    "2 48 Big Bob    105 10.0.0.7:28960 4711 5000\n\n"},
                                   50ms));
    const Outcome result = Run(QStringList{"--status"} << Server(server));
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QByteArray("0\t5\t10.0.0.1:28960\t48\t25000\t1111\t50\tAnn^7\n"
                                    "3\t12\t10.0.0.7:28960\t48\t5000\t4711\t105\tBig Bob\n"));
    QVERIFY(result.err.isEmpty());
    QCOMPARE(server.received()[0].command, std::string("status"));
}

void TestQuorvaneRcon::statusWithoutPlayers() {
    FakeGameServer server;
    server.OnCommand("status", FakeGameServer::Reply(kHead + "\n"));
    // No event marks the end of a list; the tool ends once the time-out has passed.
    const Outcome result = Run(QStringList{"--status", "--timeout", "100"} << Server(server));
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.out.isEmpty());
    QVERIFY(result.err.isEmpty());
}

void TestQuorvaneRcon::statusFailures_data() {
    QTest::addColumn<QByteArray>("reply");  // empty: silence; "closed": a closed port
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("err");
    QTest::newRow("silence") << QByteArray() << 2 << QByteArray("RCON_TIMEOUT\n");
    QTest::newRow("a bad password")
        << QByteArray("Bad rconpassword.\n") << 4 << QByteArray("RCON_BADPASS\n");
    QTest::newRow("Call of Duty 2's bad password")
        << QByteArray("Invalid password.\n") << 4 << QByteArray("RCON_BADPASS\n");
    QTest::newRow("a closed port") << QByteArray("closed") << 3 << QByteArray("RCON_ERROR\n");
}

void TestQuorvaneRcon::statusFailures() {
    QFETCH(QByteArray, reply);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, err);
    FakeGameServer server;
    if (!reply.isEmpty()) {
        server.OnCommand("status", FakeGameServer::Reply(reply.toStdString()));
    }
    const Outcome result = Run(
        {"--status", "--timeout", "100", QString::fromStdString(server.host()),
         QString::number(reply == "closed" ? FakeGameServer::ClosedPort() : server.port()), "pw"});
    QCOMPARE(result.exitCode, exitCode);
    QCOMPARE(result.err, err);
    QVERIFY(result.out.isEmpty());
}

void TestQuorvaneRcon::registerAndUnregister() {
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    const QString registry = home.filePath(QStringLiteral("config/Quorvane/controls.ini"));

    Outcome result = Run({QStringLiteral("--register")}, env);
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.out.startsWith("Registered "));
    QFile file(registry);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray contents = file.readAll();
    file.close();
    QVERIFY2(contents.contains("Varnholt32.Varnholt"), contents.constData());
    QVERIFY2(contents.contains(
                 QDir(QCoreApplication::applicationDirPath()).absolutePath().toLocal8Bit()),
             contents.constData());

    result = Run({QStringLiteral("--unregister")}, env);
    QCOMPARE(result.exitCode, 0);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.readAll().contains("Varnholt32.Varnholt"));
}

void TestQuorvaneRcon::registerAMissingLibrary() {
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    const Outcome result =
        Run({QStringLiteral("--register"), home.filePath(QStringLiteral("nothing.so"))}, env);
    QCOMPARE(result.exitCode, 5);
    QVERIFY(result.err.contains("nothing.so"));
}

QTEST_MAIN(TestQuorvaneRcon)
#include "test_quorvane_rcon.moc"
