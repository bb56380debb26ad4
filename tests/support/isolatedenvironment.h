#ifndef ISOLATEDENVIRONMENT_H
#define ISOLATEDENVIRONMENT_H

#include <QString>

// Points the settings store, the home and configuration folders and the working directory of the
// test process at a fresh temporary folder, so that no test reads or changes the user's files,
// and keeps the tests away from any Standalone Box attached to the machine.
// Call it before the QApplication exists. Returns the folder, which lives until the process ends.
QString isolateTestEnvironment();

#endif
