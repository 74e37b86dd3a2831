#include "PrinterService.h"

#include "PageGeometry.h"

#include <algorithm>

PageGeometry PrinterService::jobPageGeometry()
{
    PageGeometry page = pageGeometry();
    if (m_pageLengthPt > 0) {
        // The driver's unprintable bottom stays at the bottom of the shorter page.
        const double bottom = std::max(0.0, page.paperHeightPt - page.printableTopPt - page.printableHeightPt);
        page.paperHeightPt = m_pageLengthPt;
        page.printableHeightPt = std::max(0.0, m_pageLengthPt - page.printableTopPt - bottom);
    }
    return page;
}

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
