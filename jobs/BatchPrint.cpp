#include "jobs/BatchPrint.h"

#include "batch/SlipSelection.h"
#include "jobs/JournalledPrint.h"
#include "jobs/PrintTarget.h"
#include "jobs/StartSlip.h"
#include "jobs/SystemPrinters.h"
#include "journal/Journal.h"
#include "platform/Cp932.h"
#include "preview/PreviewScene.h"
#include "printers/PageGeometry.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/BatchJob.h"
#include "slipprint/PaperFeeds.h"
#include "slipprint/PrintCommand.h"
#include "slipprint/SlipDrawing.h"
#include "slipprint/SlipFormOutline.h"
#include "workfolder/PrinterRegistration.h"

#include <QDir>

#include <ostream>
#include <unistd.h>

namespace {

std::string utf8(const std::string& bytes)
{
    return cp932::ToUtf8(bytes);
}

// Puts the printer that was current back, so the main window prints where it did.
class CurrentPrinterKept
{
public:
    explicit CurrentPrinterKept(TPrinterAccess& printer) : m_printer(printer), m_index(printer.Index()) {}
    ~CurrentPrinterKept()
    {
        try {
            if (m_printer.Index() != m_index) {
                m_printer.SetIndex(m_index);
            }
        } catch (const std::exception&) {
            // The printer went away meanwhile; the window's next apply step reports it.
        }
    }
    CurrentPrinterKept(const CurrentPrinterKept&) = delete;
    CurrentPrinterKept& operator=(const CurrentPrinterKept&) = delete;

private:
    TPrinterAccess& m_printer;
    int m_index;
};

// Continuous stationery is fed a form at a time: each page is one form long, whatever paper
// the printer reports. A hand-fed form is the printer's paper.
double pageLength(int paper)
{
    return paper == 1 ? slipform::kContinuousFoldInches * 72 : 0;
}

SlipPrintState registeredMargins(const PrinterRegistration& entry)
{
    SlipPrintState state;
    state.prnTop = utf8(entry.top);
    state.prnLeft = utf8(entry.left);
    return state;
}

} // namespace

PreviewScene BatchPreviewScene(const batch::BatchSlip& slip, const BatchTarget& target)
{
    const PrinterRegistration entry =
        registration::Load(registration::RegistrationFile(target.folder.string()), PaperSection(target.paper));
    TPrinterAccess& printer = PrinterAccess();
    const CurrentPrinterKept kept(printer);
    SelectCommandLinePrinter(printer, target.printer, entry);
    PreviewScene scene = preview::SceneOnCurrentPrinter(printer, BatchSlipModel(slip, target.sender),
                                                        registeredMargins(entry), target.paper == 1);
    scene.page = WithPageLength(scene.page, pageLength(target.paper));
    return scene;
}

Slip BatchSlipModel(const batch::BatchSlip& slip, const SenderRecord& sender)
{
    Slip model;
    DateToday(model);
    model.goods = slip.goods;
    model.recipient = slip.recipient;
    model.sender = SenderAddress(sender);
    model.pieceCount = slip.pieces;
    return model;
}

SenderRecord RegisteredSender(const std::filesystem::path& folder, int number)
{
    try {
        return SenderFile::Read(folder / SenderFile::ForTab(number - 1));
    } catch (const std::exception&) {
        throw std::runtime_error("sender " + std::to_string(number) + " is not registered");
    }
}

BatchPrinted PrintBatch(const std::vector<batch::BatchSlip>& slips, const std::vector<std::size_t>& chosen,
                        const BatchTarget& target, const std::function<bool(std::size_t)>& progress)
{
    const PrinterRegistration entry =
        registration::Load(registration::RegistrationFile(target.folder.string()), PaperSection(target.paper));
    TPrinterAccess& printer = PrinterAccess();
    const CurrentPrinterKept kept(printer);
    SelectCommandLinePrinter(printer, target.printer, entry);
    const printcommand::EffectiveResolution resolution = printcommand::EffectiveResolutionOf(printer);
    SlipPrintState state = registeredMargins(entry);
    state.dpix = std::to_string(resolution.x);
    state.dpiy = std::to_string(resolution.y);
    std::vector<journalprint::BatchPage> pages;
    pages.reserve(chosen.size());
    for (const std::size_t index : chosen) {
        const batch::BatchSlip& slip = slips.at(index);
        pages.push_back({BatchSlipModel(slip, target.sender), state, slip.order});
    }
    const auto drawSlip = [&](std::size_t i) { DrawSlip(pages[i].slip, pages[i].state, printer.Canvas()); };
    const journalprint::Outcome outcome = journalprint::PrintBatchAndRecord(
        printer, journal::Journal::In(target.folder), pages, paperfeeds::kAll[target.paper == 0 ? 0 : 1],
        [&] { printcommand::PrintBatchJob(printer, pages.size(), drawSlip, progress, pageLength(target.paper)); });
    return {printer.Service().currentDevice().device, outcome.journalError, outcome.entryIds};
}
