#pragma once

#include <string>

// A server that did not answer is left alone for a while, so that a batch of slips printed
// while it is away does not wait the connect timeout for each one. Kept per server for the
// whole process.
namespace journal::backoff {

inline constexpr int kSeconds = 30;

// False while the server failed less than kSeconds ago.
bool MayTry(const std::string& server);
void Failed(const std::string& server);
void Answered(const std::string& server);
// Whether the server failed and has not answered since.
bool Away(const std::string& server);

} // namespace journal::backoff
