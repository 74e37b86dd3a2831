#include "shipping/TrackingAttach.h"

#include "journal/Journal.h"

#include <QString>

#include <algorithm>
#include <map>
#include <stdexcept>

namespace shipping {
namespace {

std::optional<std::int64_t> idOf(const std::string& text)
{
    bool ok = false;
    const qlonglong id = QString::fromStdString(text).toLongLong(&ok);
    return ok && id > 0 ? std::optional<std::int64_t>(id) : std::nullopt;
}

// The entry a line names: an order's newest printed slip, or an entry by id.
std::optional<std::int64_t> entryOf(journal::Journal& journal, const TrackingLine& line)
{
    if (line.key != TrackingKey::Id) {
        if (const std::optional<std::int64_t> id = journal.lastPrintedOfOrder(line.keyText)) {
            return id;
        }
    }
    if (line.key != TrackingKey::Order) {
        if (const std::optional<std::int64_t> id = idOf(line.keyText); id && journal.find(*id)) {
            return id;
        }
    }
    return std::nullopt;
}

std::string unknownKey(const TrackingLine& line)
{
    switch (line.key) {
    case TrackingKey::Order:
        return "印刷済みの注文がありません: " + line.keyText;
    case TrackingKey::Id:
        return "その ID の履歴がありません: " + line.keyText;
    case TrackingKey::OrderOrId:
        break;
    }
    return "印刷済みの注文も、その ID の履歴もありません: " + line.keyText;
}

std::string heldBy(std::int64_t holder)
{
    return "この番号はすでに ID " + std::to_string(holder) + " の送り状に付いています";
}

} // namespace

std::vector<journal::JournalEntry> EntriesInOrder(journal::Journal& journal, const std::vector<std::int64_t>& ids)
{
    std::vector<journal::JournalEntry> entries;
    for (const std::int64_t id : ids) {
        if (std::optional<journal::JournalEntry> entry = journal.find(id)) {
            entries.push_back(std::move(*entry));
        }
    }
    return entries;
}

std::string LengthWarning(const std::string& digits)
{
    if (digits.size() == kUsualLength) {
        return {};
    }
    return std::to_string(kUsualLength) + "桁ではありません（" + std::to_string(digits.size()) + "桁）";
}

NumberAssessment AssessNumber(journal::Journal& journal, std::string_view typed, CheckDigitRule rule,
                              std::int64_t forId)
{
    NumberAssessment assessment;
    const std::optional<std::string> number = NormalizeTrackingNumber(typed);
    if (!number) {
        assessment.refusal = "お問合せ番号は数字です";
        return assessment;
    }
    assessment.number = *number;
    if (const std::optional<std::string> problem = CheckDigitProblem(*number, rule)) {
        assessment.refusal = *problem;
        return assessment;
    }
    if (const std::optional<std::int64_t> holder = journal.holderOf(*number); holder && *holder != forId) {
        assessment.refusal = heldBy(*holder);
        return assessment;
    }
    assessment.warning = LengthWarning(*number);
    return assessment;
}

AttachReport AttachTrackingFile(journal::Journal& journal, const TrackingFile& file, CheckDigitRule rule)
{
    AttachReport report;
    report.errors = file.errors;
    std::vector<journal::TrackingAssignment> assignments;
    std::map<std::string, std::size_t> rowOfNumber;
    std::map<std::int64_t, std::size_t> rowOfEntry;
    for (const TrackingLine& line : file.lines) {
        const std::optional<std::int64_t> id = entryOf(journal, line);
        const NumberAssessment assessment = id ? AssessNumber(journal, line.number, rule, *id) : NumberAssessment{};
        std::string refusal = id ? assessment.refusal : unknownKey(line);
        if (refusal.empty() && rowOfNumber.contains(line.number)) {
            refusal = "同じ番号が " + std::to_string(rowOfNumber[line.number]) + " 行目にもあります";
        } else if (refusal.empty() && rowOfEntry.contains(*id)) {
            refusal = "同じ送り状に " + std::to_string(rowOfEntry[*id]) + " 行目でも番号を付けています";
        }
        if (!refusal.empty()) {
            report.errors.push_back({line.row, refusal});
            continue;
        }
        rowOfNumber[line.number] = line.row;
        rowOfEntry[*id] = line.row;
        assignments.push_back({*id, line.number});
        if (!assessment.warning.empty()) {
            report.warnings.push_back({line.row, assessment.warning});
        }
    }
    journal.setTrackingNumbers(assignments);
    report.stored = assignments.size();
    std::sort(report.errors.begin(), report.errors.end(),
              [](const TrackingLineError& a, const TrackingLineError& b) { return a.row < b.row; });
    return report;
}

std::vector<journal::TrackingAssignment> ConsecutiveAssignments(journal::Journal& journal,
                                                                const std::vector<std::int64_t>& ids,
                                                                std::string_view first, CheckDigitRule rule)
{
    const std::optional<std::string> start = NormalizeTrackingNumber(first);
    if (!start) {
        throw std::runtime_error("お問合せ番号は数字です");
    }
    if (const std::optional<std::string> problem = CheckDigitProblem(*start, rule)) {
        throw std::runtime_error(*problem);
    }
    const std::vector<std::string> numbers = ConsecutiveNumbers(*start, ids.size(), rule);
    if (numbers.size() < ids.size()) {
        throw std::runtime_error("番号の桁が足りず、続きの番号を作れません");
    }
    std::vector<journal::TrackingAssignment> assignments;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        // A number held by one of these entries moves with the renumbering.
        const std::optional<std::int64_t> holder = journal.holderOf(numbers[i]);
        if (holder && std::find(ids.begin(), ids.end(), *holder) == ids.end()) {
            throw std::runtime_error(numbers[i] + ": " + heldBy(*holder));
        }
        assignments.push_back({ids[i], numbers[i]});
    }
    return assignments;
}

} // namespace shipping
