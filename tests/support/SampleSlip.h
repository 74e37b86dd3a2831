#pragma once

#include "slipprint/Slip.h"
#include "slipprint/SlipPrintState.h"

#include <string>

// A slip with every field filled and the first guaranteed time ticked, for tests that print
// one and do not care what it says.
inline Slip SampleSlip()
{
    Slip slip;
    slip.recipient = {"123-4567", "東京都千代田区丸の内1-2-3", "第一ビル3階", "山田太郎", "03-1234-5678"};
    slip.sender = {"530-0001", "大阪府大阪市北区梅田1-1", "梅田ビル", "mivo商店", "06-9876-5432"};
    slip.goods = {"衣類", "雑貨", "書籍"};
    slip.pieceCount = "7";
    slip.deliveryMonth = "12";
    slip.deliveryDay = "24";
    slip.time9 = true;
    slip.slipYear = 2026;
    slip.slipMonth = 3;
    slip.slipDay = 7;
    return slip;
}
