#include "printers/SpoolJob.h"

#include "platform/QPainterCanvas.h"

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <stdexcept>

SpoolJob::SpoolJob(const QString& path, const PageGeometry& page, const QString& paperName, const QString& title)
    : m_path(path), m_writer(std::make_unique<QPdfWriter>(path))
{
    m_writer->setTitle(title);
    m_writer->setCreator(QStringLiteral("mivo_Kangaroo"));
    const QPageSize size(QSizeF(page.paperWidthPt, page.paperHeightPt), QPageSize::Point, paperName,
                         QPageSize::ExactMatch);
    m_writer->setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF()));
    m_writer->setResolution(page.dpi.x);
    if (!m_painter.begin(m_writer.get())) {
        QFile::remove(m_path);
        throw std::runtime_error("Cannot write the print spool file " + path.toStdString());
    }
    m_canvas = std::make_unique<QPainterCanvas>(m_painter, page.placement(page.dpi.x));
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
    if (m_painter.isActive() && !m_painter.end()) {
        throw std::runtime_error("Cannot complete the print spool file " + m_path.toStdString());
    }
}

void SpoolJob::newPage()
{
    if (!m_writer->newPage()) {
        throw std::runtime_error("Cannot add a page to the print spool file " + m_path.toStdString());
    }
}

void SpoolJob::discard()
{
    if (m_painter.isActive()) {
        m_painter.end();
    }
    QFile::remove(m_path);
}
