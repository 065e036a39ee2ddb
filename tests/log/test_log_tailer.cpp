// The master timer's poll of a real log file in a temporary folder: what it reads after growth,
// truncation, deletion and a half-written line, and how it counts towards broadcasts.

#include <QtTest>
#include <filesystem>

#include "tests/support/BotHarness.h"

using namespace quorvane;
using quorvane::test::AppendBytes;
using quorvane::test::BotHarness;
using quorvane::test::WriteBytes;
using Messages = std::vector<std::string>;

namespace {

// A say line whose message tells which one it is, padded to exactly `size` bytes with its LF.
std::string SayLine(const std::string& message, std::size_t size = 0) {
    std::string line = "  1:05 say;123;2;Bob;" + message;
    if (size > line.size() + 1) {
        line += std::string(size - line.size() - 1, '.');
    }
    return line + "\n";
}

// Lines of filler that the parser reads without acting on them.
std::string Filler(std::size_t size) {
    std::string text;
    while (text.size() < size) {
        text += "  0:01 ------------------------------------------------------------\n";
    }
    text.resize(size - 1);
    return text + "\n";
}

}  // namespace

class TestLogTailer : public QObject {
    Q_OBJECT

    struct Running {
        BotHarness h;
        std::vector<std::string> chats;

        explicit Running(const std::string& logAtStart) {
            WriteBytes(h.Path("games_mp.log"), logAtStart);
            h.PrepareFolder();
            h.bot.parser.Handlers().OnChat = [this](const PlayerRef&, const std::string& m) {
                chats.push_back(m.substr(0, m.find('.')));
            };
            h.bot.core.StartCore();
            QVERIFY(h.bot.switches.CoreActive);
            QVERIFY(h.bot.masterTimer.Enabled());
        }
        void Append(const std::string& bytes) { AppendBytes(h.Path("games_mp.log"), bytes); }
    };

  private Q_SLOTS:
    void readsOnlyWhatWasAppendedAfterTheStart() {
        std::string before;
        before += SayLine("old");
        before += Filler(10000 - before.size());
        Running r(before);
        r.Append(SayLine("new1", 100) + SayLine("new2", 150));
        r.h.bot.masterTimer.Tick();
        QCOMPARE(r.h.bot.tailer.previousSize(), std::int64_t(10000));
        QCOMPARE(r.h.bot.tailer.currentSize(), std::int64_t(10250));
        QCOMPARE(r.chats, (Messages{"new1", "new2"}));

        r.h.bot.masterTimer.Tick();  // no growth: nothing read again
        QCOMPARE(r.chats.size(), std::size_t(2));
        QVERIFY(!r.h.bot.switches.FatalError);
    }

    void linesWrittenAfterTruncationAreRead() {
        Running r(Filler(5000));
        std::filesystem::resize_file(r.h.Path("games_mp.log"), 0);
        r.Append(SayLine("after-truncation", 300));
        r.h.bot.masterTimer.Tick();
        QCOMPARE(r.chats, Messages{"after-truncation"});
        r.Append(SayLine("next", 200));
        r.h.bot.masterTimer.Tick();
        QCOMPARE(r.chats, (Messages{"after-truncation", "next"}));
    }

    void lineWrittenInTwoPiecesIsReadOnceAndWhole() {
        Running r("");
        const std::string line = SayLine("!nextmap");
        r.Append(line.substr(0, 12));
        r.h.bot.masterTimer.Tick();
        QVERIFY(r.chats.empty());
        r.Append(line.substr(12));
        r.h.bot.masterTimer.Tick();
        QCOMPARE(r.chats, Messages{"!nextmap"});
        QVERIFY(!r.h.bot.switches.FatalError);
    }

    void deletedLogStopsTheBot() {
        Running r("");
        std::filesystem::remove(r.h.Path("games_mp.log"));
        const auto mark = r.h.Mark();
        r.h.bot.masterTimer.Tick();
        QCOMPARE(r.h.MessagesSince(mark),
                 Messages{"> GetFileSize got an error: 53 File not found"});
        QVERIFY(r.h.bot.switches.FatalError);
        r.h.bot.masterTimer.Tick();
        QCOMPARE(r.h.Messages().back(), std::string("> Fatal error detected, shutting down."));
        QVERIFY(!r.h.bot.masterTimer.Enabled());
        QVERIFY(r.h.bot.switches.CoreActive);  // only Apply brings the bot back
    }

    void unreadableCompleteLineStopsTheBotAtTheNextTick() {
        Running r("");
        r.Append("  1:00 say;1;2\n");
        r.h.bot.masterTimer.Tick();
        QVERIFY(r.h.Messages().back().starts_with("> ParseLine caught an error: "));
        r.h.bot.masterTimer.Tick();
        QCOMPARE(r.h.Messages().back(), std::string("> Fatal error detected, shutting down."));
    }

    void realTimerPollsTheLog() {
        Running r("");
        r.h.bot.masterTimer.SetInterval(20);
        r.Append(SayLine("via-timer"));
        QTRY_COMPARE(r.chats, Messages{"via-timer"});
    }

    void broadcastThreshold_data() {
        QTest::addColumn<int>("adsInterval");
        QTest::addColumn<int>("timerInterval");
        QTest::addColumn<int>("every");
        QTest::newRow("120 s at 5000 ms posts on every 25th tick") << 120 << 5000 << 25;
        QTest::newRow("15 s at 2000 ms posts on every 9th tick") << 15 << 2000 << 9;
        QTest::newRow("120 s at 7000 ms posts on every 19th tick") << 120 << 7000 << 19;
    }
    void broadcastThreshold() {
        QFETCH(int, adsInterval);
        QFETCH(int, timerInterval);
        QFETCH(int, every);
        Running r("");
        r.h.bot.masterTimer.SetEnabled(false);
        r.h.bot.loaded.chat_ads_enabled = true;
        r.h.bot.loaded.chat_ads_interval = adsInterval;
        r.h.bot.masterTimer.SetInterval(timerInterval);
        std::vector<int> postedAt;
        int tick = 0;
        r.h.bot.masterTimer.PostNextBroadcast = [&] { postedAt.push_back(tick); };
        for (tick = 1; tick <= 3 * every; ++tick) {
            r.h.bot.masterTimer.Tick();
        }
        QCOMPARE(postedAt, (std::vector<int>{every, 2 * every, 3 * every}));

        // Switched off, the count waits where it is; a core restart keeps it too.
        r.h.bot.masterTimer.Tick();
        r.h.bot.loaded.chat_ads_enabled = false;
        r.h.bot.masterTimer.Tick();
        QCOMPARE(r.h.bot.masterTimer.BroadcastTicks(), 1);
        r.h.bot.core.StopCore();
        r.h.bot.core.StartCore();
        QCOMPARE(r.h.bot.masterTimer.BroadcastTicks(), 1);
    }
};

QTEST_MAIN(TestLogTailer)
#include "test_log_tailer.moc"
