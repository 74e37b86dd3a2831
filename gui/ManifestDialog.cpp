#include "gui/ManifestDialog.h"

#include "jobs/BatchPrint.h"
#include "jobs/StartSlip.h"
#include "journal/Journal.h"
#include "platform/FilePath.h"
#include "shipping/ManifestDrawing.h"
#include "shipping/ManifestPdf.h"
#include "widgets/ErrorReport.h"
#include "widgets/Prompt.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

ManifestDialog::ManifestDialog(journal::Journal& journal, std::filesystem::path folder, QWidget* parent)
    : QDialog(parent), m_journal(journal), m_folder(std::move(folder))
{
    setObjectName(QStringLiteral("ManifestDialog"));
    setWindowTitle(QStringLiteral("出荷一覧"));
    buildControls();
    recount();
}

void ManifestDialog::buildControls()
{
    m_date = new QDateEdit(QDate::currentDate(), this);
    m_date->setObjectName(QStringLiteral("manifestDate"));
    m_date->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    m_date->setCalendarPopup(true);
    connect(m_date, &QDateEdit::dateChanged, this, &ManifestDialog::recount);
    m_sender = new QComboBox(this);
    m_sender->setObjectName(QStringLiteral("manifestSender"));
    m_sender->addItem(QStringLiteral("すべてのご依頼主"));
    for (int number = 1; number <= 10; ++number) {
        m_sender->addItem(QStringLiteral("ご依頼主%1").arg(number));
    }
    connect(m_sender, &QComboBox::currentIndexChanged, this, [this] { RunReported(this, [this] { recount(); }); });
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("manifestCount"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("発送日"), m_date);
    form->addRow(QStringLiteral("ご依頼主"), m_sender);

    auto* print = new QPushButton(QStringLiteral("印刷…"), this);
    print->setObjectName(QStringLiteral("manifestPrint"));
    connect(print, &QPushButton::clicked, this, [this] { RunReported(this, [this] { this->print(); }); });
    auto* pdf = new QPushButton(QStringLiteral("PDFに保存…"), this);
    pdf->setObjectName(QStringLiteral("manifestPdf"));
    connect(pdf, &QPushButton::clicked, this, [this] { RunReported(this, [this] { savePdf(); }); });
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {print, pdf, close}) {
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_count);
    layout->addLayout(buttons);
}

shipping::Manifest ManifestDialog::manifest()
{
    std::optional<SlipAddress> sender;
    if (m_sender->currentIndex() > 0) {
        sender = SenderAddress(RegisteredSender(m_folder, m_sender->currentIndex()));
    }
    const QDate date = m_date->date();
    return shipping::BuildManifest(m_journal.printedOn(date, date), date, sender);
}

void ManifestDialog::recount()
{
    const shipping::Manifest list = manifest();
    m_count->setText(QStringLiteral("送り状 %1枚　個数 %2個　（%3ページ）")
                         .arg(list.lines.size())
                         .arg(list.pieces())
                         .arg(shipping::ManifestPageCount(list)));
}

void ManifestDialog::print()
{
    const shipping::Manifest list = manifest();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw std::runtime_error("印刷を始められません");
    }
    shipping::PaintManifest(list, printer, painter, printer.resolution());
    painter.end();
}

void ManifestDialog::savePdf()
{
    const shipping::Manifest list = manifest();
    const QString suggested = QStringLiteral("出荷一覧-%1.pdf").arg(list.date.toString(QStringLiteral("yyyyMMdd")));
    const QString path = QFileDialog::getSaveFileName(this, windowTitle(), suggested, QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty()) {
        return;
    }
    shipping::WriteManifestPdf(list, ToPath(path));
    Prompt::instance().notify(this, QStringLiteral("%1 に保存しました").arg(path));
}
