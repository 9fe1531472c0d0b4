#pragma once

#include "clientrecords.h"
#include "record.h"

#include <QString>

namespace storage {

// What the monthly calculation leaves for the statement printout.
struct CalculationResults {
    // 12 rows of 80 bytes: five short strings of capacity 15 each (A, C, B, D, E of the month as
    // text of width 12 with 2 decimals); rows after the calculated month are all zero.
    static constexpr qsizetype kRowSize = 80;
    static constexpr StringField cell(int month, int column) // month 1..12, column 0..4
    {
        return {(month - 1) * kRowSize + column * 16, 15};
    }
    Record table{12 * kRowSize};
    double cumulativeMileage = 0.0; // C of the month
    double cumulativeCosts = 0.0;   // D of the month
    double totalBooked = 0.0;       // sum of E from January to the month
    double amountToBook = 0.0;      // E of the month
    double vatToBook = 0.0;         // VAT of the month
    qint32 month = 0;               // 1..12
    QString title;                  // "Rozliczenie miesiąca " + month name + " " + year
    QString stem;                   // the year file stem of the calculation
};

// The print font: the 76-byte settings record as last read or written, with copies of its face
// and size. All zero (black, no face, size 0, plain) until a settings file has been read.
struct PrintFontSettings {
    static constexpr qsizetype kSize = 76;
    static constexpr qsizetype kColour = 0;
    static constexpr StringField face{4, 60};
    static constexpr qsizetype kPoints = 68;
    static constexpr qsizetype kStyle = 72; // bit 0 bold, 1 italic, 2 underline, 3 strike-out
    Record record{kSize};
    QString currentFace;
    qint32 currentSize = 0;
};

// This run's launch, prepared at start and written at the orderly end.
struct LaunchValues {
    static constexpr qsizetype kSize = 79;
    Record record{kSize}; // the history record as read at start
    QString date;
    QString time;
    QString counter;
};

// What the main window hands the notepad before opening it.
struct NotepadRequest {
    QString file;  // relative to the base directory, starting with a separator
    int mode = 0;  // 1: show only
    QString title; // window caption
};

// The program-wide values that windows hand to one another. One object, created in main and
// passed to every window by reference.
struct ProgramState {
    // The process's directory at start, never changed: root of the settlement files.
    QString workingDir;
    // The working directory, or the network path in network mode: root of the register.
    QString baseDir;

    // Main window -> settlement window.
    QString currentClient;
    // The lock file this copy created last; the only one it ever deletes.
    QString heldLockPath;

    // Settlement window -> its working windows: the stem follows its set-up and year choice;
    // all five are set again just before a working window is opened.
    QString yearText;
    QString yearStem;
    QString header1; // owner's name, first line
    QString header2; // owner's name, second line
    QString header3; // make + " " + registration number

    // The year's records as the settlement window and the calculation last read them.
    Record ownerRecord{owner::kSize};
    Record mileageRecord{mileage::kSize};
    Record costRecord{cost::kSize};

    // Calculation -> print panel, set just before the panel is opened: the results of the chosen
    // month and the owner and cost records they were worked out from. The panel keeps its own
    // copy from its opening on.
    CalculationResults results;
    Record statementOwner{owner::kSize};
    Record statementCosts{cost::kSize};
    PrintFontSettings printFont;
    LaunchValues launch;
    NotepadRequest notepad;
};

} // namespace storage
