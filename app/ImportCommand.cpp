#include "ImportCommand.h"

#include "Cp932.h"
#include "PostalDirectory.h"
#include "SmartPostalLookup.h"
#include "SmartTransfer.h"
#include "Transfer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>

namespace {

constexpr std::string_view kUsage = "usage: mivo-kangaroo import [--smart] [--cp932] [FILE]\n";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct ImportOptions
{
    bool cp932Input = false;
    bool smart = false;              // whole order mails instead of an address block
    std::optional<std::string> file; // standard input when absent
};

class UsageError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

ImportOptions parseOptions(const std::vector<std::string>& arguments)
{
    ImportOptions options;
    for (const std::string& argument : arguments) {
        if (argument == "--cp932") {
            options.cp932Input = true;
        } else if (argument == "--smart") {
            options.smart = true;
        } else if (argument.size() > 1 && argument.front() == '-') {
            throw UsageError("unknown option " + argument);
        } else if (options.file) {
            throw UsageError("more than one input file");
        } else if (argument != "-") {
            options.file = argument;
        }
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

// The length of the UTF-8 sequence at the start of `text`, 0 when it is not one: no
// overlong forms, no surrogates, nothing beyond U+10FFFF.
std::size_t utf8SequenceLength(std::string_view text)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

bool isUtf8(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t length = utf8SequenceLength(text);
        if (length == 0) {
            return false;
        }
        text.remove_prefix(length);
    }
    return true;
}

// Code page 932 bytes from the input; text that is not UTF-8 would come out as a row of
// replacement marks and is refused instead.
std::string toCp932(std::string text, bool cp932Input)
{
    if (cp932Input) {
        return text;
    }
    std::string_view utf8 = text;
    if (utf8.starts_with(kUtf8Bom)) {
        utf8.remove_prefix(kUtf8Bom.size());
    }
    if (!isUtf8(utf8)) {
        throw std::runtime_error("input is not UTF-8 (use --cp932)");
    }
    return cp932::FromUtf8(utf8);
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

Outcome transfer(const std::string& cp932Text, bool smart)
{
    if (smart) {
        smartimport::SmartResult r = smartimport::runSmartTransfer(
            cp932Text, {}, smartPostalLookup(postal::directoryFor(std::filesystem::current_path())));
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

} // namespace

int RunImportCommand(const std::vector<std::string>& arguments, std::istream& in, std::ostream& out, std::ostream& err)
{
    std::string pasted;
    ImportOptions options;
    try {
        options = parseOptions(arguments);
        pasted = toCp932(readInput(options, in), options.cp932Input);
    } catch (const UsageError& error) {
        err << "mivo-kangaroo import: " << error.what() << '\n' << kUsage;
        return 2;
    } catch (const std::exception& error) {
        err << "mivo-kangaroo import: " << error.what() << '\n';
        return 2;
    }

    const Outcome result = transfer(pasted, options.smart);
    if (!result.transferred) {
        err << result.message << '\n';
        return 1;
    }
    writeJson(result, out);
    out.flush();
    if (!out) {
        err << "mivo-kangaroo import: cannot write standard output\n";
        return 2;
    }
    return 0;
}
