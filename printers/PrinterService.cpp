#include "PrinterService.h"

#include "PageGeometry.h"

PageGeometry PrinterService::pageGeometry()
{
    PageGeometry page;
    page.dpi = resolution();
    const DeviceDescription device = currentDevice();
    const auto number = static_cast<std::uint16_t>(device.devMode.dmPaperSize);
    for (const Capability& paper : paperSizes(device)) {
        if (paper.number == number) {
            page.paperWidthPt = page.printableWidthPt = paper.widthPt;
            page.paperHeightPt = page.printableHeightPt = paper.heightPt;
            break;
        }
    }
    return page;
}
