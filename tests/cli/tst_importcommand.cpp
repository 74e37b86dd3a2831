#include "platform/Cp932.h"
#include "tests/support/ProgramRun.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The built program's import command, run as a user would run it.
class TestImportCommand : public QObject
{
    Q_OBJECT

private slots:
    void transfers_data();
    void transfers();
    void refusesAndFails_data();
    void refusesAndFails();
    void unwritableOutput_data();
    void unwritableOutput();

private:
    using Run = ProgramRun;
    static Run run(const QStringList& arguments, const QByteArray& input)
    {
        return RunProgram(QStringList{"import"} + arguments, {}, input);
    }
};

void TestImportCommand::transfers_data()
{
    QTest::addColumn<bool>("cp932");
    QTest::addColumn<QString>("mail");
    QTest::addColumn<QStringList>("fields"); // zip, address1, address2, name, tel
    QTest::addColumn<QStringList>("memo");
    QTest::addColumn<QString>("warning");

    QTest::newRow("shop order mail, utf-8 on standard input")
        << false
        << "お届け先：\n〒150-0002\n東京都渋谷区渋谷2-21-1\n渋谷ヒカリエ 10F\n山本 一郎 様\nTEL:090-1234-5678\n"
           "mail: ichiro@example.jp\n"
        << QStringList{"150-0002", "東京都渋谷区渋谷2-21-1", "渋谷ヒカリエ 10F", "山本 一郎", "090-1234-5678"}
        << QStringList{"", "150-0002", "東京都渋谷区渋谷2-21-1", "渋谷ヒカリエ 10F", "山本 一郎", "090-1234-5678", ""}
        << "";
    QTest::newRow("form mail in code page 932 with glued postal code")
        << true
        << "ご住所：〒５３０－０００１大阪府大阪市北区梅田３－１－１\r\nお名前：田中 花子\r\n"
           "電話番号：０６－１２３４－５６７８\r\n"
        << QStringList{"530-0001", "大阪府大阪市北区梅田3-1-1", "", "田中 花子", "06-1234-5678"}
        << QStringList{"530-0001", "田中 花子", "０６－１２３４－５６７８", "大阪府大阪市北区梅田3-1-1", "", "", ""}
        << "";
    QTest::newRow("long first address line warns")
        << false << "北海道\n札幌市中央区北一条西二丁目一番地一号札幌ビル\n山田 様"
        << QStringList{"", "北海道札幌市中央区北一条西二丁目一番地一号札幌ビル", "", "山田", ""}
        << QStringList{"北海道", "札幌市中央区北一条西二丁目一番地一号札幌ビル", "山田", "", "", "", ""}
        << "警告:おところ①の文字数が多すぎます。　おところ②へ分割してください";
}

void TestImportCommand::transfers()
{
    QFETCH(bool, cp932);
    QFETCH(QString, mail);
    QFETCH(QStringList, fields);
    QFETCH(QStringList, memo);
    QFETCH(QString, warning);

    Run result;
    if (cp932) {
        // Through a file, as a saved mail would come.
        QTemporaryDir folder;
        QFile file(folder.filePath("mail.txt"));
        const auto bytes = cp932::FromUtf8Strict(mail.toStdString());
        QVERIFY(bytes && file.open(QIODevice::WriteOnly));
        file.write(bytes->data(), static_cast<qint64>(bytes->size()));
        file.close();
        result = run({"--cp932", file.fileName()}, {});
    } else {
        result = run({}, mail.toUtf8());
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
    QCOMPARE(json["warning"].toString(), warning);
}

void TestImportCommand::refusesAndFails_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("nothing pasted") << QStringList{} << QByteArray("\n \n") << 1 << "転送テキストがありません";
    QTest::newRow("only a mail address") << QStringList{} << QByteArray("taro@example.org") << 1
                                         << "転送テキストがありません";
    QTest::newRow("eight lines") << QStringList{} << QByteArray("1\n2\n3\n4\n5\n6\n7\n8\n") << 1
                                 << " ７行以内に収めてください  現在 8行です";
    QTest::newRow("unknown option") << QStringList{"--utf16"} << QString("山田").toUtf8() << 2
                                    << "unknown option --utf16";
    QTest::newRow("two files") << QStringList{"a.txt", "b.txt"} << QByteArray() << 2 << "more than one input file";
    QTest::newRow("missing file") << QStringList{"/nonexistent/mail.txt"} << QByteArray() << 1
                                  << "cannot read /nonexistent/mail.txt";
    QTest::newRow("folder as file") << QStringList{"/"} << QByteArray() << 1 << "cannot read /: Is a directory";
    // 山田 様 in code page 932.
    QTest::newRow("code page 932 without --cp932")
        << QStringList{} << QByteArray("\x8E\x52\x93\x63 \x97\x6C\n") << 1 << "input is not UTF-8 (use --cp932)";
    QTest::newRow("overlong UTF-8") << QStringList{} << QByteArray("\xC0\xAF\n") << 1
                                    << "input is not UTF-8 (use --cp932)";
    QTest::newRow("UTF-8 surrogate") << QStringList{} << QByteArray("\xED\xA0\x80\n") << 1
                                     << "input is not UTF-8 (use --cp932)";
    QTest::newRow("UTF-8 cut short") << QStringList{} << QByteArray("山田\n\xE5\xB1") << 1
                                     << "input is not UTF-8 (use --cp932)";
}

void TestImportCommand::refusesAndFails()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    const Run result = run(arguments, input);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY(result.out.isEmpty());
    QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
}

void TestImportCommand::unwritableOutput_data()
{
    QTest::addColumn<QString>("redirection");
    QTest::newRow("full disk") << ">/dev/full";
    QTest::newRow("closed") << ">&-";
}

void TestImportCommand::unwritableOutput()
{
    QFETCH(QString, redirection);
    QProcess process;
    process.start("/bin/sh", {"-c", "\"$0\" import " + redirection, QStringLiteral(MIVO_EXECUTABLE)});
    QVERIFY(process.waitForStarted());
    process.write("〒150-0002\n東京都渋谷区渋谷2-21-1\n山本 一郎 様\n");
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QCOMPARE(process.readAllStandardError(), QByteArray("mivo-kangaroo import: cannot write standard output\n"));
}

QTEST_GUILESS_MAIN(TestImportCommand)
#include "tst_importcommand.moc"
