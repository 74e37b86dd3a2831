#include "shipping/TrackingNumber.h"

#include "platform/Utf8.h"

#include <algorithm>

namespace shipping {
namespace {

bool isDropped(char32_t c)
{
    switch (c) {
    case U' ':
    case U'\t':
    case U'\r':
    case U'\n':
    case U'\u3000': // ideographic space
    case U'-':
    case U'\u2010': // hyphen
    case U'\u2011': // non-breaking hyphen
    case U'\u2012': // figure dash
    case U'\u2013': // en dash
    case U'\u2014': // em dash
    case U'\u2015': // horizontal bar
    case U'\u2212': // minus sign
    case U'\u30FC': // katakana long vowel mark, a common typing of a hyphen
    case U'\uFF0D': // full-width hyphen-minus
    case U'\uFF70': // half-width long vowel mark
        return true;
    default:
        return false;
    }
}

char32_t narrow(char32_t c)
{
    return c >= U'\uFF01' && c <= U'\uFF5E' ? c - 0xFEE0 : c;
}

bool isCodabarGuard(char c)
{
    return (c >= 'A' && c <= 'D') || (c >= 'a' && c <= 'd');
}

int modulo7(std::string_view digits)
{
    int rest = 0;
    for (const char digit : digits) {
        rest = (rest * 10 + (digit - '0')) % 7;
    }
    return rest;
}

// The body plus one, as wide as before; nothing when it was all nines.
std::optional<std::string> incremented(std::string body)
{
    for (auto it = body.rbegin(); it != body.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return body;
        }
        *it = '0';
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> NormalizeTrackingNumber(std::string_view typed)
{
    std::string kept;
    std::size_t pos = 0;
    while (pos < typed.size()) {
        char32_t c = 0;
        if (!utf8::next(typed, pos, c)) {
            return std::nullopt;
        }
        c = narrow(c);
        if (isDropped(c)) {
            continue;
        }
        if (c > 0x7F) {
            return std::nullopt;
        }
        kept.push_back(static_cast<char>(c));
    }
    if (!kept.empty() && isCodabarGuard(kept.front())) {
        kept.erase(0, 1);
    }
    if (!kept.empty() && isCodabarGuard(kept.back())) {
        kept.pop_back();
    }
    if (kept.empty() || !std::all_of(kept.begin(), kept.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return kept;
}

std::optional<std::string> CheckDigitProblem(const std::string& digits, CheckDigitRule rule)
{
    if (rule == CheckDigitRule::None) {
        return std::nullopt;
    }
    if (digits.size() < 2) {
        return std::string("チェック数字を確かめるには短すぎます");
    }
    const std::string_view body(digits.data(), digits.size() - 1);
    if (digits.back() - '0' != modulo7(body)) {
        return "チェック数字が合いません（" + std::to_string(modulo7(body)) + " のはずです）";
    }
    return std::nullopt;
}

std::optional<std::string> NextFormNumber(const std::string& digits, CheckDigitRule rule)
{
    if (rule == CheckDigitRule::None) {
        return incremented(digits);
    }
    if (digits.size() < 2) {
        return std::nullopt;
    }
    const std::optional<std::string> body = incremented(digits.substr(0, digits.size() - 1));
    if (!body) {
        return std::nullopt;
    }
    return *body + static_cast<char>('0' + modulo7(*body));
}

std::vector<std::string> ConsecutiveNumbers(const std::string& first, std::size_t count, CheckDigitRule rule)
{
    std::vector<std::string> numbers;
    std::optional<std::string> number = first;
    while (numbers.size() < count && number) {
        numbers.push_back(*number);
        number = NextFormNumber(*number, rule);
    }
    return numbers;
}

std::string TrackingUrl(const std::string& digits)
{
    return "https://track.seino.co.jp/cgi-bin/gnpquery.pgm?GNPNO1=" + digits;
}

} // namespace shipping
