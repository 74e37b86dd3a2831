#pragma once

#include "gui/HistoryHost.h"
#include "gui/PrintPositionHost.h"
#include "slipprint/Slip.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

namespace postal {
class PostalDirectory;
}

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class PostalPickList;
class QPushButton;
class QStatusBar;
class QTabBar;
class QToolButton;
class QWidget;
class HistoryWindow;
class TForm_SLIP97YPrn;
class TNumEdit;
class TRefreshingPrintDialog;
class TRefreshingPrinterSetupDialog;
class PrintTarget;

// The slip entry window. Controls carry the program's names (objectName too); the actions
// are named after their control and event. The implementation is split by subject:
// TForm_Main.cpp (layout), TForm_Main_Keys.cpp (show sequence, key dispatch, quit),
// TForm_Main_Entry.cpp (entry fields), TForm_Main_Settings.cpp (settings file),
// TForm_Main_Sender.cpp (sender registry), TForm_Main_Transfer.cpp (text transfer),
// TForm_Main_Postal.cpp (postal code completion and agreement),
// TForm_Main_Printer.cpp (print command and printer registration), TForm_Main_Journal.cpp
// (print journal and history window).
class TForm_Main : public QMainWindow, public PrintPositionHost, public HistoryHost
{
    Q_OBJECT

public:
    explicit TForm_Main(QWidget* parent = nullptr);
    ~TForm_Main() override;

    // The slip as the fields hold it now, and where it would land: the effective resolution
    // of the last print and the registered margins.
    Slip currentSlip() const;
    // The printer in force with the margins this window shows, for one job.
    PrintTarget printTarget() const;

    // The registration in force, as the print-position dialog reads and writes it.
    QString registrationFolder() const override;
    QString paperSection() const override;
    QString printerName() const override;
    QString printerIndex() const override;
    QString marginTop() const override;
    QString marginLeft() const override;
    void setMargins(const QString& top, const QString& left) override;
    void requirePrinterInForce() const override;

    // The print journal, as the history window uses it.
    std::filesystem::path journalFile() const override;
    void loadFromJournal(const Slip& slip) override;
    void reprintFromJournal(const journal::JournalEntry& entry, bool keepDate) override;

    // The effective resolution of the last print, as decimal texts; empty before the first.
    const QString& dpiX() const { return Label_dpix; }
    const QString& dpiY() const { return Label_dpiy; }

    // ---- Print dialog components ----
    TRefreshingPrintDialog* PrintDialog1 = nullptr;
    TRefreshingPrinterSetupDialog* PrinterSetupDialog1 = nullptr;

    // The piece count's value text (digits and sign, no commas), and setting it.
    QString kosuuText() const;
    void setKosuuText(const QString& text);

public slots:
    // Program start and main window
    void FormShow();
    void FormDestroy();
    void SpeedButton_F2Click();
    void SpeedButton_F3Click();
    void SpeedButton_F5Click();
    void SpeedButton_F6Click();
    void SpeedButton_F7Click();
    void SpeedButton_F10Click();
    void SpeedButton_F9Click();
    void SpeedButton_F11Click();

    // Entry fields
    void Edit_ZipEnter();
    void Edit_Add1Enter();
    void Edit_Add2Enter();
    void Edit_Custo1Enter();
    void Edit_telEnter();
    void Edit_G1Enter();
    void Edit_MyZipEnter();
    void Edit_MyADD1Enter();
    void Edit_MyADD2Enter();
    void Edit_MyEnter();
    void Edit_MyTELEnter();
    void Memo1Enter();
    void Edit_Warning();
    void Edit_Cls();
    void Edit_Cls_My();
    void BitBtn_CLSClick();
    void Edit_ZipChange();
    void Edit_telChange();
    void CheckBox_MyClick();
    void CheckBox_t21Click();
    void CheckBox_t22Click();
    void CheckBox_t23Click();
    void BitBtn_WebHelpClick();
    void BitBtn_SendMailClick();

    // Postal codes: completion and agreement on leaving the code or the first address line
    void Edit_ZipExit();
    void Edit_Add1Exit();
    void Edit_MyZipExit();
    void Edit_MyADD1Exit();

    // Settings file
    void ReadSettings();
    void WriteSettings();

    // Sender registry
    void BitBtn_MyClick();
    void SpeedButton_readMyClick();
    void PageControl_MyChange();

    // Text transfer
    void BitBtn_1Click();
    void Memo1Change();
    void BitBtn_MemoCLSClick();
    void SpeedButton_ZIP2Click();
    void SpeedButton_TEL2Click();

    // Print command and printer registration
    void SpeedButton_PRNSETClick();
    void SpeedButton_Prn_iniClick();
    void SpeedButton_PrnIdGetClick();
    void ComboBox_SELChange();
    void BitBtn_PrnSetClick();
    void BitBtn_PrnSet2Click();

public:
    // Key handlers of the input fields; each returns true when it used the key.
    bool FormKeyDown(int key);
    bool Edit_ZipKeyDown(int key);
    bool Edit_G2KeyDown(int key);
    bool Edit_G3KeyDown(int key);
    // Character handlers; each returns true when the character is discarded.
    bool FormKeyPress(QChar character);
    bool Edit_de_dateKeyPress(QChar character);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The controls; tests reach them by their objectName.
    // ---- Paste band ----
    QWidget* Panel3 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* BitBtn_1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* BitBtn_MemoCLS = nullptr;
    QLabel* Label12 = nullptr;

    // ---- Recipient band ----
    QWidget* Panel1 = nullptr;
    QLineEdit* Edit_Zip = nullptr;
    QLineEdit* Edit_Add1 = nullptr;
    QLineEdit* Edit_Add2 = nullptr;
    QLineEdit* Edit_Custo1 = nullptr;
    QLineEdit* Edit_tel = nullptr;
    QLabel* Label_Warning = nullptr;
    QPushButton* BitBtn_CLS = nullptr;
    PostalPickList* ListBox_ZipPick = nullptr; // created when a code first offers several places
    QComboBox* ComboBox_FontSize = nullptr;    // hidden

    // ---- Sender band ----
    QWidget* Panel2 = nullptr;
    QCheckBox* CheckBox_My = nullptr;
    QTabBar* PageControl_My = nullptr;
    QLineEdit* Edit_MyZip = nullptr;
    QLineEdit* Edit_MyADD1 = nullptr;
    QLineEdit* Edit_MyADD2 = nullptr;
    QLineEdit* Edit_My = nullptr;
    QLineEdit* Edit_MyTEL = nullptr;
    QPushButton* BitBtn_My = nullptr;

    // ---- Goods and print band ----
    QWidget* Panel4 = nullptr;
    QLineEdit* Edit_de_date1 = nullptr;
    QLineEdit* Edit_de_date2 = nullptr;
    QCheckBox* CheckBox_Date_1 = nullptr;
    QDateEdit* DateTimePicker_1 = nullptr;
    QLineEdit* Edit_G1 = nullptr;
    QLineEdit* Edit_G2 = nullptr;
    QLineEdit* Edit_G3 = nullptr;
    TNumEdit* NumEdit_KOSUU = nullptr;
    QGroupBox* GroupBox_Time2 = nullptr;
    QCheckBox* CheckBox_t21 = nullptr;
    QCheckBox* CheckBox_t22 = nullptr;
    QCheckBox* CheckBox_t23 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QComboBox* ComboBox_SEL = nullptr;
    QPushButton* BitBtn_PrnSet2 = nullptr;
    QLabel* Label_Prn_Top = nullptr;
    QLabel* Label_Prn_Left = nullptr;
    QPushButton* BitBtn_PrnSet = nullptr;
    QPushButton* BitBtn_WebHelp = nullptr;
    QPushButton* BitBtn_SendMail = nullptr;

    // ---- Help panel, function keys, status bar ----
    QLabel* Panel_HelpMess = nullptr;
    QWidget* Panel_Fnc = nullptr;
    QToolButton* SpeedButton_F[12] = {}; // SpeedButton_F1 … SpeedButton_F12, index 0 … 11
    QStatusBar* StatusBar1 = nullptr;

    // ---- Run-time values, held as decimal texts ----
    QString Label_CurrentDir;   // working directory at show time, no trailing separator
    QString Label_PrinterIndex; // printer number in force
    QString Label_dpix;         // effective resolution of the print in progress
    QString Label_dpiy;
    // Label_Prn_Top and Label_Prn_Left are visible labels; see the printer group below.

    // The working folder (Label_CurrentDir) that every file of the window lies in.
    std::filesystem::path workingFolder() const;
    // The sender file of the sender tab shown.
    std::filesystem::path senderFile() const;
    void createLayout();
    void createPasteBand(QWidget* band);
    void createRecipientBand(QWidget* band);
    void createSenderBand(QWidget* band);
    void createGoodsBand(QWidget* band);
    void createPrinterGroup(QWidget* group);
    void createFunctionBar(QWidget* band);
    void setTabCycle();
    void connectActions();
    void bindKeys();
    QWidget* boundControl(QObject* watched) const;
    bool dispatchKey(QWidget* control, QKeyEvent* event);
    void enterControl(QWidget* control);
    void focusNextControl(bool forward);
    void leaveControl(QWidget* control);

    // Postal codes (TForm_Main_Postal.cpp)
    const postal::PostalDirectory& postalDirectory() const;
    QString agreementMessage(const QLineEdit* zip, const QLineEdit* address) const;
    void completeAddress(const QLineEdit* zip, QLineEdit* address, QString& warning);
    void fillAddress(QLineEdit* address, const QString& place);
    void showWarnings();
    // Runs an action; an error that escapes it reaches the standard error report.
    void runAction(const std::function<void()>& action);

    // Printing: the slip on the current printer, and the registration file.
    void createPrintWindows();
    void watchPrinters();
    void stopWatchingPrinters();
    void printersChanged();
    void runPrinterStep(const std::function<void()>& step);
    void showMissingPrinter();
    bool askToPrint(const PrintTarget& target);
    void printSlip(const PrintTarget& target);
    std::filesystem::path registrationFile() const;
    // Tells the user that a printed slip is missing from the journal, and why.
    void reportJournal(const std::string& error);
    // Entries kept while the journal server is away are sent from a timer, and the status
    // line counts those still waiting.
    void watchJournalOutbox();
    void sendJournalOutbox();
    void sendJournalOutboxNow();
    void showJournalOutbox();

    // Created after the window, as the program creates its windows in that order.
    TForm_SLIP97YPrn* m_positionDialog = nullptr;
    QPointer<HistoryWindow> m_history;
    QLabel* Label_JournalOutbox = nullptr;
    bool m_knockingAtServer = false;
    // Set while the registered printer is not installed: its registered name (empty when
    // only its number is known). Nothing prints until the user registers a printer again.
    std::optional<QString> m_missingPrinter;
    // Why the registered printer is missing when its print server does not answer; empty when
    // it is simply not installed.
    QString m_printerFailure;

    bool m_settingsWritten = false;
    bool m_formShown = false;
    // The control that last received the focus within this window: a focus that merely
    // returns with the window's activation is no new entry.
    QWidget* m_activeControl = nullptr;

    // The warning line shows the address-length warning and the postal code messages of the
    // recipient and the sender, each refreshed at its own time.
    QString m_lengthWarning;
    QString m_zipWarning;
    QString m_myZipWarning;
    QLineEdit* m_pickTarget = nullptr;
};
