#include "printdialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace printing
{

namespace
{

QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

// The font dialog with effects: the platform-neutral font chooser (face, size, bold, italic,
// underline, strike-out) and a colour choice below it, with one pair of OK and Cancel buttons.
class FontEffectsDialog : public QDialog
{
public:
    FontEffectsDialog(const FontChoice &initial, QWidget *parent) : QDialog(parent)
    {
        setWindowTitle(QStringLiteral("Czcionka"));
        auto *layout = new QVBoxLayout(this);

        m_fonts = new QFontDialog(initial.font, this);
        m_fonts->setWindowFlags(Qt::Widget);
        m_fonts->setOption(QFontDialog::NoButtons);
        layout->addWidget(m_fonts);

        auto *colourRow = new QHBoxLayout;
        auto *colourLabel = new QLabel(QStringLiteral("Kolor:"), this);
        m_swatch = new QLabel(this);
        m_swatch->setFixedSize(48, 20);
        m_swatch->setFrameStyle(QFrame::Box | QFrame::Plain);
        m_swatch->setAutoFillBackground(true);
        auto *choose = new QPushButton(QStringLiteral("Zmień kolor..."), this);
        colourLabel->setBuddy(choose);
        colourRow->addWidget(colourLabel);
        colourRow->addWidget(m_swatch);
        colourRow->addWidget(choose);
        colourRow->addStretch();
        layout->addLayout(colourRow);

        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        layout->addWidget(buttons);

        setColour(initial.colour.isValid() ? initial.colour : QColor(Qt::black));
        connect(choose, &QPushButton::clicked, this, [this] {
            const QColor chosen = QColorDialog::getColor(m_colour, this);
            if (chosen.isValid())
                setColour(chosen);
        });
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    }

    FontChoice choice() const { return {m_fonts->currentFont(), m_colour}; }

private:
    void setColour(const QColor &colour)
    {
        m_colour = colour;
        QPalette palette = m_swatch->palette();
        palette.setColor(QPalette::Window, colour);
        m_swatch->setPalette(palette);
    }

    QFontDialog *m_fonts = nullptr;
    QLabel *m_swatch = nullptr;
    QColor m_colour;
};

} // namespace

bool QtPrintDialogs::print(QPrinter &printer)
{
    QPrintDialog dialog(&printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

std::optional<FontChoice> QtPrintDialogs::font(const FontChoice &initial)
{
    FontEffectsDialog dialog(initial, dialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

void QtPrintDialogs::preview(const std::function<void(Page &)> &draw)
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog dialog(&printer, dialogParent());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&draw](QPrinter *target) {
                         QPainter painter(target);
                         PainterPage page(painter);
                         draw(page);
                     });
    dialog.exec();
}

} // namespace printing
