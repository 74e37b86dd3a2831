#include "smartimport/RunOnLine.h"

#include "smartimport/Labels.h"
#include "smartimport/Names.h"

#include <algorithm>

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

// Where a labelled part begins inside a clause: at its start or after a blank.
std::vector<std::size_t> partStarts(TextView clause)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < clause.size(); ++i) {
        if ((i == 0 || isBlank(clause[i - 1])) && !isBlank(clause[i]) && opensPart(clause.substr(i))) {
            starts.push_back(i);
        }
    }
    return starts;
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

} // namespace

std::vector<Text> runOnPieces(TextView line)
{
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
            if (const TextView piece = trimBlanks(clause.substr(cuts[k], cuts[k + 1] - cuts[k])); !piece.empty()) {
                splitNameAfterNo(piece, pieces);
            }
        }
    }
    return pieces;
}

} // namespace smartimport
