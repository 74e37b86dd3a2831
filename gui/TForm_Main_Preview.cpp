#include "gui/TForm_Main.h"

#include "gui/PreviewWindow.h"
#include "preview/PreviewScene.h"
#include "printers/TPrinterAccess.h"
#include "workfolder/SettingsFile.h"

#include <QComboBox>

void TForm_Main::SpeedButton_F9Click()
{
    // The slip as F11 would print it now: the current printer, paper and margins. Nothing
    // on this window changes, so the print state stays that of the last print.
    requirePrinterInForce();
    const bool continuous = ComboBox_SEL->currentIndex() == 1;
    PreviewScene scene = preview::SceneOnCurrentPrinter(PrinterAccess(), currentSlip(), printState(), continuous);
    PreviewWindow window(
        std::move(scene), SettingsFile::In(workingFolder()), [this] { SpeedButton_F11Click(); }, this);
    window.exec();
}
