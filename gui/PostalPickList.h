#pragma once

#include <QListWidget>

// The places of a postal code with several entries, offered in a small list below its field.
// Arrows choose, Enter or a click takes the place, Escape or a click elsewhere takes none.
class PostalPickList : public QListWidget
{
    Q_OBJECT

public:
    explicit PostalPickList(QWidget* parent);

    // Shows the list just below `field`, the first place chosen, and gives it the keyboard.
    void offer(const QStringList& places, const QWidget* field);

signals:
    void picked(const QString& place);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void take(const QListWidgetItem* item);
};
