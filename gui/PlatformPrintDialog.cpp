#include "gui/PlatformPrintDialog.h"

#include "printers/TPrinterAccess.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPushButton>

#include <cmath>

namespace {

// The platform's bin numbers run one ahead of Qt's paper sources up to the tractor feed.
constexpr int kLastSharedSource = QPrinter::Tractor;

// Where Qt's print engine keeps the driver's options the user changed, as keyword and value
// pairs.
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

bool SamePaper(const QPageSize& size, const Capability& paper)
{
    if (!paper.name.empty() && size.name() == QString::fromStdString(paper.name)) {
        return true;
    }
    const QSizeF points = size.size(QPageSize::Point);
    return paper.widthPt > 0 && std::abs(points.width() - paper.widthPt) < 1 &&
           std::abs(points.height() - paper.heightPt) < 1;
}

// Qt's properties dialog opens on the driver's defaults: it is set to what is in force
// before the user sees it, and whether the user confirmed it is noted.
class PropertiesWatch : public QObject
{
public:
    PropertiesWatch(QDialog& dialog, const DialogChoice& choice, bool setupOnly, bool builtIn)
        : m_dialog(dialog), m_choice(choice), m_setupOnly(setupOnly), m_builtIn(builtIn)
    {
        dialog.installEventFilter(this);
        qApp->installEventFilter(this);
    }

    bool confirmed = false;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show) {
            return false;
        }
        if (watched == &m_dialog && !m_shown) {
            m_shown = true;
            showMain();
        } else if (auto* properties = qobject_cast<QDialog*>(watched); properties && properties != &m_dialog &&
                                                                       properties->parent() == &m_dialog &&
                                                                       !properties->property("mivoPreset").toBool()) {
            properties->setProperty("mivoPreset", true);
            if (printerUnchanged()) {
                preset(*properties);
            }
            QObject::connect(properties, &QDialog::accepted, this, [this] { confirmed = true; });
        }
        return false;
    }

private:
    void showMain()
    {
        auto* printers = m_dialog.findChild<QComboBox*>(QStringLiteral("printers"));
        // The built-in printer stands for Qt's "print to file", listed last.
        if (m_builtIn && printers) {
            printers->setCurrentIndex(printers->count() - 1);
        }
        m_shownPrinter = printers ? printers->currentIndex() : -1;
        // The file name is the built-in printer's business.
        for (const char* name : {"filename", "lOutput", "fileBrowser"}) {
            if (auto* widget = m_dialog.findChild<QWidget*>(QLatin1String(name))) {
                widget->hide();
            }
        }
        if (!m_setupOnly) {
            return;
        }
        for (auto* buttons : m_dialog.findChildren<QDialogButtonBox*>(Qt::FindDirectChildrenOnly)) {
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) {
                ok->setText(QStringLiteral("OK"));
            }
        }
    }

    bool printerUnchanged() const
    {
        auto* printers = m_dialog.findChild<QComboBox*>(QStringLiteral("printers"));
        return printers && printers->currentIndex() == m_shownPrinter;
    }

    void preset(QDialog& properties) const
    {
        if (auto* sizes = properties.findChild<QComboBox*>(QStringLiteral("pageSizeCombo"));
            sizes && m_choice.paperSize) {
            for (int i = 0; i < sizes->count(); ++i) {
                if (SamePaper(sizes->itemData(i).value<QPageSize>(), *m_choice.paperSize)) {
                    sizes->setCurrentIndex(i);
                }
            }
        }
        for (const DialogChoice::DriverOption& option : m_choice.driverOptions) {
            presetOption(properties, option);
        }
    }

    // The driver's options have boxes without names; the one listing this option's choices is
    // the one.
    static void presetOption(QDialog& properties, const DialogChoice::DriverOption& option)
    {
        QString current;
        for (const auto& [keyword, text] : option.choices) {
            if (keyword == option.current) {
                current = QString::fromStdString(text);
            }
        }
        for (auto* box : properties.findChildren<QComboBox*>()) {
            const bool listsAll = std::all_of(option.choices.begin(), option.choices.end(), [&](const auto& choice) {
                return box->findText(QString::fromStdString(choice.second)) >= 0;
            });
            if (box->count() == static_cast<int>(option.choices.size()) && listsAll && !current.isEmpty()) {
                box->setCurrentIndex(box->findText(current));
            }
        }
    }

    QDialog& m_dialog;
    const DialogChoice& m_choice;
    bool m_setupOnly;
    bool m_builtIn;
    bool m_shown = false;
    int m_shownPrinter = -1;
};

void TakeDriverOptions(const QPrinter& printer, DialogChoice& choice)
{
    const QStringList pairs = printer.printEngine()->property(kCupsOptions).toStringList();
    for (DialogChoice::DriverOption& option : choice.driverOptions) {
        // An option Qt does not list was left at the driver's default.
        option.current = option.byDefault;
        for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
            if (pairs[i] == QString::fromStdString(option.keyword)) {
                option.current = pairs[i + 1].toStdString();
            }
        }
    }
}

} // namespace

PrintDialogRunner QtPrintDialogRunner(QWidget* parent, bool setupOnly)
{
    return [parent, setupOnly](DialogChoice& choice) {
        QPrinter printer(QPrinter::HighResolution);
        const std::vector<std::string> names = PrinterAccess().GetPrinterNames();
        const std::string builtIn = names.empty() ? std::string() : names.back();
        const bool onBuiltIn = choice.printer == builtIn;
        if (onBuiltIn) {
            printer.setOutputFormat(QPrinter::PdfFormat);
        } else {
            printer.setPrinterName(QString::fromStdString(choice.printer));
        }
        if (choice.paperSize && choice.paperSize->widthPt > 0) {
            const Capability& paper = *choice.paperSize;
            printer.setPageSize(
                QPageSize(QSizeF(paper.widthPt, paper.heightPt), QPageSize::Point, QString::fromStdString(paper.name)));
        }
        if (choice.bin && *choice.bin >= 1 && *choice.bin - 1 <= kLastSharedSource) {
            printer.setPaperSource(static_cast<QPrinter::PaperSource>(*choice.bin - 1));
        }

        const QPrinter::PaperSource presetSource = printer.paperSource();

        QPrintDialog dialog(&printer, parent);
        // Without PrintShowPageSize Qt hides the properties button, the only place to choose
        // paper size and source.
        if (setupOnly) {
            dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
        }
        PropertiesWatch watch(dialog, choice, setupOnly, onBuiltIn);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }

        const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
        const std::string chosen = toFile ? builtIn : printer.printerName().toStdString();
        const bool samePrinter = chosen == choice.printer;
        choice.printer = chosen;
        // Confirmed unchanged, the dialog changes nothing: Qt would report its driver defaults.
        if (samePrinter && !watch.confirmed) {
            return true;
        }

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
        if (source != presetSource && source <= kLastSharedSource) {
            choice.bin = static_cast<std::int16_t>(source + 1);
        }
        if (samePrinter) {
            TakeDriverOptions(printer, choice);
        } else {
            choice.driverOptions.clear();
        }
        return true;
    };
}

bool ExecuteRefreshing(const PrintDialogRunner& runner)
{
    TPrinterAccess& access = PrinterAccess();
    DialogChoice choice = access.Service().dialogChoice();
    if (!runner(choice)) {
        return false;
    }
    access.Service().applyDialogChoice(choice);
    access.Refresh();
    return true;
}
