#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The number pre-printed on each form (お問合せ番号), as typed or scanned. Stored and compared
// as digits only.
namespace shipping {

// The carrier's numbers have this many digits; others are taken with a warning.
inline constexpr std::size_t kUsualLength = 10;

enum class CheckDigitRule
{
    None,
    Mod7, // the last digit is the rest of the number modulo 7
};

// The digits of a typed or scanned number: full-width digits made narrow, hyphens and blanks
// dropped, and a Codabar scanner's start and stop letters (A-D) taken off both ends. Nothing
// when no digit is left or anything else remains.
std::optional<std::string> NormalizeTrackingNumber(std::string_view typed);

// Why the number breaks the rule (a sentence in Japanese), or nothing.
std::optional<std::string> CheckDigitProblem(const std::string& digits, CheckDigitRule rule);

// The form after `digits`: its body (the number without a check digit) plus one, as wide as
// before, with the check digit the rule gives. Nothing when the body has no room to count on.
std::optional<std::string> NextFormNumber(const std::string& digits, CheckDigitRule rule);

// `count` numbers from `first` on, `first` included.
std::vector<std::string> ConsecutiveNumbers(const std::string& first, std::size_t count, CheckDigitRule rule);

// The carrier's public page for the number.
std::string TrackingUrl(const std::string& digits);

} // namespace shipping
