#pragma once
// The lines an import reports ("Line N: text"), as a front end shows them,
// for the CHIRP CSV tests to compare.

#include "workflow/ChirpCsv.h"

#include <QStringList>

namespace tavo::test {

inline QStringList Texts(const QList<ChirpCsvLine> &lines)
{
    QStringList out;
    for (const ChirpCsvLine &l : lines)
        out << FormatChirpCsvLine(l);
    return out;
}

} // namespace tavo::test
