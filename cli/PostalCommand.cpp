#include "cli/PostalCommand.h"
#include "cli/PostalList.h"

#include "postal/PostalCode.h"
#include "postal/PostalDirectory.h"
#include "postal/PostalUpdate.h"

#include <cstdio>
#include <ostream>

namespace {

std::string jsonString(std::string_view utf8)
{
    std::string out = "\"";
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

void writeEntries(const std::vector<postal::PostalEntry>& entries, std::ostream& out)
{
    out << "[";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const postal::PostalEntry& e = entries[i];
        out << (i == 0 ? "\n  " : ",\n  ") << "{\"zip\": " << jsonString(e.zip)
            << ", \"prefecture\": " << jsonString(e.prefecture) << ", \"city\": " << jsonString(e.city)
            << ", \"town\": " << jsonString(e.town) << ", \"street\": " << jsonString(e.street)
            << ", \"office\": " << jsonString(e.office) << "}";
    }
    out << "\n]\n";
}

int runPostal(const CommandContext& context)
{
    const std::vector<std::string>& words = context.arguments.operands();
    if (words.size() != 1) {
        throw UsageError(words.empty() ? "no postal code" : "one postal code at a time");
    }
    const std::optional<std::string> code = postal::normaliseCode(words.front());
    if (!code) {
        throw UsageError(words.front() + " は郵便番号ではありません");
    }
    const std::vector<postal::PostalEntry> entries =
        PostalListOf(context.workingFolder, "postal", context.err).find(*code);
    if (entries.empty()) {
        context.err << "郵便番号 " << words.front() << " は見つかりません\n";
        return kFailed;
    }
    writeEntries(entries, context.out);
    return kDone;
}

int runPostalUpdate(const CommandContext& context)
{
    const std::vector<std::string>& files = context.arguments.operands();
    if (files.empty()) {
        throw UsageError("no postal code file");
    }
    const std::size_t count =
        postal::updateDirectory(std::vector<std::filesystem::path>(files.begin(), files.end()), context.workingFolder);
    context.out << postal::kDirectoryFileName << " に " << count << " 件の郵便番号を書き込みました\n";
    return kDone;
}

} // namespace

const Command& PostalCommand()
{
    static const Command command{
        "postal",
        "look up a postal code",
        "CODE",
        "Writes the entries of the postal code CODE (seven digits, with or without the hyphen) as a UTF-8 JSON array "
        "on standard output. An unknown code exits 1.",
        {},
        runPostal,
    };
    return command;
}

const Command& PostalUpdateCommand()
{
    static const Command command{
        "postal-update",
        "read Japan Post's postal code files into the working folder",
        "FILE...",
        "Reads Japan Post's KEN_ALL.CSV, utf_ken_all.csv or JIGYOSYO.CSV into mivo_postal.dat in the working folder. "
        "A file that cannot be used changes nothing; the message names the file and the line.",
        {},
        runPostalUpdate,
    };
    return command;
}
