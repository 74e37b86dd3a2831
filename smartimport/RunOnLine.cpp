#include "smartimport/RunOnLine.h"

#include "postal/AddressLines.h"
#include "smartimport/Labels.h"
#include "smartimport/Names.h"
#include "smartimport/Numbers.h"
#include "smartimport/Places.h"

#include <algorithm>
#include <optional>
#include <utility>

namespace smartimport {

namespace {

// Shorter lines are one field with its label, or an address with a name after it.
constexpr std::size_t kRunOnLength = 40;

std::vector<TextView> clausesOf(TextView line)
{
    std::vector<TextView> clauses;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == U'、' || line[i] == U'。') {
            if (const TextView clause = trimBlanks(line.substr(start, i - start)); !clause.empty()) {
                clauses.push_back(clause);
            }
            start = i + 1;
        }
    }
    return clauses;
}

// Where a labelled part begins inside a clause: at its start or after a blank, or wherever a
// label is said with "は" ("…と申します住所は宮城県…で郵便番号は…").
std::vector<std::size_t> partStarts(TextView clause)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < clause.size(); ++i) {
        const std::size_t spoken = spokenLabel(clause.substr(i));
        if (spoken > 0 || ((i == 0 || isBlank(clause[i - 1])) && !isBlank(clause[i]) && opensPart(clause.substr(i)))) {
            starts.push_back(i);
            i += spoken > 0 ? spoken - 1 : 0; // "お電話番号は" holds "電話番号は"
        }
    }
    return starts;
}

// "住所は…1番1号で", "電話番号は…0000ですよろしく…": a said value ends where talk resumes after
// its last number.
TextView withoutSpokenTail(TextView piece)
{
    const std::size_t label = spokenLabel(piece);
    for (std::size_t i = label + 1; label > 0 && i < piece.size(); ++i) {
        const char32_t before = piece[i - 1];
        if ((piece[i] == U'で' || piece[i] == U'と') && (isDigit(before) || before == U'号' || before == U'地')) {
            return trimBlanks(piece.substr(0, i));
        }
    }
    return piece;
}

// "…橋本ビル5Fの長尾 聡様": the address ends at the last "の" before the addressee.
void splitNameAfterNo(TextView piece, std::vector<Text>& out)
{
    const std::size_t no = piece.rfind(U'の');
    if (endsInHonorific(piece) && no != TextView::npos && no > 0 && countDigits(piece.substr(0, no)) > 0 &&
        countDigits(piece.substr(no)) == 0) {
        out.emplace_back(trimBlanks(piece.substr(0, no)));
        out.emplace_back(trimBlanks(piece.substr(no + 1)));
        return;
    }
    out.emplace_back(piece);
}

bool isWholeWord(const std::optional<Found>& found, TextView word)
{
    return found && found->begin == 0 && found->end == word.size();
}

bool startsAddress(TextView word)
{
    return prefectureAt(word) > 0 || (hasMunicipality(word) && postal::hasStreetNumber(word));
}

struct BlankRun
{
    std::vector<Text> pieces;
    Text part;
    bool address = false;
    int zips = 0;
    int telephones = 0;

    void close()
    {
        if (!part.empty()) {
            pieces.push_back(std::exchange(part, Text()));
        }
    }

    // Words before the address in its part are the order's heading ("FAX注文"), unless they
    // name the addressee.
    void openAddress()
    {
        if (endsInHonorific(part)) {
            close();
        }
        part.clear();
        address = true;
    }
};

// "FAX注文 長野市…8-1 南県ビル2F 〒380-0836 宮下 誠 様 026-235-0000 りんご 2箱": fields
// typed with blanks alone between them. The postal code and the telephone number divide the
// line; what follows both the address and the number is the order, not the recipient.
std::optional<std::vector<Text>> blankRunPieces(TextView line)
{
    const std::vector<TextView> words = splitWords(line);
    BlankRun run;
    for (const TextView word : words) {
        const bool zip = isWholeWord(findPostalCode(word, false), word);
        const bool tel = !zip && isWholeWord(findTelephone(word, false), word);
        if (!zip && readLabel(word).field != Field::Unknown) {
            return std::nullopt; // a labelled line is read by its labels
        }
        if (zip || tel) {
            run.close();
            run.pieces.emplace_back(word);
            run.zips += zip ? 1 : 0;
            run.telephones += tel ? 1 : 0;
            continue;
        }
        if (run.address && run.telephones > 0) {
            break;
        }
        if (!run.address && startsAddress(word)) {
            run.openAddress();
        }
        run.part += (run.part.empty() ? U"" : U" ") + Text(word);
    }
    run.close();
    const bool recipient = run.address && run.zips == 1 && run.telephones > 0;
    return words.size() >= 4 && recipient ? std::optional(run.pieces) : std::nullopt;
}

} // namespace

std::vector<Text> runOnPieces(TextView line)
{
    if (auto pieces = blankRunPieces(line)) {
        return *pieces;
    }
    if (line.size() < kRunOnLength) {
        return {Text(line)};
    }
    const std::vector<TextView> clauses = clausesOf(line);
    std::size_t parts = 0;
    for (const TextView clause : clauses) {
        parts += partStarts(clause).size();
    }
    if (parts < 2) {
        return {Text(line)};
    }
    std::vector<Text> pieces;
    for (const TextView clause : clauses) {
        std::vector<std::size_t> cuts = partStarts(clause);
        cuts.insert(cuts.begin(), 0);
        cuts.push_back(clause.size());
        for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
            const TextView piece = withoutSpokenTail(trimBlanks(clause.substr(cuts[k], cuts[k + 1] - cuts[k])));
            if (!piece.empty()) {
                splitNameAfterNo(piece, pieces);
            }
        }
    }
    return pieces;
}

} // namespace smartimport
