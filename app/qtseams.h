#pragma once

#include "seams.h"

class QWidget;

// The production side of the seams: Qt message boxes, the system clock and locale.
class QtDialogs : public storage::Dialogs
{
public:
    bool question(const QString &caption, const QString &text) override;
    void notice(const QString &caption, const QString &text) override;
    std::optional<QString> inputText(const QString &title, const QString &prompt,
                                     const QString &initial) override;
    void ioError(const storage::FileError &error) override;
};

class SystemClock : public storage::Clock
{
public:
    QDateTime now() const override;
};

class SystemRegionalSettings : public storage::RegionalSettings
{
public:
    QString dateSeparator() const override;
    QString longTimeFormat() const override;
};

class QtExternalPrograms : public storage::ExternalPrograms
{
public:
    bool startDetached(const QString &program, const QStringList &arguments,
                       const QString &workingDir) override;
};
