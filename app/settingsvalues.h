#ifndef SETTINGSVALUES_H
#define SETTINGSVALUES_H

#include <QVariant>
#include <QtGlobal>

// The settings store's values as the tool takes them. A store may hand a number back as a number
// or as its text, and the user may have edited it or the file may be damaged: a value that the
// tool could not have stored itself gives the preset's default instead, since it would end up on
// a Kelvo.
namespace SettingsValues {

// A preset depth is taken only when it is a whole number from 25 to 150 metres, the limits of
// every depth the operator can enter.
quint8 depth(const QVariant& stored, quint8 fallback);

// A position letter is stored as the signed value of its byte (the ordinary character code for
// any ASCII letter). It is taken only when it names a printable character other than a comma,
// which would break the operations log's lines.
char letter(const QVariant& stored, char fallback);

} // namespace SettingsValues

#endif
