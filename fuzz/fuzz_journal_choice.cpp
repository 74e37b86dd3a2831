#include "journal/JournalChoice.h"
#include "journal/JournalEntry.h"
#include "journal/ServerAddress.h"
#include "platform/AtomicFile.h"

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

// A working folder's mivo_journal.ini and the server address in it are outside data: whatever
// their bytes, the choice is read, the address taken or refused with JournalError, and a
// refused address never replaces the stored one.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir folder;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::filesystem::path root = folder.path().toStdString();
    std::ofstream(journal::ChoiceFile(root), std::ios::binary | std::ios::trunc) << bytes;
    const journal::JournalChoice choice = journal::ReadChoice(root);
    for (const std::string& uri : {choice.server, bytes}) {
        try {
            journal::ParseServerUri(uri);
        } catch (const journal::JournalError&) {
        }
        try {
            journal::WriteServer(root, uri);
        } catch (const journal::JournalError&) {
        } catch (const FileWriteError&) {
        }
    }
    return 0;
}
