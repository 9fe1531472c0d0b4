#pragma once

#include "seams.h"
#include "triplog.h"
#include "yearwindow.h"

#include <functional>
#include <memory>

class QTableWidget;

namespace Ui {
class Tewidencja_f;
}
namespace ui {
class RegisterGrid;
}
namespace printing {
class PrintDialogs;
}

// The mileage log of one client's year, trip by trip, month by month: opened from the mileage
// register on that register's year, saved to the year's ".ewp" file by "Powrót", which then
// hands the trips to the register (see setOnSaved). The fixed routes of the client lie in
// their own file, written whenever the list changes.
class Tewidencja_f : public settlement::YearWindow
{
    Q_OBJECT

public:
    Tewidencja_f(seams::Seams &seams, printing::PrintDialogs &printDialogs,
                 QWidget *parent = nullptr);
    ~Tewidencja_f() override;
    Q_DISABLE_COPY(Tewidencja_f)

    // Grid columns.
    enum Column { Lp, Data, Trasa, Cel, Km, Stawka, Wartosc, Uwagi, kColumns };

    bool FormCreate() override;

    // Called after "Powrót" (or an automatic leave) has saved the log, with the log's year
    // and its trips.
    using Saved =
        std::function<void(settlement::ClientYear &year, const QList<storage::Trip> &trips)>;
    void setOnSaved(Saved saved) { m_onSaved = std::move(saved); }

    // Handlers, public so that tests can drive them as a user would.
    void miesiacClick(int month); // 1..12
    void dodajWpisClick();
    void usunWpisClick();
    void przyjmijStawkeClick();
    void wstawTraseClick();
    void zapamietajTraseClick();
    void usunTraseClick();
    void drukujMiesiacClick();
    void drukujRokClick();
    void podgladClick();
    void eksportCsvClick();
    void importCsvClick();
    void SpeedButton3Click(); // "Powrót": save, hand the trips over and close
    bool leaveAsReturn() override;
    bool leaveAutomatically() override;
    bool holdsUnsavedEntries() const override { return m_edited; }

    // The log as it stands, the grid's month included.
    storage::TripLog log() const;
    int month() const { return m_month; }
    QStringList warnings() const;

protected:
    QString returnNote() const override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showLog();
    void showMonth();
    // The log's trips with the grid's month as it stands in place of the one read.
    QList<storage::Trip> tripsWithGrid() const;
    void storeMonth();
    QList<storage::Trip> gridTrips() const;
    void addRow(const storage::Trip &trip);
    void setCell(int row, int column, const QString &text);
    void cellChanged(int row, int column);
    void proposeRate(int row);
    void refresh();
    void showRoutes();
    void saveRoutes();
    QString routesFile() const;
    void renumber();
    void markEdited();
    void print(int firstMonth, int lastMonth);
    quint8 vehicleClass() const;

    seams::Seams &m_seams;
    printing::PrintDialogs &m_printDialogs;
    std::unique_ptr<Ui::Tewidencja_f> m_ui;
    ui::RegisterGrid *m_registerGrid = nullptr;
    Saved m_onSaved;

    // The log as read, with every month but the one in the grid as it stands.
    storage::TripLog m_log;
    QList<storage::FixedRoute> m_routes;
    int m_month = 1;
    // The row whose rate suggestion the hint shows, or -1.
    int m_suggestionRow = -1;
    QString m_suggestedRate;
    bool m_edited = false;
    bool m_filling = false;
};
