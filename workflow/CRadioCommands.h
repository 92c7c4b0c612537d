#pragma once
// The radio commands of the main frame, written once for every front end:
// the checks after an identification in their order, the password loop,
// the write preparation (model, codeplug and compatibility checks, the image
// from the profile, the model conversion for a smaller radio, the radio's
// firmware and model copied into the image, the tone-code limit lowered),
// and whole read and write commands with a backup of the radio's image
// before every write and an optional verify after it.
//
// Questions and messages go through the message sink (ShowMessage); the
// password dialog and the stage texts through the host. The GUI's
// notification handler calls the steps one by one (the transfer runs in the
// progress dialog); the command line runs ReadFromRadio / WriteToRadio.

#include "radio/CRadioOperation.h"
#include "workflow/CRadioTransfer.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <mutex>

namespace tavo {

class CRadioDataModel;

class IRadioCommandHost {
public:
    virtual ~IRadioCommandHost() = default;
    // The password dialog for a radio whose password is `expected`: false
    // when the user cancels; true with the accepted entry in `entered` (the
    // GUI's dialog refuses a wrong entry itself with message 279).
    virtual bool AskPassword(const QString &expected, QString &entered) = 0;
    // A new stage of a command begins (its status text id), for progress.
    virtual void Stage(int /*textId*/) {}
    // The radio's image was saved before the write, to `path`.
    virtual void BackedUp(const QString & /*path*/) {}
};

// The radio's model as text, three letters and five digits ("OUD11602"),
// and its four password characters (up to the first zero).
QString RadioModelText(const CRadioIdent &ident);
QString RadioPasswordText(const CRadioIdent &ident);
// The radio's firmware in the form Radio Information shows ("R02.01"):
// the phase, then the version and revision characters as the numbers
// they stand for; empty before an identification.
QString RadioFirmwareText(const CRadioIdent &ident);
// The region code: the model's last two digits printed one after the other.
QString RadioRegionCode(const CRadioIdent &ident);

// The setting documents the checks need (regions, supported codeplug); the
// GUI has loaded them at start-up, the command line loads them here. False
// after the loader's message.
bool EnsureSettingDocuments();

// Identification checks 1 and 2: the region and clone class (a read: 403
// with 504 naming the edition when one is known; a write: 462), then the
// codeplug (402). Shows the message; false ends the command.
bool CheckIdentification(const CRadioIdent &ident, bool forWrite);

// While the radio has a password that differs from `accepted`, the host
// asks for it; an accepted entry becomes `accepted`. False when cancelled.
bool RunPasswordLoop(const CRadioIdent &ident, QString &accepted, IRadioCommandHost &host);

// Before a write starts: no value outside its range and no index past its
// table (the sentence naming it), every channel frequency inside the
// profile's frequency range (else message 511). False: nothing starts.
bool CheckWriteStart(const CRadioDataModel &profile);

// Everything between the identification and the write transfer: the checks
// 440, 402, 396, 269, 483 in this order, the image filled from the profile,
// the model conversion, the password loop, the radio's firmware and model
// copied into the image and the image's tone-code limit lowered to the
// radio's. What the radio cannot hold as the profile has it (codes replaced)
// is said: in `notes` for a caller that shows them before the write (the
// change list), else asked at once (10104: No ends the command). False:
// the command ends (the message was shown or the user said No or Cancel).
bool PrepareWrite(CRadioDataModel &profile, const CRadioIdent &ident, QString &accepted, IRadioCommandHost &host, VirtualCP &image,
                  QStringList *notes = nullptr);

// The model conversion for a smaller radio: codes above the radio's
// highest become 1, each one of a channel in use named in `notes`
// ("Channel 1 receive tone: DCS 023 inverted cannot be held by this radio
// (codes up to 127): written as 67.0 Hz", and the customised tones of a
// radio that has none); fewer channels (the models' fifth and sixth
// characters) ask question 319 and then lower the channel limit, clear the
// channels beyond it and move presets that point past it; a rotary radio
// (third letter "R") for a profile that is not rotary asks 319 (unless
// asked already) and clears the buttons in slots 8, 5 and 9. False after a
// No.
bool ConvertModelForRadio(VirtualCP &image, const QString &profileModel, const CRadioIdent &ident, QStringList *notes = nullptr);

// What the radio will hold of `image`, worked out against `radio` (its
// image as just read: its synthesizer base and frequency limits, which a
// write never changes): every frequency slot encoded anew for the radio's
// own base, the image's base, limits and repeater feature made the radio's
// (a write never sends them), so that whatever
// reads the image afterwards (the change list, verify) sees the
// frequencies the radio will use. False, with the reason in `refusal` and
// `image` unchanged, when a channel in use receives or transmits outside
// the radio's limits, or a frequency cannot be held with its base.
bool FitImageToRadio(VirtualCP &image, const VirtualCP &radio, QString &refusal);
// A frequency range as the messages give it: "446.0-446.2 MHz".
QString FrequencyRangeText(uint32_t lowHz, uint32_t highHz);

// ---- verify and backup

// The field of the radio's memory that holds `address`, named for the
// user ("setting byte 7", "channel 3", "channel 3 checksum", "customised
// tone 2", "frequency slot 5", "memory byte 10A99").
QString RadioMemoryFieldName(uint32_t address);
// The field of the first byte the radio holds otherwise than the write sent
// it (`sent`: CRadioOperation::LastWrite, `held`: the same runs read
// back); empty when the radio holds every byte that was sent. With the
// image `written`, a byte of a field the change list knows is named as it
// names it ("Channel 3 name"); any other by its place in memory.
QString FirstUnwrittenField(const std::vector<MemoryRun> &sent, const std::vector<MemoryRun> &held, const VirtualCP *written = nullptr);
// The first frequency of `written` (encoded for its own synthesizer base)
// that the radio, with the frequency records `held` read back and its base
// `radioBase`, will use otherwise, named with both frequencies; empty when
// every frequency is the one meant.
QString FirstFrequencyDifference(const VirtualCP &written, const std::vector<MemoryRun> &held, uint32_t radioBase);

// The folder of the radio backups: <user data>/tavocps/backups.
QString BackupFolder();
// Saves `image` as SERIAL-YYYYMMDD-HHMMSS.img in the backup folder through
// the atomic writer and reads it back: the path written, or empty with
// `error` set ("Cannot write PATH: CAUSE", or the path that reads back
// otherwise).
QString BackupRadioImage(const VirtualCP &image, QString &error);
// A radio's serial as the backups' names carry it: letters and digits, any
// other character '_', "unknown" when it is empty.
QString BackupSerialName(const QString &serial);
// The backups of the radio with `serial`, newest first (full paths).
QStringList ListRadioBackups(const QString &serial);
// When a backup was saved, as its name tells (invalid for another name).
QDateTime RadioBackupTime(const QString &path);

// ---- whole commands

enum class RadioCommandResult {
    Done,
    Stopped,  // a check refused, the user cancelled: the message was shown
    Failed,   // the link failed: the notification sink has the failure
};

// Identification, its checks, the password loop and the read transfer
// (link start, read, reset) into `image`.
RadioCommandResult ReadFromRadio(CRadioOperation &op, const std::atomic<bool> &continueFlag, QString &accepted, IRadioCommandHost &host, VirtualCP &image);

struct RadioWriteOptions {
    bool verify = false;
    // A restore: the serial number of the radio the image was read from.
    // When the radio written has another, `confirmOtherRadio` is asked with
    // the sentence that says so (none: the message sink is asked, Yes and
    // No); anything but yes stops before the backup.
    QString imageSerial;
    std::function<bool(const QString &text)> confirmOtherRadio;
    // Shown what the write would change, once the radio's image has been
    // read and the image fitted to it, before anything is saved or
    // written, with what the radio cannot hold as the profile has it
    // (`notes`, from PrepareWrite): false skips the write (the report says
    // so). Called on the thread that runs the stages.
    std::function<bool(const VirtualCP &radio, const VirtualCP &toWrite, const QStringList &notes)> review;
    // The notes PrepareWrite left for the review.
    QStringList notes;
    // Held around every use of the profile (several ports writing one
    // profile at once take turns with it); none: the profile is this
    // thread's alone.
    std::mutex *profileLock = nullptr;
};

struct RadioWriteReport {
    CRadioIdent ident;          // the radio written
    QString serial;             // its serial number (from the backup read)
    QString backupPath;         // where its image was saved
    QString verifyDifference;   // the first field that did not read back
    bool skipped = false;       // the review declined the write: nothing written
    // The write went through whole but the read-back for the verify
    // failed: the radio holds the new codeplug, unverified.
    bool writtenUnverified = false;
    // SHA-256 of the image sent to the radio (lower-case hex), set once the
    // write transfer begins: what the radio was given.
    QString writtenHash;
};

// The write road: the start check, identification, its checks, the write
// preparation, the backup of the radio's current image (no backup, no
// write), the write transfer (link start, write, reset), the password
// handed back, and with `verify` a read-back compared with what was meant.
RadioCommandResult WriteToRadio(CRadioOperation &op, const std::atomic<bool> &continueFlag, CRadioDataModel &profile, QString &accepted,
                                IRadioCommandHost &host, const RadioWriteOptions &options, RadioWriteReport &report);

// An image (a backup, `write --image`) as the profile it converts to,
// loaded with its schema into `profile`: the restore road writes that
// profile, so every check of a profile write applies to it. False after
// the message (an image that does not convert, a profile that does not
// load).
bool LoadImageAsProfile(const VirtualCP &image, CRadioDataModel &profile);
// The serial number an image carries (its header), trimmed.
QString ImageSerial(const VirtualCP &image);
// The serial number of the radio that answers on `op`'s port, read quietly
// from its header (no progress, no message; under the port's lock): false
// when no radio answers; true with the serial as ImageSerial gives it, empty
// for a radio whose serial is blank.
bool ReadAnsweringSerial(CRadioOperation &op, QString &serial);

// The stages of a write after its preparation, as a worker thread runs
// them (nothing is shown but the questions of the options): the backup,
// the write transfer, the password handed back into `accepted`, and with
// `verify` the read-back. Stopped: `stopText` is the message to show (the
// backup was not saved, a field did not read back; empty when the user
// declined). Failed after a whole write whose read-back failed: the report
// says `writtenUnverified`.
RadioCommandResult RunWriteStages(CRadioOperation &op, const std::atomic<bool> &continueFlag, VirtualCP &image, QString &accepted,
                                  IRadioCommandHost &host, const RadioWriteOptions &options, RadioWriteReport &report, QString &stopText);

} // namespace tavo
