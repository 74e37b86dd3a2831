#pragma once

#include <string>

// Who is sending a job: this boot of this machine, this process and its start time, so that a
// process id reused after a crash is not taken for the sender. An entry still "sending" whose
// owner is gone was cut off mid-job: nobody knows whether it printed.
namespace journal::owner {

// The mark of this process.
const std::string& Current();
// Whether the process that wrote `mark` still runs. Marks of another boot, machine or an
// unreadable mark are not alive.
bool Alive(const std::string& mark);

} // namespace journal::owner
