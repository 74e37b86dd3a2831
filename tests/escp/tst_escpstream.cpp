#include "escp/DirectPrintState.h"
#include "escp/EscpJob.h"
#include "platform/FontSubstitutes.h"
#include "platform/QPainterCanvas.h"
#include "slipprint/SlipDrawing.h"
#include "tests/support/EscpDecoder.h"
#include "tests/support/RecordingCanvas.h"
#include "tests/support/SampleSlip.h"

#include <QPainter>
#include <QTest>

#include <stdexcept>

// Builds direct printer streams and reads them back as the printer would carry them out.
namespace {

const EscpForm kContinuous;

EscpDecoded decode(const std::string& stream, const EscpForm& form = kContinuous)
{
    return DecodeEscp(stream, form.widthDots, form.lengthDots);
}

// The slip drawn as the driver path draws it, on a 1-bit form at 180 dots per inch.
QImage canvasDrawing(const Slip& slip, const SlipPrintState& registered, const EscpForm& form)
{
    QImage image(form.widthDots, form.lengthDots, QImage::Format_Mono);
    image.setColorCount(2);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    image.fill(0);
    image.setDotsPerMeterX(7087);
    image.setDotsPerMeterY(7087);
    QPainter painter(&image);
    QPainterCanvas canvas(painter, CanvasPlacement{0, 0, 1, 1, 2.5});
    DrawSlip(slip, DirectPrintState(registered), canvas);
    painter.end();
    return image;
}

int differingDots(const QImage& a, const QImage& b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            count += a.pixelIndex(x, y) != b.pixelIndex(x, y) ? 1 : 0;
        }
    }
    return count;
}

int inkDots(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixelIndex(x, y);
        }
    }
    return count;
}

bool blank(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

// Every field as long as the form's boxes take.
Slip fullSlip()
{
    Slip slip = SampleSlip();
    slip.recipient = {"123-4567", "北海道札幌市中央区北一条西二丁目一番地の三", "札幌中央第一ビルディング二十三階南側",
                      "株式会社北海道物産販売事業部御中", "011-234-5678"};
    slip.sender = {"530-0001", "大阪府大阪市北区梅田一丁目二番三号の四", "大阪駅前第三ビルディング十二階",
                   "有限会社大阪商店通信販売部", "06-9876-5432"};
    slip.goods = {"衣料品及び服飾雑貨類一式", "書籍及び雑誌類一式と文房具", "食料品(常温保存のもの)"};
    slip.pieceCount = "123";
    return slip;
}

} // namespace

class TestEscpStream : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { InstallFontSubstitutes(); }

    void textsStandAtTheirDots_data()
    {
        QTest::addColumn<SlipPrintState>("registered");
        QTest::newRow("margins at the drawing's own shift") << SlipPrintState{180, 180, 0, 90};
        QTest::newRow("margins between 1/60-inch steps") << SlipPrintState{180, 180, 7, 95};
        QTest::newRow("wide margins") << SlipPrintState{180, 180, 40, 250};
        QTest::newRow("registered at 360 dpi") << SlipPrintState{360, 360, 61, 241};
        QTest::newRow("decimal margins") << SlipPrintState{180, 180, 11, 100};
    }
    void textsStandAtTheirDots()
    {
        QFETCH(SlipPrintState, registered);
        RecordingCanvas layout;
        DrawSlip(SampleSlip(), DirectPrintState(registered), layout);

        const EscpDecoded printed =
            decode(BuildEscpStream({SampleSlip()}, registered, OutputMode::EscpText, kContinuous));

        std::vector<EscpDecoded::TextRun> expected;
        for (const RecordingCanvas::TextItem& item : layout.items()) {
            if (!blank(item.text)) {
                expected.push_back({0, item.x, item.y, item.text, item.fontSize >= 15});
            }
        }
        QCOMPARE(printed.texts.size(), expected.size());
        for (const EscpDecoded::TextRun& want : expected) {
            const auto found = std::find_if(printed.texts.begin(), printed.texts.end(),
                                            [&want](const EscpDecoded::TextRun& run) { return run.text == want.text; });
            QVERIFY2(found != printed.texts.end(), want.text.c_str());
            // Whole dots both ways: within half a dot means the same dot.
            QCOMPARE(found->x, want.x);
            QCOMPARE(found->y, want.y);
            QCOMPARE(found->doubled, want.doubled);
        }
    }

    void formLengthIsOneForm_data()
    {
        QTest::addColumn<int>("lengthDots");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("continuous, four inches") << 720 << 0;
        QTest::newRow("hand-fed, eleven inches") << 1980 << 0;
        QTest::newRow("hand-fed, between inches") << 1000 << 0;
        QTest::newRow("hand-fed, a prime number of dots") << 997 << 1;
    }
    void formLengthIsOneForm()
    {
        QFETCH(int, lengthDots);
        QFETCH(int, tolerance);
        const EscpForm form{1800, lengthDots};
        for (const OutputMode mode : {OutputMode::EscpImage, OutputMode::EscpText}) {
            const EscpDecoded printed =
                decode(BuildEscpStream({SampleSlip()}, SlipPrintState{180, 180, 0, 0}, mode, form), form);
            QCOMPARE(printed.resets, 1);
            QCOMPARE(printed.formLengths.size(), std::size_t(1));
            QVERIFY(std::abs(printed.formLengths.front() - lengthDots) <= tolerance);
        }
    }

    void formLengthThePrinterCannotTake_data()
    {
        QTest::addColumn<int>("lengthDots");
        QTest::newRow("no length") << 0;
        QTest::newRow("longer than 127 lines of 255 dots") << 255 * 127 + 1;
    }
    void formLengthThePrinterCannotTake()
    {
        QFETCH(int, lengthDots);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 BuildEscpStream({SampleSlip()}, SlipPrintState{180, 180, 0, 0}, OutputMode::EscpText,
                                                 EscpForm{1800, lengthDots}));
    }

    void eachSlipAdvancesOneForm_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("slips");
        QTest::addColumn<QString>("top");
        for (const auto& [name, mode] : {std::pair{"image", OutputMode::EscpImage}, {"text", OutputMode::EscpText}}) {
            QTest::addRow("%s, no slip", name) << int(mode) << 0 << "0";
            QTest::addRow("%s, one slip", name) << int(mode) << 1 << "0";
            QTest::addRow("%s, three slips", name) << int(mode) << 3 << "0";
            QTest::addRow("%s, slip drawn past the form's end", name) << int(mode) << 2 << "690";
        }
    }
    void eachSlipAdvancesOneForm()
    {
        QFETCH(int, mode);
        QFETCH(int, slips);
        QFETCH(QString, top);
        const std::vector<Slip> batch(static_cast<std::size_t>(slips), SampleSlip());
        const std::string stream =
            BuildEscpStream(batch, SlipPrintState{180, 180, top.toInt(), 100}, OutputMode(mode), kContinuous);
        const EscpDecoded printed = decode(stream);
        QCOMPARE(printed.formFeeds, slips);
        QVERIFY(!printed.crossedFormEnd);
        QCOMPARE(stream.back(), slips > 0 ? '\f' : stream.back());
    }

    void pictureIsTheCanvasDrawing_data()
    {
        QTest::addColumn<SlipPrintState>("registered");
        QTest::newRow("no margins, drawing cut at the left edge") << SlipPrintState{180, 180, 0, 0};
        QTest::newRow("margins between 1/60-inch steps") << SlipPrintState{180, 180, 13, 91};
        QTest::newRow("margins off by one") << SlipPrintState{180, 180, 1, 92};
        QTest::newRow("drawing cut at the form's end") << SlipPrintState{180, 180, 600, 120};
    }
    void pictureIsTheCanvasDrawing()
    {
        QFETCH(SlipPrintState, registered);
        const Slip slip = fullSlip();
        const EscpDecoded printed =
            decode(BuildEscpStream({slip, slip}, registered, OutputMode::EscpImage, kContinuous));
        const QImage expected = canvasDrawing(slip, registered, kContinuous);
        QVERIFY(inkDots(expected, expected.rect()) > 1000);
        QCOMPARE(printed.forms.size(), std::size_t(3));
        QCOMPARE(differingDots(printed.forms[0], expected), 0);
        QCOMPARE(differingDots(printed.forms[1], expected), 0);
        QCOMPARE(inkDots(printed.forms[2], printed.forms[2].rect()), 0);
        QVERIFY(printed.texts.empty());
    }

    void fullSlipInPrinterFontsIsSmall()
    {
        const std::string one =
            BuildEscpStream({fullSlip()}, SlipPrintState{180, 180, 0, 100}, OutputMode::EscpText, kContinuous);
        const std::string two = BuildEscpStream({fullSlip(), fullSlip()}, SlipPrintState{180, 180, 0, 100},
                                                OutputMode::EscpText, kContinuous);
        qInfo("printer fonts: %zu bytes for a full slip", two.size() - one.size());
        QVERIFY(two.size() - one.size() <= 2048);
        QVERIFY(inkDots(decode(one).forms[0], QRect(0, 0, 1800, 720)) == 0);
    }

    void charactersWithoutPrinterCode_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("printedAround");
        QTest::addColumn<bool>("picture");
        QTest::newRow("NEC special character") << QString("山田①") << QString("山田") << true;
        QTest::newRow("IBM extension") << QString("髙橋") << QString("橋") << true;
        QTest::newRow("outside code page 932") << QString("A😀B") << QString("AB") << true;
        QTest::newRow("half-width katakana") << QString("ﾔﾏﾀﾞ") << QString("ﾔﾏﾀﾞ") << false;
        QTest::newRow("control characters left out") << QString("A\tB\x7F") << QString("AB") << false;
    }
    void charactersWithoutPrinterCode()
    {
        QFETCH(QString, name);
        QFETCH(QString, printedAround);
        QFETCH(bool, picture);
        Slip slip;
        slip.printDate = false;
        slip.printSender = false;
        slip.recipient.name = name.toStdString();
        const EscpDecoded printed =
            decode(BuildEscpStream({slip}, SlipPrintState{180, 180, 0, 100}, OutputMode::EscpText, kContinuous));
        std::string text;
        for (const EscpDecoded::TextRun& run : printed.texts) {
            text += run.text;
        }
        QCOMPARE(QString::fromStdString(text), printedAround);
        QCOMPARE(inkDots(printed.forms[0], printed.forms[0].rect()) > 0, picture);
    }
};

QTEST_MAIN(TestEscpStream)
#include "tst_escpstream.moc"
