// Torvi: the page-source window.
#include "app/qt/frm_source.h"

#include "ui/qt/twip_geometry.h"

#include <QPlainTextEdit>

namespace torvi {

frmSource::frmSource()
    : QWidget(nullptr, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName("frmSource");
    // A tool window does not keep a Qt program running; this one does, like every other
    // window, so closing the main window leaves it open.
    setAttribute(Qt::WA_QuitOnClose);
    setWindowTitle("Source");
    resize(px(9690), px(8025));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName("Text1");
    Text1->setAccessibleName("Sorgente della pagina");
    Text1->setPlainText("Text1");
    // The page's source is to read and copy, not to change.
    Text1->setReadOnly(true);
    Text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    placeInTwips(Text1, {0, 120, 9615, 7935});
}

} // namespace torvi
