#include "gui/TForm_Main.h"

#include "gui/TForm_SLIP97YPrn.h"
#include "gui/TRefreshingPrintDialog.h"
#include "gui/TRefreshingPrinterSetupDialog.h"
#include "jobs/JournalledPrint.h"
#include "jobs/PrintTarget.h"
#include "jobs/RegisteredSettings.h"
#include "jobs/SlipJobs.h"
#include "platform/FieldText.h"
#include "platform/StrToInt.h"
#include "printers/EPrinterAccess.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/MarginDots.h"
#include "slipprint/MarginResolution.h"
#include "slipprint/PrintCommand.h"
#include "widgets/Prompt.h"
#include "workfolder/PrinterRegistration.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

#include <functional>
#include <optional>
#include <stdexcept>

namespace {

// The printer layer lists its names in UTF-8.
QStringList toStringList(const TPrinterAccess::StringList& list)
{
    QStringList result;
    for (const std::string& item : list) {
        result << QString::fromStdString(item);
    }
    return result;
}

// The list goes in before its selection is asked for: a printer whose current setting is not
// in its own list still shows that list, without a selection.
void fillBox(QComboBox* box, const TPrinterAccess::StringList& items, const std::function<int()>& selected)
{
    box->clear();
    box->addItems(toStringList(items));
    box->setCurrentIndex(-1);
    box->setCurrentIndex(selected());
}

// The registered number of a printer, 0 when the text is not a whole number.
// Asked before printing a slip printed in the last day; the packer at another PC is named.
QString duplicateQuestion(const std::string& station)
{
    if (station.empty()) {
        return QStringLiteral("同じ送り状を本日印刷済みです。もう一度印刷しますか?");
    }
    return QStringLiteral("同じ送り状を本日 %1 で印刷済みです。もう一度印刷しますか?")
        .arg(QString::fromStdString(station));
}

int printerNumberOrZero(const QString& number)
{
    try {
        return StrToInt(number.toStdString());
    } catch (const EConvertError&) {
        return 0;
    }
}

} // namespace

void TForm_Main::createPrintWindows()
{
    PrintDialog1 = new TRefreshingPrintDialog(this);
    PrinterSetupDialog1 = new TRefreshingPrinterSetupDialog(this);
    m_positionDialog = new TForm_SLIP97YPrn(*this, this);
}

void TForm_Main::watchPrinters()
{
    PrinterAccess().SetOnChange([this](TPrinterAccess&) { printersChanged(); });
}

void TForm_Main::stopWatchingPrinters()
{
    try {
        PrinterAccess().SetOnChange({});
    } catch (const std::logic_error&) {
        // No printer object left to watch.
    }
}

void TForm_Main::printersChanged()
{
    // Printers came or went: the registration is looked for again, by name, and shown as it
    // now stands; boxes a failure had switched off get their chance again.
    for (QComboBox* box : {ComboBox1, ComboBox2, ComboBox3}) {
        box->setEnabled(true);
    }
    runAction([this] { runPrinterStep([this] { SpeedButton_PrnIdGetClick(); }); });
}

void TForm_Main::runPrinterStep(const std::function<void()>& step)
{
    // A printer layer that cannot answer is shown in the printer box rather than in a message;
    // F11 reports it when the user asks to print.
    try {
        step();
    } catch (const EPrinterAccess& error) {
        ComboBox1->clear();
        ComboBox1->setEditText(QString::fromStdString(error.what()));
        ComboBox2->clear();
        ComboBox3->clear();
    }
}

void TForm_Main::showMissingPrinter()
{
    QStringList names;
    try {
        names = toStringList(PrinterAccess().GetPrinterNames());
    } catch (const EPrinterAccess&) {
        // The edit line says enough.
    }
    ComboBox1->clear();
    ComboBox1->addItems(names);
    ComboBox1->setCurrentIndex(-1);
    const QString shown =
        m_missingPrinter->isEmpty() ? QStringLiteral("プリンタ番号 %1").arg(Label_PrinterIndex) : *m_missingPrinter;
    ComboBox1->setEditText(m_printerFailure.isEmpty() ? QStringLiteral("%1（ありません）").arg(shown)
                                                      : m_printerFailure);
    ComboBox2->clear();
    ComboBox3->clear();
    for (QComboBox* box : {ComboBox1, ComboBox2, ComboBox3}) {
        box->repaint();
    }
}

void TForm_Main::SpeedButton_PRNSETClick()
{
    if (m_missingPrinter) {
        showMissingPrinter();
        return;
    }
    const int number = StrToInt(ToCp932(Label_PrinterIndex));
    TPrinterAccess& printer = PrinterAccess();
    if (!printcommand::SelectPrinterNumber(printer, number)) {
        // A removed printer: the first one is in force and the boxes stay as they were.
        return;
    }
    try {
        registeredsettings::Apply(printer,
                                  registration::Load(registrationFile(), ToCp932(ComboBox_SEL->currentText())));
    } catch (const EPrinterAccess&) {
        // Every job puts the settings in force again and reports what fails then.
    }
    try {
        fillBox(ComboBox1, printer.GetPrinterNames(), [&printer] { return printer.Index(); });
    } catch (const EPrinterAccess&) {
        ComboBox1->setEnabled(false);
        return;
    }
    try {
        fillBox(ComboBox2, printer.GetPaperSizeNames(), [&printer] { return printer.GetPaperSizeIndex(); });
    } catch (const EPrinterAccess&) {
        ComboBox2->setEnabled(false);
        return;
    }
    try {
        fillBox(ComboBox3, printer.GetBinNames(), [&printer] { return printer.GetBinIndex(); });
    } catch (const EPrinterAccess&) {
        ComboBox3->setCurrentIndex(-1);
    }
    for (QComboBox* box : {ComboBox1, ComboBox2, ComboBox3}) {
        box->repaint();
    }
}

void TForm_Main::SpeedButton_Prn_iniClick()
{
    const PrinterRegistration entry = registration::Load(registrationFile(), ToCp932(ComboBox_SEL->currentText()));
    std::vector<std::string> visiblePrinters;
    m_missingPrinter.reset();
    m_printerFailure.clear();
    try {
        visiblePrinters = PrinterAccess().GetPrinterNames();
        if (const std::optional<std::string> missing = registration::MissingPrinter(entry, visiblePrinters)) {
            m_missingPrinter = QString::fromStdString(*missing);
        }
        m_printerFailure = QString::fromStdString(UnreachableRegistered(PrinterAccess(), entry));
        if (!m_printerFailure.isEmpty()) {
            m_missingPrinter = FromCp932(entry.printerName);
        }
    } catch (const EPrinterAccess&) {
        // No printer to find by name; the number stands as registered.
    }
    Label_PrinterIndex = FromCp932(registration::ResolvePrinterIndex(entry, visiblePrinters));
    Label_Prn_Top->setText(FromCp932(margins::WholeMarginText(entry.top)));
    Label_Prn_Left->setText(FromCp932(margins::WholeMarginText(entry.left)));
}

void TForm_Main::SpeedButton_PrnIdGetClick()
{
    SpeedButton_Prn_iniClick();
    SpeedButton_PRNSETClick();
}

void TForm_Main::ComboBox_SELChange()
{
    SpeedButton_PrnIdGetClick();
}

void TForm_Main::BitBtn_PrnSetClick()
{
    SpeedButton_Prn_iniClick();
    SpeedButton_PRNSETClick();
    TPrinterAccess& printer = PrinterAccess();
    const int number = printerNumberOrZero(Label_PrinterIndex);
    printer.SetIndex(number == printer.Index() ? number : 0);
    const std::string section = ToCp932(ComboBox_SEL->currentText());
    const PrinterRegistration before = registration::Load(registrationFile(), section);
    // The margins keep the dots they were registered at, whatever resolution the dialog chooses.
    const printcommand::EffectiveResolution inForce = printcommand::EffectiveResolutionOf(printer);
    const marginresolution::Dpi marginBasis = registeredsettings::MarginBasisOr(before, {inForce.x, inForce.y});
    const bool confirmed = PrinterSetupDialog1->Execute();
    if (m_missingPrinter && !confirmed) {
        // The printer the dialog opened on was never the user's choice.
        return;
    }
    m_missingPrinter.reset();
    m_printerFailure.clear();
    Label_PrinterIndex = QString::number(printer.Index());
    PrinterRegistration entry;
    entry.printerName = ToCp932(printerName());
    entry.printerIndex = ToCp932(Label_PrinterIndex);
    entry.top = ToCp932(Label_Prn_Top->text());
    entry.left = ToCp932(Label_Prn_Left->text());
    registeredsettings::Record(entry, before, printer.Service().driverSettings());
    entry.marginDpi = marginresolution::DpiText(marginBasis);
    registration::Write(registrationFile(), section, entry);
    // Written first: selecting the feed's printer puts its registered settings in force.
    SpeedButton_PRNSETClick();
}

void TForm_Main::BitBtn_PrnSet2Click()
{
    m_positionDialog->exec();
}

void TForm_Main::SpeedButton_F11Click()
{
    const journalprint::LastDayCheck printedBefore = journalprint::CheckPrintedInLastDay(journalFile(), currentSlip());
    if (printedBefore.thisStationOnly) {
        StatusBar1->showMessage(QStringLiteral("共有サーバーに接続できません。この端末の記録だけで確認しました。"));
    }
    if (printedBefore.printedOn &&
        !Prompt::instance().ask(this, duplicateQuestion(*printedBefore.printedOn), Prompt::Default::No)) {
        Edit_G1->setFocus(Qt::OtherFocusReason);
        return;
    }
    requirePrinterInForce();
    const PrintTarget target = printTarget();
    if (!askToPrint(target)) {
        Edit_G1->setFocus(Qt::OtherFocusReason);
        return;
    }
    printSlip(target);
}

bool TForm_Main::askToPrint(const PrintTarget& target)
{
    // A slip that does not fit wastes a form: the user reads what and how far, and "No" is the default.
    std::vector<std::string> warnings = target.warnings();
    const std::vector<std::string> fitWarnings = slipjobs::FitWarnings(target, currentSlip());
    warnings.insert(warnings.end(), fitWarnings.begin(), fitWarnings.end());
    if (warnings.empty()) {
        return Prompt::instance().ask(this, QStringLiteral("印刷しますか?"));
    }
    QStringList lines;
    for (const std::string& warning : warnings) {
        lines << QString::fromStdString(warning);
    }
    lines << QString() << QStringLiteral("このまま印刷しますか?");
    return Prompt::instance().ask(this, lines.join(QLatin1Char('\n')), Prompt::Default::No);
}

void TForm_Main::requirePrinterInForce() const
{
    if (!m_printerFailure.isEmpty()) {
        throw EPrinterAccessServerError(m_printerFailure.toStdString());
    }
    if (m_missingPrinter) {
        const QString name = m_missingPrinter->isEmpty() ? QStringLiteral("番号 %1").arg(Label_PrinterIndex)
                                                         : QStringLiteral("「%1」").arg(*m_missingPrinter);
        throw std::runtime_error(
            QStringLiteral("登録されたプリンタ%1が見つかりません。「セットするプリンタを登録」で選び直してください。")
                .arg(name)
                .toStdString());
    }
}

void TForm_Main::printSlip(const PrintTarget& target)
{
    Label_dpix = QString::number(target.state().dpiX);
    Label_dpiy = QString::number(target.state().dpiY);
    reportJournal(slipjobs::PrintSlip(target, journalFile(), currentSlip()).journalError);
}

std::filesystem::path TForm_Main::registrationFile() const
{
    return registration::RegistrationFile(workingFolder());
}

QString TForm_Main::registrationFolder() const
{
    return Label_CurrentDir;
}

QString TForm_Main::paperSection() const
{
    return ComboBox_SEL->currentText();
}

QString TForm_Main::printerName() const
{
    if (m_missingPrinter) {
        return *m_missingPrinter;
    }
    try {
        TPrinterAccess& printer = PrinterAccess();
        const TPrinterAccess::StringList& names = printer.GetPrinterNames();
        const int index = printer.Index();
        if (index >= 0 && index < static_cast<int>(names.size())) {
            return QString::fromStdString(names[static_cast<std::size_t>(index)]);
        }
    } catch (const EPrinterAccess&) {
        // No printer in force: nothing to name.
    }
    return {};
}

QString TForm_Main::printerIndex() const
{
    return Label_PrinterIndex;
}

QString TForm_Main::marginTop() const
{
    return Label_Prn_Top->text();
}

QString TForm_Main::marginLeft() const
{
    return Label_Prn_Left->text();
}

void TForm_Main::setMargins(const QString& top, const QString& left)
{
    Label_Prn_Top->setText(top);
    Label_Prn_Left->setText(left);
}
