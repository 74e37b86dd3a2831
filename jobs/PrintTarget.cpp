#include "jobs/PrintTarget.h"

#include "jobs/StartSlip.h"
#include "platform/Cp932.h"
#include "platform/FilePath.h"
#include "platform/StrToInt.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/PaperFeeds.h"
#include "workfolder/PrinterRegistration.h"
#include "workfolder/SettingsFile.h"

#include <QDir>

#include <algorithm>
#include <stdexcept>
#include <vector>

std::string PaperSection(int index)
{
    if (index < 0 || index >= static_cast<int>(std::size(paperfeeds::kAll))) {
        return {};
    }
    return cp932::FromUtf8(paperfeeds::kAll[index]);
}

void SelectCommandLinePrinter(TPrinterAccess& printer, const std::optional<std::string>& name,
                              const PrinterRegistration& entry)
{
    // A server that does not answer raises its error here: the registered printer, or NAME,
    // and never another one in its place.
    const std::vector<std::string> names = printer.GetPrinterNames();
    if (name) {
        const auto found = std::find(names.begin(), names.end(), *name);
        if (found == names.end()) {
            throw std::runtime_error("no printer named " + *name);
        }
        printer.SetIndex(static_cast<int>(found - names.begin()));
        return;
    }
    if (const std::optional<std::string> missing = registration::MissingPrinter(entry, names)) {
        throw std::runtime_error(missing->empty()
                                     ? "the registered printer number " + entry.printerIndex + " is not installed"
                                     : "the registered printer " + *missing + " is not installed");
    }
    printer.SetIndex(StrToInt(registration::ResolvePrinterIndex(entry, names)));
}

LastSlip LoadLastSlip(const std::optional<std::string>& printerName, const std::optional<int>& paper)
{
    const QString folder = QDir::currentPath();
    const SlipSettings settings = SettingsFile::Read(SettingsFile::In(ToPath(folder)));
    const int paperIndex = paper.value_or(settings.paperIndex);
    const PrinterRegistration entry =
        registration::Load(registration::RegistrationFile(ToPath(folder)), PaperSection(paperIndex));
    SelectCommandLinePrinter(PrinterAccess(), printerName, entry);
    SlipPrintState state;
    state.prnTop = cp932::ToUtf8(entry.top);
    state.prnLeft = cp932::ToUtf8(entry.left);
    return {StartSlip(settings, StartSender(ToPath(folder), settings)), state, paperIndex};
}
