#pragma once

// The two kinds of stationery, as the paper selection lists them; each text also names the
// section of its printer registration.
namespace paperfeeds {
inline constexpr const char* kHandFed = "手差し";
inline constexpr const char* kContinuous = "連続(４インチ)";
inline constexpr const char* kAll[] = {kHandFed, kContinuous};
} // namespace paperfeeds
