#pragma once

#include <string>
#include <string_view>

namespace postal {

class PostalDirectory;

enum class Agreement { Agrees, Disagrees, UnknownCode, NotACode };

struct AgreementResult
{
    Agreement agreement;
    std::string message; // UTF-8, shown to the user; empty when the address agrees
};

// Whether the first address line fits the postal code: it starts with the prefecture and city
// of one of the code's entries, the prefecture may be left out. An empty address agrees.
AgreementResult checkAgreement(const PostalDirectory& directory, std::string_view zip,
                               std::string_view address1Utf8);

} // namespace postal
