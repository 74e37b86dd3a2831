#include "jobs/StartSlip.h"

#include "platform/Cp932.h"
#include "textimport/HalfWidth.h"
#include "widgets/NumValue.h"

#include <QDate>

namespace {

std::string utf8(const std::string& bytes)
{
    return cp932::ToUtf8(bytes);
}

// The piece count as its field holds it: three digits, no decimals.
std::string pieceCount(const std::string& stored)
{
    numvalue::NumFormat format;
    format.IntegerLength = 3;
    format.DecimalLength = 0;
    return numvalue::CleanText(stored, format);
}

} // namespace

SlipAddress SenderAddress(const SenderRecord& sender)
{
    return {utf8(sender.zip), utf8(sender.address1), utf8(sender.address2), utf8(sender.name), utf8(sender.tel)};
}

SenderRecord StartSender(const std::filesystem::path& folder, const SlipSettings& settings)
{
    try {
        return SenderFile::Read(folder / SenderFile::ForTab(0));
    } catch (const std::exception&) {
        return {settings.senderZip, settings.senderAddress1, settings.senderAddress2, settings.senderName,
                settings.senderTel};
    }
}

Slip StartSlip(const SlipSettings& settings, const SenderRecord& sender)
{
    Slip slip;
    slip.deliveryMonth = utf8(settings.deliveryMonth);
    slip.deliveryDay = utf8(settings.deliveryDay);
    DateToday(slip);
    slip.goods = {utf8(settings.goods1), utf8(settings.goods2), utf8(settings.goods3)};
    slip.recipient = {utf8(textimport::ToHalfWidth(settings.zip)), utf8(settings.address1), utf8(settings.address2),
                      utf8(settings.customer), utf8(textimport::ToHalfWidth(settings.tel))};
    slip.sender = SenderAddress(sender);
    slip.pieceCount = utf8(pieceCount(settings.pieceCount));
    return slip;
}

void DateToday(Slip& slip)
{
    const QDate today = QDate::currentDate();
    slip.slipYear = today.year();
    slip.slipMonth = today.month();
    slip.slipDay = today.day();
}
