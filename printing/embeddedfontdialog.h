#pragma once

#include <QFontDialog>

namespace printing {

// The font chooser as a plain widget without buttons of its own, for a dialog that holds it
// together with other choices. It becomes a widget as it is created, so that it keeps its place
// in its dialog's tab order.
class EmbeddedFontDialog : public QFontDialog
{
public:
    explicit EmbeddedFontDialog(QWidget *parent = nullptr) : QFontDialog(parent)
    {
        setWindowFlags(Qt::Widget);
        setOption(QFontDialog::NoButtons);
    }
};

} // namespace printing
