#include "platform/AtomicFile.h"
#include "platform/ProfileFile.h"

#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

std::string Bytes(const QByteArray& bytes)
{
    return bytes.toStdString();
}

// The lines of a content, split at LF.
std::vector<std::string> Lines(const std::string& content)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t lineFeed = content.find('\n', start);
        const std::size_t next = lineFeed == std::string::npos ? content.size() : lineFeed + 1;
        lines.push_back(content.substr(start, next - start));
        start = next;
    }
    return lines;
}

} // namespace

class TestProfileFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readString_data();
    void readString();
    void readInteger_data();
    void readInteger();
    void writeString_data();
    void writeString();
    void missingFileReadsDefaultAndIsCreated();
    void longValueIsCutAtTheLimit_data();
    void longValueIsCutAtTheLimit();
    void garbageSurvivesAWrite();
    void randomContentNeverBreaks();
    void writeValues_data();
    void writeValues();
    void batchMatchesEntryByEntry();

private:
    fs::path putFile(const QByteArray& content);

    QTemporaryDir m_folder;
    fs::path m_file;
};

void TestProfileFile::init()
{
    m_file = fs::path(m_folder.path().toStdString()) / "test.ini";
    fs::remove(m_file);
}

fs::path TestProfileFile::putFile(const QByteArray& content)
{
    std::ofstream(m_file, std::ios::binary).write(content.constData(), content.size());
    return m_file;
}

void TestProfileFile::readString_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray zip = "[mv_Kangarooprn]\r\nOP023MyZip=123-4567\r\n";
    QTest::newRow("plain entry") << zip << QByteArray("mv_Kangarooprn") << QByteArray("OP023MyZip")
                                 << QByteArray("123-4567");
    QTest::newRow("key case and trailing blank ignored")
        << zip << QByteArray("mv_Kangarooprn") << QByteArray("OP023MyZIP ") << QByteArray("123-4567");
    QTest::newRow("section case ignored")
        << zip << QByteArray("MV_KANGAROOPRN") << QByteArray("op023myzip") << QByteArray("123-4567");
    QTest::newRow("blanks around names and value")
        << QByteArray(" [ s ] \r\n\t k \t=  a b  \r\n") << QByteArray("s") << QByteArray("k") << QByteArray("a b");
    QTest::newRow("double quotes removed")
        << QByteArray("[s]\r\nk=\" x \"\r\n") << QByteArray("s") << QByteArray("k") << QByteArray(" x ");
    QTest::newRow("single quotes removed")
        << QByteArray("[s]\r\nk='x'\r\n") << QByteArray("s") << QByteArray("k") << QByteArray("x");
    QTest::newRow("only one pair of quotes")
        << QByteArray("[s]\r\nk=\"\"x\"\"\r\n") << QByteArray("s") << QByteArray("k") << QByteArray("\"x\"");
    QTest::newRow("mismatched quotes kept")
        << QByteArray("[s]\r\nk=\"x'\r\n") << QByteArray("s") << QByteArray("k") << QByteArray("\"x'");
    QTest::newRow("equals sign inside value")
        << QByteArray("[s]\r\nk=a=b\r\n") << QByteArray("s") << QByteArray("k") << QByteArray("a=b");
    QTest::newRow("empty value is not missing")
        << QByteArray("[s]\r\nk=\r\n") << QByteArray("s") << QByteArray("k") << QByteArray("");
    QTest::newRow("first of duplicate keys")
        << QByteArray("[s]\r\nk=1\r\nk=2\r\n") << QByteArray("s") << QByteArray("k") << QByteArray("1");
    QTest::newRow("first of duplicate sections")
        << QByteArray("[s]\r\na=1\r\n[s]\r\nk=2\r\n") << QByteArray("s") << QByteArray("k") << QByteArray("<default>");
    QTest::newRow("LF-only lines") << QByteArray("[s]\nk=v\nl=w\n") << QByteArray("s") << QByteArray("l")
                                   << QByteArray("w");
    QTest::newRow("missing key") << zip << QByteArray("mv_Kangarooprn") << QByteArray("E_ZIP")
                                 << QByteArray("<default>");
    QTest::newRow("missing section") << zip << QByteArray("other") << QByteArray("OP023MyZip")
                                     << QByteArray("<default>");
    QTest::newRow("key of another section")
        << QByteArray("[a]\r\nk=1\r\n[b]\r\n") << QByteArray("b") << QByteArray("k") << QByteArray("<default>");
    QTest::newRow("key before any section")
        << QByteArray("k=1\r\n[s]\r\n") << QByteArray("s") << QByteArray("k") << QByteArray("<default>");
    QTest::newRow("comment is not an entry")
        << QByteArray("[s]\r\n;k=1\r\n") << QByteArray("s") << QByteArray(";k") << QByteArray("<default>");
    // ア (83 41) and ヂ (83 61) differ only in a second byte that reads as 'A' or 'a'.
    QTest::newRow("second byte never case-folded")
        << QByteArray("[s]\r\n\x83\x41=1\r\n") << QByteArray("s") << QByteArray("\x83\x61") << QByteArray("<default>");
    QTest::newRow("double-byte key found")
        << QByteArray("[s]\r\n\x83\x41=1\r\n") << QByteArray("s") << QByteArray("\x83\x41") << QByteArray("1");
    QTest::newRow("bracket as second byte in a section name")
        << QByteArray("[\x83\x5D]\r\nk=1\r\n") << QByteArray("\x83\x5D") << QByteArray("k") << QByteArray("1");
    QTest::newRow("paper feed section") << QByteArray("[\x98\x41\x91\xB1(\x82\x53\x83\x43\x83\x93\x83\x60)]\r\n"
                                                      "PrnNoIndex=2\r\n")
                                        << QByteArray("\x98\x41\x91\xB1(\x82\x53\x83\x43\x83\x93\x83\x60)")
                                        << QByteArray("PrnNoIndex") << QByteArray("2");
}

void TestProfileFile::readString()
{
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, expected);
    putFile(content);
    QCOMPARE(QByteArray::fromStdString(ProfileFile::ReadString(m_file, Bytes(section), Bytes(key), "<default>")),
             expected);
}

void TestProfileFile::readInteger_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("decimal") << QByteArray("12") << 12;
    QTest::newRow("negative") << QByteArray("-1") << -1;
    QTest::newRow("plus sign") << QByteArray("+4") << 4;
    QTest::newRow("hexadecimal") << QByteArray("0x2") << 2;
    QTest::newRow("upper-case hex prefix") << QByteArray("0X1f") << 31;
    QTest::newRow("hex wraps as the platform's 32 bits") << QByteArray("0xFFFFFFFF") << -1;
    QTest::newRow("blanks and quotes dropped first") << QByteArray(" '7' ") << 7;
    QTest::newRow("leading zero is decimal") << QByteArray("010") << 10;
    QTest::newRow("bare prefix is not a number") << QByteArray("0x") << 99;
    QTest::newRow("not a number") << QByteArray("abc") << 99;
    QTest::newRow("digits then text") << QByteArray("12abc") << 99;
    QTest::newRow("bad hex digit") << QByteArray("0x1G") << 99;
    QTest::newRow("empty") << QByteArray("") << 99;
    QTest::newRow("too large") << QByteArray("99999999999") << 99;
    QTest::newRow("hex too large") << QByteArray("0x100000000") << 99;
}

void TestProfileFile::readInteger()
{
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    putFile("[s]\r\nn=" + text + "\r\n");
    QCOMPARE(ProfileFile::ReadInteger(m_file, "s", "n", 99), expected);
}

void TestProfileFile::writeString_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("new file content") << QByteArray("") << QByteArray("k") << QByteArray("v")
                                      << QByteArray("[s]\r\nk=v\r\n");
    QTest::newRow("replaced in place") << QByteArray("[s]\r\na=1\r\nk=old\r\nb=2\r\n") << QByteArray("k")
                                       << QByteArray("new") << QByteArray("[s]\r\na=1\r\nk=new\r\nb=2\r\n");
    QTest::newRow("key spelling in the file kept")
        << QByteArray("[S]\r\n OP023MyZIP =1\r\n") << QByteArray("OP023MyZip") << QByteArray("2")
        << QByteArray("[S]\r\n OP023MyZIP =2\r\n");
    QTest::newRow("first duplicate replaced") << QByteArray("[s]\r\nk=1\r\nk=2\r\n") << QByteArray("k")
                                              << QByteArray("3") << QByteArray("[s]\r\nk=3\r\nk=2\r\n");
    QTest::newRow("appended at end of its section")
        << QByteArray("[s]\r\na=1\r\n\r\n[t]\r\nx=1\r\n") << QByteArray("k") << QByteArray("v")
        << QByteArray("[s]\r\na=1\r\nk=v\r\n\r\n[t]\r\nx=1\r\n");
    QTest::newRow("section appended at end of file")
        << QByteArray("[t]\r\nx=1") << QByteArray("k") << QByteArray("v") << QByteArray("[t]\r\nx=1\r\n[s]\r\nk=v\r\n");
    QTest::newRow("header without line end")
        << QByteArray("[s]") << QByteArray("k") << QByteArray("v") << QByteArray("[s]\r\nk=v\r\n");
    QTest::newRow("LF-only file keeps its line ends")
        << QByteArray("[s]\na=1\n") << QByteArray("a") << QByteArray("2") << QByteArray("[s]\na=2\n");
    QTest::newRow("line breaks in a value become blanks")
        << QByteArray("[s]\r\n") << QByteArray("k") << QByteArray("a\r\n[x]\rb\nc")
        << QByteArray("[s]\r\nk=a  [x] b c\r\n");
    QTest::newRow("empty value keeps the key")
        << QByteArray("[s]\r\nk=v\r\n") << QByteArray("k") << QByteArray("") << QByteArray("[s]\r\nk=\r\n");
    QTest::newRow("blanks in a value written as they are")
        << QByteArray("") << QByteArray("k") << QByteArray(" a ") << QByteArray("[s]\r\nk= a \r\n");
    QTest::newRow("unknown lines kept") << QByteArray("junk\r\n[s]\r\n; note\r\nno equals\r\n\r\n") << QByteArray("k")
                                        << QByteArray("v")
                                        << QByteArray("junk\r\n[s]\r\n; note\r\nno equals\r\nk=v\r\n\r\n");
}

void TestProfileFile::writeString()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, after);
    putFile(before);
    ProfileFile::WriteString(m_file, "s", Bytes(key), Bytes(value));
    QCOMPARE(QByteArray::fromStdString(AtomicFile::Read(m_file).value()), after);
}

void TestProfileFile::missingFileReadsDefaultAndIsCreated()
{
    QCOMPARE(ProfileFile::ReadString(m_file, "s", "k", "d"), std::string("d"));
    QCOMPARE(ProfileFile::ReadInteger(m_file, "s", "k", -1), -1);
    ProfileFile::WriteString(m_file, "mv_Kangarooprn", "Addr_Font", "1");
    ProfileFile::WriteString(m_file, "mv_Kangarooprn", "E_ZIP", "");
    QCOMPARE(AtomicFile::Read(m_file).value(), std::string("[mv_Kangarooprn]\r\nAddr_Font=1\r\nE_ZIP=\r\n"));
}

void TestProfileFile::longValueIsCutAtTheLimit_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expectedLength");
    QTest::newRow("2047 bytes whole") << QByteArray(2047, 'a') << 2047;
    QTest::newRow("5000 bytes cut") << QByteArray(5000, 'a') << 2047;
    // A double-byte character that would straddle the limit is left out whole.
    QTest::newRow("no half character") << QByteArray(2046, 'a') + QByteArray("\x88\x9F") << 2046;
}

void TestProfileFile::longValueIsCutAtTheLimit()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expectedLength);
    putFile("[s]\r\nk=" + value + "\r\n");
    const std::string read = ProfileFile::ReadString(m_file, "s", "k", "");
    QCOMPARE(static_cast<int>(read.size()), expectedLength);
    QVERIFY(QByteArray::fromStdString(read) == value.left(expectedLength));
}

void TestProfileFile::garbageSurvivesAWrite()
{
    std::mt19937 random(932);
    std::string garbage(3 * 1024 * 1024, '\0');
    for (char& byte : garbage) {
        byte = static_cast<char>(random() & 0xFF);
    }
    // Remove every '[' so that the garbage cannot open a section of the name used below.
    std::replace(garbage.begin(), garbage.end(), '[', '{');
    const std::string longLine(2 * 1024 * 1024, 'z');
    const std::string before = garbage + "\n" + longLine + "\r\n[mv_Kangarooprn]\r\nE_AD1=\x81\x40\x93\x8C\r\n" +
                               std::string("\0\x83\r\n", 4) + "E_TEL=03\r\n[other]\r\nx=1\x83";
    putFile(QByteArray::fromStdString(before));

    ProfileFile::WriteString(m_file, "mv_Kangarooprn", "E_TEL", "045");
    ProfileFile::WriteString(m_file, "mv_Kangarooprn", "E_G1", "box");

    const std::string after = AtomicFile::Read(m_file).value();
    std::string expected = before;
    expected.replace(expected.find("E_TEL=03"), 8, "E_TEL=045\r\nE_G1=box");
    QVERIFY(after == expected);
    QCOMPARE(ProfileFile::ReadString(m_file, "mv_Kangarooprn", "E_AD1", ""), std::string("\x81\x40\x93\x8C"));
    QCOMPARE(ProfileFile::ReadString(m_file, "other", "x", ""), std::string("1\x83"));
}

void TestProfileFile::randomContentNeverBreaks()
{
    // Short files over the bytes that matter to the syntax, with others mixed in.
    const std::string alphabet = std::string("[]=;\r\n \t\"'ksKS\x83\x5D\x41\xFF", 19) + std::string(1, '\0');
    std::mt19937 random(1);
    for (int round = 0; round < 3000; ++round) {
        std::string content(random() % 40, ' ');
        for (char& byte : content) {
            byte = alphabet[random() % alphabet.size()];
        }
        const std::string written = ProfileFile::WithValue(content, "s", "k", "v1");
        QCOMPARE(ProfileFile::FindValue(written, "s", "k").value_or("<missing>"), std::string("v1"));

        // Every line of the old content but the one replaced is still there, in order.
        const std::vector<std::string> oldLines = Lines(content);
        const std::vector<std::string> newLines = Lines(written);
        std::size_t matched = 0;
        for (const std::string& line : newLines) {
            if (matched < oldLines.size() && line == oldLines[matched]) {
                ++matched;
            }
        }
        QVERIFY2(matched + 1 >= oldLines.size(), qPrintable(QByteArray::fromStdString(content).toHex()));
    }
}

void TestProfileFile::writeValues_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    // Every row writes a=1, b=2, A=3 (the same key as a) into section s.
    QTest::newRow("new file") << QByteArray("") << QByteArray("[s]\r\na=3\r\nb=2\r\n");
    QTest::newRow("one in place, one appended") << QByteArray("[s]\r\nx=0\r\nb=old\r\n\r\n[t]\r\na=t\r\n")
                                                << QByteArray("[s]\r\nx=0\r\nb=2\r\na=3\r\n\r\n[t]\r\na=t\r\n");
    QTest::newRow("both in place, spelling kept")
        << QByteArray("[S]\r\n B = \r\n A =old\r\n") << QByteArray("[S]\r\n B =2\r\n A =3\r\n");
    QTest::newRow("section appended after an unterminated line")
        << QByteArray("[t]\r\nx=1") << QByteArray("[t]\r\nx=1\r\n[s]\r\na=3\r\nb=2\r\n");
    QTest::newRow("appended after an unterminated last entry")
        << QByteArray("[s]\r\nb=old") << QByteArray("[s]\r\nb=2\r\na=3\r\n");
    QTest::newRow("second section of the name untouched")
        << QByteArray("[s]\r\n[s]\r\na=x\r\n") << QByteArray("[s]\r\na=3\r\nb=2\r\n[s]\r\na=x\r\n");
}

void TestProfileFile::writeValues()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    putFile(before);
    const std::array<ProfileFile::Entry, 3> entries{{{"a", "1"}, {"b", "2"}, {"A", "3"}}};
    ProfileFile::WriteValues(m_file, "s", entries);
    QCOMPARE(QByteArray::fromStdString(AtomicFile::Read(m_file).value()), after);
    const std::array<std::string_view, 3> keys{"A ", "b", "c"};
    const std::vector<std::optional<std::string>> read = ProfileFile::ReadValues(m_file, "s", keys);
    QCOMPARE(read, (std::vector<std::optional<std::string>>{"3", "2", std::nullopt}));
}

void TestProfileFile::batchMatchesEntryByEntry()
{
    // Names that read back as themselves and names that do not (a header that is cut at a
    // bracket, keys that hold "=" or a line break), in contents built from lines of the syntax.
    const std::vector<std::string> sections{"s", "S ", "s]x", "\x83]", "s\nt"};
    const std::vector<std::string> keys{"k", " K", "j", "a=b", "[k", ";k", "k\r", "\x83\x61", ""};
    const std::vector<std::string> pieces{
        "[s]",   "[ S ]", "[t]",        "[s]x]", "[\x83]]", "k=1", " K = 'v' ", "j=",
        "a=b=c", ";k=2",  "\x83\x61=3", "=4",    "x",       "",    " ",         std::string(1, '\0')};
    const std::vector<std::string> lineEnds{"\r\n", "\n", "\r", ""};
    std::mt19937 random(17);
    for (int round = 0; round < 5000; ++round) {
        std::string content;
        for (std::size_t i = random() % 8; i > 0; --i) {
            content += pieces[random() % pieces.size()] + lineEnds[random() % lineEnds.size()];
        }
        const std::string& section = sections[random() % sections.size()];
        std::vector<std::string> values;
        std::vector<ProfileFile::Entry> entries;
        std::vector<std::string_view> names;
        for (std::size_t i = random() % 5; i > 0; --i) {
            values.push_back(content.substr(0, random() % 4));
        }
        std::string expected = content;
        for (const std::string& value : values) {
            const std::string& key = keys[random() % keys.size()];
            entries.push_back({key, value});
            names.push_back(key);
            expected = ProfileFile::WithValue(expected, section, key, value);
        }
        const QByteArray context =
            QByteArray::fromStdString(content).toHex() + " in " + QByteArray::fromStdString(section).toHex();
        QVERIFY2(ProfileFile::WithValues(content, section, entries) == expected, context.constData());
        const std::vector<std::optional<std::string>> found = ProfileFile::FindValues(expected, section, names);
        for (std::size_t i = 0; i < names.size(); ++i) {
            QVERIFY2(found[i] == ProfileFile::FindValue(expected, section, names[i]), context.constData());
        }
    }
}

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"
