// Main: shows the main window, clears FatalError and starts the core.

#include <QApplication>
#include <QDir>
#include <QFile>

#include "bot/core/Bot.h"
#include "bot/ui/FrmFrontend.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::string programFolder =
        QFile::encodeName(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()))
            .toStdString();

    quorvane::FrmFrontend frmFrontend;
    quorvane::Bot bot(programFolder, frmFrontend);
    frmFrontend.AttachBot(&bot);

    frmFrontend.show();
    bot.switches.FatalError = false;
    bot.core.StartCore();
    return QApplication::exec();
}
