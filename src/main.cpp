#include "lists/vantori.h"
#include "platform/prompts.h"
#include "platform/shell.h"
#include "platform/soundplayer.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantori"));
    // No display name: Qt would add it to every caption ("Vantori - list — Vantori"),
    // and the application name already stands wherever the title is asked for.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    Globals(); // the settings object exists before any window

    QtPrompts prompts;
    DesktopShell shell;
    WaveSoundPlayer sound;
    TVantori1 window(PlatformServices{&prompts, &shell, &sound});
    prompts.setParent(&window);
    window.show();
    return app.exec();
}
