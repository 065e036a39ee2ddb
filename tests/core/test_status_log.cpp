// The status log box: exact entry text, caret at the end, and what the box shows.

#include <QRegularExpression>
#include <QScrollBar>
#include <QtTest>

#include "bot/ui/StatusLog.h"

using quorvane::StatusLog;

class TestStatusLog : public QObject {
    Q_OBJECT

    // The log with every time stamp replaced by T, so texts can be compared exactly.
    static QString Stamped(const StatusLog& log) {
        QString text = QString::fromLatin1(log.logText().c_str());
        static const QRegularExpression stamp(QStringLiteral("\r\n\\[[^\\]\r\n]+\\] "));
        return text.replace(stamp, QStringLiteral("\r\n[T] "));
    }

  private Q_SLOTS:
    void entriesAreCrLfBracketTimeBracketMessage_data() {
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("text");
        QTest::newRow("the first entry opens with CR LF, so the first line of the box is empty")
            << QStringList{QStringLiteral("Starting Quorvane core...")}
            << QStringLiteral("\r\n[T] Starting Quorvane core...");
        QTest::newRow("entries follow in order, identical ones kept")
            << QStringList{QStringLiteral("a"), QStringLiteral("a"), QStringLiteral("b")}
            << QStringLiteral("\r\n[T] a\r\n[T] a\r\n[T] b");
        QTest::newRow("an empty message ends the entry in a blank")
            << QStringList{QString()} << QStringLiteral("\r\n[T] ");
        QTest::newRow("a message holding CR LF continues on lines without a time stamp")
            << QStringList{QStringLiteral("one\r\ntwo")} << QStringLiteral("\r\n[T] one\r\ntwo");
    }
    void entriesAreCrLfBracketTimeBracketMessage() {
        QFETCH(QStringList, messages);
        QFETCH(QString, text);
        StatusLog log;
        for (const QString& m : messages) {
            log.display(m.toStdString());
        }
        QCOMPARE(Stamped(log), text);
        // The box shows the same lines.
        QString shown = QString::fromLatin1(log.logText().c_str());
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(log.toPlainText(), shown);
        QCOMPARE(log.textCursor().position(), log.document()->characterCount() - 1);
    }

    void timeStampIsTheLocalTimeOfDay() {
        StatusLog log;
        log.display("x");
        static const QRegularExpression timeOfDay(
            QStringLiteral("^\r\n\\[\\d{1,2}[:.]\\d{2}[:.]\\d{2}( ?\\S+)?\\] x$"));
        QVERIFY2(timeOfDay.match(QString::fromLatin1(log.logText().c_str())).hasMatch(),
                 log.logText().c_str());
    }

    void newEntryScrollsBackToTheEnd() {
        StatusLog log;
        log.resize(300, 100);
        log.show();
        for (int i = 0; i < 200; ++i) {
            log.display("line " + std::to_string(i));
        }
        log.verticalScrollBar()->setValue(0);
        log.display("newest");
        QCOMPARE(log.verticalScrollBar()->value(), log.verticalScrollBar()->maximum());
        QVERIFY(log.isReadOnly());
        QCOMPARE(log.lineWrapMode(), QPlainTextEdit::NoWrap);
    }

    void bytesAboveAsciiSurvive() {
        StatusLog log;
        log.display("name \xC4\xE9\xFF");
        QVERIFY(log.logText().ends_with("] name \xC4\xE9\xFF"));
        QVERIFY(log.toPlainText().endsWith(QString::fromLatin1("name \xC4\xE9\xFF")));
    }
};

QTEST_MAIN(TestStatusLog)
#include "test_status_log.moc"
