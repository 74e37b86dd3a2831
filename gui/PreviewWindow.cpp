#include "gui/PreviewWindow.h"

#include "jobs/SlipJobs.h"
#include "preview/PreviewScene.h"
#include "slipprint/SlipFit.h"
#include "slipprint/SlipFormOutline.h"
#include "slipprint/SlipGeometry.h"
#include "widgets/ErrorReport.h"
#include "widgets/Prompt.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDefaultScanDpi = 200;
constexpr double kMaxShownDpi = 1200;

QString millimetres(double points)
{
    return QString::number(points * 25.4 / 72, 'f', 1);
}

} // namespace

PreviewWindow::PreviewWindow(PreviewScene scene, std::filesystem::path settingsFile, std::function<void()> print,
                             QWidget* parent)
    : QDialog(parent), m_scene(std::move(scene)), m_settingsFile(std::move(settingsFile)), m_print(std::move(print))
{
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowTitle(QStringLiteral("プレビュー"));
    m_scan = formscan::Read(m_settingsFile);
    if (m_scan && !preview::AddScan(m_scene, *m_scan)) {
        m_scan.reset();
    }
    createLayout();
    showInfo();
    resize(900, 560);
    render();
}

void PreviewWindow::createLayout()
{
    auto* column = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    ComboBox_Zoom = new QComboBox(this);
    ComboBox_Zoom->setObjectName(QStringLiteral("ComboBox_Zoom"));
    ComboBox_Zoom->addItems({QStringLiteral("全体"), QStringLiteral("100 %"), QStringLiteral("200 %")});
    connect(ComboBox_Zoom, &QComboBox::currentIndexChanged, this, [this] { RunReported(this, [this] { render(); }); });
    bar->addWidget(ComboBox_Zoom);
    bar->addWidget(createScanBar());
    bar->addStretch();
    BitBtn_Print = new QPushButton(QStringLiteral("印刷"), this);
    BitBtn_Print->setObjectName(QStringLiteral("BitBtn_Print"));
    BitBtn_Print->setAutoDefault(false);
    connect(BitBtn_Print, &QPushButton::clicked, this, [this] { RunReported(this, m_print); });
    bar->addWidget(BitBtn_Print);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName(QStringLiteral("BitBtn_Close"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    bar->addWidget(close);
    column->addLayout(bar);

    Label_PageInfo = new QLabel(this);
    Label_PageInfo->setObjectName(QStringLiteral("Label_PageInfo"));
    column->addWidget(Label_PageInfo);

    m_area = new QScrollArea(this);
    m_area->setAlignment(Qt::AlignCenter);
    m_area->setBackgroundRole(QPalette::Dark);
    Label_Page = new QLabel;
    Label_Page->setObjectName(QStringLiteral("Label_Page"));
    Label_Page->installEventFilter(this);
    m_area->setWidget(Label_Page);
    column->addWidget(m_area, 1);
}

QWidget* PreviewWindow::createScanBar()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    BitBtn_Scan = new QPushButton(QStringLiteral("用紙の画像…"), bar);
    BitBtn_Scan->setObjectName(QStringLiteral("BitBtn_Scan"));
    BitBtn_Scan->setAutoDefault(false);
    connect(BitBtn_Scan, &QPushButton::clicked, this, [this] { RunReported(this, [this] { chooseScan(); }); });
    row->addWidget(BitBtn_Scan);
    SpinBox_ScanDpi = new QDoubleSpinBox(bar);
    SpinBox_ScanDpi->setObjectName(QStringLiteral("SpinBox_ScanDpi"));
    SpinBox_ScanDpi->setRange(10, 2400);
    SpinBox_ScanDpi->setDecimals(1);
    SpinBox_ScanDpi->setSuffix(QStringLiteral(" dpi"));
    SpinBox_ScanDpi->setValue(m_scan && !m_scan->byPoints ? m_scan->dpi : kDefaultScanDpi);
    SpinBox_ScanDpi->setKeyboardTracking(false);
    connect(SpinBox_ScanDpi, &QDoubleSpinBox::valueChanged, this,
            [this](double dpi) { RunReported(this, [this, dpi] { scanDpiChanged(dpi); }); });
    row->addWidget(SpinBox_ScanDpi);
    BitBtn_ScanPoints = new QPushButton(QStringLiteral("基準点で合わせる"), bar);
    BitBtn_ScanPoints->setObjectName(QStringLiteral("BitBtn_ScanPoints"));
    BitBtn_ScanPoints->setAutoDefault(false);
    connect(BitBtn_ScanPoints, &QPushButton::clicked, this, [this] { startPicking(); });
    row->addWidget(BitBtn_ScanPoints);
    SpinBox_ScanDpi->setEnabled(m_scan.has_value());
    BitBtn_ScanPoints->setEnabled(m_scan.has_value());
    return bar;
}

void PreviewWindow::showInfo()
{
    const PageGeometry& page = m_scene.page;
    const SlipPrintState& state = m_scene.printState;
    Label_PageInfo->setText(
        QStringLiteral("用紙 %1×%2 mm　印字可能域 左 %3 mm 上 %4 mm から %5×%6 mm　%7×%8 dpi　TOP %9 / LEFT %10 ドット")
            .arg(millimetres(page.paperWidthPt), millimetres(page.paperHeightPt), millimetres(page.printableLeftPt),
                 millimetres(page.printableTopPt), millimetres(page.printableWidthPt),
                 millimetres(page.printableHeightPt))
            .arg(QString::number(state.dpiX), QString::number(state.dpiY), QString::number(state.top),
                 QString::number(state.left)));
    // What the printer cannot reach, and the texts drawn in red, in words beside the picture.
    QStringList notes;
    if (const std::string shortfall = AreaShortfall(page); !shortfall.empty()) {
        notes << QString::fromStdString(shortfall);
    }
    for (const std::string& warning : slipjobs::FitWarnings(page, state, m_scene.slip)) {
        notes << QString::fromStdString(warning);
    }
    if (!notes.isEmpty()) {
        Label_PageInfo->setText(Label_PageInfo->text() + u'\n' + notes.join(u'\n'));
    }
}

double PreviewWindow::zoomDpi() const
{
    // Real size: the screen's own pixels per inch.
    const QScreen* shown = screen();
    const double screenDpi = shown != nullptr ? shown->physicalDotsPerInch() : 96.0;
    switch (ComboBox_Zoom->currentIndex()) {
    case ZoomActual:
        return screenDpi;
    case ZoomDouble:
        return 2 * screenDpi;
    default: {
        const QSize room = m_area->maximumViewportSize() - QSize(8, 8);
        const double across = room.width() * 72.0 / m_scene.page.paperWidthPt;
        const double down = room.height() * 72.0 / m_scene.page.paperHeightPt;
        return std::clamp(std::min(across, down), 8.0, kMaxShownDpi);
    }
    }
}

void PreviewWindow::render()
{
    m_shownDpi = zoomDpi();
    const double ratio = devicePixelRatioF();
    QImage image = preview::RenderImage(m_scene, m_shownDpi * ratio);
    image.setDevicePixelRatio(ratio);
    Label_Page->setPixmap(QPixmap::fromImage(image));
    Label_Page->resize(Label_Page->pixmap().deviceIndependentSize().toSize());
}

void PreviewWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (ComboBox_Zoom->currentIndex() == ZoomFit) {
        RunReported(this, [this] { render(); });
    }
}

bool PreviewWindow::setScan(const FormScan& scan)
{
    PreviewScene scene = m_scene;
    if (!preview::AddScan(scene, scan)) {
        return false;
    }
    formscan::Write(m_settingsFile, scan);
    m_scene = std::move(scene);
    m_scan = scan;
    SpinBox_ScanDpi->setEnabled(true);
    BitBtn_ScanPoints->setEnabled(true);
    render();
    return true;
}

void PreviewWindow::chooseScan()
{
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("用紙の画像"), QString(),
                                                      QStringLiteral("画像 (*.png *.jpg *.jpeg)"));
    if (file.isEmpty()) {
        return;
    }
    FormScan scan;
    scan.file = file;
    scan.dpi = SpinBox_ScanDpi->value();
    if (!setScan(scan)) {
        Prompt::instance().notify(this, QStringLiteral("「%1」は PNG か JPEG の画像として読めません").arg(file));
    }
}

void PreviewWindow::scanDpiChanged(double dpi)
{
    if (!m_scan) {
        return;
    }
    FormScan scan = *m_scan;
    scan.byPoints = false;
    scan.dpi = dpi;
    setScan(scan);
}

QPointF PreviewWindow::referencePoint(int index) const
{
    // The delivery date's top-left and the piece count's bottom-right: far apart on the form.
    const slipform::Box& box = index == 0 ? slipform::Boxes().front() : slipform::Boxes().back();
    const slipgeometry::DeviceMapping mapping =
        slipgeometry::MakeDeviceMapping({m_scene.printState.dpiX, m_scene.printState.dpiY, 0, 0});
    const CanvasPlacement points = m_scene.page.placement(72);
    const int x = index == 0 ? box.x : box.x + box.width;
    const int y = index == 0 ? box.y : box.y + box.height;
    return {points.originX + mapping.deviceX(x) * points.dotWidth,
            points.originY + mapping.deviceY(y) * points.dotHeight};
}

void PreviewWindow::startPicking()
{
    m_picking = 0;
    Label_PageInfo->setText(
        QStringLiteral("画像の上で「お届け日」の枠の左上をクリックしてください（赤い枠がそこに合わせられます）"));
}

void PreviewWindow::picked(QPointF labelPosition)
{
    const QPointF paperPt = labelPosition * 72.0 / m_shownDpi;
    m_pickedPixels[m_picking] = m_scene.scanToPaperPoints.inverted().map(paperPt);
    if (m_picking == 0) {
        m_picking = 1;
        Label_PageInfo->setText(QStringLiteral("次に「個数」の枠の右下をクリックしてください"));
        return;
    }
    m_picking = -1;
    FormScan scan = *m_scan;
    scan.byPoints = true;
    for (int i = 0; i < 2; ++i) {
        scan.scanPixel[i] = m_pickedPixels[i];
        scan.paperMm[i] = referencePoint(i) * 25.4 / 72;
    }
    showInfo();
    if (!setScan(scan)) {
        Prompt::instance().notify(this, QStringLiteral("同じ点を二度選んだため合わせられません"));
    }
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label_Page && event->type() == QEvent::MouseButtonPress && m_picking >= 0 && m_scan) {
        const QPointF at = static_cast<QMouseEvent*>(event)->position();
        RunReported(this, [this, at] { picked(at); });
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
