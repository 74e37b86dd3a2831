#include "escp/OutputMode.h"
#include "jobs/RegisteredSettings.h"
#include "tests/support/Cp932Text.h"
#include "tests/support/ScratchDisk.h"
#include "workfolder/PrinterRegistration.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const std::filesystem::path& file)
{
    QFile f(QString::fromStdString(file.string()));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

// MissingPrinter found the printer.
const QString kThere = QStringLiteral("(there)");

class TestRegistration : public QObject
{
    Q_OBJECT

private slots:
    void missingFileGivesPrinterZeroAndNoMargins();
    void writeProducesCp932WithCrLfLineEnds();
    void sectionsAreIndependent();
    void unwritableFileKeepsItsContent();
    void resolvePrinterIndex_data();
    void resolvePrinterIndex();
    void outputKeyRoundTrip_data();
    void outputKeyRoundTrip();
    void marginsWrittenAloneKeepTheOutput();
    void driverSettingsRoundTrip_data();
    void driverSettingsRoundTrip();
    void registeringAnotherPrinterClearsItsStaleKeys();

private:
    QTemporaryDir m_dir;
};

void TestRegistration::missingFileGivesPrinterZeroAndNoMargins()
{
    const auto entry = registration::Load(registration::RegistrationFile(m_dir.path().toStdString()), sj("手差し"));
    QCOMPARE(entry.printerIndex, std::string("0"));
    QCOMPARE(entry.top, std::string("0"));
    QCOMPARE(entry.left, std::string("0"));
    QCOMPARE(entry.printerName, std::string());
}

void TestRegistration::writeProducesCp932WithCrLfLineEnds()
{
    QTemporaryDir dir;
    const auto file = registration::RegistrationFile(dir.path().toStdString());
    registration::Write(file, sj("連続(４インチ)"), {"  Epson 24  ", "2", "-40", "15", {}});
    const QByteArray expected = QByteArray::fromStdString(sj("[連続(４インチ)]\r\n"
                                                             "PrnName=Epson 24\r\n"
                                                             "PrnNoIndex=2\r\n"
                                                             "denPrn_Top=-40\r\n"
                                                             "denPrn_Left=15\r\n"));
    QCOMPARE(readAll(file), expected);
    const auto entry = registration::Load(file, sj("連続(４インチ)"));
    QCOMPARE(entry.printerIndex, std::string("2"));
    QCOMPARE(entry.top, std::string("-40"));
    QCOMPARE(entry.left, std::string("15"));
    QCOMPARE(entry.printerName, std::string("Epson 24"));
}

void TestRegistration::sectionsAreIndependent()
{
    QTemporaryDir dir;
    const auto file = registration::RegistrationFile(dir.path().toStdString());
    registration::Write(file, sj("手差し"), {"A", "0", "10", "20", {}});
    registration::Write(file, sj("連続(４インチ)"), {"B", "1", "30", "40", {}});
    registration::Write(file, sj("連続(４インチ)"), {"B", "1", "31", "41", {}});
    QCOMPARE(registration::Load(file, sj("手差し")).top, std::string("10"));
    QCOMPARE(registration::Load(file, sj("連続(４インチ)")).top, std::string("31"));
}

void TestRegistration::unwritableFileKeepsItsContent()
{
    // A read-only file system refuses even root; without the right to mount, a read-only
    // folder does for an ordinary user.
    ScratchDisk disk;
    QTemporaryDir dir;
    const std::string folder = disk.available() ? disk.path() : dir.path().toStdString();
    const auto file = registration::RegistrationFile(folder);
    registration::Write(file, sj("手差し"), {"A", "0", "10", "20", {}});
    const QByteArray before = readAll(file);
    if (disk.available()) {
        QVERIFY(disk.makeReadOnly());
    } else {
        QFile::setPermissions(QString::fromStdString(folder), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QFile::setPermissions(QString::fromStdString(file.string()), QFileDevice::ReadOwner);
    }
    QString message;
    try {
        registration::Write(file, sj("手差し"), {"A", "0", "99", "99", {}});
    } catch (const std::runtime_error& error) {
        message = QString::fromUtf8(error.what());
    }
    QFile::setPermissions(QString::fromStdString(folder),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(message, QString::fromStdString(file.string()) + " に書き込めません");
    QCOMPARE(readAll(file), before);
}

void TestRegistration::resolvePrinterIndex_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("index");
    QTest::addColumn<QStringList>("printers");
    QTest::addColumn<QString>("resolved");
    // The printer reported missing, or kThere.
    QTest::addColumn<QString>("missing");
    const QStringList now{"PDF-Pass", "Epson 24", "PDF"};
    QTest::newRow("name where the number says") << "Epson 24"
                                                << "1" << now << "1" << kThere;
    QTest::newRow("a queue was added before it: the name wins") << "Epson 24"
                                                                << "0" << now << "1" << kThere;
    QTest::newRow("a queue was removed before it: the name wins") << "PDF"
                                                                  << "3" << now << "2" << kThere;
    QTest::newRow("a Japanese name is found too") << "事務所 Dot"
                                                  << "0" << QStringList{"PDF", "事務所 Dot"} << "1" << kThere;
    QTest::newRow("name gone: missing, never the printer now at its number") << "Old Queue"
                                                                             << "1" << now << "1"
                                                                             << "Old Queue";
    QTest::newRow("no name recorded") << ""
                                      << "2" << now << "2" << kThere;
    QTest::newRow("no name, a number past the list is missing") << ""
                                                                << "7" << now << "7"
                                                                << "";
    QTest::newRow("no name, a number below the list is missing") << ""
                                                                 << "-2" << now << "-2"
                                                                 << "";
    QTest::newRow("a name with a number below the list: the name wins") << "Epson 24"
                                                                        << "-2" << now << "1" << kThere;
    QTest::newRow("system default stays the default") << "Epson 24"
                                                      << "-1" << now << "-1" << kThere;
    QTest::newRow("number not whole stays for the error report") << "Epson 24"
                                                                 << "1.5" << now << "1.5" << kThere;
    QTest::newRow("no printers at all") << "Epson 24"
                                        << "0" << QStringList() << "0"
                                        << "Epson 24";
}

void TestRegistration::resolvePrinterIndex()
{
    QFETCH(QString, name);
    QFETCH(QString, index);
    QFETCH(QStringList, printers);
    QFETCH(QString, resolved);
    QFETCH(QString, missing);
    std::vector<std::string> names;
    for (const QString& printer : printers) {
        names.push_back(printer.toStdString());
    }
    // The file holds code page 932; the printer layer lists UTF-8.
    PrinterRegistration entry{sj(name), index.toStdString(), "0", "0", {}};
    QCOMPARE(QString::fromStdString(registration::ResolvePrinterIndex(entry, names)), resolved);
    const std::optional<std::string> gone = registration::MissingPrinter(entry, names);
    QCOMPARE(gone ? QString::fromStdString(*gone) : kThere, missing);
}

void TestRegistration::outputKeyRoundTrip_data()
{
    QTest::addColumn<QByteArray>("line"); // the section's Output line as stored, none when empty
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("written"); // what the mode writes back
    QTest::newRow("absent: an older file") << QByteArray() << int(OutputMode::Driver) << "driver";
    QTest::newRow("driver") << QByteArray("Output=driver") << int(OutputMode::Driver) << "driver";
    QTest::newRow("image") << QByteArray("Output=escp-image") << int(OutputMode::EscpImage) << "escp-image";
    QTest::newRow("printer fonts") << QByteArray("Output=escp-text") << int(OutputMode::EscpText) << "escp-text";
    QTest::newRow("blanks around") << QByteArray("Output=  escp-text \t") << int(OutputMode::EscpText) << "escp-text";
    QTest::newRow("empty") << QByteArray("Output=") << int(OutputMode::Driver) << "driver";
    QTest::newRow("other case") << QByteArray("Output=ESCP-TEXT") << int(OutputMode::Driver) << "driver";
    QTest::newRow("garbage") << QByteArray("Output=\x82\xa0\xff=escp") << int(OutputMode::Driver) << "driver";
}

void TestRegistration::outputKeyRoundTrip()
{
    QFETCH(QByteArray, line);
    QFETCH(int, mode);
    QFETCH(QString, written);
    const std::filesystem::path file = registration::RegistrationFile(m_dir.path().toStdString());
    QFile stored(QString::fromStdString(file.string()));
    QVERIFY(stored.open(QIODevice::WriteOnly | QIODevice::Truncate));
    stored.write(QByteArray::fromStdString(sj("[手差し]")) + "\r\nPrnName=lp\r\nPrnNoIndex=1\r\n" + line +
                 (line.isEmpty() ? "" : "\r\n"));
    stored.close();

    PrinterRegistration entry = registration::Load(file, sj("手差し"));
    QCOMPARE(int(OutputModeFromKey(entry.output)), mode);
    QCOMPARE(entry.printerName, std::string("lp"));

    entry.output = OutputModeKey(OutputModeFromKey(entry.output));
    registration::Write(file, sj("手差し"), entry);
    const PrinterRegistration again = registration::Load(file, sj("手差し"));
    QCOMPARE(QString::fromStdString(again.output), written);
    QCOMPARE(again.printerIndex, std::string("1"));
}

// The position dialog's margins and the printer button's printer leave the choice alone.
void TestRegistration::marginsWrittenAloneKeepTheOutput()
{
    const std::filesystem::path file = registration::RegistrationFile(m_dir.path().toStdString());
    QFile::remove(QString::fromStdString(file.string()));
    registration::Write(file, sj("手差し"), {"lp", "0", "10", "20", "escp-image"});
    registration::Write(file, sj("手差し"), {"lp", "0", "30", "40", {}});
    const PrinterRegistration entry = registration::Load(file, sj("手差し"));
    QCOMPARE(entry.output, std::string("escp-image"));
    QCOMPARE(entry.top, std::string("30"));
    QCOMPARE(registration::Load(file, sj("連続(４インチ)")).output, std::string());
}

namespace {

QString shown(const std::optional<std::string>& value)
{
    return value ? QString::fromStdString(*value) : QStringLiteral("(absent)");
}

} // namespace

void TestRegistration::driverSettingsRoundTrip_data()
{
    QTest::addColumn<QByteArray>("lines");     // stored after the printer and the margins
    QTest::addColumn<QString>("settings");     // as put in force: PageSize|InputSlot|Resolution
    QTest::addColumn<QByteArray>("marginDpi"); // as loaded, code page 932
    QTest::addColumn<QString>("basis");        // the margins' resolution, "" when taken as they stand
    QTest::addColumn<int>("warnings");
    QTest::newRow("an older file: nothing changes") << QByteArray() << "||" << QByteArray("(absent)") << "" << 0;
    QTest::newRow("all four") << QByteArray("PaperSize=A4\r\nPaperSource=Tractor\r\nResolution=180dpi\r\n"
                                            "MarginDpi=180x180\r\n")
                              << "A4|Tractor|180dpi" << QByteArray("180x180") << "180x180" << 0;
    QTest::newRow("resolution alone") << QByteArray("Resolution=120x60dpi\r\n") << "||120x60dpi"
                                      << QByteArray("(absent)") << "" << 0;
    QTest::newRow("blanks around are no part of a keyword")
        << QByteArray("PaperSize= Custom.612x288 \t\r\nMarginDpi= 120x60 \r\n") << "Custom.612x288||"
        << QByteArray("120x60") << "120x60" << 0;
    QTest::newRow("empty keys: driver defaults")
        << QByteArray("PaperSize=\r\nMarginDpi=\r\n") << "||" << QByteArray() << "" << 0;
    QTest::newRow("garbage resolution: dots as they stand, with a warning")
        << QByteArray("MarginDpi=\x82\xa0\xffx0\r\n") << "||" << QByteArray("\x82\xa0\xffx0") << "" << 1;
    QTest::newRow("a keyword no driver has is handed on for the driver to refuse")
        << QByteArray("Resolution=\x82\xa0\r\n") << "||あ" << QByteArray("(absent)") << "" << 0;
}

// Every key survives a load and a write of the entry unchanged, and one the file lacks is not
// written: a file from before the keys stays as it was.
void TestRegistration::driverSettingsRoundTrip()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, settings);
    QFETCH(QByteArray, marginDpi);
    QFETCH(QString, basis);
    QFETCH(int, warnings);
    const std::filesystem::path file = registration::RegistrationFile(m_dir.path().toStdString());
    const QByteArray content = QByteArray::fromStdString(sj("[連続(４インチ)]")) +
                               "\r\nPrnName=lp\r\nPrnNoIndex=1\r\ndenPrn_Top=5\r\ndenPrn_Left=7\r\n" + lines;
    QFile stored(QString::fromStdString(file.string()));
    QVERIFY(stored.open(QIODevice::WriteOnly | QIODevice::Truncate));
    stored.write(content);
    stored.close();

    const PrinterRegistration entry = registration::Load(file, sj("連続(４インチ)"));
    const DriverSettings inForce = registeredsettings::Of(entry);
    QCOMPARE(QString::fromStdString(inForce.paperSize + "|" + inForce.paperSource + "|" + inForce.resolution),
             settings);
    QCOMPARE(QByteArray::fromStdString(entry.marginDpi.value_or("(absent)")), marginDpi);
    std::vector<std::string> said;
    const std::optional<marginresolution::Dpi> read = registeredsettings::MarginBasis(entry, said);
    QCOMPARE(read ? QString::fromStdString(marginresolution::DpiText(*read)) : QString(), basis);
    QCOMPARE(int(said.size()), warnings);

    registration::Write(file, sj("連続(４インチ)"), entry);
    const PrinterRegistration again = registration::Load(file, sj("連続(４インチ)"));
    QCOMPARE(shown(again.paperSize), shown(entry.paperSize));
    QCOMPARE(shown(again.paperSource), shown(entry.paperSource));
    QCOMPARE(shown(again.resolution), shown(entry.resolution));
    QCOMPARE(shown(again.marginDpi), shown(entry.marginDpi));
    if (lines.isEmpty()) {
        QCOMPARE(readAll(file), content);
    }
}

// A printer without a paper source registered over one with it: the old keyword would be
// refused at every job.
void TestRegistration::registeringAnotherPrinterClearsItsStaleKeys()
{
    PrinterRegistration before;
    before.paperSource = "Tractor";
    before.resolution = "180dpi";
    PrinterRegistration entry;
    registeredsettings::Record(entry, before, {"A4", "", "360dpi"});
    QCOMPARE(shown(entry.paperSize), QStringLiteral("A4"));
    QCOMPARE(shown(entry.paperSource), QString());
    QCOMPARE(shown(entry.resolution), QStringLiteral("360dpi"));

    PrinterRegistration fresh;
    registeredsettings::Record(fresh, PrinterRegistration{}, {"", "", "120x60dpi"});
    QCOMPARE(shown(fresh.paperSize), QStringLiteral("(absent)"));
    QCOMPARE(shown(fresh.resolution), QStringLiteral("120x60dpi"));
}

QTEST_GUILESS_MAIN(TestRegistration)
#include "tst_registration.moc"
