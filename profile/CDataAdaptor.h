#pragma once
// Conversion between the codeplug image and the profile text. No state of
// its own: the conversions and the field helpers are free operations.

#include "codeplug/VirtualCP.h"

#include <QString>

namespace tavo {

namespace CDataAdaptor {

// Image -> profile text. Returns false after telling the user when the
// serial number is invalid or the text does not parse; raises 134 when the
// XML service cannot be created. Duplicate channel names are renamed in
// place in the image.
bool VirtualCP2XML(VirtualCP &cp, QString &xml);

// Profile text -> image. Raises CTavoCPSException (131) when an element or
// attribute that the reading rules use is missing or the text does not
// parse; the image is then left as it was.
bool XML2VirtualCP(const QString &xml, VirtualCP &cp);

// Serial number format of the radio (10 characters).
bool IsValidSerialNumber(const uint8_t *serial10);

// Renames duplicate channel names of the used slots, in place.
void MakeChannelNamesUnique(VirtualCP &cp);

// Attribute text of a fixed-width character field: ended at its width or
// first zero, converted from the ANSI code page, trimmed, XML-escaped.
QString FieldToAttributeText(const uint8_t *field, size_t width);

// Appends `name="value" ` to `text`.
void AppendAttribute(QString &text, const char *name, const QString &value);

// Escapes &, <, >, " in that order.
QString EscapeAttribute(QString text);

// The unsigned decimal parse of profile numbers: leading white space and a
// sign accepted, trailing text ignored, 32-bit wrap-around like the
// platform's strtoul.
uint32_t ParseNumber(const QString &text);

} // namespace CDataAdaptor

} // namespace tavo
