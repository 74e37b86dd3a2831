#pragma once

#include "smartimport/PostalLookup.h"
#include "textimport/Transfer.h"

#include <string>
#include <string_view>
#include <vector>

// The transfer for whole order mails: finds the recipient among headers, orderer blocks,
// labels and notes and fills the same recipient fields as the line-by-line transfer.
namespace smartimport {

enum class SmartStatus
{
    Transferred,
    NoText, // nothing but blanks was pasted
};

struct SmartResult
{
    SmartStatus status = SmartStatus::NoText;
    std::string message;                // the notice when refused (UTF-8)
    std::vector<std::string> memo;      // the memo afterwards: the pasted lines, trimmed, blank ones dropped
    textimport::RecipientFields fields; // code page 932; the given ones when refused
    std::string warning;                // the address-length warning (UTF-8), or empty
};

// The recipient fields of a mail, as UTF-8 and without any memo handling.
textimport::RecipientFields readRecipient(std::string_view utf8Mail, const PostalLookup& lookup = {});

// Runs the transfer on the memo's code page 932 text; `current` is what the fields hold.
SmartResult runSmartTransfer(std::string_view memoCp932, const textimport::RecipientFields& current = {},
                             const PostalLookup& lookup = {});

} // namespace smartimport
