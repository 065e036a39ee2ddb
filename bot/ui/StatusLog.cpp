#include "bot/ui/StatusLog.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QScrollBar>
#include <QTextCursor>
#include <cstdio>

#include "bot/core/RegionalFormat.h"

namespace quorvane {
namespace {

QFont LogFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(8.25);
    if (!QFontInfo(font).exactMatch()) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSizeF(8.25);
    }
    return font;
}

// The box keeps line breaks as paragraphs; CR LF, CR and LF of a message each become one.
QString ForDisplay(const std::string& text) {
    QString shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

// Standard output takes one line per entry: line breaks inside the message become spaces.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return text;
}

}  // namespace

StatusLog::StatusLog(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("txtStatus"));
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFont(LogFont());
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Button));
    setPalette(colours);
    setUndoRedoEnabled(false);
}

void StatusLog::display(const std::string& msg) {
    const std::string time = TimeOfDayText();
    log_ += "\r\n[" + time + "] " + msg;

    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // The log starts with an empty line: the box starts with one empty paragraph, and every entry
    // opens a new one in front of itself.
    cursor.insertBlock();
    cursor.insertText(ForDisplay("[" + time + "] " + msg));
    setTextCursor(cursor);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());

    const std::string line = "[" + time + "] " + OneLine(msg) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

}  // namespace quorvane
