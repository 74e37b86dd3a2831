#include "gui/ConsecutiveNumbersDialog.h"
#include "gui/TrackingScanDialog.h"
#include "journal/Journal.h"
#include "shipping/ShippingSettings.h"
#include "tests/support/ScriptedPrompt.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

// Numbers scanned at the packing bench (digits, then Enter, as a scanner types them) and the
// consecutive numbering of a job, into the journal.
namespace {

journal::JournalEntry printed(const std::string& name)
{
    journal::JournalEntry entry;
    entry.time = QDateTime::currentDateTime();
    entry.orderNumber = "R-" + name;
    entry.slip.recipient = {"503-0001", "岐阜県大垣市林町1", "", name, "0584-11-2222"};
    return entry;
}

void scan(QLineEdit* input, const QString& digits)
{
    QTest::keyClicks(input, digits);
    QTest::keyClick(input, Qt::Key_Return);
}

} // namespace

class TestTrackingScan : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_journalFile = journal::Journal::In(m_dir->path().toStdString());
        journal::Journal journal(m_journalFile);
        m_ids = journal.recordJobs({printed("一"), printed("二"), printed("三")});
        m_other = journal.recordJob(printed("他"));
        journal.setTrackingNumbers({{m_other, "5555555555"}});
    }

    void scansIntoTheNextSlip()
    {
        ScriptedPrompt prompt;
        TrackingScanDialog dialog(m_journalFile, shipping::SettingsFileIn(m_dir->path().toStdString()), m_ids);
        auto* input = dialog.findChild<QLineEdit*>(QStringLiteral("scanInput"));
        auto* message = dialog.findChild<QLabel*>(QStringLiteral("scanMessage"));
        scan(input, QStringLiteral("A1234567890B"));
        QVERIFY(message->text().contains(QStringLiteral("一")));
        scan(input, QStringLiteral("5555555555")); // held by another slip: nothing assigned
        QVERIFY(message->text().contains(QString::number(m_other)));
        QCOMPARE(message->palette().color(QPalette::WindowText), QColor(Qt::red));
        scan(input, QStringLiteral("1234567891"));
        dialog.findChild<QPushButton*>(QStringLiteral("scanUndo"))->click();
        scan(input, QStringLiteral("1234567892"));

        journal::Journal journal(m_journalFile);
        QCOMPARE(journal.find(m_ids[0])->trackingNumber, std::string("1234567890"));
        QCOMPARE(journal.find(m_ids[1])->trackingNumber, std::string("1234567892"));
        QCOMPARE(journal.find(m_ids[2])->trackingNumber, std::string());
        QCOMPARE(dialog.findChild<QTableWidget*>(QStringLiteral("scanList"))->item(1, 3)->text(),
                 QStringLiteral("1234567892"));
    }

    void numbersConsecutivelyAfterConfirmation()
    {
        ScriptedPrompt prompt;
        ConsecutiveNumbersDialog dialog(m_journalFile, shipping::SettingsFileIn(m_dir->path().toStdString()), m_ids);
        auto* store = dialog.findChild<QPushButton*>(QStringLiteral("consecutiveStore"));
        QVERIFY(!store->isEnabled());
        dialog.findChild<QLineEdit*>(QStringLiteral("firstNumber"))->setText(QStringLiteral("5555555553"));
        QVERIFY(!store->isEnabled()); // the third number is another slip's
        dialog.findChild<QLineEdit*>(QStringLiteral("firstNumber"))->setText(QStringLiteral("0000000098"));
        QCOMPARE(dialog.findChild<QTableWidget*>(QStringLiteral("consecutiveList"))->item(2, 3)->text(),
                 QStringLiteral("0000000100"));
        QCOMPARE(journal::Journal(m_journalFile).find(m_ids[0])->trackingNumber, std::string()); // not yet
        store->click();
        QCOMPARE(journal::Journal(m_journalFile).find(m_ids[2])->trackingNumber, std::string("0000000100"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::filesystem::path m_journalFile;
    std::vector<std::int64_t> m_ids;
    std::int64_t m_other = 0;
};

QTEST_MAIN(TestTrackingScan)
#include "tst_trackingscan.moc"
