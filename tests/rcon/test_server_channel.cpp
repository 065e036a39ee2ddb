// The bot's side of rcon against a fake game server, through the real control loaded by its
// programmatic identifier: the whole core start, variable queries, map refreshes, chat and kicks.

#include <QPushButton>
#include <QtTest>

#include "tests/support/BotHarness.h"

using namespace quorvane;
using quorvane::test::BotHarness;
using quorvane::test::VariableReply;
using quorvane::testing::FakeGameServer;
using Messages = std::vector<std::string>;

namespace {

const std::string kAnnouncement = "say ^4|^7Quorv^9ane^4|^9 - Quorv^9ane^7 v0.4.0 loaded.";

bool Contains(const Messages& messages, const std::string& message) {
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

}  // namespace

class TestServerChannel : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void normalServerStartsTheCore() {
        BotHarness h;
        h.PrepareFolder();
        h.bot.core.StartCore();
        QCOMPARE(h.Commands(),
                 (Messages{"sv_punkbuster", "g_gametype", "sv_privateclients", "sv_hostname",
                           "sv_maprotation", "mapname", kAnnouncement}));
        const Messages messages = h.Messages();
        QCOMPARE(Messages(messages.end() - 3, messages.end()),
                 (Messages{"Loading server cvars...",
                           "Initialisation complete - starting log file reading...",
                           "Quorvane core v0.4.0 loaded on Test Server"}));
        QVERIFY(h.bot.switches.CoreActive);
        QVERIFY(!h.bot.switches.FatalError);
        QCOMPARE(h.bot.serverInfoCache.PrivateSlots, std::int16_t(2));
        QCOMPARE(h.bot.serverInfoCache.RotationList, (Messages{"sd mp_carentan", "sd mp_harbor"}));
        QCOMPARE(h.bot.serverInfoCache.CurrentMapIndex, std::int16_t(1));
        QCOMPARE(h.server.received().front().password, std::string("secret"));
    }

    void startAgainstServerBehaviours_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("reply");     // body after the header; "<silence>" for none
        QTest::addColumn<QString>("settings");  // extra key=value
        QTest::addColumn<QString>("message");   // reported on the way
        QTest::addColumn<bool>("active");
        QTest::addColumn<bool>("fatal");

        QTest::newRow("a server without PunkBuster and PB kicks on")
            << "sv_punkbuster"
            << "\"sv_punkbuster\" is:\"0^7\" default:\"0^7\"\n"
            << "game_pb=1"
            << "> Warning - PB kicks are enabled, but the server is not running PB. PB kicks "
               "disabled."
            << true << false;
        QTest::newRow("no rcon password set on the server stops the start")
            << "sv_punkbuster"
            << "No rconpassword set on the server.\n"
            << ""
            << "> Error while retrieving cvar: No rconpassword set on the server." << false << true;
        QTest::newRow("the Call of Duty 2 wording of a missing rcon password")
            << "sv_punkbuster"
            << "The server must set 'rcon_password' for clients to use 'rcon'.\n"
            << ""
            << "> Error while retrieving cvar: No rconpassword set on the server." << false << true;
        QTest::newRow("an unknown variable ended by CR LF is the empty value")
            << "sv_punkbuster"
            << "Unknown command \"sv_punkbuster\"\r\n"
            << ""
            << "Quorvane core v0.4.0 loaded on Test Server" << true << false;
        QTest::newRow("an unknown variable ended by LF alone is the empty value too")
            << "sv_punkbuster"
            << "Unknown command \"sv_punkbuster\"\n"
            << ""
            << "Quorvane core v0.4.0 loaded on Test Server" << true << false;
        QTest::newRow("a wrong password fails the start with its stage")
            << "sv_punkbuster"
            << "Bad rconpassword.\n"
            << ""
            << "> An error occurred while loading: 9 Subscript out of range (0-2)" << false << true;
        QTest::newRow("an rcon error reply stops the bot")
            << "g_gametype"
            << "RCON ERROR: something\n"
            << ""
            << "> Rcon error, unable to continue (RCON ERROR: something\n)" << true << true;
        QTest::newRow("a server that does not answer one query: the start goes on")
            << "sv_hostname"
            << "<silence>"
            << ""
            << "> Warning: Rcon timed out." << true << false;
    }
    void startAgainstServerBehaviours() {
        QFETCH(QString, command);
        QFETCH(QString, reply);
        QFETCH(QString, settings);
        QFETCH(QString, message);
        QFETCH(bool, active);
        QFETCH(bool, fatal);
        BotHarness h;
        std::vector<std::pair<std::string, std::string>> extra;
        if (!settings.isEmpty()) {
            extra.emplace_back(settings.section('=', 0, 0).toStdString(),
                               settings.section('=', 1).toStdString());
        }
        h.PrepareFolder(extra);
        h.server.OnCommand(command.toStdString(), reply == "<silence>"
                                                      ? FakeGameServer::Silence()
                                                      : FakeGameServer::Reply(reply.toStdString()));
        h.bot.core.StartCore();
        const Messages messages = h.Messages();
        QVERIFY2(Contains(messages, message.toStdString()), h.window.txtStatus().logText().c_str());
        QCOMPARE(h.bot.switches.CoreActive, active);
        QCOMPARE(h.bot.switches.FatalError, fatal);
        QVERIFY(h.window.cmdApply().isEnabled());
        if (!active && fatal && !message.startsWith("> An error")) {
            QCOMPARE(messages.back(),
                     std::string("> Quorvane cannot continue because a previous error occurred"));
        }
        if (settings == "game_pb=1") {
            QVERIFY(!h.bot.loaded.game_pb);
        }
    }

    void startupAnnouncementCanBeSwitchedOff() {
        BotHarness h;
        h.PrepareFolder({{"chat_startup_msg", "0"}});
        h.bot.core.StartCore();
        QVERIFY(!Contains(h.Commands(), kAnnouncement));
        QCOMPARE(h.Messages().back(), std::string("Quorvane core v0.4.0 loaded on Test Server"));
    }

    void queryRetriesOnceWithoutResponse() {
        BotHarness h;
        h.PrepareFolder();
        h.bot.core.StartCore();
        h.server.ClearReceived();
        h.server.OnCommand("sv_hostname", FakeGameServer::Reply("NO_RESPONSE"));
        const auto mark = h.Mark();
        QCOMPARE(h.bot.gateway.RconQuery("sv_hostname"), std::string());
        QCOMPARE(h.Commands(), (Messages{"sv_hostname", "sv_hostname"}));
        QCOMPARE(h.MessagesSince(mark), (Messages{"> Warning: No rcon response recieved",
                                                  "> Warning: No rcon response recieved"}));
    }

    void mapLinesInTheLogRefreshTheCurrentMap() {
        BotHarness h;
        h.PrepareFolder();
        h.bot.core.StartCore();
        h.server.ClearReceived();
        h.server.OnCommand("mapname", VariableReply("mapname", "MP_CARENTAN"));
        quorvane::test::AppendBytes(h.Path("games_mp.log"),
                                    "  3:10 ExitLevel: executed\n  3:10 ShutdownGame:\n"
                                    "  0:00 InitGame: \\g_gametype\\sd\\mapname\\mp_carentan\n");
        h.bot.masterTimer.Tick();
        QCOMPARE(h.Commands(), (Messages{"mapname", "mapname", "mapname"}));
        QCOMPARE(h.bot.serverInfoCache.CurrentMapIndex, std::int16_t(0));
    }

    void refreshMapName_data() {
        QTest::addColumn<QStringList>("rotation");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("known");
        QTest::newRow("the map in another letter case")
            << QStringList{"sd mp_a", "sd mp_b"} << "\"mapname\" is:\"MP_B^7\"" << 1 << "" << true;
        QTest::newRow("a map that occurs twice gives the later position")
            << QStringList{"sd mp_a", "dm mp_b", "tdm mp_a"} << "\"mapname\" is:\"mp_a^7\"" << 2
            << "" << true;
        QTest::newRow("a single-entry rotation is not searched")
            << QStringList{"sd mp_a"} << "\"mapname\" is:\"mp_a^7\"" << 5 << "" << true;
        QTest::newRow("an unknown map keeps the index")
            << QStringList{"sd mp_a", "sd mp_b"} << "\"mapname\" is:\"mp_x^7\"" << 5 << "" << true;
        QTest::newRow("an unreadable reply turns the rotation off")
            << QStringList{"sd mp_a", "sd mp_b"} << "garbage" << 5
            << "> Error while reading map rotation. (9)" << false;
    }
    void refreshMapName() {
        QFETCH(QStringList, rotation);
        QFETCH(QString, reply);
        QFETCH(int, index);
        QFETCH(QString, message);
        QFETCH(bool, known);
        BotHarness h;
        h.PrepareFolder();
        h.bot.core.StartCore();
        h.bot.serverInfoCache.RotationList.clear();
        for (const QString& entry : rotation) {
            h.bot.serverInfoCache.RotationList.push_back(entry.toStdString());
        }
        h.bot.serverInfoCache.CurrentMapIndex = 5;
        h.server.OnCommand("mapname", FakeGameServer::Reply(reply.toStdString()));
        const auto mark = h.Mark();
        h.bot.serverInfo.RefreshMapName();
        QCOMPARE(int(h.bot.serverInfoCache.CurrentMapIndex), index);
        QCOMPARE(h.bot.serverInfoCache.RotationKnown, known);
        QCOMPARE(h.MessagesSince(mark),
                 message.isEmpty() ? Messages{} : Messages{message.toStdString()});
    }

    void blankRotationStaysOffAcrossRestarts() {
        BotHarness h;
        h.PrepareFolder();
        h.server.OnCommand("sv_maprotation", VariableReply("sv_maprotation", "  "));
        h.bot.core.StartCore();
        QVERIFY(!h.bot.serverInfoCache.RotationKnown);
        h.bot.core.StopCore();
        h.server.OnCommand("sv_maprotation", VariableReply("sv_maprotation", "map mp_a map mp_b"));
        h.bot.core.StartCore();
        QVERIFY(!h.bot.serverInfoCache.RotationKnown);
        QVERIFY(h.bot.serverInfoCache.RotationList.empty());
    }

    void chatAndKickCommands_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("useTell");
        QTest::addColumn<bool>("pb");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("command");
        QTest::newRow("say: prefix and message with nothing between")
            << "say"
            << "Bob" << false << false << "P: "
            << "say P: hello \"there\"; x";
        QTest::newRow("say with an empty prefix") << "say"
                                                  << "Bob" << false << false << ""
                                                  << "say hello \"there\"; x";
        QTest::newRow("tell with chat_usetell on") << "tell"
                                                   << "Bob" << true << false << "P: "
                                                   << "tell 3 P: hello \"there\"; x";
        QTest::newRow("tell is public with chat_usetell off") << "tell"
                                                              << "Bob" << false << false << "P: "
                                                              << "say P: hello \"there\"; x";
        QTest::newRow("forced tell is private with chat_usetell off")
            << "forcetell"
            << "Bob" << false << false << "P: "
            << "tell 3 P: hello \"there\"; x";
        QTest::newRow("a player without a name is addressed publicly, even forced")
            << "forcetell"
            << "" << true << false << "P: "
            << "say P: hello \"there\"; x";
        QTest::newRow("PunkBuster kick: slot + 1, kick length, reason")
            << "kick"
            << "Bob" << false << true << "P: "
            << "pb_sv_kick 4 2 Kicked by Quorvane";
        QTest::newRow("the game's own kick: slot only") << "kick"
                                                        << "Bob" << false << false << "P: "
                                                        << "clientkick 3";
    }
    void chatAndKickCommands() {
        QFETCH(QString, action);
        QFETCH(QString, name);
        QFETCH(bool, useTell);
        QFETCH(bool, pb);
        QFETCH(QString, prefix);
        QFETCH(QString, command);
        BotHarness h;
        h.bot.loaded.cod_serverip = h.server.host();
        h.bot.loaded.cod_serverport = h.server.port();
        h.bot.loaded.chat_global_prefix = prefix.toStdString();
        h.bot.loaded.chat_usetell = useTell;
        h.bot.loaded.game_pb = pb;
        h.bot.loaded.game_pb_kicklength = 2;
        const PlayerRef player{3, name.toStdString()};
        const std::string message = "hello \"there\"; x";
        if (action == "say") {
            h.bot.chat.SayAll(message);
        } else if (action == "tell") {
            h.bot.chat.TellPlayer(message, player, false);
        } else if (action == "forcetell") {
            h.bot.chat.TellPlayer(message, player, true);
        } else {
            h.bot.chat.KickPlayer(player, "Kicked by Quorvane");
        }
        QCOMPARE(h.Commands(), Messages{command.toStdString()});
        QVERIFY(h.Messages().empty());  // none of them writes to the status log
    }

    void commandsAreOneSecondApart() {
        BotHarness h;
        h.bot.gateway.SetCommandPauseForTests(1.0);
        h.bot.loaded.cod_serverip = h.server.host();
        h.bot.loaded.cod_serverport = h.server.port();
        const auto before = std::chrono::steady_clock::now();
        h.bot.chat.SayAll("one");
        h.bot.chat.SayAll("two");
        const auto& received = h.server.received();
        QCOMPARE(received.size(), std::size_t(2));
        QVERIFY(received[0].arrival - before >= std::chrono::seconds(1));
        QVERIFY(received[1].arrival - received[0].arrival >= std::chrono::seconds(1));
    }
};

QTEST_MAIN(TestServerChannel)
#include "test_server_channel.moc"
