#include "gui/BatchWindow.h"

#include "batch/ColumnMapping.h"
#include "batch/PostalSlipCheck.h"
#include "batch/SlipChecks.h"
#include "batch/SlipSelection.h"
#include "gui/BatchMappingDialog.h"
#include "gui/ConsecutiveNumbersDialog.h"
#include "gui/TrackingScanDialog.h"
#include "jobs/BatchPrint.h"
#include "jobs/FitSlipCheck.h"
#include "jobs/JournalSlipCheck.h"
#include "journal/Journal.h"
#include "platform/Cp932.h"
#include "platform/FilePath.h"
#include "postal/PostalDirectory.h"
#include "shipping/ShippingSettings.h"
#include "slipprint/BatchJob.h"
#include "slipprint/PaperFeeds.h"
#include "widgets/ErrorReport.h"
#include "widgets/Prompt.h"
#include "workfolder/RememberedMapping.h"

#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Table columns: the warnings first, where they are seen without scrolling, then the
// number and order, then the slip fields a user may mend.
enum Column
{
    ColWarnings,
    ColNumber,
    ColOrder,
    ColZip,
    ColAddress1,
    ColAddress2,
    ColName,
    ColTel,
    ColGoods1,
    ColGoods2,
    ColGoods3,
    ColCount
};

// The preview under the list starts a 4-inch form high at 40 pixels per inch; the splitter
// above it makes it larger, and the slip is drawn to fit.
constexpr int kPreviewHeight = 160;
constexpr int kPreviewMinimum = 60;
constexpr double kPreviewMaxDpi = 180;
constexpr int kWarningsWidth = 260;

const QStringList kHeaders = {"注意",     "番号",   "注文番号", "郵便番号", "おところ①", "おところ②",
                              "おなまえ", "でんわ", "品名1",    "品名2",    "品名3"};

// The dots per inch that fit the whole page into `size`.
double fittingDpi(const PageGeometry& page, QSize size)
{
    if (page.paperWidthPt <= 0 || page.paperHeightPt <= 0) {
        return 1;
    }
    const double dpi = std::min(size.width() * 72.0 / page.paperWidthPt, size.height() * 72.0 / page.paperHeightPt);
    return std::clamp(dpi, 1.0, kPreviewMaxDpi);
}

const QByteArray kNoAddress(batch::kNoAddressReason.data(), static_cast<qsizetype>(batch::kNoAddressReason.size()));

QString errorText(const std::exception& error)
{
    const auto* batchError = dynamic_cast<const batch::BatchError*>(&error);
    return QString::fromStdString(batchError != nullptr ? batchError->windowText() : std::string(error.what()));
}

std::string* editableField(batch::BatchSlip& slip, int column)
{
    switch (column) {
    case ColZip:
        return &slip.recipient.zip;
    case ColAddress1:
        return &slip.recipient.address1;
    case ColAddress2:
        return &slip.recipient.address2;
    case ColName:
        return &slip.recipient.name;
    case ColTel:
        return &slip.recipient.tel;
    case ColGoods1:
    case ColGoods2:
    case ColGoods3:
        return &slip.goods[static_cast<std::size_t>(column - ColGoods1)];
    default:
        return nullptr;
    }
}

QString warningText(const batch::BatchSlip& slip)
{
    QStringList warnings;
    for (const std::string& warning : slip.warnings) {
        warnings << QString::fromStdString(warning);
    }
    return warnings.join(QStringLiteral("／"));
}

// "1: 西濃商店" for a registered sender, "1" for a free tab.
QString senderLabel(const QString& folder, int number)
{
    try {
        const SenderRecord sender = RegisteredSender(folder.toStdString(), number);
        return QStringLiteral("%1: %2").arg(number).arg(QString::fromStdString(cp932::ToUtf8(sender.name)));
    } catch (const std::exception&) {
        return QString::number(number);
    }
}

} // namespace

BatchWindow::BatchWindow(const QString& folder, QWidget* parent) : QDialog(parent), m_folder(folder)
{
    setObjectName(QStringLiteral("BatchWindow"));
    setWindowTitle(QStringLiteral("一括印刷"));
    setAcceptDrops(true);
    m_askMapping = [this](const std::vector<std::string>& header, const std::string& remembered) {
        BatchMappingDialog dialog(header, remembered, this);
        return dialog.exec() == QDialog::Accepted ? std::optional(dialog.mapping()) : std::nullopt;
    };
    m_askFile = [this](const QString& start) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("注文ファイルを開く"), start,
                                            QStringLiteral("注文ファイル (*.csv *.txt *.tsv);;すべて (*)"));
    };
    buildControls();
    fillTable();
}

void BatchWindow::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* open = new QPushButton(QStringLiteral("ファイルを開く…"), this);
    open->setObjectName(QStringLiteral("Button_Open"));
    connect(open, &QPushButton::clicked, this, &BatchWindow::chooseFile);
    m_summary = new QLabel(QStringLiteral("注文ファイルを開くか、ここへドロップしてください"), this);
    m_summary->setObjectName(QStringLiteral("Label_Summary"));
    top->addWidget(open);
    top->addWidget(m_summary, 1);
    layout->addLayout(top);

    layout->addWidget(buildListAndPreview(), 1);
    m_skipped = new QListWidget(this);
    m_skipped->setObjectName(QStringLiteral("List_Skipped"));
    m_skipped->setMaximumHeight(kPreviewMinimum + kPreviewMinimum / 2);
    m_skipped->hide();
    layout->addWidget(m_skipped);

    auto* bottom = new QHBoxLayout;
    m_sender = new QComboBox(this);
    m_sender->setObjectName(QStringLiteral("ComboBox_Sender"));
    for (int number = 1; number <= 10; ++number) {
        m_sender->addItem(senderLabel(m_folder, number));
    }
    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("ComboBox_Paper"));
    for (const char* feed : paperfeeds::kAll) {
        m_paper->addItem(QString::fromUtf8(feed));
    }
    m_paper->setCurrentIndex(1);
    m_printAll = new QPushButton(QStringLiteral("すべて印刷"), this);
    m_printAll->setObjectName(QStringLiteral("Button_PrintAll"));
    m_printSelected = new QPushButton(QStringLiteral("選択を印刷"), this);
    m_printSelected->setObjectName(QStringLiteral("Button_PrintSelected"));
    m_from = new QSpinBox(this);
    m_from->setObjectName(QStringLiteral("SpinBox_From"));
    m_printFrom = new QPushButton(QStringLiteral("この番号から印刷"), this);
    m_printFrom->setObjectName(QStringLiteral("Button_PrintFrom"));
    connect(m_sender, &QComboBox::currentIndexChanged, this, &BatchWindow::showPreview);
    connect(m_paper, &QComboBox::currentIndexChanged, this, &BatchWindow::showPreview);
    connect(m_printAll, &QPushButton::clicked, this, &BatchWindow::printAll);
    connect(m_printSelected, &QPushButton::clicked, this, &BatchWindow::printSelected);
    connect(m_printFrom, &QPushButton::clicked, this, &BatchWindow::printFrom);
    m_scanNumbers = new QPushButton(QStringLiteral("番号読取"), this);
    m_scanNumbers->setObjectName(QStringLiteral("Button_ScanNumbers"));
    m_consecutive = new QPushButton(QStringLiteral("連番で付番…"), this);
    m_consecutive->setObjectName(QStringLiteral("Button_ConsecutiveNumbers"));
    for (QPushButton* button : {m_scanNumbers, m_consecutive}) {
        button->setEnabled(false);
        button->setToolTip(QStringLiteral("印刷した送り状にお問合せ番号を付けます"));
    }
    connect(m_scanNumbers, &QPushButton::clicked, this, [this] { RunReported(this, [this] { scanNumbers(); }); });
    connect(m_consecutive, &QPushButton::clicked, this,
            [this] { RunReported(this, [this] { numberConsecutively(); }); });
    bottom->addWidget(new QLabel(QStringLiteral("ご依頼主"), this));
    bottom->addWidget(m_sender);
    bottom->addWidget(new QLabel(QStringLiteral("用紙選択"), this));
    bottom->addWidget(m_paper);
    bottom->addStretch(1);
    bottom->addWidget(m_printAll);
    bottom->addWidget(m_printSelected);
    bottom->addWidget(m_from);
    bottom->addWidget(m_printFrom);
    bottom->addWidget(m_scanNumbers);
    bottom->addWidget(m_consecutive);
    layout->addLayout(bottom);
    // Enter ends an edit in the list; it must not open a file or start printing.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
    }
    resize(1000, 560 + kPreviewHeight);
}

// The list above the preview of its current slip, the line between them movable.
QWidget* BatchWindow::buildListAndPreview()
{
    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setObjectName(QStringLiteral("Splitter_Preview"));
    splitter->setChildrenCollapsible(false);
    m_table = new QTableWidget(0, ColCount, splitter);
    m_table->setObjectName(QStringLiteral("Table_Slips"));
    m_table->setHorizontalHeaderLabels(kHeaders);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(ColWarnings, kWarningsWidth);
    m_table->installEventFilter(this);
    connect(m_table, &QTableWidget::cellChanged, this, &BatchWindow::slipEdited);
    connect(m_table, &QTableWidget::currentCellChanged, this, &BatchWindow::showPreview);
    m_preview = new QLabel(splitter);
    m_preview->setObjectName(QStringLiteral("Label_Preview"));
    m_preview->setAlignment(Qt::AlignCenter);
    // The picture follows the label's size, never the other way round.
    m_preview->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    m_preview->setMinimumHeight(kPreviewMinimum);
    m_preview->installEventFilter(this);
    splitter->addWidget(m_table);
    splitter->addWidget(m_preview);
    splitter->setStretchFactor(0, 1);
    splitter->setSizes({560 - kPreviewHeight, kPreviewHeight});
    return splitter;
}

bool BatchWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_preview && event->type() == QEvent::Resize) {
        showPreview();
    }
    // While a cell is edited its editor has the keys; the list sees them only between edits.
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            tickSelected();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void BatchWindow::chooseFile()
{
    const std::filesystem::path last = batch::RememberedOrderFolder(m_folder.toStdString());
    const QString path = m_askFile(last.empty() ? m_folder : QString::fromStdString(last.string()));
    if (path.isEmpty() || !openFile(path)) {
        return;
    }
    try {
        batch::RememberOrderFolder(m_folder.toStdString(), QFileInfo(path).absolutePath().toStdString());
    } catch (const std::exception&) {
        // A folder not remembered costs a click next time; the file is open.
    }
}

void BatchWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void BatchWindow::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.front().isLocalFile()) {
        event->acceptProposedAction();
        openFile(urls.front().toLocalFile());
    }
}

bool BatchWindow::openFile(const QString& path)
{
    std::optional<batch::OrderFile> file;
    try {
        file = readOrders(batch::LoadOrderFile(ToPath(path)));
    } catch (const std::exception& error) {
        Prompt::instance().reportError(this, errorText(error));
        return false;
    }
    if (!file) {
        return false;
    }
    m_file = std::move(*file);
    // The slips' own checks ran while reading; the reading's notes (characters shown as 〓) stay.
    runChecks(m_file.slips);
    m_printAgain.assign(m_file.slips.size(), false);
    m_table->clearSelection();
    fillTable();
    showSkipped();
    // The preview shows the new file's first slip, never the last file's.
    if (!m_file.slips.empty()) {
        m_table->selectionModel()->setCurrentIndex(m_table->model()->index(0, ColOrder), QItemSelectionModel::NoUpdate);
    }
    showPreview();
    m_summary->setText(QStringLiteral("%1（%2, %3）")
                           .arg(QFileInfo(path).fileName(), QString::fromStdString(m_file.format),
                                QString::fromUtf8(batch::EncodingName(m_file.encoding))));
    return true;
}

std::optional<batch::OrderFile> BatchWindow::readOrders(const std::string& bytes)
{
    try {
        return batch::ReadOrderFile(bytes);
    } catch (const batch::BatchError&) {
        return readGeneric(bytes);
    }
}

// A file of no known format: the columns as remembered for its header, or as the user maps them.
std::optional<batch::OrderFile> BatchWindow::readGeneric(const std::string& bytes)
{
    const std::vector<std::string> header = batch::HeaderOf(batch::Decode(bytes).utf8);
    const std::filesystem::path folder = m_folder.toStdString();
    const std::string remembered = batch::RememberedMapping(folder, header);
    const std::optional<std::string> mapping = m_askMapping(header, remembered);
    if (!mapping) {
        return std::nullopt;
    }
    batch::ReadOptions options;
    options.columnMap = *mapping;
    batch::OrderFile file = batch::ReadOrderFile(bytes, options);
    batch::RememberMapping(folder, header, *mapping);
    return file;
}

// The slip's own checks and the outside ones, anew, after an edit.
void BatchWindow::checkSlip(batch::BatchSlip& slip) const
{
    std::vector<batch::BatchSlip> one{std::move(slip)};
    one.front().warnings.clear();
    batch::CheckFields(one.front());
    runChecks(one);
    slip = std::move(one.front());
}

// The postal-code list's, the journal's and, when the feed has a printer to measure against,
// the fit on its page.
void BatchWindow::runChecks(std::vector<batch::BatchSlip>& slips) const
{
    const batch::PostalSlipCheck postalCheck(postal::directoryFor(m_folder.toStdString()));
    const JournalSlipCheck journalCheck(journalFile());
    std::optional<FitSlipCheck> fitCheck;
    try {
        fitCheck.emplace(shownTarget());
    } catch (const std::exception&) {
        // No printer to measure against: printing says why.
    }
    std::vector<const batch::SlipCheck*> checks{&postalCheck, &journalCheck};
    if (fitCheck) {
        checks.push_back(&*fitCheck);
    }
    batch::RunChecks(slips, checks);
}

std::optional<SenderRecord> BatchWindow::shownSender() const
{
    try {
        return RegisteredSender(m_folder.toStdString(), m_sender->currentIndex() + 1);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The feed and sender the window shows; a free sender tab previews and measures the slip
// without a sender.
BatchTarget BatchWindow::shownTarget() const
{
    BatchTarget target;
    target.folder = m_folder.toStdString();
    target.paper = m_paper->currentIndex();
    target.sender = shownSender().value_or(SenderRecord{});
    return target;
}

void BatchWindow::fillTable()
{
    m_filling = true;
    m_table->setRowCount(static_cast<int>(m_file.slips.size()));
    for (int row = 0; row < m_table->rowCount(); ++row) {
        showSlip(row);
    }
    m_filling = false;
    const int count = static_cast<int>(m_file.slips.size());
    m_from->setRange(count > 0 ? 1 : 0, count);
    for (QWidget* button : {static_cast<QWidget*>(m_printAll), static_cast<QWidget*>(m_printSelected),
                            static_cast<QWidget*>(m_printFrom), static_cast<QWidget*>(m_from)}) {
        button->setEnabled(count > 0);
    }
}

// The rows that gave no slip, with their reasons; hidden when every row did.
void BatchWindow::showSkipped()
{
    m_skipped->clear();
    for (const batch::SkippedRow& row : m_file.skipped) {
        m_skipped->addItem(QStringLiteral("%1行目: %2").arg(row.row).arg(QString::fromStdString(row.reason)));
    }
    m_skipped->setVisible(!m_file.skipped.empty());
}

// Space ticks every selected slip printed before, or unticks them when all are ticked.
void BatchWindow::tickSelected()
{
    std::vector<QTableWidgetItem*> boxes;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows(ColNumber)) {
        QTableWidgetItem* number = m_table->item(index.row(), ColNumber);
        if (number != nullptr && number->data(Qt::CheckStateRole).isValid()) {
            boxes.push_back(number);
        }
    }
    const bool allTicked = std::all_of(boxes.begin(), boxes.end(),
                                       [](const QTableWidgetItem* box) { return box->checkState() == Qt::Checked; });
    for (QTableWidgetItem* box : boxes) {
        box->setCheckState(allTicked ? Qt::Unchecked : Qt::Checked);
    }
}

void BatchWindow::showSlip(int row)
{
    const bool filling = m_filling;
    m_filling = true;
    batch::BatchSlip& slip = m_file.slips[static_cast<std::size_t>(row)];
    const auto setCell = [&](int column, const QString& text, bool editable) {
        auto* item = new QTableWidgetItem(text);
        if (!editable) {
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        }
        m_table->setItem(row, column, item);
        return item;
    };
    setCell(ColNumber, QString::number(row + 1), false);
    setCell(ColOrder, QString::fromStdString(slip.order), false);
    for (int column = ColZip; column <= ColGoods3; ++column) {
        setCell(column, QString::fromStdString(*editableField(slip, column)), true);
    }
    const QString warnings = warningText(slip);
    QTableWidgetItem* warningItem = setCell(ColWarnings, warnings, false);
    warningItem->setToolTip(warnings);
    const bool printedBefore = JournalSlipCheck::Marked(slip);
    const QColor background = printedBefore        ? QColor(200, 200, 200)
                              : warnings.isEmpty() ? QColor(Qt::white)
                                                   : QColor(255, 220, 220);
    QTableWidgetItem* number = m_table->item(row, ColNumber);
    if (printedBefore) {
        // Printed before: left out of every print unless ticked here.
        number->setCheckState(m_printAgain[static_cast<std::size_t>(row)] ? Qt::Checked : Qt::Unchecked);
        number->setToolTip(QStringLiteral("印刷済みの注文です。もう一度印刷するにはチェックを入れてください"));
    }
    number->setBackground(background);
    warningItem->setBackground(background);
    m_filling = filling;
}

void BatchWindow::slipEdited(int row, int column)
{
    if (m_filling || row < 0 || static_cast<std::size_t>(row) >= m_file.slips.size()) {
        return;
    }
    if (column == ColNumber) {
        m_printAgain[static_cast<std::size_t>(row)] = m_table->item(row, column)->checkState() == Qt::Checked;
        return;
    }
    batch::BatchSlip& slip = m_file.slips[static_cast<std::size_t>(row)];
    std::string* field = editableField(slip, column);
    if (field == nullptr) {
        return;
    }
    *field = m_table->item(row, column)->text().toStdString();
    checkSlip(slip);
    showSlip(row);
    showPreview();
}

// The current slip as the batch would print it, drawn by the preview's renderer.
void BatchWindow::showPreview()
{
    const int row = m_table->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= m_file.slips.size()) {
        m_preview->clear();
        return;
    }
    try {
        const PreviewScene scene = BatchPreviewScene(m_file.slips[static_cast<std::size_t>(row)], shownTarget());
        const QImage image = preview::RenderImage(scene, fittingDpi(scene.page, m_preview->contentsRect().size()));
        m_preview->setPixmap(QPixmap::fromImage(image));
    } catch (const std::exception& error) {
        m_preview->setText(QStringLiteral("プレビューできません: %1").arg(QString::fromStdString(error.what())));
    }
}

void BatchWindow::printAll()
{
    std::vector<std::size_t> chosen(m_file.slips.size());
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        chosen[i] = i;
    }
    // Slips with bytes the file's encoding could not read are printed only when chosen.
    const std::vector<std::size_t> held = batch::HoldBackBlocked(m_file.slips, chosen);
    if (!held.empty()) {
        Prompt::instance().notify(this, QStringLiteral("読めない文字がある送り状 %1枚（%2）は除きます。"
                                                       "確かめてから選んで印刷してください")
                                            .arg(held.size())
                                            .arg(QString::fromStdString(batch::SlipNumbers(held))));
        if (chosen.empty()) {
            return;
        }
    }
    printChosen(chosen);
}

void BatchWindow::printSelected()
{
    std::vector<std::size_t> chosen;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (m_table->selectionModel()->isRowSelected(row, QModelIndex())) {
            chosen.push_back(static_cast<std::size_t>(row));
        }
    }
    printChosen(chosen);
}

// Resuming after a jam: slip N and every one after it, printed before or not.
void BatchWindow::printFrom()
{
    const std::size_t first = static_cast<std::size_t>(std::max(m_from->value(), 1)) - 1;
    std::vector<std::size_t> chosen;
    for (std::size_t i = first; i < m_file.slips.size(); ++i) {
        chosen.push_back(i);
    }
    const bool leftOut = leaveOutAddressless(chosen);
    if (chosen.empty()) {
        if (!leftOut) {
            Prompt::instance().notify(this, QStringLiteral("印刷する送り状を選んでください"));
        }
        return;
    }
    const auto printedBefore = std::count_if(
        chosen.begin(), chosen.end(), [this](std::size_t i) { return JournalSlipCheck::Marked(m_file.slips[i]); });
    QString question = QStringLiteral("%1番から%2枚の送り状を印刷しますか?").arg(first + 1).arg(chosen.size());
    if (printedBefore > 0) {
        question += QStringLiteral("（うち%1枚は印刷済みです）").arg(printedBefore);
    }
    printSlips(chosen, question, true);
}

std::filesystem::path BatchWindow::journalFile() const
{
    return journal::Journal::In(m_folder.toStdString());
}

// Marks the slips the journal now knows, after a job.
void BatchWindow::markPrinted()
{
    const JournalSlipCheck journalCheck(journalFile());
    for (std::size_t i = 0; i < m_file.slips.size(); ++i) {
        batch::BatchSlip& slip = m_file.slips[i];
        if (!JournalSlipCheck::Marked(slip)) {
            std::vector<std::string> warnings = journalCheck.check(slip);
            slip.warnings.insert(slip.warnings.end(), warnings.begin(), warnings.end());
            showSlip(static_cast<int>(i));
        }
    }
}

void BatchWindow::printChosen(std::vector<std::size_t> chosen)
{
    if (chosen.empty()) {
        Prompt::instance().notify(this, QStringLiteral("印刷する送り状を選んでください"));
        return;
    }
    if (leaveOutAddressless(chosen) && chosen.empty()) {
        return;
    }
    const std::size_t asked = chosen.size();
    std::erase_if(chosen,
                  [this](std::size_t i) { return JournalSlipCheck::Marked(m_file.slips[i]) && !m_printAgain[i]; });
    if (chosen.empty()) {
        Prompt::instance().notify(
            this,
            QStringLiteral("選んだ送り状はすべて印刷済みです。もう一度印刷するには番号にチェックを入れてください"));
        return;
    }
    const QString question = chosen.size() == asked
                                 ? QStringLiteral("%1枚の送り状を印刷しますか?").arg(chosen.size())
                                 : QStringLiteral("%1枚の送り状を印刷しますか?（印刷済みの%2枚は除きます）")
                                       .arg(chosen.size())
                                       .arg(asked - chosen.size());
    printSlips(chosen, question, false);
}

// A slip whose address was mended away is never printed: it would waste a form. True when
// one was left out, which the user is told.
bool BatchWindow::leaveOutAddressless(std::vector<std::size_t>& chosen)
{
    std::vector<std::size_t> without;
    std::erase_if(chosen, [&](std::size_t i) {
        const bool none = batch::HasNoAddress(m_file.slips[i]);
        if (none) {
            without.push_back(i);
        }
        return none;
    });
    if (without.empty()) {
        return false;
    }
    QStringList numbers;
    for (const std::size_t i : without) {
        numbers << QString::number(i + 1);
    }
    Prompt::instance().notify(this, QStringLiteral("%1番の送り状は印刷しません（%2）")
                                        .arg(numbers.join(QStringLiteral("、")), QString::fromUtf8(kNoAddress)));
    return true;
}

void BatchWindow::printSlips(const std::vector<std::size_t>& chosen, const QString& question, bool resuming)
{
    if (!Prompt::instance().ask(this, question)) {
        return;
    }
    QProgressDialog progress(QStringLiteral("印刷しています…"), QStringLiteral("中止"), 0,
                             static_cast<int>(chosen.size()), this);
    progress.setObjectName(QStringLiteral("ProgressDialog_Batch"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    BatchPrinted printed;
    try {
        if (!shownSender()) {
            progress.reset();
            Prompt::instance().reportError(
                this, QStringLiteral("ご依頼主%1 が登録されていません").arg(m_sender->currentIndex() + 1));
            return;
        }
        printed = PrintBatch(
            m_file.slips, chosen, shownTarget(),
            [&progress](std::size_t done) {
                progress.setValue(static_cast<int>(done));
                return !progress.wasCanceled();
            },
            [this, resuming](std::size_t i) { return resuming || m_printAgain[i]; });
    } catch (const printcommand::BatchJobError& error) {
        const bool cancelled = progress.wasCanceled();
        progress.reset();
        if (cancelled) {
            Prompt::instance().notify(this, QStringLiteral("印刷を中止しました。プリンタには1枚も送られていません"));
            return;
        }
        const QString where = error.stoppedAt() < chosen.size()
                                  ? QStringLiteral("%1番の送り状で").arg(chosen[error.stoppedAt()] + 1)
                                  : QStringLiteral("最後に");
        Prompt::instance().reportError(this,
                                       QStringLiteral("%1印刷を中止しました。プリンタには1枚も送られていません: %2")
                                           .arg(where, QString::fromStdString(error.what())));
        return;
    } catch (const std::exception& error) {
        progress.reset();
        Prompt::instance().reportError(this, QString::fromStdString(error.what()));
        return;
    }
    markPrinted();
    m_printedIds = printed.journalIds;
    m_scanNumbers->setEnabled(!m_printedIds.empty());
    m_consecutive->setEnabled(!m_printedIds.empty());
    Prompt::instance().notify(this, printedNotice(printed));
}

// What printed, and which slips another station took first (they stay unticked, marked).
QString BatchWindow::printedNotice(const BatchPrinted& printed) const
{
    QString notice = printed.slips.empty() ? QStringLiteral("印刷した送り状はありません")
                                           : QStringLiteral("%1枚の送り状を印刷しました").arg(printed.slips.size());
    if (!printed.leftOut.empty()) {
        QStringList slips;
        for (const auto& [station, numbers] : LeftOutByStation(printed.leftOut)) {
            slips << QStringLiteral("%1番（%2）").arg(QString::fromStdString(numbers), QString::fromStdString(station));
        }
        notice +=
            QStringLiteral("\n他の端末が先に印刷を始めたため除きました: %1").arg(slips.join(QStringLiteral("、")));
    }
    for (const std::string& warning : printed.warnings) {
        notice += QLatin1Char('\n') + QString::fromStdString(warning);
    }
    if (!printed.claimError.empty()) {
        notice += QStringLiteral("\n他の端末に確認できないまま印刷しました: %1")
                      .arg(QString::fromStdString(printed.claimError));
    }
    if (!printed.journalError.empty()) {
        notice +=
            QStringLiteral("\n印刷履歴に記録できませんでした: %1").arg(QString::fromStdString(printed.journalError));
    }
    return notice;
}

void BatchWindow::scanNumbers()
{
    TrackingScanDialog dialog(journalFile(), shipping::SettingsFileIn(m_folder.toStdString()), m_printedIds, this);
    dialog.exec();
}

void BatchWindow::numberConsecutively()
{
    ConsecutiveNumbersDialog dialog(journalFile(), shipping::SettingsFileIn(m_folder.toStdString()), m_printedIds,
                                    this);
    dialog.exec();
}
