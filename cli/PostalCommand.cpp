#include "cli/PostalCommand.h"

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

} // namespace

int RunPostalCommand(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                     std::ostream& out, std::ostream& err)
{
    if (arguments.size() != 1) {
        err << "usage: mivo-kangaroo postal CODE\n";
        return 2;
    }
    const std::optional<std::string> code = postal::normaliseCode(arguments.front());
    if (!code) {
        err << arguments.front() << " は郵便番号ではありません\n";
        return 2;
    }
    const std::vector<postal::PostalEntry> entries = postal::directoryFor(workingFolder).find(*code);
    if (entries.empty()) {
        err << "郵便番号 " << arguments.front() << " は見つかりません\n";
        return 1;
    }
    writeEntries(entries, out);
    out.flush();
    return out ? 0 : 2;
}

int RunPostalUpdateCommand(const std::vector<std::string>& arguments, const std::filesystem::path& workingFolder,
                           std::ostream& out, std::ostream& err)
{
    if (arguments.empty()) {
        err << "usage: mivo-kangaroo postal-update FILE...\n";
        return 2;
    }
    try {
        const std::size_t count = postal::updateDirectory(
            std::vector<std::filesystem::path>(arguments.begin(), arguments.end()), workingFolder);
        out << postal::kDirectoryFileName << " に " << count << " 件の郵便番号を書き込みました\n";
    } catch (const std::exception& error) {
        err << "mivo-kangaroo postal-update: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
