#include "gui/TForm_SLIP97YPrn.h"

#include "escp/EscpCommands.h"
#include "gui/PrintPositionHost.h"
#include "jobs/PrintTarget.h"
#include "jobs/SlipJobs.h"
#include "printers/EPrinterAccess.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/CalibrationPattern.h"
#include "slipprint/MarginCalibration.h"
#include "slipprint/MarginDots.h"
#include "slipprint/PrintCommand.h"
#include "slipprint/SlipFit.h"
#include "widgets/ErrorReport.h"
#include "widgets/Prompt.h"
#include "widgets/TNumEdit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <optional>

namespace {

using margincalibration::Axis;

const QString kCalibrationTitle = QStringLiteral("mivo_Kangaroo  テスト印刷");

QLineEdit* millimetreField(QWidget* parent, const QString& name, int top)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setGeometry(52, top, 50, 20);
    field->setMaxLength(6);
    field->setPlaceholderText(QStringLiteral("0.0"));
    field->setAlignment(Qt::AlignRight);
    return field;
}

QLabel* label(QWidget* parent, const QString& text, const QRect& geometry, const QString& name = QString())
{
    auto* result = new QLabel(text, parent);
    result->setObjectName(name);
    result->setGeometry(geometry);
    return result;
}

// An empty field is no shift.
std::optional<int> tenthsOf(const QLineEdit* field)
{
    const QString text = field->text().trimmed();
    return text.isEmpty() ? std::optional<int>(0) : margincalibration::ParseTenths(text.toStdString());
}

int wholeMargin(const TNumEdit* field)
{
    return margins::MarginDots(field->Text().toStdString());
}

} // namespace

void TForm_SLIP97YPrn::createCalibration()
{
    GroupBox_Calib = new QGroupBox(QStringLiteral("テスト印刷で合わせる"), this);
    GroupBox_Calib->setObjectName(QStringLiteral("GroupBox_Calib"));
    GroupBox_Calib->setGeometry(20, 134, 300, 134);

    BitBtn_TestPrint = new QPushButton(QStringLiteral("テスト印刷"), GroupBox_Calib);
    BitBtn_TestPrint->setObjectName(QStringLiteral("BitBtn_TestPrint"));
    BitBtn_TestPrint->setGeometry(10, 18, 110, 25);
    connect(BitBtn_TestPrint, &QPushButton::clicked, this,
            [this] { RunReported(this, [this] { printCalibration(); }); });

    label(GroupBox_Calib, QStringLiteral("右へ"), QRect(10, 53, 40, 16));
    Edit_CalibRight = millimetreField(GroupBox_Calib, QStringLiteral("Edit_CalibRight"), 51);
    label(GroupBox_Calib, QStringLiteral("mm"), QRect(106, 53, 20, 16));
    Label_CalibRight = label(GroupBox_Calib, QString(), QRect(130, 53, 165, 16), QStringLiteral("Label_CalibRight"));

    label(GroupBox_Calib, QStringLiteral("下へ"), QRect(10, 79, 40, 16));
    Edit_CalibDown = millimetreField(GroupBox_Calib, QStringLiteral("Edit_CalibDown"), 77);
    label(GroupBox_Calib, QStringLiteral("mm"), QRect(106, 79, 20, 16));
    Label_CalibDown = label(GroupBox_Calib, QString(), QRect(130, 79, 165, 16), QStringLiteral("Label_CalibDown"));

    BitBtn_CalibApply = new QPushButton(QStringLiteral("余白に反映"), GroupBox_Calib);
    BitBtn_CalibApply->setObjectName(QStringLiteral("BitBtn_CalibApply"));
    BitBtn_CalibApply->setGeometry(10, 102, 110, 25);
    connect(BitBtn_CalibApply, &QPushButton::clicked, this,
            [this] { RunReported(this, [this] { applyCalibrationShift(); }); });

    for (QLineEdit* field : {Edit_CalibRight, Edit_CalibDown}) {
        connect(field, &QLineEdit::textChanged, this,
                [this] { RunReported(this, [this] { showCalibrationShift(); }); });
        connect(field, &QLineEdit::returnPressed, this, [this] { focusNextPrevChild(true); });
    }
    setTabOrder(BitBtn_MRGN, BitBtn_TestPrint);
    setTabOrder(BitBtn_TestPrint, Edit_CalibRight);
    setTabOrder(Edit_CalibRight, Edit_CalibDown);
    setTabOrder(Edit_CalibDown, BitBtn_CalibApply);
}

void TForm_SLIP97YPrn::printCalibration()
{
    m_host.requirePrinterInForce();
    // The margins as they stand in the fields, so that a change is tried before it is registered.
    // The output as chosen too.
    const PrintTarget target = PrintTarget::InForce(
        PrinterAccess(), m_host.registrationFolder().toStdString(), PaperIndex(m_host.paperSection().toStdString()),
        wholeMargin(NumEdit_TOP), wholeMargin(NumEdit_LEFT), chosenOutput(ComboBox_Output));
    slipjobs::PrintCalibration(target, kCalibrationTitle.toStdString());
    // A border the driver cannot print cuts the slip's edges whatever the margins: the user
    // learns how much, to choose another driver setting or the direct output.
    if (const std::string shortfall = AreaShortfall(target.page()); !shortfall.empty()) {
        Prompt::instance().notify(this, QString::fromStdString(shortfall));
    }
}

void TForm_SLIP97YPrn::showCalibrationShift()
{
    const std::optional<int> right = tenthsOf(Edit_CalibRight);
    const std::optional<int> down = tenthsOf(Edit_CalibDown);
    const auto shown = [](Axis axis, std::optional<int> tenths, int dpi) {
        if (!tenths) {
            return QStringLiteral("0.1 mm 単位の数で");
        }
        return QString::fromStdString(margincalibration::ShiftText(axis, *tenths, dpi));
    };
    const bool any = !Edit_CalibRight->text().trimmed().isEmpty() || !Edit_CalibDown->text().trimmed().isEmpty();
    if (!any) {
        Label_CalibRight->clear();
        Label_CalibDown->clear();
        return;
    }
    const marginresolution::Dpi resolution = marginBasis();
    Label_CalibRight->setText(shown(Axis::Horizontal, right, resolution.x));
    Label_CalibDown->setText(shown(Axis::Vertical, down, resolution.y));
}

void TForm_SLIP97YPrn::applyCalibrationShift()
{
    const std::optional<int> right = tenthsOf(Edit_CalibRight);
    const std::optional<int> down = tenthsOf(Edit_CalibDown);
    if (!right || !down) {
        (right ? Edit_CalibDown : Edit_CalibRight)->setFocus(Qt::OtherFocusReason);
        return;
    }
    const marginresolution::Dpi resolution = marginBasis();
    // Moving the print right or down means a larger left or top margin.
    const int left = wholeMargin(NumEdit_LEFT) + margincalibration::DotsForTenths(*right, resolution.x);
    const int top = wholeMargin(NumEdit_TOP) + margincalibration::DotsForTenths(*down, resolution.y);
    NumEdit_LEFT->SetText(QString::number(left));
    NumEdit_TOP->SetText(QString::number(top));
    // Applied once: the same shift is not added again by a second press.
    Edit_CalibRight->clear();
    Edit_CalibDown->clear();
}
