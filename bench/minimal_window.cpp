// The yardstick for the start-up benchmark: the smallest Qt widgets program that shows a window
// with a text in each of the fonts the main window uses, and ends after its first paint, as
// mivo-kangaroo does under MIVO_EXIT_AFTER_SHOW.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <iostream>

namespace {
class ExitAfterFirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_painted) {
            m_painted = true;
            std::cout << "shown" << std::endl;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }

private:
    bool m_painted = false;
};
} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(677, 646);
    auto* layout = new QVBoxLayout(&window);
    for (const char* family : {"IPAPGothic", "IPAPMincho", "DejaVu Sans"}) {
        auto* text = new QLabel(QStringLiteral("送り状 お届け先 0123456789"), &window);
        text->setFont(QFont(QString::fromLatin1(family), 11));
        layout->addWidget(text);
    }
    ExitAfterFirstPaint exitAfterShow;
    window.installEventFilter(&exitAfterShow);
    window.show();
    return application.exec();
}
