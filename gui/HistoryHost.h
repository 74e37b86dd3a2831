#pragma once

#include "journal/JournalEntry.h"

#include <filesystem>

// What the history window asks of the entry window.
class HistoryHost
{
public:
    virtual ~HistoryHost() = default;
    virtual std::filesystem::path journalFile() const = 0;
    // Puts the slip's recipient, goods and sender into the entry fields; nothing is printed.
    virtual void loadFromJournal(const Slip& slip) = 0;
    // Prints the entry again; throws when it cannot.
    virtual void reprintFromJournal(const journal::JournalEntry& entry, bool keepDate) = 0;
};
