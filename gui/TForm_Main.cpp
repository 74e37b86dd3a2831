#include "gui/TForm_Main.h"

#include "gui/ControlStyles.h"
#include "gui/WindowColors.h"
#include "jobs/PrintTarget.h"
#include "printers/TPrinterAccess.h"
#include "slipprint/MarginDots.h"
#include "widgets/Cp932Validator.h"
#include "widgets/ErrorReport.h"
#include "widgets/JapaneseCalendar.h"
#include "widgets/Pictures.h"
#include "widgets/TMemo.h"
#include "widgets/TNumEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>

#include <algorithm>

namespace {
using windowcolors::kGrey;
using windowcolors::kNavy;
using windowcolors::kSilver;
using windowcolors::SetBaseColor;
using windowcolors::SetTextColor;

constexpr int kClientWidth = 677;
constexpr int kClientHeight = 646;
constexpr int kFieldLeft = 114;
constexpr int kGoodsWidth = 237;

QFont pixelFont(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

template <typename Widget> Widget* place(QWidget* parent, const char* name, const QRect& geometry)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(geometry);
    return widget;
}

QWidget* band(QWidget* parent, const char* name, int top, int height)
{
    return place<QWidget>(parent, name, QRect(0, top, kClientWidth, height));
}

// A caption sized to its text at the given place.
QLabel* caption(QWidget* parent, const QString& text, QPoint at, const QFont& font, const QColor& color = {})
{
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    if (color.isValid()) {
        SetTextColor(label, color);
    }
    label->adjustSize();
    label->move(at);
    return label;
}

// The framed name box left of a recipient field.
QLabel* captionBox(QWidget* parent, const QString& text, int top)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(40, top, 74, 24);
    label->setFrameStyle(QFrame::Panel | QFrame::Raised);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

enum class InputMethod
{
    Off,
    On
};

QLineEdit* lineEdit(QWidget* parent, const char* name, const QRect& geometry, int maxLength, InputMethod inputMethod)
{
    auto* edit = place<QLineEdit>(parent, name, geometry);
    edit->setAttribute(Qt::WA_InputMethodEnabled, inputMethod == InputMethod::On);
    edit->setValidator(new Cp932Validator(edit, maxLength));
    return edit;
}

QPushButton* pictureButton(QWidget* parent, const char* name, const QRect& geometry, Picture picture)
{
    auto* button = place<QPushButton>(parent, name, geometry);
    button->setIcon(PictureIcon(picture));
    button->setIconSize(QSize(24, 24));
    button->setFocusPolicy(Qt::ClickFocus);
    return button;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& text, QPoint at)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->adjustSize();
    box->move(at);
    return box;
}

// A text below a picture button, centred on it.
void buttonCaption(QWidget* parent, const QString& text, const QWidget* button, int pixels = 12)
{
    QLabel* label = caption(parent, text, {}, pixelFont(pixels));
    label->move(button->geometry().center().x() - label->width() / 2, button->geometry().bottom() + 2);
}
} // namespace

TForm_Main::TForm_Main(QWidget* parent) : QMainWindow(parent)
{
    createLayout();
    setTabCycle();
    connectActions();
    bindKeys();
    createPrintWindows();
    watchJournalOutbox();
}

TForm_Main::~TForm_Main()
{
    // Children go after this body; their focus changes must not reach a half-destroyed window.
    disconnect(qApp, nullptr, this, nullptr);
    stopWatchingPrinters();
    // A window destroyed without being closed still keeps the last slip.
    runAction([this] { FormDestroy(); });
}

void TForm_Main::createLayout()
{
    setFont(pixelFont(16));
    setFixedSize(kClientWidth, kClientHeight);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    Panel3 = band(client, "Panel3", 0, 130);
    Panel1 = band(client, "Panel1", 130, 157);
    Panel2 = band(client, "Panel2", 287, 146);
    Panel4 = band(client, "Panel4", 433, 139);
    createPasteBand(Panel3);
    createRecipientBand(Panel1);
    createSenderBand(Panel2);
    createGoodsBand(Panel4);

    Panel_HelpMess = place<QLabel>(client, "Panel_HelpMess", QRect(0, 572, kClientWidth, 30));
    Panel_HelpMess->setFrameStyle(QFrame::Box | QFrame::Plain);
    Panel_HelpMess->setAutoFillBackground(true);
    Panel_HelpMess->setBackgroundRole(QPalette::ToolTipBase);
    Panel_HelpMess->setForegroundRole(QPalette::ToolTipText);

    Panel_Fnc = band(client, "Panel_Fnc", 602, 28);
    createFunctionBar(Panel_Fnc);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFixedHeight(16);
    StatusBar1->setSizeGripEnabled(false);
    setStatusBar(StatusBar1);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TForm_Main::createPasteBand(QWidget* panel)
{
    Memo1 = place<TMemo>(panel, "Memo1", QRect(kFieldLeft, 4, 474, 108));
    Memo1->setFont(pixelFont(13));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFocusPolicy(Qt::ClickFocus);
    Memo1->setTabChangesFocus(true);
    Memo1->setToolTip(
        QStringLiteral("ここにお届け先の住所、お名前等のテキストを貼り付けると、お届け先欄に転送が可能です"
                       "　(15行以内に収まるようにして下さい)"));
    SetBaseColor(Memo1, kSilver);

    Label8 =
        caption(panel, QStringLiteral("↑↑ここクリップボードから貼り付けが、可能です　(　15行以内に収めてください　)↑↑"),
                QPoint(kFieldLeft, 114), pixelFont(11, true), kGrey);
    Label8->setObjectName(QStringLiteral("Label8"));

    BitBtn_1 = pictureButton(panel, "BitBtn_1", QRect(50, 20, 39, 39), Picture::Transfer);
    buttonCaption(panel, QStringLiteral("テキスト転送"), BitBtn_1);

    BitBtn_MemoCLS = pictureButton(panel, "BitBtn_MemoCLS", QRect(610, 20, 39, 39), Picture::ClearMemo);
    BitBtn_MemoCLS->setToolTip(QStringLiteral("メモをクリアします"));
    buttonCaption(panel, QStringLiteral("Memoｸﾘｱ"), BitBtn_MemoCLS);
}

void TForm_Main::createRecipientBand(QWidget* panel)
{
    caption(panel, QStringLiteral("お届け先"), QPoint(18, 6), pixelFont(16, true));

    captionBox(panel, QStringLiteral("郵便番号"), 25);
    Edit_Zip = lineEdit(panel, "Edit_Zip", QRect(kFieldLeft, 25, 103, 24), 16, InputMethod::Off);
    captionBox(panel, QStringLiteral("おところ①"), 49);
    Edit_Add1 = lineEdit(panel, "Edit_Add1", QRect(kFieldLeft, 49, 440, 24), 0, InputMethod::On);
    captionBox(panel, QStringLiteral("おところ②"), 73);
    Edit_Add2 = lineEdit(panel, "Edit_Add2", QRect(kFieldLeft, 73, 440, 24), 0, InputMethod::On);
    captionBox(panel, QStringLiteral("おなまえ"), 97);
    Edit_Custo1 = lineEdit(panel, "Edit_Custo1", QRect(kFieldLeft, 97, 360, 24), 80, InputMethod::On);
    captionBox(panel, QStringLiteral("でんわ"), 121);
    Edit_tel = lineEdit(panel, "Edit_tel", QRect(kFieldLeft, 121, 140, 24), 0, InputMethod::Off);

    Label_Warning = place<QLabel>(panel, "Label_Warning", QRect(220, 31, 380, 14));
    Label_Warning->setFont(pixelFont(13));
    SetTextColor(Label_Warning, Qt::red);

    BitBtn_CLS = pictureButton(panel, "BitBtn_CLS", QRect(610, 60, 39, 39), Picture::ClearRecipient);
    buttonCaption(panel, QStringLiteral("お届け先ｸﾘｱ"), BitBtn_CLS);

    ComboBox_FontSize = place<QComboBox>(panel, "ComboBox_FontSize", QRect(600, 4, 60, 20));
    ComboBox_FontSize->addItems({QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12")});
    ComboBox_FontSize->hide();
}

void TForm_Main::createSenderBand(QWidget* panel)
{
    CheckBox_My = checkBox(panel, "CheckBox_My", QStringLiteral("ご依頼主"), QPoint(18, 2));
    CheckBox_My->setChecked(true);
    CheckBox_My->setToolTip(QStringLiteral("チェックをはずすとご依頼主を印字しません"));

    PageControl_My = place<QTabBar>(panel, "PageControl_My", QRect(kFieldLeft, 1, 440, 19));
    PageControl_My->setFont(pixelFont(12));
    SetTextColor(PageControl_My, kGrey);
    PageControl_My->setExpanding(false);
    PageControl_My->setDrawBase(false);
    UseSenderTabStyle(PageControl_My);
    for (int tab = 1; tab <= 10; ++tab) {
        PageControl_My->addTab(QStringLiteral("依頼主%1").arg(tab));
    }
    // Wider than 440 when need be, so that all ten tabs show without scroll arrows.
    PageControl_My->resize(std::max(440, PageControl_My->sizeHint().width()), 19);
    PageControl_My->setFocusPolicy(Qt::StrongFocus);
    for (QToolButton* scroll : PageControl_My->findChildren<QToolButton*>()) {
        scroll->setFocusPolicy(Qt::NoFocus);
    }
    PageControl_My->setToolTip(QStringLiteral("依頼主番号ごとに登録してください。　登録後切り替えが可能になります。"));

    const QFont captionFont = pixelFont(15);
    caption(panel, QStringLiteral("郵便番号"), QPoint(44, 24), captionFont, kGrey);
    caption(panel, QStringLiteral("おところ"), QPoint(44, 46), captionFont, kGrey);
    caption(panel, QStringLiteral("おなまえ"), QPoint(44, 91), captionFont, kGrey);
    caption(panel, QStringLiteral("でんわ"), QPoint(44, 114), captionFont, kGrey);

    Edit_MyZip = lineEdit(panel, "Edit_MyZip", QRect(kFieldLeft, 21, 78, 23), 8, InputMethod::Off);
    Edit_MyADD1 = lineEdit(panel, "Edit_MyADD1", QRect(kFieldLeft, 43, 440, 23), 0, InputMethod::On);
    Edit_MyADD2 = lineEdit(panel, "Edit_MyADD2", QRect(kFieldLeft, 65, 440, 23), 0, InputMethod::On);
    Edit_My = lineEdit(panel, "Edit_My", QRect(kFieldLeft, 88, 360, 23), 80, InputMethod::On);
    Edit_MyTEL = lineEdit(panel, "Edit_MyTEL", QRect(kFieldLeft, 111, 140, 23), 0, InputMethod::Off);
    for (QLineEdit* field : {Edit_MyZip, Edit_MyADD1, Edit_MyADD2, Edit_My, Edit_MyTEL}) {
        field->setFont(captionFont);
        SetTextColor(field, kGrey);
    }

    BitBtn_My = place<QPushButton>(panel, "BitBtn_My", QRect(610, 49, 39, 39));
    BitBtn_My->setIcon(PictureIcon(Picture::Save));
    BitBtn_My->setIconSize(QSize(24, 24));
    BitBtn_My->setToolTip(QStringLiteral("ご依頼主を保存します"));
    // A focused button is pressed by Enter, as the keyboard user expects (Qt does so only in dialogs).
    BitBtn_My->setAutoDefault(true);
    buttonCaption(panel, QStringLiteral("ご依頼主登録"), BitBtn_My);
}

void TForm_Main::createGoodsBand(QWidget* panel)
{
    GroupBox1 = place<QGroupBox>(panel, "GroupBox1", QRect(12, 4, 285, 130));
    GroupBox1->setTitle(QStringLiteral("プリンタセット"));
    createPrinterGroup(GroupBox1);

    caption(panel, QStringLiteral("ご希望お届け日"), QPoint(321, 11), pixelFont(11));
    Edit_de_date1 = lineEdit(panel, "Edit_de_date1", QRect(394, 6, 24, 20), 2, InputMethod::Off);
    Edit_de_date2 = lineEdit(panel, "Edit_de_date2", QRect(422, 6, 24, 20), 2, InputMethod::Off);
    Edit_de_date1->setFont(pixelFont(13));
    Edit_de_date2->setFont(pixelFont(13));

    CheckBox_Date_1 = checkBox(panel, "CheckBox_Date_1", QStringLiteral("日付"), QPoint(322, 28));
    CheckBox_Date_1->setChecked(true);
    CheckBox_Date_1->setToolTip(QStringLiteral("チェックをはずすと日付を印字しません"));
    // The date picker starts 49 pixels to the right; the style's wider gap put "付" under it.
    UseCloseLabelStyle(CheckBox_Date_1);
    CheckBox_Date_1->adjustSize();
    DateTimePicker_1 = place<QDateEdit>(panel, "DateTimePicker_1", QRect(371, 26, 98, 21));
    DateTimePicker_1->setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    UseJapaneseCalendar(DateTimePicker_1);
    // The Japanese short date, as the slip prints it, whatever the system's locale.
    DateTimePicker_1->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    DateTimePicker_1->setAttribute(Qt::WA_InputMethodEnabled, false);
    // Small enough that the whole date fits beside the drop-down button.
    DateTimePicker_1->setFont(pixelFont(12));

    caption(panel, QStringLiteral("品名"), QPoint(334, 50), pixelFont(16, true));
    // The goods lines end before the help button, so that their end and the caret stay visible.
    Edit_G1 = lineEdit(panel, "Edit_G1", QRect(371, 48, kGoodsWidth, 24), 30, InputMethod::On);
    Edit_G1->setToolTip(QStringLiteral("30文字入力可"));
    Edit_G2 = lineEdit(panel, "Edit_G2", QRect(371, 71, kGoodsWidth, 24), 30, InputMethod::On);
    Edit_G3 = lineEdit(panel, "Edit_G3", QRect(371, 95, kGoodsWidth, 24), 30, InputMethod::On);

    caption(panel, QStringLiteral("個数"), QPoint(578, 30), pixelFont(13));
    NumEdit_KOSUU = place<TNumEdit>(panel, "NumEdit_KOSUU", QRect(606, 27, 35, 20));
    NumEdit_KOSUU->SetIntegerLength(3);
    NumEdit_KOSUU->SetDecimalLength(0);
    NumEdit_KOSUU->SetErrorBeep(false);
    NumEdit_KOSUU->SetAutoSize(false);
    NumEdit_KOSUU->SetTopMargin(1);
    NumEdit_KOSUU->SetBottomMargin(1);
    NumEdit_KOSUU->SetLeftMargin(0);
    // The caption's size: at the window's 16 pixels three digits do not fit the field.
    NumEdit_KOSUU->setFont(pixelFont(13));
    NumEdit_KOSUU->setAttribute(Qt::WA_InputMethodEnabled, false);

    GroupBox_Time2 = place<QGroupBox>(panel, "GroupBox_Time2", QRect(471, 0, 203, 27));
    GroupBox_Time2->setTitle(QStringLiteral("確約サービス"));
    GroupBox_Time2->setFont(pixelFont(11));
    GroupBox_Time2->setToolTip(QStringLiteral("チェックで○が印字されます"));
    CheckBox_t21 = checkBox(GroupBox_Time2, "CheckBox_t21", QStringLiteral("9時まで"), QPoint(4, 11));
    CheckBox_t22 = checkBox(GroupBox_Time2, "CheckBox_t22", QStringLiteral("10時まで"), QPoint(68, 11));
    CheckBox_t23 = checkBox(GroupBox_Time2, "CheckBox_t23", QStringLiteral("午前中"), QPoint(138, 11));
    UseTimeServiceFrameStyle(GroupBox_Time2);

    BitBtn_WebHelp = pictureButton(panel, "BitBtn_WebHelp", QRect(610, 48, 39, 39), Picture::Help);
    // Below the third goods line, which it would otherwise cover.
    BitBtn_SendMail = place<QPushButton>(panel, "BitBtn_SendMail", QRect(602, 119, 60, 20));
    BitBtn_SendMail->setText(QStringLiteral("E-Mail"));
    BitBtn_SendMail->setFont(pixelFont(12));
    BitBtn_SendMail->setToolTip(QStringLiteral(MIVO_SUPPORT_MAIL));
    BitBtn_SendMail->setAutoDefault(true);
}

void TForm_Main::createPrinterGroup(QWidget* group)
{
    int top = 18;
    for (auto [box, name] :
         {std::pair{&ComboBox1, "ComboBox1"}, {&ComboBox2, "ComboBox2"}, {&ComboBox3, "ComboBox3"}}) {
        *box = place<QComboBox>(group, name, QRect(7, top, 271, 20));
        (*box)->setEditable(true);
        (*box)->setFont(pixelFont(12));
        (*box)->setFocusPolicy(Qt::ClickFocus);
        (*box)->setBackgroundRole(QPalette::Button);
        SetBaseColor(*box, (*box)->palette().color(QPalette::Button));
        top += 21;
    }

    caption(group, QStringLiteral("用紙選択"), QPoint(7, 86), pixelFont(12));
    ComboBox_SEL = place<QComboBox>(group, "ComboBox_SEL", QRect(58, 82, 118, 22));
    ComboBox_SEL->addItems({QStringLiteral("手差し"), QStringLiteral("連続(４インチ)")});
    ComboBox_SEL->setFont(pixelFont(15));
    SetTextColor(ComboBox_SEL, kNavy);

    BitBtn_PrnSet2 = place<QPushButton>(group, "BitBtn_PrnSet2", QRect(180, 82, 64, 22));
    BitBtn_PrnSet2->setText(QStringLiteral("余白調整"));
    BitBtn_PrnSet2->setFont(pixelFont(12));
    BitBtn_PrnSet2->setFocusPolicy(Qt::ClickFocus);
    BitBtn_PrnSet2->setToolTip(QStringLiteral("印刷する用紙の上余白、左余白を調整します"));

    Label_Prn_Top = place<QLabel>(group, "Label_Prn_Top", QRect(248, 82, 34, 11));
    Label_Prn_Left = place<QLabel>(group, "Label_Prn_Left", QRect(248, 94, 34, 11));
    for (QLabel* margin : {Label_Prn_Top, Label_Prn_Left}) {
        margin->setFont(pixelFont(11));
        SetTextColor(margin, kNavy);
    }

    BitBtn_PrnSet = place<QPushButton>(group, "BitBtn_PrnSet", QRect(7, 106, 271, 20));
    BitBtn_PrnSet->setText(QStringLiteral("セットするプリンタを登録"));
    BitBtn_PrnSet->setFont(pixelFont(12));
    BitBtn_PrnSet->setFocusPolicy(Qt::ClickFocus);
    BitBtn_PrnSet->setToolTip(QStringLiteral("送り状ごとに使用にするプリンタをセットします"));
}

void TForm_Main::createFunctionBar(QWidget* panel)
{
    static constexpr int kLefts[12] = {0, 55, 110, 165, 230, 285, 340, 395, 460, 515, 570, 625};
    for (int key = 0; key < 12; ++key) {
        QToolButton* button = place<QToolButton>(panel, "", QRect(kLefts[key], 1, 55, 26));
        button->setObjectName(QStringLiteral("SpeedButton_F%1").arg(key + 1));
        button->setText(QStringLiteral("F%1").arg(key + 1));
        button->setFocusPolicy(Qt::NoFocus);
        const int pixels = (key == 1 || key == 10) ? 15 : key == 5 ? 12 : key == 2 ? 10 : 13;
        button->setFont(pixelFont(pixels));
        SpeedButton_F[key] = button;
    }
}

void TForm_Main::setTabCycle()
{
    const QList<QWidget*> cycle{
        Edit_Zip,      Edit_Add1,        Edit_Add2,     Edit_Custo1,     Edit_tel,       CheckBox_Date_1, Edit_de_date1,
        Edit_de_date2, DateTimePicker_1, NumEdit_KOSUU, Edit_G1,         Edit_G2,        Edit_G3,         ComboBox_SEL,
        CheckBox_t21,  CheckBox_t22,     CheckBox_t23,  BitBtn_SendMail, PageControl_My, CheckBox_My,     Edit_MyZip,
        Edit_MyADD1,   Edit_MyADD2,      Edit_My,       Edit_MyTEL,      BitBtn_My};
    for (qsizetype i = 1; i < cycle.size(); ++i) {
        setTabOrder(cycle[i - 1], cycle[i]);
    }
}

void TForm_Main::connectActions()
{
    const auto bind = [this](auto* sender, auto signal, void (TForm_Main::*action)()) {
        connect(sender, signal, this, [this, action] { runAction([this, action] { (this->*action)(); }); });
    };
    bind(BitBtn_1, &QPushButton::clicked, &TForm_Main::BitBtn_1Click);
    bind(BitBtn_MemoCLS, &QPushButton::clicked, &TForm_Main::BitBtn_MemoCLSClick);
    bind(Memo1, &QPlainTextEdit::textChanged, &TForm_Main::Memo1Change);

    bind(BitBtn_CLS, &QPushButton::clicked, &TForm_Main::BitBtn_CLSClick);
    bind(Edit_Zip, &QLineEdit::textChanged, &TForm_Main::Edit_ZipChange);
    bind(Edit_tel, &QLineEdit::textChanged, &TForm_Main::Edit_telChange);

    bind(CheckBox_My, &QCheckBox::clicked, &TForm_Main::CheckBox_MyClick);
    bind(CheckBox_Date_1, &QCheckBox::clicked, &TForm_Main::CheckBox_MyClick);
    bind(PageControl_My, &QTabBar::currentChanged, &TForm_Main::PageControl_MyChange);
    bind(BitBtn_My, &QPushButton::clicked, &TForm_Main::BitBtn_MyClick);

    bind(CheckBox_t21, &QCheckBox::clicked, &TForm_Main::CheckBox_t21Click);
    bind(CheckBox_t22, &QCheckBox::clicked, &TForm_Main::CheckBox_t22Click);
    bind(CheckBox_t23, &QCheckBox::clicked, &TForm_Main::CheckBox_t23Click);
    // Only the user's choice applies the paper; the program's own selection does not.
    bind(ComboBox_SEL, &QComboBox::activated, &TForm_Main::ComboBox_SELChange);
    bind(BitBtn_PrnSet, &QPushButton::clicked, &TForm_Main::BitBtn_PrnSetClick);
    bind(BitBtn_PrnSet2, &QPushButton::clicked, &TForm_Main::BitBtn_PrnSet2Click);
    bind(BitBtn_WebHelp, &QPushButton::clicked, &TForm_Main::BitBtn_WebHelpClick);
    bind(BitBtn_SendMail, &QPushButton::clicked, &TForm_Main::BitBtn_SendMailClick);

    bind(SpeedButton_F[1], &QToolButton::clicked, &TForm_Main::SpeedButton_F2Click);
    bind(SpeedButton_F[2], &QToolButton::clicked, &TForm_Main::SpeedButton_F3Click);
    bind(SpeedButton_F[4], &QToolButton::clicked, &TForm_Main::SpeedButton_F5Click);
    bind(SpeedButton_F[5], &QToolButton::clicked, &TForm_Main::SpeedButton_F6Click);
    bind(SpeedButton_F[6], &QToolButton::clicked, &TForm_Main::SpeedButton_F7Click);
    bind(SpeedButton_F[9], &QToolButton::clicked, &TForm_Main::SpeedButton_F10Click);
    bind(SpeedButton_F[8], &QToolButton::clicked, &TForm_Main::SpeedButton_F9Click);
    bind(SpeedButton_F[10], &QToolButton::clicked, &TForm_Main::SpeedButton_F11Click);

    // A refused edit names its character, so that the beep is not the only hint.
    for (const QLineEdit* field : findChildren<QLineEdit*>()) {
        if (const auto* validator = qobject_cast<const Cp932Validator*>(field->validator())) {
            connect(validator, &Cp932Validator::refused, this, [this](const QString& character) {
                Panel_HelpMess->setText(QStringLiteral("「%1」は印刷できません").arg(character));
            });
        }
    }

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && now->window() == this) {
            m_activeControl = boundControl(now);
        }
    });
}

void TForm_Main::runAction(const std::function<void()>& action)
{
    RunReported(this, action);
}

Slip TForm_Main::currentSlip() const
{
    const auto utf8 = [](const QString& text) { return text.toStdString(); };
    Slip slip;
    slip.deliveryMonth = utf8(Edit_de_date1->text());
    slip.deliveryDay = utf8(Edit_de_date2->text());
    slip.time9 = CheckBox_t21->isChecked();
    slip.time10 = CheckBox_t22->isChecked();
    slip.timeMorning = CheckBox_t23->isChecked();

    const QDate date = DateTimePicker_1->date();
    slip.slipYear = date.year();
    slip.slipMonth = date.month();
    slip.slipDay = date.day();
    slip.printDate = CheckBox_Date_1->isChecked();

    slip.goods = {utf8(Edit_G1->text()), utf8(Edit_G2->text()), utf8(Edit_G3->text())};
    slip.recipient = {utf8(Edit_Zip->text()), utf8(Edit_Add1->text()), utf8(Edit_Add2->text()),
                      utf8(Edit_Custo1->text()), utf8(Edit_tel->text())};
    slip.printSender = CheckBox_My->isChecked();
    slip.sender = {utf8(Edit_MyZip->text()), utf8(Edit_MyADD1->text()), utf8(Edit_MyADD2->text()),
                   utf8(Edit_My->text()), utf8(Edit_MyTEL->text())};
    slip.pieceCount = utf8(kosuuText());
    return slip;
}

PrintTarget TForm_Main::printTarget() const
{
    // The margin labels are where typed margins enter; a text that is no number stops here.
    return PrintTarget::InForce(PrinterAccess(), workingFolder(), ComboBox_SEL->currentIndex(),
                                margins::MarginDots(Label_Prn_Top->text().toStdString()),
                                margins::MarginDots(Label_Prn_Left->text().toStdString()));
}

QString TForm_Main::kosuuText() const
{
    return NumEdit_KOSUU != nullptr ? NumEdit_KOSUU->Text() : QString();
}

void TForm_Main::setKosuuText(const QString& text)
{
    if (NumEdit_KOSUU != nullptr) {
        NumEdit_KOSUU->SetText(text);
    }
}
