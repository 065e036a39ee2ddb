// The pure parts of the control, called directly: basParsers (splitLimited, parsePlayerLine,
// clearPlayer) and the datagram rules of Parts 6.1 and 6.2.

#include <QtTest>

#include <climits>
#include <string>
#include <vector>

#include "rconctl/RconProtocol.h"
#include "rconctl/basParsers.h"

using platform::Variant;
using varnholt::nPlayerStruct;

namespace {

const std::string H(
    "\xFF\xFF\xFF\xFF"
    "print\n",
    10);

std::string Lines(int first, int last) {
    std::string text;
    for (int i = first; i <= last; ++i) {
        text += "L" + std::to_string(i) + (i < last ? "\n" : "");
    }
    return text;
}

QByteArray Bytes(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

QStringList Texts(const std::vector<std::string>& list) {
    QStringList out;
    for (const std::string& s : list) {
        out << QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
    }
    return out;
}

QString Show(const Variant& v) {
    return QString::fromStdString(platform::Describe(v));
}

}  // namespace

class TestParsers : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void splitLimited_data();
    void splitLimited();
    void splitLimitedSizesTheListToTheLimit();
    void splitLimitedDropsTextBeyondTheLimit();
    void clearPlayerSetsTheDefaults();
    void parsePlayerLine_data();
    void parsePlayerLine();
    void recordKeepsTheFieldOrder();
    void requestBytes_data();
    void requestBytes();
    void stripReplyHeaders_data();
    void stripReplyHeaders();
    void badPassword_data();
    void badPassword();
    void timeOutRule_data();
    void timeOutRule();
    void endOfStatusAnswer_data();
    void endOfStatusAnswer();
    void parseStatusSkipsThreeLines();
};

void TestParsers::splitLimited_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("entries");  // the first `count` entries

    QTest::newRow("a text without the delimiter is entry 1")
        << QByteArray("abc") << 1 << QStringList{"abc"};
    QTest::newRow("the empty text is one empty entry") << QByteArray("") << 1 << QStringList{""};
    QTest::newRow("two lines") << QByteArray("a\nb") << 2 << QStringList{"a", "b"};
    QTest::newRow("a text ending in the delimiter has an empty last entry")
        << QByteArray("a\nb\n") << 3 << QStringList{"a", "b", ""};
    QTest::newRow("a lone delimiter gives two empty entries")
        << QByteArray("\n") << 2 << QStringList{"", ""};
    QTest::newRow("empty lines in between stay")
        << QByteArray("a\n\nb") << 3 << QStringList{"a", "", "b"};
    QTest::newRow("carriage returns stay in the entries")
        << QByteArray("a\r\nb\r") << 2 << QStringList{"a\r", "b\r"};
}

void TestParsers::splitLimited() {
    QFETCH(QByteArray, text);
    QFETCH(int, count);
    QFETCH(QStringList, entries);
    std::vector<std::string> list;
    QCOMPARE(varnholt::splitLimited(text.toStdString(), "\n", list, 250), count);
    QCOMPARE(Texts(list).mid(0, count), entries);
    for (std::size_t i = static_cast<std::size_t>(count); i < list.size(); ++i) {
        QVERIFY(list[i].empty());
    }
}

void TestParsers::splitLimitedSizesTheListToTheLimit() {
    std::vector<std::string> list{"stale", "entries"};
    varnholt::splitLimited("x", "\n", list, 250);
    QCOMPARE(list.size(), std::size_t{250});
    QCOMPARE(list[0], std::string("x"));
    QCOMPARE(list[1], std::string());
    QCOMPARE(varnholt::splitLimited("1ab2ab3", "ab", list, 5), 3);
    QCOMPARE(Texts(list).mid(0, 3), (QStringList{"1", "2", "3"}));
}

void TestParsers::splitLimitedDropsTextBeyondTheLimit() {
    std::vector<std::string> list;
    QCOMPARE(varnholt::splitLimited(Lines(1, 300), "\n", list, 250), 250);
    QCOMPARE(list[249], std::string("L250"));
    QCOMPARE(varnholt::splitLimited(Lines(1, 250), "\n", list, 250), 250);
    QCOMPARE(list[249], std::string("L250"));
    QCOMPARE(varnholt::splitLimited(Lines(1, 250) + "\n", "\n", list, 250), 250);
    QCOMPARE(list[249], std::string("L250"));
    QCOMPARE(varnholt::splitLimited(Lines(1, 249) + "\n", "\n", list, 250), 250);
    QCOMPARE(list[249], std::string());
}

void TestParsers::clearPlayerSetsTheDefaults() {
    nPlayerStruct player;
    player.Slot = "7";
    player.Score = "1";
    player.Host = "h";
    player.Ping = "1";
    player.Rate = "1";
    player.qPort = "1";
    player.LastMsg = "1";
    player.PlayerName = "n";
    varnholt::clearPlayer(player);
    QCOMPARE(Show(player.Slot), QStringLiteral("Int(0)"));
    QCOMPARE(player.Score, std::string("0"));
    QCOMPARE(player.Host, std::string("?"));
    QCOMPARE(player.Ping, std::string("9999"));
    QCOMPARE(Show(player.Rate), QStringLiteral("Int(0)"));
    QCOMPARE(Show(player.qPort), QStringLiteral("Int(0)"));
    QCOMPARE(Show(player.LastMsg), QStringLiteral("Int(0)"));
    QCOMPARE(player.PlayerName, std::string("?"));
}

void TestParsers::parsePlayerLine_data() {
    // Expected fields in record order: Slot, Score, Host, Ping, Rate, qPort, LastMsg,
    // PlayerName, each as Describe() shows it.
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("Big Bob keeps his whole name (p - 1, mended)")
        << QByteArray("  3 12 48 Big Bob    105 10.0.0.7:28960 4711 5000")
        << QStringList{"Text(\"3\")",   "Text(\"12\")",     "Text(\"10.0.0.7:28960\")",
                       "Text(\"48\")",  "Text(\"5000\")",   "Text(\"4711\")",
                       "Text(\"105\")", "Text(\"Big Bob\")"};
    QTest::newRow("several spaces between the other columns")
        << QByteArray("  3   12   48   Big Bob    105   10.0.0.7:28960   4711   5000  ")
        << QStringList{"Text(\"3\")",   "Text(\"12\")",     "Text(\"10.0.0.7:28960\")",
                       "Text(\"48\")",  "Text(\"5000\")",   "Text(\"4711\")",
                       "Text(\"105\")", "Text(\"Big Bob\")"};
    QTest::newRow("a line as Call of Duty prints it, colour codes in the name")
        << QByteArray("  0     5   48 Player^7             50 1.2.3.4:28960         12345 25000")
        << QStringList{"Text(\"0\")",  "Text(\"5\")",       "Text(\"1.2.3.4:28960\")",
                       "Text(\"48\")", "Text(\"25000\")",   "Text(\"12345\")",
                       "Text(\"50\")", "Text(\"Player^7\")"};
    QTest::newRow("a one-letter name is kept")
        << QByteArray("1 0 50 X  0 bot 0 0")
        << QStringList{"Text(\"1\")", "Text(\"0\")", "Text(\"bot\")", "Text(\"50\")",
                       "Text(\"0\")", "Text(\"0\")", "Text(\"0\")",   "Text(\"X\")"};
    QTest::newRow("without a double space the name stays ? and the columns shift")
        << QByteArray("3 12 48 Bob 105 10.0.0.7:28960 4711 5000")
        << QStringList{"Text(\"3\")",   "Text(\"12\")",        "Text(\"105\")",
                       "Text(\"48\")",  "Text(\"4711 5000\")", "Text(\"10.0.0.7:28960\")",
                       "Text(\"Bob\")", "Text(\"?\")"};
    QTest::newRow("an empty line gives the defaults and an empty rate")
        << QByteArray("")
        << QStringList{"Int(0)",     "Text(\"0\")", "Text(\"?\")", "Text(\"9999\")",
                       "Text(\"\")", "Int(0)",      "Int(0)",      "Text(\"?\")"};
    QTest::newRow("a line of spaces is an empty line")
        << QByteArray("     ")
        << QStringList{"Int(0)",     "Text(\"0\")", "Text(\"?\")", "Text(\"9999\")",
                       "Text(\"\")", "Int(0)",      "Int(0)",      "Text(\"?\")"};
    QTest::newRow("a line without a space goes whole into the rate")
        << QByteArray("abc")
        << QStringList{"Int(0)",        "Text(\"0\")", "Text(\"?\")", "Text(\"9999\")",
                       "Text(\"abc\")", "Int(0)",      "Int(0)",      "Text(\"?\")"};
    QTest::newRow("a short line: missing columns keep their defaults, the rate takes the rest")
        << QByteArray("0 5 48 Name  50")
        << QStringList{"Text(\"0\")",  "Text(\"5\")", "Text(\"?\")", "Text(\"48\")",
                       "Text(\"50\")", "Int(0)",      "Int(0)",      "Text(\"Name\")"};
    QTest::newRow("a carriage return stays in the last field")
        << QByteArray("1 2 3 N  4 h 5 6\r")
        << QStringList{"Text(\"1\")",    "Text(\"2\")", "Text(\"h\")", "Text(\"3\")",
                       "Text(\"6\\r\")", "Text(\"5\")", "Text(\"4\")", "Text(\"N\")"};
}

void TestParsers::parsePlayerLine() {
    QFETCH(QByteArray, line);
    QFETCH(QStringList, fields);
    const platform::Record record =
        varnholt::ToRecord(varnholt::parsePlayerLine(line.toStdString()));
    QStringList shown;
    for (const Variant& field : record) {
        shown << Show(field);
    }
    // Describe() writes a carriage return as it is; show it escaped for the comparison.
    shown.replaceInStrings(QStringLiteral("\r"), QStringLiteral("\\r"));
    QCOMPARE(shown, fields);
}

void TestParsers::recordKeepsTheFieldOrder() {
    nPlayerStruct player;
    player.Slot = "s";
    player.Score = "c";
    player.Host = "h";
    player.Ping = "p";
    player.Rate = "r";
    player.qPort = "q";
    player.LastMsg = "l";
    player.PlayerName = "n";
    QCOMPARE(QString::fromStdString(Variant(varnholt::ToRecord(player)).ToText()),
             QStringLiteral("s\tc\th\tp\tr\tq\tl\tn"));
}

void TestParsers::requestBytes_data() {
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("password and command") << QByteArray("secret") << QByteArray("sv_hostname")
                                          << QByteArray(
                                                 "\xFF\xFF\xFF\xFF"
                                                 "rcon secret sv_hostname\r\n");
    QTest::newRow("an empty password leaves two spaces") << QByteArray("") << QByteArray("status")
                                                         << QByteArray(
                                                                "\xFF\xFF\xFF\xFF"
                                                                "rcon  status\r\n");
    QTest::newRow("nothing is quoted or escaped")
        << QByteArray("p w\"") << QByteArray("say \"hi\"\n")
        << QByteArray(
               "\xFF\xFF\xFF\xFF"
               "rcon p w\" say \"hi\"\n\r\n");
}

void TestParsers::requestBytes() {
    QFETCH(QByteArray, password);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, bytes);
    QCOMPARE(Bytes(varnholt::BuildRequest(password.toStdString(), command.toStdString())), bytes);
}

void TestParsers::stripReplyHeaders_data() {
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("the header before the body") << Bytes(H + "hello\n") << QByteArray("hello\n");
    QTest::newRow("two replies packed together")
        << Bytes(H + "a\n" + H + "b\n") << QByteArray("a\nb\n");
    QTest::newRow("the bare header is the empty text") << Bytes(H) << QByteArray("");
    QTest::newRow("a header in the middle") << Bytes("x" + H + "y") << QByteArray("xy");
    QTest::newRow("no header: kept as it is") << QByteArray("plain\n") << QByteArray("plain\n");
    QTest::newRow("spaces and line feeds are kept")
        << Bytes(H + "  two\n\nlines  \n") << QByteArray("  two\n\nlines  \n");
    QTest::newRow("a header in other letter case is no header") << QByteArray(
                                                                       "\xFF\xFF\xFF\xFF"
                                                                       "PRINT\nx")
                                                                << QByteArray(
                                                                       "\xFF\xFF\xFF\xFF"
                                                                       "PRINT\nx");
    QTest::newRow("a cut header is no header") << QByteArray(
                                                      "\xFF\xFF\xFF\xFF"
                                                      "prin")
                                               << QByteArray(
                                                      "\xFF\xFF\xFF\xFF"
                                                      "prin");
}

void TestParsers::stripReplyHeaders() {
    QFETCH(QByteArray, datagram);
    QFETCH(QByteArray, text);
    QCOMPARE(Bytes(varnholt::StripReplyHeaders(datagram.toStdString())), text);
}

void TestParsers::badPassword_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("bad");
    QTest::newRow("Call of Duty's phrase") << QByteArray("Bad rconpassword.\n") << true;
    QTest::newRow("in capitals") << QByteArray("BAD RCONPASSWORD") << true;
    QTest::newRow("inside other text") << QByteArray("x\nbad rconpassword\ny") << true;
    QTest::newRow("Call of Duty 2's phrase") << QByteArray("Invalid password.\n") << true;
    QTest::newRow("Call of Duty 2's phrase in other letter case")
        << QByteArray("INVALID PASSWORD.") << true;
    QTest::newRow("an ordinary reply") << QByteArray("\"sv_hostname\" is:\"x\"\n") << false;
    QTest::newRow("a near miss") << QByteArray("bad rcon password") << false;
    QTest::newRow("the empty text") << QByteArray("") << false;
}

void TestParsers::badPassword() {
    QFETCH(QByteArray, text);
    QFETCH(bool, bad);
    QCOMPARE(varnholt::IsBadPassword(text.toStdString()), bad);
}

void TestParsers::timeOutRule_data() {
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("used");
    QTest::newRow("0") << 0 << 1500;
    QTest::newRow("negative") << -1 << 1500;
    QTest::newRow("99") << 99 << 1500;
    QTest::newRow("100, the lower bound, is used") << 100 << 100;
    QTest::newRow("2500") << 2500 << 2500;
    QTest::newRow("5000, the upper bound, is used") << 5000 << 5000;
    QTest::newRow("5001") << 5001 << 1500;
    QTest::newRow("6000") << 6000 << 1500;
    QTest::newRow("the smallest integer") << INT_MIN << 1500;
    QTest::newRow("the largest integer") << INT_MAX << 1500;
}

void TestParsers::timeOutRule() {
    QFETCH(int, requested);
    QFETCH(int, used);
    QCOMPARE(varnholt::SelectTimeOut(requested), used);
}

void TestParsers::endOfStatusAnswer_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("ends");
    QTest::newRow("two line feeds") << QByteArray("x\n\n") << true;
    QTest::newRow("two line feeds then spaces") << QByteArray("x\n\n   ") << true;
    QTest::newRow("just two line feeds") << QByteArray("\n\n") << true;
    QTest::newRow("one line feed") << QByteArray("x\n") << false;
    QTest::newRow("a space between the line feeds") << QByteArray("x\n \n") << false;
    QTest::newRow("spaces only") << QByteArray("   ") << false;
    QTest::newRow("the empty text") << QByteArray("") << false;
    QTest::newRow("a line feed and a carriage return") << QByteArray("x\n\r\n") << false;
}

void TestParsers::endOfStatusAnswer() {
    QFETCH(QByteArray, text);
    QFETCH(bool, ends);
    QCOMPARE(varnholt::EndsStatusAnswer(text.toStdString()), ends);
}

void TestParsers::parseStatusSkipsThreeLines() {
    QCOMPARE(varnholt::ParseStatus("map: mp_harbor\nnum score\n---\n").size(), std::size_t{1});
    QCOMPARE(varnholt::ParseStatus("map: mp_harbor\nnum score\n---").size(), std::size_t{0});
    const auto players = varnholt::ParseStatus(
        "map: mp_harbor\nnum score\n---\n  0 1 2 Ann  3 h:1 4 5\n  1 6 7 Bo b  8 h:2 9 10");
    QCOMPARE(players.size(), std::size_t{2});
    QCOMPARE(players[0].PlayerName, std::string("Ann"));
    QCOMPARE(players[1].PlayerName, std::string("Bo b"));
    QCOMPARE(varnholt::ParseStatus("a\nb\nc\n" + Lines(4, 400)).size(), std::size_t{247});
}

QTEST_APPLESS_MAIN(TestParsers)
#include "test_parsers.moc"
