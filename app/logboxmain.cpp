// kelvoconf-logbox: the box's log for scripts and reports, from saved LogBox files.

#include "box/kelvooverview.h"
#include "box/overviewcsv.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace {

const char* const kUsage =
    "Usage: kelvoconf-logbox overview FILE...\n"
    "\n"
    "Reads the LogBox files that the Kelvo configuration tool saves when it downloads the\n"
    "Standalone Box's log, and prints one CSV line per Kelvo on standard output, after this\n"
    "header line:\n"
    "\n"
    "  serial,kelvo_serial,entries,first_seen,last_seen,activation_depth,filter,battery_mv,"
    "lowest_battery_mv,supercap_mv,error_flags,attention\n"
    "\n"
    "first_seen and last_seen are written as yyyyMMdd hh:mm:ss. The activation\n"
    "depth, filter, battery and supercapacitor levels and error flags are those of the Kelvo's\n"
    "latest entry; lowest_battery_mv is the lowest battery level of all its entries. attention is\n"
    "empty when the Kelvo needs no look, else its reasons separated by ';': battery below\n"
    "threshold, supercapacitor low (below the battery threshold), error flag (set in the latest\n"
    "entry), activation depth differs or filter differs (from the one most Kelvos in these files\n"
    "have). Kelvos needing attention come first.\n"
    "\n"
    "The same entry found twice (the same line, in one file or in two) counts once. A line that\n"
    "is not a LogBox line is reported on standard error with its file and line number and left\n"
    "out; so is a file that cannot be read. The program then ends with status 1, after printing\n"
    "the rest.\n"
    "\n"
    "Exit status: 0 when every line was read, 1 when a line or a file was left out, 2 on wrong\n"
    "usage.\n";

void printError(const QString& text)
{
    std::fputs(qPrintable(text + QLatin1Char('\n')), stderr);
}

void print(const QByteArray& text)
{
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments().mid(1);
    if (arguments.contains(QLatin1String("--help"))) {
        print(kUsage);
        return 0;
    }
    if (arguments.size() < 2 || arguments.first() != QLatin1String("overview")) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    KelvoOverview overview;
    bool leftOut = false;
    const QStringList paths = arguments.mid(1);
    for (const QString& path : paths) {
        QString errorText;
        if (!overview.addFile(path, errorText)) {
            printError(QStringLiteral("%1: cannot be read: %2").arg(path, errorText));
            leftOut = true;
        }
    }
    for (const BadLogBoxLine& bad : overview.badLines()) {
        printError(QStringLiteral("%1:%2: not a LogBox line").arg(bad.mFile).arg(bad.mLineNumber));
        leftOut = true;
    }
    print(OverviewCsv::header());
    for (const KelvoSummary& kelvo : overview.kelvos()) {
        print(OverviewCsv::line(kelvo));
    }
    return leftOut ? 1 : 0;
}
