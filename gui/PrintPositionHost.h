#pragma once

#include <QString>

// What the print-position dialog reads and writes on the main window: the registration in
// force for the current paper selection.
class PrintPositionHost
{
public:
    virtual ~PrintPositionHost() = default;

    virtual QString registrationFolder() const = 0; // Label_CurrentDir
    virtual QString paperSection() const = 0;       // text of ComboBox_SEL
    virtual QString printerName() const = 0;        // name of the printer in force
    virtual QString printerIndex() const = 0;       // Label_PrinterIndex
    virtual QString marginTop() const = 0;          // Label_Prn_Top
    virtual QString marginLeft() const = 0;         // Label_Prn_Left
    virtual void setMargins(const QString& top, const QString& left) = 0;
    // Throws when the registered printer is not there, so that nothing prints on another.
    virtual void requirePrinterInForce() const = 0;
};
