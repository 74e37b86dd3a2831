#include "tests/support/ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The built program's postal commands, run as a user would run them in a working folder.
class TestPostalCommand : public QObject
{
    Q_OBJECT

private slots:
    void lookup_data();
    void lookup();
    void updatedListTakesPrecedence();
    void damagedListIsSaidAndTheBuiltInOneUsed();
    void badFileChangesNothing_data();
    void badFileChangesNothing();

private:
    using Run = ProgramRun;
    Run run(const QStringList& arguments) const { return RunProgram(arguments, m_folder.path()); }
    static QString fixture(const QString& name) { return QDir(FIXTURES).filePath(name); }
    QByteArray datFile() const;

    QTemporaryDir m_folder;
};

QByteArray TestPostalCommand::datFile() const
{
    QFile file(QDir(m_folder.path()).filePath("mivo_postal.dat"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestPostalCommand::lookup_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("places"); // prefecture + city + town + street + office of each entry
    QTest::addColumn<QString>("error");

    QTest::newRow("digits") << "1000001" << 0 << QStringList{"東京都千代田区千代田"} << "";
    QTest::newRow("mark and full width") << "〒１００－０００１" << 0 << QStringList{"東京都千代田区千代田"} << "";
    QTest::newRow("two prefectures") << "498-0000" << 0 << QStringList{"愛知県弥富市", "三重県桑名郡木曽岬町"} << "";
    QTest::newRow("business") << "904-0493" << 0
                              << QStringList{"沖縄県国頭郡恩納村字瀬良垣２２６０万座ビーチホテル＆リゾート"} << "";
    QTest::newRow("unknown") << "000-0000" << 1 << QStringList{} << "郵便番号 000-0000 は見つかりません\n";
    QTest::newRow("not a code")
        << "100-00" << 2 << QStringList{}
        << "mivo-kangaroo postal: 100-00 は郵便番号ではありません\nusage: mivo-kangaroo postal CODE\n";
}

void TestPostalCommand::lookup()
{
    QFETCH(QString, code);
    QFETCH(int, exitCode);
    QFETCH(QStringList, places);
    QFETCH(QString, error);

    const Run result = run({"postal", code});
    QCOMPARE(result.errText(), error);
    QCOMPARE(result.exitCode, exitCode);
    if (exitCode != 0) {
        QVERIFY(result.out.isEmpty());
        return;
    }
    const QJsonArray entries = QJsonDocument::fromJson(result.out).array();
    QStringList found;
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        QCOMPARE(entry.keys().size(), 6);
        QCOMPARE(entry["zip"].toString().size(), 8);
        found << entry["prefecture"].toString() + entry["city"].toString() + entry["town"].toString() +
                     entry["street"].toString() + entry["office"].toString();
    }
    QCOMPARE(found, places);
}

void TestPostalCommand::updatedListTakesPrecedence()
{
    const Run update =
        run({"postal-update", fixture("KEN_ALL.CSV"), fixture("utf_ken_all.csv"), fixture("JIGYOSYO.CSV")});
    QCOMPARE(update.errText(), QString());
    QCOMPARE(update.exitCode, 0);
    QCOMPARE(QString::fromUtf8(update.out), QString("mivo_postal.dat に 16 件の郵便番号を書き込みました\n"));

    const Run split = run({"postal", "0660005"});
    QCOMPARE(split.exitCode, 0);
    QCOMPARE(QJsonDocument::fromJson(split.out).array().size(), 1);
    QCOMPARE(QJsonDocument::fromJson(split.out).array()[0].toObject()["town"].toString(), QString("協和"));
    // Only the updated list counts now: a code it lacks is unknown.
    QCOMPARE(run({"postal", "1000002"}).exitCode, 1);
}

void TestPostalCommand::damagedListIsSaidAndTheBuiltInOneUsed()
{
    QFile damaged(m_folder.filePath("mivo_postal.dat"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();
    const Run result = run({"postal", "1000001"});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.errText().contains(QStringLiteral("組み込みの郵便番号一覧を使います")),
             qPrintable(result.errText()));
    QCOMPARE(QJsonDocument::fromJson(result.out).array()[0].toObject()["town"].toString(), QString("千代田"));
}

void TestPostalCommand::badFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("error");

    QTest::newRow("cut short") << QByteArray("01101,\"060  \",\"0600000\",\"x")
                               << "bad.csv の 1 行目: 引用符 \" が閉じていません";
    QTest::newRow("empty") << QByteArray() << "bad.csv の 1 行目: 郵便番号の行がありません";
}

void TestPostalCommand::badFileChangesNothing()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, error);

    QVERIFY(run({"postal-update", fixture("KEN_ALL.CSV")}).exitCode == 0);
    const QByteArray before = datFile();
    QVERIFY(!before.isEmpty());
    QFile bad(QDir(m_folder.path()).filePath("bad.csv"));
    QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write(content) == content.size());
    bad.close();

    const Run result = run({"postal-update", fixture("JIGYOSYO.CSV"), "bad.csv"});
    QCOMPARE(result.exitCode, 1);
    QCOMPARE(result.errText(), "mivo-kangaroo postal-update: " + error + "\n");
    QCOMPARE(datFile(), before);
    QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), QStringList({"bad.csv", "mivo_postal.dat"}));
}

QTEST_GUILESS_MAIN(TestPostalCommand)
#include "tst_postalcommand.moc"
