#include "gui/JournalServerDialog.h"

#include "journal/Journal.h"
#include "journal/JournalChoice.h"
#include "journal/JournalEntry.h"
#include "journal/Outbox.h"
#include "journal/ServerProbe.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

QString describe(const journal::ServerAnswer& answer)
{
    const QString journal = answer.journalVersion == 0
                                ? QStringLiteral("履歴はまだありません（最初の印刷で作られます）。")
                                : QStringLiteral("履歴があります（版 %1）。").arg(answer.journalVersion);
    return QStringLiteral("接続できました: %1\n%2").arg(QString::fromStdString(answer.serverVersion), journal);
}

} // namespace

JournalServerDialog::JournalServerDialog(const std::filesystem::path& folder, QWidget* parent)
    : QDialog(parent), m_folder(folder)
{
    setObjectName(QStringLiteral("JournalServerDialog"));
    setWindowTitle(QStringLiteral("共有サーバー"));
    m_uri = new QLineEdit(this);
    m_uri->setObjectName(QStringLiteral("journalServerUri"));
    m_uri->setPlaceholderText(QStringLiteral("postgresql://packing@192.168.1.10:5432/mivo"));
    m_uri->setText(QString::fromStdString(journal::ReadChoice(folder).server));
    m_answer = new QLabel(QStringLiteral("空欄にすると、この作業フォルダの履歴ファイルを使います。"
                                         "パスワードは ~/.pgpass に置いてください。"),
                          this);
    m_answer->setObjectName(QStringLiteral("journalServerAnswer"));
    m_answer->setWordWrap(true);
    m_answer->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* test = buttons->addButton(QStringLiteral("接続テスト"), QDialogButtonBox::ActionRole);
    test->setObjectName(QStringLiteral("journalServerTest"));
    connect(test, &QPushButton::clicked, this, &JournalServerDialog::testConnection);
    QPushButton* upload =
        buttons->addButton(QStringLiteral("この端末の記録をアップロード"), QDialogButtonBox::ActionRole);
    upload->setObjectName(QStringLiteral("journalServerUpload"));
    connect(upload, &QPushButton::clicked, this, &JournalServerDialog::uploadLocalJournal);
    connect(buttons, &QDialogButtonBox::accepted, this, &JournalServerDialog::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("接続先(&U):"), m_uri);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_answer);
    layout->addWidget(buttons);
    resize(560, sizeHint().height());
}

void JournalServerDialog::testConnection()
{
    const std::string uri = m_uri->text().trimmed().toStdString();
    if (uri.empty()) {
        m_answer->setText(QStringLiteral("接続先が空欄です: この作業フォルダの履歴ファイルを使います。"));
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        const journal::ServerAnswer answer = journal::ProbeServer(uri);
        m_answer->setText(describe(answer));
    } catch (const journal::JournalError& error) {
        m_answer->setText(QStringLiteral("接続できません: %1").arg(QString::fromUtf8(error.what())));
    }
    QGuiApplication::restoreOverrideCursor();
}

// The entries go to the server the folder keeps, so an address being edited is saved first.
void JournalServerDialog::uploadLocalJournal()
{
    const std::string uri = m_uri->text().trimmed().toStdString();
    if (uri.empty() || uri != journal::ReadChoice(m_folder).server) {
        m_answer->setText(QStringLiteral("接続先を保存してから（OK を押してから）アップロードしてください。"));
        return;
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        const journal::UploadCount count = journal::UploadFile(journal::Journal::In(m_folder));
        m_answer->setText(QStringLiteral("%1 件をアップロードしました（%2 件はサーバーにありました）。")
                              .arg(count.uploaded)
                              .arg(count.alreadyThere));
    } catch (const journal::JournalError& error) {
        m_answer->setText(QStringLiteral("アップロードできません: %1").arg(QString::fromUtf8(error.what())));
    }
    QGuiApplication::restoreOverrideCursor();
}

void JournalServerDialog::save()
{
    try {
        journal::WriteServer(m_folder, m_uri->text().toStdString());
        accept();
    } catch (const std::runtime_error& error) {
        // An address refused, or the file not written: the old choice stands.
        m_answer->setText(QStringLiteral("保存できません: %1").arg(QString::fromUtf8(error.what())));
    }
}
