#include "FontSubstitutes.h"
#include "Prompt.h"
#include "TForm_Main.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    application.setApplicationName(ApplicationTitle());
    InstallFontSubstitutes();
    TForm_Main mainWindow;
    mainWindow.show();
    return application.exec();
}
