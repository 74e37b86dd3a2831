#include "postal/PostalData.h"
#include "postal/PostalDirectory.h"
#include "tests/postal/DescribeEntries.h"

#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <sys/stat.h>

using postal::PostalDirectory;
using postal::PostalEntry;

namespace {

void writeFile(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

// A list with codes out of order, several entries for one code, empty fields, more than a
// one-byte table's worth of characters and characters outside the basic plane.
std::vector<PostalEntry> sampleEntries()
{
    std::vector<PostalEntry> entries{
        {"999-9999", "沖縄県", "那覇市", "", "", ""},
        {"4980000", "愛知県", "弥富市", "", "", ""},
        {"498-0000", "三重県", "桑名郡木曽岬町", "", "", ""},
        {"100-0001", "東京都", "千代田区", "千代田", "１－１", "𠮷野家本社"},
        {"000-0000", "", "", "", "", ""},
    };
    std::string many;
    for (char32_t c = U'一'; c < U'一' + 300; ++c) {
        many += QString::fromUcs4(&c, 1).toStdString();
    }
    entries.push_back({"5000000", "岐阜県", "岐阜市", many, "", ""});
    return entries;
}

} // namespace

class TestPostalDirectory : public QObject
{
    Q_OBJECT

private slots:
    void builtInLookup_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("expected");

        QTest::newRow("one entry") << "1000001"
                                   << "100-0001|東京都|千代田区|千代田||";
        QTest::newRow("no town") << "0600000"
                                 << "060-0000|北海道|札幌市中央区|||";
        QTest::newRow("two prefectures") << "4980000"
                                         << "498-0000|愛知県|弥富市|||\n498-0000|三重県|桑名郡木曽岬町|||";
        QTest::newRow("business") << "9040493"
                                  << "904-0493|沖縄県|国頭郡恩納村|字瀬良垣|２２６０|万座ビーチホテル＆リゾート";
        QTest::newRow("first of the list") << "0010000"
                                           << "001-0000|北海道|札幌市北区|||";
        QTest::newRow("last of the list") << "9998531"
                                          << "999-8531|山形県|飽海郡遊佐町|菅里||";
        QTest::newRow("below the list") << "0000000"
                                        << "";
        QTest::newRow("above the list") << "9999999"
                                        << "";
        QTest::newRow("between codes") << "1000002"
                                       << "100-0002|東京都|千代田区|皇居外苑||";
        QTest::newRow("not seven digits") << "100001"
                                          << "";
        QTest::newRow("signed") << "+100001"
                                << "";
    }

    void builtInLookup()
    {
        QFETCH(QString, code);
        QFETCH(QString, expected);
        QCOMPARE(DescribeEntries(postal::directoryFor("/nonexistent").find(code.toStdString())), expected);
    }

    void builtInHoldsTheWholeList()
    {
        const PostalDirectory& directory = postal::directoryFor("/nonexistent");
        QCOMPARE(directory.entryCount(), std::size_t(146923));
        QCOMPARE(directory.find("4520961").size(), std::size_t(66));
    }

    void storedListReadsBackAsWritten()
    {
        const std::vector<PostalEntry> entries = sampleEntries();
        const PostalDirectory directory(postal::encodeDirectory(entries));
        QCOMPARE(directory.entryCount(), entries.size());
        for (const PostalEntry& entry : entries) {
            PostalEntry expected = entry;
            expected.zip = entry.zip.size() == 7 ? entry.zip.substr(0, 3) + "-" + entry.zip.substr(3) : entry.zip;
            const std::vector<PostalEntry> found = directory.find(expected.zip.substr(0, 3) + expected.zip.substr(4));
            QVERIFY2(std::find(found.begin(), found.end(), expected) != found.end(), entry.zip.c_str());
        }
        QCOMPARE(DescribeEntries(directory.find("4980000")),
                 QString("498-0000|愛知県|弥富市|||\n498-0000|三重県|桑名郡木曽岬町|||"));
    }

    void encodingRefusesBadEntries_data()
    {
        QTest::addColumn<QString>("zip");
        QTest::addColumn<QByteArray>("town");
        QTest::newRow("short code") << "100-001" << QByteArray("千代田");
        QTest::newRow("letters") << "ABC-DEFG" << QByteArray("千代田");
        QTest::newRow("broken utf-8") << "100-0001" << QByteArray("\xE5\x8D");
    }

    void encodingRefusesBadEntries()
    {
        QFETCH(QString, zip);
        QFETCH(QByteArray, town);
        const std::vector<PostalEntry> entries{{zip.toStdString(), "東京都", "千代田区", town.toStdString(), "", ""}};
        QVERIFY_THROWS_EXCEPTION(postal::DataFormatError, postal::encodeDirectory(entries));
    }

    // A cut or damaged file is refused or read without running off its end; never a crash.
    void damagedListsAreRefusedOrReadSafely()
    {
        const std::string bytes = postal::encodeDirectory(sampleEntries());
        for (std::size_t length = 0; length < bytes.size(); ++length) {
            QVERIFY_THROWS_EXCEPTION(postal::DataFormatError, PostalDirectory(bytes.substr(0, length)));
        }
        for (std::size_t at = 0; at < bytes.size(); ++at) {
            std::string damaged = bytes;
            damaged[at] = static_cast<char>(damaged[at] ^ 0xA5);
            try {
                const PostalDirectory directory(damaged);
                for (const char* code : {"0000000", "1000001", "4980000", "5000000", "9999999"}) {
                    directory.find(code);
                }
            } catch (const postal::DataFormatError&) {
            }
        }
    }

    void workingFolderListTakesPrecedence()
    {
        QTemporaryDir folder;
        const std::filesystem::path path = folder.path().toStdString();
        const std::filesystem::path file = path / postal::kDirectoryFileName;
        QCOMPARE(postal::directoryFor(path).entryCount(), std::size_t(146923));

        writeFile(file, postal::encodeDirectory({{"100-0001", "東京都", "千代田区", "新千代田", "", ""}}));
        QCOMPARE(DescribeEntries(postal::directoryFor(path).find("1000001")),
                 QString("100-0001|東京都|千代田区|新千代田||"));
        QVERIFY(postal::directoryFor(path).find("0600000").empty());

        writeFile(file, postal::encodeDirectory({{"100-0001", "東京都", "千代田区", "丸の内千代田", "", ""}}));
        QCOMPARE(DescribeEntries(postal::directoryFor(path).find("1000001")),
                 QString("100-0001|東京都|千代田区|丸の内千代田||"));

        writeFile(file, "MIVOPST1 damaged beyond use");
        QCOMPARE(postal::directoryFor(path).entryCount(), std::size_t(146923));
    }

    // The built-in list stands in for a working folder's list that cannot serve, and says why.
    void fallbackToTheBuiltInListIsExplained_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("damaged") << "damaged"
                                 << "が壊れています";
        QTest::newRow("sparse and oversized, never read whole") << "sparse"
                                                                << "は大きすぎます";
        QTest::newRow("FIFO, never waited on") << "fifo"
                                               << "は通常のファイルではありません";
        QTest::newRow("valid list: no reason") << "valid"
                                               << "";
    }

    void fallbackToTheBuiltInListIsExplained()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        const std::filesystem::path path = folder.path().toStdString();
        const std::filesystem::path file = path / postal::kDirectoryFileName;
        QVERIFY(!postal::builtInFallbackReason(path));
        if (kind == "damaged") {
            writeFile(file, "MIVOPST1 damaged beyond use");
        } else if (kind == "sparse") {
            writeFile(file, "");
            std::filesystem::resize_file(file, std::uintmax_t{2} << 30);
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(file.c_str(), 0600), 0);
        } else {
            writeFile(file, postal::encodeDirectory(sampleEntries()));
        }
        const std::optional<std::string> said = postal::builtInFallbackReason(path);
        QCOMPARE(said.has_value(), !reason.isEmpty());
        if (said) {
            QVERIFY2(QString::fromStdString(*said).contains(reason), said->c_str());
            QVERIFY(QString::fromStdString(*said).contains(QString::fromStdString(file.filename().string())));
            QCOMPARE(postal::directoryFor(path).entryCount(), std::size_t(146923));
        }
    }
};

QTEST_APPLESS_MAIN(TestPostalDirectory)
#include "tst_postaldirectory.moc"
