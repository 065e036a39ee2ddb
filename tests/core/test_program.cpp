// The program itself, copied into a temporary folder and started as a process: what an admin sees
// on standard output when the start fails.

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/fixtures/FakeGameServer.h"
#include "tests/support/Files.h"

using quorvane::testing::FakeGameServer;

class TestProgram : public QObject {
    Q_OBJECT

    QTemporaryDir folder_;

    // Starts the copied program and collects its standard output until `last` has been printed.
    void RunUntil(const QByteArray& last, QByteArray& out) {
        QProcess program;
        program.setProgram(folder_.filePath(QStringLiteral("Quorvane")));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // A home of its own, so no control library an admin registered is found.
        env.insert(QStringLiteral("HOME"), folder_.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder_.filePath(QStringLiteral("config")));
        program.setProcessEnvironment(env);
        program.start();
        // The program runs until it is quit; it is stopped once it has said what the test needs.
        QTRY_VERIFY_WITH_TIMEOUT((out += program.readAllStandardOutput()).contains(last), 10000);
        program.kill();
        program.waitForFinished();
    }

  private Q_SLOTS:
    void initTestCase() {
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/Quorvane"),
                            folder_.filePath(QStringLiteral("Quorvane"))));
    }

    void withoutSettingsFileTheStartReportsTheLoadError() {
        QByteArray out;
        RunUntil("> An error occurred while loading: ", out);
        const QByteArray settings = folder_.filePath(QStringLiteral("settings.txt")).toLocal8Bit();
        QVERIFY2(out.contains("] Starting Quorvane core...\n"), out);
        QVERIFY(out.contains("] Loaded timer module\n"));
        QVERIFY(out.contains("] Loading settings from " + settings + "\n"));
        QVERIFY(out.contains("] > An error occurred while loading: 53 File not found ()\n"));
    }

    void withoutTheControlLibraryTheStartFailsWithItsStage() {
        FakeGameServer server;
        const std::string log = folder_.filePath(QStringLiteral("games_mp.log")).toStdString();
        quorvane::test::WriteBytes(log, "");
        quorvane::test::WriteBytes(folder_.filePath(QStringLiteral("settings.txt")).toStdString(),
                                   "\"cod_logfile\",\"" + log + "\"\r\n\"cod_serverip\",\"" +
                                       server.host() + "\"\r\n\"cod_serverport\",\"" +
                                       std::to_string(server.port()) + "\"\r\n");
        // The copied program has no Varnholt32 beside it.
        QByteArray out;
        RunUntil("> An error occurred while loading: ", out);
        QVERIFY2(out.contains("] > An error occurred while loading: 429 "), out);
        QVERIFY(out.contains(" (0-2)\n"));
        QVERIFY(server.received().empty());
    }
};

QTEST_GUILESS_MAIN(TestProgram)
#include "test_program.moc"
