#ifndef DEMOWORKSPACE_H
#define DEMOWORKSPACE_H

#include <QString>

// The demo works in a folder of its own, so that trying the tool out changes neither the crew's
// setup nor their logs: kelvoconf-demo in the user's data folder (on Linux under $XDG_DATA_HOME,
// by default ~/.local/share). Entering it creates the folder when needed, points the per-user
// settings store at its "settings" folder, copies the tab pictures of imagesFolder into its
// "Images" folder (afresh at every start) and makes it the working directory, where the
// operations log and the LogBox files go. Call it before the window is created. Returns the
// folder, or an empty text when it cannot be made.
//
QString enterDemoWorkspace(const QString& imagesFolder);

// The demo keeps its setup under an application name of its own, so that on Windows and macOS
// too, where the store is the registry or the preferences, it keeps away from the crew's setup.
inline const char* const kDemoSetupStore = "ConfKelvo Demo";

#endif
