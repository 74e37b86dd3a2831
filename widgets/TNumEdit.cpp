#include "widgets/TNumEdit.h"

#include "platform/FieldText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>

namespace {

// Menu item tags, which are the items' indexes.
enum MenuTag
{
    tagUndo = 0,
    tagCut = 2,
    tagCopy = 3,
    tagPaste = 4,
    tagDelete = 5,
    tagSelectAll = 7
};

bool clipboardHasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText() && !data->text().isEmpty();
}

} // namespace

TNumEdit::TNumEdit(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::IBeamCursor);
    setAttribute(Qt::WA_InputMethodEnabled, true);
    m_disabledColor = palette().color(QPalette::Disabled, QPalette::Text);
    setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
    resize(121, 20);

    m_model.onChange = [this] {
        update();
        ShowEditCaret();
        emit OnChange(this);
    };
    m_model.onBeep = [this] { beep(); };
    m_model.fits = [this](const std::string& value) {
        return textWidth(numvalue::MakeDisplayText(value, m_model.format())) <= GetAvailableWidth();
    };

    buildMenu();
    measureFont();
    AdjustHeight();
}

TNumEdit::~TNumEdit() = default;

QString TNumEdit::Text() const
{
    return FromCp932(m_model.value());
}

void TNumEdit::SetText(const QString& text)
{
    m_model.setText(ToCp932(text));
}

QString TNumEdit::DisplayText() const
{
    return FromCp932(m_model.display());
}

void TNumEdit::SetIntegerLength(int value)
{
    if (m_model.setIntegerLength(value)) {
        afterLayoutChange();
    }
}

void TNumEdit::SetDecimalLength(int value)
{
    if (m_model.setDecimalLength(value)) {
        afterLayoutChange();
    }
}

void TNumEdit::SetMinus(bool value)
{
    if (m_model.setMinus(value)) {
        afterLayoutChange();
    }
}

void TNumEdit::SetComma(bool value)
{
    if (m_model.setComma(value)) {
        afterLayoutChange();
    }
}

void TNumEdit::SetDecimalFixed(bool value)
{
    if (m_model.setDecimalFixed(value)) {
        afterLayoutChange();
    }
}

void TNumEdit::SetIntegerFixed(bool value)
{
    if (m_model.setIntegerFixed(value)) {
        afterLayoutChange();
    }
}

void TNumEdit::SetZeroEnabled(bool value)
{
    if (m_model.setZeroEnabled(value)) {
        afterLayoutChange();
    }
}

QString TNumEdit::LeftMark() const
{
    return FromCp932(m_model.format().LeftMark);
}

void TNumEdit::SetLeftMark(const QString& value)
{
    if (m_model.setLeftMark(ToCp932(value))) {
        afterLayoutChange();
    }
}

QString TNumEdit::RightMark() const
{
    return FromCp932(m_model.format().RightMark);
}

void TNumEdit::SetRightMark(const QString& value)
{
    if (m_model.setRightMark(ToCp932(value))) {
        afterLayoutChange();
    }
}

void TNumEdit::SetAlignment(TAlignment value)
{
    if (value != m_alignment) {
        m_alignment = value;
        afterLayoutChange();
    }
}

void TNumEdit::SetVertAlignment(TVertAlignment value)
{
    if (value != m_vertAlignment) {
        m_vertAlignment = value;
        afterLayoutChange();
    }
}

void TNumEdit::SetTopMargin(int value)
{
    if (value >= 0 && value != m_topMargin) {
        m_topMargin = value;
        AdjustHeight();
        afterLayoutChange();
    }
}

void TNumEdit::SetBottomMargin(int value)
{
    if (value >= 0 && value != m_bottomMargin) {
        m_bottomMargin = value;
        AdjustHeight();
        afterLayoutChange();
    }
}

void TNumEdit::SetLeftMargin(int value)
{
    if (value >= 0 && value != m_leftMargin) {
        m_leftMargin = value;
        afterLayoutChange();
    }
}

void TNumEdit::SetRightMargin(int value)
{
    if (value >= 0 && value != m_rightMargin) {
        m_rightMargin = value;
        afterLayoutChange();
    }
}

void TNumEdit::SetAutoSize(bool value)
{
    if (value != m_autoSize) {
        m_autoSize = value;
        AdjustHeight();
        afterLayoutChange();
    }
}

void TNumEdit::SetAutoSelect(bool value)
{
    if (value != m_autoSelect) {
        m_autoSelect = value;
        update();
    }
}

void TNumEdit::SetBorderStyle(TBorderStyle value)
{
    if (value != m_borderStyle) {
        m_borderStyle = value;
        setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
        AdjustHeight();
        afterLayoutChange();
    }
}

void TNumEdit::SetReadOnly(bool value)
{
    m_model.setReadOnly(value);
}

void TNumEdit::SetErrorBeep(bool value)
{
    m_errorBeep = value;
}

void TNumEdit::SetDisabledColor(const QColor& value)
{
    if (value != m_disabledColor) {
        m_disabledColor = value;
        update();
    }
}

void TNumEdit::SetImageCopy(bool value)
{
    m_model.setImageCopy(value);
}

void TNumEdit::SetHideSelection(bool value)
{
    m_hideSelection = value;
}

void TNumEdit::SetEnterFocusMove(bool value)
{
    m_enterFocusMove = value;
}

void TNumEdit::SetArrowFocusMove(bool value)
{
    m_arrowFocusMove = value;
}

void TNumEdit::SetOptions(TNumEditOptions value)
{
    m_model.setOptions(value);
}

void TNumEdit::Clear()
{
    m_model.clear();
}

void TNumEdit::CopyToClipboard()
{
    if (const auto text = m_model.copyText()) {
        QGuiApplication::clipboard()->setText(FromCp932(*text));
    }
}

void TNumEdit::CutToClipboard()
{
    if (m_model.selected()) {
        CopyToClipboard();
        m_model.cut();
    }
}

void TNumEdit::PasteFromClipboard()
{
    if (clipboardHasText()) {
        m_model.paste(ToCp932(QGuiApplication::clipboard()->text()));
    }
}

void TNumEdit::SelectAll()
{
    m_model.selectAll();
    update();
}

void TNumEdit::Deselect()
{
    m_model.deselect();
    update();
}

void TNumEdit::Undo()
{
    m_model.undo();
}

void TNumEdit::buildMenu()
{
    m_menu = new QMenu(this);
    const QString captions[] = {QStringLiteral("元に戻す(&U)"),
                                QStringLiteral("-"),
                                QStringLiteral("切り取り(&T)"),
                                QStringLiteral("コピー(&C)"),
                                QStringLiteral("貼り付け(&P)"),
                                QStringLiteral("削除(&D)"),
                                QStringLiteral("-"),
                                QStringLiteral("すべて選択(&A)")};
    int tag = 0;
    for (const QString& caption : captions) {
        QAction* action = caption == QLatin1String("-") ? m_menu->addSeparator() : m_menu->addAction(caption);
        action->setData(tag);
        connect(action, &QAction::triggered, this, [this, tag] { PopupMenuClick(tag); });
        ++tag;
    }
}

void TNumEdit::PopupMenuPopup()
{
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
    const bool editable = !ReadOnly();
    const bool selected = m_model.selected();
    const QList<QAction*> items = m_menu->actions();
    items[tagUndo]->setEnabled(m_model.undoAvailable() && editable);
    items[tagCut]->setEnabled(selected && editable);
    items[tagCopy]->setEnabled(selected);
    items[tagPaste]->setEnabled(clipboardHasText() && editable);
    items[tagDelete]->setEnabled(selected && editable);
    items[tagSelectAll]->setEnabled(!selected && !m_model.value().empty());
}

void TNumEdit::PopupMenuClick(int tag)
{
    switch (tag) {
    case tagUndo:
        Undo();
        break;
    case tagCut:
        CutToClipboard();
        break;
    case tagCopy:
        CopyToClipboard();
        break;
    case tagPaste:
        PasteFromClipboard();
        break;
    case tagDelete:
        Clear();
        break;
    case tagSelectAll:
        SelectAll();
        break;
    default:
        break;
    }
}
