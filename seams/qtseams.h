#pragma once

#include "seams.h"

#include <QPointer>

class QDialog;
class QWidget;

// The window a message, input or file box of the program belongs to: the active window of the
// program, or `fallback` (the main window) when none of the program's windows is active.
QWidget *DialogParent(QWidget *fallback);

// Makes `dialog` a box of `parent` that stays above every window of the program, the windows
// that stay on top included; Qt centres a dialog on its parent when it is shown.
void PrepareDialog(QDialog &dialog, QWidget *parent);

// The production side of the seams: Qt message boxes, the system clock and locale.
class QtDialogs : public seams::Dialogs
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

    // The window that boxes belong to when no window of the program is active.
    void setMainWindow(QWidget *window) { m_mainWindow = window; }

private:
    QPointer<QWidget> m_mainWindow;
};

class SystemClock : public seams::Clock
{
public:
    QDateTime now() const override;
};

class SystemRegionalSettings : public seams::RegionalSettings
{
public:
    QString dateSeparator() const override;
    // The system's long time format as ClockFormat() leaves it.
    QString longTimeFormat() const override;
};

// A long time format without its time-zone name ("t", "tt", ...) and the blanks around it, which
// have no place on the program's clocks.
QString ClockFormat(const QString &longTimeFormat);

class QtExternalPrograms : public seams::ExternalPrograms
{
public:
    bool startDetached(const QString &program, const QStringList &arguments,
                       const QString &workingDir) override;
};
