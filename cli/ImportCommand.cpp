#include "cli/ImportCommand.h"
#include "cli/PostalList.h"

#include "jobs/SmartPostalLookup.h"
#include "platform/Cp932.h"
#include "platform/Utf8.h"
#include "postal/PostalDirectory.h"
#include "smartimport/SmartTransfer.h"
#include "textimport/Transfer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <iterator>
#include <optional>
#include <ostream>
#include <sstream>

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct ImportOptions
{
    bool cp932Input = false;
    bool smart = false;              // whole order mails instead of an address block
    std::optional<std::string> file; // standard input when absent
};

ImportOptions parseOptions(const CommandArguments& arguments)
{
    ImportOptions options;
    options.cp932Input = arguments.isSet("cp932");
    options.smart = arguments.isSet("smart");
    const std::vector<std::string>& files = arguments.operands();
    if (files.size() > 1) {
        throw UsageError("more than one input file");
    }
    if (!files.empty() && files.front() != "-") {
        options.file = files.front();
    }
    return options;
}

std::string readAll(std::istream& stream)
{
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

std::string readInput(const ImportOptions& options, std::istream& in)
{
    if (!options.file) {
        std::string text = readAll(in);
        if (in.bad()) {
            throw std::runtime_error("cannot read standard input");
        }
        return text;
    }
    std::error_code error;
    if (std::filesystem::is_directory(*options.file, error)) {
        throw std::runtime_error("cannot read " + *options.file + ": " + std::strerror(EISDIR));
    }
    std::ifstream file(*options.file, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + *options.file + ": " + std::strerror(errno));
    }
    std::string text = readAll(file);
    if (file.bad()) {
        throw std::runtime_error("cannot read " + *options.file);
    }
    return text;
}

// Code page 932 bytes from the input; text that is not UTF-8 would come out as a row of
// replacement marks and is refused instead.
std::string toCp932(std::string text, bool cp932Input)
{
    if (cp932Input) {
        return text;
    }
    std::string_view unicodeText = text;
    if (unicodeText.starts_with(kUtf8Bom)) {
        unicodeText.remove_prefix(kUtf8Bom.size());
    }
    if (!utf8::isValid(unicodeText)) {
        throw std::runtime_error("input is not UTF-8 (use --cp932)");
    }
    return cp932::FromUtf8(unicodeText);
}

std::string jsonString(std::string_view utf8)
{
    std::string out = "\"";
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                out += escaped;
            } else {
                out.push_back(c);
            }
        }
    }
    out.push_back('"');
    return out;
}

std::string jsonField(std::string_view cp932Text)
{
    return jsonString(cp932::ToUtf8(cp932Text));
}

// What either transfer leaves: the fields, the memo shown afterwards and the warning.
struct Outcome
{
    bool transferred = false;
    std::string message;
    textimport::RecipientFields fields;
    std::vector<std::string> memo;
    std::string warning;
};

Outcome transfer(const std::string& cp932Text, bool smart, std::ostream& err)
{
    if (smart) {
        smartimport::SmartResult r = smartimport::runSmartTransfer(
            cp932Text, {}, smartPostalLookup(PostalListOf(std::filesystem::current_path(), "import", err)));
        return {r.status == smartimport::SmartStatus::Transferred, r.message, r.fields, r.memo, r.warning};
    }
    textimport::TransferResult r = textimport::RunTransfer(cp932Text);
    return {r.status == textimport::TransferStatus::Transferred, r.message, r.fields, r.memo(), r.warning};
}

void writeJson(const Outcome& result, std::ostream& out)
{
    const textimport::RecipientFields& f = result.fields;
    out << "{\n"
        << "  \"zip\": " << jsonField(f.zip) << ",\n"
        << "  \"address1\": " << jsonField(f.address1) << ",\n"
        << "  \"address2\": " << jsonField(f.address2) << ",\n"
        << "  \"name\": " << jsonField(f.name) << ",\n"
        << "  \"tel\": " << jsonField(f.tel) << ",\n"
        << "  \"memo\": [";
    const auto& memo = result.memo;
    for (std::size_t i = 0; i < memo.size(); ++i) {
        out << (i == 0 ? "\n    " : ",\n    ") << jsonField(memo[i]);
    }
    out << (memo.empty() ? "],\n" : "\n  ],\n") << "  \"warning\": " << jsonString(result.warning) << "\n}\n";
}

int runImport(const CommandContext& context)
{
    const ImportOptions options = parseOptions(context.arguments);
    const std::string pasted = toCp932(readInput(options, context.in), options.cp932Input);
    const Outcome result = transfer(pasted, options.smart, context.err);
    if (!result.transferred) {
        context.err << result.message << '\n';
        return kFailed;
    }
    writeJson(result, context.out);
    return kDone;
}

} // namespace

const Command& ImportCommand()
{
    static const Command command{
        "import",
        "read a recipient from pasted text and write its fields as JSON",
        "[--smart] [--cp932] [FILE]",
        "Runs the window's text transfer without a window (with --smart the transfer of whole order mails). "
        "Reads the pasted text from FILE or standard input (UTF-8, or code page 932 with --cp932) and writes the "
        "recipient fields, the memo and the address warning as UTF-8 JSON on standard output. A text the transfer "
        "refuses exits 1 with the window's notice on standard error.",
        {{"smart", "", "read a whole order mail instead of an address block"},
         {"cp932", "", "the input is in code page 932"}},
        runImport,
    };
    return command;
}
