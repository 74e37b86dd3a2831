#pragma once

#include "journal/JournalEntry.h"
#include "shipping/TrackingCsv.h"
#include "shipping/TrackingNumber.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace journal {
class Journal;
}

// Giving journal entries their tracking numbers, the same way for the window and the command
// line: the number normalised and checked, never given to two entries.
namespace shipping {

// The entries with these ids, in the order given; ids without an entry are left out.
std::vector<journal::JournalEntry> EntriesInOrder(journal::Journal& journal, const std::vector<std::int64_t>& ids);

struct NumberAssessment
{
    std::string number;  // the digits, when there are any
    std::string refusal; // why the number cannot be given; empty when it can
    std::string warning; // what the user should look at (an unusual length); never refuses
};

// Whether `typed` can become entry `forId`'s number: a number, with the check digit the rule
// wants, and held by no other entry.
NumberAssessment AssessNumber(journal::Journal& journal, std::string_view typed, CheckDigitRule rule,
                              std::int64_t forId);

// "10桁ではありません（8桁）" for a number of unusual length, else empty.
std::string LengthWarning(const std::string& digits);

struct AttachReport
{
    std::size_t stored = 0;
    std::vector<TrackingLineError> errors;   // read errors and refused lines, by row
    std::vector<TrackingLineError> warnings; // stored, but worth a look
};

// Stores the good lines of the file in one transaction and says what was wrong with the others.
AttachReport AttachTrackingFile(journal::Journal& journal, const TrackingFile& file, CheckDigitRule rule);

// The entries, in the order given, numbered from `first` on as consecutive forms are. Throws
// std::runtime_error (in Japanese) when a number is refused or the numbers run out.
std::vector<journal::TrackingAssignment> ConsecutiveAssignments(journal::Journal& journal,
                                                                const std::vector<std::int64_t>& ids,
                                                                std::string_view first, CheckDigitRule rule);

} // namespace shipping
