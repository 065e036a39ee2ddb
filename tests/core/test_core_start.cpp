// Start and stop of the core as the operator sees them in the status log, with the real window in a
// temporary program folder.

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <filesystem>

#include "tests/support/BotHarness.h"

using namespace quorvane;
using quorvane::test::BotHarness;
using quorvane::test::ReadBytes;
using quorvane::test::WriteBytes;
using Messages = std::vector<std::string>;

class TestCoreStart : public QObject {
    Q_OBJECT

    static Messages Opening(const BotHarness& h) {
        return {"Starting Quorvane core...", "Loaded timer module",
                "Loading settings from " + h.Path("settings.txt")};
    }

  private Q_SLOTS:
    void withoutSettingsFileTheLoadErrorHasAnEmptyStage() {
        BotHarness h;
        h.bot.core.StartCore();
        Messages expected = Opening(h);
        expected.push_back("> An error occurred while loading: 53 File not found ()");
        QCOMPARE(h.Messages(), expected);
        QVERIFY(!h.bot.switches.CoreActive);
        QVERIFY(h.bot.switches.FatalError);
        QVERIFY(h.window.cmdApply().isEnabled());
    }

    void emptyLogPathReportsBothConfigErrorsThenCannotContinue() {
        BotHarness h;
        h.PrepareFolder({{"cod_logfile", ""}});
        h.bot.core.StartCore();
        Messages expected = Opening(h);
        expected.insert(
            expected.end(),
            {"Validating settings...", "> Config error - you haven't specified a log file path!",
             "> Config error - cannot find the logfile: ",
             "> Quorvane cannot continue because a previous error occurred"});
        QCOMPARE(h.Messages(), expected);
        QVERIFY(!h.bot.switches.CoreActive);
        QVERIFY(h.bot.switches.FatalError);
        QVERIFY(!h.bot.masterTimer.Enabled());
        QVERIFY(h.window.cmdApply().isEnabled());
    }

    void missingListFilesSwitchOnlyTheirFeatureOff() {
        BotHarness h;
        h.PrepareFolder({{"chat_ads_enabled", "1"}, {"chat_swearbot_enabled", "1"}});
        for (const char* name : {"customcmd.txt", "adverts.txt", "badwords.txt"}) {
            std::filesystem::remove(h.Path(name));
        }
        h.bot.core.StartCore();
        const Messages messages = h.Messages();
        const Messages warnings(messages.begin() + 4, messages.begin() + 7);
        QCOMPARE(warnings,
                 (Messages{"> Warning - cannot find the custom commands file: " +
                               h.Path("customcmd.txt") +
                               ", custom commands have been disabled automatically",
                           "> Warning - cannot find the broadcasts file: " + h.Path("adverts.txt") +
                               ", broadcasts have been disabled automatically",
                           "> Warning - cannot find the bad words file: " + h.Path("badwords.txt") +
                               ", badwords have been disabled automatically"}));
        QVERIFY(!h.bot.loaded.chat_customcommands_enabled);
        QVERIFY(!h.bot.loaded.chat_ads_enabled);
        QVERIFY(!h.bot.loaded.chat_swearbot_enabled);
        QVERIFY(!h.bot.switches.FatalError);
        // Only the loaded values change: the file keeps what the admin configured.
        QVERIFY(ReadBytes(h.Path("settings.txt")).find("\"chat_ads_enabled\",\"1\"") !=
                std::string::npos);
    }

    void shortLogIntervalIsRaisedInTheFileAndTheTimer() {
        BotHarness h;
        h.PrepareFolder({{"log_interval", "1000"}});
        h.bot.core.StartCore();
        const Messages messages = h.Messages();
        QCOMPARE(
            std::count(messages.begin(), messages.end(),
                       "> Warning - Logfile interval period was set to less than 2 seconds, it was "
                       "changed automatically to 2 seconds."),
            1);
        QVERIFY(ReadBytes(h.Path("settings.txt")).find("\"log_interval\",\"2000\"\r\n") !=
                std::string::npos);
        QCOMPARE(h.bot.masterTimer.Interval(), 2000);
    }

    void negativeKickLengthIsResetToTwo() {
        BotHarness h;
        h.PrepareFolder({{"game_pb_kicklength", "-5"}});
        h.bot.core.StartCore();
        const Messages messages = h.Messages();
        QCOMPARE(std::count(messages.begin(), messages.end(),
                            "> Warning - The PB kick length was negative, resetting to 2"),
                 1);
        QVERIFY(ReadBytes(h.Path("settings.txt")).find("\"game_pb_kicklength\",\"2\"\r\n") !=
                std::string::npos);
        QCOMPARE(h.bot.loaded.game_pb_kicklength, std::int16_t(2));
    }

    void conversionErrorNamesTheLoadStage() {
        BotHarness h;
        h.PrepareFolder({{"chat_usetell", "Yes"}});
        h.bot.core.StartCore();
        QCOMPARE(h.Messages().back(),
                 std::string("> An error occurred while loading: 13 Type mismatch (0-1)"));
        QVERIFY(!h.bot.switches.CoreActive);
    }

    void startWhileRunningAndStopWhileStopped() {
        BotHarness h;
        h.bot.core.StopCore();
        QCOMPARE(h.Messages(), Messages{"> Quorvane is already stopped"});

        h.PrepareFolder();
        h.bot.core.StartCore();
        QVERIFY(h.bot.switches.CoreActive);
        auto mark = h.Mark();
        h.bot.core.StartCore();
        QCOMPARE(h.MessagesSince(mark), Messages{"> Quorvane is already active"});
        QVERIFY(h.window.cmdApply().isEnabled());

        mark = h.Mark();
        h.bot.core.StopCore();
        QCOMPARE(h.MessagesSince(mark), Messages{"Quorvane core shutting down..."});
        QVERIFY(!h.bot.switches.CoreActive);
        QCOMPARE(h.bot.masterTimer.Interval(), 0);
        QVERIFY(h.bot.loaded.cod_logfile.empty());
        QVERIFY(h.window.cmdApply().isEnabled());
    }

    void applyRestartsTheCoreOnlyWhenConfirmed_data() {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("answered with Cancel: nothing written, nothing restarted") << false;
        QTest::newRow("answered with OK: stop, settings written, start") << true;
    }
    void applyRestartsTheCoreOnlyWhenConfirmed() {
        QFETCH(bool, confirm);
        BotHarness h;
        h.PrepareFolder();
        h.bot.core.StartCore();
        QVERIFY(h.bot.switches.CoreActive);
        std::filesystem::remove(h.Path("settings.txt"));
        const auto mark = h.Mark();
        QTimer::singleShot(0, [confirm] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            QCOMPARE(box->windowTitle(), QString("Restart"));
            box->button(confirm ? QMessageBox::Ok : QMessageBox::Cancel)->click();
        });
        h.window.cmdApply().click();
        if (!confirm) {
            QVERIFY(h.MessagesSince(mark).empty());
            QVERIFY(!std::filesystem::exists(h.Path("settings.txt")));
            return;
        }
        const Messages messages = h.MessagesSince(mark);
        QCOMPARE(messages.front(), std::string("Quorvane core shutting down..."));
        QCOMPARE(messages.back(), std::string("Quorvane core v0.4.0 loaded on Test Server"));
        QVERIFY(std::filesystem::exists(h.Path("settings.txt")));
        QVERIFY(h.bot.switches.CoreActive);
    }

    void programInRootFolderGetsNoSecondSeparator() {
        FrmFrontend window;
        Bot bot("/", window);
        QCOMPARE(bot.core.SettingsPath(), std::string("/settings.txt"));
    }
};

QTEST_MAIN(TestCoreStart)
#include "test_core_start.moc"
