#include "PlatformPrintDialog.h"

#include "TPrinterAccess.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// The platform's bin numbers run one ahead of Qt's paper sources up to the tractor feed.
constexpr int kLastSharedSource = QPrinter::Tractor;

} // namespace

PrintDialogRunner QtPrintDialogRunner(QWidget* parent, bool setupOnly)
{
    return [parent, setupOnly](DialogChoice& choice) {
        QPrinter printer(QPrinter::HighResolution);
        // Qt's own "print to file" stands for the built-in PDF printer, listed last.
        const std::vector<std::string> names = PrinterAccess().GetPrinterNames();
        const std::string builtIn = names.empty() ? std::string() : names.back();
        if (choice.printer == builtIn)
            printer.setOutputFormat(QPrinter::PdfFormat);
        else
            printer.setPrinterName(QString::fromStdString(choice.printer));
        if (choice.paperSize && choice.paperSize->widthPt > 0) {
            const Capability& paper = *choice.paperSize;
            printer.setPageSize(
                QPageSize(QSizeF(paper.widthPt, paper.heightPt), QPageSize::Point, QString::fromStdString(paper.name)));
        }
        if (choice.bin && *choice.bin >= 1 && *choice.bin - 1 <= kLastSharedSource)
            printer.setPaperSource(static_cast<QPrinter::PaperSource>(*choice.bin - 1));

        const QPrinter::PaperSource presetSource = printer.paperSource();

        QPrintDialog dialog(&printer, parent);
        // Without PrintShowPageSize Qt hides the properties button, the only place to choose
        // paper size and source.
        if (setupOnly)
            dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
        if (dialog.exec() != QDialog::Accepted)
            return false;

        const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
        choice.printer = toFile ? builtIn : printer.printerName().toStdString();

        const QPageSize size = printer.pageLayout().pageSize();
        const QSizeF points = size.size(QPageSize::Point);
        // Qt numbers every size it has no id for as "user-defined" (256), which is also the
        // first of the drivers' own numbers: such a size goes by name and size alone.
        const int number = size.id() == QPageSize::Custom ? 0 : size.windowsId();
        choice.paperSize =
            Capability{static_cast<std::uint16_t>(number), size.name().toStdString(), points.width(), points.height()};
        // Qt reports a paper source only where the platform has one to report; a bin it could
        // not be told about (a driver's own) stays as it was unless the dialog changed it.
        const QPrinter::PaperSource source = printer.paperSource();
        if (source != presetSource && source <= kLastSharedSource)
            choice.bin = static_cast<std::int16_t>(source + 1);
        return true;
    };
}

bool ExecuteRefreshing(const PrintDialogRunner& runner)
{
    TPrinterAccess& access = PrinterAccess();
    DialogChoice choice = access.Service().dialogChoice();
    if (!runner(choice))
        return false;
    access.Service().applyDialogChoice(choice);
    access.Refresh();
    return true;
}
