#include "platform/Cp932.h"
#include "shipping/ShippedExport.h"
#include "shipping/ShippingSettings.h"
#include "tests/shipping/ShippingSamples.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The platforms' shipped files from a journal: exactly the rows and bytes each platform
// reads, the entries left out counted, the same day giving the same file; and the journal's
// tracking numbers, unique, on files written before they existed.
using namespace shippingsamples;
using journal::Journal;

namespace {

std::string exported(Journal& journal, const char* platform, const QDate& from, const QDate& to)
{
    const shipping::ShippedFormat& format = *shipping::FindShippedFormat(platform);
    const shipping::CarrierValues carrier = shipping::ReadCarrierValues("/nonexistent/mivo_shipping.ini", format);
    return shipping::ExportShipped(journal, format, from, to, carrier).content;
}

// Two numbered orders of 7 December, one without a number, one typed without an order, a
// failed job, and a numbered order of the day after.
void fillDay(Journal& journal)
{
    const auto ids = journal.recordJobs(
        {Printed("R-1", At(7, 9)), Printed("R-2", At(7, 10)), Printed("R-3", At(7, 11)), Printed("", At(7, 12)),
         Printed("R-5", At(7, 13), "x", journal::JobStatus::Failed), Printed("R-6", At(8, 9))});
    journal.setTrackingNumbers({{ids[0], "1234567890"},
                                {ids[1], "1234567901"},
                                {ids[3], "5555555555"},
                                {ids[4], "6666666666"},
                                {ids[5], "7777777777"}});
}

} // namespace

class TestShippedFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        m_journal = std::make_unique<Journal>(Journal::In(m_folder->path().toStdString()));
    }

    void writesEachPlatformsRows_data()
    {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<bool>("cp932");
        QTest::addColumn<QString>("expected");
        QTest::newRow("rakuten") << "rakuten" << true
                                 << "注文番号,送付先ID,発送明細ID,お荷物伝票番号,配送会社,発送日\r\n"
                                    "R-1,,,1234567890,1004,2026-12-07\r\n"
                                    "R-2,,,1234567901,1004,2026-12-07\r\n";
        QTest::newRow("amazon") << "amazon" << true
                                << "TemplateType=OrderFulfillment\tVersion=2011.1102\t"
                                   "この行はAmazonが使用しますので変更や削除しないでください。\r\n"
                                   "注文番号\t注文商品番号\t出荷数\t出荷日\t配送業者コード\t配送業者名\t"
                                   "お問い合わせ伝票番号\t配送方法\r\n"
                                   "order-id\torder-item-id\tquantity\tship-date\tcarrier-code\tcarrier-name\t"
                                   "tracking-number\tship-method\r\n"
                                   "R-1\t\t\t2026-12-07\tOther\t西濃運輸\t1234567890\t\r\n"
                                   "R-2\t\t\t2026-12-07\tOther\t西濃運輸\t1234567901\t\r\n";
        QTest::newRow("generic") << "generic" << false
                                 << "order,tracking_number,ship_date,carrier,tracking_url\r\n"
                                    "R-1,1234567890,2026-12-07,西濃運輸,"
                                    "https://track.seino.co.jp/cgi-bin/gnpquery.pgm?GNPNO1=1234567890\r\n"
                                    "R-2,1234567901,2026-12-07,西濃運輸,"
                                    "https://track.seino.co.jp/cgi-bin/gnpquery.pgm?GNPNO1=1234567901\r\n";
    }
    void writesEachPlatformsRows()
    {
        QFETCH(QString, platform);
        QFETCH(bool, cp932);
        QFETCH(QString, expected);
        fillDay(*m_journal);
        const std::string bytes =
            exported(*m_journal, platform.toLatin1().constData(), QDate(2026, 12, 7), QDate(2026, 12, 7));
        const std::string want = expected.toStdString();
        QCOMPARE(QString::fromStdString(bytes), QString::fromStdString(cp932 ? cp932::FromUtf8(want) : want));
    }

    void countsWhatWasLeftOut()
    {
        fillDay(*m_journal);
        const shipping::ShippedExport shipped =
            shipping::ExportShipped(*m_journal, *shipping::FindShippedFormat("generic"), QDate(2026, 12, 7),
                                    QDate(2026, 12, 8), {"", "西濃運輸"});
        QCOMPARE(shipped.ids.size(), std::size_t(3)); // of the next day
        QCOMPARE(shipped.withoutNumber, std::size_t(1));
        QCOMPARE(shipped.withoutOrder, std::size_t(1));
        QCOMPARE(QString::fromStdString(shipping::LeftOutSummary(shipped)),
                 QStringLiteral("番号なし 1件、注文番号なし 1件"));
    }

    void exportsTheSameDayAlike()
    {
        fillDay(*m_journal);
        const QDate day(2026, 12, 7);
        const shipping::ShippedExport first =
            shipping::ExportShipped(*m_journal, *shipping::FindShippedFormat("rakuten"), day, day, {"1004", ""});
        m_journal->markExported(first.ids, "rakuten");
        QCOMPARE(exported(*m_journal, "rakuten", day, day), first.content);
        const auto entry = m_journal->find(first.ids.front());
        QCOMPARE(entry->exportedTo, std::vector<std::string>{"rakuten"});
        m_journal->markExported(first.ids, "amazon");
        QCOMPARE(m_journal->find(first.ids.front())->exportedTo.size(), std::size_t(2));
    }

    void quotesCellsThatNeedIt()
    {
        const auto id = m_journal->recordJob(Printed("A,\"1\"", At(7, 9)));
        m_journal->setTrackingNumbers({{id, "1234567890"}});
        const std::string bytes = exported(*m_journal, "generic", QDate(2026, 12, 7), QDate(2026, 12, 7));
        QVERIFY(QString::fromStdString(bytes).contains(QStringLiteral("\"A,\"\"1\"\"\",1234567890,")));
    }

    void readsCarrierValuesFromTheSettings()
    {
        const std::filesystem::path file = shipping::SettingsFileIn(m_folder->path().toStdString());
        const shipping::ShippedFormat& amazon = *shipping::FindShippedFormat("amazon");
        shipping::WriteCarrierValues(file, amazon, {"Seino", "西濃運輸株式会社"});
        const shipping::CarrierValues values = shipping::ReadCarrierValues(file, amazon);
        QCOMPARE(values.code, std::string("Seino"));
        QCOMPARE(values.name, std::string("西濃運輸株式会社"));
        QCOMPARE(shipping::ReadCarrierValues(file, *shipping::FindShippedFormat("rakuten")).code, std::string("1004"));
        shipping::WriteCheckDigitRule(file, shipping::CheckDigitRule::Mod7);
        QCOMPARE(shipping::ReadCheckDigitRule(file), shipping::CheckDigitRule::Mod7);
    }

    void givesANumberToOneEntryOnly()
    {
        const auto ids = m_journal->recordJobs({Printed("R-1", At(7, 9)), Printed("R-2", At(7, 9))});
        m_journal->setTrackingNumbers({{ids[0], "1234567890"}});
        try {
            m_journal->setTrackingNumbers({{ids[1], "0000000001"}, {ids[1], "1234567890"}});
            QFAIL("a number held by another entry was given");
        } catch (const journal::TrackingNumberTaken& taken) {
            QCOMPARE(taken.holder(), ids[0]);
        }
        // The action was refused whole: the first assignment of it did not stay.
        QCOMPARE(m_journal->find(ids[1])->trackingNumber, std::string());
        QVERIFY_THROWS_EXCEPTION(journal::NoSuchEntry, m_journal->setTrackingNumbers({{9999, "1"}}));
        // Numbers move between entries of one action.
        m_journal->setTrackingNumbers({{ids[0], "1234567891"}, {ids[1], "1234567890"}});
        QCOMPARE(m_journal->holderOf("1234567890"), std::optional<std::int64_t>(ids[1]));
    }

    void readsAJournalWrittenBeforeNumbers()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("mivo_journal.db"));
        QVERIFY(QFile::copy(QStringLiteral(SHIPPING_DATA "/journal-v1.db"), file));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        Journal journal(file.toStdString());
        const std::vector<journal::JournalEntry> entries = journal.search({});
        QCOMPARE(entries.size(), std::size_t(2));
        for (const journal::JournalEntry& entry : entries) {
            QCOMPARE(entry.trackingNumber, std::string());
            QVERIFY(entry.exportedTo.empty());
        }
        journal.setTrackingNumbers({{entries[0].id, "1234567890"}});
        QCOMPARE(journal.find(entries[0].id)->trackingNumber, std::string("1234567890"));
    }

    // A window holds the journal open for reading; a number typed or a file exported there
    // must still land in a journal written before numbers, and reading must not upgrade it.
    void numbersLandInAnOlderJournalOpenedForReading()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("mivo_journal.db"));
        QVERIFY(QFile::copy(QStringLiteral(SHIPPING_DATA "/journal-v1.db"), file));
        QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
        Journal journal(file.toStdString(), Journal::Access::ReadOnly);
        const std::vector<journal::JournalEntry> entries = journal.search({});
        QCOMPARE(entries.size(), std::size_t(2));
        const QDate day = entries[0].time.date();
        QCOMPARE(journal.holderOf("1234567890"), std::nullopt);
        QCOMPARE(journal.shipments(day, day).size(), std::size_t(2));
        QVERIFY(!journal.writable());

        journal.setTrackingNumbers({{entries[0].id, "1234567890"}});
        journal.markExported({entries[0].id}, "generic");
        QCOMPARE(journal.holderOf("1234567890"), std::optional(entries[0].id));
        QCOMPARE(journal.shipments(day, day).back().trackingNumber, std::string("1234567890"));
        QCOMPARE(journal.find(entries[0].id)->exportedTo, std::vector<std::string>{"generic"});
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<Journal> m_journal;
};

QTEST_GUILESS_MAIN(TestShippedFile)
#include "tst_shippedfile.moc"
