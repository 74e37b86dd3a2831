#include "gui/CheckDigitChoice.h"

#include "shipping/ShippingSettings.h"
#include "widgets/ErrorReport.h"

CheckDigitChoice::CheckDigitChoice(std::filesystem::path settingsFile, QWidget* parent)
    : QComboBox(parent), m_settingsFile(std::move(settingsFile))
{
    setObjectName(QStringLiteral("checkDigitRule"));
    addItem(QStringLiteral("チェック数字なし"), int(shipping::CheckDigitRule::None));
    addItem(QStringLiteral("末尾 = 残りの7の剰余"), int(shipping::CheckDigitRule::Mod7));
    setCurrentIndex(findData(int(shipping::ReadCheckDigitRule(m_settingsFile))));
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        RunReported(this, [this] { shipping::WriteCheckDigitRule(m_settingsFile, rule()); });
        emit ruleChanged();
    });
}

shipping::CheckDigitRule CheckDigitChoice::rule() const
{
    return static_cast<shipping::CheckDigitRule>(currentData().toInt());
}
