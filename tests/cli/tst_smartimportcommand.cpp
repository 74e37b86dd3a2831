#include "platform/Cp932.h"
#include "tests/support/ProgramRun.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// `mivo-kangaroo import --smart`, run as a user would run it.
class TestSmartImportCommand : public QObject
{
    Q_OBJECT

private slots:
    void transfers_data();
    void transfers();
    void refuses_data();
    void refuses();

private:
    using Run = ProgramRun;
    static Run run(const QStringList& arguments, const QByteArray& input)
    {
        return RunProgram(QStringList{"import"} + arguments, {}, input);
    }
};

void TestSmartImportCommand::transfers_data()
{
    QTest::addColumn<bool>("cp932");
    QTest::addColumn<QString>("mail");
    QTest::addColumn<QStringList>("fields"); // zip, address1, address2, name, tel
    QTest::addColumn<QStringList>("memo");

    const QString order = "ご注文ありがとうございます。\n\n[注文者] 山田 花子 様\n〒150-0001 東京都渋谷区神宮前1-2-3\n"
                          "[送付先] 佐藤 一郎 (サトウ イチロウ) 様\n〒530-0001 大阪府大阪市北区梅田2-4-9 梅田ビル12F\n"
                          "(TEL) 06-6345-1111 内線12\n";
    QTest::newRow("order mail, utf-8 on standard input")
        << false << order
        << QStringList{"530-0001", "大阪府大阪市北区梅田2-4-9", "梅田ビル12F", "佐藤 一郎", "06-6345-1111"}
        << order.split('\n', Qt::SkipEmptyParts);
    QTest::newRow("form in code page 932 from a file")
        << true
        << "お名前：様似 太郎 様\r\n住所：〒０５８００１４北海道様似郡様似町栄町１８\r\nＴＥＬ：+81 146 36 2119\r\n"
        << QStringList{"058-0014", "北海道様似郡様似町栄町18", "", "様似 太郎", "0146-36-2119"}
        << QStringList{"お名前：様似 太郎 様", "住所：〒０５８００１４北海道様似郡様似町栄町１８",
                       "ＴＥＬ：+81 146 36 2119"};
    QTest::newRow("prefecture from the postal-code list")
        << false << "〒420-0853\n静岡市葵区追手町9-6\n山本 和也様\n"
        << QStringList{"420-0853", "静岡県静岡市葵区追手町9-6", "", "山本 和也", ""}
        << QStringList{"〒420-0853", "静岡市葵区追手町9-6", "山本 和也様"};
}

void TestSmartImportCommand::transfers()
{
    QFETCH(bool, cp932);
    QFETCH(QString, mail);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, memo);

    Run result;
    if (cp932) {
        QTemporaryDir folder;
        QFile file(folder.filePath("mail.txt"));
        const auto bytes = cp932::FromUtf8Strict(mail.toStdString());
        QVERIFY(bytes && file.open(QIODevice::WriteOnly));
        file.write(bytes->data(), static_cast<qint64>(bytes->size()));
        file.close();
        result = run({"--smart", "--cp932", file.fileName()}, {});
    } else {
        result = run({"--smart"}, mail.toUtf8());
    }
    QCOMPARE(result.exitCode, 0);
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(result.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE((QStringList{json["zip"].toString(), json["address1"].toString(), json["address2"].toString(),
                          json["name"].toString(), json["tel"].toString()}),
             fields);
    QStringList memoLines;
    for (const QJsonValue& line : json["memo"].toArray()) {
        memoLines.append(line.toString());
    }
    QCOMPARE(memoLines, memo);
    QCOMPARE(json["warning"].toString(), QString());
}

void TestSmartImportCommand::refuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("nothing pasted") << QStringList{"--smart"} << "\n \n　\n" << 1 << "転送テキストがありません";
    QTest::newRow("unknown option") << QStringList{"--smart", "--fast"} << "山田" << 2
                                    << "usage: mivo-kangaroo import [--smart]";
}

void TestSmartImportCommand::refuses()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, input);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    const Run result = run(arguments, input.toUtf8());
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY(result.out.isEmpty());
    QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
}

QTEST_GUILESS_MAIN(TestSmartImportCommand)
#include "tst_smartimportcommand.moc"
