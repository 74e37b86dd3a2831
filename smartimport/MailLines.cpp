#include "smartimport/MailLines.h"
#include "platform/Utf8.h"
#include "platform/WidthFold.h"

#include "smartimport/Labels.h"
#include "smartimport/RunOnLine.h"
#include "textimport/LineText.h"

#include <algorithm>

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

} // namespace

std::vector<Text> mailLines(std::string_view utf8)
{
    std::vector<Text> lines;
    std::vector<Text> header;
    for (const std::string& line : textimport::SplitLines(utf8)) {
        const Text text = utf8::decode(line);
        if (text.find(U'\t') == Text::npos || trimBlanks(text).find(U'\t') == Text::npos) {
            for (Text& piece : runOnPieces(trimBlanks(widthfold::foldWidth(text)))) {
                lines.push_back(std::move(piece));
            }
            continue;
        }
        std::vector<Text> cells = cellsOf(text);
        if (isHeaderRow(cells)) {
            header = std::move(cells);
            continue;
        }
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (!cells[i].empty()) {
                const bool labelled = header.size() == cells.size() && !header[i].empty();
                lines.push_back(labelled ? header[i] + U": " + cells[i] : cells[i]);
            }
        }
    }
    return lines;
}

} // namespace smartimport
