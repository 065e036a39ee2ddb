// The settings file and its table: reading by fields, writing, lookup by key, and the conversions
// of the loaded values.

#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>

#include "bot/core/BotError.h"
#include "bot/core/Conversions.h"
#include "bot/core/SettingsStore.h"
#include "bot/core/TextFiles.h"
#include "tests/support/Files.h"

using namespace quorvane;
using quorvane::test::ReadBytes;
using quorvane::test::WriteBytes;

class TestSettingsStore : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::string Path(const char* name) {
        return dir_.filePath(QString::fromLatin1(name)).toStdString();
    }

    SettingsStore StoreWith(const std::string& bytes) {
        SettingsStore store;
        store.SetPath(Path("settings.txt"));
        WriteBytes(store.path(), bytes);
        return store;
    }

  private Q_SLOTS:
    void readsFieldsNotLines_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("table");  // key, value, key, value...
        QTest::newRow("an empty file gives an empty table") << QByteArray() << QStringList{};
        QTest::newRow("quoted pairs, one a line")
            << QByteArray("\"a\",\"1\"\r\n\"b\",\"2\"\r\n") << QStringList{"a", "1", "b", "2"};
        QTest::newRow("a quoted value may hold commas")
            << QByteArray("\"chat_global_prefix\",\"^1a, b, c\"\r\n")
            << QStringList{"chat_global_prefix", "^1a, b, c"};
        QTest::newRow("a line with a single field takes its partner from the next line")
            << QByteArray("\"a\"\r\n\"1\",\"b\",\"2\"\r\n") << QStringList{"a", "1", "b", "2"};
        QTest::newRow(
            "unquoted fields lose surrounding spaces, text after a closing quote is dropped")
            << QByteArray("  key  ,  value  \n\"k2\"junk,\"v2\"\n")
            << QStringList{"key", "value", "k2", "v2"};
        QTest::newRow("the last line needs no line end")
            << QByteArray("\"a\",\"1\"") << QStringList{"a", "1"};
        QTest::newRow("an empty value between quotes")
            << QByteArray("\"a\",\"\"\r\n") << QStringList{"a", ""};
    }
    void readsFieldsNotLines() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, table);
        SettingsStore store = StoreWith(file.toStdString());
        store.ReadSettingsFile();
        QStringList got;
        for (const SettingEntry& e : store.entries()) {
            got << QString::fromStdString(e.key) << QString::fromStdString(e.value);
        }
        QCOMPARE(got, table);
    }

    void readingFailsClearly_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("number");
        QTest::newRow("a lone quoted key on the last line reads past the end")
            << QByteArray("\"a\",\"1\"\r\n\"b\"\r\n") << int(kErrInputPastEnd);
    }
    void readingFailsClearly() {
        QFETCH(QByteArray, file);
        QFETCH(int, number);
        SettingsStore store = StoreWith("\"old\",\"kept\"\r\n");
        store.ReadSettingsFile();
        WriteBytes(store.path(), file.toStdString());
        try {
            store.ReadSettingsFile();
            QFAIL("no error");
        } catch (const BotError& e) {
            QCOMPARE(e.number(), number);
        }
        // A failed read keeps the table, so a later write cannot save half a table over the file.
        QCOMPARE(store.entries().size(), std::size_t(1));
        QCOMPARE(store.GetSetting("old", ""), std::string("kept"));
    }

    void missingFileIsFileNotFound() {
        SettingsStore store;
        store.SetPath(Path("nowhere.txt"));
        try {
            store.ReadSettingsFile();
            QFAIL("no error");
        } catch (const BotError& e) {
            QCOMPARE(e.number(), int(kErrFileNotFound));
        }
    }

    void writeAndReadBackGiveTheSameTable() {
        SettingsStore store =
            StoreWith("\"Chat_Ads_Interval\",\"120\"\r\n\"x\",\"a, b\"\r\n\"x\",\"second\"\r\n");
        store.ReadSettingsFile();
        store.SetSetting("new_key", "v");
        QCOMPARE(
            ReadBytes(store.path()),
            std::string("\"Chat_Ads_Interval\",\"120\"\r\n\"x\",\"a, b\"\r\n\"x\",\"second\"\r\n"
                        "\"new_key\",\"v\"\r\n"));
        SettingsStore again;
        again.SetPath(store.path());
        again.ReadSettingsFile();
        QCOMPARE(again.entries().size(), std::size_t(4));
        QCOMPARE(again.entries()[1].value, std::string("a, b"));
    }

    void keysMatchIgnoringCaseAndTheFirstDuplicateWins() {
        SettingsStore store = StoreWith(
            "\"a\",\"0\"\r\n\"chat_ads_interval\",\"120\"\r\n\"CHAT_ADS_INTERVAL\",\"99\"\r\n");
        store.ReadSettingsFile();
        QCOMPARE(store.GetSetting("CHAT_ADS_INTERVAL", "x"), std::string("120"));
        QCOMPARE(store.GetSetting("missing", "dflt"), std::string("dflt"));
        QCOMPARE(store.entries().size(), std::size_t(3));  // lookups never add

        store.SetSetting("Chat_Ads_Interval", "60");
        QCOMPARE(
            ReadBytes(store.path()),
            std::string(
                "\"a\",\"0\"\r\n\"chat_ads_interval\",\"60\"\r\n\"CHAT_ADS_INTERVAL\",\"99\"\r\n"));
    }

    void emptyKeyChangesNothing() {
        SettingsStore store = StoreWith("\"a\",\"1\"\r\n");
        store.ReadSettingsFile();
        std::filesystem::remove(store.path());
        store.SetSetting("", "x");
        QVERIFY(!std::filesystem::exists(store.path()));
        QCOMPARE(store.entries().size(), std::size_t(1));
    }

    void writeIsAtomicAndPrivate() {
        SettingsStore store = StoreWith("\"cod_rconpassword\",\"secret\"\r\n");
        std::filesystem::permissions(store.path(), std::filesystem::perms(0644));
        store.ReadSettingsFile();
        store.SetSetting("cod_rconpassword", "other");
        const auto perms = std::filesystem::status(store.path()).permissions();
        QCOMPARE(int(perms & std::filesystem::perms::all), 0600);
        // Nothing but the settings file is left behind in the folder.
        int files = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator(dir_.path().toStdString())) {
            ++files;
        }
        QCOMPARE(files, 1);
    }

    void writeIntoMissingFolderFailsWithoutTouchingAnything() {
        SettingsStore store;
        store.SetPath(Path("no/such/folder/settings.txt"));
        QVERIFY_THROWS_EXCEPTION(BotError, store.WriteSettingsFile());
    }

    void countsLines_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("lines");
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("one line without line end") << QByteArray("a") << 1;
        QTest::newRow("CR LF endings") << QByteArray("a\r\nb\r\n") << 2;
        QTest::newRow("an empty last line counts") << QByteArray("a\r\nb\r\n\r\n") << 3;
        QTest::newRow("LF and lone CR endings") << QByteArray("a\nb\rc") << 3;
    }
    void countsLines() {
        QFETCH(QByteArray, file);
        QFETCH(int, lines);
        WriteBytes(Path("list.txt"), file.toStdString());
        QCOMPARE(CountLines(Path("list.txt")), std::size_t(lines));
    }

    void folderPathsGetOneSeparator() {
        QCOMPARE(FixTrailingSlash("/opt/bot"), std::string("/opt/bot/"));
        QCOMPARE(FixTrailingSlash("/"), std::string("/"));
        QVERIFY(!FileExists(""));
        QVERIFY(FileExists(dir_.path().toStdString()));
    }

    void converts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("asSwitch");  // "1", "0" or the error number
        QTest::addColumn<QString>("asNumber");  // the number or "e<error number>"
        QTest::newRow("Yes") << "Yes"
                             << "e13"
                             << "e13";
        QTest::newRow("abc") << "abc"
                             << "e13"
                             << "e13";
        QTest::newRow("40000 overflows a 16-bit number") << "40000"
                                                         << "1"
                                                         << "e6";
        QTest::newRow("2.5 rounds to the even 2") << "2.5"
                                                  << "1"
                                                  << "2";
        QTest::newRow("3.5 rounds to the even 4") << "3.5"
                                                  << "1"
                                                  << "4";
        QTest::newRow("true") << "true"
                              << "1"
                              << "e13";
        QTest::newRow("FALSE") << "FALSE"
                               << "0"
                               << "e13";
        QTest::newRow("1") << "1"
                           << "1"
                           << "1";
        QTest::newRow("0") << "0"
                           << "0"
                           << "0";
        QTest::newRow("empty") << ""
                               << "e13"
                               << "e13";
        QTest::newRow("-32768 is the lowest") << "-32768"
                                              << "1"
                                              << "-32768";
        QTest::newRow("32767.5 rounds out of range") << "32767.5"
                                                     << "1"
                                                     << "e6";
        QTest::newRow("inf is not a number") << "inf"
                                             << "e13"
                                             << "e13";
    }
    void converts() {
        QFETCH(QString, text);
        QFETCH(QString, asSwitch);
        QFETCH(QString, asNumber);
        const std::string value = text.toStdString();
        const auto outcome = [](auto convert) -> QString {
            try {
                return QString::number(convert());
            } catch (const BotError& e) {
                return QStringLiteral("e%1").arg(e.number());
            }
        };
        QCOMPARE(outcome([&] { return int(ToSwitch(value)); }), asSwitch);
        QCOMPARE(outcome([&] { return int(ToWholeNumber16(value)); }), asNumber);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "test_settings_store.moc"
