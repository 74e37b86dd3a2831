#include "gui/ShippedFileDialog.h"

#include "journal/Journal.h"
#include "platform/AtomicFile.h"
#include "platform/FilePath.h"
#include "shipping/ShippedExport.h"
#include "shipping/ShippingSettings.h"
#include "widgets/ErrorReport.h"
#include "widgets/Prompt.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr int kCarrierFields = 2;

const shipping::ShippedFormat& formatAt(int index)
{
    return shipping::ShippedFormats()[static_cast<std::size_t>(std::max(index, 0))];
}

} // namespace

ShippedFileDialog::ShippedFileDialog(journal::Journal& journal, std::filesystem::path settingsFile, QWidget* parent)
    : QDialog(parent), m_journal(journal), m_settingsFile(std::move(settingsFile))
{
    setObjectName(QStringLiteral("ShippedFileDialog"));
    setWindowTitle(QStringLiteral("発送完了ファイル"));
    buildControls();
    platformChanged();
}

void ShippedFileDialog::buildControls()
{
    m_platform = new QComboBox(this);
    m_platform->setObjectName(QStringLiteral("shippedPlatform"));
    for (const shipping::ShippedFormat& format : shipping::ShippedFormats()) {
        m_platform->addItem(QString::fromUtf8(format.title.data(), qsizetype(format.title.size())));
    }
    m_oneDay = new QRadioButton(QStringLiteral("この日"), this);
    m_oneDay->setChecked(true);
    auto* since = new QRadioButton(QStringLiteral("この日以降"), this);
    m_date = new QDateEdit(QDate::currentDate(), this);
    m_since = new QDateEdit(QDate::currentDate(), this);
    for (QDateEdit* edit : {m_date, m_since}) {
        edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        edit->setCalendarPopup(true);
        connect(edit, &QDateEdit::dateChanged, this, &ShippedFileDialog::recount);
    }
    connect(m_oneDay, &QRadioButton::toggled, this, &ShippedFileDialog::recount);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("出力先"), m_platform);
    form->addRow(m_oneDay, m_date);
    form->addRow(since, m_since);
    for (int i = 0; i < kCarrierFields; ++i) {
        m_carrierLabels.push_back(new QLabel(this));
        m_carrier.push_back(new QLineEdit(this));
        m_carrier.back()->setObjectName(QStringLiteral("shippedCarrier%1").arg(i));
        form->addRow(m_carrierLabels.back(), m_carrier.back());
    }
    connect(m_platform, &QComboBox::currentIndexChanged, this, &ShippedFileDialog::platformChanged);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("shippedCount"));

    auto* save = new QPushButton(QStringLiteral("保存…"), this);
    save->setObjectName(QStringLiteral("shippedSave"));
    connect(save, &QPushButton::clicked, this, [this] { RunReported(this, [this] { this->save(); }); });
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_count);
    layout->addLayout(buttons);
}

void ShippedFileDialog::platformChanged()
{
    const shipping::ShippedFormat& format = formatAt(m_platform->currentIndex());
    const shipping::CarrierValues values = shipping::ReadCarrierValues(m_settingsFile, format);
    for (std::size_t i = 0; i < m_carrier.size(); ++i) {
        const bool used = i < format.carrier.size();
        m_carrier[i]->setVisible(used);
        m_carrierLabels[i]->setVisible(used);
        if (used) {
            const shipping::CarrierSetting& setting = format.carrier[i];
            m_carrierLabels[i]->setText(QString::fromUtf8(setting.label.data(), qsizetype(setting.label.size())));
            m_carrier[i]->setText(QString::fromStdString(setting.key == "carrierCode" ? values.code : values.name));
        }
    }
    recount();
}

void ShippedFileDialog::recount()
{
    const QDate from = m_oneDay->isChecked() ? m_date->date() : m_since->date();
    const QDate to = m_oneDay->isChecked() ? m_date->date() : QDate::currentDate();
    try {
        const shipping::ShippedExport shipped =
            shipping::ExportShipped(m_journal, formatAt(m_platform->currentIndex()), from, to, {});
        const std::string leftOut = shipping::LeftOutSummary(shipped);
        m_count->setText(
            QStringLiteral("%1件%2")
                .arg(shipped.ids.size())
                .arg(leftOut.empty() ? QString() : QStringLiteral("（%1）").arg(QString::fromStdString(leftOut))));
    } catch (const std::exception& error) {
        m_count->setText(QString::fromUtf8(error.what()));
    }
}

void ShippedFileDialog::save()
{
    const shipping::ShippedFormat& format = formatAt(m_platform->currentIndex());
    shipping::CarrierValues carrier;
    for (std::size_t i = 0; i < format.carrier.size(); ++i) {
        (format.carrier[i].key == "carrierCode" ? carrier.code : carrier.name) = m_carrier[i]->text().toStdString();
    }
    shipping::WriteCarrierValues(m_settingsFile, format, carrier);
    const QDate from = m_oneDay->isChecked() ? m_date->date() : m_since->date();
    const QDate to = m_oneDay->isChecked() ? m_date->date() : QDate::currentDate();
    const QString suggested = QStringLiteral("%1-%2.%3")
                                  .arg(QString::fromUtf8(format.name.data(), qsizetype(format.name.size())),
                                       from.toString(QStringLiteral("yyyyMMdd")),
                                       format.separator == '\t' ? QStringLiteral("txt") : QStringLiteral("csv"));
    const QString path = QFileDialog::getSaveFileName(this, windowTitle(), suggested);
    if (path.isEmpty()) {
        return;
    }
    const shipping::ShippedExport shipped = shipping::ExportShipped(m_journal, format, from, to, carrier);
    AtomicFile::Write(ToPath(path), shipped.content);
    m_journal.markExported(shipped.ids, std::string(format.name));
    const std::string leftOut = shipping::LeftOutSummary(shipped);
    Prompt::instance().notify(
        this, QStringLiteral("%1件を出力しました%2")
                  .arg(shipped.ids.size())
                  .arg(leftOut.empty() ? QString() : QStringLiteral("（%1）").arg(QString::fromStdString(leftOut))));
}
