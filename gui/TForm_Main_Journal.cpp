#include "gui/TForm_Main.h"

#include "gui/HistoryWindow.h"
#include "jobs/JournalledPrint.h"
#include "jobs/SlipJobs.h"
#include "journal/Journal.h"
#include "journal/JournalChoice.h"
#include "journal/Outbox.h"
#include "journal/ServerAddress.h"
#include "journal/ServerBackoff.h"
#include "printers/TPrinterAccess.h"
#include "widgets/Prompt.h"

#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTcpSocket>
#include <QTimer>

#include <functional>
#include <optional>

namespace {

constexpr int kPostgresPort = 5432;
constexpr int kKnockMilliseconds = 3000;

// Calls `answered` once, from the event loop: true when the port took a connection in time.
void knockAt(QObject* owner, const QString& host, int port, const std::function<void(bool)>& answered)
{
    auto* socket = new QTcpSocket(owner);
    auto* deadline = new QTimer(socket);
    const auto finish = [socket, deadline, answered](bool open) {
        deadline->stop();
        socket->disconnect();
        socket->abort();
        socket->deleteLater();
        answered(open);
    };
    QObject::connect(socket, &QTcpSocket::connected, socket, [finish] { finish(true); });
    QObject::connect(socket, &QTcpSocket::errorOccurred, socket, [finish] { finish(false); });
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, socket, [finish] { finish(false); });
    deadline->start(kKnockMilliseconds);
    socket->connectToHost(host, static_cast<quint16>(port));
}

} // namespace

void TForm_Main::SpeedButton_F5Click()
{
    if (m_history == nullptr) {
        m_history = new HistoryWindow(*this, this);
        m_history->setAttribute(Qt::WA_DeleteOnClose);
    } else {
        m_history->reload();
    }
    m_history->show();
    m_history->raise();
    m_history->activateWindow();
}

std::filesystem::path TForm_Main::journalFile() const
{
    return journal::Journal::In(workingFolder());
}

void TForm_Main::loadFromJournal(const Slip& slip)
{
    const auto set = [](QLineEdit* edit, const std::string& text) { edit->setText(QString::fromStdString(text)); };
    set(Edit_Zip, slip.recipient.zip);
    set(Edit_Add1, slip.recipient.address1);
    set(Edit_Add2, slip.recipient.address2);
    set(Edit_Custo1, slip.recipient.name);
    set(Edit_tel, slip.recipient.tel);
    set(Edit_G1, slip.goods[0]);
    set(Edit_G2, slip.goods[1]);
    set(Edit_G3, slip.goods[2]);
    setKosuuText(QString::fromStdString(slip.pieceCount));
    set(Edit_MyZip, slip.sender.zip);
    set(Edit_MyADD1, slip.sender.address1);
    set(Edit_MyADD2, slip.sender.address2);
    set(Edit_My, slip.sender.name);
    set(Edit_MyTEL, slip.sender.tel);
}

void TForm_Main::reprintFromJournal(const journal::JournalEntry& entry, bool keepDate)
{
    TPrinterAccess& printer = PrinterAccess();
    const int before = printer.Index();
    const auto restore = [&] {
        // The window's printer stays the one its paper selection registered.
        if (printer.Index() != before) {
            SpeedButton_PRNSETClick();
        }
    };
    journalprint::Outcome outcome;
    try {
        outcome = slipjobs::Reprint(printer, journalFile(), entry, {}, keepDate);
    } catch (...) {
        restore();
        throw;
    }
    restore();
    reportJournal(outcome.journalError);
}

void TForm_Main::reportJournal(const std::string& error)
{
    showJournalOutbox();
    if (error.empty()) {
        return;
    }
    StatusBar1->showMessage(QStringLiteral("印刷の履歴に記録できませんでした"));
    Prompt::instance().notify(this, QStringLiteral("送り状は印刷しましたが、印刷の履歴に記録できませんでした。\n%1")
                                        .arg(QString::fromStdString(error)));
}

void TForm_Main::watchJournalOutbox()
{
    Label_JournalOutbox = new QLabel(StatusBar1);
    Label_JournalOutbox->setObjectName(QStringLiteral("Label_JournalOutbox"));
    StatusBar1->addPermanentWidget(Label_JournalOutbox);
    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer_JournalOutbox"));
    timer->setInterval(journal::backoff::kSeconds * 1000);
    connect(timer, &QTimer::timeout, this, &TForm_Main::sendJournalOutbox);
    timer->start();
    showJournalOutbox();
    // Entries left waiting by an earlier session go as soon as the window is up, not a tick later.
    QTimer::singleShot(0, this, [this] {
        if (!Label_JournalOutbox->text().isEmpty()) {
            sendJournalOutbox();
        }
    });
}

// The window asks the server only once its port answers, and does not wait for that: a host
// that drops packets would otherwise hold the window for the whole connect timeout.
void TForm_Main::sendJournalOutbox()
{
    if (m_knockingAtServer) {
        return;
    }
    std::optional<journal::ServerAddress> server;
    try {
        const std::string uri = journal::ReadChoice(std::filesystem::absolute(journalFile()).parent_path()).server;
        if (!uri.empty()) {
            server = journal::ParseServerUri(uri);
        }
    } catch (const journal::JournalError&) {
        // The job that tries it says what is wrong with the address.
    }
    if (!server || server->host.isEmpty() || server->host.startsWith(QLatin1Char('/'))) {
        sendJournalOutboxNow();
        return;
    }
    m_knockingAtServer = true;
    const std::string name = server->name;
    knockAt(this, server->host, server->port > 0 ? server->port : kPostgresPort, [this, name](bool open) {
        m_knockingAtServer = false;
        if (open) {
            journal::backoff::Answered(name);
            sendJournalOutboxNow();
        } else {
            journal::backoff::Failed(name);
            showJournalOutbox();
        }
    });
}

void TForm_Main::sendJournalOutboxNow()
{
    try {
        journal::SendKept(journalFile());
    } catch (const journal::JournalError&) {
        // Still away: the status line says so, and the next tick tries again.
    }
    showJournalOutbox();
}

void TForm_Main::showJournalOutbox()
{
    std::int64_t pending = 0;
    try {
        pending = journal::PendingCount(journalFile());
    } catch (const journal::JournalError&) {
        // The file cannot be read now; the count shows again once it can.
    }
    const bool away = journal::ServerAway(journalFile());
    Label_JournalOutbox->setText(
        pending > 0 || away ? QStringLiteral("共有サーバーに接続できません — 未送信 %1 件").arg(pending) : QString());
}
