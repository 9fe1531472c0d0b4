#pragma once

#include "yearwindow.h"

#include <QStringList>

// A working window that only remembers what it was handed when it was opened.
class RecordingWindow : public settlement::YearWindow
{
public:
    bool FormCreate() override
    {
        ++opened;
        yearText = year() ? year()->year() : QString();
        yearStem = year() ? year()->stem() : QString();
        headers = {YearWindow::headers().first, YearWindow::headers().second,
                   YearWindow::headers().third};
        return setUpSucceeds;
    }
    bool holdsUnsavedEntries() const override { return unsavedEntries; }

    int opened = 0;
    bool setUpSucceeds = true;
    bool unsavedEntries = false;
    QString yearText;
    QString yearStem;
    QStringList headers;
};

// Stands in for the settlement window: remembers the client it was opened on.
class RecordingSettlement : public FormWindow
{
public:
    bool FormCreate() override
    {
        ++opened;
        return true;
    }
    bool openClient(const QString &number)
    {
        client = number;
        return prepareAndOpen();
    }
    int opened = 0;
    QString client;
};
