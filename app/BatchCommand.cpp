#include "BatchCommand.h"

#include "BatchOptions.h"
#include "BatchPrint.h"
#include "ColumnMapping.h"
#include "DryRunJson.h"
#include "FontSubstitutes.h"
#include "OrderFile.h"
#include "PostalDirectory.h"
#include "PostalSlipCheck.h"
#include "SlipSelection.h"

#include <QGuiApplication>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>

namespace {

constexpr std::string_view kUsage =
    "usage: mivo-kangaroo batch FILE [--format NAME] [--encoding utf-8|cp932] [--map FIELD=COLUMN,…] "
    "[--sender 1-10] [--paper 0|1] [--printer NAME] [--only 1,3-5] [--from N] [--dry-run]\n";

std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw batch::BatchError("cannot open " + path);
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (file.bad()) {
        throw batch::BatchError("cannot read " + path);
    }
    return std::move(bytes).str();
}

} // namespace

int RunBatchCommand(int argc, char* argv[], std::ostream& out, std::ostream& err)
{
    BatchOptions options;
    try {
        options = ParseBatchOptions(std::vector<std::string>(argv + 2, argv + argc));
    } catch (const BatchUsageError& error) {
        err << "mivo-kangaroo batch: " << error.what() << '\n' << kUsage;
        return 2;
    }
    try {
        batch::OrderFile file = batch::ReadOrderFile(readFile(options.file), options.read);
        const batch::PostalSlipCheck postalCheck(postal::directoryFor(std::filesystem::current_path()));
        batch::RunChecks(file.slips, {&postalCheck});
        const std::vector<std::size_t> chosen = batch::ChooseSlips(file.slips.size(), options.only, options.from);
        if (options.dryRun) {
            out << batch::DryRunJson(file, chosen);
            return 0;
        }
        // Printing draws with Qt but needs no screen.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
            qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        QGuiApplication application(argc, argv);
        InstallFontSubstitutes();
        return RunBatchPrint(file, chosen, options, err);
    } catch (const std::exception& error) {
        err << "mivo-kangaroo batch: " << error.what() << '\n';
        return 1;
    }
}
