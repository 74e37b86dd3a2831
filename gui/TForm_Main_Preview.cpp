#include "gui/TForm_Main.h"

#include "gui/PreviewWindow.h"
#include "jobs/PrintTarget.h"
#include "jobs/SlipJobs.h"
#include "workfolder/SettingsFile.h"

void TForm_Main::SpeedButton_F9Click()
{
    // The slip as F11 would print it now: the current printer, paper and margins. Nothing
    // on this window changes, so the print state stays that of the last print.
    requirePrinterInForce();
    PreviewScene scene = slipjobs::Preview(printTarget(), currentSlip());
    PreviewWindow window(
        std::move(scene), SettingsFile::In(workingFolder()), [this] { SpeedButton_F11Click(); }, this);
    window.exec();
}
