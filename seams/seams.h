#pragma once

#include "fileerror.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace seams {

// Every message box of the program. Production shows Qt dialogs; tests answer from a script and
// record the texts.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // The button a question's box starts on, taken by Enter.
    enum class Default { Yes, No };
    // Yes/No question; true for Yes. `detail` stands below the question text (empty: nothing).
    // A question that deletes starts on No.
    virtual bool question(const QString &caption, const QString &text,
                          Default defaultButton = Default::Yes, const QString &detail = {}) = 0;
    // Notice with an OK button.
    virtual void notice(const QString &caption, const QString &text) = 0;
    // Input box; no value when cancelled.
    virtual std::optional<QString> inputText(const QString &title, const QString &prompt,
                                             const QString &initial) = 0;
    // The error box of a failed file operation.
    virtual void ioError(const storage::FileError &error) = 0;
    // Save dialog proposing `proposedPath`, listing files that match `filter` (Qt's name filter
    // syntax); the chosen path, or no value when cancelled.
    virtual std::optional<QString> saveFileName(const QString &title, const QString &proposedPath,
                                                const QString &filter) = 0;
    // Open dialog starting at `proposedPath`, listing files that match `filter`; the chosen
    // existing file, or no value when cancelled.
    virtual std::optional<QString> openFileName(const QString &title, const QString &proposedPath,
                                                const QString &filter) = 0;
};

// Today's date and the current time.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

// The regional settings that dates and clocks are formatted with.
class RegionalSettings
{
public:
    virtual ~RegionalSettings() = default;
    virtual QString dateSeparator() const = 0;
    // The long time format, without a time-zone name (QTime::toString syntax).
    virtual QString longTimeFormat() const = 0;
};

// Starts other programs without waiting for them.
class ExternalPrograms
{
public:
    virtual ~ExternalPrograms() = default;
    // Starts `program` (a name looked up in the usual places, or a path) with the arguments in
    // `workingDir`; the result only says whether it could be started.
    virtual bool startDetached(const QString &program, const QStringList &arguments,
                               const QString &workingDir) = 0;
};

// Ends the program at once with the given exit code.
using ProgramEnd = std::function<void(int)>;

// What every window receives to reach the platform.
struct Seams {
    Dialogs &dialogs;
    Clock &clock;
    RegionalSettings &regional;
    ExternalPrograms &programs;
    ProgramEnd endProgram;
};

} // namespace seams
