#include "widgets/Pictures.h"

#include <QImage>
#include <QTest>

namespace {
// The share of a picture's pixels that carry ink, and their mean opacity.
struct Ink
{
    double coverage = 0;
    double opacity = 0;
};

Ink inkOf(const QIcon& icon, int size, QIcon::Mode mode)
{
    const QImage image = icon.pixmap(QSize(size, size), 1.0, mode).toImage().convertToFormat(QImage::Format_ARGB32);
    int inked = 0;
    double alpha = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int a = qAlpha(image.pixel(x, y));
            inked += a > 0 ? 1 : 0;
            alpha += a;
        }
    }
    return {double(inked) / (size * size), inked > 0 ? alpha / inked / 255.0 : 0};
}
} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private slots:
    void drawnWithinTheirSquare_data();
    void drawnWithinTheirSquare();
};

void TestPictures::drawnWithinTheirSquare_data()
{
    QTest::addColumn<Picture>("picture");
    QTest::addColumn<int>("size");
    for (const auto& [name, picture] : {std::pair{"transfer", Picture::Transfer},
                                        {"clear memo", Picture::ClearMemo},
                                        {"clear recipient", Picture::ClearRecipient},
                                        {"save", Picture::Save},
                                        {"help", Picture::Help}}) {
        for (const int size : {16, 24, 64}) {
            QTest::addRow("%s %d", name, size) << picture << size;
        }
    }
}

// Each picture fills a fair part of the square it is asked for, at every size, and a disabled
// button shows it faded.
void TestPictures::drawnWithinTheirSquare()
{
    QFETCH(Picture, picture);
    QFETCH(int, size);
    const QIcon icon = PictureIcon(picture);
    const Ink normal = inkOf(icon, size, QIcon::Normal);
    QVERIFY2(normal.coverage > 0.25 && normal.coverage < 0.95, qPrintable(QString::number(normal.coverage)));
    const Ink disabled = inkOf(icon, size, QIcon::Disabled);
    QVERIFY(disabled.opacity < normal.opacity * 0.6);
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
