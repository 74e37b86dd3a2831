#pragma once

#include <string>
#include <vector>

// The fixed word lists of the address import, as code page 932 byte strings, in the order the
// rules apply them.
namespace textimport::tables {

// Digits and hyphens in both widths (22 entries).
const std::vector<std::string>& DigitSet();
// The 47 prefectures in their official code order, each with its suffix.
const std::vector<std::string>& Prefectures();
// Words that mark a line as an address (35 entries).
const std::vector<std::string>& AddressWords();
// Markers of a mail address or web host (7 entries).
const std::vector<std::string>& MailWebMarkers();
// Labels that pasted forms put in front of or behind a value (46 entries); a longer label
// stands before the shorter ones it contains, so that it disappears whole.
const std::vector<std::string>& RemovalLabels();

} // namespace textimport::tables
