#pragma once

#include <string>
#include <string_view>
#include <vector>

// The split of a pasted address block into the recipient fields, shared by the window's
// transfer button and the command line.
namespace textimport {

// The recipient fields of the slip, code page 932.
struct RecipientFields
{
    std::string zip;
    std::string address1;
    std::string address2;
    std::string name;
    std::string tel;

    bool operator==(const RecipientFields&) const = default;
};

enum class TransferStatus
{
    Transferred,
    NoText,       // nothing usable was pasted
    TooManyLines, // more than seven usable lines
};

struct TransferResult
{
    TransferStatus status = TransferStatus::NoText;
    // The notice for a refused transfer (UTF-8); empty when the fields were filled.
    std::string message;
    // The memo after each rewriting; the clean-up and the split are empty when refused.
    std::vector<std::string> compacted;
    std::vector<std::string> cleaned;
    std::vector<std::string> split;
    // The recipient fields afterwards: the given ones when refused, else cleared and filled.
    RecipientFields fields;
    // The address-length warning on the final first address line (UTF-8), or empty.
    std::string warning;

    // What the memo shows at the end.
    const std::vector<std::string>& memo() const { return status == TransferStatus::Transferred ? split : compacted; }
};

// Runs the whole transfer on the memo's text; `current` is what the fields hold before it.
TransferResult RunTransfer(std::string_view memoText, const RecipientFields& current = {});

// The notice when more than seven lines are left (UTF-8).
std::string TooManyLinesMessage(std::size_t lineCount);

} // namespace textimport
