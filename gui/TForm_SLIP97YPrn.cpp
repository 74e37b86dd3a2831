#include "gui/TForm_SLIP97YPrn.h"

#include "escp/EscpCommands.h"
#include "escp/OutputMode.h"
#include "gui/PrintPositionHost.h"
#include "jobs/RegisteredSettings.h"
#include "platform/FieldText.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/MarginDots.h"
#include "slipprint/PrintCommand.h"
#include "widgets/ErrorReport.h"
#include "widgets/Pictures.h"
#include "widgets/Prompt.h"
#include "widgets/TNumEdit.h"
#include "workfolder/PrinterRegistration.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <array>

namespace {

// Wide and high enough for the calibration group below the margin fields.
constexpr int kOuterWidth = 420;
// The output group stands right of the margins' millimetres.
constexpr int kOutputLeft = 242;
constexpr int kOuterHeight = 310;

// The margin in force as printing takes it, so that the dialog shows what prints.
QString wholeMargin(const QString& text)
{
    return QString::fromStdString(margins::WholeMarginText(text.toStdString()));
}

constexpr std::array<OutputMode, 3> kOutputChoices{OutputMode::Driver, OutputMode::EscpImage, OutputMode::EscpText};

QString outputChoiceName(OutputMode mode)
{
    switch (mode) {
    case OutputMode::EscpImage:
        return QStringLiteral("ESC/P 直接（画像）");
    case OutputMode::EscpText:
        return QStringLiteral("ESC/P 直接（プリンタ文字）");
    case OutputMode::Driver:
        break;
    }
    return QStringLiteral("ドライバ経由");
}

QString outputChoiceExplanation(OutputMode mode)
{
    switch (mode) {
    case OutputMode::EscpImage:
        return QStringLiteral("プリンタの命令で直接送ります。用紙の端から印字でき、データは小さくなります。");
    case OutputMode::EscpText:
        return QStringLiteral("プリンタ内蔵の漢字で印字します。いちばん速く、字形はプリンタのものです。");
    case OutputMode::Driver:
        break;
    }
    return QStringLiteral("プリンタドライバで印刷します（従来どおり）。");
}

} // namespace

OutputMode chosenOutput(const QComboBox* box)
{
    return OutputModeFromKey(box->currentData().toString().toStdString());
}

TForm_SLIP97YPrn::TForm_SLIP97YPrn(PrintPositionHost& host, QWidget* parent) : QDialog(parent), m_host(host)
{
    setObjectName(QStringLiteral("Form_SLIP97YPrn"));
    setWindowTitle(QStringLiteral("印字位置調整"));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック")));
    setModal(true);
    createLayout();
}

void TForm_SLIP97YPrn::createLayout()
{
    GroupBox1 = new QGroupBox(QStringLiteral("印字位置調整セット"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(20, 20, 142, 71);

    Label5 = new QLabel(QStringLiteral("TOPﾏｰｼﾞﾝ"), GroupBox1);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label5->setGeometry(6, 17, 72, 16);
    NumEdit_TOP = createMarginField(QStringLiteral("NumEdit_TOP"), 15);

    Label6 = new QLabel(QStringLiteral("LEFTﾏｰｼﾞﾝ"), GroupBox1);
    Label6->setObjectName(QStringLiteral("Label6"));
    Label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label6->setGeometry(6, 41, 72, 16);
    NumEdit_LEFT = createMarginField(QStringLiteral("NumEdit_LEFT"), 39);
    Label_TopMm = createMillimetreLabel(QStringLiteral("Label_TopMm"), 15);
    Label_LeftMm = createMillimetreLabel(QStringLiteral("Label_LeftMm"), 39);

    BitBtn_MRGN = new QPushButton(PictureIcon(Picture::Save), QStringLiteral("印字位置登録"), this);
    BitBtn_MRGN->setObjectName(QStringLiteral("BitBtn_MRGN"));
    BitBtn_MRGN->setGeometry(30, 98, 122, 25);
    connect(BitBtn_MRGN, &QPushButton::clicked, this, &TForm_SLIP97YPrn::BitBtn_MRGNClick);

    setTabOrder(NumEdit_TOP, NumEdit_LEFT);
    setTabOrder(NumEdit_LEFT, BitBtn_MRGN);
    createOutputChoice();
    createCalibration();
}

void TForm_SLIP97YPrn::createOutputChoice()
{
    GroupBox_Output = new QGroupBox(QStringLiteral("出力方法"), this);
    GroupBox_Output->setObjectName(QStringLiteral("GroupBox_Output"));
    GroupBox_Output->setGeometry(kOutputLeft, 20, 158, 103);

    ComboBox_Output = new QComboBox(GroupBox_Output);
    ComboBox_Output->setObjectName(QStringLiteral("ComboBox_Output"));
    ComboBox_Output->setGeometry(8, 18, 142, 22);
    for (const OutputMode mode : kOutputChoices) {
        ComboBox_Output->addItem(outputChoiceName(mode), QString::fromStdString(OutputModeKey(mode)));
    }
    Label_Output = new QLabel(GroupBox_Output);
    Label_Output->setObjectName(QStringLiteral("Label_Output"));
    Label_Output->setGeometry(8, 44, 142, 54);
    Label_Output->setWordWrap(true);
    Label_Output->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(ComboBox_Output, &QComboBox::currentIndexChanged, this, [this] {
        showOutputExplanation();
        showMillimetres();
    });
    showOutputExplanation();
    setTabOrder(BitBtn_MRGN, ComboBox_Output);
}

void TForm_SLIP97YPrn::showOutputExplanation()
{
    Label_Output->setText(outputChoiceExplanation(chosenOutput(ComboBox_Output)));
}

TNumEdit* TForm_SLIP97YPrn::createMarginField(const QString& name, int top)
{
    auto* field = new TNumEdit(GroupBox1);
    field->setObjectName(name);
    field->setGeometry(82, top, 50, 20);
    field->SetErrorBeep(false);
    // Printing takes margins as whole dots; a fraction here would make every print fail.
    field->SetDecimalLength(0);
    field->installEventFilter(this);
    connect(field, &TNumEdit::OnChange, this, [this] { showMillimetres(); });
    return field;
}

QLabel* TForm_SLIP97YPrn::createMillimetreLabel(const QString& name, int top)
{
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setGeometry(GroupBox1->geometry().right() + 4, GroupBox1->y() + top, 74, 20);
    return label;
}

marginresolution::Dpi TForm_SLIP97YPrn::marginBasis() const
{
    if (chosenOutput(ComboBox_Output) != OutputMode::Driver) {
        return {escp::kDotsPerInch, escp::kDotsPerInch};
    }
    const PrinterRegistration entry = registration::Load(
        registration::RegistrationFile(m_host.registrationFolder().toStdString()), ToCp932(m_host.paperSection()));
    const printcommand::EffectiveResolution inForce = printcommand::EffectiveResolutionOf(PrinterAccess());
    return registeredsettings::MarginBasisOr(entry, {inForce.x, inForce.y});
}

void TForm_SLIP97YPrn::showMillimetres()
{
    if (!Label_TopMm || !NumEdit_TOP || !NumEdit_LEFT) {
        return; // still being built
    }
    Label_TopMm->clear();
    Label_LeftMm->clear();
    try {
        const marginresolution::Dpi basis = marginBasis();
        const auto shown = [](const TNumEdit* field, int dpi) {
            return QString::fromStdString(
                marginresolution::MillimetreText(margins::MarginDots(field->Text().toStdString()), dpi));
        };
        Label_TopMm->setText(shown(NumEdit_TOP, basis.y));
        Label_LeftMm->setText(shown(NumEdit_LEFT, basis.x));
    } catch (const std::exception&) {
        // No printer to tell the resolution, or a field that is no number yet: nothing to show.
    }
}

void TForm_SLIP97YPrn::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TForm_SLIP97YPrn::FormShow()
{
    const QSize frame = frameGeometry().size() - size();
    resize(kOuterWidth - frame.width(), kOuterHeight - frame.height());
    const PrinterRegistration entry = registration::Load(
        registration::RegistrationFile(m_host.registrationFolder().toStdString()), ToCp932(m_host.paperSection()));
    ComboBox_Output->setCurrentIndex(
        ComboBox_Output->findData(QString::fromStdString(OutputModeKey(OutputModeFromKey(entry.output)))));
    NumEdit_TOP->SetText(wholeMargin(m_host.marginTop()));
    NumEdit_LEFT->SetText(wholeMargin(m_host.marginLeft()));
    showMillimetres();
    NumEdit_TOP->setFocus(Qt::OtherFocusReason);
}

void TForm_SLIP97YPrn::BitBtn_MRGNClick()
{
    RunReported(this, [this] { registerMargins(); });
}

void TForm_SLIP97YPrn::registerMargins()
{
    const QString section = m_host.paperSection();
    if (!Prompt::instance().ask(this, QStringLiteral("印字位置調整の余白を登録しますか?"))) {
        return;
    }
    PrinterRegistration entry;
    entry.printerName = ToCp932(m_host.printerName());
    entry.printerIndex = ToCp932(m_host.printerIndex());
    const QString top = wholeMargin(NumEdit_TOP->Text());
    const QString left = wholeMargin(NumEdit_LEFT->Text());
    entry.top = ToCp932(top);
    entry.left = ToCp932(left);
    const std::filesystem::path file = registration::RegistrationFile(m_host.registrationFolder().toStdString());
    // An unchanged choice leaves the key as it stands: a file without it stays as it was.
    const OutputMode chosen = chosenOutput(ComboBox_Output);
    if (chosen != OutputModeFromKey(registration::Load(file, ToCp932(section)).output)) {
        entry.output = OutputModeKey(chosen);
    }
    entry.marginDpi = marginresolution::DpiText(marginBasis());
    registration::Write(file, ToCp932(section), entry);
    m_host.setMargins(top, left);
    accept();
}

void TForm_SLIP97YPrn::NumEdit_TOPKeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        focusNextPrevChild(true);
    }
}

void TForm_SLIP97YPrn::NumEdit_LEFTKeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        focusNextPrevChild(true);
    } else if (key == Qt::Key_Up) {
        focusNextPrevChild(false);
    }
}

bool TForm_SLIP97YPrn::eventFilter(QObject* watched, QEvent* event)
{
    // The field's own key handling still runs after the focus move.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (watched == NumEdit_TOP) {
            NumEdit_TOPKeyDown(key);
        } else if (watched == NumEdit_LEFT) {
            NumEdit_LEFTKeyDown(key);
        }
    }
    return QDialog::eventFilter(watched, event);
}
