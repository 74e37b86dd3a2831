#include "tests/support/Cp932Text.h"
#include "tests/support/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// With no print server answering, the built-in PDF printer still prints every kind of job,
// while a feed registered to one of the server's queues is refused and never moved to it.
class TestPdfWithoutServer : public QObject
{
    Q_OBJECT

private slots:
    void builtInPrinterNeedsNoServer_data();
    void builtInPrinterNeedsNoServer();
};

namespace {

const QString kOrders = QStringLiteral("orders.csv");
const QStringList kBatch{QStringLiteral("batch"),
                         kOrders,
                         "--format",
                         "generic",
                         "--map",
                         "name=name,zip=zip,address1=address,tel=tel,item=item"};

bool write(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes)
{
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int slipFiles(const QTemporaryDir& folder)
{
    return static_cast<int>(QDir(folder.filePath("slips")).entryList({"*.pdf"}, QDir::Files).size());
}

} // namespace

void TestPdfWithoutServer::builtInPrinterNeedsNoServer_data()
{
    QTest::addColumn<QString>("registered"); // the continuous feed's registration
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<int>("files");

    const QString pdf = QStringLiteral("PrnName=PDF\nPrnNoIndex=0\n");
    const QString queue = QStringLiteral("PrnName=office\nPrnNoIndex=0\n");
    const QString number = QStringLiteral("PrnNoIndex=0\n");
    QTest::newRow("print by name") << queue << QStringList{"print", "--printer", "PDF"} << 0 << 1;
    QTest::newRow("print on a feed registered to PDF") << pdf << QStringList{"print"} << 0 << 1;
    // A batch is one job: one file.
    QTest::newRow("batch by name") << queue << kBatch + QStringList{"--printer", "PDF"} << 0 << 1;
    QTest::newRow("batch on a feed registered to PDF") << pdf << kBatch << 0 << 1;
    QTest::newRow("preview by name") << queue << QStringList{"preview", "--printer", "PDF", "--out", "p.png"} << 0 << 0;
    QTest::newRow("reprint of a PDF slip") << pdf << QStringList{"reprint", "1"} << 0 << 2;
    QTest::newRow("feed registered to a queue") << queue << QStringList{"print"} << 1 << 0;
    QTest::newRow("feed registered by number") << number << QStringList{"print"} << 1 << 0;
    QTest::newRow("a queue by name") << pdf << QStringList{"print", "--printer", "office"} << 1 << 0;
    QTest::newRow("preview on a queue") << queue << QStringList{"preview", "--out", "p.png"} << 1 << 0;
}

void TestPdfWithoutServer::builtInPrinterNeedsNoServer()
{
    QFETCH(QString, registered);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(int, files);
    QTemporaryDir folder;
    QVERIFY(write(folder, "mivo_Kangaroo.ini", sjBytes("[mv_Kangarooprn]\nE_CUS=西濃太郎\nComboBox_SEL=1\n")));
    QVERIFY(write(folder, "mivo_a500.ini", sjBytes(QStringLiteral("[連続(４インチ)]\n") + registered)));
    QVERIFY(write(folder, "my0.txt", sjBytes("100-0001\n東京都千代田区千代田1-1\n\n西濃商店\n03-0000-0000\n")));
    QVERIFY(write(folder, kOrders,
                  QStringLiteral("name,zip,address,tel,item\n山田一,1000001,東京都千代田区千代田１－１,03-1111-0001,"
                                 "りんご\n山田二,1000001,東京都千代田区千代田１－２,03-1111-0002,みかん\n")
                      .toUtf8()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // A loopback port where nothing listens: the server is refused at once.
    environment.insert("CUPS_SERVER", "127.0.0.1:1");
    if (arguments.first() == QLatin1String("reprint")) {
        QCOMPARE(RunProgram({"print", "--printer", "PDF"}, folder.path(), {}, environment).exitCode, 0);
    }

    const ProgramRun run = RunProgram(arguments, folder.path(), {}, environment);

    QVERIFY2(run.exitCode == exitCode, run.err.constData());
    QCOMPARE(slipFiles(folder), files);
    if (exitCode != 0) {
        QVERIFY2(run.err.contains("does not answer"), run.err.constData());
    }
    QCOMPARE(QFile::exists(folder.filePath("p.png")), arguments.first() == QLatin1String("preview") && exitCode == 0);
}

QTEST_MAIN(TestPdfWithoutServer)
#include "tst_pdfwithoutserver.moc"
