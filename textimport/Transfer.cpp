#include "textimport/Transfer.h"

#include "platform/Cp932.h"
#include "textimport/AddressWarning.h"
#include "textimport/Classification.h"
#include "textimport/HalfWidth.h"
#include "textimport/LineText.h"
#include "textimport/Normalisation.h"

#include <initializer_list>

namespace textimport {

namespace {

// Lines shorter than this are names even when they score as an address ("山下ビル2F").
constexpr std::size_t kMinAddressCharacters = 7;

// Each slot is taken by the first line that qualifies and never overwritten.
struct Candidates
{
    std::string zip;
    std::string tel;
    std::string prefecture;
    std::string address1;
    std::string address2;
    std::string name;
};

void fillFirstEmpty(std::initializer_list<std::string*> slots, const std::string& line)
{
    for (std::string* slot : slots) {
        if (slot->empty()) {
            *slot = line;
            return;
        }
    }
}

Candidates classify(std::vector<std::string> lines)
{
    Candidates found;
    for (std::string& line : lines) {
        switch (ZipTelCheck(line)) {
        case ZipTelVerdict::PostalCode:
            fillFirstEmpty({&found.zip}, line);
            line.clear();
            break;
        case ZipTelVerdict::Telephone:
            fillFirstEmpty({&found.tel}, line);
            line.clear();
            break;
        case ZipTelVerdict::AddressLike:
        case ZipTelVerdict::Undetermined:
            break;
        }
    }
    for (const std::string& line : lines) {
        if (line.empty()) {
            continue;
        }
        if (IsPrefecture(line)) {
            fillFirstEmpty({&found.prefecture}, line);
            continue;
        }
        const AddressScore score = ScoreAddress(line);
        if (score.score > 0 && score.characters >= kMinAddressCharacters) {
            fillFirstEmpty({&found.address1, &found.address2}, line);
        } else {
            fillFirstEmpty({&found.name}, line);
        }
    }
    return found;
}

} // namespace

std::string TooManyLinesMessage(std::size_t lineCount)
{
    return " ７行以内に収めてください  現在 " + std::to_string(lineCount) + "行です";
}

TransferResult RunTransfer(std::string_view memoText, const RecipientFields& current)
{
    TransferResult result;
    result.fields = current;
    result.compacted = CompactLines(SplitLines(memoText));
    const std::size_t lineCount = result.compacted.size();
    if (lineCount == 0) {
        result.status = TransferStatus::NoText;
        result.message = "転送テキストがありません";
    } else if (lineCount > kTransferLines) {
        result.status = TransferStatus::TooManyLines;
        result.message = TooManyLinesMessage(lineCount);
    } else {
        result.status = TransferStatus::Transferred;
        result.cleaned = CleanLabels(result.compacted);
        result.split = SplitPostalCodes(result.cleaned);

        std::vector<std::string> working;
        working.reserve(result.split.size());
        for (const std::string& line : result.split) {
            working.emplace_back(Trim(line));
        }
        const Candidates found = classify(std::move(working));
        result.fields = RecipientFields{
            ToHalfWidth(found.zip), std::string(Trim(found.prefecture)) + std::string(Trim(found.address1)),
            found.address2,         found.name,
            ToHalfWidth(found.tel),
        };
    }
    result.warning = AddressLengthWarning(result.fields.address1);
    return result;
}

} // namespace textimport
