#include "journal/Journal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// A journal file from disk is outside data: whatever its bytes, opening, listing, searching
// and recording either work or raise JournalError.
namespace {

void exercise(const std::filesystem::path& path, journal::Journal::Access access)
{
    try {
        journal::Journal journal(path, access);
        journal.count();
        journal.search({"大垣 0584", {}, {}, 0, 20});
        journal.search({});
        journal.find(1);
        journal.hasOrder("A-1");
        journal.printedSince(Slip{}, QDateTime::fromMSecsSinceEpoch(0));
        journal.heldElsewhere("A-1");
        journal.keptCount();
        const std::vector<journal::JournalEntry> kept = journal.keptForServer();
        if (access == journal::Journal::Access::ReadWrite) {
            journal::JournalEntry entry;
            entry.slip.recipient.name = "西濃太郎";
            entry.orderNumber = "A-1";
            journal.recordJob(entry);
            journal.keepForServer({entry});
            for (const journal::JournalEntry& sent : kept) {
                journal.sentToServer(sent.uuid);
            }
            journal.remove(1);
            journal.releaseClaim(journal.claimOrders({{"A-1", entry.slip.recipient, false}}).claim);
        }
    } catch (const journal::JournalError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_journal";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    static QTemporaryDir folder;

    const QString file = QDir(folder.path()).filePath(QStringLiteral("mivo_journal.db"));
    for (const QString& part : {file, file + "-wal", file + "-shm"}) {
        QFile::remove(part);
    }
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        return 0;
    }
    out.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    out.close();
    exercise(file.toStdString(), journal::Journal::Access::ReadOnly);
    exercise(file.toStdString(), journal::Journal::Access::ReadWrite);
    return 0;
}
