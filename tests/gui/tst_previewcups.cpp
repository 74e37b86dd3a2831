#include "gui/TForm_SLIP97YPrn.h"
#include "printers/CupsPrinterService.h"
#include "tests/support/CupsQueueSupport.h"
#include "tests/support/PrintWindowSupport.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

// The preview against real jobs on a private CUPS server: the PDF preview puts every text
// where the printed job does, and the calibration page moves with the margins dot for dot.
using namespace cupsqueue;
using namespace printwindow;

namespace {

// The last session's slip: texts without blanks, one word each.
const QStringList kSlipWords = {QStringLiteral("GoodsOne"), QStringLiteral("GoodsTwo"), QStringLiteral("NameX"),
                                QStringLiteral("503-0001"), QStringLiteral("AddressOne")};

QByteArray settingsFile()
{
    return "[mv_Kangarooprn]\r\nE_G1=GoodsOne\r\nE_G2=GoodsTwo\r\nE_CUS=NameX\r\nE_ZIP=503-0001\r\n"
           "E_AD1=AddressOne\r\nde_date1=11\r\nde_date2=28\r\nComboBox_SEL=0\r\n";
}

// Copies the queue's output away once all its jobs are done, so that the next job cannot
// overwrite what is read.
QString takeOutput(const Queue& queue, int jobs, const QString& to)
{
    if (!QTest::qWaitFor([&] { return queue.jobCount() == jobs && queue.allCompleted(); }, 60000)) {
        return {};
    }
    QFile::remove(to);
    return QFile::copy(queue.output(), to) ? to : QString();
}

// Places of each word, sorted, by text.
QMap<QString, QList<QPointF>> placesOf(const QList<Word>& words)
{
    QMap<QString, QList<QPointF>> places;
    for (const Word& word : words) {
        places[word.text].append(word.topLeft);
    }
    for (QList<QPointF>& list : places) {
        std::sort(list.begin(), list.end(),
                  [](QPointF a, QPointF b) { return a.y() < b.y() || (a.y() == b.y() && a.x() < b.x()); });
    }
    return places;
}

} // namespace

class TestPreviewCups : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void previewPdfPutsTextsWhereTheJobDoes_data();
    void previewPdfPutsTextsWhereTheJobDoes();
    void calibrationMarksMoveWithTheMargins();
};

void TestPreviewCups::init()
{
    if (cupsState().isEmpty()) {
        QSKIP("needs the private CUPS server (scripts/cups-test-server)");
    }
}

void TestPreviewCups::cleanup()
{
    UninstallPrinterService();
}

void TestPreviewCups::previewPdfPutsTextsWhereTheJobDoes_data()
{
    QTest::addColumn<QString>("ppd");
    QTest::addColumn<QString>("pageSize");
    QTest::addColumn<QString>("resolution");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QSize>("png");
    const QString even = QStringLiteral(MIVO_MARGINS_18PT_PPD);
    const QString unequal = QStringLiteral(MIVO_MARGINS_UNEQUAL_PPD);
    QTest::newRow("18 pt margins, 180 dpi, A4") << even << "A4"
                                                << "180dpi"
                                                << "25"
                                                << "40" << QSize(1488, 2105);
    QTest::newRow("18 pt margins, 120 x 60 dpi, slip") << even << "Slip10x4"
                                                       << "120x60dpi"
                                                       << "-20"
                                                       << "-10" << QSize(1200, 480);
    QTest::newRow("unequal margins, 360 x 180 dpi, slip") << unequal << "Slip10x4"
                                                          << "360x180dpi"
                                                          << "30"
                                                          << "-40" << QSize(3600, 1440);
}

void TestPreviewCups::previewPdfPutsTextsWhereTheJobDoes()
{
    QFETCH(QString, ppd);
    QFETCH(QString, pageSize);
    QFETCH(QString, resolution);
    QFETCH(QString, top);
    QFETCH(QString, left);
    QFETCH(QSize, png);
    Queue queue(QStringLiteral("preview"), {"-P", ppd, "-o", "Resolution=" + resolution, "-o", "PageSize=" + pageSize});
    QVERIFY(queue.created());
    QTemporaryDir folder;
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(QDir(folder.path()).filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QVERIFY(write(QStringLiteral("mivo_Kangaroo.ini"), settingsFile()));
    QVERIFY(write(QStringLiteral("mivo_a500.ini"),
                  sjisFile(QStringLiteral("[手差し]\ndenPrn_Top=%1\ndenPrn_Left=%2\n").arg(top, left))));
    const QString program = QStringLiteral(MIVO_EXECUTABLE);
    QVERIFY(run(program, {"print", "--printer", queue.name(), "--force"}, nullptr, folder.path()));
    const QString job = takeOutput(queue, 1, folder.filePath(QStringLiteral("job.pdf")));
    QVERIFY(!job.isEmpty());
    const QString pdf = folder.filePath(QStringLiteral("preview.pdf"));
    const QString image = folder.filePath(QStringLiteral("preview.png"));
    QVERIFY(run(program, {"preview", "--printer", queue.name(), "--out", pdf}, nullptr, folder.path()));
    QVERIFY(run(program, {"preview", "--printer", queue.name(), "--out", image}, nullptr, folder.path()));

    const auto printed = placesOf(readWords(job));
    const auto previewed = placesOf(readWords(pdf));
    const int dpi = resolution.section(u'x', 0, 0).remove(QStringLiteral("dpi")).toInt();
    int compared = 0;
    for (const QString& text : kSlipWords) {
        // A text that runs off the paper is in neither.
        QVERIFY2(printed.value(text).size() == previewed.value(text).size(), qPrintable(text));
        if (printed.value(text).isEmpty()) {
            continue;
        }
        ++compared;
        // Within a quarter of a horizontal dot, read back in points.
        const QPointF apart = printed[text].front() - previewed[text].front();
        QVERIFY2(qAbs(apart.x()) < 18.0 / dpi && qAbs(apart.y()) < 18.0 / dpi, qPrintable(text));
    }
    QVERIFY(compared >= 3);
    // The PNG is the paper at the printer's horizontal resolution.
    QCOMPARE(QImage(image).size(), png);
    QCOMPARE(queue.jobCount(), 1);
}

void TestPreviewCups::calibrationMarksMoveWithTheMargins()
{
    Queue queue(QStringLiteral("calibration"),
                {"-P", QStringLiteral(MIVO_MARGINS_UNEQUAL_PPD), "-o", "Resolution=120x60dpi", "-o", "PageSize=A4"});
    QVERIFY(queue.created());
    MainWindowFixture fixture;
    fixture.writeFile("my0.txt", kEmptySender);
    fixture.writeFile("mivo_a500.ini", sjisFile(QStringLiteral("[手差し]\nPrnName=%1\nPrnNoIndex=0\ndenPrn_Top=0\n"
                                                               "denPrn_Left=0\n")
                                                    .arg(queue.name())));
    fixture.installService(std::make_unique<CupsPrinterService>(fixture.path(QStringLiteral("slips")), 0));
    TForm_Main& window = fixture.show();
    QCOMPARE(NamedControl<QComboBox>(window, "ComboBox1")->currentText(), queue.name());
    auto* dialog = window.findChild<TForm_SLIP97YPrn*>();
    dialog->show();

    // Moved 7 dots down and 13 dots left; no scale label reads 7 or -13.
    QList<QMap<QString, QList<QPointF>>> pages;
    for (const auto& [top, left] : {std::pair{"0", "0"}, std::pair{"7", "-13"}}) {
        dialog->NumEdit_TOP->SetText(QString::fromLatin1(top));
        dialog->NumEdit_LEFT->SetText(QString::fromLatin1(left));
        QTest::mouseClick(dialog->BitBtn_TestPrint, Qt::LeftButton);
        QVERIFY2(fixture.prompt().errors.isEmpty(), qPrintable(fixture.prompt().errors.join(u'\n')));
        const QString page = takeOutput(queue, static_cast<int>(pages.size()) + 1,
                                        fixture.path(QStringLiteral("page%1.pdf").arg(pages.size())));
        QVERIFY(!page.isEmpty());
        pages.append(placesOf(readWords(page)));
    }
    int compared = 0;
    for (auto it = pages[0].begin(); it != pages[0].end(); ++it) {
        const bool mark = it.key().toInt() % 10 == 0 && it.key().toInt() > 0;
        const bool caption = QStringList{"お届け日", "日付", "品名"}.contains(it.key());
        if (!mark && !caption) {
            continue;
        }
        const QList<QPointF> moved = pages[1].value(it.key());
        QCOMPARE(moved.size(), it.value().size());
        for (qsizetype i = 0; i < moved.size(); ++i) {
            // 120 x 60 dpi: a dot is 0.6 pt across and 1.2 pt down.
            const QPointF shift = moved[i] - it.value()[i];
            QVERIFY2(qAbs(shift.x() - (-13 * 0.6)) < 0.15 && qAbs(shift.y() - 7 * 1.2) < 0.15,
                     qPrintable(QStringLiteral("%1 moved %2,%3").arg(it.key()).arg(shift.x()).arg(shift.y())));
            ++compared;
        }
    }
    QVERIFY(compared > 20);
    // Nothing was registered: the test page uses the fields, not the file.
    QVERIFY(registrationText(fixture).contains(QStringLiteral("denPrn_Top=0")));
}

QTEST_MAIN(TestPreviewCups)
#include "tst_previewcups.moc"
