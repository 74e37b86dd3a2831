#include "tests/support/CupsQueueSupport.h"
#include "tests/support/EmptySender.h"
#include "tests/support/ProgramRun.h"

#include <QDirIterator>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

// `mivo-kangaroo preview` as a script runs it, on the built-in PDF printer of the real
// printer service: bad usage, a missing printer, and a preview that leaves every stored file
// as it was.
using namespace cupsqueue;

namespace {

QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        QFile file(it.next());
        files[file.fileName()] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
    }
    return files;
}

int runIn(const QString& folder, const QStringList& arguments, QByteArray* errors = nullptr)
{
    const ProgramRun run = RunProgram(arguments, folder);
    if (errors != nullptr) {
        *errors = run.err;
    }
    return run.exitCode;
}

class Folder
{
public:
    Folder()
    {
        write(QStringLiteral("mivo_Kangaroo.ini"),
              "[mv_Kangarooprn]\r\nE_G1=GoodsOne\r\nE_CUS=NameX\r\nE_AD1=AddressOne\r\nComboBox_SEL=0\r\n");
        write(QStringLiteral("mivo_a500.ini"), "[\x8E\xE8\x8D\xB7\x82\xB5]\r\ndenPrn_Top=12\r\ndenPrn_Left=-8\r\n");
        write(QStringLiteral("my0.txt"), kEmptySender);
    }
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

private:
    void write(const QString& name, const QByteArray& bytes)
    {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly)) {
            throw std::runtime_error("cannot write " + name.toStdString());
        }
        file.write(bytes);
    }
    QTemporaryDir m_dir;
};

} // namespace

class TestPreviewCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void refusesBadUsage_data();
    void refusesBadUsage();
    void previewWritesNothingElse();
};

void TestPreviewCommand::init()
{
    // Without a server to answer, the printer service has no printers to offer.
    if (cupsState().isEmpty()) {
        QSKIP("needs the private CUPS server (scripts/cups-test-server)");
    }
}

void TestPreviewCommand::refusesBadUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::newRow("no output") << QStringList{} << 2;
    QTest::newRow("output without a value") << QStringList{"--out"} << 2;
    QTest::newRow("neither PNG nor PDF") << QStringList{"--out", "a.txt"} << 2;
    QTest::newRow("no resolution") << QStringList{"--dpi", "0", "--out", "a.png"} << 2;
    QTest::newRow("resolution with trailing text") << QStringList{"--dpi", "72x", "--out", "a.png"} << 2;
    QTest::newRow("resolution beyond reason") << QStringList{"--dpi", "99999", "--out", "a.png"} << 2;
    QTest::newRow("a third paper") << QStringList{"--paper", "2", "--out", "a.png"} << 2;
    QTest::newRow("unknown option") << QStringList{"--copies", "2", "--out", "a.png"} << 2;
    QTest::newRow("a printer that is not there") << QStringList{"--printer", "nosuch", "--out", "a.png"} << 1;
    QTest::newRow("a folder that is not there") << QStringList{"--printer", "PDF", "--out", "no/such/a.pdf"} << 1;
}

void TestPreviewCommand::refusesBadUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    Folder folder;
    const auto before = snapshot(folder.path());
    QByteArray errors;
    QCOMPARE(runIn(folder.path(), QStringList{"preview"} + arguments, &errors), status);
    QVERIFY(!errors.trimmed().isEmpty());
    QCOMPARE(snapshot(folder.path()), before);
}

void TestPreviewCommand::previewWritesNothingElse()
{
    Folder folder;
    const auto before = snapshot(folder.path());
    QCOMPARE(runIn(folder.path(), {"preview", "--printer", "PDF", "--dpi", "50", "--out", "p.png"}), 0);
    QCOMPARE(runIn(folder.path(), {"preview", "--printer", "PDF", "--out", "p.pdf"}), 0);
    auto after = snapshot(folder.path());
    QVERIFY(after.remove(folder.file(QStringLiteral("p.png"))) == 1);
    QVERIFY(after.remove(folder.file(QStringLiteral("p.pdf"))) == 1);
    QCOMPARE(after, before);
    // The built-in printer's A4 page at 50 dpi.
    QCOMPARE(QImage(folder.file(QStringLiteral("p.png"))).size(), QSize(414, 585));
}

QTEST_GUILESS_MAIN(TestPreviewCommand)
#include "tst_previewcommand.moc"
