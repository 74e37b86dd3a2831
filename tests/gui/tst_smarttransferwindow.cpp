#include "tests/support/EmptySender.h"
#include "tests/support/MainWindowFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

namespace {

QStringList recipient(MainWindowFixture& fixture)
{
    QStringList fields;
    for (const char* name : {"Edit_Zip", "Edit_Add1", "Edit_Add2", "Edit_Custo1", "Edit_tel"}) {
        fields.append(fixture.control<QLineEdit>(name)->text());
    }
    return fields;
}

const QString kOrderMail = "いつもご利用ありがとうございます。\n\n"
                           "[注文者] 山田 花子 様\n〒150-0001 東京都渋谷区神宮前1-2-3\n(TEL) 03-1234-5678\n\n"
                           "[送付先] 佐藤 一郎 様\n〒５３０－０００１ 大阪府大阪市北区梅田２－４－９ 梅田ビル１２Ｆ\n"
                           "(TEL) ０６－６３４５－１１１１\n[商品]\nクッキー 1個\n";
} // namespace

// F3 runs the transfer of whole order mails on the memo.
class TestSmartTransferWindow : public QObject
{
    Q_OBJECT

private slots:
    void transfers_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("F3 button") << "button";
        QTest::newRow("F3 key in a field") << "field";
        QTest::newRow("F3 key in the memo") << "memo";
    }
    void transfers()
    {
        QFETCH(QString, how);
        MainWindowFixture fixture;
        fixture.writeFile("my0.txt", kEmptySender);
        TForm_Main& window = fixture.show();
        window.setKosuuText("5");
        fixture.control<QLineEdit>("Edit_Add2")->setText("前の建物");
        auto* memo = fixture.control<QPlainTextEdit>("Memo1");
        memo->setPlainText(kOrderMail);

        if (how == "button") {
            QTest::mouseClick(fixture.control<QToolButton>("SpeedButton_F3"), Qt::LeftButton);
        } else {
            QWidget* target = how == "memo" ? static_cast<QWidget*>(memo) : fixture.control<QLineEdit>("Edit_G1");
            target->setFocus();
            QTRY_VERIFY(target->hasFocus());
            QTest::keyClick(target, Qt::Key_F3);
        }

        QCOMPARE(recipient(fixture),
                 (QStringList{"530-0001", "大阪府大阪市北区梅田2-4-9", "梅田ビル12F", "佐藤 一郎", "06-6345-1111"}));
        QStringList kept = kOrderMail.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(memo->toPlainText(), kept.join('\n'));
        QCOMPARE(window.kosuuText(), QString("1"));
        QTRY_COMPARE(fixture.focusedName(), QString("Edit_Zip"));
        QVERIFY(fixture.prompt().notices.isEmpty());
        QVERIFY(fixture.control<QLabel>("Label_Warning")->text().isEmpty());
    }

    void postalCodeCheckedAfterwards_data()
    {
        QTest::addColumn<QString>("mail");
        QTest::addColumn<QString>("warning");
        QTest::newRow("agrees") << "〒100-0001\n東京都千代田区千代田1-1\n宮内 様"
                                << "";
        QTest::newRow("prefecture supplied, agrees") << "〒100-0001\n千代田区千代田1-1\n宮内 様"
                                                     << "";
        QTest::newRow("disagrees") << "〒100-0001\n大阪府大阪市北区梅田1-1\n梅田 様"
                                   << "郵便番号と住所が一致しません（〒100-0001 は東京都千代田区千代田）";
    }
    void postalCodeCheckedAfterwards()
    {
        QFETCH(QString, mail);
        QFETCH(QString, warning);
        MainWindowFixture fixture;
        fixture.writeFile("my0.txt", kEmptySender);
        fixture.show();
        fixture.control<QPlainTextEdit>("Memo1")->setPlainText(mail);

        QTest::mouseClick(fixture.control<QToolButton>("SpeedButton_F3"), Qt::LeftButton);

        QCOMPARE(fixture.control<QLabel>("Label_Warning")->text(), warning);
        QVERIFY(fixture.control<QLineEdit>("Edit_Add1")->text().startsWith("東京都") == warning.isEmpty());
    }

    void captionFitsItsKey()
    {
        MainWindowFixture fixture;
        fixture.writeFile("my0.txt", kEmptySender);
        fixture.show();
        const auto* button = fixture.control<QToolButton>("SpeedButton_F3");
        QCOMPARE(button->text().remove('\n'), QStringLiteral("スマート転送"));
        const QSize text = button->fontMetrics().size(0, button->text());
        QVERIFY2(button->sizeHint().width() <= button->width() && text.height() <= button->height(),
                 qPrintable(QStringLiteral("needs %1 x %2 of %3 x %4 pixels")
                                .arg(button->sizeHint().width())
                                .arg(text.height())
                                .arg(button->width())
                                .arg(button->height())));
    }

    void emptyMemoIsRefused()
    {
        MainWindowFixture fixture;
        fixture.writeFile("my0.txt", kEmptySender);
        TForm_Main& window = fixture.show();
        const QStringList before{"123-4567", "北海道札幌市中央区北一条西二丁目一番地一号札幌ビル", "", "山田", ""};
        int i = 0;
        for (const char* name : {"Edit_Zip", "Edit_Add1", "Edit_Add2", "Edit_Custo1", "Edit_tel"}) {
            fixture.control<QLineEdit>(name)->setText(before[i++]);
        }
        window.setKosuuText("4");
        fixture.control<QPlainTextEdit>("Memo1")->setPlainText(" \n　\n");

        QTest::mouseClick(fixture.control<QToolButton>("SpeedButton_F3"), Qt::LeftButton);

        QCOMPARE(fixture.prompt().notices, QStringList{"転送テキストがありません"});
        QCOMPARE(recipient(fixture), before);
        QCOMPARE(window.kosuuText(), QString("4"));
        QVERIFY(fixture.control<QPlainTextEdit>("Memo1")->toPlainText().isEmpty());
        QVERIFY(!fixture.control<QLabel>("Label_Warning")->text().isEmpty());
    }
};

QTEST_MAIN(TestSmartTransferWindow)
#include "tst_smarttransferwindow.moc"
