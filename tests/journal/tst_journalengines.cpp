#include "journal/Journal.h"
#include "tests/support/ScratchDatabase.h"

#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <future>
#include <map>
#include <memory>
#include <set>
#include <thread>

// The journal answers alike whether it is an SQLite file or a database on a PostgreSQL server:
// every test runs once per engine. The server rows skip without the private server.
using journal::JobStatus;
using journal::Journal;
using journal::JournalEntry;

namespace {

JournalEntry entry(const std::string& name, const std::string& tel, const std::string& address1, const QDateTime& time,
                   const std::string& order = {})
{
    JournalEntry e;
    e.time = time;
    e.printer = "Slip Printer";
    e.paperFeed = "手差し";
    e.orderNumber = order;
    e.slip.recipient = {"503-0001", address1, "サンプル荘101", name, tel};
    e.slip.goods[0] = "りんご";
    e.printState = {180, 180, -12, 30};
    return e;
}

QDateTime at(int day)
{
    return QDateTime(QDate(2026, 12, day), QTime(9, 0));
}

void addEngines()
{
    QTest::addColumn<QString>("engine");
    QTest::newRow("file") << QStringLiteral("file");
    QTest::newRow("server") << QStringLiteral("server");
}

} // namespace

class TestJournalEngines : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void searchAnswersAlike_data();
    void searchAnswersAlike();
    void entryComesBackWithItsStation_data() { addEngines(); }
    void entryComesBackWithItsStation();
    void jobsBeginAndFinish_data() { addEngines(); }
    void jobsBeginAndFinish();
    void jobOfAnotherStationStaysSending_data() { addEngines(); }
    void jobOfAnotherStationStaysSending();
    void trackingNumbersAndExports_data() { addEngines(); }
    void trackingNumbersAndExports();
    void removedEntryLeavesTheSearch_data() { addEngines(); }
    void removedEntryLeavesTheSearch();
    void versionThreeIsBroughtUpToDate_data() { addEngines(); }
    void versionThreeIsBroughtUpToDate();
    void claimLeavesOutWhatAnotherStationHolds_data();
    void claimLeavesOutWhatAnotherStationHolds();
    void claimOfAJobThatDidNotPrintIsReleased_data();
    void claimOfAJobThatDidNotPrintIsReleased();
    void twoStationsClaimingAtOnceShareTheOrders_data() { addEngines(); }
    void twoStationsClaimingAtOnceShareTheOrders();

private:
    // The engine's journal, opened (again); null when the server is not there.
    std::unique_ptr<Journal> open(const QString& engine);
    // A statement run beside the journal, on its database.
    void alter(const QString& engine, const QString& statement);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<ScratchDatabase> m_server;
};

#define OPEN_OR_SKIP(name, engine)                                                                                     \
    std::unique_ptr<Journal> name = open(engine);                                                                      \
    if (!name) {                                                                                                       \
        QSKIP("no private PostgreSQL server (scripts/pg-test-server)");                                                \
    }

void TestJournalEngines::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
}

void TestJournalEngines::cleanup()
{
    m_server.reset();
    m_folder.reset();
}

std::unique_ptr<Journal> TestJournalEngines::open(const QString& engine)
{
    if (engine == QLatin1String("file")) {
        return std::make_unique<Journal>(Journal::In(m_folder->path().toStdString()));
    }
    if (!m_server) {
        m_server = std::make_unique<ScratchDatabase>();
    }
    if (!m_server->available()) {
        return nullptr;
    }
    return std::make_unique<Journal>(journal::ParseServerUri(m_server->uri()));
}

void TestJournalEngines::alter(const QString& engine, const QString& statement)
{
    if (engine == QLatin1String("server")) {
        QCOMPARE(m_server->query(statement), QString());
        return;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("alter"));
    db.setDatabaseName(QString::fromStdString(Journal::In(m_folder->path().toStdString()).string()));
    QVERIFY(db.open());
    QSqlQuery query(db);
    QVERIFY2(query.exec(statement), qPrintable(query.lastError().text()));
    query = QSqlQuery();
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("alter"));
}

void TestJournalEngines::searchAnswersAlike_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("fromDay");
    QTest::addColumn<int>("toDay");
    QTest::addColumn<QStringList>("names");
    struct Case
    {
        const char* name;
        const char* text;
        int fromDay;
        int toDay;
        QStringList names; // newest first
    };
    const QStringList all{"ｻﾄｳ ｲﾁﾛｳ", "Smith John", "山田花子", "西濃太郎"};
    const Case cases[] = {
        {"part of a name", "濃太", 0, 0, {"西濃太郎"}},
        {"full-width digits and no hyphens", "０５８４１１", 0, 0, {"西濃太郎"}},
        {"half-width kana typed full-width", "サトウ", 0, 0, {"ｻﾄｳ ｲﾁﾛｳ"}},
        {"upper case typed lower", "smith", 0, 0, {"Smith John"}},
        {"two words, both required", "大阪　山田", 0, 0, {"山田花子"}},
        {"two words, one missing", "大阪 西濃", 0, 0, {}},
        {"a word never runs across fields", "太郎0584", 0, 0, {}},
        {"one character anywhere", "郎", 0, 0, {"西濃太郎"}},
        {"order number without its hyphen", "a1002", 0, 0, {"山田花子"}},
        {"blanks and hyphens alone narrow nothing", " - ", 0, 0, all},
        {"dates, both inclusive", "", 2, 3, {"Smith John", "山田花子"}},
        {"text within dates", "0", 3, 4, {"ｻﾄｳ ｲﾁﾛｳ", "Smith John"}},
        {"nothing matches", "xyz", 0, 0, {}},
        {"wildcards are marks, dropped like hyphens", "濃_太%", 0, 0, {"西濃太郎"}},
    };
    for (const QString& engine : {QStringLiteral("file"), QStringLiteral("server")}) {
        for (const Case& c : cases) {
            QTest::addRow("%s: %s", qPrintable(engine), c.name)
                << engine << QString::fromUtf8(c.text) << c.fromDay << c.toDay << c.names;
        }
    }
}

void TestJournalEngines::searchAnswersAlike()
{
    QFETCH(QString, engine);
    QFETCH(QString, text);
    QFETCH(int, fromDay);
    QFETCH(int, toDay);
    QFETCH(QStringList, names);
    OPEN_OR_SKIP(journal, engine);
    journal->recordJobs({entry("西濃太郎", "0584-11-2222", "岐阜県大垣市林町", at(1), "A-1001"),
                         entry("山田花子", "06-3333-4444", "大阪府大阪市北区", at(2), "A-1002"),
                         entry("Smith John", "090-1234-5678", "東京都千代田区丸の内", at(3)),
                         entry("ｻﾄｳ ｲﾁﾛｳ", "052-555-6666", "愛知県名古屋市", at(4), "B-7")});
    journal::JournalQuery query;
    query.text = text.toStdString();
    if (fromDay > 0) {
        query.from = at(fromDay).date();
        query.to = at(toDay).date();
    }
    QStringList found;
    for (const JournalEntry& e : journal->search(query)) {
        found << QString::fromStdString(e.slip.recipient.name);
    }
    QCOMPARE(found, names);
}

void TestJournalEngines::entryComesBackWithItsStation()
{
    QFETCH(QString, engine);
    OPEN_OR_SKIP(journal, engine);
    journal->setStation("梱包2");
    JournalEntry recorded = entry("西濃太郎", "0584-11-2222", "岐阜県大垣市林町", at(1), "A-1001");
    recorded.cupsJobId = 42;
    recorded.reprintOf = 7;
    const std::int64_t id = journal->recordJob(recorded);
    JournalEntry copied = recorded;
    copied.station = "梱包1";
    copied.uuid = "0f8fad5b-d9cb-469f-a165-70867728950e";
    const std::int64_t copiedId = journal->recordJob(copied);

    journal = open(engine);
    const auto own = journal->find(id);
    QVERIFY(own);
    QCOMPARE(own->station, std::string("梱包2"));
    QCOMPARE(own->slip.recipient.address1, recorded.slip.recipient.address1);
    QCOMPARE(own->time, recorded.time);
    QCOMPARE(own->cupsJobId, 42);
    QCOMPARE(own->reprintOf, std::int64_t(7));
    QCOMPARE(own->printState.left, recorded.printState.left);
    QCOMPARE(own->uuid.size(), std::size_t(36));
    const auto other = journal->find(copiedId);
    QVERIFY(other);
    QCOMPARE(other->station, std::string("梱包1"));
    QCOMPARE(other->uuid, copied.uuid);
    QCOMPARE(journal->count(), std::int64_t(2));
}

void TestJournalEngines::jobsBeginAndFinish()
{
    QFETCH(QString, engine);
    OPEN_OR_SKIP(journal, engine);
    const JournalEntry slip = entry("西濃太郎", "0584-11-2222", "岐阜県大垣市林町", at(1), "A-1001");
    const auto ids = journal->beginJobs({slip, entry("山田花子", "06-3333-4444", "大阪府", at(1), "A-1002")});
    QCOMPARE(ids.size(), std::size_t(2));
    QCOMPARE(journal->orderStatus("A-1001"), JobStatus::Sending);
    QVERIFY(journal->hasOrder("A-1001"));
    QVERIFY(journal->printedSince(slip.slip, QDateTime::currentDateTime().addSecs(-60)));

    journal->finishJobs({ids[0]}, {JobStatus::Printed, {}, 9, {}});
    journal->finishJobs({ids[1]}, {JobStatus::Failed, "paper out", 0, {}});
    QCOMPARE(journal->orderStatus("A-1001"), JobStatus::Printed);
    QCOMPARE(journal->orderStatus("A-1002"), std::nullopt);
    QVERIFY(!journal->hasOrder("A-1002"));
    QCOMPARE(journal->find(ids[1])->message, std::string("paper out"));
    QCOMPARE(journal->lastPrintedOfOrder("A-1001"), ids[0]);
    // A finished job is not finished again.
    journal->finishJobs({ids[0]}, {JobStatus::Failed, {}, 0, {}});
    QCOMPARE(journal->find(ids[0])->status, JobStatus::Printed);
}

void TestJournalEngines::jobOfAnotherStationStaysSending()
{
    QFETCH(QString, engine);
    OPEN_OR_SKIP(journal, engine);
    journal->setStation("梱包1");
    // Entries left "sending" by no running process of this PC: cut off here, in progress there.
    JournalEntry ours = entry("西濃太郎", "0584-11-2222", "岐阜県大垣市林町", at(1), "A-1");
    ours.status = JobStatus::Sending;
    JournalEntry theirs = ours;
    theirs.orderNumber = "A-2";
    theirs.station = "梱包2";
    const auto ids = journal->recordJobs({ours, theirs});
    QCOMPARE(journal->find(ids[0])->status, JobStatus::Unknown);
    QCOMPARE(journal->find(ids[1])->status, JobStatus::Sending);
    QCOMPARE(journal->orderStatus("A-2"), JobStatus::Sending);
    QVERIFY(!journal->resolve(ids[1], true));
    QVERIFY(journal->resolve(ids[0], true));
    QCOMPARE(journal->find(ids[0])->status, JobStatus::Printed);
}

void TestJournalEngines::trackingNumbersAndExports()
{
    QFETCH(QString, engine);
    OPEN_OR_SKIP(journal, engine);
    const auto ids = journal->recordJobs(
        {entry("西濃太郎", "1", "岐阜県", at(1), "A-1"), entry("山田花子", "2", "大阪府", at(2), "A-2")});
    journal->setTrackingNumbers({{ids[0], "123456789012"}});
    QVERIFY_THROWS_EXCEPTION(journal::TrackingNumberTaken, journal->setTrackingNumbers({{ids[1], "123456789012"}}));
    // Numbers move between entries of one action.
    journal->setTrackingNumbers({{ids[0], "223456789012"}, {ids[1], "123456789012"}});
    QCOMPARE(journal->holderOf("123456789012"), ids[1]);
    QVERIFY_THROWS_EXCEPTION(journal::NoSuchEntry, journal->setTrackingNumbers({{999, "9"}}));

    journal->markExported(ids, "shopA");
    journal->markExported({ids[0]}, "shopA");
    journal->markExported({ids[0]}, "shopB");
    QCOMPARE(journal->find(ids[0])->exportedTo.size(), std::size_t(2));
    QCOMPARE(journal->find(ids[1])->exportedTo, std::vector<std::string>{"shopA"});
    const auto shipments = journal->shipments(at(1).date(), at(2).date());
    QCOMPARE(shipments.size(), std::size_t(2));
    QCOMPARE(shipments[1].trackingNumber, std::string("123456789012"));
}

void TestJournalEngines::removedEntryLeavesTheSearch()
{
    QFETCH(QString, engine);
    OPEN_OR_SKIP(journal, engine);
    const auto ids =
        journal->recordJobs({entry("西濃太郎", "1", "岐阜県", at(1)), entry("西濃次郎", "2", "岐阜県", at(2))});
    journal->markExported({ids[1]}, "shopA");
    QVERIFY(journal->remove(ids[1]));
    QVERIFY(!journal->remove(ids[1]));
    journal::JournalQuery query;
    query.text = "西濃";
    const auto found = journal->search(query);
    QCOMPARE(found.size(), std::size_t(1));
    QCOMPARE(found[0].id, ids[0]);
}

void TestJournalEngines::versionThreeIsBroughtUpToDate()
{
    QFETCH(QString, engine);
    OPEN_OR_SKIP(journal, engine);
    const std::int64_t id = journal->recordJob(entry("西濃太郎", "1", "岐阜県", at(1), "A-1"));
    journal.reset();
    alter(engine, QStringLiteral("ALTER TABLE jobs DROP COLUMN station"));
    alter(engine, QStringLiteral("DROP TABLE claims"));
    alter(engine, QStringLiteral("UPDATE meta SET value = '3' WHERE key = 'version'"));

    journal = open(engine);
    QCOMPARE(journal->find(id)->station, std::string());
    QCOMPARE(journal->find(id)->orderNumber, std::string("A-1"));
    const std::int64_t next = journal->recordJob(entry("山田花子", "2", "大阪府", at(2)));
    QCOMPARE(journal->find(next)->station, journal->station());
}

namespace {

// What station 梱包2 did with order A-1 before station 梱包1 claims it.
enum class Before
{
    Nothing,
    Claimed,
    ClaimedLongAgo,        // and nothing printed since: the job was cut off before it began
    ClaimedLongAgoPrinted, // and its slip went out
    PrintedWithoutClaim,   // by a program that did not claim yet
    ClaimedHere,           // by another job of 梱包1 itself
};

journal::ClaimRequest request(const std::string& order, const SlipAddress& to, bool printAnyway = false)
{
    return {order, to, printAnyway};
}

} // namespace

void TestJournalEngines::claimLeavesOutWhatAnotherStationHolds_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("printAnyway");
    QTest::addColumn<QString>("holder"); // empty: the slip prints
    struct Case
    {
        const char* name;
        Before before;
        const char* order;
        const char* recipient;
        bool printAnyway;
        const char* holder;
    };
    const Case cases[] = {
        {"free", Before::Nothing, "A-1", "西濃太郎", false, ""},
        {"claimed there", Before::Claimed, "A-1", "西濃太郎", false, "梱包2"},
        {"claimed there, blanks differ", Before::Claimed, "A-1", " 西濃　太郎 ", false, "梱包2"},
        {"claimed there, printed anyway", Before::Claimed, "A-1", "西濃太郎", true, ""},
        {"another destination of the order", Before::Claimed, "A-1", "山田花子", false, ""},
        {"another order", Before::Claimed, "A-2", "西濃太郎", false, ""},
        {"claim cut off long ago is taken over", Before::ClaimedLongAgo, "A-1", "西濃太郎", false, ""},
        {"old claim of a printed slip holds", Before::ClaimedLongAgoPrinted, "A-1", "西濃太郎", false, "梱包2"},
        {"printed there without a claim", Before::PrintedWithoutClaim, "A-1", "西濃太郎", false, "梱包2"},
        {"printed there, printed anyway", Before::PrintedWithoutClaim, "A-1", "西濃太郎", true, ""},
        {"another job here", Before::ClaimedHere, "A-1", "西濃太郎", false, "梱包1"},
        {"no order number", Before::Claimed, "", "西濃太郎", false, ""},
    };
    for (const QString& engine : {QStringLiteral("file"), QStringLiteral("server")}) {
        for (const Case& c : cases) {
            QTest::addRow("%s: %s", qPrintable(engine), c.name)
                << engine << static_cast<int>(c.before) << QString::fromUtf8(c.order) << QString::fromUtf8(c.recipient)
                << c.printAnyway << QString::fromUtf8(c.holder);
        }
    }
}

void TestJournalEngines::claimLeavesOutWhatAnotherStationHolds()
{
    QFETCH(QString, engine);
    QFETCH(int, before);
    QFETCH(QString, order);
    QFETCH(QString, name);
    QFETCH(bool, printAnyway);
    QFETCH(QString, holder);
    OPEN_OR_SKIP(journal, engine);
    const JournalEntry slip = entry("西濃太郎", "0584-11-2222", "岐阜県大垣市林町", at(1), "A-1");
    const auto done = static_cast<Before>(before);
    journal->setStation(done == Before::ClaimedHere ? "梱包1" : "梱包2");
    if (done != Before::Nothing && done != Before::PrintedWithoutClaim) {
        const journal::ClaimOutcome first = journal->claimOrders({request("A-1", slip.slip.recipient)});
        QVERIFY(first.taken.empty());
    }
    if (done == Before::PrintedWithoutClaim || done == Before::ClaimedLongAgoPrinted) {
        journal->recordJob(slip);
    }
    if (done == Before::ClaimedLongAgo || done == Before::ClaimedLongAgoPrinted) {
        alter(engine, QStringLiteral("UPDATE claims SET claimed_at = 0"));
    }

    journal->setStation("梱包1");
    SlipAddress to = slip.slip.recipient;
    to.name = name.toStdString();
    const journal::ClaimRequest free = request("B-9", slip.slip.recipient);
    const journal::ClaimOutcome outcome =
        journal->claimOrders({free, request(order.toStdString(), to, printAnyway), free});
    QCOMPARE(outcome.taken.size(), std::size_t(holder.isEmpty() ? 0 : 1));
    if (!holder.isEmpty()) {
        QCOMPARE(outcome.taken[0].index, std::size_t(1));
        QCOMPARE(QString::fromStdString(outcome.taken[0].station), holder);
    }
    QVERIFY(!outcome.claim.empty());
}

void TestJournalEngines::claimOfAJobThatDidNotPrintIsReleased_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("status"); // Unknown: cut off, then settled by the user
    QTest::addColumn<bool>("settledPrinted");
    QTest::addColumn<bool>("released");
    for (const QString& engine : {QStringLiteral("file"), QStringLiteral("server")}) {
        QTest::addRow("%s: printed", qPrintable(engine)) << engine << int(JobStatus::Printed) << false << false;
        QTest::addRow("%s: failed", qPrintable(engine)) << engine << int(JobStatus::Failed) << false << true;
        QTest::addRow("%s: aborted", qPrintable(engine)) << engine << int(JobStatus::Aborted) << false << true;
        QTest::addRow("%s: cut off, not printed", qPrintable(engine))
            << engine << int(JobStatus::Unknown) << false << true;
        QTest::addRow("%s: cut off, printed", qPrintable(engine)) << engine << int(JobStatus::Unknown) << true << false;
    }
}

void TestJournalEngines::claimOfAJobThatDidNotPrintIsReleased()
{
    QFETCH(QString, engine);
    QFETCH(int, status);
    QFETCH(bool, settledPrinted);
    QFETCH(bool, released);
    OPEN_OR_SKIP(journal, engine);
    const JournalEntry slip = entry("西濃太郎", "0584-11-2222", "岐阜県大垣市林町", at(1), "A-1");
    journal->setStation("梱包2");
    const journal::ClaimOutcome claimed = journal->claimOrders({request("A-1", slip.slip.recipient)});
    journal->setStation("梱包1");
    const journal::ClaimOutcome meanwhile = journal->claimOrders({request("A-1", slip.slip.recipient)});
    QCOMPARE(meanwhile.taken.size(), std::size_t(1));
    QCOMPARE(journal->heldElsewhere("A-1"), std::optional<std::string>("梱包2"));

    journal->setStation("梱包2");
    if (static_cast<JobStatus>(status) == JobStatus::Unknown) {
        JournalEntry cutOff = slip;
        cutOff.status = JobStatus::Sending; // by no process that runs
        QVERIFY(journal->resolve(journal->recordJob(cutOff), settledPrinted));
    } else {
        const auto ids = journal->beginJobs({slip});
        journal->finishJobs(ids, {static_cast<JobStatus>(status), {}, 0, {}}, claimed.claim);
    }

    journal->setStation("梱包1");
    QCOMPARE(journal->heldElsewhere("A-1").has_value(), !released);
    const journal::ClaimOutcome after = journal->claimOrders({request("A-1", slip.slip.recipient)});
    QCOMPARE(after.taken.empty(), released);
}

// Two stations claim overlapping sets of orders at the same moment, each on its own connection
// and thread: every order is claimed once, and each station is told of the rest.
void TestJournalEngines::twoStationsClaimingAtOnceShareTheOrders()
{
    QFETCH(QString, engine);
    OPEN_OR_SKIP(journal, engine); // creates the tables before the race
    constexpr int kOrders = 300;
    std::vector<journal::ClaimRequest> all;
    for (int i = 0; i < kOrders; ++i) {
        all.push_back(request("A-" + std::to_string(i), {"503-0001", "岐阜県", "", "客" + std::to_string(i), ""}));
    }
    const std::vector<journal::ClaimRequest> first(all.begin(), all.begin() + 200);
    std::vector<journal::ClaimRequest> second(all.begin() + 100, all.end());
    std::reverse(second.begin(), second.end());
    std::atomic<int> ready{0};
    const auto claim = [&](const std::string& station, const std::vector<journal::ClaimRequest>& requests) {
        Journal own = engine == QLatin1String("file") ? Journal(Journal::In(m_folder->path().toStdString()))
                                                      : Journal(journal::ParseServerUri(m_server->uri()));
        own.setStation(station);
        ++ready;
        while (ready.load() < 2) {
            std::this_thread::yield();
        }
        return own.claimOrders(requests);
    };
    auto one = std::async(std::launch::async, claim, "梱包1", first);
    auto two = std::async(std::launch::async, claim, "梱包2", second);
    const journal::ClaimOutcome outcomeOne = one.get();
    const journal::ClaimOutcome outcomeTwo = two.get();

    std::map<std::string, int> claims;
    const auto count = [&](const std::vector<journal::ClaimRequest>& requests, const journal::ClaimOutcome& outcome,
                           const char* other) {
        std::set<std::size_t> taken;
        for (const journal::ClaimTaken& t : outcome.taken) {
            QCOMPARE(t.station, std::string(other));
            taken.insert(t.index);
        }
        for (std::size_t i = 0; i < requests.size(); ++i) {
            claims[requests[i].orderNumber] += taken.count(i) == 0 ? 1 : 0;
        }
    };
    count(first, outcomeOne, "梱包2");
    count(second, outcomeTwo, "梱包1");
    QCOMPARE(claims.size(), std::size_t(kOrders));
    for (const auto& [order, times] : claims) {
        QVERIFY2(times == 1, order.c_str());
    }
    QCOMPARE(outcomeOne.taken.size() + outcomeTwo.taken.size(), std::size_t(100));
}

QTEST_GUILESS_MAIN(TestJournalEngines)
#include "tst_journalengines.moc"
