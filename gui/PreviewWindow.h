#pragma once

#include "preview/FormScan.h"
#include "preview/PreviewRenderer.h"

#include <QDialog>

#include <filesystem>
#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QScrollArea;

// The slip as the next print would put it on the current printer's page, over the form's
// outline and optionally the user's scan of the form; zoom to fit, real size or twice, and
// print from here. Showing it writes nothing; only choosing or placing a scan records it in
// the settings file.
class PreviewWindow : public QDialog
{
    Q_OBJECT

public:
    enum Zoom
    {
        ZoomFit = 0,
        ZoomActual = 1,
        ZoomDouble = 2,
    };

    PreviewWindow(PreviewScene scene, std::filesystem::path settingsFile, std::function<void()> print,
                  QWidget* parent = nullptr);

    QComboBox* ComboBox_Zoom = nullptr;
    QPushButton* BitBtn_Scan = nullptr;
    QDoubleSpinBox* SpinBox_ScanDpi = nullptr;
    QPushButton* BitBtn_ScanPoints = nullptr;
    QPushButton* BitBtn_Print = nullptr;
    QLabel* Label_PageInfo = nullptr;
    QLabel* Label_Page = nullptr;

    // Pixels per inch of the picture shown.
    double shownDpi() const { return m_shownDpi; }
    const PreviewScene& scene() const { return m_scene; }
    // Lays this scan under the slip and records it; false when it cannot be read or placed.
    bool setScan(const FormScan& scan);
    // The two form corners a scan is placed by, in points from the paper's corner.
    QPointF referencePoint(int index) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createLayout();
    QWidget* createScanBar();
    void showInfo();
    void render();
    double zoomDpi() const;
    void chooseScan();
    void scanDpiChanged(double dpi);
    void startPicking();
    void picked(QPointF labelPosition);

    PreviewScene m_scene;
    std::filesystem::path m_settingsFile;
    std::function<void()> m_print;
    std::optional<FormScan> m_scan;
    QScrollArea* m_area = nullptr;
    double m_shownDpi = 0;
    int m_picking = -1; // the reference point awaited, -1 when not picking
    QPointF m_pickedPixels[2];
};
