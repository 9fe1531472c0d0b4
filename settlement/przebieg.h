#pragma once

#include "formwindow.h"
#include "mileagerules.h"
#include "programstate.h"
#include "seams.h"

#include <QStyledItemDelegate>

#include <optional>

class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class QTimer;

// The editor of a register grid cell. Every change typed into the editor reaches the cell at
// once, so that a timer tick sees the text being typed. With Keys::Amount it also applies the
// key filter of the numeric columns to every character typed into the editor.
class RegisterCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    enum class Keys { Any, Amount };
    explicit RegisterCellDelegate(Keys keys, QObject *parent = nullptr);

    // The key filter of the numeric columns (settlement::AmountKey).
    static std::optional<QChar> AmountKey(QChar typed);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *object, QEvent *event) override;

private:
    Keys m_keys;
};

// The mileage register of one settlement year: kilometres, rate and amount of each
// month, saved to the year's ".prz" file by "Powrót".
class Tprzebieg_f : public FormWindow
{
    Q_OBJECT

public:
    Tprzebieg_f(storage::ProgramState &state, storage::Seams &seams, QWidget *parent = nullptr);
    Q_DISABLE_COPY(Tprzebieg_f)

    bool FormCreate() override;

    // Handlers, public so that tests can drive them as a user would.
    void p1Click(); // "Tak"
    void p2Click(); // "Nie"
    void Timer1Timer();
    void SpeedButton2Click(); // "Pomoc"
    void SpeedButton1Click(); // "Powrót" of the help panel
    void SpeedButton3Click(); // "Powrót": save and close

    // The year and the year file stem taken at the last set-up; "Powrót" saves into them even
    // when the settlement window has chosen another year meanwhile.
    const QString &yearText() const { return m_year; }
    const QString &yearStem() const { return m_stem; }

protected:
    void hideEvent(QHideEvent *event) override;

private:
    settlement::MileageGrid grid() const;
    void setGrid(const settlement::MileageGrid &grid);
    void setCell(int row, int column, const QString &text);
    void setAutomatic(settlement::MileageAmounts amounts);
    QString filePath() const;

    storage::ProgramState &m_state;
    storage::Seams &m_seams;
    QString m_year;
    QString m_stem;
    settlement::MileageAmounts m_amounts = settlement::MileageAmounts::ByHand;

    QLabel *Label1 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label8 = nullptr;
    QLabel *Label3 = nullptr;
    // Months in rows 0 to 11, the columns "Kilometry", "Przelicznik", "Kwota" in columns 0 to 2;
    // the month names and the captions are the grid's headers (its fixed column and row).
    QTableWidget *przebieg = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QRadioButton *p1 = nullptr;
    QRadioButton *p2 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Panel2 = nullptr;
    QPushButton *SpeedButton2 = nullptr;
    QPushButton *SpeedButton3 = nullptr;
    QFrame *Panel1 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *SpeedButton1 = nullptr;
    QTimer *Timer1 = nullptr;
};
