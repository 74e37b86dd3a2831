#include "slipprint/SlipFields.h"

SlipFields PrintFields(const Slip& slip)
{
    SlipFields f;
    f.deliveryMonth = slip.deliveryMonth;
    f.deliveryDay = slip.deliveryDay;
    f.time9 = slip.time9;
    f.time10 = slip.time10;
    f.timeMorning = slip.timeMorning;
    f.slipYear = slip.slipYear;
    f.slipMonth = slip.slipMonth;
    f.slipDay = slip.slipDay;
    f.printDate = slip.printDate;
    f.goods1 = slip.goods[0];
    f.goods2 = slip.goods[1];
    f.goods3 = slip.goods[2];
    f.tel = slip.recipient.tel;
    f.zip = slip.recipient.zip;
    f.address1 = slip.recipient.address1;
    f.address2 = slip.recipient.address2;
    f.name = slip.recipient.name;
    f.printSender = slip.printSender;
    f.senderTel = slip.sender.tel;
    f.senderZip = slip.sender.zip;
    f.senderAddress1 = slip.sender.address1;
    f.senderAddress2 = slip.sender.address2;
    f.senderName = slip.sender.name;
    f.pieceCount = slip.pieceCount;
    return f;
}
