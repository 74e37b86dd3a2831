#pragma once

#include "printers/PrinterModel.h"

#include <string>

class CupsConnection;
#include <vector>

// The CUPS server's queues, read with libcups.
namespace cupsdest {

// The queues in the server's order, capabilities not loaded. Fax queues are hidden. Throws
// EPrinterAccessServerError when the server does not answer.
std::vector<PrinterModel> ListQueues();
// The same on a connection kept from one look to the next.
std::vector<PrinterModel> ListQueues(CupsConnection& connection);

// Reads the queue's driver description (PPD; none when the server does not answer) for its page sizes, paper sources
// and default resolution; the queue's own option defaults win over the description's.
void LoadCapabilities(PrinterModel& queue);

// The printable area of a paper from a driver description's imageable area (lower-left and
// upper-right corners, measured from the paper's bottom-left corner); the whole paper (a
// width of 0) when the area is empty.
PrintableArea AreaOf(double widthPt, double heightPt, double left, double bottom, double right, double top);

// The paper number of a size: the platform's number where the size has one, otherwise a
// driver number from its position.
std::uint16_t PaperNumber(double widthPt, double heightPt, std::size_t position);
// The usual bin number of a paper source keyword, otherwise a driver number from its position.
std::int16_t BinNumber(const std::string& keyword, std::size_t position);
// Dots per inch of a resolution keyword such as "180dpi" or "120x60dpi"; {0, 0} when unreadable.
Resolution ParseResolution(const std::string& keyword);

} // namespace cupsdest
