#pragma once

#include "clientyear.h"
#include "formwindow.h"

#include <QString>

#include <memory>

namespace settlement {

// The three header lines a working window shows above its figures: the owner's name lines and
// make + " " + registration number, as the settlement window shows them.
struct Headers {
    QString first;
    QString second;
    QString third;
};

// What the settlement window hands a working window when it opens it.
struct YearHandOver {
    std::shared_ptr<ClientYear> year;
    Headers headers;
};

// A working window of one client's year. It shows the year it was handed at its last set-up
// until it is set up again, whatever year the settlement window has chosen since.
class YearWindow : public FormWindow
{
    Q_OBJECT

public:
    using FormWindow::FormWindow;

    // The year and headers the next set-up shows. The window stops listening to the year it
    // showed before.
    void setYear(const YearHandOver &handOver);
    const std::shared_ptr<ClientYear> &year() const { return m_handOver.year; }
    const Headers &headers() const { return m_handOver.headers; }

    // Whether the window holds entries the user typed and has not saved: such a window is
    // brought back as it stands rather than set up afresh.
    virtual bool holdsUnsavedEntries() const { return false; }

protected:
    // Called by setYear() with the new year, so that the window can connect to its signals
    // (with itself as the context object).
    virtual void watchYear(ClientYear &year) { Q_UNUSED(year) }

private:
    YearHandOver m_handOver;
};

} // namespace settlement
