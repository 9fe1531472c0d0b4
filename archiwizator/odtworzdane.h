#pragma once

#include "archiwum.h"
#include "konfiguracja.h"
#include "odtwarzanie.h"
#include "postep.h"
#include "seams.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace archiwizator {

// Runs one long step of archiving or restoring under `caption`; the window runs it under its
// progress window. Exceptions of the work pass through.
using Wykonaj =
    std::function<void(const QString &caption, const std::function<void(const Postep &)> &work)>;

// Records a verified archive in the register with `note`. A failure comes back as the text to
// show; the archive itself stays.
QString WpiszArchiwum(const QString &workingDir, const Archiwum &made, const QString &note);

// Records a restore from `plan` of `restored` files, after the safety archive `safety`, at the
// clock's present time; a failed write shows the error box.
void WpiszOdtworzenie(const QString &workingDir, const PlanOdtworzenia &plan, int restored,
                      const QString &safety, seams::Seams &seams);

// How far a restore of the data went, which says what the window has to show again.
enum class KoniecOdtworzenia {
    NieRozpoczete, // the safety archive was not made: nothing changed
    Nieudane,      // a file could not be written: the files before it were restored
    Przerwane,     // stopped by the user: the files before the stop were restored and recorded
    Wykonane,
};

struct WynikOdtworzenia {
    KoniecOdtworzenia koniec = KoniecOdtworzenia::NieRozpoczete;
    // The notices to show, in their order.
    QStringList komunikaty;
};

// The restore "Odtwórz" makes once the user has said yes: the present data of `config.root`
// go first into a safety archive in `destination` made at `when` (recorded in the register as
// "kopia przed odtworzeniem"); only when that archive has been made and checked are the
// archive's files written into the root, and the restore recorded with the safety archive's
// name. Register writes that fail show the error box through `seams`; everything else comes
// back as the notices to show.
WynikOdtworzenia OdtworzDane(const QString &workingDir, const Konfiguracja &config,
                             const PlanOdtworzenia &plan, const QString &destination,
                             const QDateTime &when, seams::Seams &seams, const Wykonaj &wykonaj);

// The files a stopped restore wrote whole, for its notice: their number, the first 20 names and
// how many more.
QString OdtworzonePliki(const QStringList &done);

} // namespace archiwizator
