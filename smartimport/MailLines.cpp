#include "smartimport/MailLines.h"
#include "platform/Utf8.h"
#include "platform/WidthFold.h"

#include "postal/AddressLines.h"
#include "smartimport/Labels.h"
#include "smartimport/Numbers.h"
#include "smartimport/Places.h"
#include "smartimport/RunOnLine.h"
#include "textimport/LineText.h"

#include <algorithm>
#include <utility>

namespace smartimport {

namespace {

std::vector<Text> cellsOf(TextView row)
{
    std::vector<Text> cells;
    std::size_t start = 0;
    for (std::size_t tab = row.find(U'\t');; tab = row.find(U'\t', start)) {
        cells.emplace_back(trimBlanks(widthfold::foldWidth(row.substr(start, tab - start))));
        if (tab == TextView::npos) {
            return cells;
        }
        start = tab + 1;
    }
}

// A row of column names: every cell a field label or a heading without a value.
bool isHeaderRow(const std::vector<Text>& cells)
{
    return std::all_of(cells.begin(), cells.end(), [](const Text& cell) {
        const Label label = readLabel(cell);
        return cell.empty() || (label.value.empty() && (label.field != Field::Unknown || label.heading));
    });
}

bool isAddressCell(TextView cell)
{
    return prefectureAt(cell) > 0 || (hasMunicipality(cell) && postal::hasStreetNumber(cell));
}

// A row's cells up to its address and telephone number: the goods and quantities after them
// are the order's ("…ハイツ 1208", "048-…", "梅干し", "2").
std::size_t recipientCells(const std::vector<Text>& cells)
{
    bool address = false;
    bool telephone = false;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (address && telephone) {
            return i;
        }
        address = address || isAddressCell(cells[i]);
        telephone = telephone || findTelephone(cells[i], false).has_value();
    }
    return cells.size();
}

// Leading blanks, the full-width one counting as two.
std::size_t indentOf(TextView raw)
{
    std::size_t width = 0;
    for (const char32_t c : raw) {
        if (c != U' ' && c != U'\u3000') {
            break;
        }
        width += c == U' ' ? 1 : 2;
    }
    return width;
}

// "住所　千葉県…2-3-1" over "　　　富士見パークタワー1203": an unlabelled line indented deeper
// than a labelled address with its street number continues it with the building, whatever
// names it holds.
bool continuesAddress(TextView raw, TextView folded, TextView previousRaw, const std::vector<Text>& lines)
{
    if (lines.empty() || indentOf(raw) <= indentOf(previousRaw) || findTelephone(folded, false)) {
        return false;
    }
    const Label own = readLabel(folded);
    if (own.field != Field::Unknown || own.section != Section::None) {
        return false;
    }
    const Label label = readLabel(lines.back());
    return (label.field == Field::Address || label.field == Field::PostalCode) && hasMunicipality(label.value) &&
           postal::hasStreetNumber(label.value);
}

} // namespace

std::vector<Text> mailLines(std::string_view utf8)
{
    std::vector<Text> lines;
    std::vector<Text> header;
    Text previous;
    for (const std::string& line : textimport::SplitLines(utf8)) {
        const Text text = utf8::decode(line);
        const Text above = std::exchange(previous, text);
        if (text.find(U'\t') == Text::npos || trimBlanks(text).find(U'\t') == Text::npos) {
            const Text folded(trimBlanks(widthfold::foldWidth(text)));
            if (!folded.empty() && continuesAddress(text, folded, above, lines)) {
                lines.push_back(U"建物名: " + folded);
                continue;
            }
            for (Text& piece : runOnPieces(folded)) {
                lines.push_back(std::move(piece));
            }
            continue;
        }
        std::vector<Text> cells = cellsOf(text);
        if (isHeaderRow(cells)) {
            header = std::move(cells);
            continue;
        }
        const std::size_t width = cells.size();
        cells.resize(recipientCells(cells));
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (!cells[i].empty()) {
                const bool labelled = header.size() == width && !header[i].empty();
                lines.push_back(labelled ? header[i] + U": " + cells[i] : cells[i]);
            }
        }
    }
    return lines;
}

} // namespace smartimport
