#include "cli/JournalUploadCommand.h"

#include "cli/JournalApplication.h"
#include "journal/Journal.h"
#include "journal/Outbox.h"

#include <ostream>

namespace {

int runJournalUpload(const CommandContext& context)
{
    if (!context.arguments.operands().empty()) {
        throw UsageError("journal-upload takes no operands");
    }
    const JournalApplication application;
    const journal::UploadCount count = journal::UploadFile(journal::Journal::In(context.workingFolder));
    context.out << count.uploaded << " entries uploaded, " << count.alreadyThere << " already on the server\n";
    return kDone;
}

} // namespace

const Command& JournalUploadCommand()
{
    static const Command command{
        "journal-upload",
        "copy the entries of this folder's journal file to the journal server",
        "",
        "Copies every entry of mivo_journal.db in the working folder to the journal server the folder chose "
        "(mivo_journal.ini or MIVO_JOURNAL_SERVER), oldest first, with its tracking number and exports. An entry "
        "already on the server is left as it is, so running it again uploads nothing twice; entries kept while the "
        "server was away are among them. Exits 1 when no server is chosen or it does not answer.",
        {},
        runJournalUpload,
    };
    return command;
}
