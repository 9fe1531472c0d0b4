#pragma once

#include "archiwum.h"
#include "konfiguracja.h"
#include "seams.h"
#include "wybor.h"

#include <QWidget>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace archiwizator {

// "Ochrona danych": the folder archives go to, the archives made so far, and the buttons that
// make a verified archive of the data and bring an archive back.
class Tarchiwizator_f : public QWidget
{
    Q_OBJECT

public:
    Tarchiwizator_f(const QString &workingDir, storage::Seams &seams, Wybor &wybor,
                    QWidget *parent = nullptr);
    Q_DISABLE_COPY(Tarchiwizator_f)

    // Reads the configuration, the remembered folder and the register. Without a usable
    // configuration the window says why and offers only "Zamknij"; returns false then.
    bool FormCreate();
    void WybierzClick();
    void ArchiwizujClick();
    void OdtworzClick();
    void ZamknijClick();

private:
    void showRegister();
    void remember(const QString &folder);
    // Records a verified archive; a failure is returned as the text to show, the archive
    // itself stays.
    QString record(const Archiwum &made, const QString &note);

    QString m_workingDir;
    storage::Seams &m_seams;
    Wybor &m_wybor;
    std::optional<Konfiguracja> m_config;

    QLineEdit *folder = nullptr;
    QPushButton *Wybierz = nullptr;
    QTreeWidget *lista = nullptr;
    QLabel *Label3 = nullptr;
    QPushButton *Archiwizuj = nullptr;
    QPushButton *Odtworz = nullptr;
    QPushButton *Zamknij = nullptr;
};

} // namespace archiwizator
