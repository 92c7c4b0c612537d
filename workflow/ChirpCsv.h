#pragma once
// Channel plans exchanged with other programming tools as CHIRP CSV files:
// one row per channel, frequencies in MHz with six decimals, tones and DCS
// codes in CHIRP's tone modes (Tone, TSQL, DTCS, Cross with its CrossMode).
//
// Export reads the profile through its data items; import changes it only
// through the rules, row by row: a row the radio cannot hold is left out as
// a whole (the profile is restored to what it was before the row) and
// reported with its line number.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tavo {

class CRadioDataModel;

// The header line, exactly as CHIRP writes it.
inline constexpr const char kChirpCsvHeader[] =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// The channels in use, in channel order (Location from 1), UTF-8 with CR LF
// line ends. A channel in talkaround (repeater off) transmits on its
// receive frequency and is written as simplex. Power is the level the
// channel transmits with (the frequency's, where it allows one only), in
// watts from the model's power table. A name a spreadsheet program would
// take for a formula (=, +, -, @ first) is quoted with ' before it.
// A repeater channel whose two directions have different bandwidths loses
// the transmit one (a row holds one mode): `lost`, when given, receives a
// line for each such channel.
QByteArray ExportChirpCsv(const CRadioDataModel &model, QStringList *lost = nullptr);

struct ChirpCsvLine {
    int line = 0;  // line of the file where the row starts (the header is line 1)
    QString text;  // why, in the user's language
};

// Rows taken with the bandwidth or power the frequency allows instead of
// the one asked for: the values set (shown texts, empty when not changed).
struct ChirpAdjustment {
    QString bandwidth;
    QString power;
    int rows = 0;
};

struct ChirpImportReport {
    bool isChirpFile = false;     // false: no CHIRP header, nothing was read
    int rows = 0;                 // data rows in the file
    int imported = 0;             // rows taken into the profile
    QList<ChirpCsvLine> refused;  // rows left out
    QList<ChirpCsvLine> notes;    // rows taken with a change (a name the rules did not take)
    QList<ChirpAdjustment> adjusted;
    bool fromLocationZero = false; // by location, in a file that counts from 0
    int leftOver = 0;              // in file order: rows after the last channel
    int channels = 0;              // the channels the radio can hold
    // By location: rows left out only for a location beyond the radio's
    // channels (said in one line, not a line each), and their locations.
    int beyondChannels = 0;
    int firstBeyond = 0, lastBeyond = 0;
    int replaced = 0;              // rows taken, then replaced by a later row of the same location
    QString headerLine;            // the file's first line, to say what a file that is not CHIRP's holds
};

// Where the rows of a file go.
enum class ChirpPlacement {
    ByLocation,  // Location N into channel N (N + 1 in a file that uses Location 0)
    InFileOrder, // the rows the radio takes fill channels 1, 2, 3... in file order
};

// Imports `csv` into the open profile: a row overwrites its channel, or
// creates it (and any missing channel before it, with the rules' defaults);
// frequencies missing from the frequency table are added; a tone takes the
// code of exactly that tone, else a free customised tone slot. Names are cut
// to 8 characters. Power in watts (or the words High and Low) takes the
// nearest level; where a frequency allows one bandwidth or one power only,
// the row gets it. Lines starting with # are comments.
ChirpImportReport ImportChirpCsv(CRadioDataModel &model, const QByteArray &csv,
                                 ChirpPlacement placement = ChirpPlacement::ByLocation);

// "N of M rows imported." and what applied to many rows, one line each.
QStringList ChirpImportSummary(const ChirpImportReport &report);

// Why a file is not a CHIRP file: what its first line holds.
QString ChirpNotChirpText(const ChirpImportReport &report);

// A text of the file as a message can show it: control characters (a NUL
// among them, which would end the message) written as escapes.
QString VisibleCsvText(const QString &field);

// "Line N: text", for showing a refused row or a note.
QString FormatChirpCsvLine(const ChirpCsvLine &line);

// The fields of each record of a CSV text (quoted fields, doubled quotes,
// line breaks inside quotes, CR LF or LF) with the line each record starts
// on. Empty lines and lines starting with # are skipped.
struct CsvRecord {
    int line = 0;
    QList<QString> fields;
};
QList<CsvRecord> ParseCsv(const QString &text);

} // namespace tavo
