#pragma once

#include "qtseams.h"
#include "seams.h"

#include <QWidget>
#include <QtGlobal>

#include <cstdlib>
#include <memory>

class QApplication;

namespace seams {

// The production seams of one program: Qt message boxes, the system clock and locale, programs
// started detached; ending the program ends the process at once.
struct ProductionSeams {
    ProductionSeams() = default;
    Q_DISABLE_COPY(ProductionSeams)

    QtDialogs dialogs;
    SystemClock clock;
    SystemRegionalSettings regional;
    QtExternalPrograms programs;
    seams::Seams seams{dialogs, clock, regional, programs, [](int code) { std::exit(code); }};
};

// Sets `application` up as every program of the package starts: the style chosen for it (by the
// desktop, -style or QT_STYLE_OVERRIDE) as a StartStyle, Qt's own texts (the standard buttons
// "Tak", "Nie", "Anuluj") in Polish, for as long as the application lives. Returns the production
// seams.
std::unique_ptr<ProductionSeams> setUpApplication(QApplication &application);

} // namespace seams
