#pragma once

#include "printers/PrinterService.h"
#include "slipprint/MarginResolution.h"

#include <optional>
#include <string>
#include <vector>

class TPrinterAccess;
struct PrinterRegistration;

// The driver settings and the margins' resolution a paper feed's registration keeps, put in
// force for its jobs.
namespace registeredsettings {

// The paper size, source and resolution registered with the feed's printer.
DriverSettings Of(const PrinterRegistration& entry);

// Puts the registered settings in force on the current printer, over the driver's defaults, so
// that a job prints the same whatever was in force before. Returns a warning (UTF-8) for each
// setting the driver no longer offers, which prints at the driver's default. A registration
// without settings changes nothing.
std::vector<std::string> Apply(TPrinterAccess& printer, const PrinterRegistration& entry);

// The resolution the registered margins count their dots in; nothing when the registration
// does not say, and then the dots are taken as they stand. A text that is no resolution adds a
// warning to `warnings` and counts as not said.
std::optional<marginresolution::Dpi> MarginBasis(const PrinterRegistration& entry, std::vector<std::string>& warnings);

// The resolution margins are registered at: the registration's own when it says, else
// `inForce` (the resolution the dots were being printed at).
marginresolution::Dpi MarginBasisOr(const PrinterRegistration& entry, marginresolution::Dpi inForce);

// Records the settings in force in `entry` for writing: each one the driver has, and an empty
// one where `before` (the registration as it stood) has a key the driver has nothing for now,
// so that no keyword of another printer stays behind.
void Record(PrinterRegistration& entry, const PrinterRegistration& before, const DriverSettings& inForce);

} // namespace registeredsettings
