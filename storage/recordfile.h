#pragma once

#include "record.h"

#include <QString>
#include <QStringList>

namespace storage {

// Reads the whole record from an existing file into `record`, which is zero-filled first.
// Throws FileError; a file shorter than the record gives "Read beyond end of file".
void ReadRecord(const QString &path, Record &record);

// The whole content of a text file (no fixed size). Throws FileError.
QByteArray ReadTextFile(const QString &path);

// The lines of a plain text file, decoded and split as DecodeText and TextLines do. Throws
// FileError.
QStringList ReadTextLines(const QString &path);

// Writes the whole record as the file's only content. The bytes go to a temporary file beside
// the target, which then replaces it, so a write that fails half-way (disk full, power cut)
// leaves the old file as it was. An existing file that may not be written fails with
// "File access denied", as a plain overwrite would. Throws FileError.
//
// Flush::ToDisk waits until the bytes and the replacement are on the disk, so that a power cut
// right after the call keeps the new content. Flush::Rebuilt leaves that to the system: for a
// file the program writes anew from what it knows at every start, which a power cut may take
// back to its old content but never leave half-written.
enum class Flush { ToDisk, Rebuilt };
void WriteRecord(const QString &path, const Record &record, Flush flush = Flush::ToDisk);

// Creates the file with the record as its content only if no file of that name exists, as one
// step that no other process can come between (create-if-absent). Returns false when the file
// exists, whatever code the failed create gave (a network file system may say "access denied");
// throws FileError for a failure with the name absent, leaving no file behind.
bool CreateRecordExclusive(const QString &path, const Record &record);

// Writes the record only when no file of that name exists yet.
void CreateIfMissing(const QString &path, const Record &defaultRecord);

// True when a file (not a directory) of that name exists, whatever its attributes.
bool FileExists(const QString &path);

// Deletes a file; a missing or undeletable file is passed over silently.
void DeleteFile(const QString &path);

} // namespace storage
