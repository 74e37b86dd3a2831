#include "BatchPrint.h"

#include "BatchJob.h"
#include "BatchOptions.h"
#include "Cp932.h"
#include "PrintCommand.h"
#include "PrintCommandLine.h"
#include "PrinterRegistration.h"
#include "SettingsFile.h"
#include "SlipDrawing.h"
#include "SlipSelection.h"
#include "SystemPrinters.h"
#include "TPrinterAccess.h"

#include <QDate>
#include <QDir>

#include <ostream>
#include <unistd.h>

namespace {

constexpr int kContinuousFeed = 1;

std::string utf8(const std::string& bytes)
{
    return cp932::ToUtf8(bytes);
}

} // namespace

SlipFields BatchSlipFields(const batch::BatchSlip& slip, const SenderRecord& sender)
{
    SlipFields f;
    const QDate today = QDate::currentDate();
    f.slipYear = today.year();
    f.slipMonth = today.month();
    f.slipDay = today.day();
    f.goods1 = slip.goods[0];
    f.goods2 = slip.goods[1];
    f.goods3 = slip.goods[2];
    f.zip = slip.zip;
    f.address1 = slip.address1;
    f.address2 = slip.address2;
    f.name = slip.name;
    f.tel = slip.tel;
    f.senderZip = utf8(sender.zip);
    f.senderAddress1 = utf8(sender.address1);
    f.senderAddress2 = utf8(sender.address2);
    f.senderName = utf8(sender.name);
    f.senderTel = utf8(sender.tel);
    f.pieceCount = slip.pieces;
    return f;
}

SenderRecord RegisteredSender(int number)
{
    try {
        return SenderFile::Read(SenderFile::ForTab(number - 1));
    } catch (const std::exception&) {
        throw std::runtime_error("sender " + std::to_string(number) + " is not registered");
    }
}

int RunBatchPrint(const batch::OrderFile& file, const std::vector<std::size_t>& chosen, const BatchOptions& options,
                  std::ostream& err)
{
    const std::string folder = QDir::currentPath().toStdString();
    const std::string section = PaperSection(options.paper.value_or(kContinuousFeed));
    const PrinterRegistration entry = registration::Load(registration::RegistrationFile(folder), section);
    const SenderRecord sender = RegisteredSender(options.sender);

    SystemPrinters printers(QString::fromStdString(folder));
    TPrinterAccess& printer = PrinterAccess();
    SelectCommandLinePrinter(printer, options.printer, entry);
    const printcommand::EffectiveResolution resolution = printcommand::EffectiveResolutionOf(printer);
    SlipFields page;
    const bool terminal = isatty(STDERR_FILENO) != 0;
    try {
        printcommand::PrintBatchJob(
            printer, chosen.size(),
            [&](std::size_t i) {
                page = BatchSlipFields(file.slips[chosen[i]], sender);
                page.dpix = std::to_string(resolution.x);
                page.dpiy = std::to_string(resolution.y);
                page.prnTop = utf8(entry.top);
                page.prnLeft = utf8(entry.left);
                DrawSlip(page, printer.Canvas());
            },
            [&](std::size_t done) {
                if (terminal) {
                    err << '\r' << done << '/' << chosen.size() << std::flush;
                }
                return true;
            });
    } catch (const printcommand::BatchJobError& error) {
        err << (terminal ? "\n" : "") << "mivo-kangaroo batch: slip "
            << (error.stoppedAt() < chosen.size() ? std::to_string(chosen[error.stoppedAt()] + 1) : "job") << ": "
            << error.what() << "; the job was cancelled and no slip reached the printer\n";
        return 1;
    }
    err << (terminal ? "\n" : "") << "printed " << chosen.size() << " slips (" << batch::SlipNumbers(chosen)
        << ") as one job on " << printer.Service().currentDevice().device << '\n';
    return 0;
}
