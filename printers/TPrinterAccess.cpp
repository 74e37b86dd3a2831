#include "printers/TPrinterAccess.h"

#include "platform/Cp932.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>

namespace {

// The settings-block bit of each member of the supported-settings set.
constexpr std::array<std::uint32_t, 17> kFieldBits = {
    0x1,    0x2,    0x4,    0x8,    0x10,    0x100,   0x200,     0x400,      0x800,
    0x1000, 0x2000, 0x4000, 0x8000, 0x10000, 0x20000, 0x8000000, 0x10000000,
};

// Names came in fixed slots of code page 932 bytes (64 for papers, 24 for bins): keep the
// whole characters that fit and stop at a zero byte.
std::string SlotName(const std::string& name, std::size_t slotBytes)
{
    const std::string text = name.substr(0, name.find('\0'));
    std::size_t used = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t next = pos + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) {
            ++next;
        }
        used += cp932::ByteLength(std::string_view(text).substr(pos, next - pos));
        if (used > slotBytes) {
            break;
        }
        pos = next;
    }
    return text.substr(0, pos);
}

bool EqualIgnoringCase(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

void LoadCapabilities(const std::vector<Capability>& capabilities, std::size_t slotBytes,
                      std::vector<std::uint16_t>& numbers, std::vector<std::string>& names)
{
    for (const Capability& capability : capabilities) {
        numbers.push_back(capability.number);
        names.push_back(SlotName(capability.name, slotBytes));
    }
}

constexpr std::uint8_t kPaperInfo = 0x01;
constexpr std::uint8_t kBinInfo = 0x02;

} // namespace

TPrinterAccess::TPrinterAccess(std::unique_ptr<PrinterService> service)
    : m_service(std::move(service)), m_printers(*m_service)
{
    m_service->setSettingsChangeHandler([this] { SettingsChanged(); });
}

TPrinterAccess::~TPrinterAccess()
{
    m_service->setSettingsChangeHandler({});
}

::Canvas& TPrinterAccess::Canvas()
{
    return m_service->canvas();
}

void TPrinterAccess::BeginDoc(const std::string& title, double pageLengthPt)
{
    m_service->setPageLength(pageLengthPt);
    m_service->beginDoc(title);
}

void TPrinterAccess::EndDoc()
{
    m_service->endDoc();
}

void TPrinterAccess::Abort()
{
    m_service->abortDoc();
}

void TPrinterAccess::NewPage()
{
    m_service->newPage();
}

void TPrinterAccess::CheckNoPrinter()
{
    for (std::uint32_t i = 0; i < m_printers.Count(); ++i) {
        if (!m_printers.IsHidden(i)) {
            return;
        }
    }
    m_cachedIndex = -1;
    // A server that does not answer is no reason to print elsewhere.
    if (!m_printers.Failure().empty()) {
        throw EPrinterAccessServerError(m_printers.Failure());
    }
    throw EPrinterAccessNoPrinter("TPrinterAccess.CheckNoPrinter: No Printer");
}

int TPrinterAccess::GetIndex()
{
    CheckNoPrinter();
    const int platformIndex = m_service->printerIndex();
    if (platformIndex == -1) {
        return -1;
    }
    if (platformIndex >= 0 && static_cast<std::uint32_t>(platformIndex) < m_printers.Count() &&
        m_printers.IsHidden(static_cast<std::uint32_t>(platformIndex))) {
        throw EPrinterAccessIllegalIndex("TPrinterAccess.GetIndex: Printers.PrinterIndex is Illegal");
    }

    // Found by name: the platform index only tells whether the current printer is hidden.
    const std::string device = m_service->currentDevice().device;
    for (std::uint32_t i = 0, visible = 0; i < m_printers.Count(); ++i) {
        if (m_printers.Names(i) == device) {
            return static_cast<int>(visible);
        }
        if (!m_printers.IsHidden(i)) {
            ++visible;
        }
    }
    throw std::logic_error("TPrinterAccess.GetIndex: current printer '" + device + "' is not in the printer list");
}

void TPrinterAccess::SetIndex(int value)
{
    CheckNoPrinter();
    if (value < -1) {
        throw EPrinterAccessRangeError("TPrinterAccess.SetIndex: Index is out of Range");
    }
    if (value == GetIndex()) {
        return;
    }

    int platformIndex = -1;
    if (value >= 0) {
        int visible = -1;
        for (std::uint32_t i = 0; i < m_printers.Count(); ++i) {
            if (!m_printers.IsHidden(i) && ++visible == value) {
                platformIndex = static_cast<int>(i);
                break;
            }
        }
        if (platformIndex < 0) {
            throw EPrinterAccessRangeError("TPrinterAccess.SetIndex: Index is out of Range");
        }
    }
    m_service->setPrinterIndex(platformIndex);
    const DeviceDescription current = m_service->currentDevice();
    m_service->setPrinter(current.device, current.driver, current.port);

    m_cachedIndex = -1;
    UpdateCapabilities();
    DropDevMode();
}

const DevMode& TPrinterAccess::DevModeSnapshot()
{
    if (!m_devMode) {
        m_devMode = m_service->currentDevice().devMode;
    }
    return *m_devMode;
}

std::uint32_t TPrinterAccess::GetSupportedFields()
{
    CheckNoPrinter();
    const std::uint32_t fields = DevModeSnapshot().dmFields;
    std::uint32_t set = 0;
    for (std::size_t member = 0; member < kFieldBits.size(); ++member) {
        if (fields & kFieldBits[member]) {
            set |= 1u << member;
        }
    }
    return set;
}

void TPrinterAccess::CheckSupported(int member, const char* message)
{
    if (!(GetSupportedFields() & (1u << member))) {
        throw EPrinterAccessNotSupported(message);
    }
}

void TPrinterAccess::UpdateCapabilities()
{
    const int platformIndex = m_service->printerIndex();
    if (platformIndex == m_cachedIndex) {
        return;
    }
    m_cachedIndex = platformIndex;
    GetSupportedFields();
    m_infoFlags = 0;

    m_paperNumbers.clear();
    m_paperNames.clear();
    m_binNumbers.clear();
    m_binNames.clear();
    const DeviceDescription device = m_service->currentDevice();
    const std::vector<Capability> papers = m_service->paperSizes(device);
    if (!papers.empty()) {
        m_infoFlags |= kPaperInfo;
        LoadCapabilities(papers, 64, m_paperNumbers, m_paperNames);
    }
    const std::vector<Capability> bins = m_service->bins(device);
    if (!bins.empty()) {
        m_infoFlags |= kBinInfo;
        LoadCapabilities(bins, 24, m_binNumbers, m_binNames);
    }
}

int TPrinterAccess::GetPaperSizeNumber()
{
    CheckNoPrinter();
    CheckSupported(FieldPaperSize, "TPrinterAccess.GetPaperSizeNumber: PaperSize is not Supported");
    return DevModeSnapshot().dmPaperSize;
}

int TPrinterAccess::GetBinNumber()
{
    CheckNoPrinter();
    CheckSupported(FieldDefaultSource, "TPrinterAccess.GetBinNumber: Bin is not Supported");
    return DevModeSnapshot().dmDefaultSource;
}

const TPrinterAccess::StringList& TPrinterAccess::GetPaperSizeNames()
{
    CheckNoPrinter();
    CheckSupported(FieldPaperSize, "TPrinterAccess.GetPaperSizeNames: PaperSize is not Supported");
    UpdateCapabilities();
    if (!(m_infoFlags & kPaperInfo)) {
        throw EPrinterAccessNoInfo("TPrinterAccess.GetPaperSizeNames: No Papersize Info Available");
    }
    return m_paperNames;
}

const TPrinterAccess::StringList& TPrinterAccess::GetBinNames()
{
    CheckNoPrinter();
    CheckSupported(FieldDefaultSource, "TPrinterAccess.GetBinNames: Bin is not Supported");
    UpdateCapabilities();
    if (!(m_infoFlags & kBinInfo)) {
        throw EPrinterAccessNoInfo("TPrinterAccess.GetBinNames: No Bin Info Available");
    }
    return m_binNames;
}

int TPrinterAccess::GetPaperSizeIndex()
{
    CheckNoPrinter();
    CheckSupported(FieldPaperSize, "TPrinterAccess.GetPaperSizeIndex: PaperSize is not Supported");
    const auto number = static_cast<std::uint16_t>(GetPaperSizeNumber());
    UpdateCapabilities();
    if (!(m_infoFlags & kPaperInfo)) {
        throw EPrinterAccessNoInfo("TPrinterAccess.GetPaperSizeIndex: No Papersize Info Available");
    }
    for (std::size_t i = 0; i < m_paperNames.size(); ++i) {
        if (m_paperNumbers[i] == number) {
            return static_cast<int>(i);
        }
    }
    throw EPrinterAccessPaperSizeError("TPrinterAccess.GetPaperSizeIndex: Cannot Get Paper Index");
}

int TPrinterAccess::GetBinIndex()
{
    CheckNoPrinter();
    CheckSupported(FieldDefaultSource, "TPrinterAccess.GetBinIndex: Bin is not Supported");
    const auto number = static_cast<std::uint16_t>(GetBinNumber());
    UpdateCapabilities();
    if (!(m_infoFlags & kBinInfo)) {
        throw EPrinterAccessNoInfo("TPrinterAccess.GetBinIndex: No Bin Info Available");
    }
    // The last match wins: drivers list a bin twice under a generic and a specific name.
    int found = -1;
    for (std::size_t i = 0; i < m_binNames.size(); ++i) {
        if (m_binNumbers[i] == number) {
            found = static_cast<int>(i);
        }
    }
    if (found < 0) {
        throw EPrinterAccessBinError("TPrinterAccess.GetBinIndex: Cannot Get Bin Index");
    }
    return found;
}

void TPrinterAccess::GetResolution(int& x, int& y)
{
    CheckNoPrinter();
    const Resolution resolution = m_service->resolution();
    x = resolution.x;
    y = resolution.y;
}

std::uint16_t TPrinterAccess::GetScale()
{
    CheckNoPrinter();
    if (!(GetSupportedFields() & (1u << FieldScale))) {
        return 100;
    }
    return DevModeSnapshot().dmScale;
}

PageGeometry TPrinterAccess::GetPageGeometry()
{
    CheckNoPrinter();
    return m_service->pageGeometry();
}

const TPrinterAccess::StringList& TPrinterAccess::GetPrinterNames()
{
    CheckNoPrinter();
    m_printerNames.clear();
    for (std::uint32_t i = 0; i < m_printers.Count(); ++i) {
        if (!m_printers.IsHidden(i)) {
            m_printerNames.push_back(m_printers.Names(i));
        }
    }
    return m_printerNames;
}

const TPrinterAccess::StringList& TPrinterAccess::GetPortNames()
{
    m_portNames.clear();
    for (const std::string& port : m_service->enumPorts()) {
        const bool known = std::any_of(m_portNames.begin(), m_portNames.end(),
                                       [&](const std::string& held) { return EqualIgnoringCase(held, port); });
        if (!known) {
            m_portNames.push_back(port);
        }
    }
    return m_portNames;
}

void TPrinterAccess::Refresh()
{
    CheckNoPrinter();
    DropDevMode();
    m_cachedIndex = -1;
    UpdateCapabilities();
}

void TPrinterAccess::RaiseChange()
{
    if (m_onChange) {
        m_onChange(*this);
    }
}

void TPrinterAccess::SettingsChanged()
{
    TAllPrintersInfo fresh(*m_service);
    if (fresh.IsSame(m_printers)) {
        if (!fresh.Failure().empty()) {
            return;
        }
        const StringList heldPorts = m_portNames;
        try {
            if (GetPortNames() == heldPorts) {
                return;
            }
        } catch (const EPrinterAccessServerError&) {
            // Gone between the two questions: the next poll sees it in the printers too.
        }
        RaiseChange();
        return;
    }
    m_service->resetPrinterObject();
    m_printers = std::move(fresh);
    m_cachedIndex = -1;
    DropDevMode();
    RaiseChange();
}
