#include "gui/MailLink.h"

#include <QTest>
#include <QUrlQuery>

class TestMailLink : public QObject
{
    Q_OBJECT

private slots:
    void link_data();
    void link();
};

void TestMailLink::link_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("Japanese subject percent-encoded")
        << QStringLiteral("support@mivo.example")
        << QByteArray(
               "mailto:support@mivo.example?subject=mivo%E3%81%B8%E3%81%AE%E5%95%8F%E3%81%84%E5%90%88%E3%82%8F%E3%81%9B"
               "&cc=&bcc=&");
    QTest::newRow("address cannot break the query")
        << QStringLiteral("a&b?c@x.example")
        << QByteArray("mailto:a%26b%3Fc@x.example?subject=mivo%E3%81%B8%E3%81%AE"
                      "%E5%95%8F%E3%81%84%E5%90%88%E3%82%8F%E3%81%9B&cc=&bcc=&");
}

void TestMailLink::link()
{
    QFETCH(QString, address);
    QFETCH(QByteArray, encoded);
    const QUrl url = SupportMailLink(address);
    QVERIFY(url.isValid());
    QCOMPARE(url.toEncoded(), encoded);
    QCOMPARE(url.scheme(), QStringLiteral("mailto"));
    QCOMPARE(url.path(QUrl::FullyDecoded), address);
    const QUrlQuery query(url);
    QCOMPARE(query.queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded), QStringLiteral("mivoへの問い合わせ"));
    QVERIFY(query.hasQueryItem(QStringLiteral("cc")));
    QVERIFY(query.queryItemValue(QStringLiteral("bcc")).isEmpty());
}

QTEST_GUILESS_MAIN(TestMailLink)
#include "tst_maillink.moc"
