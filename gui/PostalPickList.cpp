#include "gui/PostalPickList.h"

#include <QKeyEvent>

namespace {
constexpr int kVisibleRows = 8;
}

PostalPickList::PostalPickList(QWidget* parent) : QListWidget(parent)
{
    setWindowFlags(Qt::Popup);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemClicked, this, &PostalPickList::take);
}

void PostalPickList::offer(const QStringList& places, const QWidget* field)
{
    clear();
    addItems(places);
    setCurrentRow(0);
    const int rows = std::min(static_cast<int>(places.size()), kVisibleRows);
    const int width = std::max(field->width() * 3, sizeHintForColumn(0) + 2 * frameWidth() + 24);
    resize(width, rows * sizeHintForRow(0) + 2 * frameWidth());
    move(field->mapToGlobal(QPoint(0, field->height())));
    show();
    setFocus(Qt::PopupFocusReason);
}

void PostalPickList::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        take(currentItem());
        return;
    case Qt::Key_Escape:
        hide();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

void PostalPickList::take(const QListWidgetItem* item)
{
    hide();
    if (item != nullptr) {
        emit picked(item->text());
    }
}
