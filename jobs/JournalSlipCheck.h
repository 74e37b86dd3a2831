#pragma once

#include "batch/SlipChecks.h"

#include <filesystem>
#include <memory>
#include <string>

namespace journal {
class Journal;
}

// The print journal's word on a batch slip: its order went out before, or may have (a job cut
// off after its entry was written), or another station printed it or is about to. A journal that does not exist or
// cannot be read knows no order; the check never creates one.
class JournalSlipCheck : public batch::SlipCheck
{
public:
    static constexpr const char* kWarning = "印刷済みの注文です";
    static constexpr const char* kUnknownWarning = "印刷済みか不明";
    // Followed by the station in brackets: 「他の端末で印刷済み（梱包2）」.
    static constexpr const char* kOtherStationWarning = "他の端末で印刷済み";

    static std::string OtherStationWarning(const std::string& station);

    explicit JournalSlipCheck(const std::filesystem::path& journalFile);
    ~JournalSlipCheck() override;
    std::vector<std::string> check(const batch::BatchSlip& slip) const override;

    // Whether the check marked the slip as printed before, or perhaps printed.
    static bool Marked(const batch::BatchSlip& slip);

private:
    std::shared_ptr<journal::Journal> m_journal;
};
