#include "textimport/Normalisation.h"

#include "platform/Cp932.h"
#include "textimport/Classification.h"
#include "textimport/HalfWidth.h"
#include "textimport/LineText.h"
#include "textimport/Tables.h"
#include "widgets/NumValue.h"

#include <bitset>

namespace textimport {

namespace {

constexpr std::string_view kWideBlank = "\x81\x40";
constexpr std::size_t kPostalCodeBytes = 8;
constexpr std::size_t kMinAddressAfterPostalCode = 7;
constexpr std::size_t kMinNumericLead = 3;

// Lines 1-7 trimmed; missing lines read as empty.
std::vector<std::string> firstTransferLines(const std::vector<std::string>& lines)
{
    std::vector<std::string> first(kTransferLines);
    for (std::size_t i = 0; i < kTransferLines && i < lines.size(); ++i) {
        first[i] = std::string(Trim(lines[i]));
    }
    return first;
}

using ByteSet = std::bitset<256>;

ByteSet bytesOf(std::string_view text)
{
    ByteSet bytes;
    for (const char byte : text) {
        bytes.set(static_cast<unsigned char>(byte));
    }
    return bytes;
}

struct Label
{
    std::string text;
    ByteSet bytes;
};

const std::vector<Label>& removalLabels()
{
    static const std::vector<Label> labels = [] {
        std::vector<Label> result;
        for (const std::string& text : tables::RemovalLabels()) {
            result.push_back({text, bytesOf(text)});
        }
        return result;
    }();
    return labels;
}

std::string withoutLabels(std::string line)
{
    line = std::string(TrimLeft(line));
    // Most labels are absent; a label with a byte the line lacks needs no search. Removals
    // only take bytes away, so the set stays a valid filter.
    const ByteSet present = bytesOf(line);
    for (const Label& label : removalLabels()) {
        if ((label.bytes & ~present).none() && line.find(label.text) != std::string::npos) {
            line = std::string(TrimLeft(RemoveOccurrences(line, label.text)));
        }
    }
    return TrimWideBlanks(line);
}

bool isBlankAt(std::string_view text, std::size_t pos)
{
    return text[pos] == ' ' || text.substr(pos, 2) == kWideBlank;
}

} // namespace

std::vector<std::string> CompactLines(const std::vector<std::string>& lines)
{
    std::vector<std::string> kept;
    for (std::size_t i = 0; i < kCompactedLines && i < lines.size(); ++i) {
        const std::string_view line = Trim(lines[i]);
        if (!line.empty() && MailWebMarkerCount(line) == 0) {
            kept.emplace_back(line);
        }
    }
    return kept;
}

std::vector<std::string> CleanLabels(const std::vector<std::string>& lines)
{
    std::vector<std::string> cleaned = firstTransferLines(lines);
    // The last line is converted before its labels are removed as well as after, so a
    // full-width label there ("ＴＥＬ：") goes as its half-width twin.
    std::string& last = cleaned.back();
    last = ToHalfWidth(last);
    for (std::string& line : cleaned) {
        line = withoutLabels(std::move(line));
        if (NumericLead(line).size() >= kMinNumericLead) {
            line = ToHalfWidth(line);
        }
    }
    last = ToHalfWidth(last);
    return cleaned;
}

std::vector<std::string> SplitPostalCodes(const std::vector<std::string>& lines)
{
    std::vector<std::string> split = firstTransferLines(lines);
    for (std::size_t k = 0; k < split.size(); ++k) {
        const std::string_view line = split[k];
        if (line.size() <= kPostalCodeBytes) {
            continue;
        }
        // The whole rest moves on: a long address must not lose its end.
        std::string rest(line.substr(kPostalCodeBytes));
        if (cp932::CharCount(rest) < kMinAddressAfterPostalCode ||
            ZipTelCheck(line.substr(0, kPostalCodeBytes)) != ZipTelVerdict::PostalCode) {
            continue;
        }
        split[k].resize(kPostalCodeBytes);
        for (std::size_t j = k + 1; j < split.size(); ++j) {
            if (Trim(split[j]).empty()) {
                split[j] = std::move(rest);
                break;
            }
        }
    }
    return split;
}

std::string TrimWideBlanks(std::string_view line)
{
    line = Trim(line);
    std::size_t start = 0;
    std::size_t end = 0; // just past the last character that is not a blank
    bool leading = true;
    for (std::size_t pos = 0; pos < line.size();) {
        const std::size_t length = cp932::IsLeadByte(static_cast<unsigned char>(line[pos])) ? 2 : 1;
        const bool blank = isBlankAt(line, pos);
        if (leading && blank) {
            start = pos + length;
        } else if (!blank) {
            leading = false;
            end = std::min(pos + length, line.size());
        }
        pos += length;
    }
    return start < end ? std::string(line.substr(start, end - start)) : std::string();
}

std::string NumericLead(std::string_view line)
{
    return numvalue::CleanText(line, numvalue::NumFormat{});
}

} // namespace textimport
