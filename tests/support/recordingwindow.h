#pragma once

#include "formwindow.h"
#include "programstate.h"

// A working window that only remembers what it was handed when it was opened.
class RecordingWindow : public FormWindow
{
public:
    explicit RecordingWindow(const storage::ProgramState &state) : m_state(state) {}

    bool FormCreate() override
    {
        ++opened;
        yearText = m_state.yearText;
        yearStem = m_state.yearStem;
        headers = {m_state.header1, m_state.header2, m_state.header3};
        client = m_state.currentClient;
        return setUpSucceeds;
    }

    int opened = 0;
    bool setUpSucceeds = true;
    QString yearText;
    QString yearStem;
    QStringList headers;
    QString client;

private:
    const storage::ProgramState &m_state;
};
