#pragma once

#include <string>
#include <string_view>

namespace postal {

class PostalDirectory;
struct PostalEntry;

enum class Agreement
{
    Agrees,
    Disagrees,
    UnknownCode,
    NotACode
};

struct AgreementResult
{
    Agreement agreement;
    // UTF-8, for the user: "郵便番号と住所が一致しません（〒100-0001 は東京都千代田区千代田）" or
    // "この郵便番号は見つかりません"; empty when the address agrees or zip is no postal code.
    std::string message;
};

// Whether the first address line fits the postal code: it starts with the prefecture and city
// of one of the code's entries, or with the city alone, and names that entry's town, if any
// (see AddressStyle.h for the spellings that count as one); a town's district (郡) may be left
// out. Blanks in the address and the small and large forms of ケ and カ (霞ヶ関, 霞ケ関) do not
// count. An empty address agrees, and so does one that stops before the town.
AgreementResult checkAgreement(const PostalDirectory& directory, std::string_view zip, std::string_view address1Utf8);

// Prefecture, city and town of an entry: the text that completes an empty first address line.
std::string addressOf(const PostalEntry& entry);

} // namespace postal
