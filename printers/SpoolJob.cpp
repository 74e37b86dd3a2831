#include "SpoolJob.h"

#include "QPainterCanvas.h"

#include <QFile>
#include <QPageLayout>
#include <QPdfWriter>

#include <stdexcept>

SpoolJob::SpoolJob(const QString& path, const QPageSize& pageSize, Resolution dpi, const QString& title)
    : m_path(path), m_writer(std::make_unique<QPdfWriter>(path))
{
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("mivo_Kangaroo"));
    m_writer->setPageLayout(QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF()));
    m_writer->setResolution(dpi.x);
    if (!m_painter.begin(m_writer.get())) {
        QFile::remove(m_path);
        throw std::runtime_error("Cannot write the print spool file " + path.toStdString());
    }
    // A device with fewer dots vertically than horizontally (120 x 60): one device unit
    // stays one printer dot on each axis.
    if (dpi.y > 0 && dpi.y != dpi.x)
        m_painter.scale(1.0, static_cast<double>(dpi.x) / dpi.y);
    m_canvas = std::make_unique<QPainterCanvas>(m_painter);
}

SpoolJob::~SpoolJob()
{
    discard();
}

Canvas& SpoolJob::canvas()
{
    return *m_canvas;
}

void SpoolJob::finish()
{
    if (m_painter.isActive() && !m_painter.end())
        throw std::runtime_error("Cannot complete the print spool file " + m_path.toStdString());
}

void SpoolJob::newPage()
{
    if (!m_writer->newPage())
        throw std::runtime_error("Cannot add a page to the print spool file " + m_path.toStdString());
}

void SpoolJob::discard()
{
    if (m_painter.isActive())
        m_painter.end();
    QFile::remove(m_path);
}
