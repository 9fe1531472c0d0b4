#pragma once

#include "notepadrequest.h"
#include "record.h"
#include "seams.h"
#include "uruchomienia.h"

#include <QImage>
#include <QMainWindow>

#include <functional>
#include <future>
#include <memory>

#include "dodatki.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTimer;
namespace printing {
class PrintFontStore;
}
namespace ui {
class ClientWindows;
class WindowOpener;
} // namespace ui
namespace Ui {
class Tbaza_f;
}

// The main window: the client register of 500 positions, the calendar banner, the add-on
// launchers and the menus of every auxiliary window.
class Tbaza_f : public QMainWindow
{
    Q_OBJECT

public:
    // How the main window opens the windows that it hands something: the settlement window
    // the client it has locked, the notepad what to show.
    struct Openers {
        std::function<bool(const QString &client)> settlement;
        std::function<bool(const printing::NotepadRequest &)> notepad;
    };
    // `windows` opens the auxiliary windows, which are created after this one; `clientWindows`
    // closes those that work on the open client; `fonts` serves the menu entry "Czcionka druku";
    // `launch` is this run's launch record, prepared at start and written at the end.
    Tbaza_f(const QString &workingDir, LaunchValues &launch, seams::Seams &seams,
            ui::WindowOpener &windows, Openers openers, ui::ClientWindows &clientWindows,
            printing::PrintFontStore &fonts, QWidget *parent = nullptr);
    ~Tbaza_f() override;
    Q_DISABLE_COPY(Tbaza_f)
    // Where add-ons are looked for first and the client archiving module is loaded from (the
    // folder of the program's own executable).
    void setAddOnDirectory(const QString &dir) { m_addOnDir = dir; }

    // Start-up of the program; runs once, before the window is first shown. A failing file step
    // shows its error and skips the rest.
    void FormCreate();

    // Handlers, public so that tests can drive them as a user would.
    void lista_kClick();
    // A double-click or Enter on a line: opens its client. The open client's working windows
    // are first left as their "Powrót" would; if one cannot save, the opening stops there.
    void lista_kDblClick();
    void SpeedButton4Click(); // "Dodaj do listy"
    void SpeedButton3Click(); // "Popraw wpis"
    void SpeedButton2Click(); // "Usuń z listy"
    void SpeedButton1Click(); // "Koniec"
    void SpeedButton5Click(); // "Czytnik zadań"
    void SpeedButton6Click(); // "Zadania"
    void SpeedButton7Click(); // "Dokumenty"
    void SpeedButton8Click(); // "Komentarze"
    void erminarzzaj1Click();
    void Mojenotatki1Click();
    void Czcionkadruku1Click();
    void Narzedziaadministratora1Click();
    void Archiwizacjanainnychnonikach1Click();
    void Koniecpracy1Click();
    void Osieci1Click();
    void Ustawienia1Click();
    void Wizytwka1Click();
    void Historiauruchomie1Click();
    void Timer1Timer();

    // Asks "Koniec pracy ?"; on Yes leaves the open client's working windows as their "Powrót"
    // would, releases the client lock, fades the window out, records the launch and ends the
    // program. Returns whether the program ends: not when the user said No, nor when a working
    // window could not save (its error shown; the lock stays held).
    bool KoniecPracy();
    // The same end without the question, for the end of the desktop session: the client's
    // windows are left as their "Powrót" would, the client lock released, the launch recorded,
    // the program ended. Returns false, the program running on with its lock, only when a
    // working window could not save (its error shown).
    bool ZakonczBezPytania();
    // Fades the window out.
    void Wygaszaj();

    // The client number of the selected position ("001" … "500"), empty when none is selected.
    QString currentClientNumber() const;
    // The folder of the register and the lock files: the working directory, or the network
    // path of the database location once the start-up has read it.
    const QString &baseDir() const { return m_baseDir; }
    // The lock file this copy created last; the only one it ever deletes.
    const QString &heldLockPath() const { return m_heldLockPath; }

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void loadRegister();
    void showRegister(const storage::Record &record);
    bool changeRegisterLine(const QString &shown, const QString &newLine);
    storage::Record rereadRegister();
    QString busyMessage(const QString &lockPath) const;
    void refreshOwnerHint();
    void showBanner();
    void applyListFont();
    void startAddOn(AddOn addOn);
    void startClientAddOn(AddOn addOn);

    QString m_workingDir;
    QString m_baseDir;
    QString m_heldLockPath;
    LaunchValues &m_launch;
    seams::Seams &m_seams;
    ui::WindowOpener &m_windows;
    Openers m_openers;
    ui::ClientWindows &m_clientWindows;
    printing::PrintFontStore &m_fonts;
    QString m_addOnDir;
    // The owner record of the client last read for the hint or an add-on.
    storage::Record m_owner;
    std::unique_ptr<Ui::Tbaza_f> m_ui;
    // The wallpaper, decoded while the window is built; FormCreate shows it.
    std::future<QImage> m_wallpaper;

    QTimer *Timer1 = nullptr;
    QLabel *Label3 = nullptr;
};
