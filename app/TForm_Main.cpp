#include "TForm_Main.h"

#include "ErrorReport.h"
#include "TNumEdit.h"

TForm_Main::TForm_Main(QWidget* parent) : QMainWindow(parent)
{
    createLayout();
    connectActions();
}

TForm_Main::~TForm_Main() = default;

void TForm_Main::createLayout()
{
}

void TForm_Main::connectActions()
{
}

void TForm_Main::runAction(const std::function<void()>& action)
{
    RunReported(this, action);
}

SlipFields TForm_Main::slipFields() const
{
    return {};
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
