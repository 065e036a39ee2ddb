// The log line parser against real log lines: what reaches the join, chat and map handlers, which
// lines stop the bot and with which message, and that nothing after a failing line is handled.

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>
#include <QObject>
#include <QString>
#include <QTest>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "bot/core/BotError.h"
#include "bot/log/LogParser.h"

using quorvane::LogParser;
using quorvane::PlayerRef;

namespace {

QByteArray Bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

// A parser wired to recorders: every handler call becomes one line of events, every status log
// entry one line of messages.
struct Fixture {
    bool fatalError = false;
    std::int16_t privateSlots = 0;
    QByteArrayList messages;
    QByteArrayList events;
    LogParser parser{[this](const std::string& text) { messages.append(Bytes(text)); }, fatalError,
                     privateSlots};

    Fixture() {
        parser.Handlers().OnPlayerJoin = [this](const PlayerRef& player) {
            events.append("join " + QByteArray::number(player.slot) + " [" + Bytes(player.name) +
                          "]");
        };
        parser.Handlers().OnChat = [this](const PlayerRef& player, const std::string& message) {
            events.append("chat " + QByteArray::number(player.slot) + " [" + Bytes(player.name) +
                          "] [" + Bytes(message) + "]");
        };
        parser.Handlers().RefreshMapName = [this] { events.append("map"); };
    }

    void Parse(const QByteArray& chunk) {
        parser.ParseLine(
            std::string_view(chunk.constData(), static_cast<std::size_t>(chunk.size())));
    }
};

const QByteArray kErrorPrefix = "> ParseLine caught an error: ";

}  // namespace

class TestLogParser : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void parsesChunk_data();
    void parsesChunk();
    void handlerFailureStopsTheChunk_data();
    void handlerFailureStopsTheChunk();
    void checksLinesWithoutHandlers();
    void readsRealLogWithoutError();
    void isPrivateSlot_data();
    void isPrivateSlot();
};

void TestLogParser::parsesChunk_data() {
    QTest::addColumn<QByteArray>("chunk");
    QTest::addColumn<QByteArrayList>("events");
    QTest::addColumn<QByteArray>("error");  // empty: no error

    const QByteArray none;

    QTest::newRow("a chunk ending in a line feed")
        << QByteArray("  0:17 J;1275733;0;asd\n") << QByteArrayList{"join 0 [asd]"} << none;
    QTest::newRow("a chunk without a final line feed still reads its last line")
        << QByteArray("  4:04 J;0;0;Laka\n 57:06 J;0;3;Jinxen")
        << QByteArrayList{"join 0 [Laka]", "join 3 [Jinxen]"} << none;
    QTest::newRow("empty lines are skipped")
        << QByteArray("\n\n 57:06 J;0;3;Jinxen\n\n") << QByteArrayList{"join 3 [Jinxen]"} << none;
    QTest::newRow("a join keeps the colour codes of the name")
        << QByteArray("1172:15 J;0;3;^7^^0YaMaHa^1*\n") << QByteArrayList{"join 3 [^7^^0YaMaHa^1*]"}
        << none;
    QTest::newRow("a name with spaces and 8-bit bytes arrives byte for byte")
        << QByteArray(" 16:34 J;0;2;\xd7\xe5\xeb\xf1\xe8\n 0:17 J;1275733;0;^7kung ^5foo ^7man\n")
        << QByteArrayList{"join 2 [\xd7\xe5\xeb\xf1\xe8]", "join 0 [^7kung ^5foo ^7man]"} << none;
    QTest::newRow("say loses a leading character 21")
        << QByteArray(
               " 26:24 say;557356;5;^1[*Epic^0Gamerz*]^2Max;\x15"
               "hey all\n")
        << QByteArrayList{"chat 5 [^1[*Epic^0Gamerz*]^2Max] [hey all]"} << none;
    QTest::newRow("say without character 21 arrives unchanged")
        << QByteArray(
               "  1:09 say;0;2;Stranger-KAB;!help\n"
               " 49:43 say;0;0;Vandal;\x14QUICKMESSAGE_IM_ON_MY_WAY\n"
               " 53:54 say;0;2;;\x15\n")
        << QByteArrayList{"chat 2 [Stranger-KAB] [!help]",
                          "chat 0 [Vandal] [\x14QUICKMESSAGE_IM_ON_MY_WAY]", "chat 2 [] []"}
        << none;
    QTest::newRow("sayteam always loses its first character")
        << QByteArray(
               " 81:49 sayteam;0;6;Max;\x14QUICKMESSAGE_MOVE_IN\n"
               " 23:06 sayteam;1547939;1;^0~>^2PG^0<~^2Saitek.;x!kung\n"
               "133:07 sayteam;0;3;Mikael;!help\n"
               "133:08 sayteam;0;3;Mikael;\n")
        << QByteArrayList{"chat 6 [Max] [QUICKMESSAGE_MOVE_IN]",
                          "chat 1 [^0~>^2PG^0<~^2Saitek.] [!kung]", "chat 3 [Mikael] [help]",
                          "chat 3 [Mikael] []"}
        << none;
    QTest::newRow("a message with a semicolon is cut at it")
        << QByteArray(
               "712:57 say;1275733;0;asd;\x15lol ;P\n"
               "1060:55 say;557356;2;^1[*Epic^0Gamerz*]^2Max;\x15i dont can D;\n")
        << QByteArrayList{"chat 0 [asd] [lol ]", "chat 2 [^1[*Epic^0Gamerz*]^2Max] [i dont can D]"}
        << none;
    QTest::newRow("event kinds are recognised in any letter case")
        << QByteArray(
               "0:10 j;0;4;Ann\n0:11 SAY;0;4;Ann;hi\n0:12 SayTeam;0;4;Ann;xyo\n"
               "0:13 initgame: \\mapname\\mp_toujane\n0:14 EXITLEVEL: executed\n"
               "0:15 ShutDownGame:\n")
        << QByteArrayList{"join 4 [Ann]", "chat 4 [Ann] [hi]", "chat 4 [Ann] [yo]", "map", "map",
                          "map"}
        << none;
    QTest::newRow("map starts and ends refresh the map name")
        << QByteArray(
               " 30:10 ExitLevel: executed\n 30:10 ShutdownGame:\n"
               "  0:00 InitGame: \\g_gametype\\dm\\gamename\\Call of Duty 2\\mapname\\"
               "mp_pavlov\\protocol\\118\n")
        << QByteArrayList{"map", "map", "map"} << none;
    QTest::newRow("a row of dashes and other event kinds are ignored")
        << QByteArray(
               " 30:10 ------------------------------------------------------------\n"
               " 24:04 Weapon;0;2;;frag_grenade_american_mp\n"
               " 58:57 A;0;6;allies;robogrek;bomb_plant\n"
               " 70:29 W;axis;0;Vandal;0;Petro;0;Max;0;Kamikadze\n 1:33 L;axis\n"
               "8839:04 RestartGame:\n  0:00 *\t\ttank_debug: \t\t0\n"
               "  0:00 * * * * * [TANKS ENABLED] * * * * *\n"
               "0:00  J;0;0;two spaces make an empty event kind\n")
        << QByteArrayList{} << none;
    QTest::newRow("kill and damage lines of 13 fields have no effect, a world attacker included")
        << QByteArray(
               "  4:48 K;0;1;;Sergy(UKR);0;2;;Petro;mosin_nagant_sniper_mp;270;MOD_HEAD_"
               "SHOT;head\n"
               "  5:37 K;0;1;;Sergy(UKR);;-1;;;none;2000;MOD_EXPLOSIVE;none\n"
               " 10:28 D;0;1;allies;Sergy(UKR);;-1;world;;none;72;MOD_FALLING;none\n"
               " 16:08 Q;1275733;0;asd\n")
        << QByteArrayList{} << none;
    QTest::newRow("a CR before the LF belongs to the line end")
        << QByteArray(
               "  1:04 J;0;2;Petro\r\n\r\n 41:43 say;0;1;Unknown Soldier;name FireBoQm\r\n"
               " 30:10 ShutdownGame:\r\n")
        << QByteArrayList{"join 2 [Petro]", "chat 1 [Unknown Soldier] [name FireBoQm]", "map"}
        << none;
    QTest::newRow("a time stamp glued to the event kind is read as both")
        << QByteArray(
               "1029:07J;0;5;Thomas Shoot\n4197:48say;0;2;ThorN;\x15yes\n"
               "1663:32K;0;19;allies;Qazaq RUS;0;17;axis;TheCaza;kar98k_mp;144;MOD_RIFLE_"
               "BULLET;torso_lower\n"
               "4197:48tell;465030;2;ThorN;465030;2;ThorN;testing\n"
               "10021:08ExitLevel: executed\n")
        << QByteArrayList{"join 5 [Thomas Shoot]", "chat 2 [ThorN] [yes]", "map"} << none;
    QTest::newRow("a join without the guid field reads slot and name from fields 1 and 2")
        << QByteArray("  0:05 J;3;Bob\n") << QByteArrayList{"join 3 [Bob]"} << none;
    QTest::newRow("quit, kill and damage lines of other shapes are skipped")
        << QByteArray(
               "736:04 K;6;allies;NOOB1;7;allies;NOOB2   ;mosin_nagant_mp;107;MOD_PISTOL_"
               "BULLET;torso_upper\n"
               "  1:00 D;0;1\n  1:01 Q;0;Bob\n  1:02 Q\n"
               "  1:03 K;0;x;;A;0;2;;B;m1garand_mp;90;MOD_RIFLE_BULLET;neck\n"
               "  1:04 D;0;1;;A;0;;;B;m1garand_mp;90;MOD_RIFLE_BULLET;neck\n"
               "  1:05 Q;0;99999;Bob\n  1:06 J;0;7;Carl\n")
        << QByteArrayList{"join 7 [Carl]"} << none;

    QTest::newRow("a line of spaces only fails in stage 1-1")
        << QByteArray("    \n") << QByteArrayList{}
        << kErrorPrefix + "9 Subscript out of range (1-1)";
    QTest::newRow("a line with an empty field 0 fails in stage 1-1")
        << QByteArray("  ;0;3;Bob\n") << QByteArrayList{}
        << kErrorPrefix + "9 Subscript out of range (1-1)";
    QTest::newRow("a line of one word fails in stage 1-2")
        << QByteArray("J;160913;10;PlayerName\n") << QByteArrayList{}
        << kErrorPrefix + "9 Subscript out of range (1-2)";
    QTest::newRow("the tail of a half-written line fails in stage 1-2")
        << QByteArray("1000:48\n") << QByteArrayList{}
        << kErrorPrefix + "9 Subscript out of range (1-2)";
    QTest::newRow("a join with two fields fails")
        << QByteArray("  0:05 J;3\n") << QByteArrayList{}
        << kErrorPrefix + "9 Subscript out of range (1-2)";
    QTest::newRow("a say with four fields fails")
        << QByteArray("  1:09 say;0;2;Stranger-KAB\n") << QByteArrayList{}
        << kErrorPrefix + "9 Subscript out of range (1-2)";
    QTest::newRow("a sayteam with four fields fails")
        << QByteArray(" 81:49 sayteam;0;6;Max\r\n") << QByteArrayList{}
        << kErrorPrefix + "9 Subscript out of range (1-2)";
    QTest::newRow("a join slot that is not a number fails")
        << QByteArray("  0:05 J;0;three;Bob\n") << QByteArrayList{}
        << kErrorPrefix + "13 Type mismatch (1-2)";
    QTest::newRow("a guid-less join slot that is not a number fails")
        << QByteArray("  0:05 J;abc;Bob\n") << QByteArrayList{}
        << kErrorPrefix + "13 Type mismatch (1-2)";
    QTest::newRow("a chat slot beyond 16 bits fails")
        << QByteArray("  1:09 say;0;32768;Bob;hi\n") << QByteArrayList{}
        << kErrorPrefix + "6 Overflow (1-2)";
    QTest::newRow("a failing line drops the rest of the chunk")
        << QByteArray("  4:04 J;0;0;Laka\nwriting\n 40:16 say;0;0;Mikael;stats?\n")
        << QByteArrayList{"join 0 [Laka]"} << kErrorPrefix + "9 Subscript out of range (1-2)";
}

void TestLogParser::parsesChunk() {
    QFETCH(QByteArray, chunk);
    QFETCH(QByteArrayList, events);
    QFETCH(QByteArray, error);

    Fixture f;
    f.Parse(chunk);

    QCOMPARE(f.events, events);
    QCOMPARE(f.messages, error.isEmpty() ? QByteArrayList{} : QByteArrayList{error});
    QCOMPARE(f.fatalError, !error.isEmpty());
}

void TestLogParser::handlerFailureStopsTheChunk_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("error");

    QTest::newRow("a bot error keeps its number and description")
        << 0 << kErrorPrefix + "53 File not found (1-2)";
    QTest::newRow("any other exception is reported with number 5")
        << 1 << kErrorPrefix + "5 disk on fire (1-2)";
}

void TestLogParser::handlerFailureStopsTheChunk() {
    QFETCH(int, kind);
    QFETCH(QByteArray, error);

    Fixture f;
    f.parser.Handlers().OnChat = [&](const PlayerRef&, const std::string&) {
        f.events.append("chat");
        if (kind == 0) {
            throw quorvane::BotError::FileNotFound();
        }
        throw std::runtime_error("disk on fire");
    };
    f.Parse(" 57:06 J;0;3;Jinxen\n 40:16 say;0;0;Mikael;stats?\n  4:04 J;0;0;Laka\n");

    QCOMPARE(f.events, (QByteArrayList{"join 3 [Jinxen]", "chat"}));
    QCOMPARE(f.messages, QByteArrayList{error});
    QVERIFY(f.fatalError);
}

void TestLogParser::checksLinesWithoutHandlers() {
    // Features not plugged in yet change nothing about which lines stop the bot.
    bool fatalError = false;
    const std::int16_t privateSlots = 0;
    QByteArrayList messages;
    LogParser parser([&](const std::string& text) { messages.append(Bytes(text)); }, fatalError,
                     privateSlots);

    parser.ParseLine(" 57:06 J;0;3;Jinxen\n 40:16 say;0;0;Mikael;stats?\n 30:10 ShutdownGame:\n");
    QVERIFY(!fatalError);
    parser.ParseLine(" 40:16 say;0;x;Mikael;stats?\n");
    QVERIFY(fatalError);
    QCOMPARE(messages, QByteArrayList{kErrorPrefix + "13 Type mismatch (1-2)"});
}

void TestLogParser::readsRealLogWithoutError() {
    // Three real server logs, one of them with CR LF line ends, Cyrillic names and a mod's lines.
    QFile file(QStringLiteral(QUORVANE_LOG_SAMPLES "/cod2-real.log"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray log = file.readAll();

    Fixture f;
    f.Parse(log);

    QCOMPARE(f.messages, QByteArrayList{});
    QVERIFY(!f.fatalError);
    const auto countStarting = [&](const char* prefix) {
        return std::count_if(f.events.cbegin(), f.events.cend(),
                             [&](const QByteArray& event) { return event.startsWith(prefix); });
    };
    QCOMPARE(countStarting("join "), 8);
    QCOMPARE(countStarting("chat "), 15);
    QCOMPARE(countStarting("map"), 16);
    for (const QByteArray& event : f.events) {
        QVERIFY2(!event.contains('\r'), event.constData());
    }
}

void TestLogParser::isPrivateSlot_data() {
    QTest::addColumn<int>("privateSlots");
    QTest::addColumn<int>("slot");
    QTest::addColumn<bool>("isPrivate");

    QTest::newRow("no private slots") << 0 << 0 << false;
    QTest::newRow("the last private slot") << 4 << 3 << true;
    QTest::newRow("the first public slot") << 4 << 4 << false;
}

void TestLogParser::isPrivateSlot() {
    QFETCH(int, privateSlots);
    QFETCH(int, slot);
    QFETCH(bool, isPrivate);

    Fixture f;
    const PlayerRef player{static_cast<std::int16_t>(slot), "Bob"};
    QVERIFY(!f.parser.IsPrivateSlot(player));
    // The cache is filled after the parser is made and can change at every core start.
    f.privateSlots = static_cast<std::int16_t>(privateSlots);
    QCOMPARE(f.parser.IsPrivateSlot(player), isPrivate);
}

QTEST_GUILESS_MAIN(TestLogParser)
#include "test_log_parser.moc"
