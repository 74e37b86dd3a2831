#include "gui/TForm_Main.h"

#include "gui/PostalPickList.h"
#include "postal/AddressAgreement.h"
#include "postal/PostalCode.h"
#include "postal/PostalDirectory.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

// The width of the warning line in the window's layout.
constexpr int kWarningWidth = 380;

QString placeOf(const postal::PostalEntry& entry)
{
    return QString::fromStdString(postal::addressOf(entry));
}

} // namespace

void TForm_Main::Edit_ZipExit()
{
    completeAddress(Edit_Zip, Edit_Add1, m_zipWarning);
}

void TForm_Main::Edit_Add1Exit()
{
    m_zipWarning = agreementMessage(Edit_Zip, Edit_Add1);
    showWarnings();
}

void TForm_Main::Edit_MyZipExit()
{
    completeAddress(Edit_MyZip, Edit_MyADD1, m_myZipWarning);
}

void TForm_Main::Edit_MyADD1Exit()
{
    m_myZipWarning = agreementMessage(Edit_MyZip, Edit_MyADD1);
    showWarnings();
}

void TForm_Main::leaveControl(QWidget* control)
{
    if (control == Edit_Zip) {
        Edit_ZipExit();
    } else if (control == Edit_Add1) {
        Edit_Add1Exit();
    } else if (control == Edit_MyZip) {
        Edit_MyZipExit();
    } else if (control == Edit_MyADD1) {
        Edit_MyADD1Exit();
    }
}

const postal::PostalDirectory& TForm_Main::postalDirectory() const
{
    return postal::directoryFor(workingFolder());
}

QString TForm_Main::agreementMessage(const QLineEdit* zip, const QLineEdit* address) const
{
    return QString::fromStdString(
        postal::checkAgreement(postalDirectory(), zip->text().toStdString(), address->text().toStdString()).message);
}

// An empty address line takes the code's place (several places are offered to pick from); a
// filled one is only checked against the code, never changed.
void TForm_Main::completeAddress(const QLineEdit* zip, QLineEdit* address, QString& warning)
{
    const std::optional<std::string> code = postal::normaliseCode(zip->text().toStdString());
    const std::vector<postal::PostalEntry> entries =
        code ? postalDirectory().find(*code) : std::vector<postal::PostalEntry>{};
    if (!address->text().isEmpty() || entries.empty()) {
        warning = agreementMessage(zip, address);
        showWarnings();
        return;
    }
    QStringList places;
    for (const postal::PostalEntry& entry : entries) {
        if (!places.contains(placeOf(entry))) {
            places << placeOf(entry);
        }
    }
    warning.clear();
    showWarnings();
    if (places.size() == 1) {
        fillAddress(address, places.front());
        return;
    }
    if (ListBox_ZipPick == nullptr) {
        ListBox_ZipPick = new PostalPickList(this);
        ListBox_ZipPick->setObjectName(QStringLiteral("ListBox_ZipPick"));
        connect(ListBox_ZipPick, &PostalPickList::picked, this,
                [this](const QString& place) { runAction([&] { fillAddress(m_pickTarget, place); }); });
    }
    m_pickTarget = address;
    ListBox_ZipPick->offer(places, zip);
}

void TForm_Main::fillAddress(QLineEdit* address, const QString& place)
{
    address->setText(place);
    address->setCursorPosition(static_cast<int>(place.size()));
    address->deselect();
}

void TForm_Main::showWarnings()
{
    QStringList warnings;
    for (const QString* warning : {&m_lengthWarning, &m_zipWarning, &m_myZipWarning}) {
        if (!warning->isEmpty()) {
            warnings << *warning;
        }
    }
    // A damaged postal-code file of the folder is said, not silently replaced.
    if (const std::optional<std::string> fallback = postal::builtInFallbackReason(workingFolder())) {
        warnings << QString::fromStdString(*fallback);
    }
    const QString text = warnings.join(QStringLiteral("　"));
    Label_Warning->setText(text);
    // Two messages may not fit the line: it grows to the band's edge, and its hint holds it all.
    Label_Warning->setToolTip(text);
    const int room = Label_Warning->parentWidget()->width() - Label_Warning->x();
    Label_Warning->resize(std::clamp(Label_Warning->sizeHint().width(), kWarningWidth, std::max(room, kWarningWidth)),
                          Label_Warning->height());
}
