#ifndef SETTINGSVALUES_H
#define SETTINGSVALUES_H

#include <QVariant>
#include <QtGlobal>

// The settings store's values as the tool takes them. A store may hand a number back as a number
// or as its text, and the user may have edited it: a text that is not a whole number within the
// integer range reads as 0.
namespace SettingsValues {

// A preset depth keeps the low 8 bits of the stored integer: 300 gives 44.
quint8 depth(const QVariant& stored);

// A position letter is stored as the signed value of its byte, the ordinary character code for
// any ASCII letter. Codes -128 to 255 name a byte; anything else gives the character with code 0.
char letter(const QVariant& stored);

} // namespace SettingsValues

#endif
