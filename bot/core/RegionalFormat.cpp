#include "bot/core/RegionalFormat.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <QTime>

namespace quorvane {
namespace {

// The long time format carries seconds; the short one often does not. The zone is dropped.
QString TimeFormatWithSeconds() {
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    static const QRegularExpression zone(QStringLiteral("\\s*\\(?t+\\)?"));
    format.remove(zone);
    return format.trimmed();
}

}  // namespace

std::string TimeOfDayText() {
    static const QString format = TimeFormatWithSeconds();
    return QLocale::system().toString(QTime::currentTime(), format).toLocal8Bit().toStdString();
}

std::string ShortDateText() {
    return QLocale::system()
        .toString(QDate::currentDate(), QLocale::ShortFormat)
        .toLocal8Bit()
        .toStdString();
}

}  // namespace quorvane
