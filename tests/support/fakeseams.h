#pragma once

#include "seams.h"

#include <QList>
#include <QString>

#include <optional>

// One dialog as the program showed it.
struct ShownDialog {
    enum class Kind { Question, Notice, Input, IoError, SaveFile, OpenFile };
    Kind kind;
    QString caption;
    QString text;    // a save dialog's file filter
    QString initial; // input boxes: the initial text; save dialogs: the proposed path
    // Questions: the button the box starts on and the text below the question.
    seams::Dialogs::Default defaultButton = seams::Dialogs::Default::Yes;
    QString detail;
};

// Answers dialogs from a script and records every text it was shown.
class FakeDialogs : public seams::Dialogs
{
public:
    bool question(const QString &caption, const QString &text, Default defaultButton = Default::Yes,
                  const QString &detail = {}) override;
    void notice(const QString &caption, const QString &text) override;
    std::optional<QString> inputText(const QString &title, const QString &prompt,
                                     const QString &initial) override;
    void ioError(const storage::FileError &error) override;
    std::optional<QString> saveFileName(const QString &title, const QString &proposedPath,
                                        const QString &filter) override;
    std::optional<QString> openFileName(const QString &title, const QString &proposedPath,
                                        const QString &filter) override;

    // Scripted answers, taken in order. A dialog with no answer left counts as unexpected.
    QList<bool> answers;
    QList<std::optional<QString>> inputs;
    QList<std::optional<QString>> savePaths; // no value: the save dialog was cancelled
    QList<std::optional<QString>> openPaths; // no value: the open dialog was cancelled

    QList<ShownDialog> shown;
    int unexpected = 0;

    // The texts of the error boxes shown so far.
    QStringList ioErrors() const;
};

class FakeClock : public seams::Clock
{
public:
    QDateTime now() const override { return current; }
    QDateTime current{QDate(2007, 3, 15), QTime(12, 30, 45)};
};

class FakeRegionalSettings : public seams::RegionalSettings
{
public:
    QString dateSeparator() const override { return separator; }
    QString longTimeFormat() const override { return timeFormat; }
    QString separator = QStringLiteral(".");
    QString timeFormat = QStringLiteral("HH:mm:ss");
};

// Records the programs it is asked to start; starts nothing.
class FakePrograms : public seams::ExternalPrograms
{
public:
    struct Start {
        QString program;
        QStringList arguments;
        QString workingDir;
    };
    bool startDetached(const QString &program, const QStringList &arguments,
                       const QString &workingDir) override
    {
        started.append({program, arguments, workingDir});
        return startResult;
    }
    QList<Start> started;
    bool startResult = true;
};

// The seams of one test case.
struct TestSeams {
    TestSeams() = default;
    Q_DISABLE_COPY(TestSeams)

    FakeDialogs dialogs;
    FakeClock clock;
    FakeRegionalSettings regional;
    FakePrograms programs;
    QList<int> endCalls;
    seams::Seams seams{dialogs, clock, regional, programs, [this](int code) { endCalls << code; }};
};
