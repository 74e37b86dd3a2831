#include "printers/PrinterService.h"

#include "printers/PageGeometry.h"

#include <algorithm>

PageGeometry PrinterService::jobPageGeometry()
{
    return WithPageLength(pageGeometry(), m_pageLengthPt);
}

PageGeometry WithPageLength(PageGeometry page, double lengthPt)
{
    if (lengthPt > 0) {
        const double bottom = std::max(0.0, page.paperHeightPt - page.printableTopPt - page.printableHeightPt);
        page.paperHeightPt = lengthPt;
        page.printableHeightPt = std::max(0.0, lengthPt - page.printableTopPt - bottom);
    }
    return page;
}

std::vector<std::string> PrinterService::applyDriverSettings(const DriverSettings& settings)
{
    std::vector<std::string> refused;
    for (const auto& [key, keyword] : {std::pair<const char*, const std::string&>{"PageSize", settings.paperSize},
                                       {"InputSlot", settings.paperSource},
                                       {"Resolution", settings.resolution}}) {
        if (!keyword.empty()) {
            refused.push_back(key + ("=" + keyword));
        }
    }
    return refused;
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
