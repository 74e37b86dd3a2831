#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestPostalDataFile : public QObject
{
    Q_OBJECT

private slots:
    void committedListIsTheGeneratorsOutput()
    {
        if (!QFile::exists(PACKAGE_FOLDER "/json/100.json")) {
            QSKIP("jquery-jpostal-ja not fetched (tools/postal/update-postal-data)");
        }
        QTemporaryDir folder;
        const QString output = folder.filePath("postal_codes.dat");
        QProcess generator;
        generator.start(GENERATOR, {PACKAGE_FOLDER, output});
        QVERIFY(generator.waitForFinished(120000));
        QCOMPARE(generator.exitCode(), 0);

        QFile generated(output);
        QFile committed(COMMITTED_DATA);
        QVERIFY(generated.open(QIODevice::ReadOnly) && committed.open(QIODevice::ReadOnly));
        QVERIFY2(generated.readAll() == committed.readAll(), "postal/data/postal_codes.dat is out of date");
    }
};

QTEST_GUILESS_MAIN(TestPostalDataFile)
#include "tst_postaldatafile.moc"
