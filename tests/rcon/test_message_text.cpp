// Texts the bot builds and reads without talking to the server: message variables, colour codes,
// variable values in replies, and the map rotation.

#include <QtTest>

#include "bot/core/BotError.h"
#include "bot/core/Rotation.h"
#include "bot/core/ServerInfoCache.h"
#include "bot/rcon/MessageVariables.h"
#include "bot/rcon/ReplyValue.h"

using namespace quorvane;

class TestMessageText : public QObject {
    Q_OBJECT

    static ServerInfoCache Rotation(std::vector<std::string> entries, int current,
                                    bool known = true) {
        ServerInfoCache info;
        info.ServerHostName = "My Server";
        info.RotationList = std::move(entries);
        info.CurrentMapIndex = static_cast<std::int16_t>(current);
        info.RotationKnown = known;
        return info;
    }

  private Q_SLOTS:
    void expandsVariables_data() {
        QTest::addColumn<QString>("templ");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("known");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a template without variables is unchanged")
            << "hello 100% there"
            << "Bob" << 0 << true << "hello 100% there";
        QTest::newRow("the bad-word warning keeps its colour codes")
            << "^1%n^1, do not use bad language on this server!"
            << "Bob" << 0 << true << "^1Bob^1, do not use bad language on this server!";
        QTest::newRow("the name twice") << "%n and %n"
                                        << "Bob" << 0 << true << "Bob and Bob";
        QTest::newRow("upper case, other letters and a lone percent stay")
            << "%N %x %"
            << "Bob" << 0 << true << "%N %x %";
        QTest::newRow("a name holding %s gets the server name there")
            << "hi %n"
            << "%s" << 0 << true << "hi My Server";
        QTest::newRow("version") << "v%v"
                                 << "" << 0 << true << "v0.4.0";
        QTest::newRow("next map after the middle entry") << "%g %m"
                                                         << "" << 1 << true << "tdm mp_c";
        QTest::newRow("the rotation wraps after the last entry") << "%g %m"
                                                                 << "" << 2 << true << "sd mp_a";
        QTest::newRow("an unknown rotation gives unknown") << "%m %g"
                                                           << "" << 1 << false << "unknown unknown";
        QTest::newRow("a current index beyond a shorter rotation gives unknown")
            << "%m %g"
            << "" << 7 << true << "unknown unknown";
    }
    void expandsVariables() {
        QFETCH(QString, templ);
        QFETCH(QString, name);
        QFETCH(int, current);
        QFETCH(bool, known);
        QFETCH(QString, expected);
        const ServerInfoCache info = Rotation({"sd mp_a", "dm mp_b", "tdm mp_c"}, current, known);
        const std::string before = templ.toStdString();
        const std::string result = ExpandVariables(before, PlayerRef{3, name.toStdString()}, info);
        QCOMPARE(QString::fromStdString(result), expected);
    }

    void rotationNamingNoMapGivesUnknown() {
        // ParseRotation leaves one empty entry for a rotation without maps.
        const ServerInfoCache info = Rotation(ParseRotation("gametype sd", "tdm"), 0);
        QCOMPARE(ExpandVariables("%m/%g", {}, info), std::string("unknown/unknown"));
        const ServerInfoCache one = Rotation({""}, 0);
        QCOMPARE(ExpandVariables("next %m", {}, one), std::string("next unknown"));
    }

    void timeAndDateAreFilledIn() {
        const std::string result = ExpandVariables("%t|%d", {}, Rotation({}, 0));
        QVERIFY(result.find('%') == std::string::npos);
        QVERIFY(result.find('|') > 0 && result.back() != '|');
    }

    void stripsColourCodes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("codes around a word") << "^1Red^7"
                                             << "Red";
        QTest::newRow("a caret before a letter and a lone caret stay") << "^a b^"
                                                                       << "^a b^";
        QTest::newRow("every double quote goes") << "\"say \"hi\""
                                                 << "say hi";
        QTest::newRow("a removal that forms the same code again removes it too") << "^^11"
                                                                                 << "";
        QTest::newRow("a code formed later in the order is not revisited") << "^^21"
                                                                           << "^1";
        QTest::newRow("^0 is a colour code") << "a^0b"
                                             << "ab";
    }
    void stripsColourCodes() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(StripColourCodes(text.toStdString())), expected);
    }

    void readsValuesFromReplies_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("value");  // "error" for the out-of-range error
        QTest::newRow("one trailing ^7 goes")
            << "\"sv_hostname\" is:\"My Server^7\" default:\"CoD Host^7\"\n"
            << "My Server";
        QTest::newRow("^7^7 loses only the last") << "\"x\" is:\"a^7^7\""
                                                  << "a^7";
        QTest::newRow("other colour codes stay") << "\"x\" is:\"^1red\""
                                                 << "^1red";
        QTest::newRow("four pieces give the rest after the third quote") << "\"x\" is:\"tail text\n"
                                                                         << "tail text\n";
        QTest::newRow("fewer than four pieces fail") << "\"x\" is:"
                                                     << "error";
        QTest::newRow("the control's bad-password word fails") << "RCON_BADPASS"
                                                               << "error";
        QTest::newRow("the empty reply fails") << ""
                                               << "error";
    }
    void readsValuesFromReplies() {
        QFETCH(QString, reply);
        QFETCH(QString, value);
        try {
            QCOMPARE(QString::fromStdString(ReplyValue(reply.toStdString())), value);
        } catch (const BotError& e) {
            QCOMPARE(QStringLiteral("error"), value);
            QCOMPARE(e.number(), int(kErrOutOfRange));
        }
    }

    void readsRotations_data() {
        QTest::addColumn<QString>("rotation");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("game types switch between maps")
            << "gametype sd map mp_a map mp_b gametype dm map mp_c"
            << QStringList{"sd mp_a", "sd mp_b", "dm mp_c"};
        QTest::newRow("maps without a game type take the current one")
            << "map mp_a map mp_b" << QStringList{"tdm mp_a", "tdm mp_b"};
        QTest::newRow("one map keyword, several maps")
            << "map mp_a mp_b" << QStringList{"tdm mp_a", "tdm mp_b"};
        QTest::newRow("two spaces after map give an empty map")
            << "map  mp_a" << QStringList{"tdm ", "tdm mp_a"};
        QTest::newRow("only a game type gives one empty entry") << "gametype sd" << QStringList{""};
        QTest::newRow("read up to the first caret")
            << "map mp_a^7 map mp_b" << QStringList{"tdm mp_a"};
        QTest::newRow("keywords count in lower case only")
            << "MAP mp_a map mp_b GAMETYPE sd" << QStringList{"tdm mp_b", "tdm GAMETYPE", "tdm sd"};
    }
    void readsRotations() {
        QFETCH(QString, rotation);
        QFETCH(QStringList, entries);
        QStringList got;
        for (const std::string& e : ParseRotation(rotation.toStdString(), "tdm")) {
            got << QString::fromStdString(e);
        }
        QCOMPARE(got, entries);
        QCOMPARE(TextBefore("ab^c^d", '^'), std::string("ab"));
        QCOMPARE(TextBefore("abc", '^'), std::string("abc"));
    }
};

QTEST_GUILESS_MAIN(TestMessageText)
#include "test_message_text.moc"
