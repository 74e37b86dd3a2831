#pragma once

#include <QGuiApplication>

#include <memory>

// The Qt application of a command that draws (a slip on a printer, a preview in a file): it
// needs fonts and a paint device but no screen, so without a display it runs offscreen.
class DrawingApplication
{
public:
    DrawingApplication();

private:
    std::unique_ptr<QGuiApplication> m_application;
};
