#include "printers/TPrinterAccess.h"
#include "tests/support/FakePrinterService.h"

#include <QTest>

#include <functional>

using Printer = FakePrinterService::Printer;
using Names = std::vector<std::string>;

Q_DECLARE_METATYPE(std::function<void(TPrinterAccess&)>)
Q_DECLARE_METATYPE(std::vector<Printer>)
Q_DECLARE_METATYPE(Names)

namespace {

Printer MakePrinter(const std::string& name, std::uint32_t attributes = 0)
{
    Printer printer;
    printer.name = name;
    printer.attributes = attributes;
    return printer;
}

// The layer over a fake that the test keeps a hand on.
struct Rig
{
    FakePrinterService* fake;
    TPrinterAccess access;

    explicit Rig(std::vector<Printer> printers, int defaultIndex = 0)
        : Rig(std::make_unique<FakePrinterService>(std::move(printers)), defaultIndex)
    {}

private:
    Rig(std::unique_ptr<FakePrinterService> service, int defaultIndex)
        : fake(service.get()), access((service->defaultIndex = defaultIndex, std::move(service)))
    {}
};

template <typename E, typename F> QString MessageOf(F&& action)
{
    try {
        action();
    } catch (const E& error) {
        return QString::fromStdString(error.what());
    }
    return QStringLiteral("(nothing raised)");
}

// Three printers, the second hidden, the third the system's default.
std::vector<Printer> ThreeWithHiddenSecond()
{
    return {MakePrinter("Epson A"), MakePrinter("Fax", PrinterAttributeHidden), MakePrinter("Epson C")};
}

} // namespace

class TestPrinterAccess : public QObject
{
    Q_OBJECT

private slots:
    void noVisiblePrinter_data();
    void noVisiblePrinter();
    void noVisiblePrinterStillListsPorts();
    void visibleIndexMapsOverHiddenPrinters();
    void setIndexOutOfRange_data();
    void setIndexOutOfRange();
    void setIndexMinusOneSelectsDefault();
    void hiddenCurrentPrinterIsIllegal();
    void setIndexKeepsOrResetsSettings();
    void numberSearches_data();
    void numberSearches();
    void unsupportedSettings_data();
    void unsupportedSettings();
    void namesAreCutToTheirSlots_data();
    void namesAreCutToTheirSlots();
    void listsAreCachedUntilRefresh();
    void settingsChange_data();
    void settingsChange();
    void portsDifferingInCaseAreOne();
    void unansweredServer_data();
    void unansweredServer();
    void globalNeedsAService();
};

void TestPrinterAccess::noVisiblePrinter_data()
{
    QTest::addColumn<std::vector<Printer>>("printers");
    QTest::addColumn<std::function<void(TPrinterAccess&)>>("operation");

    const std::vector<std::pair<const char*, std::function<void(TPrinterAccess&)>>> operations = {
        {"GetIndex", [](TPrinterAccess& a) { a.GetIndex(); }},
        {"SetIndex", [](TPrinterAccess& a) { a.SetIndex(0); }},
        {"GetPrinterNames", [](TPrinterAccess& a) { a.GetPrinterNames(); }},
        {"GetPaperSizeNames", [](TPrinterAccess& a) { a.GetPaperSizeNames(); }},
        {"GetPaperSizeIndex", [](TPrinterAccess& a) { a.GetPaperSizeIndex(); }},
        {"GetBinNames", [](TPrinterAccess& a) { a.GetBinNames(); }},
        {"GetBinIndex", [](TPrinterAccess& a) { a.GetBinIndex(); }},
        {"GetResolution",
         [](TPrinterAccess& a) {
             int x = 0, y = 0;
             a.GetResolution(x, y);
         }},
        {"GetScale", [](TPrinterAccess& a) { a.GetScale(); }},
        {"Refresh", [](TPrinterAccess& a) { a.Refresh(); }},
    };
    for (const auto& [name, operation] : operations) {
        QTest::addRow("no printers: %s", name) << std::vector<Printer>{} << operation;
        QTest::addRow("only hidden printers: %s", name)
            << std::vector<Printer>{MakePrinter("Fax", PrinterAttributeHidden)} << operation;
    }
}

void TestPrinterAccess::noVisiblePrinter()
{
    QFETCH(std::vector<Printer>, printers);
    QFETCH(std::function<void(TPrinterAccess&)>, operation);
    Rig rig(printers);
    QCOMPARE(MessageOf<EPrinterAccessNoPrinter>([&] { operation(rig.access); }),
             QStringLiteral("TPrinterAccess.CheckNoPrinter: No Printer"));
    QCOMPARE(rig.fake->deviceReads, 0);
}

void TestPrinterAccess::noVisiblePrinterStillListsPorts()
{
    Rig rig({});
    rig.fake->ports = {"LPT1:"};
    QCOMPARE(rig.access.GetPortNames(), Names{"LPT1:"});
}

void TestPrinterAccess::visibleIndexMapsOverHiddenPrinters()
{
    Rig rig(ThreeWithHiddenSecond(), 2);
    QCOMPARE(rig.access.GetPrinterNames(), (Names{"Epson A", "Epson C"}));
    QCOMPARE(rig.access.GetIndex(), 1);

    rig.access.SetIndex(0);
    QCOMPARE(rig.fake->printerIndex(), 0);
    QCOMPARE(rig.access.Index(), 0);
    rig.access.SetIndex(1);
    QCOMPARE(rig.fake->printerIndex(), 2);
    QCOMPARE(rig.access.Index(), 1);
}

void TestPrinterAccess::setIndexOutOfRange_data()
{
    QTest::addColumn<int>("value");
    QTest::newRow("one past the visible list") << 2;
    QTest::newRow("below the default printer") << -2;
}

void TestPrinterAccess::setIndexOutOfRange()
{
    QFETCH(int, value);
    Rig rig(ThreeWithHiddenSecond(), 0);
    QCOMPARE(MessageOf<EPrinterAccessRangeError>([&] { rig.access.SetIndex(value); }),
             QStringLiteral("TPrinterAccess.SetIndex: Index is out of Range"));
    QCOMPARE(rig.fake->printerIndex(), 0);
}

void TestPrinterAccess::setIndexMinusOneSelectsDefault()
{
    Rig rig(ThreeWithHiddenSecond(), 2);
    rig.access.SetIndex(0);
    rig.access.SetIndex(-1);
    QCOMPARE(rig.fake->printerIndex(), 2);
    QCOMPARE(rig.access.GetIndex(), 1);
}

void TestPrinterAccess::hiddenCurrentPrinterIsIllegal()
{
    Rig rig(ThreeWithHiddenSecond(), 1);
    QCOMPARE(MessageOf<EPrinterAccessIllegalIndex>([&] { rig.access.GetIndex(); }),
             QStringLiteral("TPrinterAccess.GetIndex: Printers.PrinterIndex is Illegal"));
}

void TestPrinterAccess::setIndexKeepsOrResetsSettings()
{
    std::vector<Printer> printers = {MakePrinter("A"), MakePrinter("B")};
    for (Printer& printer : printers) {
        printer.papers = {{9, "A4"}, {8, "A3"}};
        printer.settings.dmPaperSize = 8;
    }
    Rig rig(printers, 0);
    QCOMPARE(rig.access.GetPaperSizeIndex(), 1);

    rig.access.SetIndex(0);
    QCOMPARE(rig.fake->current().settings.dmPaperSize, 8);
    QCOMPARE(rig.access.GetPaperSizeIndex(), 1);

    rig.access.SetIndex(1);
    QCOMPARE(rig.fake->current().settings.dmPaperSize, 9);
    QCOMPARE(rig.access.GetPaperSizeIndex(), 0);
}

void TestPrinterAccess::numberSearches_data()
{
    QTest::addColumn<bool>("bins");
    QTest::addColumn<std::vector<int>>("numbers");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("error");

    QTest::newRow("bin search takes the last match") << true << std::vector<int>{1, 7, 7} << 7 << 2 << QString();
    QTest::newRow("paper search takes the first match") << false << std::vector<int>{9, 8, 9} << 9 << 0 << QString();
    QTest::newRow("negative number compares as unsigned 16 bits")
        << false << std::vector<int>{9, 0xFFFF} << -1 << 1 << QString();
    QTest::newRow("paper not listed") << false << std::vector<int>{9, 8} << 11 << -1
                                      << "TPrinterAccess.GetPaperSizeIndex: Cannot Get Paper Index";
    QTest::newRow("bin not listed") << true << std::vector<int>{1, 7} << 4 << -1
                                    << "TPrinterAccess.GetBinIndex: Cannot Get Bin Index";
    QTest::newRow("no paper list") << false << std::vector<int>{} << 9 << -1
                                   << "TPrinterAccess.GetPaperSizeIndex: No Papersize Info Available";
    QTest::newRow("no bin list") << true << std::vector<int>{} << 7 << -1
                                 << "TPrinterAccess.GetBinIndex: No Bin Info Available";
}

void TestPrinterAccess::numberSearches()
{
    QFETCH(bool, bins);
    QFETCH(std::vector<int>, numbers);
    QFETCH(int, current);
    QFETCH(int, index);
    QFETCH(QString, error);

    Printer printer = MakePrinter("Epson");
    std::vector<Capability>& list = bins ? printer.bins : printer.papers;
    list.clear();
    for (int number : numbers)
        list.push_back({static_cast<std::uint16_t>(number), "slot " + std::to_string(number)});
    (bins ? printer.settings.dmDefaultSource : printer.settings.dmPaperSize) = static_cast<std::int16_t>(current);
    Rig rig({printer});

    const auto search = [&] { return bins ? rig.access.GetBinIndex() : rig.access.GetPaperSizeIndex(); };
    if (error.isEmpty())
        QCOMPARE(search(), index);
    else
        QCOMPARE(MessageOf<EPrinterAccess>(search), error);
}

void TestPrinterAccess::unsupportedSettings_data()
{
    QTest::addColumn<std::uint32_t>("fields");
    QTest::addColumn<std::function<void(TPrinterAccess&)>>("operation");
    QTest::addColumn<QString>("error");

    const std::uint32_t noPaper = dm::DefaultSource;
    const std::uint32_t noBin = dm::PaperSize;
    QTest::newRow("paper names without the paper bit")
        << noPaper << std::function<void(TPrinterAccess&)>([](TPrinterAccess& a) { a.GetPaperSizeNames(); })
        << "TPrinterAccess.GetPaperSizeNames: PaperSize is not Supported";
    QTest::newRow("paper index without the paper bit")
        << noPaper << std::function<void(TPrinterAccess&)>([](TPrinterAccess& a) { a.GetPaperSizeIndex(); })
        << "TPrinterAccess.GetPaperSizeIndex: PaperSize is not Supported";
    QTest::newRow("paper number without the paper bit")
        << noPaper << std::function<void(TPrinterAccess&)>([](TPrinterAccess& a) { a.GetPaperSizeNumber(); })
        << "TPrinterAccess.GetPaperSizeNumber: PaperSize is not Supported";
    QTest::newRow("bin names without the bin bit")
        << noBin << std::function<void(TPrinterAccess&)>([](TPrinterAccess& a) { a.GetBinNames(); })
        << "TPrinterAccess.GetBinNames: Bin is not Supported";
    QTest::newRow("bin index without the bin bit")
        << noBin << std::function<void(TPrinterAccess&)>([](TPrinterAccess& a) { a.GetBinIndex(); })
        << "TPrinterAccess.GetBinIndex: Bin is not Supported";
    QTest::newRow("bin number without the bin bit")
        << noBin << std::function<void(TPrinterAccess&)>([](TPrinterAccess& a) { a.GetBinNumber(); })
        << "TPrinterAccess.GetBinNumber: Bin is not Supported";
    QTest::newRow("scale without the scale bit is 100")
        << (dm::PaperSize | dm::DefaultSource)
        << std::function<void(TPrinterAccess&)>([](TPrinterAccess& a) { QCOMPARE(a.GetScale(), 100); }) << QString();
    QTest::newRow("scale with the scale bit is the setting")
        << dm::Scale << std::function<void(TPrinterAccess&)>([](TPrinterAccess& a) { QCOMPARE(a.GetScale(), 50); })
        << QString();
}

void TestPrinterAccess::unsupportedSettings()
{
    QFETCH(std::uint32_t, fields);
    QFETCH(std::function<void(TPrinterAccess&)>, operation);
    QFETCH(QString, error);

    Printer printer = MakePrinter("Epson");
    printer.settings.dmFields = fields;
    printer.settings.dmScale = 50;
    Rig rig({printer});
    if (error.isEmpty())
        operation(rig.access);
    else
        QCOMPARE(MessageOf<EPrinterAccessNotSupported>([&] { operation(rig.access); }), error);
}

void TestPrinterAccess::namesAreCutToTheirSlots_data()
{
    QTest::addColumn<bool>("bins");
    QTest::addColumn<std::string>("name");
    QTest::addColumn<std::string>("shown");

    const std::string paper64(64, 'P');
    const std::string bin24(24, 'B');
    QTest::newRow("paper name of 64 bytes is whole") << false << paper64 << paper64;
    QTest::newRow("paper name of 65 bytes loses the last") << false << paper64 + "x" << paper64;
    QTest::newRow("bin name of 24 bytes is whole") << true << bin24 << bin24;
    QTest::newRow("bin name of 25 bytes loses the last") << true << bin24 + "x" << bin24;
    QTest::newRow("name ends at a zero byte") << false << std::string("A4\0junk", 7) << std::string("A4");
    // Slots count code page 932 bytes: two for each of these characters.
    QTest::newRow("double-byte characters filling the slot are whole")
        << true << std::string(18, 'B') + "手差し" << std::string(18, 'B') + "手差し";
    QTest::newRow("a double-byte character straddling the end is dropped")
        << true << std::string(19, 'B') + "手差し" << std::string(19, 'B') + "手差";
}

void TestPrinterAccess::namesAreCutToTheirSlots()
{
    QFETCH(bool, bins);
    QFETCH(std::string, name);
    QFETCH(std::string, shown);

    Printer printer = MakePrinter("Epson");
    (bins ? printer.bins : printer.papers) = {{1, name}};
    Rig rig({printer});
    QCOMPARE(bins ? rig.access.GetBinNames() : rig.access.GetPaperSizeNames(), Names{shown});
}

void TestPrinterAccess::listsAreCachedUntilRefresh()
{
    Printer printer = MakePrinter("Epson");
    printer.papers = {{9, "A4"}, {8, "A3"}};
    Rig rig({printer});

    rig.access.GetPaperSizeNames();
    rig.access.GetPaperSizeIndex();
    rig.access.GetBinNames();
    rig.access.GetBinIndex();
    QCOMPARE(rig.fake->capabilityQueries, 2);

    // A choice made behind the layer's back shows only after Refresh.
    rig.fake->current().settings.dmPaperSize = 8;
    QCOMPARE(rig.access.GetPaperSizeIndex(), 0);
    rig.access.Refresh();
    QCOMPARE(rig.fake->capabilityQueries, 4);
    QCOMPARE(rig.access.GetPaperSizeIndex(), 1);
}

void TestPrinterAccess::settingsChange_data()
{
    QTest::addColumn<std::vector<Printer>>("after");
    QTest::addColumn<Names>("portsAfter");
    QTest::addColumn<int>("changes");
    QTest::addColumn<int>("indexAfter");

    const std::vector<Printer> before = {MakePrinter("A"), MakePrinter("B")};
    std::vector<Printer> added = before;
    added.push_back(MakePrinter("C"));
    std::vector<Printer> hidden = before;
    hidden[0].attributes = 0x40;
    const Names ports = {"LPT1:", "USB001"};

    QTest::newRow("nothing changed") << before << ports << 0 << 1;
    QTest::newRow("a port added") << before << Names{"LPT1:", "USB001", "FILE:"} << 1 << 1;
    QTest::newRow("a port renamed") << before << Names{"LPT1:", "USB002"} << 1 << 1;
    QTest::newRow("a printer added: the default printer is current again") << added << ports << 1 << 0;
    QTest::newRow("a printer removed") << std::vector<Printer>{before[1], MakePrinter("D")} << ports << 1 << 0;
    QTest::newRow("attributes changed") << hidden << ports << 1 << 0;
}

void TestPrinterAccess::settingsChange()
{
    QFETCH(std::vector<Printer>, after);
    QFETCH(Names, portsAfter);
    QFETCH(int, changes);
    QFETCH(int, indexAfter);

    Rig rig({MakePrinter("A"), MakePrinter("B")});
    rig.fake->ports = {"LPT1:", "USB001"};
    rig.access.GetPortNames();
    rig.access.SetIndex(1);
    int raised = 0;
    rig.access.SetOnChange([&](TPrinterAccess& sender) {
        QCOMPARE(&sender, &rig.access);
        ++raised;
    });

    rig.fake->printers = after;
    rig.fake->ports = portsAfter;
    rig.fake->changeSettings();

    QCOMPARE(raised, changes);
    QCOMPARE(rig.access.GetIndex(), indexAfter);
    Names visible;
    for (const Printer& printer : after) {
        if (!(printer.attributes & PrinterAttributeHidden))
            visible.push_back(printer.name);
    }
    QCOMPARE(rig.access.GetPrinterNames(), visible);
}

void TestPrinterAccess::unansweredServer_data()
{
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<int>("changes");
    QTest::newRow("goes down") << QList<bool>{false} << 1;
    QTest::newRow("stays down") << QList<bool>{false, false} << 1;
    QTest::newRow("comes back") << QList<bool>{false, true} << 2;
}

void TestPrinterAccess::unansweredServer()
{
    QFETCH(QList<bool>, answers);
    QFETCH(int, changes);
    const std::string reason = "The print server cups.example does not answer";
    Rig rig({MakePrinter("A"), MakePrinter("B")});
    rig.access.SetIndex(1);
    int raised = 0;
    rig.access.SetOnChange([&](TPrinterAccess&) { ++raised; });

    for (bool answered : answers) {
        rig.fake->unreachable = answered ? std::string() : reason;
        rig.fake->changeSettings();
    }

    QCOMPARE(raised, changes);
    if (answers.back()) {
        QCOMPARE(rig.access.GetPrinterNames(), (Names{"A", "B"}));
        return;
    }
    // Never an empty list, and never another printer: every question is the server's error.
    QCOMPARE(MessageOf<EPrinterAccessServerError>([&] { rig.access.GetPrinterNames(); }),
             QString::fromStdString(reason));
    QCOMPARE(MessageOf<EPrinterAccessServerError>([&] { rig.access.SetIndex(0); }), QString::fromStdString(reason));
    QCOMPARE(MessageOf<EPrinterAccessServerError>([&] { rig.access.GetPageGeometry(); }),
             QString::fromStdString(reason));
}

void TestPrinterAccess::portsDifferingInCaseAreOne()
{
    Rig rig({MakePrinter("A")});
    rig.fake->ports = {"LPT1:", "lpt1:", "FILE:", "Usb001", "USB001"};
    QCOMPARE(rig.access.GetPortNames(), (Names{"LPT1:", "FILE:", "Usb001"}));
}

void TestPrinterAccess::globalNeedsAService()
{
    UninstallPrinterService();
    QVERIFY_THROWS_EXCEPTION(std::logic_error, PrinterAccess());
    auto fake = std::make_unique<FakePrinterService>(std::vector<Printer>{MakePrinter("A"), MakePrinter("B")});
    InstallPrinterService(std::move(fake));
    QCOMPARE(PrinterAccess().GetPrinterNames(), (Names{"A", "B"}));
    UninstallPrinterService();
}

QTEST_GUILESS_MAIN(TestPrinterAccess)
#include "tst_printeraccess.moc"
