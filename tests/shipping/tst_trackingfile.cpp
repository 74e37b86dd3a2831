#include "platform/Cp932.h"
#include "shipping/TrackingAttach.h"
#include "tests/shipping/ShippingSamples.h"

#include <QTemporaryDir>
#include <QTest>

// Files of `order,number` or `id,number` lines: every good line stored in one go, every bad
// one named by its row, nothing given twice.
using namespace shippingsamples;
using journal::Journal;

class TestTrackingFile : public QObject
{
    Q_OBJECT

private slots:
    void readsLines_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("key");
        QTest::addColumn<QStringList>("lines"); // "row key number"
        QTest::addColumn<QList<int>>("errorRows");
        QTest::newRow("header names orders, CR LF, BOM")
            << QByteArray("\xEF\xBB\xBForder,number\r\nR-1,1234-5678-90\r\n\r\nR-2, A0000000001B \r\n")
            << int(shipping::TrackingKey::Order) << QStringList{"2 R-1 1234567890", "4 R-2 0000000001"} << QList<int>{};
        QTest::newRow("no header, bad lines named by row")
            << QByteArray("R-1,1234567890\nR-2\n,1234567890\nR-3,12ab\nR-4,1,2\n\"R-5\",\"１２３\"\n")
            << int(shipping::TrackingKey::OrderOrId) << QStringList{"1 R-1 1234567890", "6 R-5 123"}
            << QList<int>{2, 3, 4, 5};
        QTest::newRow("code page 932 and an id header")
            << QByteArray(cp932::FromUtf8("id,number\n7,１２３４５６７８９０\n").c_str())
            << int(shipping::TrackingKey::Id) << QStringList{"2 7 1234567890"} << QList<int>{};
        QTest::newRow("an open quote runs to the end")
            << QByteArray("R-1,\"123\nR-2,456\n") << int(shipping::TrackingKey::OrderOrId) << QStringList{}
            << QList<int>{1};
    }
    void readsLines()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, key);
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, errorRows);
        const shipping::TrackingFile file = shipping::ReadTrackingFile(bytes.toStdString());
        QStringList read;
        for (const shipping::TrackingLine& line : file.lines) {
            QCOMPARE(int(line.key), key);
            read << QStringLiteral("%1 %2 %3")
                        .arg(line.row)
                        .arg(QString::fromStdString(line.keyText), QString::fromStdString(line.number));
        }
        QCOMPARE(read, lines);
        QList<int> rows;
        for (const shipping::TrackingLineError& error : file.errors) {
            rows << int(error.row);
        }
        QCOMPARE(rows, errorRows);
    }

    void storesTheGoodLinesAndNamesTheBad()
    {
        QTemporaryDir folder;
        Journal journal(Journal::In(folder.path().toStdString()));
        const auto ids =
            journal.recordJobs({Printed("R-1", At(7, 9)), Printed("R-2", At(7, 9)), Printed("R-3", At(7, 9)),
                                Printed("R-3", At(7, 10)), Printed("R-9", At(7, 9), "x", journal::JobStatus::Failed)});
        journal.setTrackingNumbers({{ids[0], "9999999999"}});
        const QByteArray csv = QStringLiteral("R-2,1234567890\n"  // stored
                                              "R-3,1234567891\n"  // the reprint of R-3 gets it
                                              "R-4,1234567892\n"  // no such order
                                              "R-9,1234567893\n"  // failed jobs are no slips
                                              "%1,12345\n"        // by id; a short number warns
                                              "R-2,1234567894\n"  // R-2 twice
                                              "R-1,9999999999\n"  // again its own number: fine
                                              "R-X,1234567890\n") // a number twice
                                   .arg(ids[2])
                                   .toUtf8();
        const shipping::AttachReport report = shipping::AttachTrackingFile(
            journal, shipping::ReadTrackingFile(csv.toStdString()), shipping::CheckDigitRule::None);
        QCOMPARE(report.stored, std::size_t(4));
        QCOMPARE(report.warnings.size(), std::size_t(1));
        QCOMPARE(report.warnings.front().row, std::size_t(5));
        QList<int> rows;
        for (const shipping::TrackingLineError& error : report.errors) {
            rows << int(error.row);
        }
        QCOMPARE(rows, (QList<int>{3, 4, 6, 8}));
        QCOMPARE(journal.find(ids[1])->trackingNumber, std::string("1234567890"));
        QCOMPARE(journal.find(ids[2])->trackingNumber, std::string("12345"));
        QCOMPARE(journal.find(ids[3])->trackingNumber, std::string("1234567891"));
    }

    void refusesABadCheckDigitAndANumberInUse()
    {
        QTemporaryDir folder;
        Journal journal(Journal::In(folder.path().toStdString()));
        const auto ids = journal.recordJobs({Printed("R-1", At(7, 9)), Printed("R-2", At(7, 9))});
        journal.setTrackingNumbers({{ids[0], "1234567891"}});
        const auto rule = shipping::CheckDigitRule::Mod7;
        QVERIFY(!shipping::AssessNumber(journal, "1234567892", rule, ids[1]).refusal.empty());
        QVERIFY(QString::fromStdString(shipping::AssessNumber(journal, "1234567891", rule, ids[1]).refusal)
                    .contains(QString::number(ids[0])));
        QVERIFY(shipping::AssessNumber(journal, "1234567891", rule, ids[0]).refusal.empty());
        const auto shortNumber = shipping::AssessNumber(journal, "00000070", rule, ids[1]);
        QVERIFY(shortNumber.refusal.empty());
        QVERIFY(!shortNumber.warning.empty());
    }

    void numbersConsecutiveForms()
    {
        QTemporaryDir folder;
        Journal journal(Journal::In(folder.path().toStdString()));
        const auto ids =
            journal.recordJobs({Printed("R-1", At(7, 9)), Printed("R-2", At(7, 9)), Printed("R-3", At(7, 9))});
        const auto other = journal.recordJob(Printed("R-4", At(7, 9)));
        journal.setTrackingNumbers({{ids[0], "0000000103"}});
        // A number of the run held by an entry of the run moves; one held elsewhere stops it.
        const auto assignments =
            shipping::ConsecutiveAssignments(journal, ids, "Ａ000000009-2Ｄ", shipping::CheckDigitRule::Mod7);
        QCOMPARE(assignments.size(), std::size_t(3));
        QCOMPARE(assignments[2].number, std::string("0000000114"));
        journal.setTrackingNumbers(assignments);
        QCOMPARE(journal.find(ids[1])->trackingNumber, std::string("0000000103"));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, shipping::ConsecutiveAssignments(journal, {other}, "0000000092",
                                                                                      shipping::CheckDigitRule::Mod7));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 shipping::ConsecutiveAssignments(journal, ids, "98", shipping::CheckDigitRule::None));
    }
};

QTEST_GUILESS_MAIN(TestTrackingFile)
#include "tst_trackingfile.moc"
