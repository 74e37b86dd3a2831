#pragma once

#include "shipping/TrackingNumber.h"

#include <QComboBox>

#include <filesystem>

// The check-digit rule of tracking numbers, read from and stored in the shipping settings
// as soon as it is changed.
class CheckDigitChoice : public QComboBox
{
    Q_OBJECT

public:
    CheckDigitChoice(std::filesystem::path settingsFile, QWidget* parent = nullptr);

    shipping::CheckDigitRule rule() const;

signals:
    void ruleChanged();

private:
    std::filesystem::path m_settingsFile;
};
