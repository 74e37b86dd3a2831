#include "gui/TForm_Main.h"

#include "platform/FilePath.h"
#include "widgets/Prompt.h"
#include "widgets/TNumEdit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QToolButton>

namespace {
// The key codes the handlers test, as the platform numbers them.
constexpr int VK_RETURN = 13;
constexpr int VK_UP = 38;
constexpr int VK_F2 = 113;
constexpr int VK_F3 = 114;
constexpr int VK_F5 = 116;
constexpr int VK_F7 = 118;
constexpr int VK_F9 = 120;
constexpr int VK_F10 = 121;
constexpr int VK_F11 = 122;

int virtualKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_F2:
        return VK_F2;
    case Qt::Key_F3:
        return VK_F3;
    case Qt::Key_F5:
        return VK_F5;
    case Qt::Key_F7:
        return VK_F7;
    case Qt::Key_F9:
        return VK_F9;
    case Qt::Key_F10:
        return VK_F10;
    case Qt::Key_F11:
        return VK_F11;
    default:
        return 0;
    }
}

// Tab and Delete never reach a field as characters; they move the focus or edit.
bool isCharacter(const QKeyEvent* event)
{
    if (event->text().isEmpty() || event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        return false;
    }
    return event->text().front() != QChar(0x7F);
}
} // namespace

std::filesystem::path TForm_Main::workingFolder() const
{
    return ToPath(Label_CurrentDir);
}

void TForm_Main::FormShow()
{
    setWindowTitle(QStringLiteral("mivo　送り状印刷　< 西濃運輸　カンガルー便　> ver1.10"));
    DateTimePicker_1->setDateTime(QDateTime::currentDateTime());

    QString folder = QDir::currentPath();
    while (folder.endsWith(QLatin1Char('/'))) {
        folder.chop(1);
    }
    Label_CurrentDir = folder;
    Label_Prn_Top->clear();
    Label_Prn_Left->clear();

    Edit_Cls();
    Edit_Cls_My();
    Memo1->clear();

    ReadSettings();
    watchPrinters();
    runPrinterStep([this] { SpeedButton_PRNSETClick(); });
    StatusBar1->showMessage(QStringLiteral("  "));

    for (int key = 0; key < 12; ++key) {
        SpeedButton_F[key]->setEnabled(false);
        SpeedButton_F[key]->setText(QStringLiteral("F%1").arg(key + 1));
    }
    SpeedButton_F[1]->setText(QStringLiteral("中止"));
    SpeedButton_F[1]->setEnabled(true);
    // Two lines: the caption does not fit the key on one.
    SpeedButton_F[2]->setText(QStringLiteral("スマート\n転送"));
    SpeedButton_F[2]->setEnabled(true);
    SpeedButton_F[4]->setText(QStringLiteral("履歴"));
    SpeedButton_F[4]->setEnabled(true);
    SpeedButton_F[8]->setText(QStringLiteral("プレビュー"));
    SpeedButton_F[8]->setEnabled(true);
    SpeedButton_F[9]->setText(QStringLiteral("一括印刷"));
    SpeedButton_F[9]->setEnabled(true);
    SpeedButton_F[10]->setText(QStringLiteral("印刷"));
    SpeedButton_F[10]->setEnabled(true);

    runPrinterStep([this] { ComboBox_SELChange(); });
    if (ComboBox_SEL->currentIndex() < 0) {
        ComboBox_SEL->setCurrentIndex(0);
    }
    SpeedButton_readMyClick();
    Edit_Zip->setFocus();
}

void TForm_Main::FormDestroy()
{
    if (m_settingsWritten) {
        return;
    }
    m_settingsWritten = true;
    WriteSettings();
}

void TForm_Main::SpeedButton_F2Click()
{
    if (Prompt::instance().ask(this, QStringLiteral("終了しますか?"))) {
        close();
        return;
    }
    Edit_Zip->setFocus();
}

void TForm_Main::SpeedButton_F6Click() {}

void TForm_Main::SpeedButton_F7Click() {}

bool TForm_Main::FormKeyDown(int key)
{
    switch (key) {
    case VK_F2:
        SpeedButton_F2Click();
        return true;
    case VK_F3:
        SpeedButton_F3Click();
        return true;
    case VK_UP:
        focusNextControl(false);
        return true;
    case VK_F5:
        SpeedButton_F5Click();
        return true;
    case VK_F7:
        SpeedButton_F7Click();
        return true;
    case VK_F9:
        SpeedButton_F9Click();
        return true;
    case VK_F10:
        SpeedButton_F10Click();
        return true;
    case VK_F11:
        SpeedButton_F11Click();
        return true;
    case VK_RETURN:
        focusNextControl(true);
        return true;
    default:
        return false;
    }
}

bool TForm_Main::Edit_ZipKeyDown(int key)
{
    return key != VK_UP && FormKeyDown(key);
}

bool TForm_Main::Edit_G2KeyDown(int key)
{
    return FormKeyDown(key);
}

bool TForm_Main::Edit_G3KeyDown(int key)
{
    return key != VK_RETURN && FormKeyDown(key);
}

bool TForm_Main::FormKeyPress(QChar character)
{
    return character == QChar(13);
}

void TForm_Main::bindKeys()
{
    const QList<QWidget*> controls{Edit_Zip,      Edit_Add1,     Edit_Add2,   Edit_Custo1,     Edit_tel,
                                   Edit_de_date1, Edit_de_date2, Edit_G1,     Edit_G2,         Edit_G3,
                                   Edit_MyZip,    Edit_MyADD1,   Edit_MyADD2, Edit_My,         Edit_MyTEL,
                                   NumEdit_KOSUU, Memo1,         this,        DateTimePicker_1};
    for (QWidget* control : controls) {
        control->installEventFilter(this);
        // A compound control takes its keys through an inner editor.
        for (QWidget* inner = control->focusProxy(); inner != nullptr; inner = inner->focusProxy()) {
            inner->installEventFilter(this);
        }
    }
}

QWidget* TForm_Main::boundControl(QObject* watched) const
{
    for (QObject* object = watched; object != nullptr && object != this; object = object->parent()) {
        if (object->isWidgetType() && object->objectName().startsWith(QLatin1String("qt_")) == false &&
            !object->objectName().isEmpty()) {
            return static_cast<QWidget*>(object);
        }
    }
    return watched == this ? const_cast<TForm_Main*>(this) : nullptr;
}

bool TForm_Main::eventFilter(QObject* watched, QEvent* event)
{
    QWidget* control = boundControl(watched);
    if (control == nullptr) {
        return QMainWindow::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress) {
        // Keys that a control did not use bubble up to the window; the window's own handler
        // acts only when no control has the focus.
        if (control == this && watched == this && focusWidget() != nullptr && focusWidget() != this) {
            return false;
        }
        bool used = false;
        runAction([&] { used = dispatchKey(control, static_cast<QKeyEvent*>(event)); });
        return used;
    }
    if (event->type() == QEvent::FocusIn && control != m_activeControl) {
        // The field's own focus-in comes first (a line edit selects all on Tab), so that the
        // entry action has the last word on the caret.
        watched->event(event);
        runAction([&] { enterControl(control); });
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TForm_Main::dispatchKey(QWidget* control, QKeyEvent* event)
{
    // The memo keeps every key for itself except F3, which works on what was just pasted.
    if (control == Memo1) {
        if (event->key() == Qt::Key_F3 && event->modifiers() == Qt::NoModifier) {
            SpeedButton_F3Click();
            return true;
        }
        return false;
    }
    // The date picker would walk its own day, month and year sections with Tab.
    if (control == DateTimePicker_1 && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
        focusNextControl(event->key() == Qt::Key_Tab && !event->modifiers().testFlag(Qt::ShiftModifier));
        return true;
    }
    if (const int key = virtualKey(event->key()); key != 0) {
        const bool used = control == Edit_Zip  ? Edit_ZipKeyDown(key)
                          : control == Edit_G2 ? Edit_G2KeyDown(key)
                          : control == Edit_G3 ? Edit_G3KeyDown(key)
                                               : FormKeyDown(key);
        if (used) {
            return true;
        }
    }
    if (!isCharacter(event)) {
        return false;
    }
    const bool dateField = control == Edit_de_date1 || control == Edit_de_date2;
    for (const QChar character : event->text()) {
        if (dateField ? Edit_de_dateKeyPress(character) : FormKeyPress(character)) {
            return true;
        }
    }
    return false;
}

void TForm_Main::enterControl(QWidget* control)
{
    QWidget* left = m_activeControl;
    m_activeControl = control;
    if (left != control) {
        leaveControl(left);
    }
    if (control == Edit_Zip) {
        Edit_ZipEnter();
    } else if (control == Edit_Add1) {
        Edit_Add1Enter();
    } else if (control == Edit_Add2) {
        Edit_Add2Enter();
    } else if (control == Edit_Custo1) {
        Edit_Custo1Enter();
    } else if (control == Edit_tel) {
        Edit_telEnter();
    } else if (control == Edit_G1 || control == Edit_G2 || control == Edit_G3) {
        Edit_G1Enter();
    } else if (control == Edit_MyZip) {
        Edit_MyZipEnter();
    } else if (control == Edit_MyADD1) {
        Edit_MyADD1Enter();
    } else if (control == Edit_MyADD2) {
        Edit_MyADD2Enter();
    } else if (control == Edit_My) {
        Edit_MyEnter();
    } else if (control == Edit_MyTEL) {
        Edit_MyTELEnter();
    } else if (control == Memo1) {
        Memo1Enter();
    }
}

void TForm_Main::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_formShown) {
        m_formShown = true;
        runAction([this] { FormShow(); });
    }
}

void TForm_Main::closeEvent(QCloseEvent* event)
{
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) {
        runAction([this] { FormDestroy(); });
    }
}

void TForm_Main::focusNextControl(bool forward)
{
    focusNextPrevChild(forward);
}
