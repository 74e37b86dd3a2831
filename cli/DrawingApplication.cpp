#include "cli/DrawingApplication.h"

#include "platform/FontSubstitutes.h"

namespace {

// Qt keeps the arguments it was given for the application's whole life.
char g_programName[] = "mivo-kangaroo";
char* g_arguments[] = {g_programName, nullptr};
int g_argumentCount = 1;

} // namespace

DrawingApplication::DrawingApplication()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    m_application = std::make_unique<QGuiApplication>(g_argumentCount, g_arguments);
    InstallFontSubstitutes();
}
