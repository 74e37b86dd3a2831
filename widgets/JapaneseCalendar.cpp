#include "widgets/JapaneseCalendar.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QEvent>

namespace {
class CalendarOnFirstUse : public QObject
{
public:
    explicit CalendarOnFirstUse(QDateEdit* edit) : QObject(edit), m_edit(edit) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::KeyPress:
        case QEvent::FocusIn:
            install();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void install()
    {
        m_edit->removeEventFilter(this);
        const QLocale japanese(QLocale::Japanese, QLocale::Japan);
        auto* calendar = new QCalendarWidget(m_edit);
        calendar->setLocale(japanese);
        calendar->setFirstDayOfWeek(Qt::Sunday);
        m_edit->setCalendarWidget(calendar);
        deleteLater();
    }

    QDateEdit* m_edit;
};
} // namespace

void UseJapaneseCalendar(QDateEdit* edit)
{
    edit->setCalendarPopup(true);
    edit->installEventFilter(new CalendarOnFirstUse(edit));
}
